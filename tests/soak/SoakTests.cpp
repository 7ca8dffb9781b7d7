// Long runs through the real main window: each glow-button look painted 10,000 times, 1,000
// full fades in and out, 1,000 Disable/Enable round trips against the prefix's registry. After
// a warm-up, every figure the process reports (or that is counted for it where Wine reports
// none) must come back to its level.
#include "ResourceLevels.h"
#include "framework/Timer.h"
#include "tests/program/ProgramTestSupport.h"
#include <iostream>

namespace plaxor::testing {
namespace {

// Private bytes may move by what heaps keep for reuse; a leak of a few dozen bytes per paint
// over 10,000 paints is more than this.
constexpr long long kAllowedPrivateGrowth = 256 * 1024;

constexpr int kPaintsPerLook = 10'000;
constexpr int kFades = 1'000;
constexpr int kRoundTrips = 1'000;
constexpr int kWarmUp = 50;

class Soak : public KeltTest {
protected:
    void SetUp() override {
        KeltTest::SetUp();
        ShowForm();
        ASSERT_EQ(form->status->Caption(), L"Enabled");
        for (TAdvGlowButton* button : {form->plaxorizebtn, form->undoplaxorizebtn})
            button->OnDrawButton = [this](TObject*, TCanvas&, const RECT&, TGlowButtonState look) {
                lastLook = look;
                ++paints;
            };
    }

    // Runs work warm-up times, takes the levels, runs it the full number of times and takes
    // them again once the window has settled.
    void ExpectLevelsKept(const char* what, int times, const std::function<void()>& work) {
        for (int i = 0; i < kWarmUp; ++i) {
            work();
            if (::testing::Test::HasFatalFailure()) return;
        }
        Settle();
        const std::vector<Level> before = ReadLevels();
        for (int i = 0; i < times; ++i) {
            work();
            if (::testing::Test::HasFatalFailure()) return;
        }
        Settle();
        const std::vector<Level> after = ReadLevels();
        std::cout << what << " (" << times << " times), levels after warm-up:\n"
                  << DescribeLevels(before) << "and after:\n"
                  << DescribeLevels(after);
        EXPECT_EQ(CompareLevels(before, after, kAllowedPrivateGrowth), "") << what;
        EXPECT_TRUE(boxes.empty())
            << what << ": " << (boxes.empty() ? std::wstring() : boxes[0].text);
    }

    // The window's own WM_PAINT, buffered, with the parent's background: exactly one paint.
    void Paint(TAdvGlowButton& button) {
        const int before = paints;
        ::RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(paints, before + 1) << "the button was not painted";
    }

    // The fade timer's ticks, given at once, each followed by the paint it asked for.
    void RunFade(TAdvGlowButton& button) {
        for (int tick = 0; TTimer* timer = FadeTimer(button); ++tick) {
            ASSERT_LT(tick, 20) << "the fade does not end";
            timer->Tick();
            ::RedrawWindow(button.Handle(), nullptr, nullptr, RDW_UPDATENOW);
        }
    }

    static TTimer* FadeTimer(TAdvGlowButton& button) {
        for (TComponent* component : button.Components())
            if (auto* timer = dynamic_cast<TTimer*>(component)) return timer;
        return nullptr;
    }

    // A click as the window receives it: press and release in the middle of the button.
    static void Click(TAdvGlowButton& button) {
        const LPARAM middle = MAKELPARAM(button.Width() / 2, button.Height() / 2);
        ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
        ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, middle);
    }

    int paints = 0;
    TGlowButtonState lastLook = gsNormal;
};

TEST_F(Soak, EveryLookPaintedTenThousandTimesKeepsItsLevels) {
    TAdvGlowButton& button = *form->plaxorizebtn;
    ExpectLevelsKept("normal look", kPaintsPerLook, [&] { Paint(button); });
    EXPECT_EQ(lastLook, gsNormal);

    // Hot: the pointer came in and the fade has ended.
    button.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
    RunFade(button);
    ExpectLevelsKept("hot look", kPaintsPerLook, [&] { Paint(button); });
    EXPECT_EQ(lastLook, gsHot);

    // Pressed and held, then released outside (no click).
    const LPARAM middle = MAKELPARAM(button.Width() / 2, button.Height() / 2);
    ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    RunFade(button);
    ExpectLevelsKept("pressed look", kPaintsPerLook, [&] { Paint(button); });
    EXPECT_EQ(lastLook, gsDown);
    ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    button.Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button));
    RunFade(button);
    EXPECT_EQ(form->status->Caption(), L"Enabled");

    // With the focus outline.
    button.SetFocus();
    ASSERT_EQ(::GetFocus(), button.Handle());
    ExpectLevelsKept("focused look", kPaintsPerLook, [&] { Paint(button); });

    // The button the state makes unavailable.
    TAdvGlowButton& unavailable = *form->undoplaxorizebtn;
    ASSERT_FALSE(unavailable.Enabled());
    ExpectLevelsKept("disabled look", kPaintsPerLook, [&] { Paint(unavailable); });
}

TEST_F(Soak, AThousandFullFadesInAndOutKeepTheirLevels) {
    TAdvGlowButton& button = *form->plaxorizebtn;
    ExpectLevelsKept("fades in and out", kFades, [&] {
        button.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
        ASSERT_NE(FadeTimer(button), nullptr) << "no fade started";
        RunFade(button);
        ASSERT_EQ(lastLook, gsHot);
        button.Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button));
        RunFade(button);
        Paint(button);
        ASSERT_EQ(lastLook, gsNormal);
    });
}

TEST_F(Soak, AThousandDisableEnableRoundTripsKeepTheirLevels) {
    ExpectLevelsKept("Disable/Enable round trips", kRoundTrips, [&] {
        Click(*form->plaxorizebtn);
        ::RedrawWindow(form->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_EQ(form->status->Caption(), L"Disabled");
        ASSERT_EQ(AutoRunDefault(), L"@SYS:DoesNotExist");
        Click(*form->undoplaxorizebtn);
        ::RedrawWindow(form->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_EQ(form->status->Caption(), L"Enabled");
        bool exists = true;
        AutoRunDefault(&exists);
        ASSERT_FALSE(exists);
    });
}

} // namespace
} // namespace plaxor::testing
