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

bool Disabled(const TGlowState& s, const TFaceSettings& p) {
    return s.buttonState == stateDisabled || !p.enabled;
}

TFaceColors StateColors(const TGlowButtonAppearance& a, const TGlowState& s,
                        const TFaceSettings& p) {
    if (Disabled(s, p) && p.showDisabled) return DisabledColors(a);
    if (s.buttonState == stateDown && p.style != bsCheck) {
        TFaceColors c = DownColors(a);
        c.highlighted = true;
        return c;
    }
    if (s.buttonState == stateChecked || (p.style == bsCheck && s.buttonState == stateDown)) {
        TFaceColors c = CheckedColors(a);
        // A checked button being pressed or entered shows its way towards the down colours.
        if (p.fading && (s.mouseInside ||
                         (p.style != bsCheck && (p.groupIndex <= 0 || s.buttonState == stateDown))))
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

void ApplyFades(TFaceColors& c, const TGlowButtonAppearance& a, const TGlowState& s,
                const TFaceSettings& p) {
    if (!p.fading) return;
    if (!s.pressed && !p.transparent && s.buttonState != stateChecked &&
        !(p.style == bsCheck && s.buttonState == stateDown)) {
        // Always between the appearance's hot and normal values, whatever set was chosen.
        BlendFace(c, HotColors(a), NormalColors(a), s.hotFade);
        c.BorderColor = BlendColor(a.BorderColorHot(), a.BorderColor(), s.hotFade);
    } else if (p.style == bsCheck) {
        if (s.pressed) BlendFace(c, DownColors(a), CheckedColors(a), s.downFade);
    } else if (s.pressed && s.buttonState != stateChecked) {
        BlendFace(c, DownColors(a), HotColors(a), s.downFade);
        c.BorderColor = BlendColor(a.BorderColorDown(), a.BorderColorHot(), s.downFade);
    }
}

} // namespace

TFaceColors ChooseFaceColors(const TGlowButtonAppearance& appearance, const TGlowState& painted,
                             const TFaceSettings& settings) {
    TGlowState state = painted;
    if (state.buttonState == stateDisabled && !settings.showDisabled)
        state.buttonState = settings.down && settings.groupIndex != 0 ? stateChecked : stateUp;
    TFaceColors c = StateColors(appearance, state, settings);
    ApplyFades(c, appearance, state, settings);
    if (settings.position != bpStandalone && state.leftButtonHeld)
        c.BorderColor = appearance.BorderColor();
    if (Disabled(state, settings) && settings.showDisabled) {
        const bool highlighted = c.highlighted;
        c = DisabledColors(appearance);
        c.highlighted = highlighted;
    }
    if (FocusHotShown(state.hasFocus, settings.focusType) && !state.pressed) {
        c = HotColors(appearance);
        c.highlighted = true;
    }
    return c;
}

TSettledState SettleButtonState(TButtonPressState buttonState, bool enabled, bool down,
                                int groupIndex, TAdvButtonStyle style) {
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

THotPart HotPart(bool dropDownButton, bool mouseInside, bool leftButtonHeld, bool dropDownHot) {
    if (!dropDownButton || !(mouseInside || leftButtonHeld)) return hotPartNone;
    return dropDownHot ? hotPartDropDown : hotPartMain;
}

bool FocusBorderShown(bool hasFocus, TFocusType focusType) {
    return hasFocus && (focusType == ftBorder || focusType == ftHotBorder);
}

bool FocusHotShown(bool hasFocus, TFocusType focusType) {
    return hasFocus && (focusType == ftHot || focusType == ftHotBorder);
}

bool IsTransparentIdle(bool transparent, bool mouseOver, bool focusHot,
                       TButtonPressState buttonState) {
    return transparent && !mouseOver && !focusHot && buttonState != stateDown;
}

} // namespace plaxor
