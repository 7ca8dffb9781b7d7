// Measures, from outside, how long a window program takes from its start until its window is
// on the screen and painted, and how much memory it then holds. The program is started; the
// watcher waits for a visible top-level window of that process with the given title, then
// reads the window's client area back from the screen every millisecond: an unpainted window
// is one flat colour, so the first read with more than one colour is the first paint. Nothing
// in the measured program is needed for this, so Plaxor is measured exactly as it ships.
//
//   first_paint_watch RUNS LABEL TITLE EXE [LABEL TITLE EXE ...]
// runs the programs in turn, RUNS times each, and prints one line per start:
//   start LABEL FIRST_PAINT_MS SETTLED_MS WORKING_SET_KB PRIVATE_KB
// SETTLED_MS is when the client area last changed within the following half second.
// A start that fails prints "failed LABEL reason" and the watcher ends with exit code 1.
#include <windows.h>
#include <psapi.h>

#include "bench/WatchSupport.h"

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace bench;

struct Program {
    std::string label;
    std::wstring title;
    std::wstring exe;
};

bool Measure(const Program& program, ScreenReader& reader) {
    const auto fail = [&](const char* why) {
        std::printf("failed %s %s\n", program.label.c_str(), why);
        std::fflush(stdout);
        return false;
    };
    const double start = Now();
    WatchedProgram watched(program.exe);
    if (!watched.Started()) return fail("cannot start");

    HWND window = nullptr;
    double firstPaint = 0, settled = 0;
    std::vector<std::uint32_t> pixels, last;
    while (Now() - start < 20000) {
        if (!window) {
            window = FindWindowOf(watched.Id(), program.title);
        }
        if (window && reader.Read(window, pixels)) {
            if (!firstPaint && !Flat(pixels)) {
                firstPaint = settled = Now() - start;
                last = pixels;
            } else if (firstPaint) {
                if (pixels != last) {
                    settled = Now() - start;
                    last = pixels;
                }
                if (Now() - start - settled > 500) break;
            }
        }
        if (watched.Ended(1)) break;
    }

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    const bool counted = ::GetProcessMemoryInfo(
        watched.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    watched.Stop(window);
    if (!window) return fail("no window with that title appeared");
    if (!firstPaint) return fail("the window was never painted");
    std::printf("start %s %.1f %.1f %llu %llu\n", program.label.c_str(), firstPaint, settled,
                counted ? static_cast<unsigned long long>(memory.WorkingSetSize / 1024) : 0ull,
                counted ? static_cast<unsigned long long>(memory.PrivateUsage / 1024) : 0ull);
    std::fflush(stdout);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr,
                     "usage: first_paint_watch RUNS LABEL TITLE EXE [LABEL TITLE EXE ...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i + 2 < argc; i += 3) {
        programs.push_back({plaxor::ToUtf8(argv[i]), argv[i + 1], argv[i + 2]});
    }
    ScreenReader reader;
    bool ok = true;
    // Interleaved, so that a slower phase of the machine hits every program alike.
    for (int run = 0; run < runs; ++run)
        for (const Program& program : programs) {
            ok = Measure(program, reader) && ok;
            ::Sleep(300); // the ended process is gone from the server before the next starts
        }
    return ok ? 0 : 1;
}
