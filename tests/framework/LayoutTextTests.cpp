#include "framework/Exception.h"
#include "framework/LayoutText.h"
#include "tests/support/LayoutBinary.h"
#include "tests/support/LayoutWriter.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

// Lines as the writer ends them.
std::wstring Text(std::initializer_list<std::wstring_view> lines) {
    std::wstring out;
    for (std::wstring_view line : lines)
        (out += line) += L"\r\n";
    return out;
}

LayoutNode Read(const std::wstring& text) {
    return ReadLayoutText(text, {});
}

// The value of one property of the root of a one-line-per-property layout.
LayoutValue ValueOf(const std::wstring& valueText) {
    const LayoutNode node = Read(L"object TA\n  P = " + valueText + L"\nend\n");
    return node.properties.at(0).second;
}

// The message of the EReadError that reading raises ("" if none).
std::wstring ErrorOf(const std::wstring& text, FileResolver resolve = {}) {
    try {
        ReadLayoutText(text, std::move(resolve));
    } catch (const EReadError& e) {
        return e.Message();
    }
    return L"";
}

const std::wstring kMainWindow = Text({
    L"object kelt: Tkelt",
    L"  Caption = 'Plaxor 1.2'",
    L"  ClientHeight = 232",
    L"  Color = clWhite",
    L"  Font.Style = []",
    L"  Left = -12",
    L"  Ratio = 0.75",
    L"  OnShow = FormShow",
    L"  object plaxorizebtn: TAdvGlowButton",
    L"    Caption = '&Disable'",
    L"    Font.Style = [fsBold, fsItalic]",
    L"    Images = nil",
    L"    TabStop = True",
    L"    Notes.Strings = (",
    L"      'first line'",
    L"      'it''s second'",
    L"      'caf'#233#13#10'!')",
    L"    Picture.Data = {",
    L"      0A1B2C3D}",
    L"  end",
    L"  object TTimer",
    L"  end",
    L"end",
});

TEST(LayoutText, ReadsTheWindowLayout) {
    const LayoutNode root = Read(kMainWindow);
    EXPECT_EQ(root.className, L"Tkelt");
    EXPECT_EQ(root.name, L"kelt");
    EXPECT_EQ(*root.Find(L"Caption"), LayoutValue(std::wstring(L"Plaxor 1.2")));
    EXPECT_EQ(*root.Find(L"ClientHeight"), LayoutValue(std::int64_t{232}));
    EXPECT_EQ(*root.Find(L"Color"), LayoutValue(Ident{L"clWhite"}));
    EXPECT_EQ(*root.Find(L"Font.Style"), LayoutValue(SetValue{}));
    EXPECT_EQ(*root.Find(L"Left"), LayoutValue(std::int64_t{-12}));
    EXPECT_EQ(*root.Find(L"Ratio"), LayoutValue(0.75));
    EXPECT_EQ(*root.Find(L"OnShow"), LayoutValue(Ident{L"FormShow"}));
    ASSERT_EQ(root.children.size(), 2u);
    const LayoutNode& button = root.children[0];
    EXPECT_EQ(button.className, L"TAdvGlowButton");
    EXPECT_EQ(button.name, L"plaxorizebtn");
    EXPECT_EQ(*button.Find(L"Caption"), LayoutValue(std::wstring(L"&Disable")));
    EXPECT_EQ(*button.Find(L"Font.Style"), LayoutValue(SetValue{{L"fsBold", L"fsItalic"}}));
    EXPECT_EQ(*button.Find(L"Images"), LayoutValue(std::monostate{}));
    EXPECT_EQ(*button.Find(L"TabStop"), LayoutValue(true));
    EXPECT_EQ(*button.Find(L"Notes.Strings"),
              LayoutValue(StringList{L"first line", L"it's second", L"caf\u00e9\r\n!"}));
    EXPECT_EQ(*button.Find(L"Picture.Data"), LayoutValue(Bytes{0x0A, 0x1B, 0x2C, 0x3D}));
    EXPECT_EQ(root.children[1].className, L"TTimer");
    EXPECT_EQ(root.children[1].name, L"");
}

TEST(LayoutText, TextToTreeToBinaryToTreeToTextIsUnchanged) {
    const LayoutNode tree = Read(kMainWindow);
    const LayoutNode again = ReadLayoutBinary(WriteLayoutBinary(tree));
    EXPECT_EQ(again, tree);
    EXPECT_EQ(WriteLayoutText(again), kMainWindow);
}

TEST(LayoutText, StringsQuoteOnlyPrintableAscii) {
    EXPECT_EQ(ValueOf(L"'it''s'"), LayoutValue(std::wstring(L"it's")));
    EXPECT_EQ(ValueOf(L"'a'#233'b'"), LayoutValue(std::wstring(L"a\u00e9b")));
    EXPECT_EQ(ValueOf(L"#$E9#9"), LayoutValue(std::wstring(L"\u00e9\t")));
    EXPECT_EQ(ValueOf(L"''"), LayoutValue(std::wstring()));
    EXPECT_EQ(ValueOf(L"#128512"), LayoutValue(std::wstring(L"\U0001F600")));
}

TEST(LayoutText, StringsJoinedByPlusMaySpanLines) {
    EXPECT_EQ(ValueOf(L"\n    'one ' +\n    'two' + #33"), LayoutValue(std::wstring(L"one two!")));
}

TEST(LayoutText, EveryCharacterOfAStringReadsBack) {
    std::wstring all;
    for (wchar_t c = 0; c < 0x180; ++c)
        all += c;
    all += {wchar_t(0xD83D), wchar_t(0xDE00), wchar_t(0xDC00), L'\''}; // a pair, a lone half
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"P", all}, {L"L", StringList{all, L"", L"x"}}};
    EXPECT_EQ(Read(WriteLayoutText(node)), node);
}

TEST(LayoutText, LongStringsAreWrittenOverSeveralLines) {
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"P", std::wstring(100, L'x')}};
    EXPECT_EQ(WriteLayoutText(node),
              Text({L"object TA", L"  P =", L"    '" + std::wstring(64, L'x') + L"' +",
                    L"    '" + std::wstring(36, L'x') + L"'", L"end"}));
}

TEST(LayoutText, WritesNonAsciiAndQuotesAsTheReaderExpects) {
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"P", std::wstring(L"It's caf\u00e9\r\n")}};
    EXPECT_EQ(WriteLayoutText(node), Text({L"object TA", L"  P = 'It''s caf'#233#13#10", L"end"}));
}

TEST(LayoutText, IntegersAreDecimalOrHexAndMayBeNegative) {
    EXPECT_EQ(ValueOf(L"$FF"), LayoutValue(std::int64_t{255}));
    EXPECT_EQ(ValueOf(L"-$10"), LayoutValue(std::int64_t{-16}));
    EXPECT_EQ(ValueOf(L"+7"), LayoutValue(std::int64_t{7}));
    EXPECT_EQ(ValueOf(L"9223372036854775807"), LayoutValue(INT64_MAX));
    EXPECT_EQ(ValueOf(L"-9223372036854775808"), LayoutValue(INT64_MIN));
}

TEST(LayoutText, NumbersHaveAPointOrAnExponent) {
    EXPECT_EQ(ValueOf(L"-0.25"), LayoutValue(-0.25));
    EXPECT_EQ(ValueOf(L"1e300"), LayoutValue(1e300));
    EXPECT_EQ(ValueOf(L"2.5E-3"), LayoutValue(0.0025));
}

TEST(LayoutText, WholeNumbersAreWrittenSoThatTheyReadBackAsNumbers) {
    for (double v : {1.0, -3.0, 1e20, 0.1, 123456.789, 5e-324}) {
        LayoutNode node;
        node.className = L"TA";
        node.properties = {{L"P", v}};
        EXPECT_EQ(Read(WriteLayoutText(node)), node) << v;
    }
}

TEST(LayoutText, WordsAndSets) {
    EXPECT_EQ(ValueOf(L"true"), LayoutValue(true));
    EXPECT_EQ(ValueOf(L"False"), LayoutValue(false));
    EXPECT_EQ(ValueOf(L"NIL"), LayoutValue(std::monostate{}));
    EXPECT_EQ(ValueOf(L"file"), LayoutValue(Ident{L"file"}));
    EXPECT_EQ(ValueOf(L"[ a ,b ]"), LayoutValue(SetValue{{L"a", L"b"}}));
}

TEST(LayoutText, BinaryIsWrappedAtThirtyTwoBytesAndReadsBack) {
    Bytes data;
    for (int i = 0; i < 40; ++i)
        data.push_back(static_cast<std::uint8_t>(i * 7));
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"P", data}, {L"E", Bytes{}}, {L"L", StringList{}}};
    const std::wstring text = WriteLayoutText(node);
    EXPECT_EQ(text, Text({L"object TA", L"  P = {",
                          L"    00070E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D9",
                          L"    E0E7EEF5FC030A11}", L"  E = {}", L"  L = ()", L"end"}));
    EXPECT_EQ(Read(text), node);
}

TEST(LayoutText, FileValuesComeFromTheResolver) {
    std::wstring asked;
    const LayoutNode node = ReadLayoutText(L"object TA\n  Glyph.Data = file 'glyph.bmp'\nend",
                                           [&](const std::wstring& name) {
                                               asked = name;
                                               return Bytes{0x42, 0x4D};
                                           });
    EXPECT_EQ(asked, L"glyph.bmp");
    EXPECT_EQ(*node.Find(L"Glyph.Data"), LayoutValue(Bytes{0x42, 0x4D}));
}

TEST(LayoutText, AnUnknownFileIsAReadErrorNamingItAndTheLine) {
    const auto unknown = [](const std::wstring& name) -> Bytes {
        throw EReadError(L"no resource named " + name);
    };
    EXPECT_EQ(ErrorOf(L"object TA\n\n  P = file 'x.jpg'\nend", unknown),
              L"Layout text, line 3: the file 'x.jpg' cannot be read: no resource named x.jpg");
    EXPECT_NE(ErrorOf(L"object TA\n  P = file 'x.jpg'\nend").find(L"line 2"), std::wstring::npos);
}

TEST(LayoutText, ErrorsNameTheLine) {
    EXPECT_EQ(ErrorOf(L"object TA\n  P = 1\n  Q = 'open\nend"),
              L"Layout text, line 3: the string is not closed by a quote");
    EXPECT_EQ(ErrorOf(L"object TA\n  P = (\n  'a'\nend"),
              L"Layout text, line 4: a list holds strings only, not 'end'");
    EXPECT_EQ(ErrorOf(L"object TA\n  P = {\n 0A1\n}\nend"),
              L"Layout text, line 4: the binary data has an odd number of hex digits");
    EXPECT_EQ(ErrorOf(L"object TA\n  P = {0A\n 0G}\nend"),
              L"Layout text, line 3: 'G' is not a hex digit");
    EXPECT_EQ(ErrorOf(L"object TA\n  P = 1\n"),
              L"Layout text, line 3: the object begun on line 1 has no 'end'");
}

TEST(LayoutText, UnclosedValuesAreReadErrors) {
    EXPECT_NE(ErrorOf(L"object TA\n  P = {0A0B"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = ('a' 'b'"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = [a, b"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 'a' +"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 'abc"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = #"), L"");
}

TEST(LayoutText, MalformedLinesAreReadErrors) {
    EXPECT_NE(ErrorOf(L""), L"");
    EXPECT_NE(ErrorOf(L"thing TA\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P 1\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P =\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 1 2\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 12ab\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = $\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 99999999999999999999\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = 1e999\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = #1114112\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = [a,]\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = a.b\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  P = ?\nend"), L"");
    EXPECT_NE(ErrorOf(L"object a.b: TA\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\nend\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TA\n  object TB\n  end\n  P = 1\nend"), L"");
    EXPECT_NE(ErrorOf(std::wstring(L"object TA\n  P = 'a\0b'\nend", 22)), L"");
}

TEST(LayoutText, EveryTruncationOfAValidLayoutIsAReadError) {
    const std::wstring full = kMainWindow.substr(0, kMainWindow.size() - 2); // up to the last "end"
    for (std::size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "length " << n);
        EXPECT_THROW(Read(full.substr(0, n)), EReadError);
    }
}

TEST(LayoutText, DamagedTextGivesAReadErrorOrAValidTreeButNothingElse) {
    for (std::size_t i = 0; i < kMainWindow.size(); ++i) {
        for (wchar_t replacement : {L'\'', L'(', L'{', L'[', L'#', L'$', L'-', L'+', L'=', L'\0',
                                    L'x', L'\n', wchar_t(0xD800)}) {
            std::wstring damaged = kMainWindow;
            damaged[i] = replacement;
            SCOPED_TRACE(testing::Message() << "offset " << i << " char " << int(replacement));
            EXPECT_NO_THROW({
                try {
                    Read(damaged);
                } catch (const EReadError&) {
                }
            });
        }
    }
}

TEST(LayoutText, DeepNestingIsAReadErrorNotACrash) {
    auto nested = [](int depth) {
        std::wstring text;
        for (int i = 0; i <= depth; ++i)
            text += L"object TA\n";
        for (int i = 0; i <= depth; ++i)
            text += L"end\n";
        return text;
    };
    EXPECT_NO_THROW(Read(nested(kMaxLayoutDepth)));
    EXPECT_EQ(ErrorOf(nested(kMaxLayoutDepth + 1)),
              L"Layout text, line 66: objects are nested too deeply");
    EXPECT_THROW(Read(nested(100000)), EReadError);
}

TEST(LayoutText, TooManyItemsIsAReadError) {
    std::wstring text = L"object TA\n  P = (";
    for (std::size_t i = 0; i <= kMaxLayoutItems; ++i)
        text += L"'' ";
    text += L")\nend\n";
    EXPECT_EQ(ErrorOf(text), L"Layout text, line 2: the layout holds too many items");
}

TEST(LayoutText, WriterRefusesWhatCouldNotBeReadBack) {
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"end", true}};
    EXPECT_THROW(WriteLayoutText(node), EWriteError);
    node.properties = {{L"P", Ident{L"True"}}};
    EXPECT_THROW(WriteLayoutText(node), EWriteError);
    node.properties = {{L"P", std::numeric_limits<double>::quiet_NaN()}};
    EXPECT_THROW(WriteLayoutText(node), EWriteError);
    node.properties = {{L"P", SetValue{{L"a b"}}}};
    EXPECT_THROW(WriteLayoutText(node), EWriteError);
}

} // namespace
} // namespace plaxor
