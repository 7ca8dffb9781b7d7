#pragma once
// Window messages as the framework's controls handle them, and the framework's own control
// messages (CM_) and reflected notifications (CN_).
#include <windows.h>

namespace plaxor {

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// Control messages: sent between the framework's controls, never by Windows. Only what a
// control's message table handles is a message; other changes reach controls through virtual
// hooks (Control.h).
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;    // WParam key, LParam key data; 1 = taken
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;   // WParam character; 1 = taken
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7; // LParam the newly focused control
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;    // LParam the control
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;    // LParam the control
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24; // WParam group index, LParam the sender
// Posted by a form whose layout said Visible = True: shows it from the message loop.
inline constexpr UINT CM_SHOWAFTERLOAD = CM_BASE + 40;

// Notifications a parent reflects to the child window they came from (CN_BASE + WM_xxx).
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

static_assert(CM_DIALOGKEY == 0xB005 && CM_TEXTCHANGED == 0xB012 && CM_MOUSELEAVE == 0xB014 &&
              CM_BUTTONPRESSED == 0xB018 && CN_COMMAND == 0xBD11);

} // namespace plaxor
