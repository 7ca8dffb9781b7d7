#pragma once
// Shared helpers of the glow button painting tests: GDI+ for the whole test program, a 32-bit
// DIB section with a canvas on it, ink searches, and whole renderings compared with the
// reference PNGs kept beside the tests.
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/UniqueHandle.h"
#include "glowbutton/DrawGlowButton.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plaxor::test {

// A top-down 32-bit DIB section in its own memory DC, with a framework canvas on that DC.
class Surface {
public:
    Surface(int width, int height, TColor fill = clWhite);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const noexcept { return dc_.get(); }
    TCanvas& canvas() noexcept { return *canvas_; }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    RECT rect() const noexcept { return {0, 0, width_, height_}; }

    void Fill(TColor color);
    // The pixel as 0x00BBGGRR.
    TColor At(int x, int y) const;
    // The bounding box of pixels that differ from background in area (empty when none).
    RECT Ink(TColor background, RECT area) const;
    RECT Ink(TColor background) const { return Ink(background, rect()); }
    // Pixels in area that are of a colour for which keep() holds.
    template <typename Pred> int CountIf(RECT area, Pred keep) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += keep(At(x, y)) ? 1 : 0;
        return n;
    }
    // Writes a BMP file (a script turns it into PNG for people and references).
    void SaveBmp(const std::wstring& path) const;

private:
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    UniqueHDC dc_;
    UniqueHBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};

inline int R(TColor c) {
    return static_cast<int>(c & 0xFF);
}
inline int G(TColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline int B(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
// The largest channel difference of two colours.
int ChannelDistance(TColor a, TColor b);

// The inputs of the main window's buttons: 100 x 41, the default colours, Tahoma 8.
TGlowButtonDrawInputs DefaultInputs(Surface& surface, const TFont& font);

// Where test renderings go: a folder beside the test program.
std::wstring OutputPath(const std::wstring& fileName);

// Compares a rendering with references\<name>.png beside the test program. Writes the
// rendering as references\\<name>.bmp into the output folder either way, so that scripts/references
// can adopt it. Returns an explanation of the first difference beyond tolerance, or "" when the
// rendering matches; a missing reference is a failure.
std::wstring CompareWithReference(const Surface& surface, const std::wstring& name, int tolerance,
                                  int allowedOutliers, bool saveRendering = true);

// PNG or BMP bytes decoded by GDI+ into 0x00BBGGRR pixels, row by row; empty when undecodable.
std::vector<TColor> DecodePixels(const std::vector<std::uint8_t>& bytes, int& width, int& height);

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);

} // namespace plaxor::test
