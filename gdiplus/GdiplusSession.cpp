#include "gdiplus/GdiplusSession.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

GdiplusStartupInput startupInput;
GdiplusStartupOutput startupOutput;
ULONG_PTR gdiplusToken = 0;

void StartGdiplus() {
    GdiplusApi& api = Gdip();
    startupInput.DebugEventCallback = nullptr;
    // All 32 bits set: GDI+ tests the value as a Boolean.
    startupInput.SuppressBackgroundThread = static_cast<BOOL>(0xFFFFFFFF);
    startupInput.SuppressExternalCodecs = FALSE;
    startupInput.GdiplusVersion = 1;
    startupOutput.NotificationHook = nullptr;
    startupOutput.NotificationUnhook = nullptr;
    api.GdiplusStartup(&gdiplusToken, &startupInput, &startupOutput);
}

void StopGdiplus() {
    if (IsLibraryModule()) return;
    Gdip().GdiplusShutdown(gdiplusToken);
}

int GdiplusSession::depth_ = 0;

GdiplusSession::GdiplusSession() {
    if (depth_ == 0) StartGdiplus();
    ++depth_;
}

GdiplusSession::~GdiplusSession() {
    if (--depth_ == 0) StopGdiplus();
}

bool IsLibraryModule() {
    static const char marker = 0;
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&marker), &self);
    return self != nullptr && self != ::GetModuleHandleW(nullptr);
}

} // namespace plaxor
