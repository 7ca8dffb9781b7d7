#pragma once
// The root of the GDI+ wrapper classes. Wrappers live in GDI+'s own heap, like the objects they
// own; they never throw, and keep the status of their creation and of their last failed call.
#include <atomic>
#include <cstddef>
#include <new>

#include "framework/Object.h"
#include "gdiplus/GdiplusTypes.h"

namespace plaxor {

class TGdiplusBase : public TObject {
public:
    std::wstring ClassName() const override { return L"TGdiplusBase"; }

    // GdipAlloc; when GDI+ has no heap (it is not running) it is started again once and asked
    // once more. EOutOfMemory when that fails too: then no object is made.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory) noexcept;
    // Wrappers are single objects; arrays of them are not supported.
    static void* operator new[](std::size_t) = delete;
    static void operator delete[](void*) = delete;

    // Wrappers alive right now (each owns at most one GDI+ object): a long run checks that
    // every one it made is gone again.
    static long Live() noexcept { return live_.load(std::memory_order_relaxed); }

protected:
    TGdiplusBase() = default;

private:
    static inline std::atomic<long> live_{0};
};

// Keeps a failing status in last and returns status: an Ok call never hides an earlier failure.
inline GpStatus RecordStatus(GpStatus& last, GpStatus status) noexcept {
    if (status != Ok) last = status;
    return status;
}

} // namespace plaxor
