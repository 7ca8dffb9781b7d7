#include "Colors.h"
#include <windows.h>
#include <iterator>

namespace plaxor {

TColor ColorToRGB(TColor color) {
    if ((color & 0xFF000000) == clSystemColor) return ::GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

namespace {

struct ColorName {
    TColor value;
    std::wstring_view name;
};

// One name per value, so that a value always writes back under the same name.
constexpr ColorName colorNames[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clNone, L"clNone"},
    {clDefault, L"clDefault"},
    {clScrollBar, L"clScrollBar"},
    {clBackground, L"clBackground"},
    {clActiveCaption, L"clActiveCaption"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clMenu, L"clMenu"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clMenuText, L"clMenuText"},
    {clWindowText, L"clWindowText"},
    {clCaptionText, L"clCaptionText"},
    {clActiveBorder, L"clActiveBorder"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clBtnFace, L"clBtnFace"},
    {clBtnShadow, L"clBtnShadow"},
    {clGrayText, L"clGrayText"},
    {clBtnText, L"clBtnText"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clBtnHighlight, L"clBtnHighlight"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clInfoText, L"clInfoText"},
    {clInfoBk, L"clInfoBk"},
    {clHotLight, L"clHotLight"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuBar, L"clMenuBar"},
};

} // namespace

std::optional<std::wstring> ColorToIdent(TColor color) {
    for (const ColorName& c : colorNames)
        if (c.value == color) return std::wstring(c.name);
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::wstring_view name) {
    for (const ColorName& c : colorNames)
        if (SameText(c.name, name)) return c.value;
    return std::nullopt;
}

namespace props {

std::optional<LayoutValue> SaveColor(TColor value, std::optional<TColor> def) {
    if (def && *def == value) return std::nullopt;
    if (auto name = ColorToIdent(value)) return LayoutValue(Ident{std::move(*name)});
    // Stored as the signed 32-bit number a layout editor shows (system colours are negative).
    return LayoutValue(static_cast<std::int64_t>(static_cast<std::int32_t>(value)));
}

void ApplyColor(const LayoutValue& v, const std::wstring& property,
                const std::function<void(TColor)>& set) {
    if (const auto* ident = std::get_if<Ident>(&v)) {
        const auto color = IdentToColor(ident->name);
        if (!color) BadValue(property);
        return set(*color);
    }
    const std::int64_t i = AsInteger(v, property);
    // Both the signed and the unsigned spelling of a 32-bit colour are accepted.
    if (i < INT32_MIN || i > static_cast<std::int64_t>(UINT32_MAX)) BadValue(property);
    set(static_cast<TColor>(static_cast<std::uint32_t>(i)));
}

} // namespace props
} // namespace plaxor
