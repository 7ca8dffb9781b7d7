// Whole buttons compared with reference renderings kept in tests/glowbutton/references, so that
// an unintended change to any pixel shows. scripts/references adopts new renderings after a
// person has looked at them.
#include "ButtonTestSupport.h"
#include "PaintSupport.h"
#include "framework/Bitmap.h"
#include "tests/controls/ControlsTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>

namespace plaxor::test {
namespace {

using plaxor::testing::HoldDown;
using plaxor::testing::Hover;
using plaxor::testing::SharedFormTest;

// The same Wine and fonts render the same pixels; a level or two of slack per channel keeps
// the comparison to changes a person could see.
constexpr int Tolerance = 2;

class ReferenceTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        button = NewControl<TAdvGlowButton>(form, 20, 20, 100, 41);
        button->SetCaption(L"&Disable");
        Pump();
    }
    void Expect(const std::wstring& name) {
        Surface s(button->Width(), button->Height(), 0xFF00FF);
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc()), 0);
        const std::wstring why = CompareWithReference(s, name, Tolerance, 0);
        EXPECT_TRUE(why.empty()) << std::string(why.begin(), why.end());
    }
    // A 16 x 16 green disc on a magenta ground that the BMP's bottom-left pixel keys out.
    static std::unique_ptr<TBitmap> Glyph() {
        auto glyph = std::make_unique<TBitmap>(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double d = std::hypot(x - 7.5, y - 7.5);
                glyph->SetPixel(x, y, d < 5.5 ? 0x30B040 : d < 7.2 ? 0x206020 : 0xFF00FF);
            }
        return glyph;
    }

    TAdvGlowButton* button = nullptr;
};

TEST_F(ReferenceTest, ComparisonNoticesAOnePixelChange) {
    Surface s(100, 41, 0xFF00FF);
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc()), 0);
    ASSERT_EQ(CompareWithReference(s, L"main-normal", Tolerance, 0, false), L"");
    ::SetPixel(s.dc(), 30, 30, RGB(0, 0, 0));
    EXPECT_NE(CompareWithReference(s, L"main-normal", Tolerance, 0, false), L"");
}

TEST_F(ReferenceTest, MainWindowButtonNormal) {
    Expect(L"main-normal");
}

TEST_F(ReferenceTest, MainWindowButtonHot) {
    Hover(*button);
    Expect(L"main-hot");
}

TEST_F(ReferenceTest, MainWindowButtonDown) {
    Hover(*button);
    HoldDown(*button);
    Expect(L"main-down");
}

TEST_F(ReferenceTest, MainWindowButtonDisabled) {
    button->SetEnabled(false);
    Expect(L"main-disabled");
}

TEST_F(ReferenceTest, FocusedButton) {
    button->SetFocus();
    Expect(L"focused");
}

TEST_F(ReferenceTest, DropDownButtonWithItsDropDownPartHot) {
    button->SetCaption(L"&Menu");
    button->SetDropDownButton(true);
    button->SetPicture(Glyph().get());
    Hover(*button, 95, 20); // on the drop-down part
    Expect(L"dropdown-split");
}

TEST_F(ReferenceTest, CheckedPresetButtonWithPictureAbove) {
    button->ApplyStylePreset(4);
    button->SetBounds(20, 20, 120, 60);
    button->SetCaption(L"Caption");
    button->SetLayout(blGlyphTop);
    button->SetPicture(Glyph().get());
    button->SetGroupIndex(1);
    button->SetDown(true);
    Expect(L"preset4-checked-top");
}

TEST_F(ReferenceTest, MiddleSegmentUnderTheMouse) {
    button->SetPosition(bpMiddle);
    button->SetCaption(L"Middle");
    Hover(*button);
    Expect(L"segment-middle-hot");
}

} // namespace
} // namespace plaxor::test
