#include "BmpBuilder.h"
#include "DibSurface.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/Streams.h"
#include <gtest/gtest.h>
#include <random>

namespace plaxor {
namespace {

using test::BmpLayout;
using test::BuildBmp;
using test::DibSurface;

// 0x00RRGGBB as a file stores it, to the framework's 0x00BBGGRR.
TColor FromRgb(std::uint32_t rgb) {
    return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::unique_ptr<TBitmap> Load(const std::vector<std::uint8_t>& bytes) {
    auto bitmap = std::make_unique<TBitmap>();
    TMemoryStream stream(bytes);
    bitmap->LoadImage(stream);
    return bitmap;
}

std::wstring LoadError(const std::vector<std::uint8_t>& bytes) {
    try {
        Load(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return L"(loaded)";
}

const std::vector<std::uint32_t> sixteen = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Every pixel of the loaded bitmap against the colour the builder put there.
void ExpectPixels(const TBitmap& b, const BmpLayout& s,
                  const std::function<TColor(int, int)>& want) {
    ASSERT_EQ(b.Width(), s.width);
    ASSERT_EQ(b.Height(), s.height);
    int wrong = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (b.Pixel(x, y) != want(x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

struct DepthCase {
    std::uint32_t headerSize;
    int bpp;
    bool topDown;
};

class BmpPaletted : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpPaletted, ReadsEveryPixelThroughTheColourTable) {
    const DepthCase c = GetParam();
    BmpLayout s;
    s.headerSize = c.headerSize;
    s.bpp = c.bpp;
    s.width = 13; // odd widths exercise the row padding and partial bytes
    s.height = 4;
    s.topDown = c.topDown;
    const std::size_t n = std::size_t{1} << std::min(c.bpp, 4);
    s.palette.assign(sixteen.begin(), sixteen.begin() + n);
    if (c.bpp == 8) s.palette.resize(256, 0x123456);
    s.value = [n](int x, int y) { return static_cast<std::uint32_t>((x + 3 * y) % n); };
    const auto bitmap = Load(BuildBmp(s));
    ExpectPixels(*bitmap, s, [&](int x, int y) { return FromRgb(s.palette[(x + 3 * y) % n]); });
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpPaletted,
                         testing::Values(DepthCase{12, 1, false}, DepthCase{12, 4, false},
                                         DepthCase{12, 8, false}, DepthCase{40, 1, false},
                                         DepthCase{40, 4, false}, DepthCase{40, 8, false},
                                         DepthCase{40, 8, true}, DepthCase{124, 4, false}));

class BmpTrueColour : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpTrueColour, ReadsEveryPixel) {
    const DepthCase c = GetParam();
    BmpLayout s;
    s.headerSize = c.headerSize;
    s.bpp = c.bpp;
    s.width = 7;
    s.height = 5;
    s.topDown = c.topDown;
    auto rgb = [](int x, int y) {
        return static_cast<std::uint32_t>(x * 0x240000 + y * 0x3100 + (x ^ y) * 17);
    };
    s.value = rgb; // 24 bits: 0x00RRGGBB; 32 bits BI_RGB: the same with an unused top byte
    const auto bitmap = Load(BuildBmp(s));
    ExpectPixels(*bitmap, s, [&](int x, int y) { return FromRgb(rgb(x, y)); });
    EXPECT_FALSE(bitmap->AlphaChannel());
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpTrueColour,
                         testing::Values(DepthCase{12, 24, false}, DepthCase{40, 24, false},
                                         DepthCase{40, 24, true}, DepthCase{40, 32, false},
                                         DepthCase{108, 32, true}, DepthCase{124, 24, false}));

TEST(BmpRead, SixteenBitsDefaultTo555) {
    BmpLayout s;
    s.bpp = 16;
    s.width = 3;
    s.height = 1;
    s.value = [](int x, int) { return std::vector<std::uint32_t>{0x7C00, 0x03E0, 0x7FFF}[x]; };
    const auto b = Load(BuildBmp(s));
    EXPECT_EQ(b->Pixel(0, 0), clRed);
    EXPECT_EQ(b->Pixel(1, 0), clLime);
    EXPECT_EQ(b->Pixel(2, 0), clWhite);
}

TEST(BmpRead, BitfieldsAfterAnInfoHeaderGive565) {
    BmpLayout s;
    s.bpp = 16;
    s.compression = BI_BITFIELDS;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.width = 4;
    s.height = 2;
    s.value = [](int x, int) {
        return std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F, 0x8410}[x];
    };
    const auto b = Load(BuildBmp(s));
    EXPECT_EQ(b->Pixel(0, 1), clRed);
    EXPECT_EQ(b->Pixel(1, 1), clLime);
    EXPECT_EQ(b->Pixel(2, 1), clBlue);
    EXPECT_EQ(b->Pixel(3, 1), RGB(132, 130, 132)); // 16/31, 32/63, 16/31 scaled to 255
}

TEST(BmpRead, V4BitfieldsWithAnAlphaMaskKeepTheAlpha) {
    BmpLayout s;
    s.headerSize = 108;
    s.bpp = 32;
    s.compression = BI_BITFIELDS;
    s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000,
               0x000000FF}; // unusual order: B G R A bytes reversed
    s.width = 2;
    s.height = 1;
    s.value = [](int x, int) { return x == 0 ? 0x000000FFu | 0xFF00u : 0x80u | 0xFF000000u; };
    const auto b = Load(BuildBmp(s));
    EXPECT_TRUE(b->AlphaChannel());
    EXPECT_EQ(b->Pixel(0, 0), clRed);
    EXPECT_EQ(b->ScanLine(0)[0] >> 24, 0xFFu);
    EXPECT_EQ(b->Pixel(1, 0), clBlue);
    EXPECT_EQ(b->ScanLine(0)[1] >> 24, 0x80u);
}

TEST(BmpRead, AnAlphaMaskThatIsAllZeroMeansOpaque) {
    BmpLayout s;
    s.headerSize = 124;
    s.bpp = 32;
    s.compression = BI_BITFIELDS;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    s.value = [](int, int) { return 0x00FF00u; };
    const auto b = Load(BuildBmp(s));
    EXPECT_FALSE(b->AlphaChannel());
    EXPECT_EQ(b->Pixel(0, 0), clLime);
}

TEST(BmpRead, ALastRowWithoutPaddingIsAccepted) {
    BmpLayout s;
    s.value = [](int, int) { return 0xFF0000u; };
    s.padLastRow = false;
    EXPECT_EQ(Load(BuildBmp(s))->Pixel(4, 0), clRed);
}

TEST(BmpRead, IndexesBeyondAShortColourTableReadAsBlack) {
    BmpLayout s;
    s.bpp = 8;
    s.palette = {0xFFFFFF, 0xFF0000};
    s.colorsUsed = 2;
    s.value = [](int x, int) { return x == 0 ? 1u : 200u; };
    const auto b = Load(BuildBmp(s));
    EXPECT_EQ(b->Pixel(0, 0), clRed);
    EXPECT_EQ(b->Pixel(1, 0), clBlack);
}

// ---- malformed files

std::vector<std::uint8_t> Valid24() {
    BmpLayout s;
    s.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 40 + y); };
    return BuildBmp(s);
}

TEST(BmpMalformed, EveryTruncationIsRefused) {
    const auto good = Valid24();
    // The last byte is the final row's padding, which may be missing.
    for (std::size_t n = 0; n + 1 < good.size(); ++n) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + n);
        EXPECT_THROW(Load(cut), EInvalidGraphic) << "length " << n;
    }
}

TEST(BmpMalformed, SizesThatAreZeroNegativeOrHugeAreRefused) {
    auto withSize = [](std::int32_t w, std::int32_t h) {
        auto bmp = Valid24();
        test::Bytes::Put32(bmp, 18, static_cast<std::uint32_t>(w));
        test::Bytes::Put32(bmp, 22, static_cast<std::uint32_t>(h));
        return bmp;
    };
    EXPECT_NE(LoadError(withSize(0, 3)).find(L"empty"), std::wstring::npos);
    EXPECT_NE(LoadError(withSize(5, 0)).find(L"empty"), std::wstring::npos);
    EXPECT_THROW(Load(withSize(-5, 3)), EInvalidGraphic);
    EXPECT_THROW(Load(withSize(5, INT32_MIN)), EInvalidGraphic);
    EXPECT_NE(LoadError(withSize(100000, 3)).find(L"exceeds"), std::wstring::npos);
    EXPECT_NE(LoadError(withSize(16385, 1)).find(L"exceeds"), std::wstring::npos);
    // Within the limits but far more pixels than the file holds.
    EXPECT_NE(LoadError(withSize(16384, 16384)).find(L"truncated"), std::wstring::npos);
}

TEST(BmpMalformed, PixelOffsetsOutsideTheDataAreRefused) {
    auto withOffset = [](std::uint32_t offset) {
        auto bmp = Valid24();
        test::Bytes::Put32(bmp, 10, offset);
        return bmp;
    };
    EXPECT_NE(LoadError(withOffset(20)).find(L"inside the headers"), std::wstring::npos);
    EXPECT_NE(LoadError(withOffset(0)).find(L"inside the headers"), std::wstring::npos);
    EXPECT_NE(LoadError(withOffset(5000)).find(L"beyond the end"), std::wstring::npos);
    EXPECT_NE(LoadError(withOffset(0xFFFFFFFF)).find(L"beyond the end"), std::wstring::npos);
    EXPECT_NE(LoadError(withOffset(60)).find(L"truncated"), std::wstring::npos);
}

TEST(BmpMalformed, ColourTablesTooLargeOrCutShortAreRefused) {
    BmpLayout s;
    s.bpp = 4;
    s.palette = sixteen;
    s.colorsUsed = 17;
    EXPECT_NE(LoadError(BuildBmp(s)).find(L"colour table"), std::wstring::npos);
    s.bpp = 8;
    s.colorsUsed = 300;
    EXPECT_NE(LoadError(BuildBmp(s)).find(L"colour table"), std::wstring::npos);
    // A table that runs past the end of the file.
    s.colorsUsed = 0;
    auto bmp = BuildBmp(s);
    bmp.resize(54 + 40);
    test::Bytes::Put32(bmp, 10, 54 + 1024);
    EXPECT_THROW(Load(bmp), EInvalidGraphic);
}

TEST(BmpMalformed, UnsupportedFormsSayWhat) {
    auto patched = [](std::size_t at, std::uint32_t value, int width = 4) {
        auto bmp = Valid24();
        if (width == 2) {
            bmp[at] = static_cast<std::uint8_t>(value);
            bmp[at + 1] = static_cast<std::uint8_t>(value >> 8);
        } else {
            test::Bytes::Put32(bmp, at, value);
        }
        return bmp;
    };
    EXPECT_NE(LoadError(patched(0, 0x4D41, 2)).find(L"BM signature"), std::wstring::npos);
    EXPECT_NE(LoadError(patched(14, 20)).find(L"header size"), std::wstring::npos);
    EXPECT_NE(LoadError(patched(28, 7, 2)).find(L"bits per pixel"), std::wstring::npos);
    EXPECT_NE(LoadError(patched(30, BI_RLE8)).find(L"run-length"), std::wstring::npos);
    EXPECT_NE(LoadError(patched(30, BI_JPEG)).find(L"compression"), std::wstring::npos);
    EXPECT_NE(LoadError(patched(30, BI_BITFIELDS)).find(L"colour masks"), std::wstring::npos);
}

TEST(BmpMalformed, ScatteredMasksAreRefused) {
    BmpLayout s;
    s.bpp = 16;
    s.compression = BI_BITFIELDS;
    s.masks = {0xF0F0, 0x0F00, 0x000F};
    EXPECT_NE(LoadError(BuildBmp(s)).find(L"contiguous"), std::wstring::npos);
}

TEST(BmpMalformed, AFailedLoadKeepsTheOldPicture) {
    TBitmap b(2, 2);
    b.SetPixel(1, 1, clRed);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    TMemoryStream bad(std::vector<std::uint8_t>{'B', 'M', 1, 2, 3});
    EXPECT_THROW(b.LoadImage(bad), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(changes, 0);
}

TEST(BmpMalformed, RandomDamageToTheHeadersNeverGetsPastTheChecks) {
    BmpLayout s;
    s.bpp = 8;
    s.palette = sixteen;
    s.colorsUsed = 16;
    s.width = 9;
    s.height = 7;
    s.value = [](int x, int y) { return static_cast<std::uint32_t>(x + y) % 16; };
    const auto good = BuildBmp(s);
    std::mt19937 random(1234);
    int refused = 0, loaded = 0;
    for (int i = 0; i < 3000; ++i) {
        auto bmp = good;
        const int flips = 1 + i % 4;
        for (int f = 0; f < flips; ++f)
            bmp[2 + random() % 60] = static_cast<std::uint8_t>(random());
        try {
            Load(bmp);
            ++loaded;
        } catch (const EInvalidGraphic&) {
            ++refused;
        } catch (const EOutOfMemory&) {
            ++refused;
        }
    }
    EXPECT_EQ(refused + loaded, 3000);
    EXPECT_GT(refused, 100);
}

// ---- writing

TEST(BmpWrite, WritesA24BitBottomUpFileThatReadsBackTheSame) {
    TBitmap b(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            b.SetPixel(x, y, RGB(x * 50, y * 100, 7));
    TMemoryStream out;
    b.SaveImage(out);
    const auto& f = out.Bytes();
    ASSERT_EQ(f.size(), 54u + 16 * 3);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(f[2] | f[3] << 8, 54 + 48);
    EXPECT_EQ(f[10], 54);
    EXPECT_EQ(f[14], 40);
    EXPECT_EQ(f[22], 3); // positive height: bottom-up
    EXPECT_EQ(f[28], 24);
    EXPECT_EQ(f[30], 0); // BI_RGB
    EXPECT_EQ(f[38] | f[39] << 8, 3780);
    EXPECT_EQ(f[54 + 2], 0); // first stored row is the bottom one: red of (0, 2) is 0
    EXPECT_EQ(f[54 + 1], 200);
    out.SetPosition(0);
    TBitmap back;
    back.LoadImage(out);
    EXPECT_EQ(back.Pixel(4, 2), RGB(200, 200, 7));
    EXPECT_EQ(back.Pixel(0, 0), RGB(0, 0, 7));
}

TEST(BmpWrite, ABitmapWithAlphaKeepsItThroughAV5File) {
    TBitmap b(2, 2);
    b.SetAlphaChannel(true);
    b.ScanLine(0)[0] = 0x400000FF; // blue, alpha 0x40
    TMemoryStream out;
    b.SaveImage(out);
    EXPECT_EQ(out.Bytes()[14], 124);
    EXPECT_EQ(out.Bytes()[28], 32);
    out.SetPosition(0);
    TBitmap back;
    back.LoadImage(out);
    EXPECT_TRUE(back.AlphaChannel());
    EXPECT_EQ(back.ScanLine(0)[0], 0x400000FFu);
}

TEST(BmpWrite, LayoutDataIsALengthThenTheFileAndBothFormsReadBack) {
    TBitmap b(3, 3);
    b.SetPixel(2, 0, clFuchsia);
    TMemoryStream data;
    b.WriteLayoutData(&data);
    TMemoryStream file;
    b.SaveImage(file);
    ASSERT_EQ(data.Size(), file.Size() + 4);
    EXPECT_EQ(data.Bytes()[0], file.Size());
    EXPECT_EQ(data.Bytes()[4], 'B');
    data.SetPosition(0);
    TBitmap fromData;
    fromData.ReadLayoutData(&data);
    EXPECT_EQ(fromData.Pixel(2, 0), clFuchsia);
    file.SetPosition(0);
    TBitmap fromFile;
    fromFile.ReadLayoutData(&file);
    EXPECT_EQ(fromFile.Pixel(2, 0), clFuchsia);
}

// ---- the bitmap as a surface

TEST(Bitmap, SetSizeKeepsTheOverlapAndFillsTheRestWhite) {
    TBitmap b(4, 4);
    b.Canvas().Brush().SetColor(clNavy);
    b.Canvas().FillRect(RECT{0, 0, 4, 4});
    b.SetSize(6, 2);
    EXPECT_EQ(b.Pixel(3, 1), clNavy);
    EXPECT_EQ(b.Pixel(5, 1), clWhite);
    // The canvas draws on the new pixels.
    b.Canvas().FillRect(RECT{5, 0, 6, 1});
    EXPECT_EQ(b.Pixel(5, 0), clNavy);
    EXPECT_EQ(b.Canvas().Pixel(5, 0), clNavy);
}

TEST(Bitmap, ItsDibSectionsAndDcAreDeletedWhenReplacedOrDestroyed) {
    HGDIOBJ first = nullptr, second = nullptr, font = nullptr;
    HDC dc = nullptr;
    {
        TBitmap b(4, 4);
        first = b.Handle();
        b.Canvas().TextOut(0, 0, L"x"); // the DIB and a font are now selected into its DC
        dc = b.Canvas().Handle();
        font = b.Canvas().Font().Handle();
        b.SetSize(8, 8);
        EXPECT_EQ(::GetObjectType(first), 0u);
        second = b.Handle();
        EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), second);
    }
    EXPECT_EQ(::GetObjectType(second), 0u);
    EXPECT_EQ(::GetObjectType(font), 0u);
    EXPECT_EQ(::GetObjectType(dc), 0u);
}

TEST(Bitmap, OversizedOrOutOfRangeRequestsRaise) {
    TBitmap b;
    EXPECT_THROW(b.SetSize(TBitmap::MaxSide + 1, 1), EInvalidGraphic);
    EXPECT_TRUE(b.IsEmpty());
    b.SetSize(2, 2);
    EXPECT_THROW(b.Pixel(2, 0), EInvalidGraphic);
    EXPECT_THROW(b.SetPixel(0, -1, clRed), EInvalidGraphic);
}

TEST(Bitmap, CopyFromTakesPixelsAndTransparencyWithOneChange) {
    TBitmap a(3, 2);
    a.SetPixel(0, 1, clRed);
    a.SetTransparent(true);
    a.SetTransparentColor(clBlue);
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.CopyFrom(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Pixel(0, 1), clRed);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clBlue);
    a.SetPixel(0, 1, clGreen);
    EXPECT_EQ(b.Pixel(0, 1), clRed);
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixel) {
    TBitmap b(3, 3);
    b.SetPixel(0, 2, clFuchsia);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
}

// A 4 x 4 glyph: magenta background (bottom-left too), a red cross.
std::unique_ptr<TBitmap> Glyph() {
    auto b = std::make_unique<TBitmap>(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            b->SetPixel(x, y, x == 1 || y == 1 ? clRed : clFuchsia);
    return b;
}

TEST(BitmapDraw, OpaqueDrawCopiesEveryPixelAtNaturalSize) {
    DibSurface s(10, 10, clGreen);
    TCanvas c(s.dc());
    auto g = Glyph();
    c.Draw(2, 3, *g);
    EXPECT_EQ(s.Count(clFuchsia), 9);
    EXPECT_EQ(s.Count(clRed), 7);
    EXPECT_EQ(s.At(3, 3), clRed);
    EXPECT_EQ(s.At(2, 3), clFuchsia);
}

TEST(BitmapDraw, TransparentDrawKeysOutTheBottomLeftColour) {
    DibSurface s(10, 10, clGreen);
    TCanvas c(s.dc());
    auto g = Glyph();
    g->SetTransparent(true);
    c.Draw(2, 3, *g);
    EXPECT_EQ(s.Count(clFuchsia), 0);
    EXPECT_EQ(s.Count(clRed), 7);
    EXPECT_EQ(s.At(2, 3), clGreen);
    EXPECT_EQ(s.At(3, 4), clRed);
    EXPECT_EQ(s.Count(clGreen), 100 - 7);
}

TEST(BitmapDraw, StretchedTransparentDrawScalesAndStillKeysOut) {
    DibSurface s(20, 20, clGreen);
    TCanvas c(s.dc());
    auto g = Glyph();
    g->SetTransparent(true);
    c.StretchDraw(RECT{0, 0, 8, 8}, *g);
    EXPECT_EQ(s.Count(clFuchsia), 0);
    EXPECT_EQ(s.Count(clRed), 7 * 4);
    EXPECT_EQ(s.At(2, 0), clRed);
    EXPECT_EQ(s.At(3, 1), clRed);
    EXPECT_EQ(s.At(0, 0), clGreen);
    EXPECT_EQ(s.Count(clRed, 8, 0, 20, 20), 0);
}

TEST(BitmapDraw, FixedTransparentColourKeysOutThatColourInstead) {
    DibSurface s(10, 10, clGreen);
    TCanvas c(s.dc());
    auto g = Glyph();
    g->SetTransparent(true);
    g->SetTransparentColor(clRed);
    c.Draw(0, 0, *g);
    EXPECT_EQ(s.Count(clRed), 0);
    EXPECT_EQ(s.Count(clFuchsia), 9);
}

TEST(BitmapDraw, TransparentDrawIsClippedToTheTarget) {
    DibSurface s(6, 6, clGreen);
    TCanvas c(s.dc());
    auto g = Glyph();
    g->SetTransparent(true);
    c.Draw(4, -2, *g);              // mostly outside
    EXPECT_EQ(s.At(5, 0), clRed);   // glyph pixel (1, 2)
    EXPECT_EQ(s.At(4, 0), clGreen); // glyph pixel (0, 2), keyed out
    EXPECT_EQ(s.Count(clFuchsia), 0);
}

TEST(BitmapDraw, AlphaPixelsAreBlendedOverTheTarget) {
    DibSurface s(4, 1, clWhite);
    TCanvas c(s.dc());
    TBitmap b(2, 1);
    b.SetAlphaChannel(true);
    b.ScanLine(0)[0] = 0x80FF0000; // BGRA in memory: red at half
    b.ScanLine(0)[1] = 0x00000000; // nothing
    c.Draw(0, 0, b);
    EXPECT_TRUE(test::Near(s.At(0, 0), RGB(255, 127, 127), 1));
    EXPECT_EQ(s.At(1, 0), clWhite);
}

TEST(Bitmap, CopyFromNullEmptiesIt) {
    auto b = Glyph();
    b->CopyFrom(nullptr);
    EXPECT_TRUE(b->IsEmpty());
}

} // namespace
} // namespace plaxor
