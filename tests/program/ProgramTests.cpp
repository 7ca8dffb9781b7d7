// The program from start to exit: the order of start-up, the show command, the exit code and
// the last-resort report when the main window cannot be made.
#include "ProgramTestSupport.h"
#include "app/KeltLayout.h"
#include "app/Program.h"
#include "framework/MemoryRegistry.h"
#include <objbase.h>

namespace plaxor::testing {
namespace {

// What a run saw while its main window was up.
struct Seen {
    bool ran = false;
    bool gdiplusActive = false;
    HRESULT multiThreadedCom = S_OK;
    bool visible = false;
    bool zoomed = false;
    bool iconic = false;
    int disableLeft = 0;
    std::wstring word;
};
Seen seen;
MemoryRegistry* runRegistry = nullptr;
std::function<LayoutNode()> runLayout;

// The program's window with a registry of the test's and, optionally, another layout.
class RunKelt : public Tkelt {
public:
    explicit RunKelt(TComponent* owner) : Tkelt(owner, Services()) {}

private:
    static TKeltServices Services() {
        TKeltServices services;
        services.registry = runRegistry;
        services.webSite = std::make_shared<RecordingOpener>();
        services.layout = runLayout;
        return services;
    }
};

// Runs from the message loop once the window is shown: looks, then closes the window as a
// person would.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    seen.ran = true;
    seen.gdiplusActive = GdiplusSession::Active();
    seen.multiThreadedCom = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(seen.multiThreadedCom)) ::CoUninitialize();
    HWND wnd = kelt->Handle();
    seen.visible = ::IsWindowVisible(wnd) != FALSE;
    seen.zoomed = ::IsZoomed(wnd) != FALSE;
    seen.iconic = ::IsIconic(wnd) != FALSE;
    seen.disableLeft = kelt->plaxorizebtn->Left();
    seen.word = kelt->status->Caption();
    ::PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen{};
        runRegistry = &memory;
        runLayout = nullptr;
        previousBox_ = TApplication::SetMessageBoxFunction(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
                boxes.push_back({owner, text, caption, flags});
                return IDOK;
            });
    }
    void TearDown() override {
        TApplication::SetMessageBoxFunction(previousBox_);
        runRegistry = nullptr;
        runLayout = nullptr;
    }
    int Run(int showCommand) {
        // A run ends with its quit message still queued (the process would end here); the next
        // run in this process must not take it as its own.
        MSG stale{};
        while (::PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        return RunProgram(showCommand, [](TApplication& application) {
            RunKelt* form = nullptr;
            application.CreateForm(form);
            kelt = form;
            ::SetTimer(nullptr, 0, 10, &LookAndClose);
        });
    }

    MemoryRegistry memory;
    std::vector<ShownBox> boxes;

private:
    TMessageBoxFunction previousBox_;
};

TEST_F(Program, RunsUntilTheWindowClosesAndExitsWithZero) {
    EXPECT_EQ(Run(SW_SHOWNORMAL), 0);
    EXPECT_TRUE(seen.ran);
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.word, L"Enabled");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, GdiplusRunsWhileTheWindowIsUpAndIsShutDownAfterwards) {
    ASSERT_FALSE(GdiplusSession::Active());
    Run(SW_SHOWNORMAL);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.gdiplusActive);
    EXPECT_FALSE(GdiplusSession::Active());
}

TEST_F(Program, MainThreadIsASingleThreadedApartment) {
    Run(SW_SHOWNORMAL);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.multiThreadedCom, RPC_E_CHANGED_MODE);
}

TEST_F(Program, EverythingIsGoneAfterTheRun) {
    Run(SW_SHOWNORMAL);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(TApplication::Current(), nullptr);
    EXPECT_EQ(kelt, nullptr);
    EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST_F(Program, MaximisedShowCommandOpensMaximisedWithControlsInPlace) {
    Run(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.zoomed);
    EXPECT_EQ(seen.disableLeft, 234);
}

TEST_F(Program, MinimisedShowCommandStartsMinimised) {
    Run(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.iconic);
}

TEST_F(Program, OtherShowCommandsShowNormally) {
    Run(SW_HIDE);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.visible);
    EXPECT_FALSE(seen.zoomed);
    EXPECT_FALSE(seen.iconic);
}

TEST_F(Program, MainWindowThatCannotBeMadeIsReportedAndExitsWithOne) {
    runLayout = [] {
        LayoutNode tree = ReadKeltLayout();
        tree.children.pop_back(); // undoplaxorizebtn
        return tree;
    };
    EXPECT_EQ(Run(SW_SHOWNORMAL), 1);
    EXPECT_FALSE(seen.ran);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Application Error");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
    EXPECT_EQ(boxes[0].owner, nullptr);
    const std::wstring& text = boxes[0].text;
    EXPECT_EQ(text.rfind(L"Exception EReadError in module program_tests.exe at ", 0), 0u);
    EXPECT_NE(text.find(L".\nThe main window's layout has no TAdvGlowButton named "
                        L"'undoplaxorizebtn'"),
              std::wstring::npos);
    EXPECT_EQ(kelt, nullptr);
}

TEST(ProgramTitle, IsTheFileNameBeforeTheFirstDotInLowerCaseButItsFirstCharacter) {
    EXPECT_EQ(TitleFromFileName(L"C:\\Program Files\\Plaxor\\PLAXOR.EXE"), L"Plaxor");
    EXPECT_EQ(TitleFromFileName(L"D:\\tools\\my.tool.exe"), L"my");
}

TEST(ProgramTitle, ComesFromTheRunningProgramsOwnFile) {
    const GdiplusSession gdiplus;
    const TApplication application;
    EXPECT_EQ(application.Title(), L"program_tests");
}

} // namespace
} // namespace plaxor::testing
