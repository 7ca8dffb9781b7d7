// desktop_keeper.exe holds the Wine desktop of a test session open from the first test
// program to the last.
//
// Wine closes a desktop one second after its last user goes, and the explorer process that
// owns the desktop window quits with it. A test program that starts within that second can
// attach to the closing desktop: it caches X11 windows of that explorer (the cursor clip
// window among them), the explorer quits under it, and the next use of such a window (hiding
// a full-screen window resets the cursor clip) kills the test program with BadWindow. One
// user that lives for the whole session keeps one desktop and one explorer throughout.
//
// Started by scripts/env.sh before any other program of the session; prints "ready" once it
// is a user of the desktop and then waits until it is ended. With --probe it ends at once,
// as a short test program does (the harness check uses that).
#include <windows.h>
#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (!::GetDesktopWindow()) {
        std::fputs("desktop_keeper: no desktop\n", stderr);
        return 1;
    }
    if (argc > 1 && std::wcscmp(argv[1], L"--probe") == 0) return 0;
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        ::Sleep(INFINITE);
}
