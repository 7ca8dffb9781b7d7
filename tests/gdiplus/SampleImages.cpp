#include "SampleImages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace plaxor::test {

namespace {

void PutLE16(ByteVector& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void PutLE32(ByteVector& out, std::uint32_t v) {
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}
void PutBE32(ByteVector& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(v >> shift));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const auto table = [] {
        std::vector<std::uint32_t> t(256);
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutPngChunk(ByteVector& out, const char* type, const ByteVector& data) {
    PutBE32(out, std::uint32_t(data.size()));
    ByteVector body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBE32(out, Crc32(body.data(), body.size()));
}

} // namespace

ByteVector MakeBmp(const PixelImage& image) {
    const std::uint32_t stride = (std::uint32_t(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * std::uint32_t(image.height);
    ByteVector out;
    out.push_back('B');
    out.push_back('M');
    PutLE32(out, 14 + 40 + pixelBytes);
    PutLE32(out, 0);
    PutLE32(out, 14 + 40);
    PutLE32(out, 40);
    PutLE32(out, std::uint32_t(image.width));
    PutLE32(out, std::uint32_t(image.height));
    PutLE16(out, 1);
    PutLE16(out, 24);
    PutLE32(out, 0); // BI_RGB
    PutLE32(out, pixelBytes);
    PutLE32(out, 2835);
    PutLE32(out, 2835);
    PutLE32(out, 0);
    PutLE32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        std::size_t written = 0;
        for (int x = 0; x < image.width; ++x) {
            const ARGB c = image.at(x, y);
            out.push_back(std::uint8_t(c));
            out.push_back(std::uint8_t(c >> 8));
            out.push_back(std::uint8_t(c >> 16));
            written += 3;
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    return out;
}

ByteVector MakePng(const PixelImage& image) {
    ByteVector raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.width; ++x) {
            const ARGB c = image.at(x, y);
            raw.push_back(std::uint8_t(c >> 16));
            raw.push_back(std::uint8_t(c >> 8));
            raw.push_back(std::uint8_t(c));
            raw.push_back(std::uint8_t(c >> 24));
        }
    }
    ByteVector zlib = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + len == raw.size();
        zlib.push_back(last ? 1 : 0);
        PutLE16(zlib, std::uint32_t(len));
        PutLE16(zlib, std::uint32_t(~len & 0xFFFF));
        zlib.insert(zlib.end(), raw.begin() + std::ptrdiff_t(pos),
                    raw.begin() + std::ptrdiff_t(pos + len));
        pos += len;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBE32(zlib, b << 16 | a);

    ByteVector out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ByteVector header;
    PutBE32(header, std::uint32_t(image.width));
    PutBE32(header, std::uint32_t(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA
    PutPngChunk(out, "IHDR", header);
    PutPngChunk(out, "IDAT", zlib);
    PutPngChunk(out, "IEND", {});
    return out;
}

ByteVector MakeGif(const PixelImage& image) {
    std::vector<ARGB> palette;
    std::vector<std::uint8_t> indices;
    for (ARGB c : image.pixels) {
        const ARGB rgb = c & 0xFFFFFF;
        auto it = std::find(palette.begin(), palette.end(), rgb);
        if (it == palette.end()) {
            if (palette.size() == 256) throw std::runtime_error("MakeGif: more than 256 colours");
            palette.push_back(rgb);
            it = palette.end() - 1;
        }
        indices.push_back(std::uint8_t(it - palette.begin()));
    }
    palette.resize(256, 0);

    ByteVector out = {'G', 'I', 'F', '8', '7', 'a'};
    PutLE16(out, std::uint32_t(image.width));
    PutLE16(out, std::uint32_t(image.height));
    out.insert(out.end(), {0xF7, 0, 0}); // global table of 256 colours
    for (ARGB c : palette) {
        out.push_back(std::uint8_t(c >> 16));
        out.push_back(std::uint8_t(c >> 8));
        out.push_back(std::uint8_t(c));
    }
    out.push_back(0x2C);
    PutLE16(out, 0);
    PutLE16(out, 0);
    PutLE16(out, std::uint32_t(image.width));
    PutLE16(out, std::uint32_t(image.height));
    out.push_back(0);

    // LZW without compression: every pixel is a literal code of 9 bits, and a clear code every
    // 250 pixels keeps the table from growing into 10-bit codes.
    constexpr std::uint32_t clear = 256, end = 257;
    ByteVector packed;
    std::uint32_t bits = 0;
    int bitCount = 0;
    auto emit = [&](std::uint32_t code) {
        bits |= code << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            packed.push_back(std::uint8_t(bits));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0) emit(clear);
        emit(indices[i]);
    }
    emit(end);
    if (bitCount > 0) packed.push_back(std::uint8_t(bits));

    out.push_back(8); // minimum code size
    for (std::size_t pos = 0; pos < packed.size(); pos += 255) {
        const std::size_t len = std::min<std::size_t>(255, packed.size() - pos);
        out.push_back(std::uint8_t(len));
        out.insert(out.end(), packed.begin() + std::ptrdiff_t(pos),
                   packed.begin() + std::ptrdiff_t(pos + len));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

ByteVector MakeJpeg(const PixelImage& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width);
    cinfo.image_height = JDIMENSION(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const ARGB c = image.at(x, y);
            row[std::size_t(x) * 3] = JSAMPLE(c >> 16);
            row[std::size_t(x) * 3 + 1] = JSAMPLE(c >> 8);
            row[std::size_t(x) * 3 + 2] = JSAMPLE(c);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    ByteVector out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

ByteVector MakeTiff(const PixelImage& image) {
    const std::uint32_t pixelBytes = std::uint32_t(image.width) * image.height * 3;
    constexpr std::uint32_t entries = 9;
    const std::uint32_t ifd = 8;
    const std::uint32_t bitsOffset = ifd + 2 + entries * 12 + 4;
    const std::uint32_t pixelsOffset = bitsOffset + 6;
    ByteVector out = {'I', 'I', 42, 0};
    PutLE32(out, ifd);
    PutLE16(out, entries);
    auto entry = [&](std::uint32_t tag, std::uint32_t type, std::uint32_t count,
                     std::uint32_t value) {
        PutLE16(out, tag);
        PutLE16(out, type);
        PutLE32(out, count);
        PutLE32(out, value); // SHORT values sit in the low half, little-endian
    };
    constexpr std::uint32_t SHORT = 3, LONG = 4;
    entry(256, LONG, 1, std::uint32_t(image.width));
    entry(257, LONG, 1, std::uint32_t(image.height));
    entry(258, SHORT, 3, bitsOffset);
    entry(259, SHORT, 1, 1); // no compression
    entry(262, SHORT, 1, 2); // RGB
    entry(273, LONG, 1, pixelsOffset);
    entry(277, SHORT, 1, 3);
    entry(278, LONG, 1, std::uint32_t(image.height));
    entry(279, LONG, 1, pixelBytes);
    PutLE32(out, 0); // no further IFD
    for (int i = 0; i < 3; ++i)
        PutLE16(out, 8);
    for (ARGB c : image.pixels) {
        out.push_back(std::uint8_t(c >> 16));
        out.push_back(std::uint8_t(c >> 8));
        out.push_back(std::uint8_t(c));
    }
    return out;
}

ByteVector MakeIcon(const PixelImage& image) {
    const ByteVector png = MakePng(image);
    ByteVector out;
    PutLE16(out, 0);
    PutLE16(out, 1); // icon
    PutLE16(out, 1); // one image
    out.push_back(std::uint8_t(image.width));
    out.push_back(std::uint8_t(image.height));
    out.push_back(0); // no palette
    out.push_back(0);
    PutLE16(out, 1);  // planes
    PutLE16(out, 32); // bits per pixel
    PutLE32(out, std::uint32_t(png.size()));
    PutLE32(out, 6 + 16);
    out.insert(out.end(), png.begin(), png.end());
    return out;
}

ByteVector MakeGarbage() {
    ByteVector out;
    for (int i = 0; i < 512; ++i)
        out.push_back(std::uint8_t((i * 37 + 11) & 0xFF));
    return out;
}

} // namespace plaxor::test
