#include "ModuleResource.h"

namespace plaxor::test {

std::span<const std::uint8_t> ModuleResource(const wchar_t* name, const wchar_t* type) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC info = ::FindResourceW(module, name, type);
    if (!info) return {};
    HGLOBAL loaded = ::LoadResource(module, info); // module data: never freed
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, info)};
}

} // namespace plaxor::test
