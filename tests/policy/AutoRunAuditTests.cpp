// plaxorctl audit against the in-memory registry: every state a checked value can be in, the
// mapping judged exactly as the window judges it, the 32-bit view read from its own tree, an
// unreadable key failing only its own checks, and the table and JSON that come out.
#include "framework/Text.h"
#include "policy/AuditReport.h"
#include "policy/AutoRunAudit.h"
#include "policy/ControlCommand.h"
#include "tests/support/AutoRunKey.h"
#include "tests/support/MemoryRegistry.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace plaxor {
namespace {

const std::wstring kMapping = kAutoRunKey;
// The same key as 32-bit programs see it, redirected under WOW6432Node as 64-bit Windows does.
const std::wstring kMapping32 =
    L"SOFTWARE\\WOW6432Node" + kMapping.substr(std::wstring_view(L"SOFTWARE").size());
const std::wstring kExplorerPolicy =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::wstring kGroupPolicy = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer";
const std::wstring kAutoplay =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";
const std::wstring kSentinel = L"@SYS:DoesNotExist";

std::vector<std::uint8_t> Dword(DWORD value) {
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

std::vector<std::uint8_t> Text(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    return std::vector<std::uint8_t>(bytes, bytes + (text.size() + 1) * 2);
}

class StringSink final : public ITextSink {
public:
    void Write(std::wstring_view text) override { text_ += text; }
    std::wstring text_;
};

// How a test breaks the key or value it arranged.
enum Break { bNone, bFailRead, bDenyKey, bDenyWriting };

class AuditOnMemory : public testing::Test {
protected:
    void Put(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
             std::vector<std::uint8_t> bytes, Break broken = bNone) {
        mem->PutValue(root, path, name, type, std::move(bytes));
        if (broken == bFailRead) mem->FailRead(root, path, name);
        if (broken == bDenyKey) mem->Deny(root, path, MemoryRegistry::Denial::All);
        if (broken == bDenyWriting) mem->Deny(root, L"", MemoryRegistry::Denial::Write);
    }
    void MakeCompliant() {
        Put(HKEY_LOCAL_MACHINE, kMapping, L"", REG_SZ, Text(kSentinel));
        Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoDriveTypeAutoRun", REG_DWORD, Dword(0xFF));
        Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoAutorun", REG_DWORD, Dword(1));
        Put(HKEY_LOCAL_MACHINE, kGroupPolicy, L"NoAutoplayfornonVolume", REG_DWORD, Dword(1));
    }
    static const TAuditCheck& Check(const TAuditResult& result, std::wstring_view id) {
        for (const TAuditCheck& c : result.checks)
            if (c.id == id) return c;
        throw std::runtime_error("no check " + ToUtf8(id));
    }
    TAuditCheck Audited(std::wstring_view id) { return Check(AuditAutoRun(*mem), id); }
    struct Outcome {
        TControlExit code;
        std::wstring out, err;
    };
    Outcome Ctl(const std::vector<std::wstring>& args) {
        StringSink out, err;
        const TControlExit code = RunControlCommand(args, *mem, out, err);
        return {code, out.text_, err.text_};
    }
    void Reset() { mem = std::make_unique<MemoryRegistry>(); }
    std::unique_ptr<MemoryRegistry> mem = std::make_unique<MemoryRegistry>();
};

// ---- What is read, and how it is judged

TEST_F(AuditOnMemory, AnEmptyRegistryFailsTheRequiredChecksAndIsLeftAsItWas) {
    const TAuditResult result = AuditAutoRun(*mem);
    EXPECT_FALSE(result.Compliant());
    EXPECT_FALSE(result.Unreadable()); // nothing set is an answer, not an error
    for (const TAuditCheck& c : result.checks)
        EXPECT_EQ(c.reading.status, arAbsent) << ToUtf8(c.id);
    EXPECT_FALSE(mem->HasKey(HKEY_LOCAL_MACHINE, L"SOFTWARE"));
    EXPECT_FALSE(mem->HasKey(HKEY_CURRENT_USER, L"Software"));
    EXPECT_EQ(mem->OpenHandleCount(), 0u);
}

TEST_F(AuditOnMemory, APolicyValuePassesOnlyAsTheRightDword) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<std::uint8_t> bytes;
        Break broken;
        bool pass;
        TAuditRead status;
        std::wstring problem;
    };
    const std::vector<Case> cases = {
        {"right", REG_DWORD, Dword(1), bNone, true, arFound, L""},
        {"other number", REG_DWORD, Dword(0), bNone, false, arFound, L""},
        {"text", REG_SZ, Text(L"1"), bNone, false, arFound, L"wrong type: REG_SZ"},
        {"two bytes", REG_DWORD, {1, 0}, bNone, false, arFound, L"wrong size: 2 bytes"},
        {"read fails", REG_DWORD, Dword(1), bFailRead, false, arFailed, L"read error"},
        {"key denied", REG_DWORD, Dword(1), bDenyKey, false, arFailed, L"access denied"},
        // Reading is all the audit asks for.
        {"writing denied", REG_DWORD, Dword(1), bDenyWriting, true, arFound, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoAutorun", c.type, c.bytes, c.broken);
        const TAuditCheck check = Audited(L"NoAutorun");
        EXPECT_EQ(check.pass, c.pass);
        EXPECT_EQ(check.reading.status, c.status);
        EXPECT_EQ(check.problem, c.problem);
    }
}

TEST_F(AuditOnMemory, TheMachineValueDecidesAndTheUserValueIsReported) {
    struct Case {
        const char* what;
        std::optional<DWORD> machine, user;
        bool pass;
        std::optional<HKEY> inForce; // the hive whose value this user's Explorer follows
    };
    const std::vector<Case> cases = {
        {"machine right, user wrong", 0xFF, 0, true, HKEY_LOCAL_MACHINE},
        {"machine wrong, user right", 0, 0xFF, false, HKEY_LOCAL_MACHINE},
        // No baseline counts a user's own policy, though it is in force for that user.
        {"only the user's", std::nullopt, 0xFF, false, HKEY_CURRENT_USER},
        {"neither", std::nullopt, std::nullopt, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        for (auto [root, value] :
             {std::pair(HKEY_LOCAL_MACHINE, c.machine), std::pair(HKEY_CURRENT_USER, c.user)})
            if (value) Put(root, kExplorerPolicy, L"NoDriveTypeAutoRun", REG_DWORD, Dword(*value));
        const TAuditCheck check = Audited(L"NoDriveTypeAutoRun");
        EXPECT_EQ(check.pass, c.pass);
        const TAuditReading* inForce = check.InForce();
        EXPECT_EQ(inForce ? std::optional(inForce == &check.reading ? HKEY_LOCAL_MACHINE
                                                                    : HKEY_CURRENT_USER)
                          : std::nullopt,
                  c.inForce);
    }
}

TEST_F(AuditOnMemory, TheMappingIsJudgedExactlyAsTheWindowJudgesIt) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<std::uint8_t> bytes;
        Break broken;
        std::optional<AutoRunState> state; // none: the window shows an error
        std::wstring problem;
    };
    const std::vector<Case> cases = {
        {"sentinel", REG_SZ, Text(kSentinel), bNone, AutoRunState::Disabled, L""},
        {"expandable", REG_EXPAND_SZ, Text(kSentinel), bNone, AutoRunState::Disabled, L""},
        {"lower case", REG_SZ, Text(L"@sys:doesnotexist"), bNone, AutoRunState::Enabled, L""},
        {"empty binary", REG_BINARY, {}, bNone, AutoRunState::Enabled, L""},
        {"dword", REG_DWORD, Dword(1), bNone, std::nullopt, L"Invalid data type for ''"},
        {"read fails", REG_SZ, Text(kSentinel), bFailRead, std::nullopt,
         L"Failed to get data for ''"},
        // The window, like status, sees no mapping where it may not look.
        {"key denied", REG_SZ, Text(kSentinel), bDenyKey, AutoRunState::Enabled, L"access denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        Put(HKEY_LOCAL_MACHINE, kMapping, L"", c.type, c.bytes, c.broken);
        const TAuditResult result = AuditAutoRun(*mem);
        EXPECT_EQ(result.autorun, c.state);
        EXPECT_EQ(Check(result, L"ini-mapping").pass, c.state == AutoRunState::Disabled);
        EXPECT_EQ(Check(result, L"ini-mapping").problem, c.problem);
    }
}

TEST_F(AuditOnMemory, The32BitViewIsReadFromItsOwnTree) {
    Put(HKEY_LOCAL_MACHINE, kMapping32, L"", REG_SZ, Text(kSentinel));
    TAuditResult result = AuditAutoRun(*mem);
    EXPECT_TRUE(Check(result, L"ini-mapping-wow64").pass);
    EXPECT_FALSE(Check(result, L"ini-mapping").pass);
    EXPECT_EQ(result.autorun, AutoRunState::Enabled); // the window's view gives the state

    Put(HKEY_LOCAL_MACHINE, kMapping, L"", REG_SZ, Text(kSentinel));
    Put(HKEY_LOCAL_MACHINE, kMapping32, L"", REG_SZ, Text(L"elsewhere"));
    result = AuditAutoRun(*mem);
    EXPECT_FALSE(Check(result, L"ini-mapping-wow64").pass);
    EXPECT_TRUE(Check(result, L"ini-mapping").pass);
}

TEST_F(AuditOnMemory, AnUnreadableKeyFailsOnlyItsOwnChecks) {
    MakeCompliant();
    Put(HKEY_LOCAL_MACHINE, kMapping32, L"", REG_SZ, Text(kSentinel));
    mem->Deny(HKEY_LOCAL_MACHINE, kExplorerPolicy, MemoryRegistry::Denial::All);
    const TAuditResult result = AuditAutoRun(*mem);
    for (const wchar_t* id : {L"NoDriveTypeAutoRun", L"NoAutorun"})
        EXPECT_EQ(Check(result, id).problem, L"access denied") << ToUtf8(id);
    for (const wchar_t* id : {L"ini-mapping", L"ini-mapping-wow64", L"NoAutoplayfornonVolume"})
        EXPECT_TRUE(Check(result, id).pass) << ToUtf8(id);
    EXPECT_EQ(Ctl({L"audit"}).code, ceNotExpected);
}

// ---- The command

TEST_F(AuditOnMemory, ExitZeroWhenEveryRequiredCheckPassesFourOtherwise) {
    MakeCompliant(); // the two reported checks stay unset and fail
    const Outcome pass = Ctl({L"audit"});
    EXPECT_EQ(pass.code, ceSuccess);
    EXPECT_EQ(pass.err, L"");
    EXPECT_NE(pass.out.find(L"\r\n\r\nCompliant: all 4 required checks pass.\r\n"),
              std::wstring::npos);
    EXPECT_EQ(Ctl({L"AUDIT", L"--quiet"}).out, L"");

    Put(HKEY_LOCAL_MACHINE, kGroupPolicy, L"NoAutoplayfornonVolume", REG_DWORD, Dword(0));
    const Outcome fail = Ctl({L"audit", L"--json", L"--quiet"}); // a failure is always printed
    EXPECT_EQ(fail.code, ceNotExpected);
    EXPECT_EQ(fail.out.rfind(L"{\"autorun\": \"Disabled\", \"compliant\": false, ", 0), 0u);
}

TEST_F(AuditOnMemory, ARegistryOfWhichNothingCanBeReadIsExitOne) {
    MakeCompliant(); // every key there, so that none is merely missing
    Put(HKEY_LOCAL_MACHINE, kMapping32, L"", REG_SZ, Text(kSentinel));
    Put(HKEY_CURRENT_USER, kExplorerPolicy, L"NoAutorun", REG_DWORD, Dword(1));
    Put(HKEY_CURRENT_USER, kAutoplay, L"DisableAutoplay", REG_DWORD, Dword(1));
    mem->Deny(HKEY_LOCAL_MACHINE, L"", MemoryRegistry::Denial::All);
    EXPECT_EQ(Ctl({L"audit"}).code, ceNotExpected); // the user's hive still answers
    mem->Deny(HKEY_CURRENT_USER, L"", MemoryRegistry::Denial::All);
    const Outcome r = Ctl({L"audit"});
    EXPECT_EQ(r.code, ceRegistryError);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(r.err, L"The registry cannot be read: access denied (HKLM\\" + kMapping + L")\r\n");
}

// ---- The table and the JSON

TEST_F(AuditOnMemory, TheTableShowsEachCheckInColumnsAndTheVerdict) {
    Put(HKEY_LOCAL_MACHINE, kMapping, L"", REG_SZ, Text(kSentinel));
    Put(HKEY_LOCAL_MACHINE, kMapping32, L"", REG_DWORD, Dword(1));
    Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoDriveTypeAutoRun", REG_DWORD, Dword(0x91));
    Put(HKEY_CURRENT_USER, kExplorerPolicy, L"NoAutorun", REG_DWORD, Dword(1));
    Put(HKEY_LOCAL_MACHINE, kGroupPolicy, L"NoAutoplayfornonVolume", REG_SZ,
        Text(L"Enabled by\r\nthe imaging team"));
    Put(HKEY_CURRENT_USER, kAutoplay, L"DisableAutoplay", REG_BINARY, {1, 2}, bDenyKey);
    EXPECT_EQ(
        FormatAuditTable(AuditAutoRun(*mem)),
        L"      Check                            Found                Required\r\n"
        L"PASS  Autorun.inf mapped to nowhere    \"@SYS:DoesNotExist\"  \"@SYS:DoesNotExist\"\r\n"
        L"INFO  Autorun.inf mapping (32-bit)     REG_DWORD 1          \"@SYS:DoesNotExist\"\r\n"
        L"FAIL  Turn off Autoplay: All drives    0x91                 0xFF\r\n"
        L"FAIL  AutoRun default: do not execute  not set; HKCU 1      1\r\n"
        L"FAIL  No Autoplay, non-volume devices  REG_SZ \"Enabled ...  1\r\n"
        L"INFO  AutoPlay off for this user       access denied        1\r\n"
        L"\r\n"
        L"Not compliant: 3 of 4 required checks fail.\r\n");
    Put(HKEY_LOCAL_MACHINE, kGroupPolicy, L"NoAutoplayfornonVolume", REG_SZ,
        Text(L"a\r\n\U0001D11E"));
    Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoAutorun", REG_BINARY, {1});
    const std::wstring table = FormatAuditTable(AuditAutoRun(*mem));
    EXPECT_NE(table.find(L"  REG_SZ \"a??\U0001D11E\"        1\r\n"), std::wstring::npos)
        << ToUtf8(table);
    EXPECT_NE(table.find(L"  REG_BINARY, 1 byte   1\r\n"), std::wstring::npos) << ToUtf8(table);
}

TEST_F(AuditOnMemory, TheJsonHoldsEveryCheckWithItsValueAndVerdict) {
    Put(HKEY_LOCAL_MACHINE, kMapping, L"", REG_DWORD, Dword(1));
    Put(HKEY_LOCAL_MACHINE, kExplorerPolicy, L"NoDriveTypeAutoRun", REG_DWORD, Dword(0xFF));
    Put(HKEY_CURRENT_USER, kExplorerPolicy, L"NoDriveTypeAutoRun", REG_BINARY, {0xAB, 1});
    const std::wstring json = FormatAuditJson(AuditAutoRun(*mem));
    const std::wstring_view expected[] = {
        L"{\"autorun\": null, \"compliant\": false, \"checks\": [\r\n",
        L"  {\"id\": \"ini-mapping\", \"title\": \"Autorun.inf mapped to nowhere\", \"path\": "
        L"\"HKLM\\\\SOFTWARE\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\IniFileMapping\\\\"
        L"Autorun.inf\", \"name\": \"\", \"view\": \"64-bit\", \"type\": \"REG_DWORD\", \"size\": "
        L"4, \"value\": 1, \"expected\": \"@SYS:DoesNotExist\", \"required\": true, \"pass\": "
        L"false, \"error\": \"Invalid data type for ''\", \"reference\": \"US-CERT "
        L"TA09-020A\"},\r\n",
        L"  {\"id\": \"NoDriveTypeAutoRun\", \"title\": \"Turn off Autoplay: All drives\", "
        L"\"path\": "
        L"\"HKLM\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Policies\\\\Explorer\", "
        L"\"name\": \"NoDriveTypeAutoRun\", \"view\": \"64-bit\", \"type\": \"REG_DWORD\", "
        L"\"size\": 4, \"value\": 255, \"expected\": 255, \"required\": true, \"pass\": true, "
        L"\"error\": null, \"reference\": \"CIS 'Turn off Autoplay' / STIG WN10-CC-000190\", "
        L"\"effective\": \"HKLM\", \"user\": {\"path\": \"HKCU\\\\SOFTWARE\\\\Microsoft\\\\Windows"
        L"\\\\CurrentVersion\\\\Policies\\\\Explorer\", \"type\": \"REG_BINARY\", \"size\": 2, "
        L"\"value\": \"ab01\", \"error\": null}},\r\n",
        L"  {\"id\": \"NoAutorun\", ",
        L"  {\"id\": \"NoAutoplayfornonVolume\", ",
        L"  {\"id\": \"DisableAutoplay\", \"title\": \"AutoPlay off for this user\", \"path\": "
        L"\"HKCU\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\"
        L"AutoplayHandlers\", \"name\": \"DisableAutoplay\", \"view\": \"64-bit\", \"type\": null, "
        L"\"size\": null, \"value\": null, \"expected\": 1, \"required\": false, \"pass\": false, "
        L"\"error\": null, \"reference\": \"Settings: Use AutoPlay for all media and devices\"}\r\n"
        L"]}\r\n",
    };
    for (std::wstring_view part : expected)
        EXPECT_NE(json.find(part), std::wstring::npos) << ToUtf8(part) << "\n" << ToUtf8(json);
}

TEST(JsonQuoted, EscapesWhatJsonNeedsAndKeepsTheRest) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"a\"b\\c/", L"\"a\\\"b\\\\c/\""},
        {L"\b\f\n\r\t", L"\"\\b\\f\\n\\r\\t\""},
        {std::wstring(L"\0\x1f", 2), L"\"\\u0000\\u001f\""},
        {L"\u00e9\U0001D11E", L"\"\u00e9\U0001D11E\""}, // made UTF-8 as it is written out
        {L"a\xd834", L"\"a\\ud834\""},                  // a lone surrogate has no UTF-8 form
        {L"\xdd1e\xd834z", L"\"\\udd1e\\ud834z\""},     // nor a pair in the wrong order
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(JsonQuoted(text), json) << ToUtf8(json);
}

} // namespace
} // namespace plaxor
