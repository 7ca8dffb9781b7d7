#pragma once
// What plaxorctl audit reads: every registry value that decides whether AutoRun or AutoPlay may
// start something from a drive, each judged as the usual hardening baselines judge it. Reads
// only, with read access, so that it works for every user.
#include "AutoRunPolicy.h"
#include "Registry.h"
#include "RegistryBackend.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plaxor {

enum TAuditRead : std::uint8_t {
    arAbsent, // the key or the value is not there
    arFound,
    arFailed, // the key or the value is there (or may be) but could not be read
};

// One registry value as the audit read it.
struct TAuditReading {
    std::wstring path; // "HKLM\SOFTWARE\...", as people and reg.exe write it
    TAuditRead status = arAbsent;
    TRegistryValue value; // when found
    std::wstring error;   // when failed: what stopped the read ("access denied", ...)
};

struct TAuditCheck {
    std::wstring_view id;
    std::wstring_view title;
    std::wstring_view reference;
    std::wstring_view name; // the value's name; empty for a key's default value
    REGSAM view = 0;        // KEY_WOW64_64KEY or KEY_WOW64_32KEY
    bool required = false;
    TRegistryValue expected;
    // The value the check judges: the machine's policy where a baseline names one.
    TAuditReading reading;
    // The same policy under HKCU, reported beside it: it is in force for this user only where
    // the machine's value is absent, and no baseline counts it.
    std::optional<TAuditReading> user;
    bool pass = false;
    // Why the check fails when not merely by a value that differs or is missing: a wrong type
    // or size, a read that failed, the error the window would show.
    std::wstring problem;

    // The value this user's Explorer follows (HKLM wins where it exists); null when neither is
    // set, or when the one that would count could not be read.
    const TAuditReading* InForce() const noexcept;
};

struct TAuditResult {
    // The mapping's state as the window and plaxorctl status show it; none where they would
    // show an error instead.
    std::optional<AutoRunState> autorun;
    std::vector<TAuditCheck> checks;

    bool Compliant() const noexcept; // every required check passes
    // Not one value could be read: every read ended in an error other than "not there".
    bool Unreadable() const noexcept;
};

TAuditResult AuditAutoRun(IRegistryBackend& registry = Win32Registry());

// "REG_SZ", "REG_DWORD", ...; "type 0x..." for a number Windows gives no name.
std::wstring RegistryTypeName(DWORD type);

} // namespace plaxor
