#include "GlowButtonAppearance.h"
#include "ColorMath.h"
#include "framework/Properties.h"

namespace plaxor {

using A = TGlowButtonAppearance;

TGlowButtonAppearance::TGlowButtonAppearance() {
    // Through the setters, before anyone listens: construction raises nothing.
    SetBorderColor(0xC0C0C0);
    SetBorderColorHot(clBlue);
    SetBorderColorDown(clNavy);
    SetBorderColorChecked(clBlue);
    SetBorderColorDisabled(clGray);
    SetColor(clWhite);
    SetColorTo(clWhite);
    SetColorMirror(0xC0C0C0);
    SetColorMirrorTo(clWhite);
    SetColorHot(0xF5F0E1);
    SetColorHotTo(0xF9D2B2);
    SetColorMirrorHot(0xF5C8AD);
    SetColorMirrorHotTo(0xFFF8F4);
    // Pressed and checked are the hot colours with red and green 10 % darker; disabled is the
    // normal set 5 % darker.
    auto pressed = [](TColor hot) { return ScaleColor(hot, -10, -10, 0); };
    auto disabled = [](TColor normal) { return ScaleColor(normal, -5, -5, -5); };
    SetColorDown(pressed(ColorHot()));
    SetColorDownTo(pressed(ColorHotTo()));
    SetColorMirrorDown(pressed(ColorMirrorHot()));
    SetColorMirrorDownTo(pressed(ColorMirrorHotTo()));
    SetColorChecked(pressed(ColorHot()));
    SetColorCheckedTo(pressed(ColorHotTo()));
    SetColorMirrorChecked(pressed(ColorMirrorHot()));
    SetColorMirrorCheckedTo(pressed(ColorMirrorHotTo()));
    SetColorDisabled(disabled(Color()));
    SetColorDisabledTo(disabled(ColorTo()));
    SetColorMirrorDisabled(disabled(ColorMirror()));
    SetColorMirrorDisabledTo(disabled(ColorMirrorTo()));
    SetGradient(ggVertical);
    SetGradientMirror(ggVertical);
    SetGradientHot(ggRadial);
    SetGradientMirrorHot(ggRadial);
    SetGradientDown(ggRadial);
    SetGradientMirrorDown(ggRadial);
    SetGradientChecked(ggRadial);
    SetGradientMirrorChecked(ggVertical);
    SetGradientDisabled(ggRadial);
    SetGradientMirrorDisabled(ggRadial);
    SetSystemFont(true);
}

const PropertyTable& TGlowButtonAppearance::ClassProperties() {
    const std::optional<TColor> always; // no default: always written
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {
            props::Color(L"BorderColor", &A::BorderColor, &A::SetBorderColor, 0xC0C0C0),
            props::Color(L"BorderColorHot", &A::BorderColorHot, &A::SetBorderColorHot, clBlue),
            props::Color(L"BorderColorDown", &A::BorderColorDown, &A::SetBorderColorDown, clNavy),
            props::Color(L"BorderColorChecked", &A::BorderColorChecked, &A::SetBorderColorChecked,
                         clBlue),
            props::Color(L"BorderColorDisabled", &A::BorderColorDisabled,
                         &A::SetBorderColorDisabled, clGray),
            props::Color(L"Color", &A::Color, &A::SetColor, clWhite),
            props::Color(L"ColorTo", &A::ColorTo, &A::SetColorTo, clWhite),
            props::Color(L"ColorChecked", &A::ColorChecked, &A::SetColorChecked, always),
            props::Color(L"ColorCheckedTo", &A::ColorCheckedTo, &A::SetColorCheckedTo, always),
            props::Color(L"ColorDisabled", &A::ColorDisabled, &A::SetColorDisabled, always),
            props::Color(L"ColorDisabledTo", &A::ColorDisabledTo, &A::SetColorDisabledTo, always),
            props::Color(L"ColorDown", &A::ColorDown, &A::SetColorDown, always),
            props::Color(L"ColorDownTo", &A::ColorDownTo, &A::SetColorDownTo, always),
            props::Color(L"ColorHot", &A::ColorHot, &A::SetColorHot, always),
            props::Color(L"ColorHotTo", &A::ColorHotTo, &A::SetColorHotTo, always),
            props::Color(L"ColorMirror", &A::ColorMirror, &A::SetColorMirror, 0xC0C0C0),
            props::Color(L"ColorMirrorTo", &A::ColorMirrorTo, &A::SetColorMirrorTo, clWhite),
            props::Color(L"ColorMirrorHot", &A::ColorMirrorHot, &A::SetColorMirrorHot, always),
            props::Color(L"ColorMirrorHotTo", &A::ColorMirrorHotTo, &A::SetColorMirrorHotTo,
                         always),
            props::Color(L"ColorMirrorDown", &A::ColorMirrorDown, &A::SetColorMirrorDown, always),
            props::Color(L"ColorMirrorDownTo", &A::ColorMirrorDownTo, &A::SetColorMirrorDownTo,
                         always),
            props::Color(L"ColorMirrorChecked", &A::ColorMirrorChecked, &A::SetColorMirrorChecked,
                         always),
            props::Color(L"ColorMirrorCheckedTo", &A::ColorMirrorCheckedTo,
                         &A::SetColorMirrorCheckedTo, always),
            props::Color(L"ColorMirrorDisabled", &A::ColorMirrorDisabled,
                         &A::SetColorMirrorDisabled, always),
            props::Color(L"ColorMirrorDisabledTo", &A::ColorMirrorDisabledTo,
                         &A::SetColorMirrorDisabledTo, always),
            props::Enum(L"Gradient", &A::Gradient, &A::SetGradient, std::optional(ggVertical)),
            props::Enum(L"GradientMirror", &A::GradientMirror, &A::SetGradientMirror,
                        std::optional(ggVertical)),
            props::Enum(L"GradientHot", &A::GradientHot, &A::SetGradientHot,
                        std::optional(ggRadial)),
            props::Enum(L"GradientMirrorHot", &A::GradientMirrorHot, &A::SetGradientMirrorHot,
                        std::optional(ggRadial)),
            props::Enum(L"GradientDown", &A::GradientDown, &A::SetGradientDown,
                        std::optional(ggRadial)),
            props::Enum(L"GradientMirrorDown", &A::GradientMirrorDown, &A::SetGradientMirrorDown,
                        std::optional(ggRadial)),
            props::Enum(L"GradientChecked", &A::GradientChecked, &A::SetGradientChecked,
                        std::optional(ggRadial)),
            props::Enum(L"GradientMirrorChecked", &A::GradientMirrorChecked,
                        &A::SetGradientMirrorChecked, std::optional(ggVertical)),
            props::Enum(L"GradientDisabled", &A::GradientDisabled, &A::SetGradientDisabled,
                        std::optional(ggRadial)),
            props::Enum(L"GradientMirrorDisabled", &A::GradientMirrorDisabled,
                        &A::SetGradientMirrorDisabled, std::optional(ggRadial)),
            props::Boolean(L"SystemFont", &A::SystemFont, &A::SetSystemFont, true),
        });
    return table;
}

void TGlowButtonAppearance::CopyFrom(const TPersistent* source) {
    const auto* s = dynamic_cast<const TGlowButtonAppearance*>(source);
    if (!s) return TPersistent::CopyFrom(source);
    SetColor(s->Color());
    SetColorTo(s->ColorTo());
    SetColorMirror(s->ColorMirror());
    SetColorMirrorTo(s->ColorMirrorTo());
    SetColorHot(s->ColorHot());
    SetColorHotTo(s->ColorHotTo());
    SetColorMirrorHot(s->ColorMirrorHot());
    SetColorMirrorHotTo(s->ColorMirrorHotTo());
    SetColorDown(s->ColorDown());
    SetColorDownTo(s->ColorDownTo());
    SetColorMirrorDown(s->ColorMirrorDown());
    SetColorMirrorDownTo(s->ColorMirrorDownTo());
    SetColorChecked(s->ColorChecked());
    SetColorCheckedTo(s->ColorCheckedTo());
    SetColorMirrorChecked(s->ColorMirrorChecked());
    SetColorMirrorCheckedTo(s->ColorMirrorCheckedTo());
    SetColorDisabled(s->ColorDisabled());
    SetColorDisabledTo(s->ColorDisabledTo());
    SetColorMirrorDisabled(s->ColorMirrorDisabled());
    SetColorMirrorDisabledTo(s->ColorMirrorDisabledTo());
    SetBorderColor(s->BorderColor());
    SetBorderColorHot(s->BorderColorHot());
    SetBorderColorDown(s->BorderColorDown());
    SetBorderColorChecked(s->BorderColorChecked());
    SetBorderColorDisabled(s->BorderColorDisabled());
    SetGradient(s->Gradient());
    SetGradientMirror(s->GradientMirror());
    SetGradientHot(s->GradientHot());
    SetGradientMirrorHot(s->GradientMirrorHot());
    SetGradientDown(s->GradientDown());
    SetGradientMirrorDown(s->GradientMirrorDown());
    SetGradientChecked(s->GradientChecked());
    SetGradientMirrorChecked(s->GradientMirrorChecked());
    SetGradientDisabled(s->GradientDisabled());
    SetGradientMirrorDisabled(s->GradientMirrorDisabled());
    SetSystemFont(s->SystemFont());
}

namespace {

struct BaseColors {
    TColor color, colorTo, mirror, mirrorTo, border;
};

enum class Highlight { Warm, WarmCheckedBorder, Flat };

void WriteBase(A& a, const BaseColors& base) {
    a.SetColor(base.color);
    a.SetColorTo(base.colorTo);
    a.SetColorMirror(base.mirror);
    a.SetColorMirrorTo(base.mirrorTo);
    a.SetBorderColor(base.border);
    a.SetGradient(ggVertical);
    a.SetGradientMirror(ggVertical);
}

void WriteHighlight(A& a, Highlight set) {
    if (set == Highlight::Flat) {
        a.SetColorHot(0xEFD3C6);
        a.SetColorHotTo(0xEFD3C6);
        a.SetColorMirrorHot(0xEFD3C6);
        a.SetColorMirrorHotTo(0xEFD3C6);
        a.SetBorderColorHot(clHighlight);
        a.SetColorDown(0xB59284);
        a.SetColorDownTo(0xB59284);
        a.SetColorMirrorDown(0xB59284);
        a.SetColorMirrorDownTo(0xB59284);
        a.SetBorderColorDown(clHighlight);
        a.SetColorChecked(0xB9D8DC);
        a.SetColorCheckedTo(0xB9D8DC);
        a.SetColorMirrorChecked(0xB9D8DC);
        a.SetColorMirrorCheckedTo(0xB9D8DC);
        a.SetBorderColorChecked(0x000000);
    } else {
        a.SetColorHot(0xEBFDFF);
        a.SetColorHotTo(0xACECFF);
        a.SetColorMirrorHot(0x59DAFF);
        a.SetColorMirrorHotTo(0xA4E9FF);
        a.SetBorderColorHot(0x99CEDB);
        a.SetColorDown(0x76AFF1);
        a.SetColorDownTo(0x4190F3);
        a.SetColorMirrorDown(0x0E72F1);
        a.SetColorMirrorDownTo(0x4C9FFD);
        a.SetBorderColorDown(0x45667B);
        a.SetColorChecked(0xB5DBFB);
        a.SetColorCheckedTo(0x78C7FE);
        a.SetColorMirrorChecked(0x9FEBFD);
        a.SetColorMirrorCheckedTo(0x56B4FE);
        if (set == Highlight::WarmCheckedBorder) a.SetBorderColorChecked(0x45667B);
    }
    a.SetGradientHot(ggVertical);
    a.SetGradientMirrorHot(ggVertical);
    a.SetGradientDown(ggVertical);
    a.SetGradientMirrorDown(ggVertical);
    a.SetGradientChecked(ggVertical);
    a.SetGradientMirrorChecked(ggVertical);
}

} // namespace

void ApplyStylePresetTo(TGlowButtonAppearance& appearance, std::uint8_t style) {
    struct Preset {
        BaseColors base;
        Highlight highlight;
        bool highlightFirst; // only the order of the notifications differs
    };
    static constexpr Preset presets[] = {
        {{0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B}, Highlight::Warm, true},
        {{0xE6E9E2, 0xE6D8D8, 0xE6E9E2, 0xC8B2B3, 0x927476}, Highlight::Warm, true},
        {{0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1}, Highlight::Warm, true},
        {{0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000}, Highlight::Warm, false},
        {{0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B}, Highlight::WarmCheckedBorder, false},
        {{0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2}, Highlight::WarmCheckedBorder, false},
        {{0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC}, Highlight::Flat, false},
        {{0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC}, Highlight::Warm, true},
        {{}, Highlight::Warm, false}, // 8: no preset
        {{0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9}, Highlight::WarmCheckedBorder, false},
    };
    if (style == 8 || style >= std::size(presets)) return;
    const Preset& p = presets[style];
    if (p.highlightFirst) WriteHighlight(appearance, p.highlight);
    WriteBase(appearance, p.base);
    if (!p.highlightFirst) WriteHighlight(appearance, p.highlight);
}

} // namespace plaxor
