#pragma once
// What the watchers share: a millisecond clock, finding a program's window by title, and
// reading a window's client area back from the screen.
#include <windows.h>

#include "framework/Text.h"
#include "framework/UniqueHandle.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

inline double Now() {
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

inline BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam) {
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
    ScreenReader() : screen_(nullptr), memory_(::CreateCompatibleDC(screen_.get())) {}

    // The whole client area, or the part of it given in client coordinates.
    bool Read(HWND window, std::vector<std::uint32_t>& pixels, const RECT* part = nullptr) {
        RECT client;
        if (!::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
            return false;
        if (part) client = *part;
        POINT origin{client.left, client.top};
        ::ClientToScreen(window, &origin);
        if (!Ensure(client.right - client.left, client.bottom - client.top)) return false;
        {
            plaxor::SelectGuard select(memory_.get(), bitmap_.get());
            ::BitBlt(memory_.get(), 0, 0, width_, height_, screen_.get(), origin.x, origin.y,
                     SRCCOPY);
        }
        ::GdiFlush();
        pixels.assign(bits_, bits_ + static_cast<std::size_t>(width_) * height_);
        return true;
    }

private:
    bool Ensure(int width, int height) {
        if (bitmap_ && width == width_ && height == height_) return true;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(memory_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = width;
        height_ = height;
        return bitmap_ && bits_;
    }

    plaxor::WindowDC screen_;
    plaxor::UniqueHDC memory_;
    plaxor::UniqueHBITMAP bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

inline bool Flat(const std::vector<std::uint32_t>& pixels) {
    for (std::uint32_t p : pixels)
        if ((p & 0xFFFFFF) != (pixels[0] & 0xFFFFFF)) return false;
    return true;
}

// The visible top-level window of the process with this title, or null.
inline HWND FindWindowOf(DWORD process, const std::wstring& title) {
    Search search{process, title.c_str(), nullptr};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A program started for watching; asked to close and then ended when the watcher is done with
// it (a Wine process takes about two seconds to leave after its window closes, which would
// only slow the runs down).
class WatchedProgram {
public:
    explicit WatchedProgram(const std::wstring& exe) {
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &info))
            return;
        plaxor::UniqueKernelHandle thread(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
    }
    ~WatchedProgram() { Stop(); }
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    HANDLE Process() const { return process_.get(); }
    DWORD Id() const { return id_; }
    bool Ended(DWORD waitMilliseconds) const {
        return ::WaitForSingleObject(process_.get(), waitMilliseconds) == WAIT_OBJECT_0;
    }

    // Closes the window (when there is one), then ends the process if it is still there.
    void Stop(HWND window = nullptr) {
        if (!process_) return;
        if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (!Ended(250)) {
            ::TerminateProcess(process_.get(), 1);
            Ended(5000);
        }
        process_.reset();
    }

private:
    plaxor::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

} // namespace bench
