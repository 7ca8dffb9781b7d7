#pragma once
// The module whose resources the tests read: this test program (which links the program's
// compiled resources), or, in the build that defines PLAXOR_RESOURCE_SUBJECT, the built
// Plaxor.exe itself loaded as a data file.
#include <windows.h>
#include <cstdint>
#include <span>
#include <string>

namespace plaxor::test {

// Loaded once; never freed (the spans below point into it).
HMODULE SubjectModule();
// The file the module was loaded from.
std::wstring SubjectPath();

// The bytes of a resource of the subject module; empty when it has no such resource.
std::span<const std::uint8_t> ModuleResource(const wchar_t* name, const wchar_t* type);

} // namespace plaxor::test
