#pragma once
// GDI+ images decoded from a COM stream, and bitmaps whose pixels can be read.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPImage : public TGdiplusBase {
public:
    // Decodes the whole stream. Undecodable bytes leave a usable object with a nil handle.
    // The stream is held only during the call; the caller frees the image before the stream.
    explicit TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
    ~TGPImage() override;
    std::wstring ClassName() const override { return L"TGPImage"; }

    GpImage* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    // In pixels; 0 when GDI+ cannot tell (the failure is recorded).
    UINT GetWidth();
    UINT GetHeight();
    // The encoded format the image came from; fkUndefined when GDI+ cannot tell.
    TGPFormatKind GetFormatKind() const;

protected:
    TGPImage() = default;

    GpImage* handle = nullptr;
    GpStatus lastStatus = Ok;
};

class TGPBitmap : public TGPImage {
public:
    explicit TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
    std::wstring ClassName() const override { return L"TGPBitmap"; }

    GpStatus GetPixel(int x, int y, ARGB& color);
};

} // namespace plaxor
