#pragma once
// A window-message timer: OnTimer is raised every Interval milliseconds while Enabled.
#include "Component.h"
#include "UniqueHandle.h"
#include <cstdint>

namespace plaxor {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    std::wstring ClassName() const override { return L"TTimer"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // Milliseconds; a new value restarts the count. 0 stops the timer.
    std::uint32_t Interval() const noexcept { return interval_; }
    void SetInterval(std::uint32_t value);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);

    // What each WM_TIMER does: raises OnTimer. The handler may free the timer.
    void Tick();
    // The timer's own message-only window (tests send it WM_TIMER with id TimerId).
    HWND Handle() const noexcept { return window_.get(); }
    static constexpr UINT_PTR TimerId = 1;

    TNotifyEvent OnTimer;

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;
    void UpdateTimer();

    UniqueHWND window_;
    std::uint32_t interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};

} // namespace plaxor
