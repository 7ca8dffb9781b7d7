#include "gdiplus/GdiplusBase.h"

#include "framework/Exception.h"
#include "gdiplus/GdiplusApi.h"
#include "gdiplus/GdiplusSession.h"

namespace plaxor {

void* TGdiplusBase::operator new(std::size_t size) {
    GdiplusApi& api = Gdip();
    void* memory = api.GdipAlloc(size);
    if (!memory) {
        // GDI+ was shut down (or never started): start it with the same records and retry once.
        api.GdiplusStartup(&gdiplusToken, &startupInput, &startupOutput);
        memory = api.GdipAlloc(size);
    }
    if (!memory) throw EOutOfMemory(L"Out of memory");
    live_.fetch_add(1, std::memory_order_relaxed);
    return memory;
}

void TGdiplusBase::operator delete(void* memory) noexcept {
    if (!memory) return;
    live_.fetch_sub(1, std::memory_order_relaxed);
    Gdip().GdipFree(memory);
}

} // namespace plaxor
