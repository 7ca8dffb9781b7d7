// Automatic sizing: the size formula, the measure pass inside the paint, caption changes, and
// the three size states with what they save and restore.
#include "PaintSupport.h"
#include "glowbutton/AdvGlowButton.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/ImageList.h"
#include "glowbutton/GlowButtonSizing.h"
#include "tests/controls/ControlsTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace plaxor::test {
namespace {

using plaxor::testing::SharedFormTest;

TEST(AutoSizeExtent, ContentPlusSpacingMarginsAndBorder) {
    const SIZE size = AutoSizeExtent({44, 16}, 2, 1, 1, false, dpRight);
    EXPECT_EQ(size.cx, 54);
    EXPECT_EQ(size.cy, 22);
}

TEST(AutoSizeExtent, RightDropDownStripAddsItsWidth) {
    const SIZE size = AutoSizeExtent({44, 16}, 2, 1, 1, true, dpRight);
    EXPECT_EQ(size.cx, 67);
    EXPECT_EQ(size.cy, 22);
}

TEST(AutoSizeExtent, BottomDropDownStripAddsItsHeight) {
    const SIZE size = AutoSizeExtent({44, 16}, 2, 1, 1, true, dpBottom);
    EXPECT_EQ(size.cx, 54);
    EXPECT_EQ(size.cy, 35);
}

TEST(AutoSizeExtent, SpacingCountsThriceAcrossAndTwiceDownMarginsTwice) {
    const SIZE size = AutoSizeExtent({10, 10}, 5, 3, 4, false, dpRight);
    EXPECT_EQ(size.cx, 15 + 10 + 6 + 2);
    EXPECT_EQ(size.cy, 10 + 10 + 8);
}

std::unique_ptr<TBitmap> Solid(int w, int h) {
    auto bitmap = std::make_unique<TBitmap>(w, h);
    bitmap->Canvas().Brush().SetColor(clRed);
    bitmap->Canvas().FillRect({0, 0, w, h});
    return bitmap;
}

class SizingTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        button = NewControl<TAdvGlowButton>(form, 10, 10, 100, 41);
        button->SetCaption(L"");
        Pump();
    }
    TAdvGlowButton* button = nullptr;
};

// A button whose glyph work bitmap cannot be had, as when memory runs out during a paint.
class OutOfMemoryButton : public TAdvGlowButton {
public:
    using TAdvGlowButton::TAdvGlowButton;
    bool failing = false;

protected:
    void PrepareGlyph(TBitmap&) override {
        if (failing) throw EOutOfMemory(L"Out of memory");
    }
};

TEST_F(SizingTest, AFailedMeasuringPaintLeavesNoMeasuringRequestBehind) {
    auto* failing = NewControl<OutOfMemoryButton>(form, 150, 10, 100, 41);
    failing->SetAutoSize(true);
    Pump();
    failing->failing = true;
    EXPECT_THROW(failing->SetImageIndex(0), EOutOfMemory); // runs the size update
    EXPECT_FALSE(failing->Snapshot().sizeRequest);
}

TEST_F(SizingTest, WorkedExampleContentOf44By16Gives54By22) {
    button->SetPicture(Solid(44, 16).get());
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 54);
    EXPECT_EQ(button->Height(), 22);
}

TEST_F(SizingTest, WorkedExampleWithARightDropDownPartIs67Wide) {
    button->SetDropDownButton(true);
    button->SetPicture(Solid(44, 16).get());
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 67);
    EXPECT_EQ(button->Height(), 22);
}

TEST_F(SizingTest, ChangingThePictureResizesAnAutoSizedButton) {
    button->SetAutoSize(true);
    button->SetPicture(Solid(30, 20).get());
    EXPECT_EQ(button->Width(), 3 * 2 + 30 + 2 + 2);
    EXPECT_EQ(button->Height(), 2 * 2 + 20 + 2);
}

TEST_F(SizingTest, CaptionChangeResizesAnAutoSizedButton) {
    button->SetCaption(L"OK");
    button->SetAutoSize(true);
    const int shortWidth = button->Width();
    const int height = button->Height();
    button->SetCaption(L"A much longer caption");
    EXPECT_GT(button->Width(), shortWidth + 40);
    EXPECT_EQ(button->Height(), height);
}

TEST_F(SizingTest, RepeatedSizeUpdatesMeasureTheSameSize) {
    // The second measuring pass paints on a window DC outside WM_PAINT; a DC released by a
    // message inside the buffered paint must not be used again.
    button->SetCaption(L"Go");
    button->SetAutoSize(true);
    button->SetDropDownButton(true);
    button->SetDropDownPosition(dpBottom);
    Pump();
    button->SetCaption(L"Go!"); // a size update takes the strip in
    const int width = button->Width();
    const int height = button->Height();
    EXPECT_GT(width, 2 * 13);
    EXPECT_GT(height, 13 + 13);
    for (int margin : {2, 1, 2, 1})
        button->SetMarginHorz(margin);
    EXPECT_EQ(button->Width(), width);
    EXPECT_EQ(button->Height(), height);
    Pump();
    button->SetCaption(L"Go");
    button->SetCaption(L"Go!");
    EXPECT_EQ(button->Width(), width);
    EXPECT_EQ(button->Height(), height);
}

TEST_F(SizingTest, AutoSizedCaptionFitsTheDrawnText) {
    button->SetCaption(L"Caption");
    button->SetAutoSize(true);
    Pump();
    Surface s(button->Width(), button->Height());
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc()), 0);
    RECT ink{s.width(), s.height(), 0, 0};
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (std::max({R(s.At(x, y)), G(s.At(x, y)), B(s.At(x, y))}) < 0x80) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    EXPECT_GT(ink.left, 2);
    EXPECT_LT(ink.right, button->Width() - 2);
    EXPECT_GT(ink.top, 2);
    EXPECT_LT(ink.bottom, button->Height() - 2);
}

TEST_F(SizingTest, SpacingChangeWaitsForTheNextSizeUpdate) {
    button->SetPicture(Solid(44, 16).get());
    button->SetAutoSize(true);
    button->SetSpacing(10);
    Pump();
    EXPECT_EQ(button->Width(), 54);
    button->SetCaption(L""); // no change of text: WM_SETTEXT still runs the size update
    button->SetMarginHorz(2);
    EXPECT_EQ(button->Width(), 3 * 10 + 44 + 4 + 2);
}

TEST_F(SizingTest, WithoutAutoSizeNothingIsMeasured) {
    button->SetLayout(blGlyphTop);
    button->SetPicture(Solid(44, 16).get());
    button->SetCaption(L"A much longer caption than fits");
    button->SetMaxButtonSizeState(bsGlyph);
    Pump();
    EXPECT_EQ(button->Width(), 100);
    EXPECT_EQ(button->Height(), 41);
    EXPECT_EQ(button->Layout(), blGlyphTop);
    EXPECT_EQ(button->Snapshot().buttonSizeState, bsGlyph);
    EXPECT_TRUE(button->Snapshot().sizeDirty);
}

class SizeStateTest : public SizingTest {
protected:
    void SetUp() override {
        SizingTest::SetUp();
        button->SetPicture(Solid(32, 32).get());
        button->SetCaption(L"Caption");
        button->SetLayout(blGlyphTop);
        button->SetDropDownPosition(dpBottom);
        button->SetAutoSize(true);
    }
};

TEST_F(SizeStateTest, GlyphStateShowsOnlyASixteenPixelPicture) {
    button->SetMaxButtonSizeState(bsGlyph);
    EXPECT_EQ(button->Width(), 3 * 2 + 16 + 2 + 2);
    EXPECT_EQ(button->Height(), 2 * 2 + 16 + 2);
}

TEST_F(SizeStateTest, GlyphStateLaysOutLeftWithTheStripOnTheRight) {
    button->SetMaxButtonSizeState(bsGlyph);
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    EXPECT_EQ(button->DropDownPosition(), dpRight);
}

TEST_F(SizeStateTest, BackToLargeRestoresLayoutAndDropDownPosition) {
    const int largeWidth = button->Width(), largeHeight = button->Height();
    button->SetMaxButtonSizeState(bsGlyph);
    button->SetMaxButtonSizeState(bsLarge);
    EXPECT_EQ(button->Layout(), blGlyphTop);
    EXPECT_EQ(button->DropDownPosition(), dpBottom);
    EXPECT_EQ(button->Width(), largeWidth);
    EXPECT_EQ(button->Height(), largeHeight);
}

TEST_F(SizeStateTest, LabelStateShowsTheCaptionBesideASixteenPixelPicture) {
    button->SetMaxButtonSizeState(bsGlyph);
    const int glyphWidth = button->Width();
    button->SetMaxButtonSizeState(bsLabel);
    EXPECT_GT(button->Width(), glyphWidth + 20);
    EXPECT_EQ(button->Height(), 2 * 2 + std::max(16 + 2, 13 + 2) + 2);
}

TEST_F(SizeStateTest, GoingFromGlyphToLabelKeepsTheSavedLayout) {
    button->SetMaxButtonSizeState(bsGlyph);
    button->SetMaxButtonSizeState(bsLabel);
    EXPECT_EQ(button->Snapshot().savedLayout, blGlyphTop);
    EXPECT_EQ(button->Snapshot().savedDropDownPosition, dpBottom);
}

TEST_F(SizeStateTest, RaisingTheMinimumAboveTheStateRaisesTheState) {
    button->SetMaxButtonSizeState(bsGlyph);
    button->SetMinButtonSizeState(bsLabel);
    EXPECT_EQ(button->Snapshot().buttonSizeState, bsLabel);
    EXPECT_EQ(button->MaxButtonSizeState(), bsGlyph);
}

TEST_F(SizeStateTest, RaisingTheMinimumBelowTheStateChangesNothing) {
    button->SetMinButtonSizeState(bsLabel);
    EXPECT_EQ(button->Snapshot().buttonSizeState, bsLarge);
    EXPECT_EQ(button->Layout(), blGlyphTop);
}

TEST_F(SizeStateTest, MaximumBelowTheMinimumIsAcceptedAndSetsTheState) {
    button->SetMinButtonSizeState(bsLabel);
    button->SetMaxButtonSizeState(bsGlyph);
    EXPECT_EQ(button->Snapshot().buttonSizeState, bsGlyph);
    EXPECT_EQ(button->MinButtonSizeState(), bsLabel);
}

TEST_F(SizeStateTest, ImageListImageWinsOverThePictureInTheSmallStates) {
    TImageList images(nullptr);
    images.SetWidth(24);
    images.SetHeight(24);
    images.Add(*Solid(24, 24), clNone);
    button->SetImages(&images);
    button->SetImageIndex(0);
    button->SetMaxButtonSizeState(bsGlyph);
    Surface s(button->Width(), button->Height());
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc()), 0);
    // The list's own 24 x 24 size, not the forced 16 x 16 of a picture.
    EXPECT_EQ(s.CountIf(s.rect(), [](TColor c) { return c == clRed; }), 24 * 24);
    EXPECT_EQ(button->Width(), 3 * 2 + 24 + 2 + 2);
    button->SetImages(nullptr);
}

TEST(SizeStateWithoutWindow, ChangingStateBeforeTheButtonHasAParentDoesNotFail) {
    TAdvGlowButton button(nullptr);
    button.SetAutoSize(true);
    EXPECT_NO_THROW(button.SetMaxButtonSizeState(bsGlyph));
    EXPECT_NO_THROW(button.SetCaption(L"Caption"));
    EXPECT_TRUE(button.Snapshot().sizeDirty);
    EXPECT_EQ(button.Width(), 100);
}

TEST_F(SizingTest, ButtonSizedBeforeItHadAParentMeasuresAtItsFirstPaint) {
    auto* orphan = new TAdvGlowButton(form);
    orphan->SetPicture(Solid(44, 16).get());
    orphan->SetAutoSize(true);
    orphan->SetMaxButtonSizeState(bsLabel);
    EXPECT_EQ(orphan->Width(), 100);
    orphan->SetParent(form);
    Settle();
    EXPECT_EQ(orphan->Width(), 3 * 2 + 16 + 2 + 2);
    EXPECT_EQ(orphan->Height(), 2 * 2 + 16 + 2);
}

} // namespace
} // namespace plaxor::test
