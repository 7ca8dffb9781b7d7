#pragma once
// The AutoRun mapping key of the test prefix's own registry, set up and checked directly
// through advapi32: the tests spell the key out themselves rather than take the program's
// constant, so that a wrong constant fails them.
#include "framework/UniqueHandle.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace plaxor {

inline const wchar_t kAutoRunKey[] =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";

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
