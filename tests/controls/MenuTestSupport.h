#pragma once
// Driving a real popup menu from inside its own message loop: work is handed to a timer tick
// posted before the menu opens (the menu's loop delivers it), keys are posted to the queue as
// the menu reads them, and a watchdog ends any menu that a failing test left open.
#include "framework/Timer.h"
#include <functional>
#include <memory>
#include <windows.h>

namespace plaxor::testing {

// The window of the popup menu that is open now, or null.
inline HWND OpenMenuWindow() {
    return ::FindWindowW(L"#32768", nullptr);
}

inline RECT WindowRect(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

// A key as the menu's loop takes it from the queue.
inline void PostKey(HWND to, WORD key) {
    ::PostMessageW(to, WM_KEYDOWN, key, 1);
    ::PostMessageW(to, WM_KEYUP, key, 0xC0000001);
}
// A character (Enter is '\r', an accelerator its letter).
inline void PostChar(HWND to, wchar_t ch) {
    ::PostMessageW(to, WM_CHAR, ch, 1);
}

// Runs work once from the next message loop that dispatches messages (the menu's): a tick of
// a timer that never fires by itself, delivered by a posted WM_TIMER.
class TickWhileOpen {
public:
    explicit TickWhileOpen(std::function<void()> work)
        : timer_(std::make_unique<TTimer>(nullptr)), work_(std::move(work)) {
        timer_->SetInterval(600000);
        timer_->OnTimer = [this](TObject*) {
            ++ticks;
            if (ticks == 1 && work_) work_();
        };
        ::PostMessageW(timer_->Handle(), WM_TIMER, TTimer::TimerId, 0);
    }
    int ticks = 0;

private:
    std::unique_ptr<TTimer> timer_;
    std::function<void()> work_;
};

// Ends a menu left open by a faulty test after a few seconds, so that nothing hangs; the
// test then sees fired() and fails.
class MenuWatchdog {
public:
    MenuWatchdog() {
        fired_ = false;
        id_ = ::SetTimer(nullptr, 0, 5000, &Fire);
    }
    ~MenuWatchdog() { ::KillTimer(nullptr, id_); }
    MenuWatchdog(const MenuWatchdog&) = delete;
    MenuWatchdog& operator=(const MenuWatchdog&) = delete;
    static bool fired() { return fired_; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
        fired_ = true;
        ::EndMenu();
    }
    static inline bool fired_ = false;
    UINT_PTR id_ = 0;
};

} // namespace plaxor::testing
