// TGDIPPicture: holds encoded image files unchanged, measures and draws them through GDI+.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SampleImages.h"
#include "TestSupport.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exception.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"
#include "framework/Strings.h"
#include "gdiplus/GDIPPicture.h"
#include "tests/support/JpegFrameSize.h"

namespace plaxor::test {
namespace {

constexpr COLORREF Green = RGB(0, 255, 0);

// Records the picture's events with the width the picture reported at that moment.
struct EventLog {
    std::vector<std::string> events;
    std::vector<int> widths;

    explicit EventLog(TGDIPPicture& picture) {
        picture.OnChange = [this, &picture](TObject* sender) {
            EXPECT_EQ(sender, &picture);
            events.push_back("change");
            widths.push_back(picture.ImageWidth());
        };
        picture.OnClear = [this, &picture](TObject* sender) {
            EXPECT_EQ(sender, &picture);
            events.push_back("clear");
            widths.push_back(picture.ImageWidth());
        };
    }
};

ByteVector SavedBytes(const TGraphic& graphic) {
    TMemoryStream out;
    graphic.SaveImage(out);
    return out.Bytes();
}

void Load(TGDIPPicture& picture, const ByteVector& bytes) {
    TMemoryStream in(bytes);
    picture.LoadImage(in);
}

// Left half red, right half blue: shows where a drawing is stretched to.
PixelImage Halves(int width, int height) {
    PixelImage image(width, height, 0xFFFF0000);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.at(x, y) = 0xFF0000FF;
    return image;
}

std::wstring TempFile(const std::wstring& name, const ByteVector& bytes) {
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

HGLOBAL WINAPI NoBlock(UINT, SIZE_T) {
    return nullptr;
}

class ScopedNoBlocks {
public:
    ScopedNoBlocks() : saved_(TGDIPPicture::allocateBlock) {
        TGDIPPicture::allocateBlock = &NoBlock;
    }
    ~ScopedNoBlocks() { TGDIPPicture::allocateBlock = saved_; }

private:
    TGDIPPicture::BlockAllocator saved_;
};

TEST(GDIPPicture, ANewPictureIsEmptyMeasuresNothingAndDrawsNothing) {
    TGDIPPicture picture;
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_EQ(picture.ImageHeight(), 0);
    EXPECT_FALSE(picture.UpdateImageSize());
    EXPECT_TRUE(SavedBytes(picture).empty());
    DibSection dib(20, 20, Green);
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{0, 0, 20, 20});
    EXPECT_EQ(dib.Pixel(10, 10), 0x00FF00u);
}

struct FormatCase {
    const char* name;
    ByteVector bytes;
    int width;
    int height;
};

std::vector<FormatCase> Formats() {
    return {{"PNG", MakePng(Halves(12, 8)), 12, 8},
            {"JPEG", MakeJpeg(Halves(16, 16)), 16, 16},
            {"BMP", MakeBmp(Halves(10, 6)), 10, 6},
            {"GIF", MakeGif(Halves(9, 7)), 9, 7}};
}

TEST(GDIPPicture, LoadImageMeasuresThenRaisesOnChangeAndSavesTheSameBytes) {
    for (const FormatCase& f : Formats()) {
        SCOPED_TRACE(f.name);
        TGDIPPicture picture;
        EventLog log(picture);
        Load(picture, f.bytes);
        EXPECT_FALSE(picture.IsEmpty());
        EXPECT_EQ(picture.ImageWidth(), f.width);
        EXPECT_EQ(picture.ImageHeight(), f.height);
        EXPECT_EQ(log.events, std::vector<std::string>{"change"});
        // The size is known when OnChange comes.
        EXPECT_EQ(log.widths, std::vector<int>{f.width});
        EXPECT_EQ(SavedBytes(picture), f.bytes);
    }
}

TEST(GDIPPicture, LoadImageReadsTheWholeStreamWhateverItsPosition) {
    const ByteVector png = MakePng(Halves(12, 8));
    TMemoryStream in(png);
    in.Seek(0, soEnd);
    TGDIPPicture picture;
    picture.LoadImage(in);
    EXPECT_EQ(picture.ImageData().Bytes(), png);
    EXPECT_EQ(in.Position(), std::int64_t(png.size()));
}

TEST(GDIPPicture, LoadImageFileRaisesOnClearThenOnChange) {
    const ByteVector png = MakePng(Halves(12, 8));
    const std::wstring path = TempFile(L"plaxor-picture.png", png);
    TGDIPPicture picture;
    EventLog log(picture);
    picture.LoadImageFile(path);
    EXPECT_EQ(log.events, (std::vector<std::string>{"clear", "change"}));
    // OnClear before the size is refreshed, OnChange after.
    EXPECT_EQ(log.widths, (std::vector<int>{0, 12}));
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(SavedBytes(picture), png);
    ::DeleteFileW(path.c_str());
}

TEST(GDIPPicture, LoadImageFileOfAMissingFileLeavesItEmptyAndSilent) {
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    EventLog log(picture);
    EXPECT_NO_THROW(picture.LoadImageFile(L"C:\\plaxor-no-such-dir\\missing.png"));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(SavedBytes(picture).empty());
}

TEST(GDIPPicture, LoadImageFileOfALockedFileLeavesItEmptyAndSilent) {
    const std::wstring path = TempFile(L"plaxor-locked.png", MakePng(Halves(4, 4)));
    UniqueFile lock(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    TGDIPPicture picture;
    EventLog log(picture);
    EXPECT_NO_THROW(picture.LoadImageFile(path));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(log.events.empty());
    lock = UniqueFile();
    ::DeleteFileW(path.c_str());
}

TEST(GDIPPicture, LoadImageFileSwallowsAFailingHandler) {
    const std::wstring path = TempFile(L"plaxor-handler.png", MakePng(Halves(4, 4)));
    TGDIPPicture picture;
    int changes = 0;
    picture.OnClear = [](TObject*) { throw Exception(L"handler failed"); };
    picture.OnChange = [&](TObject*) { ++changes; };
    EXPECT_NO_THROW(picture.LoadImageFile(path));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(changes, 0);
    ::DeleteFileW(path.c_str());
}

TEST(GDIPPicture, UndecodableBytesAreHeldButMeasureAndDrawAsNothing) {
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    Load(picture, MakeGarbage());
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_TRUE(picture.UpdateImageSize());
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_EQ(picture.ImageHeight(), 0);
    DibSection dib(20, 20, Green);
    TCanvas canvas(dib.dc());
    EXPECT_NO_THROW(picture.DrawInRect(canvas, RECT{0, 0, 20, 20}));
    EXPECT_EQ(dib.Pixel(10, 10), 0x00FF00u);
}

// Wine's GDI+ decodes a JPEG whole on load: a small file claiming 16000 x 16000 pixels took
// seconds and gigabytes. Such bytes now count as undecodable without reaching GDI+.
TEST(GDIPPicture, AJpegClaimingMorePixelsThanItsBytesHoldIsUndecodable) {
    ByteVector jpeg = MakeJpeg(Halves(16, 16));
    ASSERT_TRUE(SetJpegFrameSize(jpeg, 16000, 16000));
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    Load(picture, jpeg);
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_EQ(picture.ImageHeight(), 0);
    DibSection dib(20, 20, Green);
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{0, 0, 20, 20});
    EXPECT_EQ(dib.Pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(SavedBytes(picture), jpeg);
}

TEST(GDIPPicture, CopyFromNilClearsWithOnChangeThenOnClearAndKeepsTheSize) {
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    EventLog log(picture);
    picture.CopyFrom(nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"change", "clear"}));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(picture.ImageData().Bytes().empty());
    EXPECT_EQ(picture.ImageWidth(), 12);
}

TEST(GDIPPicture, CopyFromAPictureCopiesItsBytesAndRaisesOnChangeBeforeMeasuring) {
    const ByteVector png = MakePng(Halves(12, 8));
    TGDIPPicture source;
    Load(source, png);
    TGDIPPicture picture;
    EventLog log(picture);
    picture.CopyFrom(&source);
    EXPECT_EQ(log.events, std::vector<std::string>{"change"});
    EXPECT_EQ(log.widths, std::vector<int>{0});
    EXPECT_EQ(picture.ImageWidth(), 12);
    EXPECT_EQ(SavedBytes(picture), png);
    // The two hold separate copies.
    source.CopyFrom(nullptr);
    EXPECT_EQ(SavedBytes(picture), png);
}

TEST(GDIPPicture, CopyFromItselfKeepsThePicture) {
    // A setter handed the picture it already owns must not wipe it.
    const ByteVector png = MakePng(Halves(12, 8));
    TGDIPPicture picture;
    Load(picture, png);
    EventLog log(picture);
    picture.CopyFrom(&picture);
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(SavedBytes(picture), png);
    EXPECT_TRUE(log.events.empty());
}

TEST(GDIPPicture, CopyFromAnEmptyPictureLeavesItEmpty) {
    TGDIPPicture source;
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    EventLog log(picture);
    picture.CopyFrom(&source);
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(log.events, std::vector<std::string>{"change"});
}

TEST(GDIPPicture, CopyFromAnEmptiedPictureDoesNotRevealItsOldBytes) {
    TGDIPPicture source;
    Load(source, MakePng(Halves(12, 8)));
    source.LoadImageFile(L"C:\\plaxor-no-such-dir\\missing.png");
    ASSERT_TRUE(source.IsEmpty());
    TGDIPPicture picture;
    picture.CopyFrom(&source);
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(SavedBytes(picture).empty());
}

TEST(GDIPPicture, CopyFromABitmapHoldsABmpFileAndDrawsItUnscaledWithItsKeyColourClear) {
    TBitmap bitmap(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            bitmap.SetPixel(x, y, RGB(255, 0, 255));
    bitmap.SetPixel(2, 1, RGB(0, 0, 255));
    bitmap.SetPixel(3, 2, RGB(255, 0, 0));
    TGDIPPicture picture;
    EventLog log(picture);
    picture.CopyFrom(&bitmap);
    EXPECT_EQ(log.events, std::vector<std::string>{"change"});
    ASSERT_GE(picture.ImageData().Bytes().size(), 2u);
    EXPECT_EQ(picture.ImageData().Bytes()[0], 'B');
    EXPECT_EQ(picture.ImageData().Bytes()[1], 'M');
    EXPECT_EQ(picture.ImageWidth(), 6);
    EXPECT_EQ(picture.ImageHeight(), 4);

    DibSection dib(40, 40, Green);
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{5, 7, 40, 40});
    dib.SaveBmp(OutputPath(L"picture-bmp.bmp"));
    EXPECT_EQ(dib.Pixel(5 + 2, 7 + 1), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(5 + 3, 7 + 2), 0xFF0000u);
    // The key colour (bottom-left) is not drawn, and nothing is drawn beyond the bitmap.
    EXPECT_EQ(dib.Pixel(5, 7), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(5 + 5, 7 + 3), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(30, 30), 0x00FF00u);
}

TEST(GDIPPicture, CopyFromAPictureContainerTakesItsGraphicsFileFormat) {
    const ByteVector jpeg = MakeJpeg(Halves(16, 16));
    TJPEGImage image;
    TMemoryStream in(jpeg);
    image.LoadImage(in);
    TPicture container;
    container.SetGraphic(&image);
    TGDIPPicture picture;
    EventLog log(picture);
    picture.CopyFrom(&container);
    EXPECT_EQ(log.events, std::vector<std::string>{"change"});
    EXPECT_EQ(SavedBytes(picture), jpeg);
    EXPECT_EQ(picture.ImageWidth(), 16);
}

TEST(GDIPPicture, CopyFromAnEmptyPictureContainerLeavesItEmpty) {
    TPicture container;
    TGDIPPicture picture;
    Load(picture, MakePng(Halves(12, 8)));
    EXPECT_NO_THROW(picture.CopyFrom(&container));
    EXPECT_TRUE(picture.IsEmpty());
}

TEST(GDIPPicture, CopyFromAnotherClassLeavesItEmptyKeepingItsBytesSilently) {
    const ByteVector png = MakePng(Halves(12, 8));
    TGDIPPicture picture;
    Load(picture, png);
    EventLog log(picture);
    TStringList other;
    EXPECT_NO_THROW(picture.CopyFrom(&other));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.ImageData().Bytes(), png);
    EXPECT_TRUE(log.events.empty());
    // Empty pictures hand out nothing.
    EXPECT_TRUE(SavedBytes(picture).empty());
}

TEST(GDIPPicture, AJpegIsStretchedToTheRectangle) {
    TGDIPPicture picture;
    Load(picture, MakeJpeg(Halves(16, 16)));
    DibSection dib(120, 40, RGB(255, 255, 255));
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{10, 10, 110, 30});
    dib.SaveBmp(OutputPath(L"picture-jpeg-stretched.bmp"));
    // Red over the left 50 pixels, blue over the right 50, white around.
    EXPECT_GT(Red(dib.Pixel(12, 20)), 200);
    EXPECT_LT(Blue(dib.Pixel(12, 20)), 60);
    EXPECT_GT(Red(dib.Pixel(45, 12)), 200);
    EXPECT_GT(Blue(dib.Pixel(75, 27)), 200);
    EXPECT_LT(Red(dib.Pixel(75, 27)), 60);
    EXPECT_GT(Blue(dib.Pixel(107, 20)), 200);
    EXPECT_EQ(dib.Pixel(9, 20), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(110, 20), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(60, 9), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(60, 30), 0xFFFFFFu);
}

TEST(GDIPPicture, PngAndGifAreStretchedToTheRectangle) {
    for (const ByteVector& bytes : {MakePng(Halves(12, 8)), MakeGif(Halves(12, 8))}) {
        TGDIPPicture picture;
        Load(picture, bytes);
        DibSection dib(60, 40, RGB(255, 255, 255));
        TCanvas canvas(dib.dc());
        picture.DrawInRect(canvas, RECT{0, 0, 48, 32});
        EXPECT_EQ(dib.Pixel(10, 16), 0xFF0000u);
        EXPECT_EQ(dib.Pixel(38, 28), 0x0000FFu);
        EXPECT_EQ(dib.Pixel(50, 16), 0xFFFFFFu);
        EXPECT_EQ(dib.Pixel(20, 34), 0xFFFFFFu);
    }
}

TEST(GDIPPicture, ABmpIsDrawnAtItsOwnSizeWithItsBottomLeftColourTransparent) {
    PixelImage pixels(8, 5, 0xFFFFFF00);
    pixels.at(1, 1) = 0xFF0000FF;
    pixels.at(7, 0) = 0xFFFF0000;
    TGDIPPicture picture;
    Load(picture, MakeBmp(pixels));
    DibSection dib(60, 40, Green);
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{3, 4, 60, 40});
    EXPECT_EQ(dib.Pixel(3 + 1, 4 + 1), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(3 + 7, 4 + 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(3, 4), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(3 + 8, 4), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(40, 30), 0x00FF00u);
}

TEST(GDIPPicture, AnIconIsStretchedToTheRectangle) {
    // Wine's GDI+ calls an icon a BMP, which the framework bitmap cannot read: it is drawn by
    // GDI+ all the same.
    TGDIPPicture picture;
    Load(picture, MakeIcon(Halves(16, 16)));
    EXPECT_EQ(picture.ImageWidth(), 16);
    DibSection dib(60, 40, RGB(255, 255, 255));
    TCanvas canvas(dib.dc());
    picture.DrawInRect(canvas, RECT{0, 0, 48, 32});
    EXPECT_EQ(dib.Pixel(10, 16), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(38, 16), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(50, 16), 0xFFFFFFu);
}

TEST(GDIPPicture, DrawingAPictureReadFromALayoutMeasuresOnlyNonBmpImages) {
    TGDIPPicture png;
    TMemoryStream pngData(MakePng(Halves(12, 8)));
    png.ReadLayoutData(&pngData);
    TGDIPPicture bmp;
    TMemoryStream bmpData(MakeBmp(Halves(10, 6)));
    bmp.ReadLayoutData(&bmpData);
    DibSection dib(40, 40, Green);
    TCanvas canvas(dib.dc());
    png.DrawInRect(canvas, RECT{0, 0, 20, 20});
    bmp.DrawInRect(canvas, RECT{20, 20, 40, 40});
    EXPECT_EQ(png.ImageWidth(), 12);
    EXPECT_EQ(bmp.ImageWidth(), 0);
    // Drawn all the same: its blue half, and its red half keyed out by the bottom-left pixel.
    EXPECT_EQ(dib.Pixel(20 + 7, 21), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(21, 21), 0x00FF00u);
}

TEST(GDIPPicture, NoDecodingBlockIsCouldNotAllocateMemoryForImage) {
    const ByteVector png = MakePng(Halves(12, 8));
    TGDIPPicture picture;
    Load(picture, png);
    ScopedNoBlocks noBlocks;
    try {
        picture.UpdateImageSize();
        FAIL() << "UpdateImageSize succeeded without memory";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Could not allocate memory for image");
    }
    DibSection dib(20, 20, Green);
    TCanvas canvas(dib.dc());
    EXPECT_THROW(picture.DrawInRect(canvas, RECT{0, 0, 20, 20}), Exception);
    TGDIPPicture other;
    EXPECT_THROW(Load(other, png), Exception);
}

TEST(GDIPPicture, LoadImageFileSwallowsAnAllocationFailureAndIsEmpty) {
    const std::wstring path = TempFile(L"plaxor-nomem.png", MakePng(Halves(4, 4)));
    TGDIPPicture picture;
    ScopedNoBlocks noBlocks;
    EXPECT_NO_THROW(picture.LoadImageFile(path));
    EXPECT_TRUE(picture.IsEmpty());
    ::DeleteFileW(path.c_str());
}

TEST(GDIPPictureLayout, ReadingDataHoldsTheBytesWithoutMeasuringOrEvents) {
    const ByteVector png = MakePng(Halves(12, 8));
    TGDIPPicture picture;
    EventLog log(picture);
    TMemoryStream data(png);
    picture.ReadLayoutData(&data);
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.ImageData().Bytes(), png);
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(picture.UpdateImageSize());
    EXPECT_EQ(picture.ImageWidth(), 12);
    EXPECT_EQ(picture.ImageHeight(), 8);
}

TEST(GDIPPictureLayout, WritingDataGivesTheBytesUnchanged) {
    const ByteVector gif = MakeGif(Halves(9, 7));
    TGDIPPicture picture;
    Load(picture, gif);
    TMemoryStream out;
    picture.WriteLayoutData(&out);
    EXPECT_EQ(out.Bytes(), gif);
}

TEST(GDIPPictureLayout, NoStreamMeansNothingHappens) {
    TGDIPPicture picture;
    EventLog log(picture);
    EXPECT_NO_THROW(picture.ReadLayoutData(nullptr));
    EXPECT_NO_THROW(picture.WriteLayoutData(nullptr));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(log.events.empty());
}

TEST(GDIPPictureLayout, TheOnlyOwnPublishedPropertyIsOnClear) {
    const PropertyTable& table = TGDIPPicture::ClassProperties();
    EXPECT_NE(table.Find(L"OnClear"), nullptr);
    EXPECT_NE(table.Find(L"Data"), nullptr);
    EXPECT_EQ(table.All().size(), TGraphic::ClassProperties().All().size() + 1);
}

TEST(GDIPPictureLayout, AnEmptyPictureStoresNoData) {
    TGDIPPicture picture;
    const PropertyInfo* data = TGDIPPicture::ClassProperties().Find(L"Data");
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->save(picture).has_value());
}

} // namespace
} // namespace plaxor::test
