// plaxorctl's command function against the in-memory registry: the failures a script must be
// able to tell apart (access denied, a broken registry, a change that did not take), and the
// command line rules.
#include "framework/Text.h"
#include "policy/AutoRunPolicy.h"
#include "policy/ControlCommand.h"
#include "tests/support/AutoRunKey.h"
#include "tests/support/MemoryRegistry.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

const std::wstring kKey = kAutoRunKey;

class StringSink final : public ITextSink {
public:
    void Write(std::wstring_view text) override { text_ += text; }
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

// Accepts every value write and keeps none, as a registry that sends writes elsewhere would.
class WriteDroppingRegistry final : public IRegistryBackend {
public:
    explicit WriteDroppingRegistry(IRegistryBackend& inner) : inner_(inner) {}
    LSTATUS OpenKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override {
        return inner_.OpenKey(base, path, access, result);
    }
    LSTATUS CreateKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override {
        return inner_.CreateKey(base, path, access, result);
    }
    LSTATUS CloseKey(HKEY key) override { return inner_.CloseKey(key); }
    LSTATUS QueryValue(HKEY key, const std::wstring& name, DWORD* type, BYTE* data,
                       DWORD* size) override {
        return inner_.QueryValue(key, name, type, data, size);
    }
    LSTATUS SetValue(HKEY, const std::wstring&, DWORD, const BYTE*, DWORD) override {
        return ERROR_SUCCESS;
    }
    LSTATUS QueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength) override {
        return inner_.QueryInfoKey(key, subKeys, maxSubKeyLength);
    }
    LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length) override {
        return inner_.EnumKey(key, index, name, length);
    }
    LSTATUS DeleteKey(HKEY base, const std::wstring& path) override {
        return inner_.DeleteKey(base, path);
    }

private:
    IRegistryBackend& inner_;
};

struct Outcome {
    TControlExit code;
    std::wstring out;
    std::wstring err;
};

Outcome Ctl(IRegistryBackend& registry, const std::vector<std::wstring>& args) {
    StringSink out, err;
    const TControlExit code = RunControlCommand(args, registry, out, err);
    return {code, out.Text(), err.Text()};
}

const std::wstring kDeniedLine = std::wstring(kAdminRightsNeeded) + L"\r\n";

class ControlCommandOnMemory : public testing::Test {
protected:
    void SetUp() override { mem.PutKey(HKEY_LOCAL_MACHINE, kIniFileMappingKey); }
    void PutSentinel() { mem.PutText(HKEY_LOCAL_MACHINE, kKey, L"", L"@SYS:DoesNotExist"); }
    MemoryRegistry mem;
};

// ---- Failures a script must tell apart ----

TEST_F(ControlCommandOnMemory, DisableWithoutRightsIsAccessDeniedAndWritesNothing) {
    mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    const Outcome r = Ctl(mem, {L"disable"});
    EXPECT_EQ(r.code, ceAccessDenied);
    EXPECT_EQ(r.err, kDeniedLine);
    EXPECT_EQ(r.out, L"");
    EXPECT_FALSE(mem.HasKey(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
}

TEST_F(ControlCommandOnMemory, EnableWithoutRightsIsAccessDeniedAndKeepsTheMapping) {
    PutSentinel();
    mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    const Outcome r = Ctl(mem, {L"enable", L"--quiet"});
    EXPECT_EQ(r.code, ceAccessDenied);
    EXPECT_EQ(r.err, kDeniedLine); // --quiet never hides a failure
    EXPECT_EQ(r.out, L"");
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, kKey));
}

// Deployment scripts run the commands whatever the state: without rights, a command that finds
// the state it asks for already in force succeeds; one that would change it is still refused.
TEST(ControlCommandWithoutRights, SucceedsExactlyWhenTheStateAlreadyIsTheOneAskedFor) {
    struct Case {
        const wchar_t* command;
        bool mapped;
        TControlExit code;
        std::wstring out, err;
    };
    const Case cases[] = {
        {L"enable", false, ceSuccess, L"Enabled\r\n", L""},
        {L"disable", true, ceSuccess, L"Disabled\r\n", L""},
        {L"enable", true, ceAccessDenied, L"", kDeniedLine},
        {L"disable", false, ceAccessDenied, L"", kDeniedLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.command) + (c.mapped ? L" on Disabled" : L" on Enabled"));
        MemoryRegistry mem;
        mem.PutKey(HKEY_LOCAL_MACHINE, kIniFileMappingKey);
        if (c.mapped) mem.PutText(HKEY_LOCAL_MACHINE, kKey, L"", L"@SYS:DoesNotExist");
        mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
        const Outcome r = Ctl(mem, {c.command});
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(mem.HasKey(HKEY_LOCAL_MACHINE, kKey), c.mapped);
    }
}

TEST_F(ControlCommandOnMemory, StatusWithoutWriteRightsReportsTheTrueState) {
    PutSentinel();
    mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    const Outcome r = Ctl(mem, {L"status"});
    EXPECT_EQ(r.code, ceSuccess);
    EXPECT_EQ(r.out, L"Disabled\r\n");
}

TEST_F(ControlCommandOnMemory, FailedWriteIsARegistryErrorNotAccessDenied) {
    mem.FailWrite(HKEY_LOCAL_MACHINE, kKey, L"");
    const Outcome r = Ctl(mem, {L"disable"});
    EXPECT_EQ(r.code, ceRegistryError);
    EXPECT_EQ(r.err, L"Failed to set data for ''\r\n");
    EXPECT_EQ(r.out, L"");
}

TEST_F(ControlCommandOnMemory, FailedReadIsARegistryErrorForStatusAndForTheReadBack) {
    PutSentinel();
    mem.FailRead(HKEY_LOCAL_MACHINE, kKey, L"");
    const Outcome status = Ctl(mem, {L"status"});
    EXPECT_EQ(status.code, ceRegistryError);
    EXPECT_EQ(status.err, L"Failed to get data for ''\r\n");
    EXPECT_EQ(status.out, L"");
    // The write succeeds, but without a readable state the command cannot claim success.
    const Outcome disable = Ctl(mem, {L"disable"});
    EXPECT_EQ(disable.code, ceRegistryError);
    EXPECT_EQ(disable.err, L"Failed to get data for ''\r\n");
    EXPECT_EQ(disable.out, L"");
}

TEST_F(ControlCommandOnMemory, EnableBlockedByALockedSubKeyReportsTheUnchangedState) {
    PutSentinel();
    mem.PutKey(HKEY_LOCAL_MACHINE, kKey + L"\\Locked");
    mem.Deny(HKEY_LOCAL_MACHINE, kKey + L"\\Locked", MemoryRegistry::Denial::Write);
    const Outcome r = Ctl(mem, {L"enable"});
    EXPECT_EQ(r.code, ceNotChanged);
    EXPECT_EQ(r.out, L"Disabled\r\n");
    EXPECT_EQ(r.err, L"The change did not take effect: AutoRun is still Disabled\r\n");
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, kKey));
}

TEST_F(ControlCommandOnMemory, DisableWhoseWriteIsLostReportsTheUnchangedStateEvenWhenQuiet) {
    WriteDroppingRegistry dropping(mem);
    const Outcome r = Ctl(dropping, {L"disable", L"--quiet"});
    EXPECT_EQ(r.code, ceNotChanged);
    EXPECT_EQ(r.out, L"Enabled\r\n");
    EXPECT_EQ(r.err, L"The change did not take effect: AutoRun is still Enabled\r\n");
}

TEST_F(ControlCommandOnMemory, QuietStatusStillPrintsAStateThatDiffersFromTheExpected) {
    const Outcome r = Ctl(mem, {L"status", L"--quiet", L"--expect=disabled"});
    EXPECT_EQ(r.code, ceNotExpected);
    EXPECT_EQ(r.out, L"Enabled\r\n");
    EXPECT_EQ(r.err, L"");
}

// ---- Detection for Configuration Manager: output tells, the exit code only errors ----

struct DetectCase {
    bool disabled; // the registry's state
    std::wstring asked;
    std::wstring out;
};

TEST(ControlCommandDetect, PrintsTheStateOnlyWhenItMatchesAndExitsZeroEitherWay) {
    const std::vector<DetectCase> cases = {
        {true, L"disabled", L"Disabled\r\n"},
        {true, L"enabled", L""},
        {false, L"enabled", L"Enabled\r\n"},
        {false, L"disabled", L""},
    };
    for (const DetectCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.disabled ? "Disabled" : "Enabled") << ", asked " << ToUtf8(c.asked));
        MemoryRegistry mem;
        mem.PutKey(HKEY_LOCAL_MACHINE, kIniFileMappingKey);
        if (c.disabled) mem.PutText(HKEY_LOCAL_MACHINE, kKey, L"", L"@SYS:DoesNotExist");
        const Outcome r = Ctl(mem, {L"status", L"--detect", c.asked});
        EXPECT_EQ(r.code, ceSuccess);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, L"");
    }
}

TEST_F(ControlCommandOnMemory, DetectWithAnUnreadableStateIsAnErrorWithoutOutput) {
    PutSentinel();
    mem.FailRead(HKEY_LOCAL_MACHINE, kKey, L"");
    const Outcome r = Ctl(mem, {L"status", L"--detect=disabled"});
    EXPECT_EQ(r.code, ceRegistryError);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(r.err, L"Failed to get data for ''\r\n");
}

// ---- Command line ----

TEST_F(ControlCommandOnMemory, WordsAreTakenInAnyLetterCase) {
    const Outcome r = Ctl(mem, {L"DISABLE", L"--Quiet"});
    EXPECT_EQ(r.code, ceSuccess);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(QueryAutoRunState(mem), AutoRunState::Disabled);
    const Outcome expect = Ctl(mem, {L"Status", L"--EXPECT", L"Disabled"});
    EXPECT_EQ(expect.code, ceSuccess);
    EXPECT_EQ(expect.out, L"Disabled\r\n");
}

TEST_F(ControlCommandOnMemory, HelpWinsOverACommandAndChangesNothing) {
    for (const std::vector<std::wstring>& args : std::vector<std::vector<std::wstring>>{
             {L"disable", L"--help"}, {L"/?"}, {L"-h", L"bogus"}}) {
        SCOPED_TRACE(testing::Message() << args.size() << " arguments, first "
                                        << std::string(args[0].begin(), args[0].end()));
        const Outcome r = Ctl(mem, args);
        EXPECT_EQ(r.code, ceSuccess);
        EXPECT_EQ(r.out, kControlUsage);
        EXPECT_EQ(r.err, L"");
        EXPECT_FALSE(mem.HasKey(HKEY_LOCAL_MACHINE, kKey));
    }
}

struct UsageCase {
    std::vector<std::wstring> args;
    std::wstring firstLine;
};

TEST_F(ControlCommandOnMemory, AWrongCommandLineIsExitTwoAndTouchesNothing) {
    PutSentinel(); // an enable that slipped through would remove it
    const std::vector<UsageCase> cases = {
        {{}, L"No command given"},
        {{L"bogus"}, L"Unknown command 'bogus'"},
        {{L"enable", L"--bogus"}, L"Unknown option '--bogus'"},
        {{L"enable", L"/bogus"}, L"Unknown option '/bogus'"},
        {{L"--quiet"}, L"No command given"},
        {{L"status", L"enable"}, L"Only one command at a time: 'enable' follows another"},
        {{L"enable", L"--expect", L"enabled"}, L"--expect goes with status only"},
        {{L"status", L"--expect"}, L"--expect needs a state: enabled or disabled"},
        {{L"status", L"--expect", L"on"}, L"--expect takes enabled or disabled, not 'on'"},
        {{L"status", L"--expect="}, L"--expect takes enabled or disabled, not ''"},
        {{L"status", L"--json"}, L"--json goes with audit only"},
        {{L"disable", L"--detect", L"disabled"}, L"--detect goes with status only"},
        {{L"status", L"--detect"}, L"--detect needs a state: enabled or disabled"},
        {{L"status", L"--DETECT=on"}, L"--detect takes enabled or disabled, not 'on'"},
        {{L"status", L"--detect", L"disabled", L"--expect", L"disabled"},
         L"--detect and --expect exclude each other"},
        {{L"status", L"--quiet", L"--detect", L"disabled"},
         L"--detect answers by its output: it cannot be --quiet"},
    };
    for (const UsageCase& c : cases) {
        SCOPED_TRACE(testing::Message() << ToUtf8(c.firstLine));
        const Outcome r = Ctl(mem, c.args);
        EXPECT_EQ(r.code, ceUsageError);
        EXPECT_EQ(r.out, L"");
        EXPECT_EQ(r.err, c.firstLine + L"\r\n\r\n" + std::wstring(kControlUsage));
        EXPECT_EQ(QueryAutoRunState(mem), AutoRunState::Disabled);
    }
}

} // namespace
} // namespace plaxor
