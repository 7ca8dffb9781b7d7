#include "gdiplus/GdiplusApi.h"
#include "framework/SystemLibrary.h"

namespace plaxor {

void BindGdiplusFunctions(HMODULE module, GdiplusApi& api) {
    GdiplusApi bound;
#define PLAXOR_GDIPLUS_BIND(name, result, params)                                                  \
    bound.name = SystemFunction<decltype(bound.name)>(module, #name);                              \
    if (!bound.name)                                                                               \
        throw EGdiplusUnavailable(                                                                 \
            L"gdiplus.dll has no function " L## #name L"; GDI+ cannot be used.");
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
    lib.module = LoadSystemLibrary(L"gdiplus.dll");
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
