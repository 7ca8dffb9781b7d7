#include "JpegFile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace plaxor::test {

namespace {

int BigEndian16(std::span<const std::uint8_t> d, std::size_t at) {
    return d[at] << 8 | d[at + 1];
}

void ReadFrame(std::span<const std::uint8_t> seg, JpegHeader& h) {
    if (seg.size() < 6) return;
    h.precision = seg[0];
    h.height = BigEndian16(seg, 1);
    h.width = BigEndian16(seg, 3);
    const std::size_t count = seg[5];
    for (std::size_t i = 0; i < count && 6 + 3 * i + 2 < seg.size(); ++i)
        h.sampling.push_back(seg[6 + 3 * i + 1]);
}

void ReadJfif(std::span<const std::uint8_t> seg, JpegHeader& h) {
    static constexpr std::uint8_t kJfif[] = {'J', 'F', 'I', 'F', 0};
    if (seg.size() < 12 || !std::equal(std::begin(kJfif), std::end(kJfif), seg.begin())) return;
    h.jfifMajor = seg[5];
    h.jfifMinor = seg[6];
    h.densityUnits = seg[7];
    h.xDensity = BigEndian16(seg, 8);
    h.yDensity = BigEndian16(seg, 10);
}

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void Fail(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    info->err->format_message(info, trap->message);
    std::longjmp(trap->jump, 1);
}

void Quiet(j_common_ptr) {} // warnings are counted, not printed

} // namespace

JpegHeader ReadJpegHeader(std::span<const std::uint8_t> data) {
    JpegHeader h;
    if (data.size() < 2 || data[0] != 0xFF || data[1] != 0xD8) return h;
    std::size_t pos = 2;
    while (pos + 4 <= data.size() && data[pos] == 0xFF) {
        const int marker = data[pos + 1];
        const std::size_t length = BigEndian16(data, pos + 2);
        if (length < 2 || pos + 2 + length > data.size()) return h;
        const auto seg = data.subspan(pos + 4, length - 2);
        if (marker == 0xE0 && h.jfifMajor < 0) ReadJfif(seg, h);
        if (marker > 0xE0 && marker <= 0xEF) ++h.otherAppSegments;
        // SOF0..SOF15, less DHT (C4), JPG (C8) and DAC (CC), which share the range.
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC && h.frameMarker == 0) {
            h.frameMarker = marker;
            ReadFrame(seg, h);
        }
        if (marker == 0xDA) {
            h.reachedScan = true;
            return h;
        }
        pos += 2 + length;
    }
    return h;
}

namespace {

// Holds no locals of its own that change after setjmp: the error path reads only what lives
// in the caller.
bool DecodeInto(std::span<const std::uint8_t> data, jpeg_decompress_struct& info, ErrorTrap& trap,
                DecodedJpeg& out) {
    if (setjmp(trap.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.components = info.num_components;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.pixels[static_cast<std::size_t>(info.output_scanline) * out.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

DecodedJpeg DecodeJpeg(std::span<const std::uint8_t> data) {
    DecodedJpeg out;
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = Fail;
    trap.manager.output_message = Quiet;
    out.ok = DecodeInto(data, info, trap, out);
    if (!out.ok) {
        out.error = trap.message;
        out.pixels.clear();
    }
    out.warnings = trap.manager.num_warnings;
    jpeg_destroy_decompress(&info);
    return out;
}

} // namespace plaxor::test
