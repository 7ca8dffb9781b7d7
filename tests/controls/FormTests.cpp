// Forms: frame and client size, position, showing with OnShow, closing, the main form.
#include "ControlsTestSupport.h"
#include "policy/Registry.h"

namespace plaxor::testing {
namespace {

using FormTest = WindowTest;

LONG_PTR StyleOf(HWND wnd) {
    return ::GetWindowLongPtrW(wnd, GWL_STYLE);
}
LONG_PTR ExStyleOf(HWND wnd) {
    return ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
}

TEST_F(FormTest, SingleBorderGivesTheAskedClientSize) {
    TForm* form = NewForm(409, 232);
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 232);
}

TEST_F(FormTest, SingleBorderHasCaptionSystemMenuAndBothBoxesButNoSizingFrame) {
    TForm* form = NewForm();
    const LONG_PTR style = StyleOf(form->Handle());
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
}

TEST_F(FormTest, ClientSizeGivenBeforeTheBorderStyleStillHolds) {
    auto* form = new TForm(app);
    form->SetClientHeight(232);
    form->SetClientWidth(409);
    form->SetBorderStyle(bsSingle);
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 232);
}

TEST_F(FormTest, ClientSizeReadsBackBeforeTheWindowExists) {
    TForm* form = NewForm(409, 232);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(form->ClientWidth(), 409);
    EXPECT_EQ(form->ClientHeight(), 232);
    EXPECT_GT(form->Width(), 409);
}

TEST_F(FormTest, WindowWidthGivenLaterReplacesTheClientWidth) {
    TForm* form = NewForm(409, 232);
    form->SetWidth(300);
    EXPECT_EQ(form->Width(), 300);
    RECT window{};
    ::GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.right - window.left, 300);
}

TEST_F(FormTest, ChangingTheBorderAfterwardsKeepsTheClientSize) {
    TForm* form = NewForm(409, 232);
    form->Handle();
    form->SetBorderStyle(bsSizeable);
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_TRUE(StyleOf(form->Handle()) & WS_THICKFRAME);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 232);
}

TEST_F(FormTest, BorderIconsChooseTheBoxes) {
    TForm* form = NewForm();
    form->SetBorderIcons({biSystemMenu, biMinimize});
    EXPECT_FALSE(StyleOf(form->Handle()) & WS_MAXIMIZEBOX);
    EXPECT_TRUE(StyleOf(form->Handle()) & WS_MINIMIZEBOX);
}

TEST_F(FormTest, NoBorderIsAPopupWithoutCaption) {
    TForm* form = NewForm();
    form->SetBorderStyle(bsNone);
    EXPECT_TRUE(StyleOf(form->Handle()) & WS_POPUP);
    EXPECT_FALSE(StyleOf(form->Handle()) & WS_CAPTION);
}

TEST_F(FormTest, DefaultsOfANewForm) {
    TForm form(app);
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_EQ(form.Font()->Name(), L"Tahoma");
    EXPECT_EQ(form.Font()->Height(), -11);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.ParentFont());
    EXPECT_EQ(form.BorderStyle(), bsSizeable);
    EXPECT_EQ(form.Position(), poDesigned);
}

TEST_F(FormTest, ScreenCenterCentresOnTheWorkAreaWhenFirstShown) {
    TForm* form = NewForm(409, 232);
    form->SetPosition(poScreenCenter);
    form->Show();
    RECT area{}, window{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(form->Handle(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    EXPECT_EQ(window.left, area.left + (area.right - area.left - width) / 2);
    EXPECT_EQ(window.top, area.top + (area.bottom - area.top - height) / 2);
    EXPECT_EQ(form->Left(), window.left);
}

TEST_F(FormTest, DesignedPositionKeepsLeftAndTop) {
    TForm* form = NewForm();
    form->SetLeft(33);
    form->SetTop(44);
    form->Show();
    RECT window{};
    ::GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.left, 33);
    EXPECT_EQ(window.top, 44);
}

TEST_F(FormTest, OnShowRunsBeforeTheWindowIsVisible) {
    TForm* form = NewForm();
    int shows = 0;
    bool visibleDuringOnShow = true;
    form->OnShow = [&](TObject* sender) {
        ++shows;
        visibleDuringOnShow = ::IsWindowVisible(static_cast<TForm*>(sender)->Handle()) != FALSE;
    };
    form->Show();
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(visibleDuringOnShow);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Visible());
    form->Show(); // already visible: no second OnShow
    EXPECT_EQ(shows, 1);
}

TEST_F(FormTest, ErrorInOnShowIsDisplayedAndTheFormShowsAllTheSame) {
    TForm* form = NewForm();
    bool visibleWhileDisplayed = true;
    onBox = [&] { visibleWhileDisplayed = ::IsWindowVisible(form->Handle()) != FALSE; };
    form->OnShow = [](TObject*) { throw ERegistryException(L"Failed to get data for ''"); };
    form->Show();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Failed to get data for ''");
    EXPECT_FALSE(visibleWhileDisplayed);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

TEST_F(FormTest, VisiblePropertyShowsAndHides) {
    TForm* form = NewForm();
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    form->SetVisible(true);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    form->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_EQ(shows, 1);
}

TEST_F(FormTest, ShowMaximisedOpensMaximisedAlthoughTheFrameIsFixed) {
    TForm* form = NewForm(409, 232);
    form->Show(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(::IsZoomed(form->Handle()));
}

TEST_F(FormTest, ShowMinimisedWithoutActivationStartsMinimised) {
    TForm* form = NewForm();
    form->Show(SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(::IsIconic(form->Handle()));
}

TEST_F(FormTest, OtherShowCommandsShowNormally) {
    TForm* form = NewForm();
    form->Show(SW_HIDE);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_FALSE(::IsZoomed(form->Handle()));
    EXPECT_FALSE(::IsIconic(form->Handle()));
}

class MainForm : public TForm {
public:
    explicit MainForm(TComponent* owner) : TForm(owner) {}
    std::wstring ClassName() const override { return L"TMainFormProbe"; }
    void WindowProc(TMessage& message) override {
        if (message.Msg == WM_CLOSE) ++closes;
        TForm::WindowProc(message);
    }
    int closes = 0;
};

TEST_F(FormTest, ClosingTheMainFormEndsTheApplicationWithoutAsking) {
    MainForm* main = nullptr;
    app->CreateForm(main);
    ::SendMessageW(main->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(app->Terminated());
    EXPECT_TRUE(boxes.empty());
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FormTest, SystemMenuCloseEndsTheApplication) {
    MainForm* main = nullptr;
    app->CreateForm(main);
    ::SendMessageW(main->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(FormTest, ClosingAnotherFormHidesIt) {
    MainForm* main = nullptr;
    app->CreateForm(main);
    TForm* other = NewForm();
    other->Show();
    ::SendMessageW(other->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(app->Terminated());
    EXPECT_FALSE(::IsWindowVisible(other->Handle()));
    EXPECT_TRUE(::IsWindow(other->Handle()));
}

TEST_F(FormTest, MainFormHasTheTaskBarButtonAndOtherFormsBelongToIt) {
    MainForm* main = nullptr;
    app->CreateForm(main);
    TForm* other = NewForm();
    EXPECT_TRUE(ExStyleOf(main->Handle()) & WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindow(main->Handle(), GW_OWNER), nullptr);
    EXPECT_FALSE(ExStyleOf(other->Handle()) & WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindow(other->Handle(), GW_OWNER), main->Handle());
}

TEST_F(FormTest, CaptionIsTheWindowText) {
    TForm* form = NewForm();
    form->SetCaption(L"Plaxor");
    wchar_t text[16] = {};
    ::GetWindowTextW(form->Handle(), text, 16);
    EXPECT_STREQ(text, L"Plaxor");
}

TEST_F(FormTest, ModalResultIsKept) {
    TForm* form = NewForm();
    form->SetModalResult(2);
    EXPECT_EQ(form->ModalResult(), 2);
}

TEST_F(FormTest, FormShowsTheApplicationsIcon) {
    ASSERT_NE(app->Icon(), nullptr); // the test program carries a MAINICON
    TForm* form = NewForm();
    form->Handle();
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0)),
              app->Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0)),
              app->SmallIcon());
}

TEST_F(FormTest, AltF4OnTheMainFormEndsTheApplication) {
    MainForm* main = nullptr;
    app->CreateForm(main);
    main->Show();
    ::SetForegroundWindow(main->Handle());
    Settle();
    INPUT input[4] = {};
    const WORD sequence[4][2] = {
        {VK_MENU, 0}, {VK_F4, 0}, {VK_F4, KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = sequence[i][0];
        input[i].ki.dwFlags = sequence[i][1];
    }
    ::SendInput(4, input, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return main->closes == 1; }));
    EXPECT_TRUE(app->Terminated());
    Settle(); // the key releases too, so that no key of this test reaches the next one
}

} // namespace
} // namespace plaxor::testing
