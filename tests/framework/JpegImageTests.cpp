#include "DibSurface.h"
#include "JpegMaker.h"
#include "framework/Exception.h"
#include "framework/JpegImage.h"
#include "framework/Streams.h"
#include "tests/support/JpegFrameSize.h"
#include <gtest/gtest.h>
#include <random>

namespace plaxor {
namespace {

using test::DibSurface;
using test::Near;

void LoadInto(TJPEGImage& jpeg, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    jpeg.LoadImage(stream);
}

std::wstring LoadError(const std::vector<std::uint8_t>& bytes) {
    TJPEGImage jpeg;
    try {
        LoadInto(jpeg, bytes);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return L"(loaded)";
}

TEST(Jpeg, ReadsItsSizeAndDecodesThePixels) {
    TJPEGImage jpeg;
    int changes = 0;
    jpeg.OnChange = [&](TObject*) { ++changes; };
    LoadInto(jpeg, test::RedBlueJpeg(64, 32));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(jpeg.IsEmpty());
    EXPECT_EQ(jpeg.ImageWidth(), 64);
    EXPECT_EQ(jpeg.ImageHeight(), 32);
    const TBitmap& pixels = jpeg.Bitmap();
    EXPECT_EQ(pixels.Width(), 64);
    EXPECT_TRUE(Near(pixels.Pixel(10, 10), clRed, 12));
    EXPECT_TRUE(Near(pixels.Pixel(50, 20), clBlue, 12));
}

TEST(Jpeg, SavesTheBytesExactlyAsLoaded) {
    const auto bytes = test::RedBlueJpeg();
    TJPEGImage jpeg;
    LoadInto(jpeg, bytes);
    TMemoryStream out;
    jpeg.SaveImage(out);
    EXPECT_EQ(out.Bytes(), bytes);
}

TEST(Jpeg, DrawStretchesIntoTheRectangle) {
    TJPEGImage jpeg;
    LoadInto(jpeg, test::RedBlueJpeg(64, 32));
    DibSurface s(120, 40, clWhite);
    TCanvas c(s.dc());
    c.StretchDraw(RECT{10, 10, 110, 30}, jpeg);
    EXPECT_TRUE(Near(s.At(15, 15), clRed, 12));
    EXPECT_TRUE(Near(s.At(55, 25), clRed, 12));
    EXPECT_TRUE(Near(s.At(65, 15), clBlue, 12));
    EXPECT_TRUE(Near(s.At(105, 29), clBlue, 12));
    EXPECT_EQ(s.At(9, 15), clWhite);
    EXPECT_EQ(s.At(110, 15), clWhite);
    EXPECT_EQ(s.At(50, 30), clWhite);
    EXPECT_EQ(s.At(50, 9), clWhite);
}

TEST(Jpeg, DrawAtAPointUsesItsNaturalSize) {
    TJPEGImage jpeg;
    LoadInto(jpeg, test::RedBlueJpeg(16, 8));
    DibSurface s(40, 40, clWhite);
    TCanvas c(s.dc());
    c.Draw(5, 5, jpeg);
    EXPECT_TRUE(Near(s.At(5, 5), clRed, 12));
    EXPECT_TRUE(Near(s.At(20, 12), clBlue, 12));
    EXPECT_EQ(s.At(21, 12), clWhite);
    EXPECT_EQ(s.At(20, 13), clWhite);
}

TEST(Jpeg, GreyAndProgressivePicturesDecode) {
    TJPEGImage grey;
    LoadInto(grey, test::MakeJpeg(
                       8, 8, [](int, int) { return 0x80u; }, test::JpegKind::Gray));
    EXPECT_TRUE(Near(grey.Bitmap().Pixel(4, 4), clGray, 3));
    TJPEGImage progressive;
    LoadInto(progressive,
             test::MakeJpeg(
                 24, 24, [](int, int) { return 0x00FF00u; }, test::JpegKind::Rgb, 90, true));
    EXPECT_TRUE(Near(progressive.Bitmap().Pixel(12, 12), clLime, 12));
}

TEST(Jpeg, AdobeCmykPicturesDecodeToTheirColours) {
    // Inverted CMYK: red is no cyan (255), full magenta and yellow (0), no black (255).
    TJPEGImage jpeg;
    LoadInto(jpeg, test::MakeJpeg(
                       8, 8, [](int, int) { return 0xFF0000FFu; }, test::JpegKind::AdobeCmyk));
    EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(3, 3), clRed, 12));
}

TEST(Jpeg, LayoutDataIsALengthThenTheFileAndPlainFilesAreReadToo) {
    const auto bytes = test::RedBlueJpeg();
    TJPEGImage jpeg;
    LoadInto(jpeg, bytes);
    TMemoryStream data;
    jpeg.WriteLayoutData(&data);
    ASSERT_EQ(data.Bytes().size(), bytes.size() + 4);
    EXPECT_EQ(data.Bytes()[0] | data.Bytes()[1] << 8, static_cast<int>(bytes.size()));
    data.SetPosition(0);
    TJPEGImage fromData;
    fromData.ReadLayoutData(&data);
    EXPECT_EQ(fromData.Data(), bytes);
    TMemoryStream plain(bytes);
    TJPEGImage fromPlain;
    fromPlain.ReadLayoutData(&plain);
    EXPECT_EQ(fromPlain.Data(), bytes);
}

TEST(Jpeg, CopyFromTakesTheBytesAndNullEmpties) {
    TJPEGImage a;
    LoadInto(a, test::RedBlueJpeg());
    TJPEGImage b;
    b.CopyFrom(&a);
    EXPECT_EQ(b.Data(), a.Data());
    EXPECT_EQ(b.ImageWidth(), 64);
    EXPECT_TRUE(Near(b.Bitmap().Pixel(1, 1), clRed, 12));
    b.CopyFrom(nullptr);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.ImageWidth(), 0);
}

TEST(Jpeg, ABitmapCanBeMadeFromIt) {
    TJPEGImage jpeg;
    LoadInto(jpeg, test::RedBlueJpeg(20, 10));
    TBitmap b;
    b.CopyFrom(&jpeg);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_TRUE(Near(b.Pixel(18, 9), clBlue, 12));
}

// ---- damaged data: always an EInvalidGraphic, never the end of the process

TEST(JpegDamaged, TruncatedFilesAreRefusedAtEveryLength) {
    const auto bytes = test::RedBlueJpeg();
    for (std::size_t n :
         {std::size_t{0}, std::size_t{2}, std::size_t{3}, std::size_t{20}, bytes.size() / 3,
          bytes.size() / 2, bytes.size() - 10, bytes.size() - 2}) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + n);
        EXPECT_NE(LoadError(cut), L"(loaded)") << "length " << n;
    }
}

TEST(JpegDamaged, ReasonsComeFromLibjpeg) {
    const auto bytes = test::RedBlueJpeg();
    const std::vector<std::uint8_t> half(bytes.begin(), bytes.begin() + bytes.size() / 2);
    EXPECT_NE(LoadError(half).find(L"Premature end"), std::wstring::npos);
    std::vector<std::uint8_t> noFrame = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_NE(LoadError(noFrame).find(L"JPEG image is not valid"), std::wstring::npos);
    EXPECT_NE(LoadError({'B', 'M', 0, 0}).find(L"does not start with a JPEG marker"),
              std::wstring::npos);
}

TEST(JpegDamaged, GarbageAfterTheStartMarkerIsRefused) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xD8, 0xFF};
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i)
        bytes.push_back(static_cast<std::uint8_t>(random()));
    EXPECT_NE(LoadError(bytes), L"(loaded)");
}

TEST(JpegDamaged, AbsurdDimensionsAreRefusedBeforeDecoding) {
    auto bytes = test::RedBlueJpeg(16, 16);
    ASSERT_TRUE(SetJpegFrameSize(bytes, 20480, 65280));
    EXPECT_NE(LoadError(bytes).find(L"65280"), std::wstring::npos);
}

// A few hundred bytes claiming 16000 x 16000 pixels used to be decoded, mostly as filler, into a
// gigabyte bitmap kept for the picture's lifetime.
TEST(JpegDamaged, ASizeTheBytesCannotHoldIsRefusedBeforeDecoding) {
    auto bytes = test::RedBlueJpeg(16, 16);
    ASSERT_TRUE(SetJpegFrameSize(bytes, 16000, 16000));
    EXPECT_NE(LoadError(bytes).find(L"cannot hold a picture of 16000 x 16000"), std::wstring::npos);
    EXPECT_TRUE(JpegClaimsMoreThanItHolds(bytes.data(), bytes.size()));
}

TEST(JpegDamaged, RealPicturesHoldTheirSize) {
    const auto bytes = test::RedBlueJpeg(64, 32);
    EXPECT_FALSE(JpegClaimsMoreThanItHolds(bytes.data(), bytes.size()));
}

TEST(JpegDamaged, AFailedLoadKeepsTheOldPicture) {
    TJPEGImage jpeg;
    const auto good = test::RedBlueJpeg();
    LoadInto(jpeg, good);
    int changes = 0;
    jpeg.OnChange = [&](TObject*) { ++changes; };
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
    EXPECT_THROW(LoadInto(jpeg, cut), EInvalidGraphic);
    EXPECT_EQ(jpeg.Data(), good);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(Near(jpeg.Bitmap().Pixel(1, 1), clRed, 12));
}

TEST(JpegDamaged, RandomDamageEitherDecodesOrIsRefused) {
    const auto good = test::RedBlueJpeg(32, 16);
    std::mt19937 random(99);
    int refused = 0;
    for (int i = 0; i < 400; ++i) {
        auto bytes = good;
        for (int f = 0; f < 1 + i % 5; ++f)
            bytes[3 + random() % (bytes.size() - 3)] = static_cast<std::uint8_t>(random());
        TJPEGImage jpeg;
        try {
            LoadInto(jpeg, bytes);
            EXPECT_EQ(jpeg.Bitmap().Width(), jpeg.ImageWidth());
        } catch (const EInvalidGraphic&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace plaxor
