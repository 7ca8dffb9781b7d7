#pragma once
// The glow button's enumerations, one byte each, with the names layouts use for them.
#include "framework/Properties.h"
#include <cstdint>

namespace plaxor {

enum TGDIPGradient : std::uint8_t { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
enum TAdvButtonStyle : std::uint8_t { bsButton, bsCheck };
enum TButtonLayout : std::uint8_t {
    blGlyphLeft,
    blGlyphTop,
    blGlyphRight,
    blGlyphBottom,
    blGlyphLeftAdjusted,
    blGlyphRightAdjusted,
    blGlyphTopAdjusted,
    blGlyphBottomAdjusted
};
enum TDropDownPosition : std::uint8_t { dpRight, dpBottom };
enum TDropDownDirection : std::uint8_t { ddDown, ddRight };
enum TFocusType : std::uint8_t { ftBorder, ftHot, ftHotBorder, ftNone };
enum TShortCutHintPos : std::uint8_t {
    shpLeft,
    shpTop,
    shpRight,
    shpBottom,
    shpCenter,
    shpAuto,
    shpTopLeft,
    shpTopRight,
    shpAboveTop,
    shpAboveTopLeft,
    shpAboveTopRight,
    shpBottomLeft,
    shpBottomRight,
    shpBelowBottom,
    shpBelowBottomLeft,
    shpBelowBottomRight,
    shpBelowBottomCenter
};
enum TButtonPosition : std::uint8_t { bpStandalone, bpLeft, bpMiddle, bpRight };
enum TGlowButtonState : std::uint8_t { gsNormal, gsHot, gsDown };
enum TButtonSizeState : std::uint8_t { bsGlyph, bsLabel, bsLarge };

// The visual press state a glow button keeps and painting reads (3 does not occur).
enum TButtonPressState : std::uint8_t {
    stateUp = 0,
    stateDisabled = 1,
    stateDown = 2,
    stateChecked = 4
};
// Which blend position the fade timer moves.
enum TFadeKind : std::uint8_t { fadeKindHot, fadeKindDown, fadeKindFinished };
// The part of a drop-down button under the mouse.
enum THotPart : std::uint8_t { hotPartNone, hotPartMain, hotPartDropDown };

// The drop-down part: a 13-pixel strip along the right or bottom edge (the content loses it,
// auto-sizing adds it, a press in it opens the menu); its hot part and the split face are one
// pixel narrower.
inline constexpr int kDropDownStrip = 13;
inline constexpr int kDropDownHotStrip = 12;

// The one-operation style interface: a preset number overwrites a set of appearance colours.
class IStylePreset {
public:
    virtual void ApplyStylePreset(std::uint8_t style) = 0;

protected:
    ~IStylePreset() = default;
};

template <> struct EnumNames<TGDIPGradient> {
    static constexpr std::wstring_view names[] = {L"ggRadial", L"ggVertical", L"ggDiagonalForward",
                                                  L"ggDiagonalBackward"};
};
template <> struct EnumNames<TAdvButtonStyle> {
    static constexpr std::wstring_view names[] = {L"bsButton", L"bsCheck"};
};
template <> struct EnumNames<TButtonLayout> {
    static constexpr std::wstring_view names[] = {L"blGlyphLeft",         L"blGlyphTop",
                                                  L"blGlyphRight",        L"blGlyphBottom",
                                                  L"blGlyphLeftAdjusted", L"blGlyphRightAdjusted",
                                                  L"blGlyphTopAdjusted",  L"blGlyphBottomAdjusted"};
};
template <> struct EnumNames<TDropDownPosition> {
    static constexpr std::wstring_view names[] = {L"dpRight", L"dpBottom"};
};
template <> struct EnumNames<TDropDownDirection> {
    static constexpr std::wstring_view names[] = {L"ddDown", L"ddRight"};
};
template <> struct EnumNames<TFocusType> {
    static constexpr std::wstring_view names[] = {L"ftBorder", L"ftHot", L"ftHotBorder", L"ftNone"};
};
template <> struct EnumNames<TShortCutHintPos> {
    static constexpr std::wstring_view names[] = {L"shpLeft",
                                                  L"shpTop",
                                                  L"shpRight",
                                                  L"shpBottom",
                                                  L"shpCenter",
                                                  L"shpAuto",
                                                  L"shpTopLeft",
                                                  L"shpTopRight",
                                                  L"shpAboveTop",
                                                  L"shpAboveTopLeft",
                                                  L"shpAboveTopRight",
                                                  L"shpBottomLeft",
                                                  L"shpBottomRight",
                                                  L"shpBelowBottom",
                                                  L"shpBelowBottomLeft",
                                                  L"shpBelowBottomRight",
                                                  L"shpBelowBottomCenter"};
};
template <> struct EnumNames<TButtonPosition> {
    static constexpr std::wstring_view names[] = {L"bpStandalone", L"bpLeft", L"bpMiddle",
                                                  L"bpRight"};
};
template <> struct EnumNames<TButtonSizeState> {
    static constexpr std::wstring_view names[] = {L"bsGlyph", L"bsLabel", L"bsLarge"};
};

} // namespace plaxor
