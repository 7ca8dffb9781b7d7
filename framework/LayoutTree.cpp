#include "LayoutTree.h"

namespace plaxor {

const LayoutValue* LayoutNode::Find(std::wstring_view property) const noexcept {
    for (const auto& [name, value] : properties)
        if (name == property) return &value;
    return nullptr;
}

static bool IsIdentStart(wchar_t c) noexcept {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}

static bool IsIdentChar(wchar_t c) noexcept {
    return IsIdentStart(c) || (c >= L'0' && c <= L'9');
}

bool IsLayoutIdent(std::wstring_view text) noexcept {
    if (text.empty() || text.size() > 255 || !IsIdentStart(text[0])) return false;
    for (wchar_t c : text)
        if (!IsIdentChar(c)) return false;
    return true;
}

bool IsLayoutIdentValue(std::wstring_view text) noexcept {
    return IsLayoutIdent(text) && !SameText(text, L"True") && !SameText(text, L"False") &&
           !SameText(text, L"nil");
}

bool IsLayoutPropertyName(std::wstring_view text) noexcept {
    if (text.size() > 255) return false;
    const std::wstring_view first = text.substr(0, text.find(L'.'));
    if (SameText(first, L"object") || SameText(first, L"end")) return false;
    for (std::size_t start = 0;;) {
        const std::size_t dot = text.find(L'.', start);
        if (!IsLayoutIdent(text.substr(start, dot - start))) return false;
        if (dot == std::wstring_view::npos) return true;
        start = dot + 1;
    }
}

} // namespace plaxor
