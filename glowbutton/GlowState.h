#pragma once
// The glow button's state: everything it remembers besides its properties, in one place. Input
// (GlowButtonInput.cpp, GlowButtonDropDown.cpp) moves it, painting reads it, sizing keeps its
// part here too; the field names are those the button's rules use.
#include "GlowButtonTypes.h"

namespace plaxor {

class TTimer;

struct TGlowState {
    TButtonPressState buttonState = stateUp;

    // Hover, read from the framework's CM_MOUSEENTER and CM_MOUSELEAVE. The mouse is over the
    // button (held while its drop-down menu is open):
    bool mouseOver = false;
    // its companion, which a release and the menu clear and the cursor re-check sets:
    bool mouseInside = false;
    // and paint with the hot colours.
    bool hotColors = false;

    // A press (mouse, Enter or Space) is in progress; it stays during the fade back.
    bool pressed = false;
    // The mouse left while the button was held down: coming back presses again.
    bool pressedOutside = false;
    bool leftButtonHeld = false;
    // A press on the face (not the menu part) waits for its release.
    bool tracking = false;
    // The mouse is over the drop-down part.
    bool dropDownHot = false;

    bool hasFocus = false;
    // Enter clicks this button.
    bool defaultActive = false;
    // A left-button-down message (not a double click) came since the last release.
    bool mouseDownSeen = false;
    // The last Down assigned while a layout was loading.
    bool loadedDown = false;

    // The fade: its timer (an owned component, only while a fade runs), the blend positions
    // 0..100 of the hot and the down fade, the step each tick adds, and which one moves.
    TTimer* fadeTimer = nullptr;
    int hotFade = 0;
    int downFade = 0;
    int fadeStep = 0;
    TFadeKind fadeKind = fadeKindHot;
    // The auto-repeat timer, an owned component made by the first press with RepeatClick.
    TTimer* repeatTimer = nullptr;

    // The action link's last answers: Down follows Checked, GroupIndex follows the action's.
    bool checkedLinked = false;
    bool groupIndexLinked = false;

    // Sizing: a measuring paint is asked for.
    bool sizeRequest = false;
    // The content must be measured again (at the first paint that can).
    bool sizeDirty = true;
    // The size state, with the layout and drop-down position that the large state keeps.
    TButtonSizeState buttonSizeState = bsLarge;
    TButtonLayout savedLayout = blGlyphLeft;
    TDropDownPosition savedDropDownPosition = dpRight;

    // A paint is running (a nested one does nothing).
    bool painting = false;

    // A fade runs while its timer exists; only then do the colours blend.
    bool Fading() const noexcept { return fadeTimer != nullptr; }
};

} // namespace plaxor
