#pragma once
// GDI+ runs for the whole life of the program: started once before any window exists and shut
// down once after the last window is gone. The program's main and each test main hold one
// GdiplusSession for that span.
#include "gdiplus/GdiplusTypes.h"

namespace plaxor {

// Process-wide records handed to GdiplusStartup; the wrappers' allocation retry reuses them.
extern GdiplusStartupInput startupInput;
extern GdiplusStartupOutput startupOutput;
extern ULONG_PTR gdiplusToken;

// Binds gdiplus.dll (EGdiplusUnavailable when that fails) and starts GDI+ without its
// background thread. The startup status is not examined: a wrapper made while GDI+ is not
// running records the failure on itself, and the allocation retry starts GDI+ again.
void StartGdiplus();
// Shuts GDI+ down with the current token; skipped when this code lives in a DLL, which must
// not pull GDI+ from under its host program.
void StopGdiplus();
// True when this code is part of a DLL rather than the program's exe.
bool IsLibraryModule();

// Only the outermost of nested sessions starts and stops GDI+, so that an inner one cannot
// shut GDI+ down under the outer one's feet.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    static bool Active() noexcept { return depth_ > 0; }

private:
    static int depth_;
};

} // namespace plaxor
