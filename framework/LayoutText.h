#pragma once
// The text form of a window layout, the one people edit:
//   object kelt: Tkelt
//     Caption = 'Plaxor 1.2'
//     Font.Style = []
//     Notes.Strings = (
//       'first line'
//       'it''s second')
//     Picture.Data = {
//       0A1B2C3D}
//     Glyph.Data = file 'glyph.bmp'
//     object plaxorizebtn: TAdvGlowButton
//     end
//   end
// Values: strings in single quotes ('' for a quote, #233 or #$E9 for one character, parts
// joined directly or by '+'), integers (decimal or $hex, optionally negative), numbers with a
// '.' or an exponent, True/False, nil, identifiers, sets [a, b], string lists ( ... ), binary
// { hex } and file 'name', whose bytes the resolver supplies.
#include "LayoutTree.h"
#include <functional>

namespace plaxor {

// Returns the bytes of a file named in the layout; raises (any Exception) when it has none.
using FileResolver = std::function<Bytes(const std::wstring& name)>;

// EReadError naming the line for anything malformed, too deep or too large, and for a file
// the resolver cannot supply.
LayoutNode ReadLayoutText(const std::wstring& text, FileResolver resolve);

} // namespace plaxor
