// The web-site launch: the desktop shell is asked first so that the browser does not inherit
// the program's administrator rights; this process calls ShellExecuteW only where no desktop
// shell answers; no answer is ever reported.
#include "ProgramTestSupport.h"
#include "app/DesktopShell.h"
#include "framework/ComInit.h"
#include "framework/Text.h"
#include <exdisp.h>
#include <shellapi.h>

namespace plaxor::testing {
namespace {

struct ShellCall {
    HWND owner;
    std::wstring verb, file;
    bool parameters, directory;
    int show;
};

ShellExecuteFunction Recording(std::vector<ShellCall>& calls, INT_PTR result) {
    return [&calls, result](HWND owner, const wchar_t* verb, const wchar_t* file,
                            const wchar_t* parameters, const wchar_t* directory, int show) {
        calls.push_back({owner, verb ? verb : L"(null)", file ? file : L"(null)",
                         parameters != nullptr, directory != nullptr, show});
        return reinterpret_cast<HINSTANCE>(result);
    };
}

struct DesktopCall {
    std::wstring file, verb;
    int show;
};

// A desktop shell that answers (true) or is not there (false).
DesktopShellExecuteFunction Desktop(std::vector<DesktopCall>& calls, bool answers) {
    return [&calls, answers](const wchar_t* file, const wchar_t* verb, int show) {
        calls.push_back({file ? file : L"(null)", verb ? verb : L"(null)", show});
        return answers;
    };
}

TEST(WebSite, TheDesktopShellOpensTheFixedAddressAndThisProcessStartsNothing) {
    std::vector<DesktopCall> desktop;
    std::vector<ShellCall> calls;
    ShellWebSiteOpener opener(Desktop(desktop, true), Recording(calls, 42));
    opener.Open(reinterpret_cast<HWND>(0x1234));
    ASSERT_EQ(desktop.size(), 1u);
    EXPECT_EQ(desktop[0].file, L"https://plaxor.example/");
    EXPECT_EQ(desktop[0].verb, L"open");
    EXPECT_EQ(desktop[0].show, SW_SHOWNORMAL);
    EXPECT_TRUE(calls.empty());
}

TEST(WebSite, WithoutADesktopShellThisProcessOpensTheAddressNormally) {
    std::vector<DesktopCall> desktop;
    std::vector<ShellCall> calls;
    ShellWebSiteOpener opener(Desktop(desktop, false), Recording(calls, 42));
    HWND owner = reinterpret_cast<HWND>(0x1234);
    opener.Open(owner);
    EXPECT_EQ(desktop.size(), 1u);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].verb, L"open");
    EXPECT_EQ(calls[0].file, L"https://plaxor.example/");
    EXPECT_FALSE(calls[0].parameters);
    EXPECT_FALSE(calls[0].directory);
    EXPECT_EQ(calls[0].show, SW_SHOWNORMAL);
}

TEST(WebSite, AFailingFallbackIsNotReported) {
    std::vector<DesktopCall> desktop;
    std::vector<ShellCall> calls;
    ShellWebSiteOpener opener(Desktop(desktop, false), Recording(calls, SE_ERR_NOASSOC));
    EXPECT_NO_THROW(opener.Open(nullptr));
    EXPECT_EQ(calls.size(), 1u);
}

TEST(WebSite, HostNameIsTheAddresssHost) {
    EXPECT_EQ(std::wstring(L"https://") + std::wstring(kWebHostName) + L"/",
              std::wstring(kWebSiteAddress));
}

// Wine's desktop (explorer.exe) answers like Windows' Explorer: the whole chain from the shell's
// window list to IShellDispatch2 is walked, and every reference taken is given back. Nothing
// is opened.
// COM for one test, as the program has it on its main thread.
class ComScope {
public:
    ComScope() : joined_(InitializeComApartment()) {}
    ~ComScope() {
        if (joined_) UninitializeComApartment();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool joined_;
};

TEST(DesktopShell, AnswersWithItsDispatchAndKeepsNoReference) {
    ComScope com;
    const long before = UniqueCom<IShellDispatch2>::Live() + UniqueCom<IDispatch>::Live() +
                        UniqueCom<IShellWindows>::Live();
    {
        UniqueCom<IShellDispatch2> shell = DesktopShellDispatch();
        ASSERT_TRUE(shell) << "no desktop shell answered";
        UniqueCom<IDispatch> application;
        EXPECT_EQ(shell.get()->get_Application(application.put()), S_OK);
        EXPECT_TRUE(application);
    }
    EXPECT_EQ(UniqueCom<IShellDispatch2>::Live() + UniqueCom<IDispatch>::Live() +
                  UniqueCom<IShellWindows>::Live(),
              before);
}

// What the desktop shell is handed, it runs: a batch file that leaves a marker behind.
TEST(DesktopShell, RunsWhatItIsHanded) {
    ComScope com;
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = temp;
    const std::wstring script = folder + L"plaxor-desktop-shell.bat";
    const std::wstring marker = folder + L"plaxor-desktop-shell.done";
    ::DeleteFileW(marker.c_str());
    {
        UniqueFile file(::CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const std::string text = "@echo ran> \"" + ToUtf8(marker) + "\"\r\n";
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written,
                                nullptr));
    }
    ASSERT_TRUE(ShellExecuteFromDesktop(script.c_str(), L"open", SW_HIDE));
    bool ran = false;
    for (int wait = 0; wait < 200 && !ran; ++wait) {
        ::Sleep(50);
        ran = ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    EXPECT_TRUE(ran) << "the desktop shell did not run the batch file";
    ::DeleteFileW(marker.c_str());
    ::DeleteFileW(script.c_str());
}

// Without COM on the thread no shell can answer: the caller is told so and falls back.
TEST(DesktopShell, WithoutComNoShellAnswers) {
    EXPECT_FALSE(DesktopShellDispatch());
    EXPECT_FALSE(ShellExecuteFromDesktop(L"https://plaxor.example/", L"open", SW_SHOWNORMAL));
}

using WebSiteButton = KeltTest;

TEST_F(WebSiteButton, ClickAsksTheDesktopShellAndShowsNoMessage) {
    std::vector<DesktopCall> desktop;
    std::vector<ShellCall> calls;
    TKeltServices services;
    services.webSite =
        std::make_shared<ShellWebSiteOpener>(Desktop(desktop, true), Recording(calls, 42));
    form = new Tkelt(app, services);
    ShowForm();
    ClickOn(*form->SpeedButton1);
    ASSERT_TRUE(PumpUntil([&] { return !desktop.empty(); }));
    EXPECT_EQ(desktop.size(), 1u);
    EXPECT_EQ(desktop[0].file, std::wstring(kWebSiteAddress));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WebSiteButton, ClickWithoutADesktopShellReachesShellExecuteWithTheWindowAsOwner) {
    std::vector<DesktopCall> desktop;
    std::vector<ShellCall> calls;
    TKeltServices services;
    services.webSite =
        std::make_shared<ShellWebSiteOpener>(Desktop(desktop, false), Recording(calls, SE_ERR_FNF));
    form = new Tkelt(app, services);
    ShowForm();
    ClickOn(*form->SpeedButton1);
    ASSERT_TRUE(PumpUntil([&] { return !calls.empty(); }));
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, form->Handle());
    EXPECT_EQ(calls[0].file, std::wstring(kWebSiteAddress));
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace plaxor::testing
