#pragma once
// The framework's window classes are registered by the first window of their kind and stay
// registered for the life of the process.
#include <windows.h>

namespace plaxor {

// Registers the class in this module unless it exists already. False (with the last error
// set) when it could not be registered.
bool EnsureWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0,
                       HCURSOR cursor = nullptr);

} // namespace plaxor
