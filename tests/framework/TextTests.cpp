// The one strings module: UTF-8 both ways in its two variants, code points, the ANSI text of
// the runtimes and the comparison of names.
#include "framework/Text.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

const wchar_t kLoneHigh = wchar_t(0xD800);
const wchar_t kLoneLow = wchar_t(0xDC00);

TEST(Utf8, EveryLengthOfSequenceGoesBothWays) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"", ""},
        {L"A\x7f", "A\x7f"},
        {L"\u00e9", "\xC3\xA9"},
        {L"\u2713", "\xE2\x9C\x93"},
        {L"\U0001F600", "\xF0\x9F\x98\x80"},
        {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(ToUtf8(text), bytes) << ToUtf8(text);
        EXPECT_EQ(FromUtf8(bytes), text) << bytes;
    }
}

TEST(Utf8, ALoneSurrogateIsAReplacementCharacterInStandardUtf8) {
    EXPECT_EQ(ToUtf8(std::wstring{L'a', kLoneHigh, L'b'}), "a\xEF\xBF\xBD"
                                                           "b");
    EXPECT_EQ(ToUtf8(std::wstring{kLoneLow, kLoneHigh}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::wstring{kLoneHigh}), "\xEF\xBF\xBD");
}

TEST(Utf8, GeneralizedUtf8KeepsALoneSurrogateAndReadsItBack) {
    const std::wstring broken{L'x', kLoneHigh, L'y', kLoneLow, kLoneLow, kLoneHigh};
    const std::string bytes = ToUtf8(broken, Utf8Variant::Generalized);
    EXPECT_EQ(bytes, "x\xED\xA0\x80y\xED\xB0\x80\xED\xB0\x80\xED\xA0\x80");
    EXPECT_EQ(FromUtf8(bytes, Utf8Variant::Generalized), broken);
    EXPECT_EQ(FromUtf8(bytes), std::nullopt); // standard UTF-8 has no surrogates
    // A pair is one code point in either variant.
    EXPECT_EQ(ToUtf8(L"\U0001F600", Utf8Variant::Generalized), "\xF0\x9F\x98\x80");
}

TEST(Utf8, BytesThatAreNotUtf8GiveNothing) {
    const std::string cases[] = {
        "\x80",             // a continuation byte without a lead
        "a\xC3",            // cut short
        "\xE2\x9C",         // cut short
        "\xC3\x41",         // the continuation missing
        "\xC0\x80",         // overlong
        "\xE0\x80\x80",     // overlong
        "\xF0\x80\x80\x80", // overlong
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xF8\x88\x80\x80\x80",
        "\xFF",
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(FromUtf8(bytes), std::nullopt) << testing::PrintToString(bytes);
        EXPECT_EQ(FromUtf8(bytes, Utf8Variant::Generalized), std::nullopt)
            << testing::PrintToString(bytes);
    }
}

TEST(CodePoint, AboveTheBasicPlaneIsASurrogatePair) {
    std::wstring text;
    AppendCodePoint(text, U'A');
    AppendCodePoint(text, 0xFFFF);
    AppendCodePoint(text, 0x1F600);
    AppendCodePoint(text, 0x10FFFF);
    EXPECT_EQ(text, (std::wstring{L'A', wchar_t(0xFFFF), wchar_t(0xD83D), wchar_t(0xDE00),
                                  wchar_t(0xDBFF), wchar_t(0xDFFF)}));
}

TEST(AnsiText, RuntimeMessagesBecomeUtf16) {
    EXPECT_EQ(FromAnsi("std::bad_alloc"), L"std::bad_alloc");
    EXPECT_EQ(FromAnsi(""), L"");
    EXPECT_EQ(FromAnsi(nullptr), L"");
}

TEST(SameText, IgnoresLetterCaseOnly) {
    EXPECT_TRUE(SameText(L"--Quiet", L"--quiet"));
    EXPECT_TRUE(SameText(L"", L""));
    EXPECT_FALSE(SameText(L"status", L"statu"));
    EXPECT_FALSE(SameText(L"enable", L"enabled"));
    EXPECT_FALSE(SameText(L"a-b", L"a_b"));
}

} // namespace
} // namespace plaxor
