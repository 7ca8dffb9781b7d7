// Positions and sizes stay within the 16-bit geometry that window managers keep: a layout that
// made a glow button 16 million pixels wide exhausted the stack when it was painted.
#include "ControlsTestSupport.h"
#include "framework/Label.h"

namespace plaxor::testing {
namespace {

class BoundsTest : public SharedFormTest {};

TEST_F(BoundsTest, AGraphicControlsBoundsAreCutToTheLargestExtent) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(-1000000, 40000, 16102556, 2147483647);
    EXPECT_EQ(label->Left(), -TControl::MaxExtent);
    EXPECT_EQ(label->Top(), TControl::MaxExtent);
    EXPECT_EQ(label->Width(), TControl::MaxExtent);
    EXPECT_EQ(label->Height(), TControl::MaxExtent);
    delete label;
}

TEST_F(BoundsTest, AWindowedControlsBoundsAreCutAndItsWindowFollows) {
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(5, 6, 1000000, 41);
    EXPECT_EQ(panel->Width(), TControl::MaxExtent);
    RECT window{};
    ::GetWindowRect(panel->Handle(), &window);
    EXPECT_LE(window.right - window.left, TControl::MaxExtent);
    delete panel;
}

TEST_F(BoundsTest, SizesWithinTheExtentAreKept) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(-20, 30000, 32767, 0);
    EXPECT_EQ(label->Left(), -20);
    EXPECT_EQ(label->Top(), 30000);
    EXPECT_EQ(label->Width(), 32767);
    EXPECT_EQ(label->Height(), 0);
    delete label;
}

TEST(FormBounds, AHugeClientSizeLeavesRoomForTheFrame) {
    TApplication app;
    auto* form = new TForm(&app);
    form->SetBorderStyle(bsSingle);
    form->SetClientWidth(2147483647); // its frame was added to it: a signed overflow
    EXPECT_EQ(form->Width(), TControl::MaxExtent);
}

} // namespace
} // namespace plaxor::testing
