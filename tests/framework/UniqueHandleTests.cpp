#include "framework/UniqueHandle.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

int closes = 0;
struct CountClose {
    void operator()(int*) const noexcept { ++closes; }
};
int a = 0, b = 0;
using Counted = UniqueHandle<int*, CountClose>;

TEST(UniqueHandle, ClosesExactlyOnceAcrossMovesResetsAndRelease) {
    closes = 0;
    {
        Counted first(&a);
        Counted second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), &a);
        Counted third;
        third = std::move(second);
        EXPECT_EQ(closes, 0);
        third.reset(&b); // closes a
        EXPECT_EQ(closes, 1);
        int* raw = third.release(); // b is no longer owned
        EXPECT_EQ(raw, &b);
    }
    EXPECT_EQ(closes, 1);
    {
        Counted owner(&a);
        *owner.put() = &b; // put() closes the old value first
        EXPECT_EQ(closes, 2);
    }
    EXPECT_EQ(closes, 3);
}

TEST(UniqueHandle, LiveCountFollowsOwnershipThroughEveryPath) {
    const long before = Counted::Live();
    {
        Counted first(&a);
        EXPECT_EQ(Counted::Live(), before + 1);
        Counted moved(std::move(first));
        Counted assigned;
        assigned = std::move(moved);
        EXPECT_EQ(Counted::Live(), before + 1); // moves hand over, they do not make or close
        assigned.reset(&b);
        EXPECT_EQ(Counted::Live(), before + 1);
        Counted other(&a);
        assigned = std::move(other); // closes b, takes a
        EXPECT_EQ(Counted::Live(), before + 1);
        (void)assigned.release();
        EXPECT_EQ(Counted::Live(), before);
        Counted filled;
        *filled.put() = &a; // what an API leaves behind counts once the call is over
        EXPECT_EQ(Counted::Live(), before + 1);
        *filled.put() = nullptr; // an API that failed and left nothing
        EXPECT_EQ(Counted::Live(), before);
        Counted empty(nullptr);
        empty.reset();
        EXPECT_EQ(Counted::Live(), before);
    }
    EXPECT_EQ(Counted::Live(), before);
}

TEST(UniqueHandle, WindowDCsAreCountedWhileHeld) {
    const long before = WindowDC::Live();
    {
        WindowDC screen(nullptr);
        ASSERT_NE(screen.get(), nullptr);
        EXPECT_EQ(WindowDC::Live(), before + 1);
    }
    EXPECT_EQ(WindowDC::Live(), before);
}

TEST(UniqueHandle, SelectGuardRestoresThePreviousObject) {
    UniqueHDC dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    UniqueHBRUSH brush(::CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ before = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        SelectGuard select(dc.get(), brush.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), before);
}

TEST(UniqueHandle, SavedDCRestoresTheWindowOrigin) {
    UniqueHDC dc(::CreateCompatibleDC(nullptr));
    POINT origin{};
    {
        SavedDC saved(dc.get());
        ::SetWindowOrgEx(dc.get(), 5, 7, nullptr);
        ::GetWindowOrgEx(dc.get(), &origin);
        EXPECT_EQ(origin.x, 5);
    }
    ::GetWindowOrgEx(dc.get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

} // namespace
} // namespace plaxor
