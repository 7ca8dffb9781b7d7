#pragma once
// Shared helpers of the GDI+ tests: a 32-bit DIB section to paint into and read back, and COM
// streams over test bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "gdiplus/GdiplusTypes.h"

namespace plaxor::test {

// A top-down 32-bit DIB section selected into its own memory DC.
class DibSection {
public:
    DibSection(int width, int height, COLORREF fill);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    HDC dc() const noexcept { return dc_.get(); }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // 0x00RRGGBB of a pixel (GDI leaves the top byte alone; it is masked off).
    std::uint32_t Pixel(int x, int y) const;
    // Saves a BMP file for a person to look at (scripts convert it to PNG).
    void SaveBmp(const std::wstring& fileName) const;

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    UniqueHDC dc_;
    UniqueHBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
};

inline int Red(std::uint32_t rgb) {
    return int(rgb >> 16 & 0xFF);
}
inline int Green(std::uint32_t rgb) {
    return int(rgb >> 8 & 0xFF);
}
inline int Blue(std::uint32_t rgb) {
    return int(rgb & 0xFF);
}

// A COM stream holding bytes, positioned at its start.
UniqueCom<IStream> StreamOf(const std::vector<std::uint8_t>& bytes);

// Wine's GDI+ differs from Windows' in a few places (no anti-aliasing of paths); tests that
// meet one check what Wine does instead, and say so where they do.
bool RunningOnWine();

// Where test output for people goes (a folder beside the test program).
std::wstring OutputPath(const std::wstring& fileName);

} // namespace plaxor::test
