#include "ColorMath.h"
#include <algorithm>
#include <cstdint>

namespace plaxor {
namespace {

// numerator / denominator to the nearest integer, halves to the even neighbour.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;
    if (r < 0) {
        r += denominator;
        --q;
    }
    if (2 * r > denominator || (2 * r == denominator && (q & 1))) ++q;
    return q;
}

int Channel(TColor rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

TColor Compose(std::int64_t r, std::int64_t g, std::int64_t b) {
    auto clamp = [](std::int64_t v) {
        return static_cast<TColor>(std::clamp<std::int64_t>(v, 0, 255));
    };
    return clamp(r) | clamp(g) << 8 | clamp(b) << 16;
}

} // namespace

TColor ScaleColor(TColor color, int redPercent, int greenPercent, int bluePercent) {
    const TColor rgb = ColorToRGB(color);
    auto scale = [](int c, int percent) -> std::int64_t {
        if (c == 0) return percent >= 0 ? percent : 0;
        return RoundHalfEven(static_cast<std::int64_t>(c) * std::min(100, 100 + percent), 100);
    };
    return Compose(scale(Channel(rgb, 0), redPercent), scale(Channel(rgb, 8), greenPercent),
                   scale(Channel(rgb, 16), bluePercent));
}

TColor DarkenColor(TColor color, int percent) {
    return ScaleColor(color, percent, percent, percent);
}

TColor BlendColor(TColor colorA, TColor colorB, int percent) {
    if (percent >= 100) return colorA;
    if (percent <= 0) return colorB;
    const TColor a = ColorToRGB(colorA);
    const TColor b = ColorToRGB(colorB);
    // p * a + (1 - p) * b with p = percent / 100, exactly, in hundredths.
    auto mix = [&](int shift) {
        return RoundHalfEven(percent * Channel(a, shift) + (100 - percent) * Channel(b, shift),
                             100);
    };
    return Compose(mix(0), mix(8), mix(16));
}

} // namespace plaxor
