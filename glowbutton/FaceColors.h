#pragma once
// Which colours a glow button's face takes for its state: the colour set of the state, the
// fade blends between sets, and the few per-paint values derived from the same state fields.
// Pure functions of those values, so the rules can be checked without a window.
#include "GlowButtonAppearance.h"
#include "GlowButtonTypes.h"
#include "GlowState.h"
#include "framework/Colors.h"

namespace plaxor {

// One resolved colour set for a paint.
struct TFaceColors {
    TColor Color = 0;
    TColor ColorTo = 0;
    TColor ColorMirror = 0;
    TColor ColorMirrorTo = 0;
    TColor BorderColor = 0;
    TGDIPGradient Gradient = ggVertical;
    TGDIPGradient GradientMirror = ggVertical;
    // The hot or the down set is in use: a drop-down button then shows its split face.
    bool highlighted = false;
};

// What the colour choice reads besides the button's state: its settings, and whether a fade
// runs (the state knows only its timer).
struct TFaceSettings {
    bool enabled = true;
    bool down = false;
    bool showDisabled = true;
    TAdvButtonStyle style = bsButton;
    int groupIndex = 0;
    bool transparent = false;
    TButtonPosition position = bpStandalone;
    TFocusType focusType = ftBorder;
    bool fading = false;
};

// The seven values of one state's set; highlighted stays false.
TFaceColors NormalColors(const TGlowButtonAppearance& a);
TFaceColors HotColors(const TGlowButtonAppearance& a);
TFaceColors DownColors(const TGlowButtonAppearance& a);
TFaceColors CheckedColors(const TGlowButtonAppearance& a);
TFaceColors DisabledColors(const TGlowButtonAppearance& a);

// The colour set for the state with the fades applied, then the overrides that follow them
// in a paint: a held segment keeps the normal border, a disabled button shows the disabled set
// (over any fade), a focused ftHot / ftHotBorder button that is not pressed shows the hot set.
// A disabled button without ShowDisabled keeps the look of its state: checked when it is a Down
// button of a group, though its buttonState reads stateDisabled.
TFaceColors ChooseFaceColors(const TGlowButtonAppearance& appearance, const TGlowState& state,
                             const TFaceSettings& settings);

// buttonState as a paint first settles it: stateDisabled while disabled; an enabled button
// leaves stateDisabled for stateChecked (Down in a group) or stateUp; a Down check button is
// stateDown. clearTracking tells the caller to drop a pending press.
struct TSettledState {
    TButtonPressState buttonState;
    bool clearTracking;
};
TSettledState SettleButtonState(TButtonPressState buttonState, bool enabled, bool down,
                                int groupIndex, TAdvButtonStyle style);

THotPart HotPart(bool dropDownButton, bool mouseInside, bool leftButtonHeld, bool dropDownHot);
bool FocusBorderShown(bool hasFocus, TFocusType focusType);
bool FocusHotShown(bool hasFocus, TFocusType focusType);
// A transparent button at rest shows the parent through it: no face, no border.
bool IsTransparentIdle(bool transparent, bool mouseOver, bool focusHot,
                       TButtonPressState buttonState);

} // namespace plaxor
