// How the glow button's state moves: mouse enter and leave with the fades, press, move and
// release with the click, auto-repeat, keys, dialog keys and accelerators, focus, and the down
// state with its groups. Every event handler may free the button: after raising one, code
// goes on only while a reference to the button still reads it.
#include "AdvGlowButton.h"
#include <memory>
#include "framework/Accel.h"
#include "framework/Actions.h"
#include "framework/Timer.h"
#include <algorithm>
#include <utility>
#include <windowsx.h>

namespace plaxor {

namespace {
constexpr std::uint32_t kFadeInterval = 30;
constexpr int kFadeStep = 20;
// The drop-down part: a press in the strip opens the menu, one pixel less of it shows hot.
constexpr int kDropDownPressZone = kDropDownStrip;

std::uint32_t TimerInterval(int milliseconds) {
    return milliseconds > 0 ? static_cast<std::uint32_t>(milliseconds) : 0;
}
} // namespace

bool TAdvCustomGlowButton::InClient(int x, int y) const {
    const RECT client = ClientRect();
    return x >= 0 && x < client.right && y >= 0 && y < client.bottom;
}

// ---- mouse enter and leave ----

void TAdvCustomGlowButton::OnMouseEnterMessage(TMessage& message) {
    TCustomControl::WindowProc(message);
    const TComponentRef self(this);
    Raise(OnMouseEnter, this);
    if (!self || state_.mouseOver) return;
    state_.hotColors = true;
    if (state_.pressedOutside) state_.pressed = true;
    StartFadeTimer();
    if (!state_.pressed && state_.fadeKind != fadeKindDown) {
        state_.fadeStep = kFadeStep;
        state_.fadeKind = fadeKindHot;
    }
    RequestRepaint();
    state_.mouseInside = true;
    state_.mouseOver = true;
}

void TAdvCustomGlowButton::OnMouseLeaveMessage(TMessage& message) {
    TCustomControl::WindowProc(message);
    const TComponentRef self(this);
    Raise(OnMouseLeave, this);
    if (!self || !state_.mouseOver) return;
    state_.mouseOver = false;
    state_.mouseInside = false;
    state_.hotColors = false;
    state_.dropDownHot = false;
    if (state_.pressed && state_.leftButtonHeld) {
        // Still held: re-entering shows the pressed look again.
        state_.pressed = false;
        state_.fadeStep = -kFadeStep;
        state_.fadeKind = fadeKindHot;
        RequestRepaint();
        state_.pressedOutside = true;
    } else {
        state_.pressed = false;
        state_.hotFade = 100;
        state_.fadeStep = -kFadeStep;
        state_.fadeKind = fadeKindHot;
        RequestRepaint();
    }
    StartFadeTimer();
}

// ---- fades ----

void TAdvCustomGlowButton::StartFadeTimer() {
    if (state_.Fading()) return;
    // Only a running timer counts as a fade: one that could not start is freed (with the
    // error passed on), or painting would blend colours for good and no fade would start again.
    auto timer = std::make_unique<TTimer>(this);
    timer->SetInterval(kFadeInterval);
    timer->OnTimer = [this](TObject*) { FadeTick(); };
    timer->SetEnabled(true);
    state_.fadeTimer = timer.release(); // the button owns it as a component from here
}

void TAdvCustomGlowButton::FadeTick() {
    if (state_.fadeKind == fadeKindFinished) return;
    int& position = state_.fadeKind == fadeKindHot ? state_.hotFade : state_.downFade;
    position += state_.fadeStep;
    const bool past =
        (position > 100 && state_.fadeStep > 0) || (position < 0 && state_.fadeStep < 0);
    if (!past) {
        RequestRepaint();
        return;
    }
    position = std::clamp(position, 0, 100);
    if (state_.fadeKind == fadeKindDown && state_.fadeStep < 0) {
        state_.pressed = false;
        state_.pressedOutside = false;
    }
    FinishFade();
}

void TAdvCustomGlowButton::FinishFade() {
    state_.fadeKind = fadeKindFinished;
    // Runs inside the timer's own tick, which the timer allows.
    delete std::exchange(state_.fadeTimer, nullptr);
}

// ---- press, move, release ----

void TAdvCustomGlowButton::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TComponentRef self(this);
    TCustomControl::HandleMouseDown(button, shift, x, y);
    if (!self || button != mbLeft) return;
    if (repeatClick_) {
        if (!state_.repeatTimer) state_.repeatTimer = new TTimer(this);
        state_.repeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
        // Stopped first, so that an unchanged interval still counts from this press.
        state_.repeatTimer->SetEnabled(false);
        state_.repeatTimer->SetInterval(TimerInterval(initRepeatPause_));
        state_.repeatTimer->SetEnabled(true);
    }
    state_.pressed = true;
    state_.leftButtonHeld = true;
    if (TabStop() && CanFocus()) SetFocus();
    StartFadeTimer();
    state_.fadeStep = kFadeStep;
    state_.fadeKind = fadeKindDown;

    const bool inZone = dropDownPosition_ == dpBottom ? y > Height() - kDropDownPressZone
                                                      : x > Width() - kDropDownPressZone;
    if (WholeButtonIsMenu() || (dropDownButton_ && dropDownSplit_ && inZone)) {
        DropDownFromMouse();
        return;
    }
    PressFace();
    state_.tracking = true;
}

bool TAdvCustomGlowButton::WholeButtonIsMenu() const {
    return (!dropDownButton_ && IsMenuButton()) ||
           (dropDownButton_ && !dropDownSplit_ && style_ == bsButton && groupIndex_ <= 0);
}

void TAdvCustomGlowButton::PressFace() {
    if (style_ == bsCheck) ChangeDown(!down_);
    if (!down_) {
        state_.buttonState = stateDown;
        RequestRepaint();
    }
    if (style_ == bsCheck) {
        state_.buttonState = stateDown;
        RepaintNow();
    }
}

void TAdvCustomGlowButton::HandleMouseMove(TShiftState shift, int x, int y) {
    const TComponentRef self(this);
    TCustomControl::HandleMouseMove(shift, x, y);
    if (!self) return;
    const bool hot =
        dropDownButton_ && (dropDownPosition_ == dpBottom ? y > Height() - kDropDownHotStrip
                                                          : x > Width() - kDropDownHotStrip);
    if (hot != state_.dropDownHot) {
        state_.dropDownHot = hot;
        RequestRepaint();
    }
    if (state_.tracking) {
        TButtonPressState state = down_ ? stateChecked : stateUp;
        if (InClient(x, y)) state = down_ ? stateChecked : stateDown;
        if (style_ == bsCheck && down_) state = stateDown;
        if (state != state_.buttonState) {
            state_.buttonState = state;
            RequestRepaint();
        }
    } else if (!state_.mouseInside) {
        CursorRecheck();
    }
}

void TAdvCustomGlowButton::CursorRecheck() {
    if (!Enabled()) return;
    const bool outside = !CursorOver();
    if (outside == state_.mouseInside) return;
    // The enter and leave handlers set mouseInside properly when their gate lets them through.
    state_.mouseInside = outside;
    Perform(outside ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
}

void TAdvCustomGlowButton::OnLeftButtonUp(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    // A press on this button (single or double) is being released; the framework forgets
    // that once its release handling has run.
    const bool pressedHere = ControlState().Contains(csLButtonDown);
    const TComponentRef self(this);
    bool released = false;
    state_.fadeStep = -kFadeStep;
    state_.fadeKind = fadeKindDown;
    state_.leftButtonHeld = false;
    state_.pressedOutside = false;
    StartFadeTimer();

    if (state_.tracking && !(!dropDownButton_ && IsMenuButton())) {
        state_.tracking = false;
        const bool inside = InClient(x, y);
        if (groupIndex_ == 0) {
            state_.buttonState = stateUp;
            state_.mouseInside = false;
            if (style_ == bsCheck) {
                if (Action()) {
                    ReleaseLeftButton(message);
                    released = true;
                    if (!self || state_.checkedLinked || state_.groupIndexLinked ||
                        ActionAutoChecks())
                        return;
                }
                if (!inside && down_) ChangeDown(false);
                RepaintNow();
            }
            if (inside && state_.buttonState != stateDown && state_.buttonState != stateChecked)
                RequestRepaint();
        } else {
            if (Action() && (state_.checkedLinked || state_.groupIndexLinked)) {
                ReleaseLeftButton(message);
                return;
            }
            if (inside) {
                ChangeDown(!down_);
                if (down_) RepaintNow();
            } else {
                // Up again unless it is down: no move may have come to take the pressed look.
                state_.buttonState = down_ ? stateChecked : stateUp;
                RepaintNow();
            }
        }
        CursorRecheck();
        if (!self) return;
    }

    if (state_.mouseDownSeen) {
        if (!released) SetControlState(ControlState().With(csClicked));
    } else if (pressedHere && InClient(x, y)) {
        // The press was a double-click message, on which the framework does not click. Like
        // any click it needs the release inside; a release without a press here is none.
        TForm* form = GetParentForm();
        if (!form || form->Active()) {
            TObject* action = Action();
            Raise(OnClick, action ? action : static_cast<TObject*>(this));
            if (!self) return;
        }
    }
    state_.mouseDownSeen = false;

    if (!released) ReleaseLeftButton(message);
    if (!self) return;
    if (style_ == bsCheck || groupIndex_ > 0) RepaintNow();
    RequestRepaint();
}

void TAdvCustomGlowButton::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TComponentRef self(this);
    TCustomControl::HandleMouseUp(button, shift, x, y);
    if (self && state_.repeatTimer) state_.repeatTimer->SetEnabled(false);
}

// ---- auto-repeat ----

void TAdvCustomGlowButton::RepeatTick() {
    if (!state_.repeatTimer) return;
    state_.repeatTimer->SetInterval(TimerInterval(repeatPause_));
    if (!state_.pressed || !MouseCapture()) return;
    const TComponentRef self(this);
    try {
        PerformClick();
    } catch (...) {
        if (self && state_.repeatTimer) state_.repeatTimer->SetEnabled(false);
        throw;
    }
}

// ---- keyboard ----

void TAdvCustomGlowButton::HandleKeyDown(WORD& key, TShiftState shift) {
    const TComponentRef self(this);
    TCustomControl::HandleKeyDown(key, shift);
    if (!self) return;
    if (key == VK_RETURN || key == VK_SPACE) {
        state_.pressed = true;
        state_.buttonState = stateDown;
        RepaintNow();
    }
    if (key == VK_F4) DropDownFromKeyboard();
}

void TAdvCustomGlowButton::HandleKeyPress(wchar_t& key) {
    const TComponentRef self(this);
    TCustomControl::HandleKeyPress(key);
    if (!self || (key != L' ' && key != L'\r')) return;
    // Straight to the event: a linked action is not run from here.
    if (TForm* form = GetParentForm()) form->SetModalResult(modalResult_);
    Raise(OnClick, this);
}

void TAdvCustomGlowButton::HandleKeyUp(WORD& key, TShiftState shift) {
    const TComponentRef self(this);
    TCustomControl::HandleKeyUp(key, shift);
    if (!self) return;
    state_.pressed = false;
    state_.buttonState = stateUp;
    RepaintNow();
}

void TAdvCustomGlowButton::OnDialogKey(TMessage& message) {
    TShiftState shift = KeyboardShiftState();
    if (HIWORD(message.LParam) & KF_ALTDOWN) shift.Include(ssAlt);
    const bool plain =
        !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    const bool ours = (message.WParam == VK_RETURN && state_.defaultActive) ||
                      (message.WParam == VK_ESCAPE && cancel_);
    if (ours && plain && CanFocus()) {
        const TComponentRef self(this);
        KeyboardClick();
        if (self) state_.buttonState = stateUp;
        message.Result = 1;
        return;
    }
    TCustomControl::WindowProc(message);
}

void TAdvCustomGlowButton::OnDialogChar(TMessage& message) {
    if (IsAccel(static_cast<wchar_t>(message.WParam), Caption()) && CanFocus()) {
        if (IsMenuButton() || dropDownMenu_)
            DropDownFromKeyboard();
        else
            PerformClick();
        message.Result = 1;
        return;
    }
    TCustomControl::WindowProc(message);
}

void TAdvCustomGlowButton::KeyboardClick() {
    if (WholeButtonIsMenu()) {
        if (dropDownMenu_)
            DropDownFromKeyboard();
        else
            PerformClick();
        return;
    }
    PressFace();
    PerformClick();
}

// ---- focus ----

void TAdvCustomGlowButton::HandleFocusEnter() {
    const TComponentRef self(this);
    TCustomControl::HandleFocusEnter();
    if (!self) return;
    RequestRepaint();
    state_.hasFocus = true;
}

void TAdvCustomGlowButton::HandleFocusExit() {
    const TComponentRef self(this);
    TCustomControl::HandleFocusExit();
    if (!self) return;
    state_.pressed = false;
    state_.buttonState = stateUp;
    state_.hasFocus = false;
    RequestRepaint();
}

void TAdvCustomGlowButton::UpdateDefaultActive(TWinControl* focused) {
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(focused))
        state_.defaultActive = glow == this;
    else
        state_.defaultActive = default_;
}

void TAdvCustomGlowButton::OnFocusChanged(TMessage& message) {
    // The form names the newly focused windowed control (or itself).
    UpdateDefaultActive(reinterpret_cast<TWinControl*>(message.LParam));
    TCustomControl::WindowProc(message);
}

// ---- down and groups ----

void TAdvCustomGlowButton::ChangeDown(bool value) {
    if (IsLoading()) state_.loadedDown = value;
    if (groupIndex_ == 0 && style_ == bsButton) value = false;
    if (style_ == bsCheck) {
        down_ = value;
        state_.buttonState = value ? stateDown : stateUp;
        RepaintNow();
        return;
    }
    if (value == down_ || (down_ && !allowAllUp_)) return;
    down_ = value;
    if (value) {
        if (state_.buttonState == stateUp) RequestRepaint();
        state_.buttonState = stateChecked;
        if (!state_.checkedLinked) AnnounceGroup();
    } else {
        state_.buttonState = stateUp;
        RepaintNow();
    }
}

void TAdvCustomGlowButton::AnnounceGroup() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(static_cast<LPARAM>(groupIndex_)),
                     reinterpret_cast<LPARAM>(static_cast<TControl*>(this)), 0};
    Parent()->Broadcast(message);
}

void TAdvCustomGlowButton::OnButtonPressed(TMessage& message) {
    if (static_cast<int>(static_cast<LPARAM>(message.WParam)) != groupIndex_ || !Parent()) return;
    // Only a sibling announces a group; whatever else the message carries is not looked at.
    TAdvCustomGlowButton* sender = nullptr;
    for (TControl* c : Parent()->Controls())
        if (reinterpret_cast<LPARAM>(c) == message.LParam)
            sender = dynamic_cast<TAdvCustomGlowButton*>(c);
    if (!sender || sender == this || !sender->down_ || !down_) return;
    down_ = false;
    state_.buttonState = stateUp;
    RequestRepaint();
}

} // namespace plaxor
