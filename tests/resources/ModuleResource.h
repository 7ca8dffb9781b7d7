#pragma once
// The bytes of a resource of this test program's own module (which links the program's
// compiled resources).
#include <windows.h>
#include <cstdint>
#include <span>

namespace plaxor::test {

// Empty when the module has no such resource.
std::span<const std::uint8_t> ModuleResource(const wchar_t* name, const wchar_t* type);

} // namespace plaxor::test
