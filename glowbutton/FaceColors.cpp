#include "FaceColors.h"
#include "ColorMath.h"

namespace plaxor {

TFaceColors NormalColors(const TGlowButtonAppearance& a) {
    return {a.Color(),       a.ColorTo(),  a.ColorMirror(),    a.ColorMirrorTo(),
            a.BorderColor(), a.Gradient(), a.GradientMirror(), false};
}

TFaceColors HotColors(const TGlowButtonAppearance& a) {
    return {a.ColorHot(),       a.ColorHotTo(),  a.ColorMirrorHot(),    a.ColorMirrorHotTo(),
            a.BorderColorHot(), a.GradientHot(), a.GradientMirrorHot(), false};
}

TFaceColors DownColors(const TGlowButtonAppearance& a) {
    return {a.ColorDown(),       a.ColorDownTo(),  a.ColorMirrorDown(),    a.ColorMirrorDownTo(),
            a.BorderColorDown(), a.GradientDown(), a.GradientMirrorDown(), false};
}

TFaceColors CheckedColors(const TGlowButtonAppearance& a) {
    return {a.ColorChecked(),          a.ColorCheckedTo(),
            a.ColorMirrorChecked(),    a.ColorMirrorCheckedTo(),
            a.BorderColorChecked(),    a.GradientChecked(),
            a.GradientMirrorChecked(), false};
}

TFaceColors DisabledColors(const TGlowButtonAppearance& a) {
    return {a.ColorDisabled(),          a.ColorDisabledTo(),
            a.ColorMirrorDisabled(),    a.ColorMirrorDisabledTo(),
            a.BorderColorDisabled(),    a.GradientDisabled(),
            a.GradientMirrorDisabled(), false};
}

namespace {

// The four face colours of `into` become percent of `a` and the rest of `b`; border, kinds
// and highlighted stay.
void BlendFace(TFaceColors& into, const TFaceColors& a, const TFaceColors& b, int percent) {
    into.Color = BlendColor(a.Color, b.Color, percent);
    into.ColorTo = BlendColor(a.ColorTo, b.ColorTo, percent);
    into.ColorMirror = BlendColor(a.ColorMirror, b.ColorMirror, percent);
    into.ColorMirrorTo = BlendColor(a.ColorMirrorTo, b.ColorMirrorTo, percent);
}

bool Disabled(const TFaceState& s) {
    return s.buttonState == stateDisabled || !s.enabled;
}

TFaceColors StateColors(const TGlowButtonAppearance& a, const TFaceState& s) {
    if (Disabled(s) && s.showDisabled) return DisabledColors(a);
    if (s.buttonState == stateDown && s.style != bsCheck) {
        TFaceColors c = DownColors(a);
        c.highlighted = true;
        return c;
    }
    if (s.buttonState == stateChecked || (s.style == bsCheck && s.buttonState == stateDown)) {
        TFaceColors c = CheckedColors(a);
        // A checked button being pressed or entered shows its way towards the down colours.
        if (s.fadeTimerRunning &&
            (s.mouseInside ||
             (s.style != bsCheck && (s.groupIndex <= 0 || s.buttonState == stateDown))))
            BlendFace(c, CheckedColors(a), DownColors(a), s.downFade);
        return c;
    }
    if (s.hotColors) {
        TFaceColors c = HotColors(a);
        c.highlighted = true;
        return c;
    }
    return NormalColors(a);
}

void ApplyFades(TFaceColors& c, const TGlowButtonAppearance& a, const TFaceState& s) {
    if (!s.fadeTimerRunning) return;
    if (!s.pressed && !s.transparent && s.buttonState != stateChecked &&
        !(s.style == bsCheck && s.buttonState == stateDown)) {
        // Always between the appearance's hot and normal values, whatever set was chosen.
        BlendFace(c, HotColors(a), NormalColors(a), s.hotFade);
        c.BorderColor = BlendColor(a.BorderColorHot(), a.BorderColor(), s.hotFade);
    } else if (s.style == bsCheck) {
        if (s.pressed) BlendFace(c, DownColors(a), CheckedColors(a), s.downFade);
    } else if (s.pressed && s.buttonState != stateChecked) {
        BlendFace(c, DownColors(a), HotColors(a), s.downFade);
        c.BorderColor = BlendColor(a.BorderColorDown(), a.BorderColorHot(), s.downFade);
    }
}

} // namespace

TFaceColors ChooseFaceColors(const TGlowButtonAppearance& appearance, const TFaceState& painted) {
    TFaceState state = painted;
    if (state.buttonState == stateDisabled && !state.showDisabled)
        state.buttonState = state.down && state.groupIndex != 0 ? stateChecked : stateUp;
    TFaceColors c = StateColors(appearance, state);
    ApplyFades(c, appearance, state);
    if (state.position != bpStandalone && state.leftButtonHeld)
        c.BorderColor = appearance.BorderColor();
    if (Disabled(state) && state.showDisabled) {
        const bool highlighted = c.highlighted;
        c = DisabledColors(appearance);
        c.highlighted = highlighted;
    }
    if (FocusHotShown(state.hasFocus, state.focusType) && !state.pressed) {
        c = HotColors(appearance);
        c.highlighted = true;
    }
    return c;
}

TSettledState SettleButtonState(std::uint8_t buttonState, bool enabled, bool down, int groupIndex,
                                TAdvButtonStyle style) {
    TSettledState settled{buttonState, false};
    if (!enabled) {
        settled.buttonState = stateDisabled;
        settled.clearTracking = true;
    } else if (buttonState == stateDisabled) {
        settled.buttonState = down && groupIndex != 0 ? stateChecked : stateUp;
    }
    if (style == bsCheck && down) settled.buttonState = stateDown;
    return settled;
}

std::uint8_t HotPart(bool dropDownButton, bool mouseInside, bool leftButtonHeld, bool dropDownHot) {
    if (!dropDownButton || !(mouseInside || leftButtonHeld)) return 0;
    return dropDownHot ? 2 : 1;
}

bool FocusBorderShown(bool hasFocus, TFocusType focusType) {
    return hasFocus && (focusType == ftBorder || focusType == ftHotBorder);
}

bool FocusHotShown(bool hasFocus, TFocusType focusType) {
    return hasFocus && (focusType == ftHot || focusType == ftHotBorder);
}

bool IsTransparentIdle(bool transparent, bool mouseOver, bool focusHot, std::uint8_t buttonState) {
    return transparent && !mouseOver && !focusHot && buttonState != stateDown;
}

} // namespace plaxor
