// A program that breaks the import rule on purpose, for the PE check's own test.
#include <windows.h>

int main() {
    return static_cast<int>(::GetFileVersionInfoSizeW(L"kernel32.dll", nullptr) == 0);
}
