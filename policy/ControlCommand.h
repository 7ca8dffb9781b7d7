#pragma once
// plaxorctl's whole behaviour: the command line read, one operation of the policy store run
// against the given registry, the answer written to two sinks and the exit code returned.
// The console program only hands it the Windows registry and its standard handles.
#include "RegistryBackend.h"
#include "TextSink.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plaxor {

// Exit codes that scripts rely on: never renumber.
enum TControlExit : std::uint8_t {
    ceSuccess = 0,
    ceRegistryError = 1,
    ceUsageError = 2,
    ceAccessDenied = 3,
    ceNotExpected = 4, // status --expect: the state is the other one; audit: a required check fails
    ceNotChanged = 5,  // the command ran, yet the state read back is not the one asked for
};

extern const std::wstring_view kControlUsage;

// args are the arguments after the program name. Never throws.
TControlExit RunControlCommand(const std::vector<std::wstring>& args, IRegistryBackend& registry,
                               ITextSink& out, ITextSink& err) noexcept;

} // namespace plaxor
