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

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || !::IsWindowVisible(window)) return TRUE;
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    if (std::wstring(title) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

// The client area as it is on the screen, as 32-bit pixels.
class ScreenReader {
public:
    ScreenReader() : screen_(::GetDC(nullptr)), memory_(::CreateCompatibleDC(screen_)) {}
    ~ScreenReader() {
        if (bitmap_) ::DeleteObject(::SelectObject(memory_, old_));
        ::DeleteDC(memory_);
        ::ReleaseDC(nullptr, screen_);
    }
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    bool Read(HWND window, std::vector<std::uint32_t>& pixels) {
        RECT client;
        if (!::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
            return false;
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        Ensure(client.right, client.bottom);
        ::BitBlt(memory_, 0, 0, width_, height_, screen_, origin.x, origin.y, SRCCOPY);
        ::GdiFlush();
        pixels.assign(bits_, bits_ + static_cast<std::size_t>(width_) * height_);
        return true;
    }

private:
    void Ensure(int width, int height) {
        if (bitmap_ && width == width_ && height == height_) return;
        if (bitmap_) ::DeleteObject(::SelectObject(memory_, old_));
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(memory_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = ::SelectObject(memory_, bitmap_);
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = width;
        height_ = height;
    }

    HDC screen_;
    HDC memory_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

bool Flat(const std::vector<std::uint32_t>& pixels) {
    for (std::uint32_t p : pixels)
        if ((p & 0xFFFFFF) != (pixels[0] & 0xFFFFFF)) return false;
    return true;
}

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
    std::wstring commandLine = L"\"" + program.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!::CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &info))
        return fail("cannot start");
    ::CloseHandle(info.hThread);

    HWND window = nullptr;
    double firstPaint = 0, settled = 0;
    std::vector<std::uint32_t> pixels, last;
    while (Now() - start < 20000) {
        if (!window) {
            Search search{info.dwProcessId, program.title.c_str(), nullptr};
            ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            window = search.found;
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
        if (::WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    const bool counted = ::GetProcessMemoryInfo(
        info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Asked to close, then ended: a Wine process takes about two seconds to leave after its
    // window closes, which would only slow the runs down.
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(info.hProcess, 250) != WAIT_OBJECT_0) {
        ::TerminateProcess(info.hProcess, 1);
        ::WaitForSingleObject(info.hProcess, 5000);
    }
    ::CloseHandle(info.hProcess);
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
        std::string label;
        for (const wchar_t* c = argv[i]; *c; ++c)
            label += static_cast<char>(*c);
        programs.push_back({label, argv[i + 1], argv[i + 2]});
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
