// The AutoRun switch against Wine's real registry in the test prefix, and against the in-memory
// registry where access can be denied and reads and writes can fail.
#include "framework/Exception.h"
#include "policy/AutoRunPolicy.h"
#include "tests/support/AutoRunKey.h"
#include "tests/support/MemoryRegistry.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

std::wstring MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return L"(no error)";
}

// Each test starts with the mapping key absent and leaves it absent.
class RealRegistryPolicy : public testing::Test {
protected:
    void SetUp() override { RemoveAutoRunKey(); }
    void TearDown() override { SetUp(); }

    static void SetDefaultText(const std::wstring& text, DWORD type = REG_SZ) {
        PutAutoRunDefault(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
};

TEST_F(RealRegistryPolicy, DisableWritesTheSentinelAndEnableRemovesTheKey) {
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);

    DisableAutoRun();
    DWORD type = 0, size = 0;
    wchar_t data[64] = {};
    size = sizeof data;
    ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", RRF_RT_ANY | RRF_NOEXPAND, &type,
                             data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 36u);
    EXPECT_STREQ(data, L"@SYS:DoesNotExist");
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Disabled);

    DisableAutoRun(); // again: same value, still disabled
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Disabled);

    EnableAutoRun();
    EXPECT_FALSE(AutoRunKeyExists());
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
    EnableAutoRun(); // nothing left to remove: silent
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
}

TEST_F(RealRegistryPolicy, EnableRemovesOtherValuesAndASubKeyTree) {
    DisableAutoRun();
    UniqueHKEY key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                                (std::wstring(kAutoRunKey) + L"\\one\\two").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    key.reset();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kAutoRunKey, L"other", REG_SZ, L"x", 4),
              ERROR_SUCCESS);
    DisableAutoRun(); // leaves the other value alone
    EXPECT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, kAutoRunKey, L"other", RRF_RT_REG_SZ, nullptr,
                             nullptr, nullptr),
              ERROR_SUCCESS);
    EnableAutoRun();
    EXPECT_FALSE(AutoRunKeyExists());
    // The parent stays.
    UniqueHKEY parent;
    EXPECT_EQ(
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kIniFileMappingKey.c_str(), 0, KEY_READ, parent.put()),
        ERROR_SUCCESS);
}

TEST_F(RealRegistryPolicy, OnlyTheExactSentinelStringMeansDisabled) {
    SetDefaultText(L"@SYS:DoesNotExist", REG_EXPAND_SZ);
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Disabled);
    SetDefaultText(L"@sys:doesnotexist");
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
    SetDefaultText(L"@SYS:DoesNotExist ");
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
    const wchar_t withTail[] = L"@SYS:DoesNotExist\0more";
    PutAutoRunDefault(REG_SZ, withTail, sizeof withTail);
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Disabled);
}

TEST_F(RealRegistryPolicy, EmptyOrMissingDefaultValueMeansEnabledWithoutError) {
    UniqueHKEY key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAutoRunKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    key.reset();
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled); // no default value
    SetDefaultText(L"");
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
    PutAutoRunDefault(REG_BINARY, nullptr, 0);
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Enabled);
}

TEST_F(RealRegistryPolicy, DwordDefaultValueIsAnErrorThatDisableRepairs) {
    const DWORD one = 1;
    PutAutoRunDefault(REG_DWORD, &one, sizeof one);
    EXPECT_EQ(MessageOf([] { QueryAutoRunState(); }), L"Invalid data type for ''");
    DisableAutoRun();
    EXPECT_EQ(QueryAutoRunState(), AutoRunState::Disabled);
    EnableAutoRun();
    EXPECT_FALSE(AutoRunKeyExists());
}

// ---- In-memory registry: failures and bookkeeping ----

class MemoryRegistryPolicy : public testing::Test {
protected:
    void SetUp() override { mem.PutKey(HKEY_LOCAL_MACHINE, kIniFileMappingKey); }
    MemoryRegistry mem;
};

TEST_F(MemoryRegistryPolicy, WithoutWriteRightsTheQueryStillReadsTheTruth) {
    mem.PutText(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", L"@SYS:DoesNotExist");
    mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    EXPECT_EQ(QueryAutoRunState(mem), AutoRunState::Disabled);
    EXPECT_EQ(MessageOf([&] { EnableAutoRun(mem); }),
              L"Administrator rights are needed to change the AutoRun setting");
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, kAutoRunKey));
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryPolicy, DisableWithoutRightsSaysSoAndWritesNothing) {
    mem.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE", MemoryRegistry::Denial::Write);
    EXPECT_EQ(MessageOf([&] { DisableAutoRun(mem); }),
              L"Administrator rights are needed to change the AutoRun setting");
    EXPECT_FALSE(mem.HasKey(HKEY_LOCAL_MACHINE, kAutoRunKey));
    EXPECT_EQ(QueryAutoRunState(mem), AutoRunState::Enabled);
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryPolicy, MissingParentKeyIsSilent) {
    MemoryRegistry empty;
    EXPECT_NO_THROW(EnableAutoRun(empty));
    EXPECT_EQ(QueryAutoRunState(empty), AutoRunState::Enabled);
    // Disable creates every missing key on the way.
    DisableAutoRun(empty);
    EXPECT_EQ(QueryAutoRunState(empty), AutoRunState::Disabled);
}

TEST_F(MemoryRegistryPolicy, FailedReadAndWriteRaiseTheirMessagesAndCloseTheKey) {
    mem.PutText(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", L"@SYS:DoesNotExist");
    mem.FailRead(HKEY_LOCAL_MACHINE, kAutoRunKey, L"");
    EXPECT_EQ(MessageOf([&] { QueryAutoRunState(mem); }), L"Failed to get data for ''");
    EXPECT_EQ(mem.OpenHandleCount(), 0u);

    MemoryRegistry fresh;
    fresh.FailWrite(HKEY_LOCAL_MACHINE, kAutoRunKey, L"");
    EXPECT_EQ(MessageOf([&] { DisableAutoRun(fresh); }), L"Failed to set data for ''");
    EXPECT_TRUE(fresh.HasKey(HKEY_LOCAL_MACHINE, kAutoRunKey)); // created before the write failed
    EXPECT_EQ(fresh.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryPolicy, InvalidTypeClosesTheKeyToo) {
    mem.PutValue(HKEY_LOCAL_MACHINE, kAutoRunKey, L"", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
    EXPECT_EQ(MessageOf([&] { QueryAutoRunState(mem); }), L"Invalid data type for ''");
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryPolicy, EnableDeletesDeepestAndHighestIndexFirst) {
    const std::wstring key = kAutoRunKey;
    mem.PutText(HKEY_LOCAL_MACHINE, key, L"", L"@SYS:DoesNotExist");
    mem.PutText(HKEY_LOCAL_MACHINE, key, L"extra", L"x");
    mem.PutKey(HKEY_LOCAL_MACHINE, key + L"\\a\\a1");
    mem.PutKey(HKEY_LOCAL_MACHINE, key + L"\\b\\b1\\b2");
    EnableAutoRun(mem);
    const std::wstring base = L"HKLM\\" + key;
    const std::vector<std::wstring> expected = {base + L"\\b\\b1\\b2", base + L"\\b\\b1",
                                                base + L"\\b",         base + L"\\a\\a1",
                                                base + L"\\a",         base};
    EXPECT_EQ(mem.DeletedKeys(), expected);
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, kIniFileMappingKey));
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
    EXPECT_EQ(QueryAutoRunState(mem), AutoRunState::Enabled);
}

} // namespace
} // namespace plaxor
