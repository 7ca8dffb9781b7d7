#include "gdiplus/GdiplusValues.h"

namespace plaxor {

ARGB ColorToARGB(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return MakeOpaqueARGB(static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                          static_cast<std::uint8_t>(rgb >> 16));
}

bool IsWindowsVistaOrLater() {
    // Asked once: the answer cannot change while the process runs, and painting asks each time.
    static const bool vistaOrLater = [] {
        HMODULE kernel = ::GetModuleHandleW(L"kernel32");
        return kernel && ::GetProcAddress(kernel, "GetLocaleInfoEx") != nullptr;
    }();
    return vistaOrLater;
}

} // namespace plaxor
