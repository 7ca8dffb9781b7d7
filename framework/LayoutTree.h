#pragma once
// A window layout as a tree: what the binary and text forms are read into and written from,
// and what the loader applies to a root component.
#include "Properties.h"
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plaxor {

struct LayoutNode {
    std::wstring className;
    std::wstring name; // may be empty
    // In layout order; names may be dotted paths into owned objects: "Appearance.ColorHot".
    std::vector<std::pair<std::wstring, LayoutValue>> properties;
    std::vector<LayoutNode> children;

    // The first value stored under this name (exact match), or nullptr.
    const LayoutValue* Find(std::wstring_view property) const noexcept;
    friend bool operator==(const LayoutNode&, const LayoutNode&) = default;
};

// What a reader accepts at most, so that hostile data cannot exhaust the process.
// Bytes of a binary layout, characters of a text layout:
inline constexpr std::size_t kMaxLayoutSize = std::size_t{64} << 20;
// Levels of nested components below the root:
inline constexpr int kMaxLayoutDepth = 64;
// Components, properties, list lines and set members together:
inline constexpr std::size_t kMaxLayoutItems = 100000;

// The names a layout may hold, the same for both forms so that either converts into the other:
// an ASCII letter or '_', then letters, digits or '_', at most 255 characters.
bool IsLayoutIdent(std::wstring_view text) noexcept;
// An identifier value other than the words that mean something else (True, False, nil).
bool IsLayoutIdentValue(std::wstring_view text) noexcept;
// Identifiers joined by '.', not starting with the words that open or close an object.
bool IsLayoutPropertyName(std::wstring_view text) noexcept;

} // namespace plaxor
