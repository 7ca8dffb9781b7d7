#include "Timer.h"
#include "Application.h"
#include "Exception.h"
#include "Properties.h"
#include "WindowClass.h"

namespace plaxor {

namespace {
const wchar_t timerClass[] = L"TTimerWindow";
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    EnsureWindowClass(timerClass, &TTimer::WindowProc);
    window_.reset(::CreateWindowExW(0, timerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw EOSError(L"Cannot create the timer's window");
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    UpdateTimer();
}

TTimer::~TTimer() {
    if (!window_) return;
    if (running_) ::KillTimer(window_.get(), TimerId);
    // Also when freed from its own OnTimer: the window procedure touches nothing afterwards.
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void TTimer::SetInterval(std::uint32_t value) {
    if (interval_ == value) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) ::KillTimer(window_.get(), TimerId);
    running_ = false;
    if (!enabled_ || interval_ == 0) return;
    if (!::SetTimer(window_.get(), TimerId, interval_, nullptr))
        throw EOSError(L"Not enough timers available");
    running_ = true;
}

void TTimer::Tick() {
    // The handler may free this timer.
    Raise(OnTimer, this);
}

LRESULT CALLBACK TTimer::WindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (msg != WM_TIMER || wparam != TimerId) return ::DefWindowProcW(wnd, msg, wparam, lparam);
    auto* timer = reinterpret_cast<TTimer*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!timer || !timer->enabled_) return 0;
    try {
        timer->Tick();
    } catch (...) {
        TApplication::HandleCurrentException();
    }
    return 0;
}

const PropertyTable& TTimer::ClassProperties() {
    using C = TTimer;
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {
            props::Boolean(L"Enabled", &C::Enabled, &C::SetEnabled, true),
            props::Integer(L"Interval", &C::Interval, &C::SetInterval, 1000),
            props::Event(L"OnTimer", &C::OnTimer),
        });
    return table;
}

} // namespace plaxor
