// A program that breaks the PE check's rules on purpose, for the check's own test: it imports
// version.dll and carries its build folder (PLAXOR_BUILD_FOLDER, from CMake) as a string.
#include <windows.h>
#include <cstdio>

int main() {
    std::puts(PLAXOR_BUILD_FOLDER);
    return static_cast<int>(::GetFileVersionInfoSizeW(L"kernel32.dll", nullptr) == 0);
}
