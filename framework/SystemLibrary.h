#pragma once
// DLLs the program loads at run time (gdiplus.dll, oleaut32.dll) come from the system directory
// only: the program runs elevated, often from a Downloads folder, and a DLL of the same name
// planted beside the exe must never be loaded.
#include "framework/UniqueHandle.h"

namespace plaxor {

// The named DLL from the system directory; null (with the loader's last error) when it is not
// there.
UniqueHMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a loaded module as the pointer type the caller names; null when it is missing.
template <typename Function> Function SystemFunction(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace plaxor
