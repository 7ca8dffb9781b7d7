#include "RegistryBackend.h"

namespace plaxor {
namespace {

class Win32RegistryBackend final : public IRegistryBackend {
public:
    LSTATUS OpenKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override {
        return ::RegOpenKeyExW(base, path.c_str(), 0, access, result);
    }
    LSTATUS CreateKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override {
        return ::RegCreateKeyExW(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                 nullptr, result, nullptr);
    }
    LSTATUS CloseKey(HKEY key) override { return ::RegCloseKey(key); }
    LSTATUS QueryValue(HKEY key, const std::wstring& name, DWORD* type, BYTE* data,
                       DWORD* size) override {
        return ::RegQueryValueExW(key, name.c_str(), nullptr, type, data, size);
    }
    LSTATUS SetValue(HKEY key, const std::wstring& name, DWORD type, const BYTE* data,
                     DWORD size) override {
        return ::RegSetValueExW(key, name.c_str(), 0, type, data, size);
    }
    LSTATUS QueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength) override {
        return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, subKeys, maxSubKeyLength, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length) override {
        return ::RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }
    LSTATUS DeleteKey(HKEY base, const std::wstring& path) override {
        return ::RegDeleteKeyW(base, path.c_str());
    }
};

} // namespace

IRegistryBackend& Win32Registry() {
    static Win32RegistryBackend backend;
    return backend;
}

} // namespace plaxor
