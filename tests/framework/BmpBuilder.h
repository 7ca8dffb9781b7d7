#pragma once
// Builds BMP files of every header kind and depth, field by field, for the bitmap tests.
#include <cstdint>
#include <functional>
#include <vector>

namespace plaxor::test {

struct BmpLayout {
    std::uint32_t headerSize = 40; // 12 core, 40 info, 108 V4, 124 V5
    int width = 5;
    int height = 3;
    bool topDown = false;
    int bpp = 24;
    std::uint32_t compression = 0;      // BI_RGB; 3 BI_BITFIELDS
    std::vector<std::uint32_t> masks;   // R, G, B (, A): after a 40-byte header or inside V4/V5
    std::vector<std::uint32_t> palette; // 0x00RRGGBB entries
    std::uint32_t colorsUsed = 0;
    // The raw value of pixel (x, y), y counted from the top: a palette index, a packed 16/32-bit
    // value, or 0x00RRGGBB for 24 bits.
    std::function<std::uint32_t(int x, int y)> value = [](int, int) { return 0u; };
    bool padLastRow = true;
};

class Bytes {
public:
    void U8(std::uint32_t v) { data.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    static void Put32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::vector<std::uint8_t> data;
};

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
    Bytes b;
    b.U16(0x4D42);
    b.U32(0); // size, patched below
    b.U32(0);
    b.U32(0); // offset, patched below
    b.U32(s.headerSize);
    if (s.headerSize == 12) {
        b.U16(s.width);
        b.U16(s.height);
        b.U16(1);
        b.U16(s.bpp);
    } else {
        b.U32(static_cast<std::uint32_t>(s.width));
        b.U32(static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
        b.U16(1);
        b.U16(s.bpp);
        b.U32(s.compression);
        b.U32(0);
        b.U32(3780);
        b.U32(3780);
        b.U32(s.colorsUsed);
        b.U32(0);
        if (s.headerSize > 40) {
            for (std::size_t i = 0; i < 4; ++i)
                b.U32(i < s.masks.size() ? s.masks[i] : 0);
            b.U32(0x73524742);
            while (b.data.size() < 14 + s.headerSize)
                b.U8(0);
        } else {
            for (std::uint32_t m : s.masks)
                b.U32(m);
        }
    }
    for (std::uint32_t c : s.palette) {
        b.U8(c);
        b.U8(c >> 8);
        b.U8(c >> 16);
        if (s.headerSize != 12) b.U8(0);
    }
    Bytes::Put32(b.data, 10, static_cast<std::uint32_t>(b.data.size()));
    const std::size_t stride = (static_cast<std::size_t>(s.width) * s.bpp + 31) / 32 * 4;
    for (int r = 0; r < s.height; ++r) {
        const int y = s.topDown ? r : s.height - 1 - r;
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.value(x, y);
            switch (s.bpp) {
            case 1: row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<std::uint8_t>(v); break;
            case 16:
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                break;
            case 32: Bytes::Put32(row, 4 * x, v); break;
            }
        }
        if (!s.padLastRow && r == s.height - 1)
            row.resize((static_cast<std::size_t>(s.width) * s.bpp + 7) / 8);
        b.data.insert(b.data.end(), row.begin(), row.end());
    }
    Bytes::Put32(b.data, 2, static_cast<std::uint32_t>(b.data.size()));
    return b.data;
}

} // namespace plaxor::test
