#pragma once
// The AutoRun mapping key of the test prefix's own registry, set up and checked directly
// through advapi32 (and in the in-memory registry), named as the program names it. A wrong
// spelling there still fails: the audit's JSON test pins the path it prints, and the end-to-end
// and installer tests read the key back with reg.exe where the scripts spell it.
#include "framework/UniqueHandle.h"
#include "policy/AutoRunPolicy.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace plaxor {

// Below HKEY_LOCAL_MACHINE, as advapi32 and reg.exe take a key: without the first backslash.
inline const wchar_t* const kAutoRunKey = kAutoRunKeyPath.data() + 1;
inline const std::wstring
    kIniFileMappingKey(kIniFileMappingPath.substr(1, kIniFileMappingPath.size() - 2));

inline void RemoveAutoRunKey() {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kAutoRunKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAutoRunKey); // in case the tree call kept the key
}

inline bool AutoRunKeyExists() {
    UniqueHKEY key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAutoRunKey, 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}

// Creates the key when missing and writes its default value.
inline void PutAutoRunDefault(DWORD type, const void* data, DWORD size) {
    UniqueHKEY key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAutoRunKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key.get(), nullptr, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

} // namespace plaxor
