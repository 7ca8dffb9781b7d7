#include "gdiplus/GdiplusApi.h"

#include "framework/UniqueHandle.h"

namespace plaxor {

void BindGdiplusFunctions(HMODULE module, GdiplusApi& api) {
    GdiplusApi bound;
#define PLAXOR_GDIPLUS_BIND(name, result, params)                                                  \
    {                                                                                              \
        FARPROC address = ::GetProcAddress(module, #name);                                         \
        if (!address)                                                                              \
            throw EGdiplusUnavailable(                                                             \
                L"gdiplus.dll has no function " L## #name L"; GDI+ cannot be used.");              \
        bound.name = reinterpret_cast<decltype(bound.name)>(reinterpret_cast<void*>(address));     \
    }
    PLAXOR_GDIPLUS_FUNCTIONS(PLAXOR_GDIPLUS_BIND)
#undef PLAXOR_GDIPLUS_BIND
    api = bound;
}

namespace {

struct BoundLibrary {
    // Kept loaded until the process ends: GDI+ objects may exist right up to shut-down.
    UniqueHMODULE module;
    GdiplusApi api;
};

BoundLibrary LoadSystemGdiplus() {
    BoundLibrary lib;
    // Only the system directory: a gdiplus.dll planted beside the exe must never be loaded.
    lib.module.reset(::LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!lib.module && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system without the search-flag update: name the system directory in full instead.
        wchar_t system[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            lib.module.reset(
                ::LoadLibraryExW((std::wstring(system, length) + L"\\gdiplus.dll").c_str(), nullptr,
                                 LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    if (!lib.module)
        throw EGdiplusUnavailable(L"gdiplus.dll could not be loaded from the system directory.");
    BindGdiplusFunctions(lib.module.get(), lib.api);
    return lib;
}

} // namespace

GdiplusApi& Gdip() {
    // A failed binding throws out of the initialiser, so the next call tries again.
    static BoundLibrary library = LoadSystemGdiplus();
    return library.api;
}

} // namespace plaxor
