// The web-site launch: what reaches the shell, and that its answer is never reported.
#include "ProgramTestSupport.h"
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

TEST(WebSite, ShellOpensTheFixedAddressNormally) {
    std::vector<ShellCall> calls;
    ShellWebSiteOpener opener(Recording(calls, 42));
    HWND owner = reinterpret_cast<HWND>(0x1234);
    opener.Open(owner);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].verb, L"open");
    EXPECT_EQ(calls[0].file, L"https://plaxor.example/");
    EXPECT_FALSE(calls[0].parameters);
    EXPECT_FALSE(calls[0].directory);
    EXPECT_EQ(calls[0].show, SW_SHOWNORMAL);
}

TEST(WebSite, ShellFailureIsNotReported) {
    std::vector<ShellCall> calls;
    ShellWebSiteOpener opener(Recording(calls, SE_ERR_NOASSOC));
    EXPECT_NO_THROW(opener.Open(nullptr));
    EXPECT_EQ(calls.size(), 1u);
}

TEST(WebSite, HostNameIsTheAddresssHost) {
    EXPECT_EQ(std::wstring(L"https://") + std::wstring(kWebHostName) + L"/",
              std::wstring(kWebSiteAddress));
}

using WebSiteButton = KeltTest;

TEST_F(WebSiteButton, ClickReachesTheShellWithTheWindowAsOwnerAndNoMessage) {
    std::vector<ShellCall> calls;
    TKeltServices services;
    services.webSite = std::make_shared<ShellWebSiteOpener>(Recording(calls, SE_ERR_FNF));
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
