#include "ModuleResource.h"

namespace plaxor::test {

HMODULE SubjectModule() {
#ifdef PLAXOR_RESOURCE_SUBJECT
    static const HMODULE module =
        ::LoadLibraryExW(PLAXOR_RESOURCE_SUBJECT, nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module;
#else
    return ::GetModuleHandleW(nullptr);
#endif
}

std::wstring SubjectPath() {
#ifdef PLAXOR_RESOURCE_SUBJECT
    return PLAXOR_RESOURCE_SUBJECT;
#else
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n < MAX_PATH ? n : 0);
#endif
}

std::span<const std::uint8_t> ModuleResource(const wchar_t* name, const wchar_t* type) {
    HMODULE module = SubjectModule();
    if (!module) return {};
    HRSRC info = ::FindResourceW(module, name, type);
    if (!info) return {};
    HGLOBAL loaded = ::LoadResource(module, info); // module data: never freed
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, info)};
}

} // namespace plaxor::test
