#pragma once
// Opening an address through the desktop shell (the shell's own process) rather than from this
// one: the program runs elevated, and what the desktop shell starts runs with the signed-in
// user's normal rights.
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <shldisp.h>

namespace plaxor {

// The desktop window's IShellDispatch2, reached through the shell's window list, its top-level
// browser, the desktop view's background object and its Application; null when no desktop
// shell answers (no Explorer running, a session without a desktop). Needs COM on this thread.
UniqueCom<IShellDispatch2> DesktopShellDispatch();

// Hands ShellExecute with the file, verb and show command to the desktop shell. True when the
// shell answered and took the call, whatever its own result (that is ignored, as ShellExecuteW's
// would be); false when no desktop shell answers or the call could not be made, which is the
// only case in which a caller may start the file itself.
bool ShellExecuteFromDesktop(const wchar_t* file, const wchar_t* verb, int show);

} // namespace plaxor
