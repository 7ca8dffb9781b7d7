#pragma once
// Encoders for the small images the tests decode: made here, byte for byte, so that no sample
// file has to be fetched or committed.
#include <cstdint>
#include <vector>

namespace plaxor::test {

using ByteVector = std::vector<std::uint8_t>;
// 0xAARRGGBB, as GDI+ has it. (No Windows headers here: libjpeg's and theirs disagree.)
using ARGB = std::uint32_t;

// width x height pixels, rows from the top, each 0xAARRGGBB.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<ARGB> pixels;

    PixelImage(int w, int h, ARGB fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    ARGB& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    ARGB at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// 24-bit BMP file, rows stored bottom-up; alpha is dropped.
ByteVector MakeBmp(const PixelImage& image);
// 8-bit RGBA PNG with stored (uncompressed) deflate blocks.
ByteVector MakePng(const PixelImage& image);
// GIF87a with a palette of the image's colours (at most 256).
ByteVector MakeGif(const PixelImage& image);
// Baseline JPEG through libjpeg.
ByteVector MakeJpeg(const PixelImage& image, int quality = 95);

// Uncompressed baseline RGB TIFF, little-endian, one strip.
ByteVector MakeTiff(const PixelImage& image);
// An icon file holding the image as one PNG entry.
ByteVector MakeIcon(const PixelImage& image);

// Bytes that no GDI+ decoder accepts.
ByteVector MakeGarbage();

} // namespace plaxor::test
