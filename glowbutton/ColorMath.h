#pragma once
// Colour arithmetic of the glow button: scaling a colour by a percentage and blending two.
// System colours are resolved first; results are plain 0x00BBGGRR values.
#include "framework/Colors.h"

namespace plaxor {

// Each channel c scaled by its percentage d: a zero channel becomes d (or 0 when d is
// negative), any other c * min(100, 100 + d) / 100, rounded half to even.
TColor ScaleColor(TColor color, int redPercent, int greenPercent, int bluePercent);

// ScaleColor with one percentage for all three channels.
TColor DarkenColor(TColor color, int percent);

// percent of colorA and the rest of colorB per channel, rounded half to even. At 100 or more
// colorA comes back unchanged, at 0 or less colorB: not even resolved.
TColor BlendColor(TColor colorA, TColor colorB, int percent);

} // namespace plaxor
