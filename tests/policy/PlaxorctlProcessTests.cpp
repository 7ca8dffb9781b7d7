// plaxorctl.exe run as a process, as a deployment script runs it, against the real registry of
// the test prefix: exit codes, standard output and standard error as bytes.
#include "framework/Text.h"
#include "framework/UniqueHandle.h"
#include "tests/support/AutoRunKey.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace plaxor {
namespace {

// The build passes the program's path; under Wine a Unix path is reached through drive Z:.
std::wstring CtlPath() {
    const std::string built = PLAXORCTL_EXE;
    std::wstring path(built.begin(), built.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return built.rfind('/', 0) == 0 ? L"Z:" + path : path;
}

struct Result {
    DWORD code = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

// Runs a program with the arguments; standard output and error go to pipes unless a file
// handle for standard output is given.
Result RunProgram(const std::wstring& exe, const std::wstring& args, HANDLE outFile = nullptr) {
    Result result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!::CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !::CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "CreatePipe failed";
        return result;
    }
    UniqueKernelHandle outReader(outRead), outWriter(outWrite), errReader(errRead),
        errWriter(errWrite);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    UniqueFile nul(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nul.get();
    si.hStdOutput = outFile ? outFile : outWrite;
    si.hStdError = errWrite;
    std::wstring commandLine = L"\"" + exe + L"\" " + args;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << ToUtf8(exe) << ": error " << ::GetLastError();
        return result;
    }
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    // Only the child may hold the write ends now, so that reading ends when it exits.
    outWriter.reset();
    errWriter.reset();
    std::thread errThread([&] { result.err = ReadAll(errRead); });
    result.out = ReadAll(outRead);
    errThread.join();
    ::WaitForSingleObject(process.get(), INFINITE);
    ::GetExitCodeProcess(process.get(), &result.code);
    return result;
}

Result RunCtl(const std::wstring& args, HANDLE outFile = nullptr) {
    return RunProgram(CtlPath(), args, outFile);
}

const std::string kUsageStart = "Usage: plaxorctl <command> [options]\r\n";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// Each test starts with the mapping key absent and leaves it absent.
class PlaxorctlProcess : public testing::Test {
protected:
    void SetUp() override {
        RemoveAutoRunKey();
        ASSERT_FALSE(AutoRunKeyExists());
    }
    void TearDown() override { SetUp(); }

    static std::wstring DefaultText(DWORD* type) {
        wchar_t data[64] = {};
        DWORD size = sizeof data;
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", RRF_RT_ANY | RRF_NOEXPAND, type,
                           data, &size) != ERROR_SUCCESS)
            return L"(none)";
        return data;
    }
};

TEST_F(PlaxorctlProcess, EachCommandPrintsTheStateItLeavesAndExitsZero) {
    const Result before = RunCtl(L"status");
    EXPECT_EQ(before.code, 0u);
    EXPECT_EQ(before.out, "Enabled\r\n");
    EXPECT_EQ(before.err, "");
    EXPECT_FALSE(AutoRunKeyExists()); // status changes nothing

    const Result disable = RunCtl(L"disable");
    EXPECT_EQ(disable.code, 0u);
    EXPECT_EQ(disable.out, "Disabled\r\n");
    EXPECT_EQ(disable.err, "");
    DWORD type = REG_NONE;
    EXPECT_EQ(DefaultText(&type), L"@SYS:DoesNotExist");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    const Result again = RunCtl(L"disable"); // already so: still success
    EXPECT_EQ(again.code, 0u);
    EXPECT_EQ(again.out, "Disabled\r\n");

    const Result status = RunCtl(L"status");
    EXPECT_EQ(status.code, 0u);
    EXPECT_EQ(status.out, "Disabled\r\n");

    const Result enable = RunCtl(L"enable");
    EXPECT_EQ(enable.code, 0u);
    EXPECT_EQ(enable.out, "Enabled\r\n");
    EXPECT_EQ(enable.err, "");
    EXPECT_FALSE(AutoRunKeyExists());

    const Result enableAgain = RunCtl(L"enable");
    EXPECT_EQ(enableAgain.code, 0u);
    EXPECT_EQ(enableAgain.out, "Enabled\r\n");
}

TEST_F(PlaxorctlProcess, ExpectExitsZeroOnAMatchAndFourOtherwisePrintingTheState) {
    const Result enabledAsExpected = RunCtl(L"status --expect enabled");
    EXPECT_EQ(enabledAsExpected.code, 0u);
    EXPECT_EQ(enabledAsExpected.out, "Enabled\r\n");
    const Result enabledNotExpected = RunCtl(L"status --expect disabled");
    EXPECT_EQ(enabledNotExpected.code, 4u);
    EXPECT_EQ(enabledNotExpected.out, "Enabled\r\n");
    EXPECT_EQ(enabledNotExpected.err, "");

    ASSERT_EQ(RunCtl(L"disable").code, 0u);
    const Result disabledAsExpected = RunCtl(L"status --expect disabled");
    EXPECT_EQ(disabledAsExpected.code, 0u);
    EXPECT_EQ(disabledAsExpected.out, "Disabled\r\n");
    const Result disabledNotExpected = RunCtl(L"status --expect enabled");
    EXPECT_EQ(disabledNotExpected.code, 4u);
    EXPECT_EQ(disabledNotExpected.out, "Disabled\r\n");
}

TEST_F(PlaxorctlProcess, QuietPrintsNothingOnSuccess) {
    const Result disable = RunCtl(L"disable --quiet");
    EXPECT_EQ(disable.code, 0u);
    EXPECT_EQ(disable.out, "");
    EXPECT_EQ(disable.err, "");
    EXPECT_TRUE(AutoRunKeyExists());

    const Result status = RunCtl(L"--quiet status --expect disabled");
    EXPECT_EQ(status.code, 0u);
    EXPECT_EQ(status.out, "");

    const Result differs = RunCtl(L"status --expect enabled --quiet");
    EXPECT_EQ(differs.code, 4u);
    EXPECT_EQ(differs.out, "Disabled\r\n");

    const Result enable = RunCtl(L"enable --quiet");
    EXPECT_EQ(enable.code, 0u);
    EXPECT_EQ(enable.out, "");
    EXPECT_FALSE(AutoRunKeyExists());
}

TEST_F(PlaxorctlProcess, HelpAndUsageErrors) {
    const Result help = RunCtl(L"--help");
    EXPECT_EQ(help.code, 0u);
    EXPECT_TRUE(StartsWith(help.out, kUsageStart)) << help.out;
    EXPECT_EQ(help.err, "");

    const Result none = RunCtl(L"");
    EXPECT_EQ(none.code, 2u);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(StartsWith(none.err, "No command given\r\n\r\n" + kUsageStart)) << none.err;

    // A wrong option stops the command before it changes anything.
    const Result wrongOption = RunCtl(L"disable --force");
    EXPECT_EQ(wrongOption.code, 2u);
    EXPECT_TRUE(StartsWith(wrongOption.err, "Unknown option '--force'\r\n")) << wrongOption.err;
    EXPECT_FALSE(AutoRunKeyExists());

    const Result wrongCommand = RunCtl(L"st\u00e4tus");
    EXPECT_EQ(wrongCommand.code, 2u);
    EXPECT_EQ(wrongCommand.out, "");
    EXPECT_TRUE(StartsWith(wrongCommand.err, "Unknown command 'st\xC3\xA4tus'\r\n"))
        << wrongCommand.err;
}

TEST_F(PlaxorctlProcess, DwordDefaultValueIsARegistryErrorThatDisableRepairs) {
    const DWORD one = 1;
    PutAutoRunDefault(REG_DWORD, &one, sizeof one);
    const Result status = RunCtl(L"status");
    EXPECT_EQ(status.code, 1u);
    EXPECT_EQ(status.out, "");
    EXPECT_EQ(status.err, "Invalid data type for ''\r\n");

    const Result expect = RunCtl(L"status --expect enabled");
    EXPECT_EQ(expect.code, 1u); // an error, never taken for either state

    const Result disable = RunCtl(L"disable");
    EXPECT_EQ(disable.code, 0u);
    EXPECT_EQ(disable.out, "Disabled\r\n");
}

TEST_F(PlaxorctlProcess, OutputRedirectedToAFileIsUtf8Text) {
    wchar_t dir[MAX_PATH] = {}, name[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    ASSERT_NE(::GetTempFileNameW(dir, L"pxc", 0, name), 0u);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Result result;
    {
        UniqueFile file(::CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                      0, nullptr));
        ASSERT_TRUE(file);
        result = RunCtl(L"disable", file.get());
        const Result help = RunCtl(L"/?", file.get());
        EXPECT_EQ(help.code, 0u);
    }
    EXPECT_EQ(result.code, 0u);
    std::string bytes;
    {
        UniqueFile file(
            ::CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        bytes = ReadAll(file.get());
    }
    ::DeleteFileW(name);
    EXPECT_TRUE(StartsWith(bytes, "Disabled\r\n" + kUsageStart)) << bytes;
}

// ---- audit, with the values set from outside by Wine's reg.exe as an administrator would

const wchar_t kExplorerPolicy[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const wchar_t kGroupPolicy[] = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer";
const wchar_t kAutoplay[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Each test starts without any of the audited values and leaves none behind.
class PlaxorctlAudit : public PlaxorctlProcess {
protected:
    void SetUp() override {
        PlaxorctlProcess::SetUp();
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kAutoRunKey, KEY_WOW64_32KEY, 0);
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (const wchar_t* name : {L"NoDriveTypeAutoRun", L"NoAutorun"})
                ::RegDeleteKeyValueW(root, kExplorerPolicy, name);
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kGroupPolicy, L"NoAutoplayfornonVolume");
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kAutoplay, L"DisableAutoplay");
    }
    void TearDown() override { SetUp(); }

    static void RegAdd(const std::wstring& key, const std::wstring& value) {
        wchar_t system[MAX_PATH] = {};
        ::GetSystemDirectoryW(system, MAX_PATH);
        const Result r = RunProgram(std::wstring(system) + L"\\reg.exe",
                                    L"add \"" + key + L"\" " + value + L" /f");
        ASSERT_EQ(r.code, 0u) << r.out << r.err;
    }
    static void AddDword(const std::wstring& key, const std::wstring& name, int value) {
        RegAdd(key, L"/v " + name + L" /t REG_DWORD /d " + std::to_wstring(value));
    }
    static std::wstring Hklm(const wchar_t* path) { return L"HKLM\\" + std::wstring(path); }
    static std::wstring Hkcu(const wchar_t* path) { return L"HKCU\\" + std::wstring(path); }
};

TEST_F(PlaxorctlAudit, AHardenedMachinePassesEveryCheckAndExitsZero) {
    RegAdd(Hklm(kAutoRunKey), L"/ve /d @SYS:DoesNotExist");
    RegAdd(Hklm(kAutoRunKey), L"/ve /d @SYS:DoesNotExist /reg:32");
    AddDword(Hklm(kExplorerPolicy), L"NoDriveTypeAutoRun", 255);
    AddDword(Hklm(kExplorerPolicy), L"NoAutorun", 1);
    AddDword(Hklm(kGroupPolicy), L"NoAutoplayfornonVolume", 1);
    AddDword(Hkcu(kAutoplay), L"DisableAutoplay", 1);
    const Result table = RunCtl(L"audit");
    EXPECT_EQ(table.code, 0u);
    EXPECT_EQ(table.err, "");
    EXPECT_EQ(
        table.out,
        "      Check                            Found                Required\r\n"
        "PASS  Autorun.inf mapped to nowhere    \"@SYS:DoesNotExist\"  \"@SYS:DoesNotExist\"\r\n"
        "INFO  Autorun.inf mapping (32-bit)     \"@SYS:DoesNotExist\"  \"@SYS:DoesNotExist\"\r\n"
        "PASS  Turn off Autoplay: All drives    0xFF                 0xFF\r\n"
        "PASS  AutoRun default: do not execute  1                    1\r\n"
        "PASS  No Autoplay, non-volume devices  1                    1\r\n"
        "INFO  AutoPlay off for this user       1                    1\r\n"
        "\r\n"
        "Compliant: all 4 required checks pass.\r\n");
}

TEST_F(PlaxorctlAudit, ValuesOfThe32BitViewOrOfTheWrongTypeFailTheirChecksInUtf8Json) {
    RegAdd(Hklm(kAutoRunKey), L"/ve /d @SYS:DoesNotExist /reg:32");
    RegAdd(Hklm(kExplorerPolicy), L"/v NoAutorun /t REG_SZ /d \"ja \u00e9\"");
    const Result json = RunCtl(L"audit --json");
    EXPECT_EQ(json.code, 4u);
    EXPECT_EQ(json.err, "");
    // The window's view holds no mapping; 32-bit programs' view does.
    EXPECT_TRUE(StartsWith(json.out, "{\"autorun\": \"Enabled\", \"compliant\": false, "));
    EXPECT_TRUE(Contains(json.out, "\"name\": \"\", \"view\": \"32-bit\", \"type\": \"REG_SZ\", "
                                   "\"size\": 36, \"value\": \"@SYS:DoesNotExist\", "))
        << json.out;
    EXPECT_TRUE(Contains(
        json.out, "\"name\": \"NoAutorun\", \"view\": \"64-bit\", \"type\": \"REG_SZ\", "
                  "\"size\": 10, \"value\": \"ja \xC3\xA9\", \"expected\": 1, "
                  "\"required\": true, \"pass\": false, \"error\": \"wrong type: REG_SZ\", "))
        << json.out;
}

TEST(PlaxorctlManifest, AsksForNoElevation) {
    UniqueHMODULE module(::LoadLibraryExW(
        CtlPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module);
    HRSRC found = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const char* data =
        static_cast<const char*>(::LockResource(::LoadResource(module.get(), found)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, ::SizeofResource(module.get(), found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
}

} // namespace
} // namespace plaxor
