#pragma once
// The application's tooltips: one common-controls tooltip window with a tool per control that
// shows a hint. A windowed control is a tool by its window, a non-windowed one by its
// rectangle in its parent's window.
#include "UniqueHandle.h"
#include <map>

namespace plaxor {

class TControl;

class THintDisplay {
public:
    explicit THintDisplay(HWND owner);
    THintDisplay(const THintDisplay&) = delete;
    THintDisplay& operator=(const THintDisplay&) = delete;

    HWND Handle() const noexcept { return tip_.get(); }
    void SetDelays(int pause, int hidePause);
    void SetActive(bool active);
    // Adds the control as a tool when it shows a non-empty hint and is visible and has a
    // window to watch; removes it otherwise.
    void Update(TControl& control);
    void Remove(TControl& control) noexcept;

private:
    struct Tool {
        HWND wnd;
        UINT_PTR id;
    };
    UniqueHWND tip_;
    std::map<const TControl*, Tool> tools_;
};

} // namespace plaxor
