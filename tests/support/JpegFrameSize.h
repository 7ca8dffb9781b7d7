#pragma once
// Rewrites the size a baseline JPEG's frame header claims, leaving its data as it is: how the
// tests make a small file that claims a huge picture.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plaxor {

// False when the bytes have no baseline frame header (FF C0).
inline bool SetJpegFrameSize(std::vector<std::uint8_t>& jpeg, std::uint16_t width,
                             std::uint16_t height) {
    // FF C0, length (2), precision (1), height (2), width (2), all big-endian.
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] != 0xFF || jpeg[i + 1] != 0xC0) continue;
        jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
        jpeg[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
        jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
        jpeg[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
        return true;
    }
    return false;
}

} // namespace plaxor
