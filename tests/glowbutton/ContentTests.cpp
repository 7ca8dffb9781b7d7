// The content inside the face: caption and notes in both text engines, pictures from their
// three sources, placement in every layout, the drop-down arrow, and the content size that
// automatic sizing builds on.
#include "PaintSupport.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"
#include "gdiplus/GDIPPicture.h"
#include "gdiplus/GPGraphics.h"
#include "tests/gdiplus/SampleImages.h"
#include "tests/support/JpegFrameSize.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace plaxor::test {
namespace {

constexpr TColor White = 0xFFFFFF;
constexpr TColor PictureRed = 0x0000FF, KeyGreen = 0x00FF00, GlyphBlue = 0xFF0000;

bool IsRed(TColor c) {
    return R(c) > 200 && G(c) < 80 && B(c) < 80;
}
bool IsBlue(TColor c) {
    return B(c) > 200 && R(c) < 80 && G(c) < 80;
}
// Text ink: clearly darker than the white face and grey (the red notes' edges are not).
bool IsInk(TColor c) {
    const int low = std::min({R(c), G(c), B(c)}), high = std::max({R(c), G(c), B(c)});
    return low < 0xA0 && high - low < 40;
}

template <typename Pred> RECT Box(const Surface& s, Pred keep, RECT area) {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (keep(s.At(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left < box.right ? box : RECT{};
}
template <typename Pred> RECT Box(const Surface& s, Pred keep) {
    return Box(s, keep, s.rect());
}

// Runs of rows that hold ink, separated by rows without.
template <typename Pred> int Bands(const Surface& s, Pred keep) {
    int bands = 0;
    bool inside = false;
    for (int y = 0; y < s.height(); ++y) {
        const bool ink = s.CountIf({0, y, s.width(), y + 1}, keep) > 0;
        if (ink && !inside) ++bands;
        inside = ink;
    }
    return bands;
}

// A bitmap of one colour whose bottom-left pixel holds the colour keyed out when drawn.
std::unique_ptr<TBitmap> SolidBitmap(int w, int h, TColor color, TColor key) {
    auto bitmap = std::make_unique<TBitmap>(w, h);
    bitmap->Canvas().Brush().SetColor(color);
    bitmap->Canvas().FillRect({0, 0, w, h});
    bitmap->SetPixel(0, h - 1, key);
    return bitmap;
}

class ContentTest : public testing::Test {
protected:
    ContentTest() : ContentTest(100, 41) {}
    ContentTest(int w, int h) : surface(w, h), in(DefaultInputs(surface, font)) {
        font.SetName(L"Tahoma");
        font.SetSize(8);
        font.SetColor(clBlack);
        notesFont.SetName(L"Tahoma");
        notesFont.SetSize(8);
        notesFont.SetColor(PictureRed);
        // A flat white face without border, so that only content differs from white.
        in.ColorMirror = White;
        in.borderVisible = false;
        in.antiAlias = aaAntiAlias;
        in.notesFont = &notesFont;
        auto bitmap = SolidBitmap(10, 10, PictureRed, KeyGreen);
        picture.CopyFrom(bitmap.get());
    }
    SIZE Paint() { return DrawGlowButton(in); }
    SIZE Measure() {
        in.measureOnly = true;
        const SIZE size = DrawGlowButton(in);
        in.measureOnly = false;
        return size;
    }
    RECT Ink() const { return Box(surface, IsInk); }
    RECT Red() const { return Box(surface, IsRed); }
    void Repaint() {
        surface.Fill(White);
        Paint();
    }

    TFont font;
    TFont notesFont;
    Surface surface;
    TGlowButtonDrawInputs in;
    TGDIPPicture picture;
};

// ---- caption

class CaptionTest : public ContentTest, public testing::WithParamInterface<TAntiAlias> {
protected:
    CaptionTest() { in.antiAlias = GetParam(); }
};

TEST_P(CaptionTest, IsCentredInTheFace) {
    in.caption = L"Disable";
    Paint();
    const RECT ink = Ink();
    EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 50), 3) << ink.left << ".." << ink.right;
    EXPECT_LE(std::abs((ink.top + ink.bottom) / 2 - 20), 3) << ink.top << ".." << ink.bottom;
}

TEST_P(CaptionTest, BackslashNBreaksTheCaptionIntoTwoLines) {
    in.caption = L"One\\nTwo";
    Paint();
    EXPECT_EQ(Bands(surface, IsInk), 2);
}

TEST_P(CaptionTest, UpperCaseBackslashNBreaksTheCaptionToo) {
    in.caption = L"One\\NTwo";
    Paint();
    EXPECT_EQ(Bands(surface, IsInk), 2);
}

TEST_P(CaptionTest, BackslashNIsASpaceWhenThePictureIsForcedSmall) {
    in.caption = L"One\\nTwo";
    in.pictureSize = {16, 16};
    Paint();
    EXPECT_EQ(Bands(surface, IsInk), 1);
}

TEST_P(CaptionTest, AmpersandUnderlinesTheNextCharacter) {
    in.caption = L"Dis";
    Paint();
    const RECT plain = Ink();
    in.caption = L"&Dis";
    Repaint();
    const RECT underlined = Ink();
    EXPECT_GT(underlined.bottom, plain.bottom);
    // Under the D only: the underline starts at the caption's left.
    EXPECT_LE(std::abs(underlined.left - plain.left), 1);
}

TEST_P(CaptionTest, TwoAmpersandsShowOneWithoutUnderline) {
    in.caption = L"xo";
    Paint();
    const RECT plain = Ink();
    in.caption = L"x&&o";
    Repaint();
    const RECT withAmpersand = Ink();
    EXPECT_GT(withAmpersand.right - withAmpersand.left, plain.right - plain.left + 3);
    EXPECT_EQ(withAmpersand.bottom, plain.bottom);
}

TEST_P(CaptionTest, DisabledCaptionIsGrey) {
    in.caption = L"Disable";
    in.enabled = false;
    Paint();
    int darkest = 255;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            darkest = std::min(
                darkest, std::min({R(surface.At(x, y)), G(surface.At(x, y)), B(surface.At(x, y))}));
    EXPECT_GE(darkest, 0x70);
    EXPECT_LE(darkest, 0x90);
}

TEST_P(CaptionTest, EnabledCaptionIsInTheFontColour) {
    in.caption = L"Disable";
    font.SetColor(GlyphBlue);
    Paint();
    EXPECT_GT(surface.CountIf(surface.rect(), IsBlue), 10);
}

TEST_P(CaptionTest, EmptyCaptionDrawsNothing) {
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != White; }), 0);
}

TEST_P(CaptionTest, NotesGoUnderTheCaptionInTheNotesColour) {
    TStringList notes;
    notes.SetText(L"Note");
    in.notes = &notes;
    in.caption = L"Caption";
    Paint();
    const RECT caption = Ink();
    const RECT note = Red();
    EXPECT_GT(note.top, caption.top + 5);
    EXPECT_GE(note.top, caption.bottom - 2);
}

TEST_P(CaptionTest, NotesMakeTheCaptionLeftAdjusted) {
    in.layout = blGlyphTop;
    in.caption = L"Caption";
    Paint();
    EXPECT_GT(Ink().left, 20);
    TStringList notes;
    notes.SetText(L"Note");
    in.notes = &notes;
    Repaint();
    EXPECT_LE(Ink().left, 8);
}

TEST_P(CaptionTest, MeasuringDrawsNoCaptionNotesOrPicture) {
    TStringList notes;
    notes.SetText(L"Note");
    in.notes = &notes;
    in.caption = L"Caption";
    in.picture = &picture;
    Measure();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != White; }), 0);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, CaptionTest, testing::Values(aaAntiAlias, aaNone),
                         [](const testing::TestParamInfo<TAntiAlias>& info) {
                             return info.param == aaNone ? "Gdi" : "Gdiplus";
                         });

TEST_F(ContentTest, DisabledNotesKeepTheirColourInTheGdiplusEngine) {
    TStringList notes;
    notes.SetText(L"Note");
    in.notes = &notes;
    in.caption = L"Caption";
    in.enabled = false;
    Paint();
    EXPECT_GT(surface.CountIf(surface.rect(), IsRed), 5);
}

TEST_F(ContentTest, NotesInAFamilyGdiplusLacksFallBackToArial) {
    TStringList notes;
    notes.SetText(L"Note");
    notesFont.SetName(L"No Such Typeface");
    in.notes = &notes;
    in.caption = L"Caption";
    Paint();
    EXPECT_GT(surface.CountIf(surface.rect(), IsRed), 5);
}

TEST_F(ContentTest, CaptionInAFontThatIsNotInstalledIsStillDrawn) {
    font.SetName(L"No Such Typeface");
    in.caption = L"Caption";
    Paint();
    EXPECT_GT(surface.CountIf(surface.rect(), IsInk), 10);
}

// ---- pictures

TEST_F(ContentTest, PictureWithoutCaptionIsCentred) {
    in.picture = &picture;
    Paint();
    const RECT red = Red();
    EXPECT_EQ(red.left, 45);
    EXPECT_EQ(red.top, 15);
    EXPECT_EQ(red.right - red.left, 10);
}

TEST_F(ContentTest, PictureBesideARightDropDownStripIsCentredEightPixelsFurtherLeft) {
    in.picture = &picture;
    in.dropDownButton = true;
    Paint();
    // (100 - 13 - 8 - 10) div 2
    EXPECT_EQ(Red().left, 34);
    EXPECT_EQ(Red().top, 15);
}

TEST_F(ContentTest, PictureAboveABottomDropDownStripIsCentredEightPixelsHigher) {
    in.picture = &picture;
    in.dropDownButton = true;
    in.dropDownPosition = dpBottom;
    Paint();
    // (41 - 13 - 8 - 10) div 2
    EXPECT_EQ(Red().top, 5);
    EXPECT_EQ(Red().left, 45);
}

TEST_F(ContentTest, BmpPictureLosesThePixelsOfItsBottomLeftColour) {
    auto bitmap = SolidBitmap(10, 10, PictureRed, KeyGreen);
    bitmap->SetPixel(5, 5, KeyGreen);
    picture.CopyFrom(bitmap.get());
    in.picture = &picture;
    Paint();
    EXPECT_EQ(surface.At(50, 20), White);
    EXPECT_EQ(surface.At(45, 24), White);
    EXPECT_EQ(surface.At(46, 20), PictureRed);
}

TEST_F(ContentTest, PngPictureIsDrawnWithItsOwnTransparency) {
    PixelImage image(10, 10, 0xFF0000FF);
    image.at(5, 5) = 0x00000000;
    image.at(0, 9) = 0xFF00FF00; // a BMP would lose this colour; a PNG keeps it
    const ByteVector png = MakePng(image);
    TMemoryStream stream(png);
    picture.LoadImage(stream);
    in.picture = &picture;
    Paint();
    EXPECT_EQ(surface.At(46, 16), 0xFF0000u);
    EXPECT_EQ(surface.At(50, 20), White);
    EXPECT_EQ(surface.At(45, 24), 0x00FF00u);
}

TEST_F(ContentTest, ForcedPictureSizeStretchesThePicture) {
    in.picture = &picture;
    in.pictureSize = {20, 20};
    Paint();
    const RECT red = Red();
    EXPECT_EQ(red.left, 40);
    EXPECT_EQ(red.top, 10);
    EXPECT_EQ(red.right, 60);
    EXPECT_EQ(red.bottom, 30);
}

TEST_F(ContentTest, GlyphBitmapIsDrawnBeforeAnyPicture) {
    auto glyph = SolidBitmap(12, 12, GlyphBlue, GlyphBlue);
    in.glyphBitmap = glyph.get();
    in.picture = &picture;
    Paint();
    const RECT blue = Box(surface, IsBlue);
    EXPECT_EQ(blue.left, 44);
    EXPECT_EQ(blue.top, 14);
    EXPECT_EQ(surface.CountIf(surface.rect(), IsRed), 0);
}

TEST_F(ContentTest, OnePixelGlyphBitmapIsIgnored) {
    TBitmap glyph(1, 1);
    in.glyphBitmap = &glyph;
    in.picture = &picture;
    Paint();
    EXPECT_EQ(Red().left, 45);
}

TEST_F(ContentTest, ImageListImageIsCentredWithoutCaption) {
    TImageList images(nullptr);
    images.SetWidth(10);
    images.SetHeight(10);
    images.Add(*SolidBitmap(10, 10, PictureRed, KeyGreen));
    in.imageList = &images;
    in.imageIndex = 0;
    Paint();
    EXPECT_EQ(Red().left, 45);
    EXPECT_EQ(Red().top, 15);
    // The list keyed its bottom-left pixel's colour out.
    EXPECT_EQ(surface.At(45, 24), White);
}

TEST_F(ContentTest, DisabledImageListImageIsGrey) {
    TImageList images(nullptr);
    images.SetWidth(10);
    images.SetHeight(10);
    images.Add(*SolidBitmap(10, 10, PictureRed, KeyGreen));
    in.imageList = &images;
    in.imageIndex = 0;
    in.imageEnabled = false;
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), IsRed), 0);
    const TColor c = surface.At(50, 20);
    EXPECT_EQ(R(c), G(c));
    EXPECT_LT(R(c), 0xF0);
}

TEST_F(ContentTest, ImageIndexWithoutListDrawsNothing) {
    in.imageIndex = 3;
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != White; }), 0);
}

TEST_F(ContentTest, PictureThatCannotBeDecodedIsNotDrawn) {
    const ByteVector garbage = MakeGarbage();
    TMemoryStream stream(garbage);
    picture.LoadImage(stream);
    in.picture = &picture;
    in.caption = L"Caption";
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), IsRed), 0);
    EXPECT_GT(surface.CountIf(surface.rect(), IsInk), 10);
}

TEST_F(ContentTest, PictureWhoseMemoryCannotBeAllocatedRaisesTheMessage) {
    in.picture = &picture;
    picture.UpdateImageSize();
    const auto saved = TGDIPPicture::allocateBlock;
    TGDIPPicture::allocateBlock = [](UINT, SIZE_T) -> HGLOBAL { return nullptr; };
    std::wstring message;
    try {
        Paint();
    } catch (const Exception& e) {
        message = e.Message();
    }
    TGDIPPicture::allocateBlock = saved;
    EXPECT_EQ(message, L"Could not allocate memory for image");
}

TEST(PictureDrawing, ImageListImageThroughGdiplusKeysItsBottomLeftColour) {
    Surface surface(20, 20);
    TImageList images(nullptr);
    auto strip = SolidBitmap(16, 16, PictureRed, KeyGreen);
    strip->SetPixel(3, 3, KeyGreen);
    images.Add(*strip, clNone); // kept opaque by the list: keyed by the GDI+ drawing
    {
        TGPGraphics graphics(surface.dc());
        DrawImageListImage(&graphics, {2, 2}, &images, true, 0);
    }
    EXPECT_EQ(surface.At(10, 10), PictureRed);
    EXPECT_EQ(surface.At(5, 5), White);
    EXPECT_EQ(surface.At(2, 17), White);
    EXPECT_EQ(surface.At(1, 1), White);
}

TEST(PictureDrawing, ImageListImageThroughGdiplusNeedsAListAnIndexAndGraphics) {
    Surface surface(20, 20);
    TImageList images(nullptr);
    images.Add(*SolidBitmap(16, 16, PictureRed, KeyGreen));
    TGPGraphics graphics(surface.dc());
    DrawImageListImage(&graphics, {2, 2}, nullptr, true, 0);
    DrawImageListImage(&graphics, {2, 2}, &images, true, -1);
    DrawImageListImage(nullptr, {2, 2}, &images, true, 0);
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != White; }), 0);
}

TEST(PictureDrawing, StretchedBmpPictureIsKeyedByTheFrameworkBitmap) {
    Surface surface(30, 30);
    TGDIPPicture picture;
    auto bitmap = SolidBitmap(10, 10, PictureRed, KeyGreen);
    picture.CopyFrom(bitmap.get());
    {
        TGPGraphics graphics(surface.dc());
        DrawPictureStretched(graphics, surface.canvas(), {0, 0, 30, 30}, picture);
    }
    surface.canvas().Refresh();
    EXPECT_EQ(surface.At(15, 15), PictureRed);
    EXPECT_EQ(surface.At(29, 0), PictureRed);
    EXPECT_EQ(surface.At(1, 28), White);
}

// Wine's GDI+ decodes a JPEG whole when it loads one: a small file claiming 16000 x 16000
// pixels took seconds and a gigabyte, and its grey filler was drawn over the face.
TEST(PictureDrawing, AJpegClaimingMorePixelsThanItsBytesHoldIsNotDrawn) {
    ByteVector jpeg = MakeJpeg(PixelImage(16, 16, 0xFFFF0000));
    ASSERT_TRUE(SetJpegFrameSize(jpeg, 16000, 16000));
    TGDIPPicture picture;
    TMemoryStream stream(jpeg);
    picture.LoadImage(stream);
    Surface surface(30, 30);
    {
        TGPGraphics graphics(surface.dc());
        DrawPictureAt(graphics, {0, 0}, picture);
        DrawPictureStretched(graphics, surface.canvas(), {0, 0, 30, 30}, picture);
    }
    surface.canvas().Refresh();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != White; }), 0);
}

// ---- content size

TEST_F(ContentTest, ContentSizeWithoutCaptionIsThePictureSize) {
    in.picture = &picture;
    const SIZE size = Measure();
    EXPECT_EQ(size.cx, 10);
    EXPECT_EQ(size.cy, 10);
}

TEST_F(ContentTest, ContentSizeWithoutCaptionIsTheForcedPictureSize) {
    in.picture = &picture;
    in.pictureSize = {16, 16};
    const SIZE size = Measure();
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 16);
}

TEST_F(ContentTest, ContentSizeWithoutCaptionIsTheImageListSize) {
    TImageList images(nullptr);
    images.SetWidth(24);
    images.SetHeight(20);
    in.imageList = &images;
    in.imageIndex = 0;
    const SIZE size = Measure();
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 20);
}

TEST_F(ContentTest, NothingAtAllMeasuresZero) {
    const SIZE size = Measure();
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
}

class ContentSizeTest : public ContentTest, public testing::WithParamInterface<TAntiAlias> {
protected:
    ContentSizeTest() {
        in.antiAlias = GetParam();
        in.caption = L"Caption";
        in.spacing = 5;
    }
};

TEST_P(ContentSizeTest, PictureBesideTheCaptionAddsItsWidthAndTheSpacing) {
    const SIZE text = Measure();
    in.picture = &picture;
    const SIZE both = Measure();
    EXPECT_EQ(both.cx - text.cx, 10 + 5);
}

TEST_P(ContentSizeTest, CaptionAloneIsItsExtentPlusTheSpacing) {
    const SIZE size = Measure();
    const RECT ink = Ink();
    (void)ink;
    Paint();
    const RECT drawn = Ink();
    EXPECT_GE(size.cx, drawn.right - drawn.left + 5);
    EXPECT_LE(size.cx, drawn.right - drawn.left + 5 + 8);
    EXPECT_GE(size.cy, drawn.bottom - drawn.top + 5);
}

TEST_P(ContentSizeTest, TallPictureBesideTheCaptionSetsTheHeight) {
    auto tall = SolidBitmap(10, 30, PictureRed, KeyGreen);
    picture.CopyFrom(tall.get());
    in.picture = &picture;
    EXPECT_EQ(Measure().cy, 30 + 5);
}

TEST_P(ContentSizeTest, PictureAboveTheCaptionAddsTheSpacingTwice) {
    in.layout = blGlyphBottom;
    const SIZE text = Measure();
    in.picture = &picture;
    const SIZE below = Measure();
    EXPECT_EQ(below.cy - text.cy, 10);
    in.layout = blGlyphTop;
    const SIZE above = Measure();
    EXPECT_EQ(above.cy - text.cy, 10 + 5);
}

TEST_P(ContentSizeTest, BottomLayoutsAddNoSpacingToThePicture) {
    in.picture = &picture;
    in.layout = blGlyphTopAdjusted;
    const SIZE top = Measure();
    in.layout = blGlyphBottomAdjusted;
    const SIZE bottom = Measure();
    EXPECT_EQ(top.cy - bottom.cy, 5);
}

TEST_P(ContentSizeTest, VerticalLayoutIsAsWideAsTheWiderOfCaptionAndPicture) {
    auto wide = SolidBitmap(200, 10, PictureRed, KeyGreen);
    picture.CopyFrom(wide.get());
    in.picture = &picture;
    in.layout = blGlyphTop;
    EXPECT_EQ(Measure().cx, 200 + 5);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, ContentSizeTest, testing::Values(aaAntiAlias, aaNone),
                         [](const testing::TestParamInfo<TAntiAlias>& info) {
                             return info.param == aaNone ? "Gdi" : "Gdiplus";
                         });

// ---- placement in the eight layouts, both engines

struct LayoutCase {
    TButtonLayout layout;
    TAntiAlias antiAlias;
};

class LayoutTest : public ContentTest, public testing::WithParamInterface<LayoutCase> {
protected:
    LayoutTest() : ContentTest(110, 60) {
        in.layout = GetParam().layout;
        in.antiAlias = GetParam().antiAlias;
        in.caption = L"Caption";
        in.picture = &picture;
        Paint();
        text = Ink();
        pic = Red();
    }
    RECT text{}, pic{};
};

TEST_P(LayoutTest, PictureAndCaptionDoNotOverlap) {
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &text, &pic))
        << "caption " << text.left << "," << text.top << "-" << text.right << "," << text.bottom
        << " picture " << pic.left << "," << pic.top;
}

TEST_P(LayoutTest, PictureSitsWhereTheLayoutPutsIt) {
    const int textMiddleX = (text.left + text.right) / 2,
              textMiddleY = (text.top + text.bottom) / 2;
    switch (GetParam().layout) {
    case blGlyphLeft:
    case blGlyphLeftAdjusted:
        EXPECT_LE(pic.right, text.left);
        EXPECT_LE(std::abs((pic.top + pic.bottom) / 2 - textMiddleY), 4);
        break;
    case blGlyphRight:
    case blGlyphRightAdjusted:
        EXPECT_GE(pic.left, text.right);
        EXPECT_LE(std::abs((pic.top + pic.bottom) / 2 - textMiddleY), 4);
        break;
    case blGlyphTop:
    case blGlyphTopAdjusted:
        EXPECT_LE(pic.bottom, text.top);
        EXPECT_LE(std::abs((pic.left + pic.right) / 2 - textMiddleX), 4);
        break;
    case blGlyphBottom:
    case blGlyphBottomAdjusted:
        EXPECT_GE(pic.top, text.bottom);
        EXPECT_LE(std::abs((pic.left + pic.right) / 2 - textMiddleX), 4);
        break;
    }
}

TEST_P(LayoutTest, PlainLayoutsCentreTheContentAndAdjustedOnesPushItToTheirSide) {
    const RECT all{std::min(text.left, pic.left), std::min(text.top, pic.top),
                   std::max(text.right, pic.right), std::max(text.bottom, pic.bottom)};
    const int cx = (all.left + all.right) / 2, cy = (all.top + all.bottom) / 2;
    switch (GetParam().layout) {
    case blGlyphLeft:
    case blGlyphRight: EXPECT_LE(std::abs(cx - 55), 6) << all.left << ".." << all.right; break;
    case blGlyphTop:
    case blGlyphBottom: EXPECT_LE(std::abs(cy - 30), 6) << all.top << ".." << all.bottom; break;
    case blGlyphLeftAdjusted: EXPECT_EQ(pic.left, 2); break;
    case blGlyphRightAdjusted: EXPECT_GE(pic.right, 100); break;
    case blGlyphTopAdjusted: EXPECT_EQ(pic.top, 2); break;
    case blGlyphBottomAdjusted: EXPECT_GE(text.top, 30); break;
    }
}

std::vector<LayoutCase> AllLayouts() {
    std::vector<LayoutCase> cases;
    for (TAntiAlias aa : {aaAntiAlias, aaNone})
        for (int l = 0; l < 8; ++l)
            cases.push_back({static_cast<TButtonLayout>(l), aa});
    return cases;
}

std::string LayoutCaseName(const testing::TestParamInfo<LayoutCase>& info) {
    static const char* names[] = {"Left",         "Top",           "Right",       "Bottom",
                                  "LeftAdjusted", "RightAdjusted", "TopAdjusted", "BottomAdjusted"};
    return std::string(names[info.param.layout]) +
           (info.param.antiAlias == aaNone ? "Gdi" : "Gdiplus");
}

INSTANTIATE_TEST_SUITE_P(EightLayoutsBothEngines, LayoutTest, testing::ValuesIn(AllLayouts()),
                         LayoutCaseName);

// ---- drop-down arrow

bool IsArrowBlack(TColor c) {
    return c == clBlack;
}

TEST_F(ContentTest, ArrowWithoutCaptionIsCentredInTheStrip) {
    in.dropDownButton = true;
    Paint();
    // ax = 87 + (13 - 5) div 2, ay = (41 - 3) div 2 + 1
    const RECT arrow = Box(surface, IsArrowBlack);
    EXPECT_EQ(arrow.left, 91);
    EXPECT_EQ(arrow.top, 20);
    EXPECT_EQ(arrow.right, 96);
    EXPECT_EQ(arrow.bottom, 23);
}

TEST_F(ContentTest, ArrowOfABottomStripIsCentredInIt) {
    in.dropDownButton = true;
    in.dropDownPosition = dpBottom;
    in.caption = L"Caption";
    Paint();
    // ax = (100 - 5) div 2, ay = 28 + (13 - 3) div 2 + 1
    const RECT arrow = Box(surface, IsArrowBlack, {0, 28, 100, 41});
    EXPECT_EQ(arrow.left, 47);
    EXPECT_EQ(arrow.top, 34);
}

TEST_F(ContentTest, ArrowBesideAGdiCaptionIsEightPixelsAboveItsBottom) {
    in.dropDownButton = true;
    in.caption = L"Caption";
    in.antiAlias = aaNone;
    Paint();
    surface.canvas().Font().CopyFrom(&font);
    const int lineHeight = surface.canvas().TextHeight(L"Caption");
    const RECT arrow = Box(surface, IsArrowBlack, {87, 0, 100, 41});
    EXPECT_EQ(arrow.top, (lineHeight + 41) / 2 - 8);
}

TEST_F(ContentTest, ArrowBesideAGdiplusCaptionIsLevelWithItsLastLine) {
    in.dropDownButton = true;
    in.caption = L"Caption";
    Paint();
    const RECT arrow = Box(surface, IsArrowBlack, {87, 0, 100, 41});
    const RECT text = Box(surface, IsInk, {0, 0, 87, 41});
    EXPECT_GE(arrow.top, text.top);
    EXPECT_LE(arrow.bottom, text.bottom + 2);
}

TEST_F(ContentTest, DisabledArrowIsGrey) {
    in.dropDownButton = true;
    in.enabled = false;
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), IsArrowBlack), 0);
    EXPECT_EQ(surface.At(91, 20), clGray);
}

TEST_F(ContentTest, MeasuringDrawsNoArrow) {
    in.dropDownButton = true;
    Measure();
    EXPECT_EQ(surface.CountIf(surface.rect(), IsArrowBlack), 0);
}

TEST(DropDownArrow, DownArrowPixels) {
    Surface surface(10, 10, 0x808000);
    DrawDropDownArrow(surface.canvas(), {2, 2}, clBlack, true, clWhite);
    surface.canvas().Refresh();
    for (int x = 2; x < 7; ++x)
        EXPECT_EQ(surface.At(x, 2), clBlack) << x;
    EXPECT_EQ(surface.At(7, 2), 0x808000u);
    EXPECT_EQ(surface.At(3, 3), clBlack);
    EXPECT_EQ(surface.At(5, 3), clBlack);
    EXPECT_EQ(surface.At(4, 4), clBlack);
    for (const POINT p : {POINT{2, 3}, POINT{6, 3}, POINT{3, 4}, POINT{5, 4}, POINT{4, 5}})
        EXPECT_EQ(surface.At(p.x, p.y), clWhite) << p.x << "," << p.y;
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c == clBlack; }), 9);
}

TEST(DropDownArrow, RightArrowPixels) {
    Surface surface(10, 10, 0x808000);
    DrawDropDownArrow(surface.canvas(), {2, 2}, clBlack, false, clWhite);
    surface.canvas().Refresh();
    for (int y = 2; y < 7; ++y)
        EXPECT_EQ(surface.At(2, y), clBlack) << y;
    EXPECT_EQ(surface.At(2, 7), 0x808000u);
    for (int y = 3; y < 6; ++y)
        EXPECT_EQ(surface.At(3, y), clBlack) << y;
    EXPECT_EQ(surface.At(4, 4), clBlack);
    for (const POINT p : {POINT{4, 3}, POINT{3, 6}, POINT{5, 4}})
        EXPECT_EQ(surface.At(p.x, p.y), clWhite) << p.x << "," << p.y;
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c == clBlack; }), 9);
}

} // namespace
} // namespace plaxor::test
