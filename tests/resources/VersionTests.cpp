// The version information Explorer shows for Plaxor.exe, read as Windows reads it.
#include "ModuleResource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace plaxor::test {
namespace {

class VersionInfo : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = SubjectPath();
        ASSERT_FALSE(path.empty());
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        block_.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    // Null when the block has no such entry.
    const void* Query(const std::wstring& path, UINT* length) {
        void* value = nullptr;
        *length = 0;
        if (!::VerQueryValueW(block_.data(), path.c_str(), &value, length)) return nullptr;
        return value;
    }

    const VS_FIXEDFILEINFO* Fixed() {
        UINT length = 0;
        auto* info = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
        return length == sizeof(VS_FIXEDFILEINFO) ? info : nullptr;
    }

    std::vector<std::uint8_t> block_;
};

TEST_F(VersionInfo, FixedPartDeclaresVersionOneOfAnApplication) {
    const VS_FIXEDFILEINFO* info = Fixed();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info->dwFileVersionLS, 0u);
    EXPECT_EQ(info->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info->dwProductVersionLS, 0u);
    EXPECT_EQ(info->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(info->dwFileFlags, 0x1u);
    EXPECT_EQ(info->dwFileOS, 0x4u);
    EXPECT_EQ(info->dwFileType, 0x1u);
    EXPECT_EQ(info->dwFileSubtype, 0u);
}

// Windows finds the strings through the translation list: a table under any other name is
// never shown.
TEST_F(VersionInfo, TranslationNamesTheUsEnglishStringTable) {
    UINT length = 0;
    auto* pairs = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(pairs[0], 0x0409);
    EXPECT_EQ(pairs[1], 1200); // Unicode
}

struct Entry {
    const wchar_t* name;
    const wchar_t* value;
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << std::string(e.name, e.name + std::wcslen(e.name));
}

class VersionString : public VersionInfo, public testing::WithParamInterface<Entry> {
protected:
    // The string under the table the translation list names; the terminating nulls that
    // resource compilers count into the length are not part of it.
    bool Lookup(std::wstring* text) {
        UINT length = 0;
        auto* pairs = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
        if (!pairs || length < 4) return false;
        wchar_t table[16];
        std::swprintf(table, 16, L"%04x%04x", pairs[0], pairs[1]);
        auto* chars = static_cast<const wchar_t*>(
            Query(std::wstring(L"\\StringFileInfo\\") + table + L"\\" + GetParam().name, &length));
        if (!chars) return false;
        text->assign(chars, length);
        while (!text->empty() && text->back() == L'\0')
            text->pop_back();
        return true;
    }
};

TEST_P(VersionString, HoldsItsValue) {
    std::wstring text;
    ASSERT_TRUE(Lookup(&text));
    EXPECT_EQ(text, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Plaxor, VersionString,
    testing::Values(Entry{L"FileDescription", L"Plaxor"}, Entry{L"FileVersion", L"1.0.0.0"},
                    Entry{L"ProductVersion", L"1.0.0.0"}, Entry{L"ProductName", L""},
                    Entry{L"LegalTrademarks", L""}, Entry{L"CompanyName", L"Plaxor"},
                    Entry{L"LegalCopyright", L"Copyright (C) 2026 Plaxor"},
                    Entry{L"InternalName", L"Plaxor"}, Entry{L"OriginalFilename", L"Plaxor.exe"},
                    Entry{L"Comments", L"https://plaxor.example/"}));

} // namespace
} // namespace plaxor::test
