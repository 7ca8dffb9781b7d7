#include "DibSurface.h"
#include "JpegMaker.h"
#include "LayoutTestContext.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"
#include "framework/Streams.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

using test::LoadProperty;
using test::Near;
using test::SaveProperty;

std::vector<std::uint8_t> DataOf(const TPersistent& o) {
    return std::get<Bytes>(*SaveProperty(o, L"Data"));
}

std::vector<std::uint8_t> BmpFile(const TBitmap& b) {
    TMemoryStream s;
    b.SaveImage(s);
    return s.Bytes();
}

TEST(PictureData, AnEmptyPictureStoresNothing) {
    TPicture p;
    EXPECT_FALSE(SaveProperty(p, L"Data").has_value());
    p.Bitmap();
    EXPECT_FALSE(SaveProperty(p, L"Data").has_value());
}

TEST(PictureData, ABitmapIsItsClassNameThenALengthThenTheFile) {
    TPicture p;
    p.Bitmap().SetSize(3, 2);
    p.Bitmap().SetPixel(2, 1, clTeal);
    const auto data = DataOf(p);
    const auto file = BmpFile(p.Bitmap());
    ASSERT_EQ(data.size(), 1 + 7 + 4 + file.size());
    EXPECT_EQ(data[0], 7);
    EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 8), "TBitmap");
    EXPECT_EQ(data[8], file.size());
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 12, data.end()), file);

    TPicture back;
    LoadProperty(back, L"Data", data);
    ASSERT_NE(dynamic_cast<TBitmap*>(back.Graphic()), nullptr);
    EXPECT_EQ(back.Bitmap().Pixel(2, 1), clTeal);
    EXPECT_EQ(back.Width(), 3);
}

TEST(PictureData, AJpegKeepsItsBytesThroughTheRoundTrip) {
    const auto jpegFile = test::RedBlueJpeg();
    TPicture p;
    TMemoryStream in(jpegFile);
    p.LoadImage(in);
    const auto data = DataOf(p);
    EXPECT_EQ(data[0], 10);
    EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 11), "TJPEGImage");
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 15, data.end()), jpegFile);

    TPicture back;
    LoadProperty(back, L"Data", data);
    auto* jpeg = dynamic_cast<TJPEGImage*>(back.Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Data(), jpegFile);
    EXPECT_EQ(back.Height(), 32);
}

TEST(PictureData, PlainImageFilesAreRecognisedByTheirSignature) {
    TBitmap b(4, 4);
    b.SetPixel(0, 0, clMaroon);
    TPicture fromBmp;
    LoadProperty(fromBmp, L"Data", BmpFile(b));
    ASSERT_NE(dynamic_cast<TBitmap*>(fromBmp.Graphic()), nullptr);
    EXPECT_EQ(fromBmp.Bitmap().Pixel(0, 0), clMaroon);

    TPicture fromJpeg;
    LoadProperty(fromJpeg, L"Data", test::RedBlueJpeg());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(fromJpeg.Graphic()), nullptr);
}

TEST(PictureData, UnknownClassesAndDamagedDataAreErrorsThatKeepThePicture) {
    TPicture p;
    p.Bitmap().SetSize(2, 2);
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    const std::vector<std::uint8_t> unknown = {5, 'T', 'I', 'c', 'o', 'n', 1, 2, 3};
    EXPECT_THROW(LoadProperty(p, L"Data", unknown), EReadError);
    const std::vector<std::uint8_t> shortName = {20, 'T', 'B'};
    EXPECT_THROW(LoadProperty(p, L"Data", shortName), EReadError);
    EXPECT_THROW(LoadProperty(p, L"Data", std::vector<std::uint8_t>{}), EReadError);
    std::vector<std::uint8_t> badBitmap = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p',
                                           4, 0,   0,   0,   'B', 'M', 0,   0};
    EXPECT_THROW(LoadProperty(p, L"Data", badBitmap), EInvalidGraphic);
    std::vector<std::uint8_t> badJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0};
    EXPECT_THROW(LoadProperty(p, L"Data", badJpeg), EInvalidGraphic);
    EXPECT_THROW(LoadProperty(p, L"Data", std::wstring(L"TBitmap")), EReadError);
    EXPECT_EQ(p.Width(), 2);
    EXPECT_EQ(changes, 0);
}

TEST(PictureData, AnEmptyClassNameMeansNoGraphic) {
    TPicture p;
    p.Bitmap().SetSize(2, 2);
    LoadProperty(p, L"Data", std::vector<std::uint8_t>{0});
    EXPECT_EQ(p.Graphic(), nullptr);
}

TEST(Picture, SetGraphicHoldsACopyAndTellsOnce) {
    TBitmap b(2, 2);
    b.SetPixel(1, 1, clRed);
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &p);
        ++changes;
    };
    p.SetGraphic(&b);
    EXPECT_EQ(changes, 1);
    ASSERT_NE(p.Graphic(), &b);
    b.SetPixel(1, 1, clBlue);
    EXPECT_EQ(p.Bitmap().Pixel(1, 1), clRed);
    p.SetGraphic(nullptr);
    EXPECT_EQ(p.Graphic(), nullptr);
    EXPECT_EQ(changes, 2);
}

TEST(Picture, ChangesOfTheHeldGraphicReachThePicturesListeners) {
    TPicture p;
    TBitmap& b = p.Bitmap();
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    b.SetSize(5, 5);
    b.SetTransparent(true);
    EXPECT_EQ(changes, 2);
}

TEST(Picture, CopyFromAnotherPictureOrAGraphic) {
    TPicture a;
    TMemoryStream jpeg(test::RedBlueJpeg());
    a.LoadImage(jpeg);
    TPicture b;
    b.CopyFrom(&a);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(b.Graphic()), nullptr);
    EXPECT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Width(), 64);
    b.CopyFrom(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    TFont font;
    EXPECT_THROW(b.CopyFrom(&font), EConvertError);
}

TEST(Picture, BitmapConvertsAJpegWithoutLosingTheImage) {
    TPicture p;
    TMemoryStream jpeg(test::RedBlueJpeg(20, 10));
    p.LoadImage(jpeg);
    TBitmap& b = p.Bitmap();
    EXPECT_EQ(p.Graphic(), &b);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_TRUE(Near(b.Pixel(19, 0), clBlue, 12));
}

TEST(Picture, LoadImageFileGoesByTheContentNotTheName) {
    test::TempFile file(L"picture.bmp"); // holds a JPEG in spite of its name
    file.Write(test::RedBlueJpeg());
    TPicture p;
    p.LoadImageFile(file.path());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr);
    file.Write({'G', 'I', 'F', '8', '9', 'a'});
    EXPECT_THROW(p.LoadImageFile(file.path()), EInvalidGraphic);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr);
    test::TempFile missing(L"missing.jpg");
    EXPECT_THROW(p.LoadImageFile(missing.path()), EStreamError);
}

TEST(Picture, SaveImageWritesTheGraphicsOwnFormat) {
    const auto jpegFile = test::RedBlueJpeg();
    TPicture p;
    TMemoryStream in(jpegFile);
    p.LoadImage(in);
    TMemoryStream out;
    p.SaveImage(out);
    EXPECT_EQ(out.Bytes(), jpegFile);
}

TEST(GraphicData, ABitmapAloneStoresItsLengthPrefixedFileAndOnlyWhenNotEmpty) {
    TBitmap b;
    EXPECT_FALSE(SaveProperty(b, L"Data").has_value());
    b.SetSize(2, 2);
    const auto data = DataOf(b);
    EXPECT_EQ(data.size(), BmpFile(b).size() + 4);
    TBitmap back;
    LoadProperty(back, L"Data", data);
    EXPECT_EQ(back.Width(), 2);
}

TEST(GraphicData, TheGlyphOfTheWebSiteButtonDrawsWithoutItsMagentaBackground) {
    // A 16 x 16 24-bit glyph on magenta, read from its layout data and drawn transparently.
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    glyph.Canvas().Brush().SetColor(clNavy);
    glyph.Canvas().FillRect(RECT{4, 4, 12, 12});
    TBitmap loaded;
    LoadProperty(loaded, L"Data", DataOf(glyph));
    loaded.SetTransparent(true);
    test::DibSurface s(20, 20, ColorToRGB(clBtnFace));
    TCanvas c(s.dc());
    c.Draw(2, 2, loaded);
    EXPECT_EQ(s.Count(clFuchsia), 0);
    EXPECT_EQ(s.Count(clNavy), 64);
    EXPECT_EQ(s.At(2, 2), ColorToRGB(clBtnFace));
}

} // namespace
} // namespace plaxor
