#pragma once
// Makes JPEG files with libjpeg's compressor, so the decoding tests need no binary fixtures.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace plaxor::test {

enum class JpegKind { Rgb, Gray, AdobeCmyk };

// pixel(x, y) gives 0x00RRGGBB (Rgb), a grey level in the low byte (Gray), or inverted
// C, M, Y, K bytes from high to low (AdobeCmyk, as Adobe's writers store them).
inline std::vector<std::uint8_t> MakeJpeg(int width, int height,
                                          const std::function<std::uint32_t(int, int)>& pixel,
                                          JpegKind kind = JpegKind::Rgb, int quality = 95,
                                          bool progressive = false) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    const int components = kind == JpegKind::Gray ? 1 : kind == JpegKind::Rgb ? 3 : 4;
    cinfo.input_components = components;
    cinfo.in_color_space = kind == JpegKind::Gray  ? JCS_GRAYSCALE
                           : kind == JpegKind::Rgb ? JCS_RGB
                                                   : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x) * components + c] =
                    static_cast<unsigned char>(v >> (8 * (components - 1 - c)));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

// Left half red, right half blue.
inline std::vector<std::uint8_t> RedBlueJpeg(int width = 64, int height = 32) {
    return MakeJpeg(width, height,
                    [width](int x, int) { return x < width / 2 ? 0xFF0000u : 0x0000FFu; });
}

} // namespace plaxor::test
