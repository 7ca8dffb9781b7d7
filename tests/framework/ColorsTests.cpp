#include "LayoutTestContext.h"
#include "framework/Colors.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace plaxor {
namespace {

TEST(Colors, SystemColoursResolveThroughTheSystemTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(clHighlight), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(clInfoBk), ::GetSysColor(COLOR_INFOBK));
}

TEST(Colors, PlainColoursAreLeftAlone) {
    EXPECT_EQ(ColorToRGB(clNavy), 0x800000u);
    EXPECT_EQ(ColorToRGB(0x00F5D8CA), 0x00F5D8CAu);
}

// A small published object to drive the layout builder.
class Swatch : public TPersistent {
public:
    TColor Color() const { return color; }
    void SetColor(TColor c) { color = c; }
    const PropertyTable& Published() const override {
        static const PropertyTable table(nullptr,
                                         {props::Color(L"Color", &Swatch::Color, &Swatch::SetColor,
                                                       std::optional<TColor>(clBtnFace))});
        return table;
    }
    TColor color = clBtnFace;
};

TEST(ColorProperty, NamedColoursAreWrittenAsTheirNameAndReadBack) {
    for (TColor c : {clBlack, clNavy, clWhite, clNone, clDefault, clWindow, clHighlightText,
                     clMenuBar, clMoneyGreen}) {
        Swatch s;
        s.color = c;
        const auto saved = test::SaveProperty(s, L"Color");
        ASSERT_TRUE(saved.has_value());
        ASSERT_TRUE(std::holds_alternative<Ident>(*saved));
        Swatch back;
        test::LoadProperty(back, L"Color", *saved);
        EXPECT_EQ(back.color, c) << std::get<Ident>(*saved).name.size();
    }
}

TEST(ColorProperty, OtherValuesAreWrittenAsIntegersAndReadBack) {
    Swatch s;
    s.color = 0x00F5D8CA;
    const auto saved = test::SaveProperty(s, L"Color");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(std::get<std::int64_t>(*saved), 16111818);
    Swatch back;
    test::LoadProperty(back, L"Color", *saved);
    EXPECT_EQ(back.color, 0x00F5D8CAu);
}

TEST(ColorProperty, TheDefaultIsNotStored) {
    Swatch s;
    EXPECT_FALSE(test::SaveProperty(s, L"Color").has_value());
}

TEST(ColorProperty, NamesAreCaseInsensitiveAndNegativeSystemNumbersAccepted) {
    Swatch s;
    test::LoadProperty(s, L"Color", Ident{L"CLBTNSHADOW"});
    EXPECT_EQ(s.color, clBtnShadow);
    test::LoadProperty(s, L"Color", std::int64_t{-16777201}); // 0xFF00000F
    EXPECT_EQ(s.color, clBtnFace);
}

TEST(ColorProperty, UnknownNamesAndOutOfRangeNumbersAreReadErrors) {
    Swatch s;
    EXPECT_THROW(test::LoadProperty(s, L"Color", Ident{L"clPlaid"}), EReadError);
    EXPECT_THROW(test::LoadProperty(s, L"Color", std::int64_t{0x100000000}), EReadError);
    EXPECT_THROW(test::LoadProperty(s, L"Color", std::wstring(L"clRed")), EReadError);
    EXPECT_EQ(s.color, clBtnFace);
}

} // namespace
} // namespace plaxor
