// The face as painted: the two halves and where they meet, linear and radial gradients, the
// split face of a drop-down button, transparency at rest.
#include "PaintSupport.h"
#include "framework/Font.h"
#include "glowbutton/ColorMath.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace plaxor::test {
namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00, Yellow = 0x00FFFF;
constexpr TColor Magenta = 0xFF00FF;
// Wine's GDI+ steps its gradients a little differently from Windows: a few levels.
constexpr int GradientTolerance = 12;

// colorA at `from`, colorB at `from + span`, sampled at the pixel's centre.
TColor Lerp(TColor colorA, TColor colorB, double from, double span, int y) {
    const double p = std::clamp((y + 0.5 - from) / span, 0.0, 1.0);
    auto ch = [&](int shift) {
        const double a = (colorA >> shift) & 0xFF, b = (colorB >> shift) & 0xFF;
        return static_cast<TColor>(std::lround(a + (b - a) * p)) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

class FaceTest : public testing::Test {
protected:
    FaceTest() : surface(100, 41, Magenta), in(DefaultInputs(surface, font)) {
        in.caption.clear();
        in.borderVisible = false;
        in.Color = Red;
        in.ColorTo = Blue;
        in.ColorMirrorTo = Green;
        in.ColorMirror = Yellow;
    }
    void Paint() { DrawGlowButton(in); }

    TFont font;
    Surface surface;
    TGlowButtonDrawInputs in;
};

TEST_F(FaceTest, CoversTheWholeClientArea) {
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c == Magenta; }), 0);
}

TEST_F(FaceTest, LinearUpperHalfRunsFromColorAtTheTopToColorToAtTheMiddle) {
    Paint();
    // The upper half is rows 0 to 20 (41 - 41 div 2 = 21 rows).
    for (int y : {0, 5, 10, 15, 20})
        EXPECT_LE(ChannelDistance(surface.At(50, y), Lerp(Red, Blue, 0, 21, y)), GradientTolerance)
            << "row " << y << std::hex << ": 0x" << surface.At(50, y);
}

TEST_F(FaceTest, LinearLowerHalfRunsFromColorMirrorToAtTheMiddleToColorMirrorAtTheBottom) {
    Paint();
    // The lower half starts one row above the middle (row 19) and is 22 rows tall.
    for (int y : {21, 25, 30, 35, 40})
        EXPECT_LE(ChannelDistance(surface.At(50, y), Lerp(Green, Yellow, 19, 22, y)),
                  GradientTolerance)
            << "row " << y << std::hex << ": 0x" << surface.At(50, y);
}

TEST_F(FaceTest, RowsWhereTheHalvesMeetBelongToTheUpperHalf) {
    Paint();
    // The upper half has no green; the lower half is green at its top.
    EXPECT_EQ(G(surface.At(50, 19)), 0);
    EXPECT_EQ(G(surface.At(50, 20)), 0);
    EXPECT_GT(G(surface.At(50, 21)), 200);
}

TEST_F(FaceTest, LinearGradientIsTheSameAcrossARow) {
    Paint();
    EXPECT_EQ(surface.At(0, 10), surface.At(99, 10));
    EXPECT_EQ(surface.At(0, 30), surface.At(99, 30));
}

TEST_F(FaceTest, RadialUpperHalfHasColorToAtTheTopCentreAndColorOutsideItsEllipse) {
    in.Gradient = ggRadial;
    Paint();
    EXPECT_LE(ChannelDistance(surface.At(50, 0), Blue), 40) << std::hex << surface.At(50, 0);
    // The ellipse spans rows -8 to 13: below it the solid underlay of Color shows.
    EXPECT_EQ(surface.At(50, 17), Red);
    EXPECT_EQ(surface.At(5, 12), Red);
}

TEST_F(FaceTest, RadialUpperHalfFadesOutwardsFromItsCentre) {
    in.Gradient = ggRadial;
    Paint();
    EXPECT_GT(B(surface.At(50, 2)), B(surface.At(50, 8)));
    EXPECT_GT(B(surface.At(50, 2)), B(surface.At(20, 2)));
}

TEST_F(FaceTest, RadialLowerHalfHasColorMirrorToAtTheBottomCentreAndColorMirrorOutside) {
    in.GradientMirror = ggRadial;
    Paint();
    EXPECT_LE(ChannelDistance(surface.At(50, 40), Green), 40) << std::hex << surface.At(50, 40);
    // The ellipse is as tall as the button from row 19: its top corners leave the underlay.
    EXPECT_EQ(surface.At(2, 22), Yellow);
    EXPECT_EQ(surface.At(97, 22), Yellow);
}

TEST_F(FaceTest, UnknownGradientKindLeavesTheSolidUnderlay) {
    in.Gradient = static_cast<TGDIPGradient>(7);
    in.GradientMirror = static_cast<TGDIPGradient>(9);
    Paint();
    EXPECT_EQ(surface.At(50, 0), Red);
    EXPECT_EQ(surface.At(50, 20), Red);
    EXPECT_EQ(surface.At(50, 21), Yellow);
    EXPECT_EQ(surface.At(50, 40), Yellow);
}

TEST_F(FaceTest, DiagonalGradientsRunCornerToCorner) {
    in.Gradient = ggDiagonalForward;
    in.GradientMirror = ggDiagonalBackward;
    Paint();
    // Forward: Color at the top left, ColorTo at the bottom right of the upper half.
    EXPECT_GT(R(surface.At(1, 1)), B(surface.At(1, 1)));
    EXPECT_GT(B(surface.At(98, 19)), R(surface.At(98, 19)));
    // Backward: ColorMirrorTo at the top right, ColorMirror at the bottom left.
    EXPECT_LT(R(surface.At(98, 22)), 128);
    EXPECT_GT(R(surface.At(1, 39)), 128);
}

TEST_F(FaceTest, TransparentIdleButtonPaintsNoFaceAndNoBorder) {
    in.transparentIdle = true;
    in.borderVisible = true;
    Paint();
    EXPECT_EQ(surface.CountIf(surface.rect(), [](TColor c) { return c != Magenta; }), 0);
}

TEST_F(FaceTest, TransparentIdleButtonStillShowsItsFocusOutline) {
    in.transparentIdle = true;
    in.focusBorder = true;
    Paint();
    EXPECT_EQ(surface.At(1, 20), 0xE4AD89u);
    EXPECT_EQ(surface.At(50, 0), Magenta);
    EXPECT_EQ(surface.At(50, 20), Magenta);
}

// ---- split face of a drop-down button

class SplitFaceTest : public FaceTest {
protected:
    SplitFaceTest() {
        // Flat halves, so that every pixel of a part has its exact colour.
        in.Color = in.ColorTo = 0x60A0E0;
        in.ColorMirror = in.ColorMirrorTo = 0x408040;
        in.dropDownButton = true;
        in.highlighted = true;
        in.dropDownSplit = true;
    }
    const TColor upper = 0x60A0E0, lower = 0x408040;
};

TEST_F(SplitFaceTest, DropDownPartUnderTheMouseIsTenPercentDarker) {
    in.hotPart = hotPartDropDown;
    Paint();
    EXPECT_EQ(surface.At(40, 5), upper);
    EXPECT_EQ(surface.At(40, 35), lower);
    EXPECT_EQ(surface.At(95, 5), DarkenColor(upper, -10));
    EXPECT_EQ(surface.At(95, 35), DarkenColor(lower, -10));
}

TEST_F(SplitFaceTest, MainPartUnderTheMouseIsTenPercentDarker) {
    in.hotPart = hotPartMain;
    Paint();
    EXPECT_EQ(surface.At(40, 5), DarkenColor(upper, -10));
    EXPECT_EQ(surface.At(40, 35), DarkenColor(lower, -10));
    EXPECT_EQ(surface.At(95, 35), lower);
}

TEST_F(SplitFaceTest, DropDownPartIsTwelvePixelsWideBehindASeparatorInTheBorderColour) {
    in.hotPart = hotPartDropDown;
    in.BorderColor = 0x123456;
    Paint();
    EXPECT_EQ(surface.At(86, 5), upper);
    EXPECT_EQ(surface.At(87, 5), 0x123456u);
    EXPECT_EQ(surface.At(87, 40), 0x123456u);
    EXPECT_EQ(surface.At(88, 5), DarkenColor(upper, -10));
}

TEST_F(SplitFaceTest, DropDownUpperHalfIsRadialWhileTheMainPartIsHot) {
    in.Color = Red;
    in.ColorTo = Blue;
    in.Gradient = ggVertical;
    in.hotPart = hotPartMain;
    Paint();
    // The part's ellipse starts at x 88 and is 100 wide: its left edge leaves the underlay
    // (Color) at row 12, while a vertical gradient would be nearly ColorTo there.
    EXPECT_EQ(surface.At(89, 12), Red);
    EXPECT_GT(B(surface.At(94, 0)), R(surface.At(94, 0)));
}

TEST_F(SplitFaceTest, BottomDropDownPartIsOneUpperPartTwelvePixelsHigh) {
    in.dropDownPosition = dpBottom;
    in.hotPart = hotPartDropDown;
    Paint();
    // Main part: upper rows 0 to 14, lower 15 to 28 (with the separator on 28); drop-down
    // part rows 29 to 40.
    EXPECT_EQ(surface.At(50, 14), upper);
    EXPECT_EQ(surface.At(50, 15), lower);
    EXPECT_EQ(surface.At(50, 27), lower);
    EXPECT_EQ(surface.At(50, 28), in.BorderColor);
    EXPECT_EQ(surface.At(50, 29), DarkenColor(upper, -10));
    EXPECT_EQ(surface.At(50, 40), DarkenColor(upper, -10));
}

TEST_F(SplitFaceTest, NotHighlightedDropDownButtonHasThePlainFace) {
    in.highlighted = false;
    in.hotPart = hotPartDropDown;
    Paint();
    EXPECT_EQ(surface.At(95, 5), upper);
    EXPECT_EQ(surface.At(95, 35), lower);
}

TEST_F(SplitFaceTest, WithoutDropDownSplitTheFaceIsPlain) {
    in.dropDownSplit = false;
    in.hotPart = hotPartMain;
    Paint();
    EXPECT_EQ(surface.At(40, 5), upper);
}

} // namespace
} // namespace plaxor::test
