#pragma once
// Text as the program keeps it, UTF-16, where it meets bytes and people: UTF-8 both ways, the
// ANSI code page of the C and C++ runtimes one way, code points and surrogate pairs, and the
// comparison of names and words without regard to letter case.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plaxor {

constexpr bool IsHighSurrogate(wchar_t c) noexcept {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(wchar_t c) noexcept {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Appends a code point up to U+10FFFF: one code unit, or a surrogate pair above U+FFFF.
void AppendCodePoint(std::wstring& text, char32_t code);

// What the UTF-8 conversions do with a surrogate that is not half of a pair.
enum class Utf8Variant : std::uint8_t {
    // UTF-8 as the standard has it, and as Windows converts: a lone surrogate is written as
    // U+FFFD; bytes that encode a surrogate are not UTF-8.
    Standard,
    // Surrogates are encoded on their own (3 bytes) and read back, so that any text, even
    // broken text, comes back the same.
    Generalized,
};

std::string ToUtf8(std::wstring_view text, Utf8Variant variant = Utf8Variant::Standard);
// Nothing for bytes that are not UTF-8: a stray or missing continuation byte, a sequence cut
// short, an overlong form, a code above U+10FFFF, an encoded surrogate (Standard only).
std::optional<std::wstring> FromUtf8(std::string_view bytes,
                                     Utf8Variant variant = Utf8Variant::Standard);

// Narrow text of the runtimes, such as std::exception::what(), which is in the ANSI code page.
std::wstring FromAnsi(const char* text);

// Equal but for letter case, unit by unit: for names, keywords and options.
bool SameText(std::wstring_view a, std::wstring_view b) noexcept;

} // namespace plaxor
