#include "AutoRunAudit.h"
#include "framework/Exception.h"
#include <algorithm>
#include <cstring>
#include <cwchar>

namespace plaxor {
namespace {

constexpr std::wstring_view kPolicyExplorerPath =
    L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr std::wstring_view kGroupPolicyExplorerPath =
    L"\\SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer";
constexpr std::wstring_view kAutoplayHandlersPath =
    L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";

enum TAuditKind : std::uint8_t {
    akMapping, // judged by the policy store's own query, as the window is
    akDword,   // a REG_DWORD that must hold one number
};

struct CheckDefinition {
    TAuditKind kind;
    std::wstring_view id;
    std::wstring_view title; // short enough for the table
    std::wstring_view reference;
    HKEY root;
    std::wstring_view path; // from the hive, with a leading backslash
    std::wstring_view name;
    REGSAM view;
    bool userToo; // the same value under HKCU is reported as well
    DWORD expected;
    bool required;
};

// The order is the order of the report.
const CheckDefinition kChecks[] = {
    {akMapping, L"ini-mapping", L"Autorun.inf mapped to nowhere", L"US-CERT TA09-020A",
     HKEY_LOCAL_MACHINE, kAutoRunKeyPath, L"", KEY_WOW64_64KEY, false, 0, true},
    {akMapping, L"ini-mapping-wow64", L"Autorun.inf mapping (32-bit)",
     L"US-CERT TA09-020A (32-bit programs)", HKEY_LOCAL_MACHINE, kAutoRunKeyPath, L"",
     KEY_WOW64_32KEY, false, 0, false},
    {akDword, L"NoDriveTypeAutoRun", L"Turn off Autoplay: All drives",
     L"CIS 'Turn off Autoplay' / STIG WN10-CC-000190", HKEY_LOCAL_MACHINE, kPolicyExplorerPath,
     L"NoDriveTypeAutoRun", KEY_WOW64_64KEY, true, 0xFF, true},
    {akDword, L"NoAutorun", L"AutoRun default: do not execute",
     L"CIS 'Set the default behavior for AutoRun' / STIG WN10-CC-000185", HKEY_LOCAL_MACHINE,
     kPolicyExplorerPath, L"NoAutorun", KEY_WOW64_64KEY, true, 1, true},
    {akDword, L"NoAutoplayfornonVolume", L"No Autoplay, non-volume devices",
     L"CIS 'Disallow Autoplay for non-volume devices' / STIG WN10-CC-000180", HKEY_LOCAL_MACHINE,
     kGroupPolicyExplorerPath, L"NoAutoplayfornonVolume", KEY_WOW64_64KEY, false, 1, true},
    {akDword, L"DisableAutoplay", L"AutoPlay off for this user",
     L"Settings: Use AutoPlay for all media and devices", HKEY_CURRENT_USER, kAutoplayHandlersPath,
     L"DisableAutoplay", KEY_WOW64_64KEY, false, 1, false},
};

std::wstring HiveName(HKEY root) {
    return root == HKEY_CURRENT_USER ? L"HKCU" : L"HKLM";
}

TRegistryValue DwordValue(DWORD number) {
    TRegistryValue value{REG_DWORD, std::vector<std::uint8_t>(sizeof number)};
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

TRegistryValue TextValue(std::wstring_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    TRegistryValue value{REG_SZ, std::vector<std::uint8_t>(bytes, bytes + text.size() * 2)};
    value.data.resize(value.data.size() + sizeof(wchar_t), 0);
    return value;
}

// One value through a TRegistry of its own, as the policy store reads: a missing key or value
// is "not there", anything else that stops the read is kept as the reason.
TAuditReading Read(IRegistryBackend& registry, HKEY root, std::wstring_view path,
                   std::wstring_view name, REGSAM view) {
    TAuditReading reading;
    reading.path = HiveName(root) + std::wstring(path);
    TRegistry reg(registry);
    reg.SelectRoot(root);
    reg.SetAccess(KEY_READ | view);
    if (!reg.OpenPath(std::wstring(path), false)) {
        const LSTATUS error = reg.LastOpenError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return reading;
        reading.status = arFailed;
        reading.error = error == ERROR_ACCESS_DENIED ? std::wstring(L"access denied")
                                                     : L"open error " + std::to_wstring(error);
        return reading;
    }
    try {
        reading.status = reg.ReadValue(std::wstring(name), reading.value) ? arFound : arAbsent;
    } catch (const ERegistryException&) {
        reading.status = arFailed;
        reading.error = L"read error";
    }
    return reading;
}

// The mapping passes exactly when the window would show Disabled; a value the window would
// refuse with an error fails with that error's text.
void JudgeMapping(IRegistryBackend& registry, TAuditCheck& check, TAuditResult& result) {
    std::optional<AutoRunState> state;
    try {
        state = QueryAutoRunState(registry, check.view);
    } catch (const ERegistryException& e) {
        check.problem = e.InnermostMessage();
    }
    if (check.problem.empty() && check.reading.status == arFailed)
        check.problem = check.reading.error; // the query takes an unreadable key for Enabled
    check.pass = state == AutoRunState::Disabled;
    if (check.view == KEY_WOW64_64KEY) result.autorun = state;
}

void JudgeDword(TAuditCheck& check) {
    const TAuditReading& r = check.reading;
    if (r.status == arFailed) {
        check.problem = r.error;
    } else if (r.status == arFound && r.value.type != REG_DWORD) {
        check.problem = L"wrong type: " + RegistryTypeName(r.value.type);
    } else if (r.status == arFound && r.value.data.size() != sizeof(DWORD)) {
        check.problem = L"wrong size: " + std::to_wstring(r.value.data.size()) + L" bytes";
    } else if (r.status == arFound) {
        check.pass = r.value.data == check.expected.data;
    }
}

bool Readable(const TAuditReading& reading) {
    return reading.status != arFailed;
}

} // namespace

const TAuditReading* TAuditCheck::InForce() const noexcept {
    if (reading.status == arFound) return &reading;
    if (reading.status == arAbsent && user && user->status == arFound) return &*user;
    return nullptr;
}

bool TAuditResult::Compliant() const noexcept {
    return std::all_of(checks.begin(), checks.end(),
                       [](const TAuditCheck& c) { return c.pass || !c.required; });
}

bool TAuditResult::Unreadable() const noexcept {
    return std::none_of(checks.begin(), checks.end(), [](const TAuditCheck& c) {
        return Readable(c.reading) || (c.user && Readable(*c.user));
    });
}

TAuditResult AuditAutoRun(IRegistryBackend& registry) {
    TAuditResult result;
    for (const CheckDefinition& def : kChecks) {
        TAuditCheck check;
        check.id = def.id;
        check.title = def.title;
        check.reference = def.reference;
        check.name = def.name;
        check.view = def.view;
        check.required = def.required;
        check.expected =
            def.kind == akMapping ? TextValue(kAutoRunSentinel) : DwordValue(def.expected);
        check.reading = Read(registry, def.root, def.path, def.name, def.view);
        if (def.userToo)
            check.user = Read(registry, HKEY_CURRENT_USER, def.path, def.name, def.view);
        if (def.kind == akMapping)
            JudgeMapping(registry, check, result);
        else
            JudgeDword(check);
        result.checks.push_back(std::move(check));
    }
    return result;
}

std::wstring RegistryTypeName(DWORD type) {
    switch (type) {
    case REG_NONE: return L"REG_NONE";
    case REG_SZ: return L"REG_SZ";
    case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
    case REG_BINARY: return L"REG_BINARY";
    case REG_DWORD: return L"REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return L"REG_DWORD_BIG_ENDIAN";
    case REG_LINK: return L"REG_LINK";
    case REG_MULTI_SZ: return L"REG_MULTI_SZ";
    case REG_RESOURCE_LIST: return L"REG_RESOURCE_LIST";
    case REG_FULL_RESOURCE_DESCRIPTOR: return L"REG_FULL_RESOURCE_DESCRIPTOR";
    case REG_RESOURCE_REQUIREMENTS_LIST: return L"REG_RESOURCE_REQUIREMENTS_LIST";
    case REG_QWORD: return L"REG_QWORD";
    }
    wchar_t text[16];
    std::swprintf(text, 16, L"type 0x%lX", static_cast<unsigned long>(type));
    return text;
}

} // namespace plaxor
