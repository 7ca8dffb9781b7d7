// The standard non-windowed controls: label, image, speed button, as the form paints them.
#include "ControlsTestSupport.h"
#include "framework/Image.h"
#include "framework/JpegImage.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "framework/Streams.h"
#include "tests/framework/JpegMaker.h"

namespace plaxor::testing {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);

class StandardControlsTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        form->SetColor(clWhite);
    }
    void TearDown() override {
        form->SetColor(clBtnFace);
        SharedFormTest::TearDown();
    }
    // The form's pixels in bounds, as the form paints them into a DC it is given.
    std::unique_ptr<Dib> Render(const RECT& bounds) {
        auto dib = std::make_unique<Dib>(bounds.right - bounds.left, bounds.bottom - bounds.top);
        SavedDC saved(dib->dc());
        ::SetWindowOrgEx(dib->dc(), bounds.left, bounds.top, nullptr);
        ::SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib->dc()), 0);
        ::SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib->dc()), 0);
        return dib;
    }
};

// ---- label ----

// The first column with ink of the label's text as the form paints it.
int FirstInkColumn(const Dib& dib, int width, int height) {
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (GetRValue(dib.At(x, y)) < 160 && GetGValue(dib.At(x, y)) < 160) return x;
    return -1;
}

TEST_F(StandardControlsTest, LabelCentresOneLineInItsFixedBox) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(168, 79, 72, 13);
    label->SetAlignment(taCenter);
    label->SetCaption(L"Disabled");
    // Centred by the advance width the font reports (Wine's Tahoma reports a few pixels more
    // than it inks, so the ink itself does not look centred there).
    WindowDC screen(nullptr);
    TCanvas measure(screen.get());
    measure.Font().CopyFrom(label->Font());
    const int advance = measure.TextWidth(L"Disabled");
    measure.SetHandle(nullptr);
    const int first = FirstInkColumn(*Render(label->BoundsRect()), 72, 13);
    EXPECT_LE(std::abs(first - (72 - advance) / 2), 1);
    label->SetAlignment(taLeftJustify);
    EXPECT_LE(FirstInkColumn(*Render(label->BoundsRect()), 72, 13), 1);
}

TEST_F(StandardControlsTest, LabelWithoutAutoSizeKeepsItsBox) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(168, 79, 72, 13);
    label->SetCaption(L"A much longer status word than fits");
    EXPECT_EQ(label->Width(), 72);
    EXPECT_EQ(label->Height(), 13);
}

TEST_F(StandardControlsTest, AutoSizedLabelTakesTheSizeOfItsText) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(L"Enabled");
    const int enabled = label->Width();
    label->SetCaption(L"Enabled and more");
    EXPECT_GT(label->Width(), enabled);
    EXPECT_GT(label->Height(), 8);
    EXPECT_LT(label->Height(), 20);
}

TEST_F(StandardControlsTest, AutoSizedRightAlignedLabelKeepsItsRightEdge) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAlignment(taRightJustify);
    label->SetCaption(L"x");
    const int right = label->Left() + label->Width();
    label->SetCaption(L"xxxxxxxx");
    EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST_F(StandardControlsTest, LabelBackgroundIsTheFormColour) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 13);
    label->SetCaption(L"i");
    auto dib = Render(label->BoundsRect());
    EXPECT_EQ(dib->At(59, 12), White);
}

TEST_F(StandardControlsTest, TransparentLabelLeavesItsOwnColourOut) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 13);
    label->SetColor(clRed);
    EXPECT_EQ(Render(label->BoundsRect())->At(59, 12), RGB(255, 0, 0));
    label->SetTransparent(true);
    EXPECT_EQ(Render(label->BoundsRect())->At(59, 12), White);
}

TEST_F(StandardControlsTest, DisabledLabelHasNoBlackText) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(L"Disabled");
    label->SetEnabled(false);
    auto dib = Render(label->BoundsRect());
    int black = 0, ink = 0;
    for (int x = 0; x < label->Width(); ++x)
        for (int y = 0; y < label->Height(); ++y) {
            if (dib->At(x, y) == RGB(0, 0, 0)) ++black;
            if (dib->At(x, y) != White) ++ink;
        }
    EXPECT_EQ(black, 0);
    EXPECT_GT(ink, 0);
}

TEST_F(StandardControlsTest, NewCaptionRepaintsTheLabel) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(168, 79, 72, 13);
    form->RepaintNow();
    Settle();
    label->SetCaption(L"Enabled");
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(form->Handle(), &update, FALSE));
    EXPECT_EQ(update.left, 168);
    EXPECT_EQ(update.right, 240);
}

// ---- image ----

std::unique_ptr<TBitmap> RedBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas().Brush().SetColor(clRed);
    bitmap->Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

TEST_F(StandardControlsTest, ImageDrawsItsPictureAtNaturalSizeAtTheTopLeft) {
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(50, 50, 40, 40);
    auto red = RedBitmap(20, 10);
    image->Picture()->SetGraphic(red.get());
    auto dib = Render(image->BoundsRect());
    EXPECT_EQ(dib->At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dib->At(19, 9), RGB(255, 0, 0));
    EXPECT_EQ(dib->At(20, 9), White);
    EXPECT_EQ(dib->At(19, 10), White);
}

TEST_F(StandardControlsTest, CentredImageSitsInTheMiddleOfItsBox) {
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(50, 50, 40, 40);
    image->SetCenter(true);
    auto red = RedBitmap(20, 10);
    image->Picture()->SetGraphic(red.get());
    auto dib = Render(image->BoundsRect());
    EXPECT_EQ(dib->At(10, 15), RGB(255, 0, 0));
    EXPECT_EQ(dib->At(29, 24), RGB(255, 0, 0));
    EXPECT_EQ(dib->At(9, 15), White);
    EXPECT_EQ(dib->At(10, 14), White);
}

TEST_F(StandardControlsTest, ImageShowsAJpegPicture) {
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(0, 0, 72, 72);
    image->SetCenter(true);
    TMemoryStream jpeg(test::RedBlueJpeg(64, 32));
    image->Picture()->LoadImage(jpeg);
    auto dib = Render(image->BoundsRect());
    const COLORREF left = dib->At(4 + 8, 20 + 16), right = dib->At(4 + 56, 20 + 16);
    EXPECT_GT(GetRValue(left), 200);
    EXPECT_LT(GetBValue(left), 60);
    EXPECT_GT(GetBValue(right), 200);
    EXPECT_LT(GetRValue(right), 60);
}

TEST_F(StandardControlsTest, HiddenImageIsNotDrawnAndNewPictureRepaints) {
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(50, 50, 40, 40);
    image->SetVisible(false);
    auto red = RedBitmap(20, 10);
    image->Picture()->SetGraphic(red.get());
    EXPECT_EQ(Render(image->BoundsRect())->At(0, 0), White);
    image->SetVisible(true);
    form->RepaintNow();
    Settle();
    image->Picture()->SetGraphic(red.get());
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(form->Handle(), &update, FALSE));
}

// ---- speed button ----

class SpeedButtonTest : public StandardControlsTest {
protected:
    void SetUp() override {
        StandardControlsTest::SetUp();
        button = new TSpeedButton(form);
        button->SetParent(form);
        button->SetBounds(200, 150, 23, 22);
        // A magenta 16 x 16 glyph with a black square at (6, 6)..(9, 9).
        TBitmap glyph(16, 16);
        glyph.Canvas().Brush().SetColor(clFuchsia);
        glyph.Canvas().FillRect({0, 0, 16, 16});
        glyph.Canvas().Brush().SetColor(clBlack);
        glyph.Canvas().FillRect({6, 6, 10, 10});
        button->SetGlyph(&glyph);
        button->OnClick = [this](TObject*) { ++clicks; };
    }
    void Mouse(UINT msg, int x, int y) {
        ::SendMessageW(form->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                       Point(200 + x, 150 + y));
    }
    TSpeedButton* button = nullptr;
    int clicks = 0;
};

TEST_F(SpeedButtonTest, GlyphIsDrawnWithoutItsBottomLeftColour) {
    auto dib = Render(button->BoundsRect());
    // The glyph sits at (3, 3): its magenta corner shows the face, its square is black.
    EXPECT_EQ(dib->At(3, 3), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dib->At(3 + 15, 3 + 15), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dib->At(3 + 6, 3 + 6), RGB(0, 0, 0));
    int magenta = 0;
    for (int x = 0; x < 23; ++x)
        for (int y = 0; y < 22; ++y)
            if (dib->At(x, y) == RGB(255, 0, 255)) ++magenta;
    EXPECT_EQ(magenta, 0);
}

TEST_F(SpeedButtonTest, FaceIsAPushButtonWithADarkLowerRightEdge) {
    auto dib = Render(button->BoundsRect());
    EXPECT_EQ(dib->At(22, 21), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(dib->At(11, 2), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(SpeedButtonTest, PressedButtonMovesItsGlyphByOnePixel) {
    EXPECT_EQ(Render(button->BoundsRect())->At(3 + 10, 3 + 10), ::GetSysColor(COLOR_BTNFACE));
    Mouse(WM_LBUTTONDOWN, 10, 10);
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(Render(button->BoundsRect())->At(3 + 10, 3 + 10), RGB(0, 0, 0));
    Mouse(WM_LBUTTONUP, 10, 10);
}

TEST_F(SpeedButtonTest, ReleaseInsideClicksOnce) {
    Mouse(WM_LBUTTONDOWN, 10, 10);
    Mouse(WM_LBUTTONUP, 12, 12);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SpeedButtonTest, ReleaseOutsideDoesNotClick) {
    Mouse(WM_LBUTTONDOWN, 10, 10);
    Mouse(WM_MOUSEMOVE, 40, 10);
    EXPECT_FALSE(button->Pressed());
    Mouse(WM_LBUTTONUP, 40, 10);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SpeedButtonTest, MovingBackInWhileHeldPressesAgain) {
    Mouse(WM_LBUTTONDOWN, 10, 10);
    Mouse(WM_MOUSEMOVE, 40, 10);
    Mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_TRUE(button->Pressed());
    Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, DoubleClickIsTwoClicks) {
    Mouse(WM_LBUTTONDOWN, 10, 10);
    Mouse(WM_LBUTTONUP, 10, 10);
    Mouse(WM_LBUTTONDBLCLK, 10, 10);
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButtonTest, DisabledButtonNeitherPressesNorClicks) {
    button->SetEnabled(false);
    // A disabled non-windowed control gets no mouse messages; even when it does, it stays up.
    Mouse(WM_LBUTTONDOWN, 10, 10);
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(SpeedButtonTest, DefaultsAreOneGlyphAndNotFlat) {
    EXPECT_EQ(button->NumGlyphs(), 1);
    EXPECT_FALSE(button->Flat());
}

TEST_F(SpeedButtonTest, StripOfGlyphsShowsThePressedImageWhilePressed) {
    // Three 8 x 8 images: up red, disabled green, pressed blue.
    TBitmap strip(24, 8);
    const TColor colours[3] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas().Brush().SetColor(colours[i]);
        strip.Canvas().FillRect({i * 8, 0, i * 8 + 8, 8});
    }
    strip.SetPixel(0, 7, clFuchsia); // the transparent colour of every image
    strip.SetPixel(8, 7, clFuchsia);
    strip.SetPixel(16, 7, clFuchsia);
    button->SetGlyph(&strip);
    button->SetNumGlyphs(3);
    // The 8 x 8 image sits at (7, 7) of the 23 x 22 button.
    EXPECT_EQ(Render(button->BoundsRect())->At(10, 10), RGB(255, 0, 0));
    Mouse(WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(Render(button->BoundsRect())->At(11, 11), RGB(0, 0, 255));
    Mouse(WM_LBUTTONUP, 10, 10);
    button->SetEnabled(false);
    EXPECT_EQ(Render(button->BoundsRect())->At(10, 10), RGB(0, 255, 0));
}

} // namespace
} // namespace plaxor::testing
