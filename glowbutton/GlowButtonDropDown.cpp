// The drop-down part of the glow button: opening its menu from the mouse and from the keyboard
// at the anchor, and the button's side of the action link.
#include "AdvGlowButton.h"
#include "GlowButtonActionLink.h"
#include "framework/Actions.h"
#include "framework/PopupMenu.h"

namespace plaxor {

POINT TAdvCustomGlowButton::DropDownAnchor() const {
    POINT anchor = dropDownDirection_ == ddRight ? POINT{Left() + Width(), Top()}
                                                 : POINT{Left(), Top() + Height()};
    if (const TWinControl* parent = Parent()) anchor = parent->ClientToScreen(anchor);
    return anchor;
}

void TAdvCustomGlowButton::ShowDropDownMenu() {
    const POINT anchor = DropDownAnchor();
    // Modal: returns when the menu has closed; timers and repaints run meanwhile.
    dropDownMenu_->ShowMenuAt(anchor.x, anchor.y);
}

void TAdvCustomGlowButton::DropDownFromMouse() {
    state_.mouseInside = false;
    // OnDropDown and the menu's items may free the button.
    const TComponentRef self(this);
    Raise(OnDropDown, this);
    if (!self) return;
    if (dropDownMenu_) {
        // While the menu is open the button counts as hovered but not hot.
        state_.pressed = false;
        state_.hotColors = false;
        state_.mouseOver = true;
        RepaintNow();
        ShowDropDownMenu();
        if (!self) return;
        // The menu's loop took the release of the press that opened it: the press ends here,
        // and a release arriving on its own later is no click.
        state_.leftButtonHeld = false;
        state_.mouseDownSeen = false;
        SetControlState(ControlState().Without(csClicked).Without(csLButtonDown));
        // Nothing fades back from the press: a fade now would blend the hot set in again
        // for a moment, though the button is no longer hot. It shows the normal set at once.
        if (state_.Fading()) FinishFade();
        state_.hotFade = 0;
        state_.downFade = 0;
        // The menu's loop had the mouse: where the pointer went meanwhile is read now.
        if (!CursorOver()) {
            state_.mouseOver = false;
            state_.mouseInside = false;
            state_.hotColors = false;
            state_.dropDownHot = false;
        }
        RepaintNow();
    }
    RequestRepaint();
}

void TAdvCustomGlowButton::DropDownFromKeyboard() {
    if (!IsMenuButton() && !dropDownMenu_) return;
    if (dropDownMenu_) {
        // The face shows pressed while the menu is open.
        state_.buttonState = stateDown;
        const TComponentRef self(this);
        Raise(OnDropDown, this);
        if (!self) return;
        RequestRepaint();
        // OnDropDown may have taken the menu away.
        if (dropDownMenu_) ShowDropDownMenu();
        if (!self) return;
        state_.buttonState = stateUp;
        RepaintNow();
    }
    RequestRepaint();
}

// ---- the action link ----

std::unique_ptr<TControlActionLink> TAdvCustomGlowButton::ActionLinkClass() const {
    return std::make_unique<TAdvGlowButtonActionLink>();
}

void TAdvCustomGlowButton::ApplyAction(TBasicAction* sender, bool checkDefaults) {
    TCustomControl::ApplyAction(sender, checkDefaults);
    const auto* action = dynamic_cast<const TCustomAction*>(sender);
    if (!action) return;
    if (checkDefaults || groupIndex_ == 0) SetGroupIndex(action->GroupIndex());
    SetImageIndex(action->ImageIndex());
}

bool TAdvCustomGlowButton::ActionAutoChecks() const {
    const auto* action = dynamic_cast<const TAction*>(Action());
    return action && action->AutoCheck();
}

TImageList* TAdvCustomGlowButton::ActionImages(int& imageIndex) const {
    const auto* action = dynamic_cast<const TCustomAction*>(Action());
    if (!action || action->ImageIndex() < 0) return nullptr;
    const TActionList* list = action->ActionList();
    if (!list || !list->Images()) return nullptr;
    imageIndex = action->ImageIndex();
    return list->Images();
}

} // namespace plaxor
