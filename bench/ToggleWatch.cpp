// Measures, from outside, how long a window program takes from a click until it has
// repainted the state the click switched to. The program is started and left to paint; then
// the watcher clicks at a point of its client area (real input: press and release) and reads
// a region of the window back from the screen every millisecond until it differs from what it
// showed before the click. A second click point switches back, so the state ends as it began.
//
//   toggle_watch TOGGLES LABEL TITLE EXE X1 Y1 X2 Y2 LEFT TOP RIGHT BOTTOM
// clicks (X1, Y1) and (X2, Y2) in turn, TOGGLES times in all, watching the region
// (LEFT, TOP)-(RIGHT, BOTTOM); prints one line per click:
//   toggle LABEL MS
// measured from the release of the button. "failed LABEL reason" and exit code 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/WatchSupport.h"

namespace {

using namespace bench;

void Click(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    ::SetCursorPos(at.x, at.y);
    ::Sleep(50); // the pointer's arrival (hover states, fades) is not part of the measure
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof press);
    ::Sleep(30);
}

void Release() {
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &release, sizeof release);
}

int Fail(const std::string& label, const char* why) {
    std::printf("failed %s %s\n", label.c_str(), why);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 13) {
        std::fprintf(stderr, "usage: toggle_watch TOGGLES LABEL TITLE EXE X1 Y1 X2 Y2 LEFT TOP "
                             "RIGHT BOTTOM\n");
        return 2;
    }
    const int toggles = _wtoi(argv[1]);
    const std::string label = plaxor::ToUtf8(argv[2]);
    const std::wstring title = argv[3], exe = argv[4];
    const POINT points[2] = {{_wtoi(argv[5]), _wtoi(argv[6])}, {_wtoi(argv[7]), _wtoi(argv[8])}};
    const RECT region{_wtoi(argv[9]), _wtoi(argv[10]), _wtoi(argv[11]), _wtoi(argv[12])};

    WatchedProgram watched(exe);
    if (!watched.Started()) return Fail(label, "cannot start");
    HWND window = nullptr;
    for (double start = Now(); !window && Now() - start < 20000; ::Sleep(10))
        window = FindWindowOf(watched.Id(), title);
    int status = 0;
    ScreenReader reader;
    if (!window) {
        status = Fail(label, "no window with that title appeared");
    } else {
        ::Sleep(1000); // painted and settled
        std::vector<std::uint32_t> before, now;
        for (int i = 0; i < toggles && status == 0; ++i) {
            Click(window, points[i % 2].x, points[i % 2].y);
            const bool read = reader.Read(window, before, &region);
            Release();
            if (!read) {
                status = Fail(label, "the window could not be read");
                break;
            }
            const double released = Now();
            double changed = 0;
            while (!changed && Now() - released < 5000) {
                if (reader.Read(window, now, &region) && now != before)
                    changed = Now();
                else
                    ::Sleep(1);
            }
            if (!changed) {
                status = Fail(label, "the region did not change after the click");
                break;
            }
            std::printf("toggle %s %.1f\n", label.c_str(), changed - released);
            std::fflush(stdout);
            ::Sleep(400); // fades and the like are over before the next click
        }
    }
    watched.Stop(window);
    return status;
}
