// The main window as a person uses it: the state shown at start, the two commands by mouse
// and by their Alt mnemonics, errors on the way and the web-site button.
#include "ProgramTestSupport.h"
#include "policy/Registry.h"
#include "tests/support/MemoryRegistry.h"

namespace plaxor::testing {
namespace {

using KeltBehaviour = KeltTest;

// The presentation of one AutoRun state, read back from the window.
struct Shown {
    std::wstring word;
    bool enabledPicture;
    bool disabledPicture;
    bool disableCommand;
    bool enableCommand;
};

Shown Presentation(const Tkelt& form) {
    return {form.status->Caption(), form.enabled->Visible(), form.disabled->Visible(),
            form.plaxorizebtn->Enabled(), form.undoplaxorizebtn->Enabled()};
}

void ExpectEnabledShown(const Tkelt& form) {
    const Shown s = Presentation(form);
    EXPECT_EQ(s.word, L"Enabled");
    EXPECT_TRUE(s.enabledPicture);
    EXPECT_FALSE(s.disabledPicture);
    EXPECT_TRUE(s.disableCommand);
    EXPECT_FALSE(s.enableCommand);
}

void ExpectDisabledShown(const Tkelt& form) {
    const Shown s = Presentation(form);
    EXPECT_EQ(s.word, L"Disabled");
    EXPECT_FALSE(s.enabledPicture);
    EXPECT_TRUE(s.disabledPicture);
    EXPECT_FALSE(s.disableCommand);
    EXPECT_TRUE(s.enableCommand);
}

TEST_F(KeltBehaviour, BeforeItIsShownTheWindowHoldsTheLayoutValues) {
    MakeForm();
    const Shown s = Presentation(*form);
    EXPECT_EQ(s.word, L"status");
    EXPECT_FALSE(s.enabledPicture);
    EXPECT_FALSE(s.disabledPicture);
    EXPECT_TRUE(s.disableCommand);
    EXPECT_TRUE(s.enableCommand);
}

TEST_F(KeltBehaviour, KeyAbsentAtStartShowsEnabled) {
    ShowForm();
    ExpectEnabledShown(*form);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(KeltBehaviour, SentinelPresentAtStartShowsDisabled) {
    const std::wstring sentinel(kAutoRunSentinel);
    PutAutoRunDefault(REG_SZ, sentinel.c_str(),
                      static_cast<DWORD>((sentinel.size() + 1) * sizeof(wchar_t)));
    ShowForm();
    ExpectDisabledShown(*form);
}

TEST_F(KeltBehaviour, TheStateIsKnownBeforeTheWindowBecomesVisible) {
    MakeForm();
    bool visibleDuringShow = true;
    std::wstring wordDuringShow;
    const TNotifyEvent formShow = form->OnShow;
    form->OnShow = [&](TObject* sender) {
        formShow(sender);
        visibleDuringShow = ::IsWindowVisible(form->Handle()) != FALSE;
        wordDuringShow = form->status->Caption();
    };
    ShowForm();
    EXPECT_FALSE(visibleDuringShow);
    EXPECT_EQ(wordDuringShow, L"Enabled");
}

TEST_F(KeltBehaviour, ClicksDisableThenEnable) {
    ShowForm();
    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Disabled"; }));
    ExpectDisabledShown(*form);
    EXPECT_EQ(AutoRunDefault(), std::wstring(kAutoRunSentinel));

    ClickOn(*form->undoplaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Enabled"; }));
    ExpectEnabledShown(*form);
    bool exists = true;
    AutoRunDefault(&exists);
    EXPECT_FALSE(exists);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(KeltBehaviour, AltDThenAltESwitchBothWays) {
    ShowForm();
    AltKey(L'D');
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Disabled"; }));
    ExpectDisabledShown(*form);
    EXPECT_EQ(AutoRunDefault(), std::wstring(kAutoRunSentinel));

    AltKey(L'E');
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Enabled"; }));
    ExpectEnabledShown(*form);
}

TEST_F(KeltBehaviour, AltEWhileEnabledDoesNothing) {
    ShowForm();
    // A command that is unavailable still may not run: the key is written by nobody, so a
    // DisableAutoRun-like write by another program shows whether Enable ran.
    const std::wstring other = L"left by another program";
    PutAutoRunDefault(REG_SZ, other.c_str(),
                      static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
    AltKey(L'E');
    Settle();
    Settle();
    EXPECT_EQ(AutoRunDefault(), other);
    ExpectEnabledShown(*form);
}

TEST_F(KeltBehaviour, ClickOnTheGreyedCommandDoesNothing) {
    ShowForm();
    const std::wstring other = L"left by another program";
    PutAutoRunDefault(REG_SZ, other.c_str(),
                      static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
    ClickOn(*form->undoplaxorizebtn);
    Settle();
    EXPECT_EQ(AutoRunDefault(), other);
    ExpectEnabledShown(*form);
}

TEST_F(KeltBehaviour, RegistryChangedByAnotherProgramShowsAfterTheNextCommand) {
    ShowForm();
    const std::wstring sentinel(kAutoRunSentinel);
    PutAutoRunDefault(REG_SZ, sentinel.c_str(),
                      static_cast<DWORD>((sentinel.size() + 1) * sizeof(wchar_t)));
    Settle();
    ExpectEnabledShown(*form); // nothing watches the key
    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Disabled"; }));
    ExpectDisabledShown(*form);
}

TEST_F(KeltBehaviour, DwordAtStartIsReportedAndLeavesTheLayoutValuesThenDisableWorks) {
    const DWORD one = 1;
    PutAutoRunDefault(REG_DWORD, &one, sizeof one);
    ShowForm();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Invalid data type for ''");
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    const Shown s = Presentation(*form);
    EXPECT_EQ(s.word, L"status");
    EXPECT_FALSE(s.enabledPicture);
    EXPECT_FALSE(s.disabledPicture);
    EXPECT_TRUE(s.disableCommand);
    EXPECT_TRUE(s.enableCommand);

    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return form->status->Caption() == L"Disabled"; }));
    ExpectDisabledShown(*form);
    EXPECT_EQ(AutoRunDefault(), std::wstring(kAutoRunSentinel));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(KeltBehaviour, ErrorBoxHasTheTitleAsCaptionAndTheWindowAsOwner) {
    opener->fail = [] { throw ERegistryException(L"Invalid data type for ''"); };
    ShowForm();
    ClickOn(*form->SpeedButton1);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].caption, app->Title());
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, form->Handle());
    EXPECT_TRUE(::IsWindowEnabled(form->Handle()));
}

// The error display's full-stop rule, on messages that reach it from the window's handlers.
class KeltErrors : public KeltTest {
protected:
    void SetUp() override {
        KeltTest::SetUp();
        registry = &memory;
    }
    MemoryRegistry memory;
};

TEST_F(KeltErrors, MessageEndingInAnApostropheGetsNoFullStop) {
    memory.PutKey(HKEY_LOCAL_MACHINE, kAutoRunKey);
    memory.FailWrite(HKEY_LOCAL_MACHINE, kAutoRunKey, L"");
    ShowForm();
    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].text, L"Failed to set data for ''");
    // The handler was left before the refresh: the presentation is what it was.
    ExpectEnabledShown(*form);
}

TEST_F(KeltErrors, MessageEndingInALetterGetsAFullStop) {
    memory.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    ShowForm();
    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].text, std::wstring(kAdminRightsNeeded) + L".");
    ExpectEnabledShown(*form);
}

TEST_F(KeltErrors, MessageEndingInAFullStopGetsNoSecondOne) {
    opener->fail = [] { throw Exception(L"No browser is installed."); };
    ShowForm();
    ClickOn(*form->SpeedButton1);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].text, L"No browser is installed.");
}

TEST_F(KeltErrors, FailedReadAfterACommandKeepsThePresentation) {
    ShowForm();
    memory.FailRead(HKEY_LOCAL_MACHINE, kAutoRunKey, L"");
    ClickOn(*form->plaxorizebtn);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].text, L"Failed to get data for ''");
    ExpectEnabledShown(*form);
    DWORD type = 0;
    EXPECT_TRUE(memory.GetValue(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", &type, nullptr));
}

TEST_F(KeltErrors, SilentAbortShowsNothing) {
    opener->fail = [] { throw EAbort(L"stop"); };
    ShowForm();
    ClickOn(*form->SpeedButton1);
    Settle();
    EXPECT_EQ(opener->owners.size(), 1u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(KeltBehaviour, WebSiteButtonAsksForTheSiteWithTheWindowAsOwner) {
    ShowForm();
    ClickOn(*form->SpeedButton1);
    ASSERT_TRUE(PumpUntil([&] { return !opener->owners.empty(); }));
    ASSERT_EQ(opener->owners.size(), 1u);
    EXPECT_EQ(opener->owners[0], form->Handle());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace plaxor::testing
