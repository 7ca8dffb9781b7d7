// TRegistry against the in-memory registry, where every call can be watched and broken.
#include "framework/Exception.h"
#include "policy/Registry.h"
#include "tests/support/MemoryRegistry.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        mem.PutKey(HKEY_LOCAL_MACHINE, L"Software\\A\\B");
        mem.PutKey(HKEY_CURRENT_USER, L"Software\\User");
    }
    std::wstring ReadRaw(DWORD type, std::vector<std::uint8_t> bytes) {
        mem.PutValue(HKEY_LOCAL_MACHINE, L"Software\\A", L"v", type, std::move(bytes));
        TRegistry reg(mem);
        reg.SelectRoot(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(reg.OpenPath(L"\\Software\\A", false));
        return reg.ReadText(L"v");
    }
    static std::vector<std::uint8_t> Bytes(const std::wstring& s, size_t extraNulls = 1) {
        std::vector<std::uint8_t> v(reinterpret_cast<const std::uint8_t*>(s.data()),
                                    reinterpret_cast<const std::uint8_t*>(s.data() + s.size()));
        v.resize(v.size() + 2 * extraNulls, 0);
        return v;
    }
    MemoryRegistry mem;
};

TEST_F(RegistryTest, CreationDefaults) {
    TRegistry reg(mem);
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), L"");
}

TEST_F(RegistryTest, PathRulesAndRecordedPath) {
    TRegistry reg(mem);
    // Relative with nothing open: against the root (HKCU).
    EXPECT_TRUE(reg.OpenPath(L"Software", false));
    EXPECT_EQ(reg.CurrentPath(), L"Software");
    // Relative against the current key; recorded as old path, backslash, new path.
    EXPECT_TRUE(reg.OpenPath(L"User", false));
    EXPECT_EQ(reg.CurrentPath(), L"Software\\User");
    // Missing key: false, nothing changes, no error.
    EXPECT_FALSE(reg.OpenPath(L"Nope", false));
    EXPECT_EQ(reg.LastOpenError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.CurrentPath(), L"Software\\User");
    // Switching the hive closes the current key.
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
    // Leading backslash: from the root, even with a key open; a trailing backslash names the
    // key before it.
    EXPECT_TRUE(reg.OpenPath(L"\\Software\\A\\", false));
    EXPECT_EQ(reg.CurrentPath(), L"Software\\A");
    EXPECT_TRUE(reg.OpenPath(L"\\Software\\A\\B", false));
    EXPECT_EQ(reg.CurrentPath(), L"Software\\A\\B");
    EXPECT_EQ(mem.OpenHandleCount(), 1u); // the previous key was closed
}

TEST_F(RegistryTest, OpenPathCreatesEveryMissingKey) {
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenPath(L"\\Software\\X\\Y\\Z", false));
    EXPECT_TRUE(reg.OpenPath(L"\\Software\\X\\Y\\Z", true));
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, L"Software\\X\\Y\\Z"));
    EXPECT_TRUE(reg.OpenPath(L"\\Software\\X\\Y\\Z", true)); // opens the existing key
}

TEST_F(RegistryTest, ReadTextSizeAndTypeRules) {
    EXPECT_EQ(ReadRaw(REG_SZ, Bytes(L"hello")), L"hello");
    EXPECT_EQ(ReadRaw(REG_EXPAND_SZ, Bytes(L"%TEMP%\\x")), L"%TEMP%\\x"); // never expanded
    EXPECT_EQ(ReadRaw(REG_SZ, Bytes(L"one\0two", 1)), L"one");            // cut at first NUL
    EXPECT_EQ(ReadRaw(REG_SZ, Bytes(L"abc", 0)), L"abc");                 // no NUL at all
    EXPECT_EQ(ReadRaw(REG_BINARY, {}), L"");                              // size 0: no error
    EXPECT_EQ(ReadRaw(REG_DWORD, {}), L"");
    EXPECT_EQ(ReadRaw(REG_SZ, {}), L"");
}

TEST_F(RegistryTest, ReadTextOddByteCountStaysInsideTheData) {
    // 7 bytes: three whole characters and half of a fourth, which is dropped.
    std::vector<std::uint8_t> odd = {'a', 0, 'b', 0, 'c', 0, 'd'};
    EXPECT_EQ(ReadRaw(REG_SZ, odd), L"abc");
    EXPECT_EQ(ReadRaw(REG_SZ, {'x'}), L"");
}

TEST_F(RegistryTest, ReadTextErrorsNameTheValue) {
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\A", false));
    EXPECT_EQ(reg.ReadText(L"missing"), L"");
    mem.PutValue(HKEY_LOCAL_MACHINE, L"Software\\A", L"num", REG_DWORD, {1, 0, 0, 0});
    try {
        reg.ReadText(L"num");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), L"Invalid data type for 'num'");
    }
    mem.PutText(HKEY_LOCAL_MACHINE, L"Software\\A", L"s", L"text");
    mem.FailRead(HKEY_LOCAL_MACHINE, L"Software\\A", L"s");
    try {
        reg.ReadText(L"s");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), L"Failed to get data for 's'");
    }
}

TEST_F(RegistryTest, ReadValueGivesTypeAndBytesWhateverTheType) {
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\A", false));
    for (const TRegistryValue& stored : std::vector<TRegistryValue>{
             {REG_BINARY, {}}, {REG_DWORD, {1, 0}}, {REG_SZ, Bytes(std::wstring(L"a\0b", 3))}}) {
        mem.PutValue(HKEY_LOCAL_MACHINE, L"Software\\A", L"v", stored.type, stored.data);
        TRegistryValue read;
        EXPECT_TRUE(reg.ReadValue(L"v", read));
        EXPECT_EQ(read.type, stored.type);
        EXPECT_EQ(read.data, stored.data); // nothing cut, nothing added
    }
    TRegistryValue read;
    EXPECT_FALSE(reg.ReadValue(L"missing", read));
    mem.FailRead(HKEY_LOCAL_MACHINE, L"Software\\A", L"v");
    EXPECT_THROW(reg.ReadValue(L"v", read), ERegistryException);
}

TEST_F(RegistryTest, The32BitViewOfTheMachineSoftwareKeyIsATreeOfItsOwn) {
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    reg.SetAccess(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\Vendor", true));
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, L"Software\\WOW6432Node\\Vendor"));
    EXPECT_FALSE(mem.HasKey(HKEY_LOCAL_MACHINE, L"Software\\Vendor"));
    ASSERT_TRUE(reg.OpenPath(L"\\Software", false));
    EXPECT_TRUE(reg.OpenPath(L"Vendor", false)); // relative to the software key as well
    reg.SetAccess(KEY_READ | KEY_WOW64_64KEY);
    EXPECT_FALSE(reg.OpenPath(L"\\Software\\Vendor", false));
    // The user's hive is one tree for both views.
    reg.SelectRoot(HKEY_CURRENT_USER);
    reg.SetAccess(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\Vendor", true));
    EXPECT_TRUE(mem.HasKey(HKEY_CURRENT_USER, L"Software\\Vendor"));
}

TEST_F(RegistryTest, WriteTextReplacesAnyTypeWithTerminatedText) {
    mem.PutValue(HKEY_LOCAL_MACHINE, L"Software\\A", L"", REG_DWORD, {7, 0, 0, 0});
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\A", false));
    reg.WriteText(L"", L"ab");
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(mem.GetValue(HKEY_LOCAL_MACHINE, L"Software\\A", L"", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{'a', 0, 'b', 0, 0, 0}));

    mem.FailWrite(HKEY_LOCAL_MACHINE, L"Software\\A", L"w");
    try {
        reg.WriteText(L"w", L"x");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), L"Failed to set data for 'w'");
    }
}

TEST_F(RegistryTest, DeleteTreeGoesDepthFirstHighestIndexFirst) {
    for (const wchar_t* k : {L"Software\\T\\a\\x", L"Software\\T\\a\\y", L"Software\\T\\b",
                             L"Software\\T\\c\\z\\deep"})
        mem.PutKey(HKEY_LOCAL_MACHINE, k);
    mem.PutText(HKEY_LOCAL_MACHINE, L"Software\\T", L"named", L"v");
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenPath(L"\\Software", false));
    const HKEY before = reg.CurrentKey();
    EXPECT_TRUE(reg.DeleteTree(L"T"));
    const std::vector<std::wstring> expected = {
        L"HKLM\\Software\\T\\c\\z\\deep", L"HKLM\\Software\\T\\c\\z", L"HKLM\\Software\\T\\c",
        L"HKLM\\Software\\T\\b",          L"HKLM\\Software\\T\\a\\y", L"HKLM\\Software\\T\\a\\x",
        L"HKLM\\Software\\T\\a",          L"HKLM\\Software\\T"};
    EXPECT_EQ(mem.DeletedKeys(), expected);
    // The previous current key and path are back, and only that key is open.
    EXPECT_EQ(reg.CurrentKey(), before);
    EXPECT_EQ(reg.CurrentPath(), L"Software");
    EXPECT_EQ(mem.OpenHandleCount(), 1u);
    EXPECT_FALSE(reg.DeleteTree(L"T")); // nothing left to delete
}

TEST_F(RegistryTest, DeleteTreeRefusesAnEmptyName) {
    // "" or "\\" would name the current key or the hive itself.
    TRegistry reg(mem);
    reg.SelectRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenPath(L"\\Software\\A", false));
    EXPECT_FALSE(reg.DeleteTree(L""));
    EXPECT_FALSE(reg.DeleteTree(L"\\"));
    EXPECT_TRUE(mem.HasKey(HKEY_LOCAL_MACHINE, L"Software\\A\\B"));
    EXPECT_TRUE(mem.DeletedKeys().empty());
}

TEST_F(RegistryTest, ReleasingClosesTheKey) {
    {
        TRegistry reg(mem);
        reg.SelectRoot(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenPath(L"\\Software\\A", false));
        EXPECT_EQ(mem.OpenHandleCount(), 1u);
    }
    EXPECT_EQ(mem.OpenHandleCount(), 0u);
}

TEST_F(RegistryTest, RealRegistryRoundTrip) {
    // The same contracts against the Windows registry of the test prefix.
    const std::wstring path = L"\\Software\\PlaxorTests\\Registry";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PlaxorTests");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenPath(path + L"\\Sub\\Deeper", true));
        reg.WriteText(L"name", L"value");
        EXPECT_EQ(reg.ReadText(L"name"), L"value");
        EXPECT_TRUE(reg.OpenPath(path, false));
        EXPECT_TRUE(reg.DeleteTree(L"Sub"));
        EXPECT_FALSE(reg.OpenPath(L"Sub", false));
    }
    HKEY check = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\PlaxorTests\\Registry\\Sub", 0,
                              KEY_READ, &check),
              ERROR_FILE_NOT_FOUND);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PlaxorTests");
}

} // namespace
} // namespace plaxor
