// The drop-down part of the glow button and its seam to a linked action. The menu itself and
// actions come with their own framework classes.
#include "AdvGlowButton.h"

namespace plaxor {

void TAdvCustomGlowButton::DropDownFromMouse() {
    mouseInside = false;
    Raise(OnDropDown, this);
    RequestRepaint();
}

void TAdvCustomGlowButton::DropDownFromKeyboard() {
    if (!IsMenuButton() && !dropDownMenu_) return;
    if (dropDownMenu_) {
        buttonState = stateDown;
        Raise(OnDropDown, this);
        RequestRepaint();
        buttonState = stateUp;
        RepaintNow();
    }
    RequestRepaint();
}

bool TAdvCustomGlowButton::ActionLinked() const {
    return false;
}

bool TAdvCustomGlowButton::ActionAutoChecks() const {
    return false;
}

TObject* TAdvCustomGlowButton::ActionObject() const {
    return nullptr;
}

} // namespace plaxor
