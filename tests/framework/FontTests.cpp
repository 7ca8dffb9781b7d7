#include "LayoutTestContext.h"
#include "framework/Exception.h"
#include "framework/Font.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

LOGFONTW HandleDescription(const TFont& font) {
    LOGFONTW lf{};
    ::GetObjectW(font.Handle(), sizeof lf, &lf);
    return lf;
}

TEST(Font, StartsAsTheWindowDefault) {
    TFont f;
    EXPECT_EQ(f.Name(), L"Tahoma");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_TRUE(f.Style().Empty());
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
}

TEST(Font, SizeInPointsConvertsAt96PixelsPerInch) {
    TFont f;
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10); // 9.75 rounds
}

TEST(Font, OnChangeIsRaisedOncePerActualChange) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &f);
        ++changes;
    };
    f.SetHeight(-11);
    f.SetName(L"Tahoma");
    EXPECT_EQ(changes, 0);
    f.SetHeight(-20);
    f.SetColor(clRed);
    f.SetStyle({fsBold, fsUnderline});
    f.SetCharset(ANSI_CHARSET);
    f.SetName(L"Arial");
    EXPECT_EQ(changes, 5);
}

TEST(Font, HandleIsRecreatedAfterAChange) {
    TFont f;
    LOGFONTW before = HandleDescription(f);
    EXPECT_EQ(before.lfHeight, -11);
    EXPECT_EQ(std::wstring(before.lfFaceName), L"Tahoma");
    f.SetHeight(-24);
    f.SetStyle({fsBold, fsItalic, fsStrikeOut});
    LOGFONTW after = HandleDescription(f);
    EXPECT_EQ(after.lfHeight, -24);
    EXPECT_EQ(after.lfWeight, FW_BOLD);
    EXPECT_TRUE(after.lfItalic);
    EXPECT_TRUE(after.lfStrikeOut);
    EXPECT_FALSE(after.lfUnderline);
}

TEST(Font, CopyFromTakesEverythingWithOneChange) {
    TFont source;
    source.SetName(L"Courier New");
    source.SetHeight(-15);
    source.SetColor(clBlue);
    source.SetStyle({fsItalic});
    source.SetCharset(SYMBOL_CHARSET);
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.CopyFrom(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Name(), L"Courier New");
    EXPECT_EQ(f.Height(), -15);
    EXPECT_EQ(f.Color(), clBlue);
    EXPECT_EQ(f.Style(), TFontStyles{fsItalic});
    EXPECT_EQ(f.Charset(), SYMBOL_CHARSET);
    f.CopyFrom(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(HandleDescription(f).lfHeight, -15);
}

TEST(Font, CopyFromSomethingElseIsAConversionError) {
    TFont f;
    TPersistent other;
    EXPECT_THROW(f.CopyFrom(&other), EConvertError);
    EXPECT_THROW(f.CopyFrom(nullptr), EConvertError);
}

TEST(Font, LayoutListsEveryPropertyInOrderEvenAtDefaults) {
    TFont f;
    std::vector<std::wstring> names;
    for (const PropertyInfo* p : f.Published().All()) {
        names.push_back(p->name);
        EXPECT_TRUE(p->save(f).has_value()) << p->name.size();
    }
    EXPECT_EQ(names,
              (std::vector<std::wstring>{L"Charset", L"Color", L"Height", L"Name", L"Style"}));
}

TEST(Font, LayoutValuesReadBack) {
    TFont f;
    f.SetStyle({fsBold, fsStrikeOut});
    f.SetColor(0x123456);
    TFont g;
    for (const PropertyInfo* p : f.Published().All())
        test::LoadProperty(g, p->name.c_str(), *p->save(f));
    EXPECT_EQ(g.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(g.Color(), 0x123456u);
    EXPECT_EQ(std::get<SetValue>(*test::SaveProperty(f, L"Style")).members,
              (std::vector<std::wstring>{L"fsBold", L"fsStrikeOut"}));
}

TEST(Font, CharsetIsStoredByItsHeaderNameAndReadByNameOrNumber) {
    TFont f;
    f.SetCharset(RUSSIAN_CHARSET);
    EXPECT_EQ(std::get<Ident>(*test::SaveProperty(f, L"Charset")).name, L"RUSSIAN_CHARSET");
    TFont g;
    test::LoadProperty(g, L"Charset", LayoutValue(Ident{L"default_charset"}));
    EXPECT_EQ(g.Charset(), DEFAULT_CHARSET);
    test::LoadProperty(g, L"Charset", LayoutValue(std::int64_t{238}));
    EXPECT_EQ(g.Charset(), EASTEUROPE_CHARSET);
}

TEST(Font, CharsetOutsideAByteOrUnknownNameIsAReadError) {
    TFont f;
    EXPECT_THROW(test::LoadProperty(f, L"Charset", LayoutValue(std::int64_t{256})), EReadError);
    EXPECT_THROW(test::LoadProperty(f, L"Charset", LayoutValue(Ident{L"KLINGON_CHARSET"})),
                 EReadError);
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
}

TEST(Font, InstalledFamiliesAreFoundAndInventedOnesNot) {
    EXPECT_TRUE(IsFontInstalled(L"Tahoma"));
    EXPECT_TRUE(IsFontInstalled(L"tahoma"));
    EXPECT_FALSE(IsFontInstalled(L"Plaxor No Such Face"));
    EXPECT_FALSE(IsFontInstalled(L""));
}

} // namespace
} // namespace plaxor
