#pragma once
// Registry access for one operation: a root hive, at most one current key, typed text values.
// Releasing the object closes its key. Errors of reading and writing values raise
// ERegistryException; keys that cannot be opened are reported by a false result.
#include "RegistryBackend.h"
#include "framework/Exception.h"
#include <cstdint>
#include <string>
#include <vector>

namespace plaxor {

PLAXOR_EXCEPTION(ERegistryException);

// A value as stored: its type and its bytes, uninterpreted.
struct TRegistryValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};

class TRegistry {
public:
    explicit TRegistry(IRegistryBackend& backend = Win32Registry()) noexcept;
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const noexcept { return root_; }
    // Closes the current key when the hive changes.
    void SelectRoot(HKEY root);
    REGSAM Access() const noexcept { return access_; }
    void SetAccess(REGSAM access) noexcept { access_ = access; }
    HKEY CurrentKey() const noexcept { return current_; }
    const std::wstring& CurrentPath() const noexcept { return currentPath_; }
    // Status of the last OpenPath (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED...).
    LSTATUS LastOpenError() const noexcept { return lastOpenError_; }

    // "\a\b" is taken from the root, "a\b" from the current key (or the root when none is open).
    // The access mask applies, so KEY_WOW64_32KEY in it opens the key in the 32-bit view.
    bool OpenPath(const std::wstring& path, bool mayCreate);
    std::wstring ReadText(const std::wstring& name);
    // The value's type and bytes whatever its type; false when the value does not exist. Any
    // other failure (also a value that grew between the two reads) raises "Failed to get data
    // for '%s'".
    bool ReadValue(const std::wstring& name, TRegistryValue& value);
    void WriteText(const std::wstring& name, const std::wstring& text);
    // Deletes the key with everything beneath it, deepest keys and highest indexes first.
    bool DeleteTree(const std::wstring& name);
    void Close() noexcept;

private:
    struct Target {
        HKEY base;
        std::wstring path;
        bool relative;
    };
    Target Resolve(const std::wstring& path) const;
    void SetCurrent(HKEY key, std::wstring path) noexcept;

    IRegistryBackend& backend_;
    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_ = KEY_ALL_ACCESS;
    HKEY current_ = nullptr;
    std::wstring currentPath_;
    LSTATUS lastOpenError_ = ERROR_SUCCESS;
};

} // namespace plaxor
