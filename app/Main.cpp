// Plaxor.exe: the window that switches Windows AutoRun off and on.
#include "Program.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // First of all: the program runs elevated, often from a Downloads folder, so no DLL may be
    // found anywhere but in the system directory.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return plaxor::RunPlaxor(showCommand);
}
