// The application object: title, error display, forms it creates, the last-resort report,
// hints.
#include "ControlsTestSupport.h"
#include "policy/Registry.h"
#include <commctrl.h>
#include <objbase.h>
#include <stdexcept>

namespace plaxor::testing {
namespace {

// ---- title ----

TEST(Title, CapitalisedNameBeforeTheFirstDot) {
    EXPECT_EQ(TitleFromFileName(L"C:\\Program Files\\PLAXOR.EXE"), L"Plaxor");
    EXPECT_EQ(TitleFromFileName(L"C:\\tools\\MY.TOOL.EXE"), L"My");
}

TEST(Title, FirstCharacterKeepsItsCase) {
    EXPECT_EQ(TitleFromFileName(L"plaxor.exe"), L"plaxor");
    EXPECT_EQ(TitleFromFileName(L"my.tool.exe"), L"my");
    EXPECT_EQ(TitleFromFileName(L"pLAXOR.exe"), L"plaxor");
}

TEST(Title, DotsInTheDirectoryDoNotCount) {
    EXPECT_EQ(TitleFromFileName(L"C:\\v1.2\\Tool.exe"), L"Tool");
    EXPECT_EQ(TitleFromFileName(L"C:/v1.2/Tool"), L"Tool");
}

TEST(Title, NonAsciiLettersAreLowered) {
    EXPECT_EQ(TitleFromFileName(L"\u00C4\u00D6\u00DC.EXE"), L"\u00C4\u00F6\u00FC");
}

// ---- error text ----

TEST(ErrorText, FullStopAfterALetter) {
    EXPECT_EQ(ErrorDisplayText(Exception(L"Access denied")), L"Access denied.");
}

TEST(ErrorText, NoSecondFullStop) {
    EXPECT_EQ(ErrorDisplayText(Exception(L"Done.")), L"Done.");
}

TEST(ErrorText, NothingAfterAnApostropheParenthesisBlankOrDigitBelowTheDot) {
    EXPECT_EQ(ErrorDisplayText(Exception(L"Invalid data type for ''")),
              L"Invalid data type for ''");
    EXPECT_EQ(ErrorDisplayText(Exception(L"failed (5)")), L"failed (5)");
    EXPECT_EQ(ErrorDisplayText(Exception(L"trailing ")), L"trailing ");
    EXPECT_EQ(ErrorDisplayText(Exception(L"a-")), L"a-");
}

TEST(ErrorText, DigitsAndSlashAreAboveTheDot) {
    EXPECT_EQ(ErrorDisplayText(Exception(L"code 5")), L"code 5.");
    EXPECT_EQ(ErrorDisplayText(Exception(L"a/")), L"a/.");
}

TEST(ErrorText, EmptyStaysEmpty) {
    EXPECT_EQ(ErrorDisplayText(Exception(L"")), L"");
}

TEST(ErrorText, InnermostWrappedMessageWins) {
    auto innermost = std::make_shared<const Exception>(L"Disk full");
    auto middle = std::make_shared<const Exception>(L"Write failed", innermost);
    EXPECT_EQ(ErrorDisplayText(Exception(L"Save failed", middle)), L"Disk full.");
}

TEST(ErrorText, EmptyInnermostMessageKeepsTheOuterOne) {
    auto inner = std::make_shared<const Exception>(L"");
    EXPECT_EQ(ErrorDisplayText(Exception(L"Outer", inner)), L"Outer.");
}

TEST(ErrorText, StandardErrorsShowTheirWhat) {
    EXPECT_EQ(ErrorDisplayText(std::runtime_error("bad thing")), L"bad thing.");
}

// ---- the error display ----

using ErrorDisplayTest = WindowTest;

TEST_F(ErrorDisplayTest, ShowsTheTextWithTheTitleAndTheErrorIcon) {
    app->SetTitle(L"Plaxor");
    app->HandleException(ERegistryException(L"Failed to set data for ''"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Failed to set data for ''");
    EXPECT_EQ(boxes[0].caption, L"Plaxor");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(ErrorDisplayTest, AbortIsSilent) {
    app->HandleException(EAbort(L"stop"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorDisplayTest, OwnerIsTheHiddenWindowWhenNoWindowIsActive) {
    ::SetActiveWindow(nullptr);
    app->HandleException(Exception(L"x"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, app->Handle());
}

TEST_F(ErrorDisplayTest, HiddenApplicationWindowIsAnEmptyToolWindow) {
    EXPECT_TRUE(::GetWindowLongPtrW(app->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindowTextLengthW(app->Handle()), 0);
    EXPECT_FALSE(::IsWindowVisible(app->Handle()));
}

TEST_F(ErrorDisplayTest, ErrorInAHandlerIsShownAndTheLoopGoesOn) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 50, 20);
    probe->OnClick = [](TObject*) { throw Exception(L"Click failed"); };
    bool after = false;
    probe->handlers[CM_BASE + 300] = [&](TMessage&) {
        after = true;
        app->Terminate();
    };
    ::PostMessageW(probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    ::PostMessageW(probe->Handle(), WM_LBUTTONUP, 0, Point(5, 5));
    ::PostMessageW(probe->Handle(), CM_BASE + 300, 0, 0);
    app->Run();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Click failed.");
    EXPECT_TRUE(after);
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Two shown windows for the tests that look at what the display does to them.
class ErrorDisplayWindowsTest : public SharedFormTest {};

TEST_F(ErrorDisplayWindowsTest, OwnerIsTheActiveWindow) {
    ::SetActiveWindow(form->Handle());
    app->HandleException(Exception(L"x"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, form->Handle());
}

// The owner is the box's to disable and enable again: Windows enables it just before the box
// goes and hands the activation back to it; an owner still disabled then makes Windows activate
// another program's window. (Wine's box enables its owner either way, so only the recording box
// shows what is left to the box.)
TEST_F(ErrorDisplayWindowsTest, OtherWindowsAreDisabledAndTheOwnerIsLeftToTheBox) {
    auto* second = new TForm(form); // freed with the form's components after the test
    second->SetBorderStyle(bsNone);
    second->SetBounds(400, 20, 50, 50);
    second->Show();
    ::SetActiveWindow(form->Handle());
    bool ownerEnabled = false, secondEnabled = true;
    onBox = [&] {
        ownerEnabled = ::IsWindowEnabled(form->Handle()) != FALSE;
        secondEnabled = ::IsWindowEnabled(second->Handle()) != FALSE;
    };
    app->HandleException(Exception(L"x"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, form->Handle());
    EXPECT_TRUE(ownerEnabled);
    EXPECT_FALSE(secondEnabled);
    EXPECT_TRUE(::IsWindowEnabled(second->Handle()));
}

// The real box, closed from a timer of its own modal loop.
TEST_F(ErrorDisplayWindowsTest,
       EveryWindowIsDisabledWhileTheRealBoxIsOpenAndTheOwnerIsActiveAfter) {
    auto* second = new TForm(form);
    second->SetBorderStyle(bsNone);
    second->SetBounds(400, 20, 50, 50);
    second->Show();
    ::SetActiveWindow(form->Handle());
    RestoreMessageBox();
    struct Watch {
        HWND windows[2];
        bool boxSeen = false;
        bool enabledWhileOpen[2] = {true, true};
    };
    static Watch watch;
    watch = Watch{{form->Handle(), second->Handle()}};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = ::FindWindowW(L"#32770", nullptr);
        if (!box || ::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId()) return;
        ::KillTimer(nullptr, id);
        watch.boxSeen = true;
        for (int i = 0; i < 2; ++i)
            watch.enabledWhileOpen[i] = ::IsWindowEnabled(watch.windows[i]) != FALSE;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    app->HandleException(Exception(L"x"));
    ::KillTimer(nullptr, timer);
    InstallMessageBox();
    ASSERT_TRUE(watch.boxSeen);
    EXPECT_FALSE(watch.enabledWhileOpen[0]);
    EXPECT_FALSE(watch.enabledWhileOpen[1]);
    EXPECT_TRUE(::IsWindowEnabled(form->Handle()));
    EXPECT_TRUE(::IsWindowEnabled(second->Handle()));
    EXPECT_EQ(::GetActiveWindow(), form->Handle());
}

TEST_F(ErrorDisplayWindowsTest, FocusComesBackAfterTheBox) {
    auto* probe = NewControl(form, 10, 10, 50, 20);
    probe->SetFocus();
    onBox = [&] { ::SetFocus(nullptr); };
    app->HandleException(Exception(L"x"));
    EXPECT_TRUE(probe->Focused());
}

TEST_F(ErrorDisplayWindowsTest, DisabledWindowStaysDisabled) {
    auto* second = new TForm(form);
    second->SetBorderStyle(bsNone);
    second->SetBounds(400, 20, 50, 50);
    second->Show();
    ::EnableWindow(second->Handle(), FALSE);
    app->HandleException(Exception(L"x"));
    EXPECT_FALSE(::IsWindowEnabled(second->Handle()));
}

// ---- forms made by the application ----

class BuiltForm : public TForm {
public:
    explicit BuiltForm(TComponent* owner) : TForm(owner) {
        sawVariable = (*variable == this);
        if (fail) throw EReadError(L"Invalid property value for 'Picture'");
    }
    std::wstring ClassName() const override { return L"TBuiltForm"; }
    static inline BuiltForm** variable = nullptr;
    static inline bool fail = false;
    bool sawVariable = false;
};

using CreateFormTest = WindowTest;

TEST_F(CreateFormTest, VariableIsSetBeforeTheConstructorRuns) {
    BuiltForm* form = nullptr;
    BuiltForm::variable = &form;
    BuiltForm::fail = false;
    app->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->sawVariable);
}

TEST_F(CreateFormTest, FailedConstructionLeavesTheVariableEmpty) {
    BuiltForm* form = nullptr;
    BuiltForm::variable = &form;
    BuiltForm::fail = true;
    EXPECT_THROW(app->CreateForm(form), EReadError);
    BuiltForm::fail = false;
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(app->MainForm(), nullptr);
    EXPECT_TRUE(app->Components().empty());
}

TEST_F(CreateFormTest, FirstFormIsTheMainFormWithItsWindowAtOnce) {
    BuiltForm* first = nullptr;
    BuiltForm* second = nullptr;
    BuiltForm::variable = &first;
    app->CreateForm(first);
    BuiltForm::variable = &second;
    app->CreateForm(second);
    EXPECT_EQ(app->MainForm(), first);
    EXPECT_TRUE(first->HandleAllocated());
    EXPECT_FALSE(second->HandleAllocated());
}

TEST_F(CreateFormTest, FreedMainFormIsForgotten) {
    BuiltForm* form = nullptr;
    BuiltForm::variable = &form;
    app->CreateForm(form);
    delete form;
    EXPECT_EQ(app->MainForm(), nullptr);
}

TEST_F(CreateFormTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    BuiltForm* form = nullptr;
    BuiltForm::variable = &form;
    app->CreateForm(form);
    bool shown = false;
    form->OnShow = [&](TObject*) { shown = true; };
    ::PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    app->Run();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(app->Terminated());
}

TEST(ApplicationObject, OnlyOneAtATime) {
    TApplication first;
    EXPECT_EQ(TApplication::Current(), &first);
    EXPECT_THROW(TApplication second, EInvalidOperation);
    EXPECT_EQ(TApplication::Current(), &first);
}

TEST(ApplicationObject, TitleComesFromTheExecutable) {
    TApplication app;
    EXPECT_EQ(app.Title(), L"controls_tests");
}

TEST(ApplicationObject, MainThreadIsASingleThreadedApartment) {
    TApplication app;
    app.Initialize();
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    ASSERT_EQ(::CoGetApartmentType(&type, &qualifier), S_OK);
    EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA);
}

// ---- the last resort ----

TEST(LastResort, ReportsClassModuleAddressAndMessage) {
    std::vector<ShownBox> boxes;
    auto previous = TApplication::SetMessageBoxFunction(
        [&](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
            boxes.push_back({owner, text, caption, flags});
            return IDOK;
        });
    const int code = ShowLastResortError(EReadError(L"Invalid property value for 'Picture'"));
    TApplication::SetMessageBoxFunction(previous);
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Application Error");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
    const std::wstring start = L"Exception EReadError in module controls_tests.exe at ";
    const std::wstring end = L".\nInvalid property value for 'Picture'";
    ASSERT_GT(boxes[0].text.size(), start.size() + 16 + end.size() - 1);
    EXPECT_EQ(boxes[0].text.substr(0, start.size()), start);
    EXPECT_EQ(boxes[0].text.substr(start.size() + 16), end);
    EXPECT_EQ(boxes[0].text.substr(start.size(), 16).find_first_not_of(L"0123456789ABCDEF"),
              std::wstring::npos);
}

TEST(LastResort, StandardErrorsGiveTheirClassName) {
    std::wstring text;
    auto previous = TApplication::SetMessageBoxFunction(
        [&](HWND, const std::wstring& t, const std::wstring&, UINT) {
            text = t;
            return IDOK;
        });
    ShowLastResortError(std::runtime_error("no window"));
    TApplication::SetMessageBoxFunction(previous);
    EXPECT_EQ(text.substr(0, 29), L"Exception std::runtime_error ");
}

// ---- hints ----

class HintTest : public SharedFormTest {
protected:
    int ToolCount() {
        return static_cast<int>(::SendMessageW(app->HintWindow(), TTM_GETTOOLCOUNT, 0, 0));
    }
    RECT ToolRect(TControl& control) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = form->Handle();
        info.uId = reinterpret_cast<UINT_PTR>(&control);
        ::SendMessageW(app->HintWindow(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
        return info.rect;
    }
};

TEST_F(HintTest, ControlWithShowHintAndAHintIsATool) {
    auto* image = NewControl<ProbeGraphic>(form, 168, 98, 72, 72);
    image->SetHint(L"AutoRun Disabled");
    image->SetShowHint(true);
    EXPECT_EQ(ToolCount(), 1);
    EXPECT_EQ(ToolRect(*image).left, 168);
    EXPECT_EQ(ToolRect(*image).bottom, 170);
}

TEST_F(HintTest, NoToolWithoutHintOrWithoutShowHint) {
    auto* image = NewControl<ProbeGraphic>(form, 0, 0, 10, 10);
    image->SetShowHint(true);
    EXPECT_EQ(ToolCount(), 0);
    auto* other = NewControl<ProbeGraphic>(form, 20, 0, 10, 10);
    other->SetHint(L"text");
    EXPECT_EQ(ToolCount(), 0); // follows the form, which shows no hints
}

TEST_F(HintTest, ParentShowHintFollowsTheParent) {
    auto* image = NewControl<ProbeGraphic>(form, 0, 0, 10, 10);
    image->SetHint(L"text");
    form->SetShowHint(true);
    EXPECT_EQ(ToolCount(), 1);
    form->SetShowHint(false);
    EXPECT_EQ(ToolCount(), 0);
}

TEST_F(HintTest, HiddenControlShowsNoHint) {
    auto* image = NewControl<ProbeGraphic>(form, 0, 0, 10, 10);
    image->SetHint(L"AutoRun Enabled");
    image->SetShowHint(true);
    image->SetVisible(false);
    EXPECT_EQ(ToolCount(), 0);
    image->SetVisible(true);
    EXPECT_EQ(ToolCount(), 1);
}

TEST_F(HintTest, ToolMovesWithItsControlAndGoesWithIt) {
    auto* image = NewControl<ProbeGraphic>(form, 0, 0, 10, 10);
    image->SetHint(L"text");
    image->SetShowHint(true);
    image->SetLeft(50);
    EXPECT_EQ(ToolRect(*image).left, 50);
    delete image;
    EXPECT_EQ(ToolCount(), 0);
}

TEST_F(HintTest, WindowedControlIsAToolByItsWindow) {
    auto* probe = NewControl(form, 0, 0, 10, 10);
    probe->SetHint(L"text");
    probe->SetShowHint(true);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = probe->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(probe->Handle());
    EXPECT_TRUE(
        ::SendMessageW(app->HintWindow(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
}

TEST_F(HintTest, DelaysAreHalfASecondAndTwoAndAHalf) {
    EXPECT_TRUE(app->ShowHint());
    EXPECT_EQ(::SendMessageW(app->HintWindow(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(::SendMessageW(app->HintWindow(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    app->SetHintPause(800);
    EXPECT_EQ(::SendMessageW(app->HintWindow(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 800);
    app->SetHintPause(500);
}

} // namespace
} // namespace plaxor::testing
