#pragma once
// One move-only owner for every kind of Win32 handle, plus scope guards for the paired calls
// (BeginPaint/EndPaint, GetDC/ReleaseDC, SelectObject/restore, SaveDC/RestoreDC).
#include <windows.h>
#include <atomic>
#include <utility>

namespace plaxor {

// Close is a stateless functor; Invalid the value that means "no handle".
// Each kind keeps a count of the handles its owners hold: Wine reports no GDI or USER object
// counts, so a long run checks with Live() that everything it made was given back.
template <typename T, typename Close, T Invalid = T{}> class UniqueHandle {
    class PutTarget;

public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) { Took(value); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, Invalid);
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid; }
    // The caller owns the handle from now on.
    T release() noexcept {
        Gave(value_);
        return std::exchange(value_, Invalid);
    }
    void reset(T value = Invalid) noexcept {
        Took(value);
        T old = std::exchange(value_, value);
        if (old != Invalid) {
            Gave(old);
            Close{}(old);
        }
    }
    // For APIs that hand a new handle back through an out-parameter: Api(owner.put()).
    // What the API leaves there is counted once the call's full expression is over.
    PutTarget put() noexcept {
        reset();
        return PutTarget(*this);
    }

    // Handles of this kind held by all owners together.
    static long Live() noexcept { return live_.load(std::memory_order_relaxed); }

private:
    class PutTarget {
    public:
        explicit PutTarget(UniqueHandle& owner) noexcept : owner_(owner) {}
        ~PutTarget() { Took(owner_.value_); }
        PutTarget(const PutTarget&) = delete;
        PutTarget& operator=(const PutTarget&) = delete;
        operator T*() const noexcept { return &owner_.value_; }
        T& operator*() const noexcept { return owner_.value_; }
        // For QueryInterface-style out-parameters: Query(iid, owner.put().as_void()).
        void** as_void() const noexcept { return reinterpret_cast<void**>(&owner_.value_); }

    private:
        UniqueHandle& owner_;
    };

    static void Took(T value) noexcept {
        if (value != Invalid) live_.fetch_add(1, std::memory_order_relaxed);
    }
    static void Gave(T value) noexcept {
        if (value != Invalid) live_.fetch_sub(1, std::memory_order_relaxed);
    }

    T value_ = Invalid;
    static inline std::atomic<long> live_{0};
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
    explicit WindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {
        if (dc_) live_.fetch_add(1, std::memory_order_relaxed);
    }
    ~WindowDC() {
        if (dc_) {
            ::ReleaseDC(wnd_, dc_);
            live_.fetch_sub(1, std::memory_order_relaxed);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }

    // Window DCs held right now.
    static long Live() noexcept { return live_.load(std::memory_order_relaxed); }

private:
    HWND wnd_;
    HDC dc_;
    static inline std::atomic<long> live_{0};
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
