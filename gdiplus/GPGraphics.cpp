#include "gdiplus/GPGraphics.h"

#include "gdiplus/GPBrushes.h"
#include "gdiplus/GPFont.h"
#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GPImage.h"
#include "gdiplus/GPImageAttributes.h"
#include "gdiplus/GPPen.h"
#include "gdiplus/GPStringFormat.h"
#include "gdiplus/GdiplusApi.h"

namespace plaxor {

namespace {
template <typename T> auto HandleOf(const T* wrapper) noexcept {
    return wrapper ? wrapper->Handle() : nullptr;
}
} // namespace

TGPGraphics::TGPGraphics(HDC dc) {
    lastStatus = Gdip().GdipCreateFromHDC(dc, &handle);
}

TGPGraphics::~TGPGraphics() {
    Gdip().GdipDeleteGraphics(handle);
}

GpStatus TGPGraphics::SetSmoothingMode(SmoothingMode mode) {
    return RecordStatus(lastStatus, Gdip().GdipSetSmoothingMode(handle, mode));
}

GpStatus TGPGraphics::SetTextRenderingHint(TextRenderingHint hint) {
    return RecordStatus(lastStatus, Gdip().GdipSetTextRenderingHint(handle, hint));
}

GpStatus TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path) {
    return RecordStatus(lastStatus, Gdip().GdipDrawPath(handle, HandleOf(pen), HandleOf(path)));
}

GpStatus TGPGraphics::FillRectangle(const TGPBrush& brush, const GpRectF& rect) {
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

GpStatus TGPGraphics::FillRectangle(const TGPBrush& brush, REAL x, REAL y, REAL width,
                                    REAL height) {
    return RecordStatus(lastStatus,
                        Gdip().GdipFillRectangle(handle, brush.Handle(), x, y, width, height));
}

GpStatus TGPGraphics::DrawRectangle(const TGPPen& pen, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(lastStatus,
                        Gdip().GdipDrawRectangle(handle, pen.Handle(), x, y, width, height));
}

GpStatus TGPGraphics::DrawString(const wchar_t* text, int length, const TGPFont* font,
                                 const GpRectF& layoutRect, const TGPStringFormat* format,
                                 const TGPBrush* brush) {
    return RecordStatus(lastStatus,
                        Gdip().GdipDrawString(handle, text ? text : L"", text ? length : 0,
                                              HandleOf(font), &layoutRect, HandleOf(format),
                                              HandleOf(brush)));
}

GpStatus TGPGraphics::MeasureString(const wchar_t* text, int length, const TGPFont* font,
                                    const GpRectF& layoutRect, const TGPStringFormat* format,
                                    GpRectF& boundingBox, int* codepointsFitted, int* linesFilled) {
    return RecordStatus(lastStatus,
                        Gdip().GdipMeasureString(handle, text ? text : L"", text ? length : 0,
                                                 HandleOf(font), &layoutRect, HandleOf(format),
                                                 &boundingBox, codepointsFitted, linesFilled));
}

GpStatus TGPGraphics::DrawImageRect(const TGPImage* image, int x, int y, int width, int height) {
    return RecordStatus(lastStatus,
                        Gdip().GdipDrawImageRect(handle, HandleOf(image), static_cast<REAL>(x),
                                                 static_cast<REAL>(y), static_cast<REAL>(width),
                                                 static_cast<REAL>(height)));
}

GpStatus TGPGraphics::DrawImageRectRect(const TGPImage* image, const GpRectF& destRect, REAL srcX,
                                        REAL srcY, REAL srcWidth, REAL srcHeight, GpUnit srcUnit,
                                        const TGPImageAttributes* attributes,
                                        DrawImageAbort abortCallback, void* callbackData) {
    return RecordStatus(
        lastStatus, Gdip().GdipDrawImageRectRect(handle, HandleOf(image), destRect.X, destRect.Y,
                                                 destRect.Width, destRect.Height, srcX, srcY,
                                                 srcWidth, srcHeight, srcUnit, HandleOf(attributes),
                                                 abortCallback, callbackData));
}

} // namespace plaxor
