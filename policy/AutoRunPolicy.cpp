#include "AutoRunPolicy.h"
#include "Registry.h"
#include <string>

namespace plaxor {
namespace {

// A key that is merely missing is no error; one we may not change is, or a click on a command
// would look accepted while nothing happened.
void RaiseIfDenied(const TRegistry& reg) {
    if (reg.LastOpenError() == ERROR_ACCESS_DENIED)
        throw EAutoRunAccessDenied(std::wstring(kAdminRightsNeeded));
}

} // namespace

AutoRunState QueryAutoRunState(IRegistryBackend& registry, REGSAM view) {
    TRegistry reg(registry);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    reg.SetAccess(KEY_READ | view);
    if (!reg.OpenPath(std::wstring(kAutoRunKeyPath), false)) return AutoRunState::Enabled;
    return reg.ReadText(L"") == kAutoRunSentinel ? AutoRunState::Disabled : AutoRunState::Enabled;
}

void DisableAutoRun(IRegistryBackend& registry) {
    TRegistry reg(registry);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    if (!reg.OpenPath(std::wstring(kAutoRunKeyPath), true)) return RaiseIfDenied(reg);
    reg.WriteText(L"", std::wstring(kAutoRunSentinel));
}

void EnableAutoRun(IRegistryBackend& registry) {
    TRegistry reg(registry);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    if (!reg.OpenPath(std::wstring(kIniFileMappingPath), false)) return RaiseIfDenied(reg);
    reg.DeleteTree(std::wstring(kAutoRunKeyName));
}

} // namespace plaxor
