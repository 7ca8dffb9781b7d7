#include "KeltLayout.h"
#include "framework/Exception.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "framework/Text.h"
#include "glowbutton/AdvGlowButton.h"
#include <cwctype>

namespace plaxor {

std::wstring ResourceNameForFile(const std::wstring& fileName) {
    if (fileName.empty()) throw EReadError(L"A layout file name is empty");
    std::wstring name;
    name.reserve(fileName.size());
    for (wchar_t c : fileName) {
        const bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                           (c >= L'0' && c <= L'9') || c == L'_' || c == L'-';
        if (c == L'.')
            name += L'_';
        else if (plain)
            name += static_cast<wchar_t>(std::towupper(c));
        else
            throw EReadError(L"'" + fileName + L"' is not the name of a file the program holds");
    }
    return name;
}

Bytes ReadResourceData(HMODULE module, const std::wstring& name) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    HRSRC info = ::FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = info ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) throw EReadError(L"Resource " + name + L" not found");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return Bytes(bytes, bytes + ::SizeofResource(module, info));
}

FileResolver ResourceFileResolver(HMODULE module) {
    return [module](const std::wstring& fileName) {
        return ReadResourceData(module, ResourceNameForFile(fileName));
    };
}

std::wstring DecodeLayoutText(const Bytes& bytes) {
    std::size_t start = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) start = 3;
    const std::size_t length = bytes.size() - start;
    if (length == 0) return {};
    if (length > 0x7FFFFFFF) throw EReadError(L"The layout is too large");
    std::optional<std::wstring> text =
        FromUtf8({reinterpret_cast<const char*>(bytes.data() + start), length});
    if (!text) throw EReadError(L"The layout is not UTF-8 text");
    return std::move(*text);
}

LayoutNode ReadKeltLayout(HMODULE module) {
    return ReadLayoutText(DecodeLayoutText(ReadResourceData(module, L"KELT_LAYOUT")),
                          ResourceFileResolver(module));
}

const ComponentFactory& KeltComponentFactory() {
    static const ComponentFactory factory = [] {
        ComponentFactory f;
        f.Register<TSpeedButton>(L"TSpeedButton");
        f.Register<TImage>(L"TImage");
        f.Register<TLabel>(L"TLabel");
        f.Register<TAdvGlowButton>(L"TAdvGlowButton");
        return f;
    }();
    return factory;
}

} // namespace plaxor
