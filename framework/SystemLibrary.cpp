#include "framework/SystemLibrary.h"
#include <string>

namespace plaxor {

UniqueHMODULE LoadSystemLibrary(const wchar_t* name) {
    UniqueHMODULE module(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system without the search-flag update: name the system directory in full instead.
        wchar_t system[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module.reset(::LoadLibraryExW((std::wstring(system, length) + L"\\" + name).c_str(),
                                          nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    return module;
}

} // namespace plaxor
