// The wrappers draw what they are asked to: painted into a 32-bit DIB section and read back.
#include <gtest/gtest.h>

#include <cmath>

#include "SampleImages.h"
#include "TestSupport.h"
#include "gdiplus/GPBrushes.h"
#include "gdiplus/GPFont.h"
#include "gdiplus/GPGraphics.h"
#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GPImage.h"
#include "gdiplus/GPImageAttributes.h"
#include "gdiplus/GPPen.h"
#include "gdiplus/GPStringFormat.h"

namespace plaxor::test {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);

bool IsGrey(std::uint32_t rgb, int low, int high) {
    return Red(rgb) > low && Red(rgb) < high;
}

// The pixels that differ from the background, as a bounding box; empty when none do.
RECT Ink(const DibSection& dib, std::uint32_t background = 0xFFFFFF) {
    RECT box{dib.width(), dib.height(), 0, 0};
    for (int y = 0; y < dib.height(); ++y)
        for (int x = 0; x < dib.width(); ++x)
            if (dib.Pixel(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

TEST(GdiplusDrawing, SolidFillCoversExactlyItsRectangle) {
    DibSection dib(40, 40, White);
    {
        TGPGraphics graphics(dib.dc());
        TGPSolidBrush brush(0xFFFF0000);
        EXPECT_EQ(graphics.FillRectangle(brush, GpRectF{10, 10, 20, 20}), Ok);
    }
    EXPECT_EQ(dib.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(29, 29), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(9, 9), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(30, 30), 0xFFFFFFu);
}

TEST(GdiplusDrawing, VerticalLinearGradientRunsFromTopColourToBottomColour) {
    DibSection dib(40, 40, White);
    {
        TGPGraphics graphics(dib.dc());
        const GpRectF rect{0, 0, 40, 40};
        TGPLinearGradientBrush brush(rect, 0xFF0000FF, 0xFFFF0000, LinearGradientModeVertical);
        ASSERT_EQ(brush.LastStatus(), Ok);
        EXPECT_EQ(graphics.FillRectangle(brush, rect), Ok);
    }
    dib.SaveBmp(OutputPath(L"linear-gradient.bmp"));
    EXPECT_LT(Red(dib.Pixel(20, 0)), 16);
    EXPECT_GT(Blue(dib.Pixel(20, 0)), 240);
    EXPECT_GT(Red(dib.Pixel(20, 39)), 240);
    EXPECT_LT(Blue(dib.Pixel(20, 39)), 16);
    EXPECT_NEAR(Red(dib.Pixel(20, 20)), 128, 12);
    // The same colour across a row: the gradient is vertical.
    EXPECT_EQ(dib.Pixel(0, 20), dib.Pixel(39, 20));
}

TEST(GdiplusDrawing, BackwardDiagonalGradientStartsAtTheTopRight) {
    DibSection dib(40, 40, White);
    {
        TGPGraphics graphics(dib.dc());
        const GpRectF rect{0, 0, 40, 40};
        TGPLinearGradientBrush brush(rect, 0xFF000000, 0xFFFFFFFF,
                                     LinearGradientModeBackwardDiagonal);
        graphics.FillRectangle(brush, rect);
    }
    EXPECT_LT(Red(dib.Pixel(38, 1)), 40);
    EXPECT_GT(Red(dib.Pixel(1, 38)), 215);
}

TEST(GdiplusDrawing, PathGradientWithOneSurroundColourShadesFromTheCentre) {
    DibSection dib(41, 41, RGB(0, 255, 0));
    {
        TGPGraphics graphics(dib.dc());
        TGPGraphicsPath path;
        path.AddEllipse(0, 0, 40, 40);
        TGPPathGradientBrush brush(path);
        ASSERT_EQ(brush.LastStatus(), Ok);
        EXPECT_EQ(brush.SetCenterColor(0xFFFFFFFF), Ok);
        const ARGB surround[] = {0xFF000000};
        int count = 1;
        EXPECT_EQ(brush.SetSurroundColorsWithCount(surround, count), Ok);
        EXPECT_EQ(brush.SetCenterPointI(GpPoint{20, 20}), Ok);
        EXPECT_EQ(graphics.FillRectangle(brush, 0, 0, 41, 41), Ok);
    }
    dib.SaveBmp(OutputPath(L"path-gradient.bmp"));
    EXPECT_GT(Red(dib.Pixel(20, 20)), 230);
    EXPECT_TRUE(IsGrey(dib.Pixel(20, 10), 80, 180));
    EXPECT_LT(Red(dib.Pixel(20, 1)), 60);
    // Outside the ellipse the brush paints nothing.
    EXPECT_EQ(dib.Pixel(1, 1), 0x00FF00u);
}

int CountGreys(const DibSection& dib) {
    int greys = 0;
    for (int y = 0; y < dib.height(); ++y)
        for (int x = 0; x < dib.width(); ++x)
            if (IsGrey(dib.Pixel(x, y), 24, 232)) ++greys;
    return greys;
}

void DrawRoundedOutline(const DibSection& dib, SmoothingMode mode) {
    TGPGraphics graphics(dib.dc());
    graphics.SetSmoothingMode(mode);
    TGPGraphicsPath path;
    path.AddArc(2, 2, 16, 16, 180, 90);
    path.AddLine(10, 2, 30, 2);
    path.AddArc(22, 2, 16, 16, 270, 90);
    path.AddLine(38, 10, 38, 30);
    path.AddArc(22, 22, 16, 16, 0, 90);
    path.AddArc(2, 22, 16, 16, 90, 90);
    path.CloseFigure();
    TGPPen pen(0xFF000000, 1.0f);
    EXPECT_EQ(graphics.DrawPath(&pen, &path), Ok);
}

TEST(GdiplusDrawing, AntiAliasedPathHasIntermediateEdgePixels) {
    DibSection smooth(41, 41, White);
    DrawRoundedOutline(smooth, SmoothingModeAntiAlias);
    smooth.SaveBmp(OutputPath(L"path-antialias.bmp"));
    DibSection sharp(41, 41, White);
    DrawRoundedOutline(sharp, SmoothingModeNone);
    sharp.SaveBmp(OutputPath(L"path-aliased.bmp"));
    if (RunningOnWine()) {
        // Wine's GDI+ accepts the smoothing mode but draws paths aliased.
        EXPECT_EQ(CountGreys(smooth), 0);
    } else {
        EXPECT_GT(CountGreys(smooth), 20);
    }
    EXPECT_EQ(CountGreys(sharp), 0);
    // Both outline the same shape.
    EXPECT_EQ(Ink(smooth).left, Ink(sharp).left);
    EXPECT_EQ(Ink(smooth).right, Ink(sharp).right);
}

TEST(GdiplusDrawing, DottedPenLeavesGapsAlongTheLine) {
    auto darkAlongRow = [](DashStyle style) {
        DibSection dib(60, 10, White);
        {
            TGPGraphics graphics(dib.dc());
            TGPPen pen(0xFF000000, 1.0f);
            pen.SetDashStyle(style);
            TGPGraphicsPath path;
            path.AddLine(4, 5, 54, 5);
            graphics.DrawPath(&pen, &path);
        }
        int dark = 0, changes = 0;
        bool previous = false;
        for (int x = 4; x < 54; ++x) {
            const bool isDark = Red(dib.Pixel(x, 5)) < 128;
            dark += isDark;
            if (x > 4 && isDark != previous) ++changes;
            previous = isDark;
        }
        return std::pair{dark, changes};
    };
    const auto [solidDark, solidChanges] = darkAlongRow(DashStyleSolid);
    const auto [dotDark, dotChanges] = darkAlongRow(DashStyleDot);
    EXPECT_EQ(solidDark, 50);
    EXPECT_EQ(solidChanges, 0);
    EXPECT_GT(dotDark, 15);
    EXPECT_LT(dotDark, 35);
    EXPECT_GT(dotChanges, 30);
}

TEST(GdiplusDrawing, ColourKeyedImageLeavesTheKeyColourUndrawn) {
    PixelImage pixels(4, 4, 0xFFFF00FF);
    pixels.at(1, 1) = pixels.at(2, 1) = pixels.at(1, 2) = pixels.at(2, 2) = 0xFF0000FF;
    auto stream = StreamOf(MakeBmp(pixels));
    TGPImage image(stream.get());
    ASSERT_EQ(image.LastStatus(), Ok);

    DibSection dib(20, 20, RGB(0, 255, 0));
    {
        TGPGraphics graphics(dib.dc());
        TGPImageAttributes attributes;
        EXPECT_EQ(attributes.SetColorKeys(0xFFFF00FF, 0xFFFF00FF), Ok);
        EXPECT_EQ(graphics.DrawImageRectRect(&image, GpRectF{0, 0, 4, 4}, 0, 0, 4, 4, UnitPixel,
                                             &attributes),
                  Ok);
        EXPECT_EQ(graphics.DrawImageRectRect(&image, GpRectF{10, 10, 4, 4}, 0, 0, 4, 4, UnitPixel,
                                             nullptr),
                  Ok);
    }
    EXPECT_EQ(dib.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(3, 3), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(2, 2), 0x0000FFu);
    // Without attributes the key colour is drawn.
    EXPECT_EQ(dib.Pixel(10, 10), 0xFF00FFu);
    EXPECT_EQ(dib.Pixel(11, 11), 0x0000FFu);
}

TEST(GdiplusDrawing, ImageRectStretchesTheImageToTheRectangle) {
    PixelImage pixels(20, 10, 0xFFFF0000);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            pixels.at(x, y) = 0xFF0000FF;
    auto stream = StreamOf(MakePng(pixels));
    TGPImage image(stream.get());
    DibSection dib(60, 30, White);
    {
        TGPGraphics graphics(dib.dc());
        EXPECT_EQ(graphics.DrawImageRect(&image, 10, 5, 40, 20), Ok);
    }
    dib.SaveBmp(OutputPath(L"image-stretched.bmp"));
    // Left half red, right half blue, each 20 pixels wide now; nothing outside the rectangle.
    EXPECT_EQ(dib.Pixel(14, 15), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(26, 15), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(33, 15), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(45, 15), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(9, 15), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(50, 15), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(30, 4), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(30, 25), 0xFFFFFFu);
}

// "&H" laid out by GDI+: with the prefix shown the '&' disappears and H is underlined.
RECT DrawHotkeyText(HotkeyPrefix prefix, const wchar_t* name) {
    DibSection dib(80, 40, White);
    {
        TGPGraphics graphics(dib.dc());
        graphics.SetTextRenderingHint(TextRenderingHintSingleBitPerPixelGridFit);
        TGPFontFamily family(L"Tahoma");
        TGPFont font(&family, 20, FontStyleRegular, UnitPixel);
        TGPStringFormat format;
        format.SetHotkeyPrefix(prefix);
        TGPSolidBrush brush(0xFF000000);
        EXPECT_EQ(graphics.DrawString(L"&H", -1, &font, GpRectF{4, 4, 72, 32}, &format, &brush),
                  Ok);
    }
    dib.SaveBmp(OutputPath(name));
    return Ink(dib);
}

TEST(GdiplusDrawing, HotkeyPrefixIsHiddenAndUnderlinesTheNextCharacter) {
    const RECT shown = DrawHotkeyText(HotkeyPrefixShow, L"hotkey-show.bmp");
    const RECT hidden = DrawHotkeyText(HotkeyPrefixHide, L"hotkey-hide.bmp");
    const RECT literal = DrawHotkeyText(HotkeyPrefixNone, L"hotkey-none.bmp");
    ASSERT_LT(hidden.left, hidden.right);
    // The '&' is not drawn when the prefix is shown or hidden; drawn literally it widens the ink.
    EXPECT_GT(literal.right - literal.left, hidden.right - hidden.left + 5);
    // The underline goes below the letter.
    EXPECT_GT(shown.bottom, hidden.bottom);
    EXPECT_EQ(shown.top, hidden.top);
}

TEST(GdiplusDrawing, MeasureStringReportsABoxThatGrowsWithTheText) {
    DibSection dib(10, 10, White);
    TGPGraphics graphics(dib.dc());
    TGPFontFamily family(L"Tahoma");
    TGPFont font(&family, 10, FontStyleRegular, UnitPoint);
    GpRectF one{}, two{};
    EXPECT_EQ(graphics.MeasureString(L"Enable", -1, &font, GpRectF{0, 0, 500, 100}, nullptr, one),
              Ok);
    EXPECT_EQ(
        graphics.MeasureString(L"EnableEnable", -1, &font, GpRectF{0, 0, 500, 100}, nullptr, two),
        Ok);
    EXPECT_GT(one.Width, 10.0f);
    EXPECT_GT(two.Width, one.Width * 1.5f);
    EXPECT_FLOAT_EQ(one.Height, two.Height);
}

TEST(GdiplusDrawing, DrawRectangleOutlinesWithAOnePixelPen) {
    DibSection dib(30, 30, White);
    {
        TGPGraphics graphics(dib.dc());
        TGPPen pen(0xFF000000, 1.0f);
        EXPECT_EQ(graphics.DrawRectangle(pen, 5, 5, 19, 19), Ok);
    }
    EXPECT_EQ(dib.Pixel(5, 15), 0u);
    EXPECT_EQ(dib.Pixel(24, 15), 0u);
    EXPECT_EQ(dib.Pixel(15, 15), 0xFFFFFFu);
}

} // namespace
} // namespace plaxor::test
