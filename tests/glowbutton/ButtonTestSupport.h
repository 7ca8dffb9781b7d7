#pragma once
// Shared pieces of the glow button's window tests: moving a button's state through its real
// messages, one shown form for a whole suite, real pointer and key input, and a bounded
// message pump. The tests read the state through the button's Snapshot.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "glowbutton/AdvGlowButton.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace plaxor {

namespace testing {

// One tick of a timer (the fade or the repeat timer of a snapshot), as its WM_TIMER runs it.
inline void Tick(TTimer* timer) {
    if (timer) timer->Tick();
}
// Ticks the button's fade until it has ended and freed its timer.
void FinishFade(const TAdvCustomGlowButton& button);
// The pointer moves onto (x, y): the framework's enter, then the hot fade runs to its end.
void Hover(TAdvCustomGlowButton& button, int x = 50, int y = 20);
// A left press at (x, y) that stays held, with its down fade run to its end.
void HoldDown(TAdvCustomGlowButton& button, int x = 50, int y = 20);

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
