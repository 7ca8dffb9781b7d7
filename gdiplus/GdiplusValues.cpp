#include "gdiplus/GdiplusValues.h"

namespace plaxor {

ARGB ColorToARGB(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return MakeOpaqueARGB(static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                          static_cast<std::uint8_t>(rgb >> 16));
}

bool IsWindowsVistaOrLater() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32");
    if (!kernel) return false;
    return ::GetProcAddress(kernel, "GetLocaleInfoEx") != nullptr;
}

} // namespace plaxor
