// Which colours the face takes in each state: the five sets, the hot and down fades at each
// step, the checked blends, and the overrides for disabled, held and focused buttons.
#include "glowbutton/ColorMath.h"
#include "glowbutton/FaceColors.h"
#include "glowbutton/GlowButtonAppearance.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

// An appearance whose five sets differ in every colour, so a test can tell which one shows.
class FaceColorsTest : public testing::Test {
protected:
    FaceColorsTest() {
        a.SetColor(0x000010);
        a.SetColorTo(0x000020);
        a.SetColorMirror(0x000030);
        a.SetColorMirrorTo(0x000040);
        a.SetBorderColor(0x000050);
        a.SetColorHot(0x001000);
        a.SetColorHotTo(0x002000);
        a.SetColorMirrorHot(0x003000);
        a.SetColorMirrorHotTo(0x004000);
        a.SetBorderColorHot(0x005000);
        a.SetColorDown(0x100000);
        a.SetColorDownTo(0x200000);
        a.SetColorMirrorDown(0x300000);
        a.SetColorMirrorDownTo(0x400000);
        a.SetBorderColorDown(0x500000);
        a.SetColorChecked(0x101010);
        a.SetColorCheckedTo(0x202020);
        a.SetColorMirrorChecked(0x303030);
        a.SetColorMirrorCheckedTo(0x404040);
        a.SetBorderColorChecked(0x505050);
        a.SetColorDisabled(0x0A0A0A);
        a.SetColorDisabledTo(0x0B0B0B);
        a.SetColorMirrorDisabled(0x0C0C0C);
        a.SetColorMirrorDisabledTo(0x0D0D0D);
        a.SetBorderColorDisabled(0x0E0E0E);
        a.SetGradientDisabled(ggDiagonalForward);
        a.SetGradientChecked(ggDiagonalBackward);
    }
    TFaceColors Choose() const { return ChooseFaceColors(a, s, p); }

    TGlowButtonAppearance a;
    TGlowState s;
    TFaceSettings p;
};

TEST_F(FaceColorsTest, IdleButtonShowsTheNormalSet) {
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, a.Color());
    EXPECT_EQ(c.ColorTo, a.ColorTo());
    EXPECT_EQ(c.ColorMirror, a.ColorMirror());
    EXPECT_EQ(c.ColorMirrorTo, a.ColorMirrorTo());
    EXPECT_EQ(c.BorderColor, a.BorderColor());
    EXPECT_EQ(c.Gradient, a.Gradient());
    EXPECT_EQ(c.GradientMirror, a.GradientMirror());
    EXPECT_FALSE(c.highlighted);
}

TEST_F(FaceColorsTest, HotButtonShowsTheHotSetHighlighted) {
    s.hotColors = true;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, a.ColorHot());
    EXPECT_EQ(c.ColorMirrorTo, a.ColorMirrorHotTo());
    EXPECT_EQ(c.BorderColor, a.BorderColorHot());
    EXPECT_EQ(c.Gradient, a.GradientHot());
    EXPECT_TRUE(c.highlighted);
}

TEST_F(FaceColorsTest, DownButtonShowsTheDownSetHighlighted) {
    s.buttonState = stateDown;
    s.hotColors = true;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, a.ColorDown());
    EXPECT_EQ(c.ColorMirror, a.ColorMirrorDown());
    EXPECT_EQ(c.BorderColor, a.BorderColorDown());
    EXPECT_TRUE(c.highlighted);
}

TEST_F(FaceColorsTest, CheckedButtonShowsTheCheckedSetWithoutHighlight) {
    s.buttonState = stateChecked;
    s.hotColors = true;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, a.ColorChecked());
    EXPECT_EQ(c.BorderColor, a.BorderColorChecked());
    EXPECT_EQ(c.Gradient, ggDiagonalBackward);
    EXPECT_FALSE(c.highlighted);
}

TEST_F(FaceColorsTest, DownCheckStyleButtonShowsTheCheckedSet) {
    p.style = bsCheck;
    s.buttonState = stateDown;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.ColorTo, a.ColorCheckedTo());
    EXPECT_FALSE(c.highlighted);
}

TEST_F(FaceColorsTest, DisabledWithShowDisabledShowsTheDisabledSet) {
    p.enabled = false;
    s.buttonState = stateDisabled;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, a.ColorDisabled());
    EXPECT_EQ(c.ColorTo, a.ColorDisabledTo());
    EXPECT_EQ(c.ColorMirror, a.ColorMirrorDisabled());
    EXPECT_EQ(c.ColorMirrorTo, a.ColorMirrorDisabledTo());
    EXPECT_EQ(c.BorderColor, a.BorderColorDisabled());
    EXPECT_EQ(c.Gradient, ggDiagonalForward);
}

TEST_F(FaceColorsTest, DisabledSetOverridesARunningFade) {
    p.enabled = false;
    p.fading = true;
    s.hotFade = 60;
    EXPECT_EQ(Choose().Color, a.ColorDisabled());
}

TEST_F(FaceColorsTest, DisabledWithoutShowDisabledKeepsTheNormalColours) {
    p.enabled = false;
    p.showDisabled = false;
    const TSettledState settled = SettleButtonState(stateUp, false, false, 0, bsButton);
    s.buttonState = settled.buttonState;
    EXPECT_EQ(Choose().Color, a.Color());
}

TEST_F(FaceColorsTest, DisabledDownGroupButtonWithoutShowDisabledKeepsTheCheckedColours) {
    p.showDisabled = false;
    p.enabled = false;
    p.down = true;
    p.groupIndex = 3;
    s.buttonState = SettleButtonState(stateChecked, false, true, 3, bsButton).buttonState;
    ASSERT_EQ(s.buttonState, stateDisabled);
    EXPECT_EQ(Choose().Color, a.ColorChecked());
}

TEST_F(FaceColorsTest, DisabledDownButtonOutsideAGroupWithoutShowDisabledLooksNormal) {
    p.showDisabled = false;
    p.enabled = false;
    p.down = true;
    s.buttonState = stateDisabled;
    EXPECT_EQ(Choose().Color, a.Color());
}

TEST_F(FaceColorsTest, DisabledDownCheckStyleButtonWithoutShowDisabledLooksChecked) {
    p.showDisabled = false;
    p.enabled = false;
    p.down = true;
    p.style = bsCheck;
    s.buttonState = SettleButtonState(stateUp, false, true, 0, bsCheck).buttonState;
    EXPECT_EQ(Choose().Color, a.ColorChecked());
}

TEST_F(FaceColorsTest, HotFadeBlendsHotAndNormalAtEachStep) {
    for (int fade = 0; fade <= 100; fade += 20) {
        s = {};
        p = {};
        p.fading = true;
        s.hotFade = fade;
        const TFaceColors c = Choose();
        EXPECT_EQ(c.Color, BlendColor(a.ColorHot(), a.Color(), fade)) << fade;
        EXPECT_EQ(c.ColorTo, BlendColor(a.ColorHotTo(), a.ColorTo(), fade)) << fade;
        EXPECT_EQ(c.ColorMirror, BlendColor(a.ColorMirrorHot(), a.ColorMirror(), fade)) << fade;
        EXPECT_EQ(c.ColorMirrorTo, BlendColor(a.ColorMirrorHotTo(), a.ColorMirrorTo(), fade))
            << fade;
        EXPECT_EQ(c.BorderColor, BlendColor(a.BorderColorHot(), a.BorderColor(), fade)) << fade;
    }
}

TEST_F(FaceColorsTest, HotFadeEndsShowTheNormalAndTheHotColours) {
    p.fading = true;
    s.hotFade = 0;
    EXPECT_EQ(Choose().ColorTo, a.ColorTo());
    s.hotFade = 100;
    EXPECT_EQ(Choose().ColorTo, a.ColorHotTo());
}

TEST_F(FaceColorsTest, HotFadeKeepsTheChosenSetsGradientKinds) {
    p.fading = true;
    s.hotFade = 40;
    s.hotColors = true;
    a.SetGradientHot(ggDiagonalForward);
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Gradient, ggDiagonalForward);
    EXPECT_TRUE(c.highlighted);
}

TEST_F(FaceColorsTest, TransparentButtonDoesNotFadeHot) {
    p.fading = true;
    s.hotFade = 40;
    p.transparent = true;
    EXPECT_EQ(Choose().Color, a.Color());
}

TEST_F(FaceColorsTest, PressFadeBlendsDownAndHotAtEachStep) {
    for (int fade = 0; fade <= 100; fade += 20) {
        s = {};
        p = {};
        p.fading = true;
        s.pressed = true;
        s.buttonState = stateDown;
        s.downFade = fade;
        const TFaceColors c = Choose();
        EXPECT_EQ(c.Color, BlendColor(a.ColorDown(), a.ColorHot(), fade)) << fade;
        EXPECT_EQ(c.ColorMirrorTo, BlendColor(a.ColorMirrorDownTo(), a.ColorMirrorHotTo(), fade))
            << fade;
        EXPECT_EQ(c.BorderColor, BlendColor(a.BorderColorDown(), a.BorderColorHot(), fade)) << fade;
    }
}

TEST_F(FaceColorsTest, PressedCheckStyleButtonBlendsDownAndChecked) {
    p.style = bsCheck;
    p.fading = true;
    s.pressed = true;
    s.buttonState = stateDown;
    s.downFade = 60;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.Color, BlendColor(a.ColorDown(), a.ColorChecked(), 60));
    EXPECT_EQ(c.BorderColor, a.BorderColorChecked());
}

TEST_F(FaceColorsTest, CheckedGroupButtonEnteredDuringADownFadeBlendsCheckedAndDown) {
    for (int fade = 0; fade <= 100; fade += 20) {
        s = {};
        p = {};
        s.buttonState = stateChecked;
        p.groupIndex = 1;
        p.fading = true;
        s.mouseInside = true;
        s.downFade = fade;
        const TFaceColors c = Choose();
        EXPECT_EQ(c.Color, BlendColor(a.ColorChecked(), a.ColorDown(), fade)) << fade;
        EXPECT_EQ(c.ColorTo, BlendColor(a.ColorCheckedTo(), a.ColorDownTo(), fade)) << fade;
        EXPECT_EQ(c.ColorMirror, BlendColor(a.ColorMirrorChecked(), a.ColorMirrorDown(), fade))
            << fade;
        EXPECT_EQ(c.ColorMirrorTo,
                  BlendColor(a.ColorMirrorCheckedTo(), a.ColorMirrorDownTo(), fade))
            << fade;
        EXPECT_EQ(c.BorderColor, a.BorderColorChecked()) << fade;
        EXPECT_EQ(c.Gradient, a.GradientChecked()) << fade;
    }
}

TEST_F(FaceColorsTest, CheckedGroupButtonWithTheMouseAwayKeepsTheCheckedColours) {
    s.buttonState = stateChecked;
    p.groupIndex = 1;
    p.fading = true;
    s.downFade = 60;
    EXPECT_EQ(Choose().Color, a.ColorChecked());
}

TEST_F(FaceColorsTest, HeldSegmentKeepsTheNormalBorder) {
    s.buttonState = stateDown;
    p.position = bpMiddle;
    s.leftButtonHeld = true;
    const TFaceColors c = Choose();
    EXPECT_EQ(c.BorderColor, a.BorderColor());
    EXPECT_EQ(c.Color, a.ColorDown());
}

TEST_F(FaceColorsTest, HeldStandaloneButtonKeepsItsStateBorder) {
    s.buttonState = stateDown;
    s.leftButtonHeld = true;
    EXPECT_EQ(Choose().BorderColor, a.BorderColorDown());
}

TEST_F(FaceColorsTest, FocusedHotTypeButtonShowsTheHotSet) {
    for (TFocusType type : {ftHot, ftHotBorder}) {
        s = {};
        p = {};
        s.hasFocus = true;
        p.focusType = type;
        const TFaceColors c = Choose();
        EXPECT_EQ(c.Color, a.ColorHot()) << int(type);
        EXPECT_TRUE(c.highlighted) << int(type);
    }
}

TEST_F(FaceColorsTest, FocusedBorderTypeButtonKeepsTheNormalSet) {
    s.hasFocus = true;
    p.focusType = ftBorder;
    EXPECT_EQ(Choose().Color, a.Color());
}

TEST_F(FaceColorsTest, PressedFocusedHotTypeButtonKeepsTheDownSet) {
    s.hasFocus = true;
    p.focusType = ftHot;
    s.pressed = true;
    s.buttonState = stateDown;
    EXPECT_EQ(Choose().Color, a.ColorDown());
}

TEST(SettleButtonState, DisabledControlIsStateDisabledAndDropsTracking) {
    const TSettledState s = SettleButtonState(stateDown, false, false, 0, bsButton);
    EXPECT_EQ(s.buttonState, stateDisabled);
    EXPECT_TRUE(s.clearTracking);
}

TEST(SettleButtonState, EnabledAgainIsUpOrCheckedInAGroup) {
    EXPECT_EQ(SettleButtonState(stateDisabled, true, false, 1, bsButton).buttonState, stateUp);
    EXPECT_EQ(SettleButtonState(stateDisabled, true, true, 0, bsButton).buttonState, stateUp);
    EXPECT_EQ(SettleButtonState(stateDisabled, true, true, 1, bsButton).buttonState, stateChecked);
}

TEST(SettleButtonState, DownCheckStyleIsStateDown) {
    EXPECT_EQ(SettleButtonState(stateUp, true, true, 0, bsCheck).buttonState, stateDown);
    EXPECT_EQ(SettleButtonState(stateUp, false, true, 0, bsCheck).buttonState, stateDown);
}

TEST(SettleButtonState, EnabledStatesStayAsTheyAre) {
    const TSettledState s = SettleButtonState(stateChecked, true, false, 0, bsButton);
    EXPECT_EQ(s.buttonState, stateChecked);
    EXPECT_FALSE(s.clearTracking);
}

TEST(PaintFlags, HotPartIsSetOnlyForADropDownButtonUnderTheMouseOrHeld) {
    EXPECT_EQ(HotPart(false, true, false, true), hotPartNone);
    EXPECT_EQ(HotPart(true, false, false, true), hotPartNone);
    EXPECT_EQ(HotPart(true, true, false, false), hotPartMain);
    EXPECT_EQ(HotPart(true, false, true, true), hotPartDropDown);
}

TEST(PaintFlags, FocusOutlineAndFocusHotFollowTheFocusType) {
    EXPECT_TRUE(FocusBorderShown(true, ftBorder));
    EXPECT_TRUE(FocusBorderShown(true, ftHotBorder));
    EXPECT_FALSE(FocusBorderShown(true, ftHot));
    EXPECT_FALSE(FocusBorderShown(false, ftBorder));
    EXPECT_TRUE(FocusHotShown(true, ftHot));
    EXPECT_TRUE(FocusHotShown(true, ftHotBorder));
    EXPECT_FALSE(FocusHotShown(true, ftNone));
}

TEST(PaintFlags, TransparentButtonIsIdleUntilHotFocusedOrDown) {
    EXPECT_TRUE(IsTransparentIdle(true, false, false, stateUp));
    EXPECT_TRUE(IsTransparentIdle(true, false, false, stateChecked));
    EXPECT_FALSE(IsTransparentIdle(false, false, false, stateUp));
    EXPECT_FALSE(IsTransparentIdle(true, true, false, stateUp));
    EXPECT_FALSE(IsTransparentIdle(true, false, true, stateUp));
    EXPECT_FALSE(IsTransparentIdle(true, false, false, stateDown));
}

} // namespace
} // namespace plaxor
