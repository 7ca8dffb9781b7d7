#include "Text.h"
#include <windows.h>
#include <algorithm>
#include <cwctype>

namespace plaxor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void AppendCodePoint(std::wstring& text, char32_t code) {
    if (code < 0x10000) {
        text += static_cast<wchar_t>(code);
    } else {
        text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
}

std::string ToUtf8(std::wstring_view text, Utf8Variant variant) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<std::uint16_t>(text[i]);
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint16_t>(text[++i]) - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF && variant == Utf8Variant::Standard) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::optional<std::wstring> FromUtf8(std::string_view bytes, Utf8Variant variant) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto lead = static_cast<std::uint8_t>(bytes[pos]);
        char32_t c;
        std::size_t extra;
        char32_t least;
        if (lead < 0x80) {
            c = lead, extra = 0, least = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1F, extra = 1, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0F, extra = 2, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            c = lead & 0x07, extra = 3, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (extra >= bytes.size() - pos) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<std::uint8_t>(bytes[pos + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < least || c > 0x10FFFF) return std::nullopt;
        if (c >= 0xD800 && c <= 0xDFFF && variant == Utf8Variant::Standard) return std::nullopt;
        AppendCodePoint(out, c);
        pos += extra + 1;
    }
    return out;
}

std::wstring FromAnsi(const char* text) {
    if (!text || !*text) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

bool SameText(std::wstring_view a, std::wstring_view b) noexcept {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

} // namespace plaxor
