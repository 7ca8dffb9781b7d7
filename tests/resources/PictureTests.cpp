// The main window's pictures as the program embeds them: three JPEGs that libjpeg must decode
// and the web-site button's bitmap glyph.
#include "JpegFile.h"
#include "ModuleResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace plaxor::test {
namespace {

struct Picture {
    const wchar_t* name;
    int width;
    int height;
    int dpi;
};

void PrintTo(const Picture& p, std::ostream* os) {
    *os << std::string(p.name, p.name + std::wcslen(p.name));
}

class JpegPicture : public testing::TestWithParam<Picture> {
protected:
    std::span<const std::uint8_t> Data() const {
        return ModuleResource(GetParam().name, RT_RCDATA);
    }
};

TEST_P(JpegPicture, IsEmbedded) {
    EXPECT_FALSE(Data().empty());
}

TEST_P(JpegPicture, DeclaresJfif102WithItsDensityInDotsPerInch) {
    const JpegHeader h = ReadJpegHeader(Data());
    EXPECT_EQ(h.jfifMajor, 1);
    EXPECT_EQ(h.jfifMinor, 2);
    EXPECT_EQ(h.densityUnits, 1); // dots per inch
    EXPECT_EQ(h.xDensity, GetParam().dpi);
    EXPECT_EQ(h.yDensity, GetParam().dpi);
    EXPECT_EQ(h.otherAppSegments, 0);
}

TEST_P(JpegPicture, IsBaselineEightBitColourWithoutSubsampling) {
    const JpegHeader h = ReadJpegHeader(Data());
    EXPECT_TRUE(h.reachedScan);
    EXPECT_EQ(h.frameMarker, 0xC0);
    EXPECT_EQ(h.precision, 8);
    EXPECT_EQ(h.width, GetParam().width);
    EXPECT_EQ(h.height, GetParam().height);
    ASSERT_EQ(h.sampling.size(), 3u);
    for (std::size_t i = 0; i < h.sampling.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(h.sampling[i], 0x11);
    }
}

TEST_P(JpegPicture, DecodesCleanlyWithLibjpeg) {
    const DecodedJpeg image = DecodeJpeg(Data());
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.warnings, 0);
    EXPECT_EQ(image.width, GetParam().width);
    EXPECT_EQ(image.height, GetParam().height);
    EXPECT_EQ(image.components, 3);
}

// The window is white: a picture whose corners are not would show as a box.
TEST_P(JpegPicture, CornersAreWindowWhite) {
    const DecodedJpeg image = DecodeJpeg(Data());
    ASSERT_TRUE(image.ok) << image.error;
    const int right = image.width - 1, bottom = image.height - 1;
    for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        SCOPED_TRACE(testing::Message() << "corner " << x << "," << y);
        const std::uint8_t* rgb = image.Pixel(x, y);
        EXPECT_GE(rgb[0], 0xF4);
        EXPECT_GE(rgb[1], 0xF4);
        EXPECT_GE(rgb[2], 0xF4);
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, JpegPicture,
                         testing::Values(Picture{L"LOGO_JPG", 220, 60, 200},
                                         Picture{L"DISABLED_JPG", 72, 72, 96},
                                         Picture{L"ENABLED_JPG", 72, 72, 96}));

TEST(StatePictures, EnabledAndDisabledAreDifferentPictures) {
    const auto enabled = ModuleResource(L"ENABLED_JPG", RT_RCDATA);
    const auto disabled = ModuleResource(L"DISABLED_JPG", RT_RCDATA);
    EXPECT_FALSE(std::ranges::equal(enabled, disabled));
}

// The glyph is a whole bitmap file; the button reads its headers itself.
class Glyph : public testing::Test {
protected:
    void SetUp() override {
        data_ = ModuleResource(L"GLYPH_BMP", RT_RCDATA);
        ASSERT_EQ(data_.size(), 822u);
        std::memcpy(&file_, data_.data(), sizeof file_);
        std::memcpy(&info_, data_.data() + sizeof file_, sizeof info_);
    }
    const std::uint8_t* Pixel(int x, int row_from_bottom) const {
        return data_.data() + file_.bfOffBits + row_from_bottom * 48 + x * 3;
    }
    std::span<const std::uint8_t> data_;
    BITMAPFILEHEADER file_{};
    BITMAPINFOHEADER info_{};
};

TEST_F(Glyph, FileHeaderPointsAtThePixels) {
    EXPECT_EQ(file_.bfType, 0x4D42); // "BM"
    EXPECT_EQ(file_.bfSize, 822u);
    EXPECT_EQ(file_.bfOffBits, 54u);
}

TEST_F(Glyph, IsSixteenSquareBottomUpUncompressedTrueColour) {
    EXPECT_EQ(info_.biSize, 40u);
    EXPECT_EQ(info_.biWidth, 16);
    EXPECT_EQ(info_.biHeight, 16); // positive: bottom-up
    EXPECT_EQ(info_.biPlanes, 1);
    EXPECT_EQ(info_.biBitCount, 24);
    EXPECT_EQ(info_.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(info_.biSizeImage, 768u);
    EXPECT_EQ(info_.biXPelsPerMeter, 3780);
    EXPECT_EQ(info_.biYPelsPerMeter, 3780);
    EXPECT_EQ(info_.biClrUsed, 0u);
}

// The button treats the lower-left pixel's colour as transparent.
TEST_F(Glyph, LowerLeftPixelIsMagenta) {
    const std::uint8_t* bgr = Pixel(0, 0);
    EXPECT_EQ(bgr[0], 255);
    EXPECT_EQ(bgr[1], 0);
    EXPECT_EQ(bgr[2], 255);
}

TEST_F(Glyph, HasASymbolOnTheMagentaGround) {
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint8_t* bgr = Pixel(x, y);
            drawn += !(bgr[0] == 255 && bgr[1] == 0 && bgr[2] == 255);
        }
    EXPECT_GT(drawn, 64);
    EXPECT_LT(drawn, 256);
}

} // namespace
} // namespace plaxor::test
