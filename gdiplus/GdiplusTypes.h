#pragma once
// The value types, statuses and enumerations of the GDI+ flat interface as GDI+ lays them out,
// plus the three enumerations of our own that controls publish (TAntiAlias, StringTrimming,
// TGPFormatKind). Declared here rather than taken from <gdiplus.h>, whose C++ wrappers clash
// with ours and whose declarations would make the linker import gdiplus.dll.
#include <windows.h>
#include <objidl.h>
#include <cstdint>
#include <string_view>

#include "framework/Properties.h"

namespace plaxor {

using REAL = float;
// 0xAARRGGBB; alpha 0xFF is opaque.
using ARGB = std::uint32_t;

struct GpRectF {
    REAL X = 0;
    REAL Y = 0;
    REAL Width = 0;
    REAL Height = 0;
};

struct GpPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

enum GpStatus : std::int32_t {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};

// GDI+ enumerations, passed as 32-bit integers with GDI+'s own values.
enum SmoothingMode : std::int32_t {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

enum TextRenderingHint : std::int32_t {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5,
};

enum StringAlignment : std::int32_t {
    StringAlignmentNear = 0,
    StringAlignmentCenter = 1,
    StringAlignmentFar = 2,
};

enum HotkeyPrefix : std::int32_t {
    HotkeyPrefixNone = 0,
    HotkeyPrefixShow = 1,
    HotkeyPrefixHide = 2,
};

enum DashStyle : std::int32_t {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5,
};

enum FillMode : std::int32_t {
    FillModeAlternate = 0,
    FillModeWinding = 1,
};

enum LinearGradientMode : std::int32_t {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3,
};

enum WrapMode : std::int32_t {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4,
};

enum GpUnit : std::int32_t {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};

enum ColorAdjustType : std::int32_t {
    ColorAdjustTypeDefault = 0,
    ColorAdjustTypeBitmap = 1,
    ColorAdjustTypeBrush = 2,
    ColorAdjustTypePen = 3,
    ColorAdjustTypeText = 4,
};

enum StringFormatFlags : std::int32_t {
    StringFormatFlagsDirectionRightToLeft = 0x0001,
    StringFormatFlagsDirectionVertical = 0x0002,
    StringFormatFlagsNoFitBlackBox = 0x0004,
    StringFormatFlagsDisplayFormatControl = 0x0020,
    StringFormatFlagsNoFontFallback = 0x0400,
    StringFormatFlagsMeasureTrailingSpaces = 0x0800,
    StringFormatFlagsNoWrap = 0x1000,
    StringFormatFlagsLineLimit = 0x2000,
    StringFormatFlagsNoClip = 0x4000,
};

enum FontStyle : std::int32_t {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8,
};

// Text quality of a control: aaClearType and aaAntiAlias choose the text rendering hint,
// aaNone keeps GDI+'s default.
enum TAntiAlias : std::uint8_t { aaNone, aaClearType, aaAntiAlias };

// GDI+'s trimming modes under their GDI+ names and numbers.
enum StringTrimming : std::uint8_t {
    StringTrimmingNone,
    StringTrimmingCharacter,
    StringTrimmingWord,
    StringTrimmingEllipsisCharacter,
    StringTrimmingEllipsisWord,
    StringTrimmingEllipsisPath,
};

// An image's raw format, as a small number; pictures treat fkBMP apart from all others.
enum TGPFormatKind : std::uint8_t {
    fkUndefined,
    fkMemoryBMP,
    fkBMP,
    fkEMF,
    fkWMF,
    fkJPEG,
    fkPNG,
    fkGIF,
    fkTIFF,
    fkEXIF,
    fkIcon,
};

template <> struct EnumNames<TAntiAlias> {
    static constexpr std::wstring_view names[] = {L"aaNone", L"aaClearType", L"aaAntiAlias"};
};

template <> struct EnumNames<StringTrimming> {
    static constexpr std::wstring_view names[] = {
        L"StringTrimmingNone",         L"StringTrimmingCharacter",
        L"StringTrimmingWord",         L"StringTrimmingEllipsisCharacter",
        L"StringTrimmingEllipsisWord", L"StringTrimmingEllipsisPath",
    };
};

// The opaque GDI+ objects. Only pointers to them exist; GDI+ owns their memory.
struct GpGraphics;
struct GpPen;
struct GpBrush;
struct GpPath;
struct GpFontFamily;
struct GpFontCollection;
struct GpFont;
struct GpStringFormat;
struct GpImage;
struct GpImageAttributes;

using DebugEventProc = void(WINAPI*)(std::int32_t level, char* message);
using NotificationHookProc = GpStatus(WINAPI*)(ULONG_PTR* token);
using NotificationUnhookProc = void(WINAPI*)(ULONG_PTR token);
using DrawImageAbort = BOOL(WINAPI*)(void* callbackData);

struct GdiplusStartupInput {
    std::uint32_t GdiplusVersion = 0;
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

} // namespace plaxor
