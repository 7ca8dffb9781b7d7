// Borders for each position in a row of buttons, square corners, and the focus outline.
#include "PaintSupport.h"
#include "framework/Font.h"
#include "glowbutton/ColorMath.h"
#include <gtest/gtest.h>

namespace plaxor::test {
namespace {

constexpr TColor Face = 0xF0F0F0, Border = 0x0000C0, Back = 0xFF00FF;
const TColor Darker = DarkenColor(Border, -5);
constexpr TColor Light = 0xE6E6E6; // white darkened by 10 percent

class BorderTest : public testing::Test {
protected:
    BorderTest() : surface(100, 41, Back), in(DefaultInputs(surface, font)) {
        in.caption.clear();
        in.Color = in.ColorTo = in.ColorMirror = in.ColorMirrorTo = Face;
        in.BorderColor = Border;
    }
    void Paint(TButtonPosition position) {
        in.position = position;
        DrawGlowButton(in);
    }
    TColor At(int x, int y) const { return surface.At(x, y); }

    TFont font;
    Surface surface;
    TGlowButtonDrawInputs in;
};

TEST_F(BorderTest, StandaloneRoundedBorderRunsThroughTheOutermostPixels) {
    Paint(bpStandalone);
    EXPECT_EQ(At(50, 0), Border);
    EXPECT_EQ(At(50, 40), Border);
    EXPECT_EQ(At(0, 20), Border);
    EXPECT_EQ(At(99, 20), Border);
    EXPECT_EQ(At(50, 1), Face);
    EXPECT_EQ(At(1, 20), Face);
}

TEST_F(BorderTest, StandaloneRoundedBorderLeavesTheCornerPixelsOffTheOutline) {
    Paint(bpStandalone);
    for (const POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 40}, POINT{99, 40}})
        EXPECT_NE(At(p.x, p.y), Border) << p.x << ", " << p.y;
}

TEST_F(BorderTest, SquareBorderIsAPlainRectangleThroughTheCorners) {
    in.rounded = false;
    Paint(bpStandalone);
    for (const POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 40}, POINT{99, 40}})
        EXPECT_EQ(At(p.x, p.y), Border) << p.x << ", " << p.y;
}

TEST_F(BorderTest, NoBorderWhenSwitchedOff) {
    in.borderVisible = false;
    Paint(bpStandalone);
    EXPECT_EQ(At(50, 0), Face);
    EXPECT_EQ(At(0, 20), Face);
}

TEST_F(BorderTest, LeftPieceIsRoundedOnTheLeftWithADarkerRightEdge) {
    Paint(bpLeft);
    EXPECT_EQ(At(0, 20), Border);
    EXPECT_EQ(At(50, 0), Border);
    EXPECT_EQ(At(50, 40), Border);
    EXPECT_NE(At(0, 0), Border);
    EXPECT_NE(At(0, 40), Border);
    EXPECT_EQ(At(99, 20), Darker);
    EXPECT_EQ(At(99, 0), Darker);
    EXPECT_EQ(At(99, 40), Darker);
}

TEST_F(BorderTest, MiddlePieceHasSquareCornersAndAShortLightLeftEdge) {
    Paint(bpMiddle);
    EXPECT_EQ(At(0, 0), Border);
    EXPECT_EQ(At(0, 40), Border);
    EXPECT_EQ(At(50, 0), Border);
    EXPECT_EQ(At(99, 20), Darker);
    // Two pixels shorter than the edge at each end.
    EXPECT_EQ(At(0, 1), Face);
    EXPECT_EQ(At(0, 3), Light);
    EXPECT_EQ(At(0, 20), Light);
    EXPECT_EQ(At(0, 37), Light);
    EXPECT_EQ(At(0, 39), Face);
}

TEST_F(BorderTest, MiddlePieceIgnoresRounded) {
    in.rounded = true;
    Paint(bpMiddle);
    EXPECT_EQ(At(0, 0), Border);
    EXPECT_EQ(At(99, 0), Darker);
}

TEST_F(BorderTest, MiddlePieceUnderTheMouseHasAFullDarkerLeftEdge) {
    in.mouseOver = true;
    Paint(bpMiddle);
    EXPECT_EQ(At(0, 1), Darker);
    EXPECT_EQ(At(0, 20), Darker);
    EXPECT_EQ(At(0, 39), Darker);
}

TEST_F(BorderTest, DownMiddlePieceHasAFullDarkerLeftEdge) {
    in.down = true;
    Paint(bpMiddle);
    EXPECT_EQ(At(0, 1), Darker);
    EXPECT_EQ(At(0, 39), Darker);
}

TEST_F(BorderTest, RightPieceIsRoundedOnTheRightWithAShortLightLeftEdge) {
    Paint(bpRight);
    EXPECT_EQ(At(99, 20), Border);
    EXPECT_NE(At(99, 0), Border);
    // The bottom line starts at the corner itself (the corner pixel takes the parent's
    // background when the button paints).
    EXPECT_EQ(At(50, 0), Border);
    EXPECT_EQ(At(0, 1), Face);
    EXPECT_EQ(At(0, 20), Light);
    EXPECT_EQ(At(0, 39), Face);
}

TEST_F(BorderTest, RightPieceUnderTheMouseHasAFullDarkerLeftEdge) {
    in.mouseOver = true;
    Paint(bpRight);
    EXPECT_EQ(At(0, 1), Darker);
    EXPECT_EQ(At(0, 20), Darker);
}

TEST_F(BorderTest, FocusOutlineIsASolidLineInsideTheBorderAndADottedOneInsideThat) {
    in.focusBorder = true;
    Paint(bpStandalone);
    EXPECT_EQ(At(50, 0), Border);
    EXPECT_EQ(At(50, 1), 0xE4AD89u);
    EXPECT_EQ(At(1, 20), 0xE4AD89u);
    EXPECT_EQ(At(98, 20), 0xE4AD89u);
    EXPECT_EQ(At(50, 39), 0xE4AD89u);
    const RECT row{5, 2, 95, 3};
    const int dots = surface.CountIf(row, [](TColor c) { return c == clGray; });
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 70);
    EXPECT_EQ(At(50, 3), Face);
}

TEST_F(BorderTest, DottedFrameIsDrawnOnTheThirdPixelRing) {
    in.focusBorder = true;
    Paint(bpStandalone);
    const RECT left{2, 5, 3, 36};
    const RECT right{97, 5, 98, 36};
    EXPECT_GT(surface.CountIf(left, [](TColor c) { return c == clGray; }), 8);
    EXPECT_GT(surface.CountIf(right, [](TColor c) { return c == clGray; }), 8);
}

} // namespace
} // namespace plaxor::test
