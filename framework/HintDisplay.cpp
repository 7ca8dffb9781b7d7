#include "HintDisplay.h"
#include "Control.h"
#include "WinControl.h"
#include <commctrl.h>

namespace plaxor {

THintDisplay::THintDisplay(HWND owner) {
    tip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr));
}

void THintDisplay::SetDelays(int pause, int hidePause) {
    if (!tip_) return;
    ::SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(pause, 0));
    ::SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hidePause, 0));
    ::SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(pause / 5, 0));
}

void THintDisplay::SetActive(bool active) {
    if (tip_) ::SendMessageW(tip_.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void THintDisplay::Update(TControl& control) {
    Remove(control);
    if (!tip_ || !control.ShowsHint() || control.Hint().empty() || !control.Visible()) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    if (control.IsWindowed()) {
        HWND wnd = static_cast<TWinControl&>(control).ExistingHandle();
        if (!wnd) return;
        info.uFlags |= TTF_IDISHWND;
        info.hwnd = wnd;
        info.uId = reinterpret_cast<UINT_PTR>(wnd);
    } else {
        TWinControl* parent = control.Parent();
        HWND wnd = parent ? parent->ExistingHandle() : nullptr;
        if (!wnd) return;
        info.hwnd = wnd;
        info.uId = reinterpret_cast<UINT_PTR>(&control);
        info.rect = control.BoundsRect();
    }
    // The tooltip keeps its own copy of the text.
    info.lpszText = const_cast<wchar_t*>(control.Hint().c_str());
    if (::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        tools_[&control] = Tool{info.hwnd, info.uId};
}

void THintDisplay::Remove(TControl& control) noexcept {
    auto it = tools_.find(&control);
    if (it == tools_.end()) return;
    if (tip_) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = it->second.wnd;
        info.uId = it->second.id;
        ::SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    tools_.erase(it);
}

} // namespace plaxor
