// plaxorctl.exe: the AutoRun switch for scripts. Everything it does lives in RunControlCommand;
// this only connects it to the Windows registry and the standard handles.
#include "policy/ConsoleSink.h"
#include "policy/ControlCommand.h"
#include <windows.h>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    // Any DLL loaded later comes from the system directory, never from the current folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    try {
        plaxor::ConsoleSink out(::GetStdHandle(STD_OUTPUT_HANDLE));
        plaxor::ConsoleSink err(::GetStdHandle(STD_ERROR_HANDLE));
        const std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        return plaxor::RunControlCommand(args, plaxor::Win32Registry(), out, err);
    } catch (...) {
        return plaxor::ceRegistryError;
    }
}
