#pragma once
// Small value functions of the GDI+ layer: colours, rectangles, points, the Windows version.
#include <cstdint>

#include "framework/Colors.h"
#include "gdiplus/GdiplusTypes.h"

namespace plaxor {

constexpr ARGB MakeARGB(std::uint8_t alpha, std::uint8_t red, std::uint8_t green,
                        std::uint8_t blue) noexcept {
    return static_cast<ARGB>(alpha) << 24 | static_cast<ARGB>(red) << 16 |
           static_cast<ARGB>(green) << 8 | static_cast<ARGB>(blue);
}

constexpr ARGB MakeOpaqueARGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return MakeARGB(255, red, green, blue);
}

constexpr std::uint8_t RedOf(ARGB color) noexcept {
    return static_cast<std::uint8_t>(color >> 16);
}
constexpr std::uint8_t GreenOf(ARGB color) noexcept {
    return static_cast<std::uint8_t>(color >> 8);
}
constexpr std::uint8_t BlueOf(ARGB color) noexcept {
    return static_cast<std::uint8_t>(color);
}

// A framework colour (0x00BBGGRR, or a system colour) as an opaque ARGB; system colours take
// their current value.
ARGB ColorToARGB(TColor color);

constexpr GpRectF NewRectF(REAL x, REAL y, REAL width, REAL height) noexcept {
    return GpRectF{x, y, width, height};
}

constexpr GpPoint NewPoint(std::int32_t x, std::int32_t y) noexcept {
    return GpPoint{x, y};
}

// True when kernel32 has the Vista-level locale functions (GetLocaleInfoEx); asked once per
// process.
bool IsWindowsVistaOrLater();

} // namespace plaxor
