#include "DibSurface.h"
#include "framework/Canvas.h"
#include "framework/Exception.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

using test::DibSurface;

TEST(Canvas, LinesExcludeTheirEndPoint) {
    DibSurface s(20, 20);
    TCanvas c(s.dc());
    c.Pen().SetColor(clRed);
    c.MoveTo(2, 5);
    c.LineTo(8, 5);
    EXPECT_EQ(s.At(2, 5), clRed);
    EXPECT_EQ(s.At(7, 5), clRed);
    EXPECT_EQ(s.At(8, 5), clWhite);
    EXPECT_EQ(s.Count(clRed), 6);
    EXPECT_EQ(c.PenPos().x, 8);
}

TEST(Canvas, FillRectCoversTheRectangleWithoutItsRightAndBottomEdges) {
    DibSurface s(20, 20);
    TCanvas c(s.dc());
    c.Brush().SetColor(clNavy);
    c.FillRect(RECT{3, 4, 10, 9});
    EXPECT_EQ(s.Count(clNavy), 7 * 5);
    EXPECT_EQ(s.At(3, 4), clNavy);
    EXPECT_EQ(s.At(9, 8), clNavy);
    EXPECT_EQ(s.At(10, 8), clWhite);
    EXPECT_EQ(s.At(9, 9), clWhite);
}

TEST(Canvas, FrameRectDrawsOnlyTheBorder) {
    DibSurface s(20, 20);
    TCanvas c(s.dc());
    c.Brush().SetColor(clGreen);
    c.FrameRect(RECT{2, 2, 12, 8});
    EXPECT_EQ(s.Count(clGreen), 2 * 10 + 2 * 4);
    EXPECT_EQ(s.At(5, 5), clWhite);
}

TEST(Canvas, RectangleIsOutlinedWithThePenAndFilledWithTheBrush) {
    DibSurface s(20, 20);
    TCanvas c(s.dc());
    c.Pen().SetColor(clBlack);
    c.Brush().SetColor(clYellow);
    c.Rectangle(1, 1, 11, 11);
    EXPECT_EQ(s.At(1, 1), clBlack);
    EXPECT_EQ(s.At(10, 10), clBlack);
    EXPECT_EQ(s.At(5, 5), clYellow);
    EXPECT_EQ(s.Count(clYellow), 8 * 8);
    c.Brush().SetStyle(bsClear);
    c.Pen().SetColor(clRed);
    c.Rectangle(1, 1, 11, 11);
    EXPECT_EQ(s.At(5, 5), clYellow);
    EXPECT_EQ(s.At(1, 1), clRed);
}

TEST(Canvas, PixelsReadBackAndSystemColoursAreResolved) {
    DibSurface s(10, 10);
    TCanvas c(s.dc());
    c.SetPixel(3, 4, 0x123456);
    EXPECT_EQ(c.Pixel(3, 4), 0x123456u);
    c.SetPixel(5, 5, clBtnShadow);
    EXPECT_EQ(s.At(5, 5), ColorToRGB(clBtnShadow));
}

TEST(Canvas, TextIsDrawnInTheFontColourWithinItsExtent) {
    DibSurface s(120, 40);
    TCanvas c(s.dc());
    c.Font().SetColor(clRed);
    c.Brush().SetStyle(bsClear);
    c.TextOut(5, 5, L"Plaxor");
    const SIZE extent = c.TextExtent(L"Plaxor");
    EXPECT_GT(extent.cx, 20);
    EXPECT_GT(extent.cy, 8);
    EXPECT_GT(s.Count(clRed, 5, 5, 5 + extent.cx, 5 + extent.cy), 10);
    EXPECT_EQ(s.Count(clRed, 5 + extent.cx, 0, 120, 40), 0);
    EXPECT_EQ(s.Count(clRed, 0, 5 + extent.cy, 120, 40), 0);
}

TEST(Canvas, OpaqueTextFillsItsBackgroundWithTheBrushColour) {
    DibSurface s(120, 40);
    TCanvas c(s.dc());
    c.Brush().SetColor(clAqua);
    c.TextOut(0, 0, L"ab");
    const SIZE extent = c.TextExtent(L"ab");
    EXPECT_GT(s.Count(clAqua, 0, 0, extent.cx, extent.cy), extent.cx * extent.cy / 3);
    EXPECT_EQ(s.Count(clAqua, extent.cx, 0, 120, 40), 0);
}

TEST(Canvas, DrawTextMeasuresWithCalcRectWithoutDrawing) {
    DibSurface s(200, 60);
    TCanvas c(s.dc());
    c.Font().SetColor(clBlack);
    RECT r{10, 10, 12, 0};
    const int height = c.DrawText(L"Disable", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, c.TextHeight(L"Disable"));
    EXPECT_EQ(r.right - r.left, c.TextWidth(L"Disable"));
    EXPECT_EQ(s.Count(clWhite), 200 * 60);
    RECT box{0, 0, 200, 60};
    c.DrawText(L"&Disable", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_GT(s.Count(clBlack), 10);
}

TEST(Canvas, TextMetricsFollowTheFont) {
    DibSurface s(10, 10);
    TCanvas c(s.dc());
    c.Font().SetHeight(-11);
    const int small = c.GetTextMetrics().tmHeight;
    c.Font().SetHeight(-30);
    const TEXTMETRICW tm = c.GetTextMetrics();
    EXPECT_GT(tm.tmHeight, small);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_VECTOR); // Tahoma is an outline font
}

TEST(Canvas, GivesBackTheReplacedObjectsWhenTheHandleChanges) {
    DibSurface s(10, 10);
    HGDIOBJ font = ::GetCurrentObject(s.dc(), OBJ_FONT);
    HGDIOBJ brush = ::GetCurrentObject(s.dc(), OBJ_BRUSH);
    HGDIOBJ pen = ::GetCurrentObject(s.dc(), OBJ_PEN);
    TCanvas c(s.dc());
    c.Rectangle(0, 0, 5, 5);
    c.TextOut(0, 0, L"x");
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_FONT), c.Font().Handle());
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), c.Pen().Handle());
    c.SetHandle(nullptr);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), pen);
}

TEST(Canvas, GivesBackTheReplacedObjectsWhenItDies) {
    DibSurface s(10, 10);
    HGDIOBJ font = ::GetCurrentObject(s.dc(), OBJ_FONT);
    {
        TCanvas c(s.dc());
        c.TextOut(0, 0, L"x");
    }
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_FONT), font);
}

TEST(Canvas, AChangedFontIsTakenOutOfTheDcBeforeItsHandleGoes) {
    DibSurface s(40, 40);
    HGDIOBJ original = ::GetCurrentObject(s.dc(), OBJ_FONT);
    TCanvas c(s.dc());
    c.TextOut(0, 0, L"x");
    c.Font().SetHeight(-20);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_FONT), original);
    c.TextOut(0, 0, L"x");
    LOGFONTW lf{};
    ::GetObjectW(::GetCurrentObject(s.dc(), OBJ_FONT), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -20);
}

TEST(Canvas, AChangedBrushOrPenIsTakenOutOfTheDcBeforeItsHandleGoes) {
    // GDI does not delete an object that is still selected into a DC: it would leak.
    DibSurface s(40, 40);
    HGDIOBJ brush = ::GetCurrentObject(s.dc(), OBJ_BRUSH);
    HGDIOBJ pen = ::GetCurrentObject(s.dc(), OBJ_PEN);
    TCanvas c(s.dc());
    c.Rectangle(0, 0, 5, 5);
    c.Brush().SetColor(clRed);
    c.Pen().SetWidth(3);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), pen);
    c.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(s.At(2, 2), clRed);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), c.Pen().Handle());
}

TEST(Canvas, CopyFromAnotherFontReselects) {
    DibSurface s(40, 40);
    TCanvas c(s.dc());
    TFont big;
    big.SetHeight(-25);
    c.TextOut(0, 0, L"x");
    c.Font().CopyFrom(&big);
    EXPECT_EQ(c.GetTextMetrics().tmHeight, [&] {
        TCanvas other(s.dc());
        other.Font().SetHeight(-25);
        return other.GetTextMetrics().tmHeight;
    }());
}

TEST(Canvas, DrawingWithoutADeviceContextIsRefused) {
    TCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_THROW(c.FillRect(RECT{0, 0, 1, 1}), EInvalidOperation);
    EXPECT_THROW(c.TextOut(0, 0, L"x"), EInvalidOperation);
}

TEST(Canvas, CopyRectCopiesAndStretchesFromAnotherCanvas) {
    DibSurface from(4, 4, clRed);
    DibSurface to(16, 16);
    TCanvas source(from.dc()), dest(to.dc());
    dest.CopyRect(RECT{0, 0, 4, 4}, source, RECT{0, 0, 4, 4});
    EXPECT_EQ(to.Count(clRed), 16);
    dest.CopyRect(RECT{8, 8, 16, 16}, source, RECT{0, 0, 2, 2});
    EXPECT_EQ(to.Count(clRed, 8, 8, 16, 16), 64);
}

} // namespace
} // namespace plaxor
