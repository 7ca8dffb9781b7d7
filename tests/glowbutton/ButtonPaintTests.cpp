// A real glow button on a form paints itself: into a DIB through WM_PAINT with a DC, and on the
// screen through its buffered WM_PAINT. Its state is moved by real messages and fade ticks,
// then the pixels are read back.
#include "ButtonTestSupport.h"
#include "PaintSupport.h"
#include "framework/Bitmap.h"
#include "glowbutton/ColorMath.h"
#include "tests/controls/ControlsTestSupport.h"
#include <gtest/gtest.h>

namespace plaxor::test {
namespace {

using plaxor::testing::HoldDown;
using plaxor::testing::Hover;
using plaxor::testing::ProbeGraphic;
using plaxor::testing::SharedFormTest;
using plaxor::testing::Tick;

constexpr TColor FormColor = 0x30A030;
// Flat sets (both colours of each half alike), so that every face pixel has an exact colour.
constexpr TColor NormalUp = 0xF0E0D0, NormalLow = 0xE0D0C0;
constexpr TColor HotUp = 0x80F0F0, HotLow = 0x60D0D0;
constexpr TColor DownUp = 0x4080F0, DownLow = 0x2060D0;
constexpr TColor CheckedUp = 0xA0A0F0, CheckedLow = 0x8080D0;
constexpr TColor DisabledUp = 0xE8E8E8, DisabledLow = 0xD0D0D0;

void MakeFlat(TGlowButtonAppearance& a) {
    a.SetColor(NormalUp);
    a.SetColorTo(NormalUp);
    a.SetColorMirror(NormalLow);
    a.SetColorMirrorTo(NormalLow);
    a.SetColorHot(HotUp);
    a.SetColorHotTo(HotUp);
    a.SetColorMirrorHot(HotLow);
    a.SetColorMirrorHotTo(HotLow);
    a.SetColorDown(DownUp);
    a.SetColorDownTo(DownUp);
    a.SetColorMirrorDown(DownLow);
    a.SetColorMirrorDownTo(DownLow);
    a.SetColorChecked(CheckedUp);
    a.SetColorCheckedTo(CheckedUp);
    a.SetColorMirrorChecked(CheckedLow);
    a.SetColorMirrorCheckedTo(CheckedLow);
    a.SetColorDisabled(DisabledUp);
    a.SetColorDisabledTo(DisabledUp);
    a.SetColorMirrorDisabled(DisabledLow);
    a.SetColorMirrorDisabledTo(DisabledLow);
}

class ButtonPaintTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        form->SetColor(FormColor);
        button = NewControl<TAdvGlowButton>(form, 20, 20, 100, 41);
        button->SetCaption(L"");
        MakeFlat(*button->Appearance());
        Pump();
    }
    void TearDown() override {
        form->SetColor(clBtnFace);
        SharedFormTest::TearDown();
    }
    // The button painted into a fresh DIB, as WM_PAINT with a DC paints it.
    std::unique_ptr<Surface> Render(TColor background = 0xFF00FF) {
        auto surface = std::make_unique<Surface>(button->Width(), button->Height(), background);
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface->dc()), 0);
        return surface;
    }
    TTimer* FadeTimer() const { return button->Snapshot().fadeTimer; }

    TAdvGlowButton* button = nullptr;
};

// ---- the face in each state

TEST_F(ButtonPaintTest, NormalButtonShowsTheNormalColours) {
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), NormalUp);
    EXPECT_EQ(s->At(50, 35), NormalLow);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColor());
}

TEST_F(ButtonPaintTest, HotButtonShowsTheHotColours) {
    Hover(*button);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), HotUp);
    EXPECT_EQ(s->At(50, 35), HotLow);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColorHot());
}

TEST_F(ButtonPaintTest, DownButtonShowsTheDownColours) {
    Hover(*button);
    HoldDown(*button);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), DownUp);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColorDown());
}

TEST_F(ButtonPaintTest, DownButtonInAGroupShowsTheCheckedColours) {
    button->SetGroupIndex(1);
    button->SetDown(true);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), CheckedUp);
    EXPECT_EQ(s->At(50, 35), CheckedLow);
}

TEST_F(ButtonPaintTest, DisabledButtonShowsTheDisabledColoursAndSettlesItsState) {
    HoldDown(*button);
    button->SetEnabled(false);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), DisabledUp);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColorDisabled());
    EXPECT_EQ(button->Snapshot().buttonState, stateDisabled);
    EXPECT_FALSE(button->Snapshot().tracking);
}

TEST_F(ButtonPaintTest, DisabledButtonWithoutShowDisabledKeepsItsNormalColours) {
    button->SetShowDisabled(false);
    button->SetEnabled(false);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), NormalUp);
}

TEST_F(ButtonPaintTest, DisabledDownGroupButtonWithoutShowDisabledKeepsTheCheckedColours) {
    button->SetGroupIndex(1);
    button->SetDown(true);
    button->SetShowDisabled(false);
    button->SetEnabled(false);
    Render();
    button->SetEnabled(true);
    Render(); // enabled again: checked, as a Down button of a group is
    button->SetEnabled(false);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), CheckedUp);
}

TEST_F(ButtonPaintTest, FocusedButtonShowsItsFocusOutline) {
    button->SetFocus();
    auto s = Render();
    EXPECT_EQ(s->At(50, 1), 0xE4AD89u);
    EXPECT_EQ(s->At(1, 20), 0xE4AD89u);
    EXPECT_GT(s->CountIf({5, 2, 95, 3}, [](TColor c) { return c == clGray; }), 20);
}

TEST_F(ButtonPaintTest, FocusedHotTypeButtonShowsItsHotFaceWithoutOutline) {
    button->SetFocusType(ftHot);
    button->SetFocus();
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), HotUp);
    EXPECT_NE(s->At(50, 1), 0xE4AD89u);
}

// ---- fades, moved by real messages and fade ticks

TEST_F(ButtonPaintTest, EnteringFadesFromTheNormalToTheHotColoursOneStepPerTick) {
    button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
    const TGlowButtonAppearance& a = *button->Appearance();
    for (int fade = 0; fade <= 100; fade += 20) {
        ASSERT_NE(FadeTimer(), nullptr) << fade;
        auto s = Render();
        EXPECT_EQ(s->At(50, 5), BlendColor(HotUp, NormalUp, fade)) << fade;
        EXPECT_EQ(s->At(50, 35), BlendColor(HotLow, NormalLow, fade)) << fade;
        EXPECT_EQ(s->At(50, 0), BlendColor(a.BorderColorHot(), a.BorderColor(), fade)) << fade;
        Tick(FadeTimer());
    }
    EXPECT_EQ(FadeTimer(), nullptr);
    EXPECT_EQ(Render()->At(50, 5), HotUp);
}

TEST_F(ButtonPaintTest, LeavingFadesBackToTheNormalColours) {
    Hover(*button);
    button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
    ASSERT_NE(FadeTimer(), nullptr);
    Tick(FadeTimer());
    EXPECT_EQ(Render()->At(50, 5), BlendColor(HotUp, NormalUp, 80));
    Tick(FadeTimer());
    EXPECT_EQ(Render()->At(50, 5), BlendColor(HotUp, NormalUp, 60));
}

TEST_F(ButtonPaintTest, PressingFadesFromTheHotToTheDownColoursOneStepPerTick) {
    Hover(*button);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
    ASSERT_NE(FadeTimer(), nullptr);
    const TGlowButtonAppearance& a = *button->Appearance();
    for (int fade = 0; fade <= 100; fade += 20) {
        auto s = Render();
        EXPECT_EQ(s->At(50, 5), BlendColor(DownUp, HotUp, fade)) << fade;
        EXPECT_EQ(s->At(50, 35), BlendColor(DownLow, HotLow, fade)) << fade;
        EXPECT_EQ(s->At(50, 0), BlendColor(a.BorderColorDown(), a.BorderColorHot(), fade)) << fade;
        Tick(FadeTimer());
    }
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 20));
}

TEST_F(ButtonPaintTest, CheckedGroupButtonEnteredDuringADownFadeBlendsCheckedAndDown) {
    button->SetGroupIndex(1);
    button->SetDown(true);
    button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20)); // the down fade starts
    for (int fade : {20, 40, 60, 80}) {
        Tick(FadeTimer());
        ASSERT_EQ(button->Snapshot().downFade, fade);
        auto s = Render();
        EXPECT_EQ(s->At(50, 5), BlendColor(CheckedUp, DownUp, fade)) << fade;
        EXPECT_EQ(s->At(50, 35), BlendColor(CheckedLow, DownLow, fade)) << fade;
        EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColorChecked()) << fade;
    }
}

// ---- the parent's background

TEST_F(ButtonPaintTest, StandaloneButtonShowsTheParentInItsFourCornerPixels) {
    auto s = Render();
    EXPECT_EQ(s->At(0, 0), FormColor);
    EXPECT_EQ(s->At(99, 0), FormColor);
    EXPECT_EQ(s->At(0, 40), FormColor);
    EXPECT_EQ(s->At(99, 40), FormColor);
    EXPECT_NE(s->At(1, 0), FormColor);
}

TEST_F(ButtonPaintTest, SquareButtonStillShowsTheParentInItsCornerPixels) {
    button->SetRounded(false);
    auto s = Render();
    EXPECT_EQ(s->At(0, 0), FormColor);
    EXPECT_EQ(s->At(99, 40), FormColor);
    EXPECT_EQ(s->At(1, 0), button->Appearance()->BorderColor());
    EXPECT_EQ(s->At(0, 1), button->Appearance()->BorderColor());
}

TEST_F(ButtonPaintTest, LeftPieceShowsTheParentOnlyInItsLeftCorners) {
    button->SetPosition(bpLeft);
    auto s = Render();
    EXPECT_EQ(s->At(0, 0), FormColor);
    EXPECT_EQ(s->At(0, 40), FormColor);
    EXPECT_NE(s->At(99, 0), FormColor);
    EXPECT_NE(s->At(99, 40), FormColor);
}

TEST_F(ButtonPaintTest, RightPieceShowsTheParentOnlyInItsRightCorners) {
    button->SetPosition(bpRight);
    auto s = Render();
    EXPECT_EQ(s->At(99, 0), FormColor);
    EXPECT_EQ(s->At(99, 40), FormColor);
    EXPECT_NE(s->At(0, 0), FormColor);
    EXPECT_NE(s->At(0, 40), FormColor);
}

TEST_F(ButtonPaintTest, MiddlePieceShowsNoParentInItsCorners) {
    button->SetPosition(bpMiddle);
    auto s = Render();
    EXPECT_EQ(s->CountIf(s->rect(), [](TColor c) { return c == FormColor; }), 0);
    EXPECT_EQ(s->At(0, 0), button->Appearance()->BorderColor());
}

TEST_F(ButtonPaintTest, HeldSegmentKeepsItsNormalBorder) {
    button->SetPosition(bpMiddle);
    Hover(*button);
    HoldDown(*button);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), DownUp);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColor());
}

TEST_F(ButtonPaintTest, TransparentIdleButtonShowsOnlyTheParent) {
    button->SetTransparent(true);
    auto s = Render();
    EXPECT_EQ(s->CountIf(s->rect(), [](TColor c) { return c != FormColor; }), 0);
}

TEST_F(ButtonPaintTest, TransparentButtonShowsTheParentsControlsBehindIt) {
    auto* behind = NewControl<ProbeGraphic>(form, 30, 30, 20, 10);
    behind->fill = clRed;
    button->SetTransparent(true);
    auto s = Render();
    // The red control covers form pixels (30..50, 30..40), i.e. button pixels (10..30, 10..20).
    EXPECT_EQ(s->At(10, 10), clRed);
    EXPECT_EQ(s->At(29, 19), clRed);
    EXPECT_EQ(s->At(30, 20), FormColor);
}

TEST_F(ButtonPaintTest, TransparentIdleButtonStillShowsItsFocusOutline) {
    button->SetTransparent(true);
    button->SetFocus();
    auto s = Render();
    EXPECT_EQ(s->At(1, 20), 0xE4AD89u);
    EXPECT_EQ(s->At(50, 10), FormColor);
}

TEST_F(ButtonPaintTest, FocusedTransparentHotTypeButtonShowsItsHotFace) {
    button->SetTransparent(true);
    button->SetFocusType(ftHot);
    button->SetFocus();
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), HotUp);
    EXPECT_EQ(s->At(50, 0), button->Appearance()->BorderColorHot());
}

TEST_F(ButtonPaintTest, TransparentButtonUnderTheMouseShowsItsFace) {
    button->SetTransparent(true);
    Hover(*button);
    auto s = Render();
    EXPECT_EQ(s->At(50, 5), HotUp);
    EXPECT_EQ(s->At(0, 0), FormColor);
}

// ---- content through the button's own properties

TEST_F(ButtonPaintTest, HiddenCaptionIsNotDrawn) {
    button->SetCaption(L"Disable");
    button->SetShowCaption(false);
    auto s = Render();
    EXPECT_EQ(s->CountIf({4, 4, 96, 37}, [](TColor c) { return c != NormalUp && c != NormalLow; }),
              0);
}

TEST_F(ButtonPaintTest, DisabledButtonShowsItsDisabledPicture) {
    TBitmap red(10, 10), blue(10, 10);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect({0, 0, 10, 9});
    blue.Canvas().Brush().SetColor(clBlue);
    blue.Canvas().FillRect({0, 0, 10, 9});
    button->SetPicture(&red);
    button->SetDisabledPicture(&blue);
    EXPECT_EQ(Render()->At(50, 18), clRed);
    button->SetEnabled(false);
    EXPECT_EQ(Render()->At(50, 18), clBlue);
}

TEST_F(ButtonPaintTest, HotButtonShowsItsHotPicture) {
    TBitmap red(10, 10), blue(10, 10);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect({0, 0, 10, 9});
    blue.Canvas().Brush().SetColor(clBlue);
    blue.Canvas().FillRect({0, 0, 10, 9});
    button->SetPicture(&red);
    button->SetHotPicture(&blue);
    Hover(*button);
    EXPECT_EQ(Render()->At(50, 18), clBlue);
}

// ---- events, guards, messages

TEST_F(ButtonPaintTest, OnDrawButtonGetsTheCanvasTheClientRectangleAndTheLook) {
    std::vector<TGlowButtonState> looks;
    RECT seen{};
    button->OnDrawButton = [&](TObject* sender, TCanvas& canvas, const RECT& rect,
                               TGlowButtonState state) {
        EXPECT_EQ(sender, button);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clRed);
        canvas.FillRect({0, 0, 3, 3});
        seen = rect;
        looks.push_back(state);
    };
    auto normal = Render();
    Hover(*button);
    Render();
    HoldDown(*button);
    Render();
    ASSERT_EQ(looks.size(), 3u);
    EXPECT_EQ(looks[0], gsNormal);
    EXPECT_EQ(looks[1], gsHot);
    EXPECT_EQ(looks[2], gsDown);
    EXPECT_EQ(seen.right, 100);
    EXPECT_EQ(seen.bottom, 41);
    // Drawn on top of the finished face (only the corner pixel takes the parent after it).
    EXPECT_EQ(normal->At(1, 1), clRed);
}

TEST_F(ButtonPaintTest, PaintingDuringAPaintDoesNothing) {
    int draws = 0;
    button->OnDrawButton = [&](TObject*, TCanvas& canvas, const RECT&, TGlowButtonState) {
        ++draws;
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas.Handle()), 0);
    };
    Render();
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(button->Snapshot().painting);
}

TEST_F(ButtonPaintTest, AnErrorInOnDrawButtonLeavesTheButtonPaintable) {
    button->OnDrawButton = [](TObject*, TCanvas&, const RECT&, TGlowButtonState) {
        throw Exception(L"handler failed");
    };
    EXPECT_THROW(Render(), Exception);
    EXPECT_FALSE(button->Snapshot().painting);
    button->OnDrawButton = nullptr;
    EXPECT_EQ(Render()->At(50, 5), NormalUp);
}

TEST_F(ButtonPaintTest, EraseBackgroundAnswersOneAndErasesNothing) {
    Surface s(100, 41, 0xFF00FF);
    EXPECT_EQ(button->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc()), 0), 1);
    EXPECT_EQ(s.At(50, 20), 0xFF00FFu);
}

TEST_F(ButtonPaintTest, BufferedPaintShowsTheSameButtonOnTheScreen) {
    button->SetCaption(L"&Disable");
    auto expected = Render();
    ::RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    Surface screen(100, 41, 0xFF00FF);
    {
        WindowDC dc(button->Handle());
        ::BitBlt(screen.dc(), 0, 0, 100, 41, dc.get(), 0, 0, SRCCOPY);
    }
    int differences = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 100; ++x)
            differences += expected->At(x, y) != screen.At(x, y);
    EXPECT_EQ(differences, 0);
}

TEST_F(ButtonPaintTest, ZeroSizedButtonPaintsWithoutError) {
    button->SetBounds(20, 20, 0, 0);
    ::RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    EXPECT_TRUE(boxes.empty());
}

// Two renderings of the button, pixel for pixel alike.
bool SameRendering(const Surface& a, const Surface& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.At(x, y) != b.At(x, y)) return false;
    return true;
}

TEST_F(ButtonPaintTest, OwnFontIsDrawnInTheSystemTypefaceWhenSystemFontIsSet) {
    button->SetCaption(L"Disable");
    TFont font;
    font.SetName(L"Courier New");
    button->SetFont(&font);
    ASSERT_FALSE(button->ParentFont());
    auto system = Render();
    font.SetName(L"Segoe UI");
    button->SetFont(&font);
    button->Appearance()->SetSystemFont(false);
    auto segoe = Render();
    font.SetName(L"Courier New");
    button->SetFont(&font);
    auto courier = Render();
    EXPECT_TRUE(SameRendering(*system, *segoe));
    EXPECT_FALSE(SameRendering(*system, *courier));
}

TEST_F(ButtonPaintTest, ParentFontIsDrawnAsItIsWhateverSystemFontSays) {
    button->SetCaption(L"Disable");
    ASSERT_TRUE(button->ParentFont());
    auto withSystemFont = Render();
    button->Appearance()->SetSystemFont(false);
    auto without = Render();
    EXPECT_TRUE(SameRendering(*withSystemFont, *without));
}

TEST_F(ButtonPaintTest, ButtonWithoutParentPaintsWithoutCornersOfAParent) {
    TAdvGlowButton orphan(nullptr);
    MakeFlat(*orphan.Appearance());
    Surface s(100, 41, 0xFF00FF);
    orphan.Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc()), 0);
    EXPECT_EQ(s.At(50, 5), NormalUp);
    EXPECT_EQ(s.CountIf(s.rect(), [](TColor c) { return c == FormColor; }), 0);
}

} // namespace
} // namespace plaxor::test
