#include "framework/Exception.h"
#include "tests/support/LayoutBinary.h"
#include "framework/Text.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Short(const std::string& s) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(s.size()));
    for (char c : s)
        out.push_back(static_cast<std::uint8_t>(c));
    return out;
}

// A tree that uses every kind of value.
LayoutNode SampleTree() {
    LayoutNode root;
    root.className = L"TWindow";
    root.name = L"main";
    root.properties = {
        {L"Caption", std::wstring(L"It's Plaxor")},
        {L"Left", std::int64_t{-5}},
        {L"Width", std::int64_t{409}},
        {L"Big", std::int64_t{70000}},
        {L"Huge", std::int64_t{-5000000000}},
        {L"Ratio", 0.25},
        {L"Visible", false},
        {L"Default", true},
        {L"Layout", Ident{L"blGlyphTop"}},
        {L"Font.Style", SetValue{{L"fsBold", L"fsItalic"}}},
        {L"Font.Name", std::wstring(L"T\u00e9st \u20ac")},
        {L"Images", std::monostate{}},
        {L"Notes.Strings", StringList{L"first", L"", L"caf\u00e9"}},
        {L"Picture.Data", Bytes{0x89, 0x50, 0x4E, 0x47, 0, 255}},
    };
    LayoutNode child;
    child.className = L"TButton";
    child.name = L"ok";
    child.properties = {{L"Tag", std::int64_t{1}}};
    LayoutNode grandchild;
    grandchild.className = L"TLabel";
    child.children.push_back(grandchild);
    root.children.push_back(child);
    return root;
}

TEST(LayoutBinaryValue, BinaryIsTypeTenThenLittleEndianLengthThenTheBytes) {
    EXPECT_EQ(EncodeLayoutValue(Bytes{0x89, 0x50, 0x4E, 0x47}),
              (Bytes{10, 4, 0, 0, 0, 0x89, 0x50, 0x4E, 0x47}));
}

TEST(LayoutBinaryValue, BinaryLengthUsesAllFourBytesLittleEndian) {
    const Bytes data(0x0102 + 3, 0xAB);
    const Bytes encoded = EncodeLayoutValue(data);
    ASSERT_EQ(encoded.size(), data.size() + 5);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.begin() + 5), (Bytes{10, 0x05, 0x01, 0, 0}));
    EXPECT_EQ(Bytes(encoded.begin() + 5, encoded.end()), data);
}

TEST(LayoutBinaryValue, EmptyBinaryIsJustTheHeader) {
    EXPECT_EQ(EncodeLayoutValue(Bytes{}), (Bytes{10, 0, 0, 0, 0}));
}

TEST(LayoutBinaryValue, IntegersTakeTheSmallestTypeThatHoldsThem) {
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{0}), (Bytes{2, 0}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{-128}), (Bytes{2, 0x80}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{127}), (Bytes{2, 0x7F}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{128}), (Bytes{3, 0x80, 0}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{-32768}), (Bytes{3, 0x00, 0x80}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{16117985}), (Bytes{4, 0xE1, 0xF0, 0xF5, 0}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{-32769}), (Bytes{4, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(EncodeLayoutValue(std::int64_t{0x80000000}), (Bytes{19, 0, 0, 0, 0x80, 0, 0, 0, 0}));
}

TEST(LayoutBinaryValue, AsciiTextIsAShortStringOtherTextUtf8WithALongLength) {
    EXPECT_EQ(EncodeLayoutValue(std::wstring(L"Hi'")), (Bytes{6, 3, 'H', 'i', '\''}));
    EXPECT_EQ(EncodeLayoutValue(std::wstring(L"\u00e9")), (Bytes{20, 2, 0, 0, 0, 0xC3, 0xA9}));
    const Bytes long256 = EncodeLayoutValue(std::wstring(256, L'x'));
    EXPECT_EQ(Bytes(long256.begin(), long256.begin() + 5), (Bytes{20, 0, 1, 0, 0}));
}

TEST(LayoutBinaryValue, OtherKindsHaveTheirTypeBytes) {
    EXPECT_EQ(EncodeLayoutValue(1.5), (Bytes{5, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    EXPECT_EQ(EncodeLayoutValue(false), (Bytes{8}));
    EXPECT_EQ(EncodeLayoutValue(true), (Bytes{9}));
    EXPECT_EQ(EncodeLayoutValue(std::monostate{}), (Bytes{13}));
    EXPECT_EQ(EncodeLayoutValue(Ident{L"clWhite"}), Concat({{7}, Short("clWhite")}));
    EXPECT_EQ(EncodeLayoutValue(SetValue{{L"a", L"bc"}}), (Bytes{11, 1, 'a', 2, 'b', 'c', 0}));
    EXPECT_EQ(EncodeLayoutValue(StringList{L"a", L""}), (Bytes{1, 6, 1, 'a', 6, 0, 0}));
}

TEST(LayoutBinaryValue, EveryKindDecodesToWhatWasEncoded) {
    for (const auto& [name, value] : SampleTree().properties) {
        SCOPED_TRACE(testing::Message() << ToUtf8(name));
        EXPECT_EQ(DecodeLayoutValue(EncodeLayoutValue(value)), value);
    }
}

TEST(LayoutBinaryValue, TextOutsideTheBasicPlaneAndBrokenSurrogatesReadBack) {
    const std::wstring emoji = L"a\U0001F600b";
    EXPECT_EQ(EncodeLayoutValue(emoji), (Bytes{20, 6, 0, 0, 0, 'a', 0xF0, 0x9F, 0x98, 0x80, 'b'}));
    EXPECT_EQ(DecodeLayoutValue(EncodeLayoutValue(emoji)), LayoutValue(emoji));
    const std::wstring lone = {L'x', wchar_t(0xD800), L'y', wchar_t(0xDC00)};
    EXPECT_EQ(DecodeLayoutValue(EncodeLayoutValue(lone)), LayoutValue(lone));
}

TEST(LayoutBinaryValue, DecodingReadsAnyIntegerWidthNotOnlyTheSmallest) {
    EXPECT_EQ(DecodeLayoutValue(Bytes{4, 5, 0, 0, 0}), LayoutValue(std::int64_t{5}));
    EXPECT_EQ(DecodeLayoutValue(Bytes{19, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
              LayoutValue(std::int64_t{-1}));
}

TEST(LayoutBinary, SmallComponentHasExactlyTheseBytes) {
    LayoutNode root;
    root.className = L"TB";
    root.name = L"b1";
    root.properties = {{L"W", std::int64_t{5}}, {L"On", true}};
    LayoutNode child;
    child.className = L"TC";
    root.children.push_back(child);
    EXPECT_EQ(WriteLayoutBinary(root), (Bytes{'T', 'P', 'F', '0',           // signature
                                              2,   'T', 'B', 2,   'b', '1', // class, name
                                              1,   'W', 2,   5,             // W = 5
                                              2,   'O', 'n', 9,             // On = True
                                              0,                            // end of properties
                                              2,   'T', 'C', 0,   0,   0,   // unnamed child
                                              0}));                         // end of children
}

TEST(LayoutBinary, TreeReadsBackUnchanged) {
    const LayoutNode tree = SampleTree();
    EXPECT_EQ(ReadLayoutBinary(WriteLayoutBinary(tree)), tree);
}

TEST(LayoutBinary, EveryTruncationOfAValidLayoutIsAReadError) {
    const Bytes full = WriteLayoutBinary(SampleTree());
    for (std::size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "length " << n);
        EXPECT_THROW(ReadLayoutBinary(Bytes(full.begin(), full.begin() + n)), EReadError);
    }
}

TEST(LayoutBinary, DamagedBytesGiveAReadErrorOrAValidTreeButNothingElse) {
    const Bytes full = WriteLayoutBinary(SampleTree());
    for (std::size_t i = 0; i < full.size(); ++i) {
        for (std::uint8_t replacement : {0x00, 0x01, 0x0A, 0x14, 0x7F, 0x80, 0xFF}) {
            Bytes damaged = full;
            damaged[i] = replacement;
            SCOPED_TRACE(testing::Message() << "offset " << i << " byte " << int(replacement));
            EXPECT_NO_THROW({
                try {
                    ReadLayoutBinary(damaged);
                } catch (const EReadError&) {
                }
            });
        }
    }
}

TEST(LayoutBinary, AbsurdLengthsAreReadErrors) {
    const Bytes head = Concat({{'T', 'P', 'F', '0'}, Short("TA"), Short(""), Short("P")});
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {10, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}})),
                 EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {20, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}})), EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {6, 200, 'a', 'b'}})), EReadError);
    EXPECT_THROW(DecodeLayoutValue(Bytes{10, 6, 0, 0, 0, 1, 2, 3, 4, 5}), EReadError);
}

TEST(LayoutBinary, DeepNestingIsAReadErrorNotACrash) {
    auto nested = [](int depth) {
        Bytes b = {'T', 'P', 'F', '0'};
        for (int i = 0; i <= depth; ++i)
            b.insert(b.end(), {1, 'T', 0, 0});
        for (int i = 0; i <= depth; ++i)
            b.push_back(0);
        return b;
    };
    EXPECT_NO_THROW(ReadLayoutBinary(nested(kMaxLayoutDepth)));
    try {
        ReadLayoutBinary(nested(kMaxLayoutDepth + 1));
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), L"Invalid layout data at offset " +
                                   std::to_wstring(4 + 4 * (kMaxLayoutDepth + 1)) +
                                   L": components are nested too deeply");
    }
    EXPECT_THROW(ReadLayoutBinary(nested(100000)), EReadError);
}

TEST(LayoutBinary, TooManyItemsIsAReadError) {
    Bytes b = Concat({{'T', 'P', 'F', '0'}, Short("TA"), Short(""), Short("P"), {1}});
    for (std::size_t i = 0; i <= kMaxLayoutItems; ++i)
        b.insert(b.end(), {6, 0});
    b.insert(b.end(), {0, 0, 0});
    try {
        ReadLayoutBinary(b);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"too many items"), std::wstring::npos);
    }
}

TEST(LayoutBinary, MalformedContentIsAReadError) {
    const Bytes sig = {'T', 'P', 'F', '0'};
    const Bytes head = Concat({sig, Short("TA"), Short(""), Short("P")});
    const Bytes tail = {0, 0};
    // wrong signature
    EXPECT_THROW(ReadLayoutBinary(Concat({{'T', 'P', 'F', '1'}, Short("TA"), {0, 0, 0}})),
                 EReadError);
    // unknown value type
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {14}, tail})), EReadError);
    // data after the end
    EXPECT_THROW(ReadLayoutBinary(Concat({sig, Short("TA"), {0, 0, 0, 0}})), EReadError);
    // overlong and broken UTF-8
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {20, 2, 0, 0, 0, 0xC0, 0x80}, tail})), EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {20, 2, 0, 0, 0, 0xC3, 0x41}, tail})), EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {20, 1, 0, 0, 0, 0xC3}, tail})), EReadError);
    // a number that is not finite
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {5, 0, 0, 0, 0, 0, 0, 0xF0, 0x7F}, tail})),
                 EReadError);
    // names that no text layout could hold
    EXPECT_THROW(ReadLayoutBinary(Concat({sig, Short("T A"), {0, 0, 0}})), EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({sig, Short("TA"), Short("a-b"), {0, 0}})), EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({sig, Short("TA"), Short(""), Short("P."), {9}, tail})),
                 EReadError);
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {7}, Short("True"), tail})), EReadError);
    // a list holding something other than text
    EXPECT_THROW(ReadLayoutBinary(Concat({head, {1, 2, 5, 0}, tail})), EReadError);
}

TEST(LayoutBinary, ErrorsSayWhereTheDataIsDamaged) {
    const Bytes data =
        Concat({{'T', 'P', 'F', '0'}, Short("TA"), Short(""), Short("P"), {14, 0, 0}});
    try {
        ReadLayoutBinary(data);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), L"Invalid layout data at offset 10: unknown value type 14");
    }
}

TEST(LayoutBinary, WriterRefusesWhatCouldNotBeReadBack) {
    LayoutNode node;
    node.className = L"TA";
    node.properties = {{L"P", std::numeric_limits<double>::infinity()}};
    EXPECT_THROW(WriteLayoutBinary(node), EWriteError);
    node.properties = {{L"P", Ident{L"nil"}}};
    EXPECT_THROW(WriteLayoutBinary(node), EWriteError);
    node.properties = {{L"bad name", true}};
    EXPECT_THROW(WriteLayoutBinary(node), EWriteError);
    node.properties = {};
    node.className = L"";
    EXPECT_THROW(WriteLayoutBinary(node), EWriteError);
    node.className = std::wstring(256, L'T');
    EXPECT_THROW(WriteLayoutBinary(node), EWriteError);
}

} // namespace
} // namespace plaxor
