#pragma once
// The size an auto-sized glow button takes for its content.
#include "GlowButtonTypes.h"
#include <windows.h>

namespace plaxor {

// The content (picture, caption and notes as measured) plus three spacings across and two
// down, the margins on both sides, two pixels for the border, and the 13-pixel drop-down strip
// on the side it is on.
SIZE AutoSizeExtent(SIZE content, int spacing, int marginHorz, int marginVert, bool dropDownButton,
                    TDropDownPosition dropDownPosition);

} // namespace plaxor
