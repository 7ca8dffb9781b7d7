#pragma once
// What TRegistry asks of a registry: the advapi32 calls it makes, one virtual each, so that the
// same TRegistry logic runs against the Windows registry or the in-memory tree of the tests.
#include <windows.h>
#include <string>

namespace plaxor {

class IRegistryBackend {
public:
    virtual ~IRegistryBackend() = default;
    virtual LSTATUS OpenKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) = 0;
    // Creates the key and every missing key above it (non-volatile, default security, no class).
    virtual LSTATUS CreateKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) = 0;
    virtual LSTATUS CloseKey(HKEY key) = 0;
    // As RegQueryValueExW: data may be null to ask for type and size only.
    virtual LSTATUS QueryValue(HKEY key, const std::wstring& name, DWORD* type, BYTE* data,
                               DWORD* size) = 0;
    virtual LSTATUS SetValue(HKEY key, const std::wstring& name, DWORD type, const BYTE* data,
                             DWORD size) = 0;
    virtual LSTATUS QueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength) = 0;
    // name receives at most *length characters including the NUL; *length the name's length.
    virtual LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length) = 0;
    virtual LSTATUS DeleteKey(HKEY base, const std::wstring& path) = 0;
};

// The Windows registry itself (advapi32). Stateless; one instance serves everybody.
IRegistryBackend& Win32Registry();

} // namespace plaxor
