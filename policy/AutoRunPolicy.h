#pragma once
// The one fact Plaxor keeps: whether Autorun.inf is mapped to a place that does not exist, which
// stops Windows from reading any drive's AutoRun descriptor. Nothing is cached: every query
// reads the registry afresh.
#include "Registry.h"
#include <cstdint>
#include <string_view>

namespace plaxor {

enum class AutoRunState : std::uint8_t { Enabled, Disabled };

// The mapping key under HKEY_LOCAL_MACHINE, from the root as TRegistry takes it: the one
// spelling of the key for the program and its tests (the shell scripts, which cannot reach a
// C++ constant, have theirs in scripts/env.sh). Its parent and its own name are cut from it.
inline constexpr std::wstring_view kAutoRunKeyPath =
    L"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";
// It ends where its literal does, so that the path without the first backslash is a C string.
static_assert(kAutoRunKeyPath.data()[kAutoRunKeyPath.size()] == L'\0');
// With the trailing backslash.
inline constexpr std::wstring_view kIniFileMappingPath =
    kAutoRunKeyPath.substr(0, kAutoRunKeyPath.rfind(L'\\') + 1);
inline constexpr std::wstring_view kAutoRunKeyName =
    kAutoRunKeyPath.substr(kAutoRunKeyPath.rfind(L'\\') + 1);
inline constexpr std::wstring_view kAutoRunSentinel = L"@SYS:DoesNotExist";
inline constexpr std::wstring_view kAdminRightsNeeded =
    L"Administrator rights are needed to change the AutoRun setting";

// The mapping may not be changed by this process (it is not elevated). A registry error like the
// others, of its own kind so that callers can tell a missing right from a broken registry.
class EAutoRunAccessDenied final : public ERegistryException {
public:
    using ERegistryException::ERegistryException;
    std::wstring ClassName() const override { return L"EAutoRunAccessDenied"; }
};

// Reads with read access only, so that a process without write rights still sees the truth.
// view (KEY_WOW64_32KEY or KEY_WOW64_64KEY) reads that registry view rather than the process's
// own, which is the one the window shows.
AutoRunState QueryAutoRunState(IRegistryBackend& registry = Win32Registry(), REGSAM view = 0);
// Maps Autorun.inf to the sentinel; other values of the key stay.
void DisableAutoRun(IRegistryBackend& registry = Win32Registry());
// Removes the mapping key with all its values and sub-keys. Silent when it is already gone.
void EnableAutoRun(IRegistryBackend& registry = Win32Registry());

} // namespace plaxor
