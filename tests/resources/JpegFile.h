#pragma once
// Reads what a JPEG file declares (its marker segments) and decodes it with libjpeg, the
// library the program draws its pictures with.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plaxor::test {

struct JpegHeader {
    bool reachedScan = false; // the segments up to the first scan lie within the data
    int jfifMajor = -1;
    int jfifMinor = -1;
    int densityUnits = -1;
    int xDensity = 0;
    int yDensity = 0;
    int frameMarker = 0; // the first SOFn marker, 0xC0 for baseline
    int precision = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> sampling; // per component: horizontal << 4 | vertical
    int otherAppSegments = 0;           // APP1..APP15
};

JpegHeader ReadJpegHeader(std::span<const std::uint8_t> data);

struct DecodedJpeg {
    bool ok = false;
    std::string error;
    long warnings = 0;
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> pixels; // rows top-down, RGB

    const std::uint8_t* Pixel(int x, int y) const { return &pixels[(y * width + x) * 3]; }
};

DecodedJpeg DecodeJpeg(std::span<const std::uint8_t> data);

} // namespace plaxor::test
