#pragma once
// What the watchers share: a millisecond clock, finding a program's window by title, and
// reading a window's client area back from the screen.
#include <windows.h>

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
    ScreenReader() : screen_(::GetDC(nullptr)), memory_(::CreateCompatibleDC(screen_)) {}
    ~ScreenReader() {
        if (bitmap_) ::DeleteObject(::SelectObject(memory_, old_));
        ::DeleteDC(memory_);
        ::ReleaseDC(nullptr, screen_);
    }
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // The whole client area, or the part of it given in client coordinates.
    bool Read(HWND window, std::vector<std::uint32_t>& pixels, const RECT* part = nullptr) {
        RECT client;
        if (!::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
            return false;
        if (part) client = *part;
        POINT origin{client.left, client.top};
        ::ClientToScreen(window, &origin);
        Ensure(client.right - client.left, client.bottom - client.top);
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

} // namespace bench
