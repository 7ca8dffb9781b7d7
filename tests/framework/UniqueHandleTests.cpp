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
