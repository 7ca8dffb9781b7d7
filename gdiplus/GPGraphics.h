#pragma once
// A GDI+ drawing surface over a device context.
#include <string_view>

#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPPen;
class TGPBrush;
class TGPGraphicsPath;
class TGPFont;
class TGPStringFormat;
class TGPImage;
class TGPImageAttributes;

class TGPGraphics : public TGdiplusBase {
public:
    explicit TGPGraphics(HDC dc);
    ~TGPGraphics() override;
    std::wstring ClassName() const override { return L"TGPGraphics"; }

    GpGraphics* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    GpStatus SetSmoothingMode(SmoothingMode mode);
    GpStatus SetTextRenderingHint(TextRenderingHint hint);
    // Absent pen or path: nil goes to GDI+, which reports it.
    GpStatus DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
    GpStatus FillRectangle(const TGPBrush& brush, const GpRectF& rect);
    GpStatus FillRectangle(const TGPBrush& brush, REAL x, REAL y, REAL width, REAL height);
    GpStatus DrawRectangle(const TGPPen& pen, REAL x, REAL y, REAL width, REAL height);
    // length -1: text ends at its first zero. A null text is drawn as an empty one.
    GpStatus DrawString(const wchar_t* text, int length, const TGPFont* font,
                        const GpRectF& layoutRect, const TGPStringFormat* format,
                        const TGPBrush* brush);
    GpStatus MeasureString(const wchar_t* text, int length, const TGPFont* font,
                           const GpRectF& layoutRect, const TGPStringFormat* format,
                           GpRectF& boundingBox, int* codepointsFitted = nullptr,
                           int* linesFilled = nullptr);
    GpStatus DrawImageRect(const TGPImage* image, int x, int y, int width, int height);
    GpStatus DrawImageRectRect(const TGPImage* image, const GpRectF& destRect, REAL srcX, REAL srcY,
                               REAL srcWidth, REAL srcHeight, GpUnit srcUnit,
                               const TGPImageAttributes* attributes,
                               DrawImageAbort abortCallback = nullptr,
                               void* callbackData = nullptr);

private:
    GpGraphics* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
