#pragma once
// Shared pieces of the glow button's window tests: access to the button's private state, one
// shown form for a whole suite, real pointer and key input, and a bounded message pump.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "glowbutton/AdvGlowButton.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace plaxor {

// Reads and sets the state that input moves and painting reads.
class GlowButtonTestAccess {
public:
    explicit GlowButtonTestAccess(TAdvCustomGlowButton& button) : b_(button) {}
    std::uint8_t& buttonState() { return b_.buttonState; }
    bool& mouseOver() { return b_.mouseOver; }
    bool& mouseInside() { return b_.mouseInside; }
    bool& hotColors() { return b_.hotColors; }
    bool& pressed() { return b_.pressed; }
    bool& pressedOutside() { return b_.pressedOutside; }
    bool& leftButtonHeld() { return b_.leftButtonHeld; }
    bool& tracking() { return b_.tracking; }
    bool& dropDownHot() { return b_.dropDownHot; }
    bool& hasFocus() { return b_.hasFocus; }
    bool& defaultActive() { return b_.defaultActive; }
    bool& mouseDownSeen() { return b_.mouseDownSeen; }
    bool& loadedDown() { return b_.loadedDown; }
    TTimer* fadeTimer() { return b_.fadeTimer; }
    int& hotFade() { return b_.hotFade; }
    int& downFade() { return b_.downFade; }
    int& fadeStep() { return b_.fadeStep; }
    std::uint8_t& fadeKind() { return b_.fadeKind; }
    TTimer* repeatTimer() { return b_.repeatTimer; }
    bool& sizeDirty() { return b_.sizeDirty; }
    TButtonSizeState& buttonSizeState() { return b_.buttonSizeState; }
    bool& painting() { return b_.painting; }

private:
    TAdvCustomGlowButton& b_;
};

namespace testing {

using State = TAdvCustomGlowButton;

// Logs a control's mouse, click and key events as short words.
void LogButtonEvents(TAdvCustomGlowButton& button, std::vector<std::wstring>& log);

// A windowed control that is not a glow button: something else to hold the focus, or to send
// a group message of its own.
class OtherControl : public TCustomControl {
public:
    explicit OtherControl(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::wstring ClassName() const override { return L"TOtherControl"; }
};

// One application and one shown form for a whole suite, emptied after each test: under Wine
// without a window manager, destroying a visible top-level window waits about two seconds.
class ButtonFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    template <typename T = TAdvGlowButton>
    T* NewButton(int left = 20, int top = 20, int width = 100, int height = 41) {
        auto* control = new T(form);
        control->SetBounds(left, top, width, height);
        control->SetParent(form);
        return control;
    }
    OtherControl* NewOther(int left = 200, int top = 150) {
        auto* other = new OtherControl(form);
        other->SetBounds(left, top, 40, 20);
        other->SetParent(form);
        return other;
    }

    // A message straight to the control's window, as Windows delivers a sent message.
    static LRESULT Send(TWinControl& control, UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) {
        return ::SendMessageW(control.Handle(), msg, wparam, lparam);
    }
    static LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }
    // Press and release through the window, in client coordinates.
    static void Press(TWinControl& c, int x = 10, int y = 10) {
        Send(c, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    }
    static void Release(TWinControl& c, int x = 10, int y = 10) {
        Send(c, WM_LBUTTONUP, 0, Point(x, y));
    }
    static void Click(TWinControl& c, int x = 10, int y = 10) {
        Press(c, x, y);
        Release(c, x, y);
    }
    // True when the window has an update region (something invalidated it); validates it.
    static bool TakeInvalidation(TWinControl& c);

    // The real pointer, moved to a client point of the control (absolute SendInput).
    static void MoveTo(TControl& control, int x, int y);
    static void MouseButton(DWORD flag);
    // Real keys through the input queue, as a person types them.
    static void Keys(std::initializer_list<std::pair<WORD, bool>> strokes);
    static void Tap(WORD key) { Keys({{key, false}, {key, true}}); }

    void Pump() { app->ProcessMessages(); }
    // Pumps until done() holds or about two seconds passed; returns done().
    bool PumpUntil(const std::function<bool()>& done);
    // Lets queued input and paint messages through (bounded).
    void Settle();

    TApplication* app = nullptr;
    TForm* form = nullptr;

private:
    static inline TApplication* sharedApp_ = nullptr;
    static inline TForm* sharedForm_ = nullptr;
};

} // namespace testing
} // namespace plaxor
