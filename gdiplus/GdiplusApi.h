#pragma once
// The GDI+ flat functions the program uses, bound by name at run time from the gdiplus.dll in
// the system directory. The program runs elevated, often from a Downloads folder, so it never
// imports gdiplus.dll and never lets the loader search beside the exe for it.
#include "framework/Exception.h"
#include "gdiplus/GdiplusTypes.h"

namespace plaxor {

// gdiplus.dll could not be loaded, or lacks a function we need.
PLAXOR_EXCEPTION(EGdiplusUnavailable);

// X(name, result, parameters): every GDI+ function the program calls, and no other.
#define PLAXOR_GDIPLUS_FUNCTIONS(X)                                                                \
    X(GdiplusStartup, GpStatus, (ULONG_PTR*, const GdiplusStartupInput*, GdiplusStartupOutput*))   \
    X(GdiplusShutdown, void, (ULONG_PTR))                                                          \
    X(GdipAlloc, void*, (std::size_t))                                                             \
    X(GdipFree, void, (void*))                                                                     \
    X(GdipCreateFromHDC, GpStatus, (HDC, GpGraphics**))                                            \
    X(GdipDeleteGraphics, GpStatus, (GpGraphics*))                                                 \
    X(GdipSetSmoothingMode, GpStatus, (GpGraphics*, SmoothingMode))                                \
    X(GdipSetTextRenderingHint, GpStatus, (GpGraphics*, TextRenderingHint))                        \
    X(GdipDrawPath, GpStatus, (GpGraphics*, GpPen*, GpPath*))                                      \
    X(GdipFillRectangle, GpStatus, (GpGraphics*, GpBrush*, REAL, REAL, REAL, REAL))                \
    X(GdipDrawRectangle, GpStatus, (GpGraphics*, GpPen*, REAL, REAL, REAL, REAL))                  \
    X(GdipDrawString, GpStatus,                                                                    \
      (GpGraphics*, const WCHAR*, INT, const GpFont*, const GpRectF*, const GpStringFormat*,       \
       const GpBrush*))                                                                            \
    X(GdipMeasureString, GpStatus,                                                                 \
      (GpGraphics*, const WCHAR*, INT, const GpFont*, const GpRectF*, const GpStringFormat*,       \
       GpRectF*, INT*, INT*))                                                                      \
    X(GdipDrawImageRect, GpStatus, (GpGraphics*, GpImage*, REAL, REAL, REAL, REAL))                \
    X(GdipDrawImageRectRect, GpStatus,                                                             \
      (GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL, REAL, REAL, GpUnit,              \
       const GpImageAttributes*, DrawImageAbort, void*))                                           \
    X(GdipCreatePen1, GpStatus, (ARGB, REAL, GpUnit, GpPen**))                                     \
    X(GdipDeletePen, GpStatus, (GpPen*))                                                           \
    X(GdipSetPenDashStyle, GpStatus, (GpPen*, DashStyle))                                          \
    X(GdipCreateSolidFill, GpStatus, (ARGB, GpBrush**))                                            \
    X(GdipCreateLineBrushFromRect, GpStatus,                                                       \
      (const GpRectF*, ARGB, ARGB, LinearGradientMode, WrapMode, GpBrush**))                       \
    X(GdipCreatePathGradientFromPath, GpStatus, (const GpPath*, GpBrush**))                        \
    X(GdipSetPathGradientCenterColor, GpStatus, (GpBrush*, ARGB))                                  \
    X(GdipSetPathGradientSurroundColorsWithCount, GpStatus, (GpBrush*, const ARGB*, INT*))         \
    X(GdipSetPathGradientCenterPointI, GpStatus, (GpBrush*, const GpPoint*))                       \
    X(GdipGetPathGradientPointCount, GpStatus, (GpBrush*, INT*))                                   \
    X(GdipDeleteBrush, GpStatus, (GpBrush*))                                                       \
    X(GdipCreatePath, GpStatus, (FillMode, GpPath**))                                              \
    X(GdipDeletePath, GpStatus, (GpPath*))                                                         \
    X(GdipAddPathLine, GpStatus, (GpPath*, REAL, REAL, REAL, REAL))                                \
    X(GdipAddPathArc, GpStatus, (GpPath*, REAL, REAL, REAL, REAL, REAL, REAL))                     \
    X(GdipAddPathEllipse, GpStatus, (GpPath*, REAL, REAL, REAL, REAL))                             \
    X(GdipClosePathFigure, GpStatus, (GpPath*))                                                    \
    X(GdipCreateFontFamilyFromName, GpStatus, (const WCHAR*, GpFontCollection*, GpFontFamily**))   \
    X(GdipDeleteFontFamily, GpStatus, (GpFontFamily*))                                             \
    X(GdipCreateFont, GpStatus, (const GpFontFamily*, REAL, INT, GpUnit, GpFont**))                \
    X(GdipDeleteFont, GpStatus, (GpFont*))                                                         \
    X(GdipCreateStringFormat, GpStatus, (INT, LANGID, GpStringFormat**))                           \
    X(GdipDeleteStringFormat, GpStatus, (GpStringFormat*))                                         \
    X(GdipSetStringFormatAlign, GpStatus, (GpStringFormat*, StringAlignment))                      \
    X(GdipSetStringFormatLineAlign, GpStatus, (GpStringFormat*, StringAlignment))                  \
    X(GdipSetStringFormatTrimming, GpStatus, (GpStringFormat*, INT))                               \
    X(GdipSetStringFormatHotkeyPrefix, GpStatus, (GpStringFormat*, INT))                           \
    X(GdipLoadImageFromStream, GpStatus, (IStream*, GpImage**))                                    \
    X(GdipLoadImageFromStreamICM, GpStatus, (IStream*, GpImage**))                                 \
    X(GdipDisposeImage, GpStatus, (GpImage*))                                                      \
    X(GdipGetImageWidth, GpStatus, (GpImage*, UINT*))                                              \
    X(GdipGetImageHeight, GpStatus, (GpImage*, UINT*))                                             \
    X(GdipGetImageRawFormat, GpStatus, (GpImage*, GUID*))                                          \
    X(GdipCreateBitmapFromStream, GpStatus, (IStream*, GpImage**))                                 \
    X(GdipCreateBitmapFromStreamICM, GpStatus, (IStream*, GpImage**))                              \
    X(GdipBitmapGetPixel, GpStatus, (GpImage*, INT, INT, ARGB*))                                   \
    X(GdipCreateImageAttributes, GpStatus, (GpImageAttributes**))                                  \
    X(GdipDisposeImageAttributes, GpStatus, (GpImageAttributes*))                                  \
    X(GdipSetImageAttributesColorKeys, GpStatus,                                                   \
      (GpImageAttributes*, ColorAdjustType, BOOL, ARGB, ARGB))

// One pointer per function, filled by BindGdiplus.
struct GdiplusApi {
#define PLAXOR_GDIPLUS_POINTER(name, result, params) result(WINAPI* name) params = nullptr;
    PLAXOR_GDIPLUS_FUNCTIONS(PLAXOR_GDIPLUS_POINTER)
#undef PLAXOR_GDIPLUS_POINTER
};

// How many functions the table binds.
inline constexpr int GdiplusFunctionCount = 0
#define PLAXOR_GDIPLUS_COUNT(name, result, params) +1
    PLAXOR_GDIPLUS_FUNCTIONS(PLAXOR_GDIPLUS_COUNT)
#undef PLAXOR_GDIPLUS_COUNT
    ;

// Resolves every function of the table by name from module; raises EGdiplusUnavailable naming
// the first one that is missing, and leaves api untouched then.
void BindGdiplusFunctions(HMODULE module, GdiplusApi& api);

// The process's table, bound from the system's gdiplus.dll on first use. Raises
// EGdiplusUnavailable when the library or one of its functions is missing; a later call tries
// again. Tests may replace single entries to watch or fake a call, and must put them back.
GdiplusApi& Gdip();

} // namespace plaxor
