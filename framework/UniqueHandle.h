#pragma once
// One move-only owner for every kind of Win32 handle, plus scope guards for the paired calls
// (BeginPaint/EndPaint, GetDC/ReleaseDC, SelectObject/restore, SaveDC/RestoreDC).
#include <windows.h>
#include <utility>

namespace plaxor {

// Close is a stateless functor; Invalid the value that means "no handle".
template <typename T, typename Close, T Invalid = T{}> class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid; }
    T release() noexcept { return std::exchange(value_, Invalid); }
    void reset(T value = Invalid) noexcept {
        T old = std::exchange(value_, value);
        if (old != Invalid) Close{}(old);
    }
    // For APIs that hand a new handle back through an out-parameter.
    T* put() noexcept {
        reset();
        return &value_;
    }

private:
    T value_ = Invalid;
};

namespace detail {
struct CloseRegKey {
    void operator()(HKEY h) const noexcept { ::RegCloseKey(h); }
};
struct DeleteDC {
    void operator()(HDC h) const noexcept { ::DeleteDC(h); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); }
};
struct GlobalFree {
    void operator()(HGLOBAL h) const noexcept { ::GlobalFree(h); }
};
struct FreeLibrary {
    void operator()(HMODULE h) const noexcept { ::FreeLibrary(h); }
};
struct CloseHandle {
    void operator()(HANDLE h) const noexcept { ::CloseHandle(h); }
};
struct DestroyIcon {
    void operator()(HICON h) const noexcept { ::DestroyIcon(h); }
};
struct DestroyMenu {
    void operator()(HMENU h) const noexcept { ::DestroyMenu(h); }
};
struct ReleaseCom {
    template <typename T> void operator()(T* p) const noexcept { p->Release(); }
};
struct DestroyWindow {
    void operator()(HWND h) const noexcept { ::DestroyWindow(h); }
};
} // namespace detail

using UniqueHKEY = UniqueHandle<HKEY, detail::CloseRegKey>;
using UniqueHDC = UniqueHandle<HDC, detail::DeleteDC>; // memory DCs from CreateCompatibleDC
using UniqueHBITMAP = UniqueHandle<HBITMAP, detail::DeleteGdiObject>;
using UniqueHFONT = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using UniqueHBRUSH = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using UniqueHPEN = UniqueHandle<HPEN, detail::DeleteGdiObject>;
using UniqueHRGN = UniqueHandle<HRGN, detail::DeleteGdiObject>;
using UniqueHGLOBAL = UniqueHandle<HGLOBAL, detail::GlobalFree>;
using UniqueHMODULE = UniqueHandle<HMODULE, detail::FreeLibrary>;
using UniqueHICON = UniqueHandle<HICON, detail::DestroyIcon>;
using UniqueHMENU = UniqueHandle<HMENU, detail::DestroyMenu>;
// COM interface pointers (IStream*, ...): one reference, released once.
template <typename T> using UniqueCom = UniqueHandle<T*, detail::ReleaseCom>;
// Windows that no framework control owns (helper windows, the application's hidden window).
using UniqueHWND = UniqueHandle<HWND, detail::DestroyWindow>;
// Kernel handles use nullptr as "none"; files use INVALID_HANDLE_VALUE, see UniqueFile.
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseHandle>;

class UniqueFile {
public:
    UniqueFile() noexcept = default;
    explicit UniqueFile(HANDLE h) noexcept : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    HANDLE get() const noexcept { return h_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(h_); }

private:
    UniqueKernelHandle h_;
};

// BeginPaint .. EndPaint, remembering the window with the paint structure.
class PaintGuard {
public:
    explicit PaintGuard(HWND wnd) noexcept : wnd_(wnd) { dc_ = ::BeginPaint(wnd_, &ps_); }
    ~PaintGuard() { ::EndPaint(wnd_, &ps_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC dc() const noexcept { return dc_; }
    const PAINTSTRUCT& paint() const noexcept { return ps_; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// GetDC .. ReleaseDC for a window (or the screen when the window is null).
class WindowDC {
public:
    explicit WindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// SelectObject with the previous object put back at the end of the scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept
        : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC .. RestoreDC.
class SavedDC {
public:
    explicit SavedDC(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDC() {
        if (saved_) ::RestoreDC(dc_, saved_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace plaxor
