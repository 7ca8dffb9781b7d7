// Mouse handling: capture, the click on release, double clicks, enter and leave from real
// pointer movement, non-windowed children.
#include "ControlsTestSupport.h"

namespace plaxor::testing {
namespace {

class MouseTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        probe = NewControl(form, 50, 50, 100, 40);
        LogEvents(*probe, log);
        Pump();
    }
    void Send(UINT msg, int x, int y, WPARAM keys = 0) {
        ::SendMessageW(probe->Handle(), msg, keys, Point(x, y));
    }
    // Moves the real pointer to a point of the probe's client area (absolute SendInput).
    void MoveTo(int x, int y) {
        const POINT p = probe->ClientToScreen({x, y});
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((p.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = static_cast<LONG>((p.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof input);
    }
    void Button(DWORD flag) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        ::SendInput(1, &input, sizeof input);
    }

    ProbeControl* probe = nullptr;
    std::vector<std::wstring> log;
};

TEST_F(MouseTest, PressCapturesAndReleaseInsideClicksBetweenDownAndUp) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), probe->Handle());
    EXPECT_TRUE(probe->ControlState().Contains(csClicked));
    Send(WM_LBUTTONUP, 12, 11);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"click", L"up0@12,11"}));
    EXPECT_FALSE(probe->ControlState().Contains(csClicked));
}

TEST_F(MouseTest, ControlFreedByItsOwnClickGetsNoMouseUp) {
    probe->OnClick = [this](TObject*) {
        log.push_back(L"click");
        delete probe;
        probe = nullptr;
    };
    HWND wnd = probe->Handle();
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 10));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, Point(10, 10));
    EXPECT_EQ(probe, nullptr);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"click"}));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MouseTest, ReleaseOutsideDoesNotClick) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 100, 10); // the client area ends at 99
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"up0@100,10"}));
}

TEST_F(MouseTest, ReleaseAtNegativeCoordinatesDoesNotClick) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, -1, 5);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"up0@-1,5"}));
}

TEST_F(MouseTest, DoubleClickPressIsNotAClickButRaisesOnDblClick) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 10, 10);
    Send(WM_LBUTTONDBLCLK, 10, 10, MK_LBUTTON);
    EXPECT_FALSE(probe->ControlState().Contains(csClicked));
    EXPECT_EQ(::GetCapture(), probe->Handle());
    Send(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"click", L"up0@10,10", L"dblclick",
                                              L"down0@10,10+double", L"up0@10,10"}));
}

TEST_F(MouseTest, WindowClassTakesDoubleClicksWhenTheControlDoes) {
    EXPECT_TRUE(::GetClassLongPtrW(probe->Handle(), GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(MouseTest, ControlWithoutCaptureStyleDoesNotCapture) {
    probe->SetControlStyle(probe->ControlStyle().Without(csCaptureMouse));
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MouseTest, ReleaseHandlingCanRunEarlyFromTheControlsOwnHandler) {
    std::vector<std::wstring> order;
    probe->OnClick = [&](TObject*) { order.push_back(L"click"); };
    probe->handlers[WM_LBUTTONUP] = [&](TMessage& m) {
        probe->RunRelease(m);
        order.push_back(L"after release, captured=" +
                        std::to_wstring(::GetCapture() == probe->Handle()));
    };
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"click", L"after release, captured=0"}));
}

TEST_F(MouseTest, ClickedFlagSetByTheControlMakesTheReleaseClick) {
    // The double-click path sets no flag; a control may set it itself before the release.
    Send(WM_LBUTTONDBLCLK, 10, 10, MK_LBUTTON);
    probe->SetControlState(probe->ControlState().With(csClicked));
    Send(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"click"), 1);
}

TEST_F(MouseTest, ErrorDisplayEndsAPressWithoutAClick) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    app->HandleException(Exception(L"boom"));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"up0@-1,-1"}));
    EXPECT_FALSE(probe->ControlState().Contains(csLButtonDown));
}

TEST_F(MouseTest, RealPointerEnteringAndLeavingSendsEnterAndLeave) {
    MoveTo(150, 150); // outside the probe, on the form
    Settle();
    probe->received.clear();
    MoveTo(20, 20);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSEENTER) == 1; }));
    EXPECT_EQ(probe->received.back().LParam, reinterpret_cast<LPARAM>(probe));
    EXPECT_TRUE(probe->MouseInControl());
    MoveTo(150, 20);
    EXPECT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSELEAVE) == 1; }));
    EXPECT_EQ(probe->Count(CM_MOUSEENTER), 1);
    EXPECT_FALSE(probe->MouseInControl());
}

TEST_F(MouseTest, LeavingWhileHeldAndCapturedSendsLeaveAndReenteringSendsEnter) {
    MoveTo(20, 20);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSEENTER) == 1; }));
    Button(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == probe->Handle(); }));
    MoveTo(-30, 20);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSELEAVE) == 1; }));
    EXPECT_EQ(::GetCapture(), probe->Handle());
    MoveTo(30, 20);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSEENTER) == 2; }));
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }));
    EXPECT_EQ(std::count(log.begin(), log.end(), L"click"), 1);
    EXPECT_EQ(probe->Count(CM_MOUSELEAVE), 1);
}

TEST_F(MouseTest, ReleasedOutsideAfterLeavingNoClickAndNoSecondLeave) {
    MoveTo(20, 20);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSEENTER) == 1; }));
    Button(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == probe->Handle(); }));
    MoveTo(200, 120);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count(CM_MOUSELEAVE) == 1; }));
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }));
    PumpUntil([&] { return probe->Count(CM_MOUSELEAVE) > 1; });
    EXPECT_EQ(std::count(log.begin(), log.end(), L"click"), 0);
    EXPECT_EQ(probe->Count(CM_MOUSELEAVE), 1);
}

class GraphicMouseTest : public MouseTest {
protected:
    void SetUp() override {
        MouseTest::SetUp();
        graphic = NewControl<ProbeGraphic>(form, 200, 20, 40, 30);
        LogEvents(*graphic, graphicLog);
    }
    void SendToForm(UINT msg, int x, int y, WPARAM keys = 0) {
        ::SendMessageW(form->Handle(), msg, keys, Point(x, y));
    }
    ProbeGraphic* graphic = nullptr;
    std::vector<std::wstring> graphicLog;
};

TEST_F(GraphicMouseTest, PressOnANonWindowedChildGoesToItInItsCoordinates) {
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    EXPECT_EQ(graphicLog, (std::vector<std::wstring>{L"down0@5,5"}));
    EXPECT_EQ(TControl::CaptureControl(), graphic);
    EXPECT_EQ(::GetCapture(), form->Handle());
}

TEST_F(GraphicMouseTest, CapturedChildGetsTheReleaseAndClicksOnlyInside) {
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    SendToForm(WM_LBUTTONUP, 210, 30);
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    SendToForm(WM_LBUTTONUP, 10, 10); // far outside, still delivered to the captured child
    EXPECT_EQ(graphicLog, (std::vector<std::wstring>{L"down0@5,5", L"click", L"up0@10,10",
                                                     L"down0@5,5", L"up0@-190,-10"}));
    EXPECT_EQ(TControl::CaptureControl(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GraphicMouseTest, DisabledOrHiddenChildIsNotHit) {
    graphic->SetEnabled(false);
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    SendToForm(WM_LBUTTONUP, 205, 25);
    graphic->SetEnabled(true);
    graphic->SetVisible(false);
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    SendToForm(WM_LBUTTONUP, 205, 25);
    EXPECT_TRUE(graphicLog.empty());
}

TEST_F(GraphicMouseTest, MovingOverAChildSendsItEnterAndLeave) {
    SendToForm(WM_MOUSEMOVE, 205, 25);
    SendToForm(WM_MOUSEMOVE, 206, 25);
    EXPECT_EQ(graphic->Count(CM_MOUSEENTER), 1);
    EXPECT_TRUE(graphic->MouseInControl());
    SendToForm(WM_MOUSEMOVE, 150, 150);
    EXPECT_EQ(graphic->Count(CM_MOUSELEAVE), 1);
    EXPECT_FALSE(graphic->MouseInControl());
}

TEST_F(GraphicMouseTest, CursorOverIsWhereThePointerIsNotWhereTheMessagesSaidItWas) {
    SendToForm(WM_MOUSEMOVE, 205, 25); // the framework now believes the pointer is on graphic
    const POINT overProbe = probe->ClientToScreen({10, 10});
    ::SetCursorPos(overProbe.x, overProbe.y);
    EXPECT_TRUE(probe->CursorOver());
    EXPECT_TRUE(form->CursorOver()); // through its child
    EXPECT_FALSE(graphic->CursorOver());
}

TEST_F(GraphicMouseTest, FindControlAtSeesDisabledControlsOnlyWhenAsked) {
    graphic->SetEnabled(false);
    probe->SetEnabled(false);
    const POINT overGraphic = form->ClientToScreen({210, 30});
    const POINT overProbe = probe->ClientToScreen({10, 10});
    EXPECT_EQ(TWinControl::FindControlAt(overGraphic, true), graphic);
    EXPECT_EQ(TWinControl::FindControlAt(overGraphic, false), form);
    EXPECT_EQ(TWinControl::FindControlAt(overProbe, true), probe);
    EXPECT_EQ(TWinControl::FindControlAt(overProbe, false), form);
}

TEST_F(GraphicMouseTest, CancelModeFromTheErrorDisplayReleasesTheCapture) {
    SendToForm(WM_LBUTTONDOWN, 205, 25, MK_LBUTTON);
    app->HandleException(Exception(L"boom"));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(TControl::CaptureControl(), nullptr);
    EXPECT_EQ(graphicLog, (std::vector<std::wstring>{L"down0@5,5", L"up0@-1,-1"}));
}

} // namespace
} // namespace plaxor::testing
