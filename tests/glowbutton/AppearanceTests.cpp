// The glow button's colour set: construction values, notifications, copying, streaming and
// the style presets; and the colour arithmetic the face painting uses.
#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/Properties.h"
#include "glowbutton/ColorMath.h"
#include "glowbutton/GlowButtonAppearance.h"
#include <gtest/gtest.h>
#include <map>

namespace plaxor {
namespace {

bool Same(const TGlowButtonAppearance& x, const TGlowButtonAppearance& y) {
    TGlowButtonAppearance probe;
    int changes = 0;
    probe.CopyFrom(&x);
    probe.onChange = [&](TObject*) { ++changes; };
    probe.CopyFrom(&y);
    return changes == 0;
}

struct Counter {
    int count = 0;
    void Attach(TGlowButtonAppearance& a) {
        a.onChange = [this](TObject*) { ++count; };
    }
};

TEST(Appearance, DerivedColoursFollowTheScalingRule) {
    TGlowButtonAppearance a;
    // Pressed and checked: red and green of the hot colours 10 % darker, blue kept.
    EXPECT_EQ(a.ColorDown(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorDownTo(), 0xF9BDA0u);
    EXPECT_EQ(a.ColorMirrorDown(), 0xF5B49Cu);
    EXPECT_EQ(a.ColorMirrorDownTo(), 0xFFDFDCu);
    EXPECT_EQ(a.ColorChecked(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0u);
    EXPECT_EQ(a.ColorMirrorChecked(), 0xF5B49Cu);
    EXPECT_EQ(a.ColorMirrorCheckedTo(), 0xFFDFDCu);
    // Disabled: the normal colours 5 % darker.
    EXPECT_EQ(a.ColorDisabled(), 0xF2F2F2u);
    EXPECT_EQ(a.ColorDisabledTo(), 0xF2F2F2u);
    EXPECT_EQ(a.ColorMirrorDisabled(), 0xB6B6B6u);
    EXPECT_EQ(a.ColorMirrorDisabledTo(), 0xF2F2F2u);
}

TEST(Appearance, ConstructionValues) {
    TGlowButtonAppearance a;
    EXPECT_EQ(a.BorderColor(), 0xC0C0C0u);
    EXPECT_EQ(a.BorderColorHot(), clBlue);
    EXPECT_EQ(a.BorderColorDown(), clNavy);
    EXPECT_EQ(a.BorderColorChecked(), clBlue);
    EXPECT_EQ(a.BorderColorDisabled(), clGray);
    EXPECT_EQ(a.Color(), clWhite);
    EXPECT_EQ(a.ColorTo(), clWhite);
    EXPECT_EQ(a.ColorMirror(), 0xC0C0C0u);
    EXPECT_EQ(a.ColorMirrorTo(), clWhite);
    EXPECT_EQ(a.ColorHot(), 0xF5F0E1u);
    EXPECT_EQ(a.ColorHotTo(), 0xF9D2B2u);
    EXPECT_EQ(a.ColorMirrorHot(), 0xF5C8ADu);
    EXPECT_EQ(a.ColorMirrorHotTo(), 0xFFF8F4u);
    EXPECT_EQ(a.Gradient(), ggVertical);
    EXPECT_EQ(a.GradientMirror(), ggVertical);
    EXPECT_EQ(a.GradientHot(), ggRadial);
    EXPECT_EQ(a.GradientMirrorChecked(), ggVertical);
    EXPECT_EQ(a.GradientMirrorDisabled(), ggRadial);
    EXPECT_TRUE(a.SystemFont());
    EXPECT_FALSE(a.onChange);
}

TEST(Appearance, SettersNotifyOnlyOnChange) {
    TGlowButtonAppearance a;
    Counter c;
    c.Attach(a);
    a.SetColorHot(a.ColorHot());
    a.SetSystemFont(true);
    a.SetGradient(ggVertical);
    EXPECT_EQ(c.count, 0);
    a.SetColorHot(0x123456);
    a.SetSystemFont(false);
    a.SetGradient(ggDiagonalBackward);
    EXPECT_EQ(c.count, 3);
}

TEST(Appearance, CopyFromRaisesOneNotificationPerDifference) {
    TGlowButtonAppearance source, target;
    source.SetColorMirrorDisabledTo(0x010203);
    source.SetGradientChecked(ggDiagonalForward);
    source.SetSystemFont(false);
    Counter c;
    c.Attach(target);
    target.CopyFrom(&source);
    EXPECT_EQ(c.count, 3);
    EXPECT_TRUE(Same(source, target));
    target.CopyFrom(&source);
    EXPECT_EQ(c.count, 3);
}

TEST(Appearance, CopyFromAnotherClassIsAConversionErrorAndChangesNothing) {
    TGlowButtonAppearance a;
    a.SetColor(0x111111);
    TFont font;
    try {
        a.CopyFrom(&font);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a TFont to a TGlowButtonAppearance");
    }
    try {
        a.CopyFrom(nullptr);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a nil to a TGlowButtonAppearance");
    }
    EXPECT_EQ(a.Color(), 0x111111u);
}

TEST(Appearance, ANewAppearanceStoresExactlyTheSixteenAlwaysWrittenColours) {
    TGlowButtonAppearance a;
    std::vector<std::wstring> stored;
    for (const PropertyInfo* p : a.Published().All())
        if (p->save && p->save(a)) stored.push_back(p->name);
    const std::vector<std::wstring> expected = {L"ColorChecked",
                                                L"ColorCheckedTo",
                                                L"ColorDisabled",
                                                L"ColorDisabledTo",
                                                L"ColorDown",
                                                L"ColorDownTo",
                                                L"ColorHot",
                                                L"ColorHotTo",
                                                L"ColorMirrorHot",
                                                L"ColorMirrorHotTo",
                                                L"ColorMirrorDown",
                                                L"ColorMirrorDownTo",
                                                L"ColorMirrorChecked",
                                                L"ColorMirrorCheckedTo",
                                                L"ColorMirrorDisabled",
                                                L"ColorMirrorDisabledTo"};
    EXPECT_EQ(stored, expected);
    // The values go out as plain numbers (the main window's layout lists them in decimal).
    const PropertyInfo* hot = a.Published().Find(L"ColorHot");
    ASSERT_NE(hot, nullptr);
    EXPECT_EQ(hot->save(a), LayoutValue(std::int64_t{16117985}));
    // A changed default-carrying value is written too, and read back through its setter.
    a.SetGradient(ggRadial);
    const PropertyInfo* gradient = a.Published().Find(L"Gradient");
    EXPECT_EQ(gradient->save(a), LayoutValue(Ident{L"ggRadial"}));
}

TEST(StylePresets, ZeroKeepsTheCheckedBorderAndFourSetsIt) {
    TGlowButtonAppearance zero, four;
    ApplyStylePresetTo(zero, 0);
    EXPECT_EQ(zero.BorderColorChecked(), clBlue);
    EXPECT_EQ(zero.Color(), 0xEEDBC8u);
    EXPECT_EQ(zero.ColorMirrorDown(), 0x0E72F1u);
    EXPECT_EQ(zero.GradientHot(), ggVertical);
    ApplyStylePresetTo(four, 4);
    EXPECT_EQ(four.BorderColorChecked(), 0x45667Bu);
    EXPECT_EQ(four.BorderColor(), 0xE0B99Bu);
    // Nothing touches the disabled set or the typeface choice.
    EXPECT_EQ(four.ColorMirrorDisabled(), 0xB6B6B6u);
    EXPECT_EQ(four.GradientDisabled(), ggRadial);
    EXPECT_TRUE(four.SystemFont());
}

TEST(StylePresets, HighlightSetIsWrittenBeforeOrAfterTheBaseColours) {
    // Observed through the first notification: with the highlight first, the base colour is
    // still the old one when the first value changes.
    for (auto [style, baseFirst] :
         {std::pair<int, bool>{0, false}, {7, false}, {3, true}, {9, true}}) {
        TGlowButtonAppearance a;
        bool baseChangedFirst = false;
        bool first = true;
        a.onChange = [&](TObject*) {
            if (first) baseChangedFirst = a.Color() != clWhite || a.ColorTo() != clWhite;
            first = false;
        };
        ApplyStylePresetTo(a, static_cast<std::uint8_t>(style));
        EXPECT_EQ(baseChangedFirst, baseFirst) << "preset " << style;
    }
}

TEST(StylePresets, FlatSixUsesTheHighlightSystemColour) {
    TGlowButtonAppearance a;
    ApplyStylePresetTo(a, 6);
    EXPECT_EQ(a.BorderColorHot(), clHighlight);
    EXPECT_EQ(a.BorderColorDown(), clHighlight);
    EXPECT_EQ(a.BorderColorChecked(), 0x000000u);
    EXPECT_EQ(a.ColorMirrorHotTo(), 0xEFD3C6u);
    EXPECT_EQ(a.ColorDownTo(), 0xB59284u);
    EXPECT_EQ(a.ColorCheckedTo(), 0xB9D8DCu);
    EXPECT_EQ(a.ColorMirror(), 0xB9D8DCu);
}

TEST(StylePresets, EightAndUnknownNumbersChangeNothing) {
    for (int style : {8, 10, 255}) {
        TGlowButtonAppearance a;
        Counter c;
        c.Attach(a);
        ApplyStylePresetTo(a, static_cast<std::uint8_t>(style));
        EXPECT_EQ(c.count, 0) << "preset " << style;
    }
}

TEST(ColorMath, ScalingRoundsHalfToEvenOnTheExactProduct) {
    EXPECT_EQ(DarkenColor(0x0000E1, -10), 0x0000CAu); // 225 * 0.9 = 202.5 -> 202
    EXPECT_EQ(DarkenColor(0x0000EB, -10), 0x0000D4u); // 235 * 0.9 = 211.5 -> 212
    EXPECT_EQ(DarkenColor(clWhite, -10), 0xE6E6E6u);  // 230
    EXPECT_EQ(DarkenColor(clWhite, -5), 0xF2F2F2u);   // 242.25 -> 242
    EXPECT_EQ(DarkenColor(0x00FF00, 5), 0x05FF05u);   // zero channels take a positive delta
    EXPECT_EQ(DarkenColor(0x00FF00, -10), 0x00E600u); // and stay 0 with a negative one
    EXPECT_EQ(ScaleColor(0xF5F0E1, -10, -10, 0), 0xF5D8CAu);
}

TEST(ColorMath, BlendReturnsItsInputsUnconvertedAtTheEnds) {
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 150), clBtnFace);
    EXPECT_EQ(BlendColor(clWhite, clWindowText, 0), clWindowText);
    EXPECT_EQ(BlendColor(clWhite, clWindowText, -20), clWindowText);
}

TEST(ColorMath, BlendMixesChannelsRoundingHalfToEven) {
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 50), 0x808080u); // 127.5 -> 128
    EXPECT_EQ(BlendColor(0x010101, 0x000000, 50), 0x000000u); // 0.5 -> 0
    EXPECT_EQ(BlendColor(0x030303, 0x000000, 50), 0x020202u); // 1.5 -> 2
    EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 20), 0xCC0033u);
    // System colours are resolved before mixing.
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(BlendColor(clBtnFace, face, 60), face);
}

} // namespace
} // namespace plaxor
