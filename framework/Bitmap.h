#pragma once
// A device-independent bitmap: 32-bit BGRA pixels in a DIB section, drawable through its own
// canvas, read from and written to the BMP file format, optionally drawn with one colour
// keyed out.
#include "Canvas.h"
#include "Graphic.h"
#include "UniqueHandle.h"
#include <cstdint>
#include <memory>

namespace plaxor {

// A 32-bit top-down DIB section compatible with dc (null: the screen): row y starts at
// *bits + y * width. Null, with *bits null, when it cannot be made.
UniqueHBITMAP CreateTopDownDib(HDC dc, int width, int height, std::uint32_t** bits) noexcept;

enum TTransparentMode : std::uint8_t { tmAuto, tmFixed };
template <> struct EnumNames<TTransparentMode> {
    static constexpr std::wstring_view names[] = {L"tmAuto", L"tmFixed"};
};

class TBitmap : public TGraphic {
public:
    // Larger bitmaps are refused (EInvalidGraphic) rather than attempted.
    static constexpr int MaxSide = 16384;

    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    std::wstring ClassName() const override { return L"TBitmap"; }

    // From another bitmap: pixels, size and transparency. From any other graphic: a bitmap of
    // its size with the graphic drawn on white. From null: empty.
    void CopyFrom(const TPersistent* source) override;

    void DrawInRect(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override { return width_ == 0 || height_ == 0; }
    int ImageWidth() const override { return width_; }
    int ImageHeight() const override { return height_; }
    // Layout data: a 4-byte little-endian length, then the BMP file. A plain BMP file is
    // accepted as well.
    void ReadLayoutData(TStream* stream) override;
    void WriteLayoutData(TStream* stream) const override;
    // The BMP file format: BITMAPCOREHEADER, BITMAPINFOHEADER, V4 and V5 headers; 1, 4, 8, 16,
    // 24 and 32 bits per pixel; BI_RGB and BI_BITFIELDS; bottom-up and top-down. Reads to the
    // end of the stream. Anything malformed raises EInvalidGraphic and keeps the old image.
    void LoadImage(TStream& stream) override;
    // 24 bits per pixel, bottom-up, 3780 pixels per metre; a bitmap with an alpha channel is
    // written with 32 bits and a V5 header that names the alpha mask. Nothing for an empty one.
    void SaveImage(TStream& stream) const override;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Keeps the overlapping part of the picture; new area is white.
    void SetSize(int width, int height);

    // A canvas on the bitmap's own memory DC, made on first use.
    TCanvas& Canvas();
    // The DIB section (null while empty); owned by the bitmap.
    HBITMAP Handle() const noexcept { return dib_.get(); }

    TTransparentMode TransparentMode() const noexcept { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set here (setting one
    // switches to tmFixed).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // Whether the pixels' fourth byte is alpha (straight, not premultiplied) that drawing
    // blends with.
    bool AlphaChannel() const noexcept { return alpha_; }
    void SetAlphaChannel(bool value);

    // Pixel access: colours as 0x00BBGGRR; rows as 32-bit BGRA, top row first.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    std::uint32_t* ScanLine(int y);
    const std::uint32_t* ScanLine(int y) const;

private:
    struct Dib;
    // Decodes a whole BMP file held in memory; *hasAlpha tells whether it had real alpha.
    static Dib DecodeBmp(const std::uint8_t* data, std::size_t size, bool* hasAlpha);
    void Adopt(Dib&& dib);
    void RequireInside(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    UniqueHBITMAP dib_;
    std::uint32_t* bits_ = nullptr;
    bool alpha_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clNone;
    // The memory DC and the canvas on it, made on demand.
    UniqueHDC dc_;
    HGDIOBJ originalBitmap_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};

} // namespace plaxor
