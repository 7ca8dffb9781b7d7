// Painting: a form paints itself and its non-windowed controls into a DC that comes with
// WM_PAINT (a child shows its parent's background this way), custom controls paint on their
// canvas, buffered or not.
#include "ControlsTestSupport.h"

namespace plaxor::testing {
namespace {

class PaintTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        form->SetColor(clWhite);
    }
    void TearDown() override {
        form->SetColor(clBtnFace);
        SharedFormTest::TearDown();
    }
    // What a child at (left, top) of the form does to show the form through itself.
    void PaintFormInto(const Dib& dib, int left, int top) {
        SavedDC saved(dib.dc());
        ::SetWindowOrgEx(dib.dc(), left, top, nullptr);
        ::SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0);
        ::SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
    }
    // The window's pixels as the screen has them.
    COLORREF ScreenPixel(HWND wnd, int x, int y) {
        Settle();
        Dib copy(1, 1);
        WindowDC dc(wnd);
        ::BitBlt(copy.dc(), 0, 0, 1, 1, dc.get(), x, y, SRCCOPY);
        return copy.At(0, 0);
    }
};

TEST_F(PaintTest, FormPaintsItsBackgroundAndControlsIntoTheGivenDC) {
    auto* red = NewControl<ProbeGraphic>(form, 20, 20, 10, 10);
    red->fill = clRed;
    Dib dib(40, 40);
    PaintFormInto(dib, 10, 10); // the DC shows the form from (10, 10)
    EXPECT_EQ(dib.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dib.At(9, 9), RGB(255, 255, 255));
    EXPECT_EQ(dib.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(dib.At(19, 19), RGB(255, 0, 0));
    EXPECT_EQ(dib.At(20, 20), RGB(255, 255, 255));
}

TEST_F(PaintTest, NonWindowedControlsArePaintedInOrderAndHiddenOnesNot) {
    auto* below = NewControl<ProbeGraphic>(form, 0, 0, 20, 20);
    auto* above = NewControl<ProbeGraphic>(form, 10, 10, 20, 20);
    auto* hidden = NewControl<ProbeGraphic>(form, 0, 25, 10, 10);
    below->fill = clRed;
    above->fill = clBlue;
    hidden->fill = clLime;
    hidden->SetVisible(false);
    Dib dib(40, 40);
    PaintFormInto(dib, 0, 0);
    EXPECT_EQ(dib.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(dib.At(15, 15), RGB(0, 0, 255));
    EXPECT_EQ(dib.At(5, 30), RGB(255, 255, 255));
}

TEST_F(PaintTest, PaintingIntoTheGivenDCKeepsItsClipRegion) {
    auto* red = NewControl<ProbeGraphic>(form, 0, 0, 40, 40);
    red->fill = clRed;
    Dib dib(40, 40);
    UniqueHRGN corner(::CreateRectRgn(0, 0, 1, 1));
    ::SelectClipRgn(dib.dc(), corner.get());
    PaintFormInto(dib, 0, 0);
    ::SelectClipRgn(dib.dc(), nullptr);
    EXPECT_EQ(dib.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dib.At(1, 0), RGB(0x12, 0x34, 0x56));
}

TEST_F(PaintTest, GivenDCIsLeftAsItCame) {
    NewControl<ProbeGraphic>(form, 0, 0, 10, 10);
    Dib dib(20, 20);
    ::SetWindowOrgEx(dib.dc(), 3, 4, nullptr);
    ::SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
    POINT window{}, viewport{};
    ::GetWindowOrgEx(dib.dc(), &window);
    ::GetViewportOrgEx(dib.dc(), &viewport);
    EXPECT_EQ(window.x, 3);
    EXPECT_EQ(window.y, 4);
    EXPECT_EQ(viewport.x, 0);
    EXPECT_EQ(viewport.y, 0);
}

TEST_F(PaintTest, ShownFormShowsItsColourAndItsControls) {
    auto* red = NewControl<ProbeGraphic>(form, 20, 20, 10, 10);
    red->fill = clRed;
    form->RepaintNow();
    EXPECT_EQ(ScreenPixel(form->Handle(), 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(form->Handle(), 25, 25), RGB(255, 0, 0));
}

TEST_F(PaintTest, ChangedNonWindowedControlRepaintsOnlyItsRectangle) {
    auto* red = NewControl<ProbeGraphic>(form, 20, 20, 10, 10);
    form->RepaintNow();
    Settle();
    red->RequestRepaint();
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(form->Handle(), &update, FALSE));
    EXPECT_EQ(update.left, 20);
    EXPECT_EQ(update.top, 20);
    EXPECT_EQ(update.right, 30);
    EXPECT_EQ(update.bottom, 30);
}

TEST_F(PaintTest, CustomControlPaintsIntoTheDCOfItsPaintMessage) {
    auto* probe = NewControl(form, 10, 10, 20, 20);
    probe->paint = [](TCanvas& canvas) {
        canvas.Brush().SetColor(clLime);
        canvas.FillRect({0, 0, 5, 5});
    };
    Dib dib(20, 20);
    ::SendMessageW(probe->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
    EXPECT_EQ(dib.At(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(dib.At(6, 6), RGB(0x12, 0x34, 0x56));
}

TEST_F(PaintTest, CustomControlPaintsOnScreenBufferedOrNot) {
    auto* plain = NewControl(form, 10, 10, 20, 20);
    auto* buffered = NewControl(form, 40, 10, 20, 20);
    buffered->SetDoubleBuffered(true);
    for (ProbeControl* p : {plain, buffered})
        p->paint = [](TCanvas& canvas) {
            canvas.Brush().SetColor(clBlue);
            canvas.FillRect({0, 0, 10, 20});
        };
    plain->RepaintNow();
    buffered->RepaintNow();
    EXPECT_EQ(ScreenPixel(plain->Handle(), 5, 5), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(buffered->Handle(), 5, 5), RGB(0, 0, 255));
    // the rest is erased with the control's colour (the form's, taken as parent colour)
    EXPECT_EQ(ScreenPixel(buffered->Handle(), 15, 5), RGB(255, 255, 255));
}

TEST_F(PaintTest, CanvasOutsidePaintDrawsOnTheWindow) {
    auto* probe = NewControl(form, 10, 10, 20, 20);
    probe->RepaintNow();
    Settle();
    probe->handlers[CM_BASE + 200] = [&](TMessage&) {
        probe->Canvas().Brush().SetColor(clRed);
        probe->Canvas().FillRect({0, 0, 20, 20});
    };
    probe->Perform(CM_BASE + 200);
    EXPECT_EQ(ScreenPixel(probe->Handle(), 10, 10), RGB(255, 0, 0));
}

} // namespace
} // namespace plaxor::testing
