#pragma once
// A logical font described by name, height, colour, style and character set, with its GDI
// handle made on demand.
#include "Colors.h"
#include "Persistent.h"
#include "UniqueHandle.h"
#include <cstdint>
#include <initializer_list>
#include <string>

namespace plaxor {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
template <> struct EnumNames<TFontStyle> {
    static constexpr std::wstring_view names[] = {L"fsBold", L"fsItalic", L"fsUnderline",
                                                  L"fsStrikeOut"};
};

// A set of TFontStyle values; bit i stands for style i.
class TFontStyles {
public:
    constexpr TFontStyles() noexcept = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) noexcept {
        for (TFontStyle s : styles)
            bits_ |= Bit(s);
    }
    explicit constexpr TFontStyles(std::uint32_t bits) noexcept
        : bits_(static_cast<std::uint8_t>(bits & 0x0F)) {}
    explicit constexpr operator std::uint32_t() const noexcept { return bits_; }

    constexpr bool Contains(TFontStyle s) const noexcept { return (bits_ & Bit(s)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr TFontStyles With(TFontStyle s) const noexcept { return TFontStyles(bits_ | Bit(s)); }
    constexpr TFontStyles Without(TFontStyle s) const noexcept {
        return TFontStyles(static_cast<std::uint32_t>(bits_ & ~Bit(s)));
    }
    friend constexpr bool operator==(TFontStyles, TFontStyles) noexcept = default;

private:
    static constexpr std::uint32_t Bit(TFontStyle s) noexcept { return 1u << s; }
    std::uint8_t bits_ = 0;
};

using TFontCharset = std::uint8_t;

class TFont : public TPersistent {
public:
    // Pixels per inch that Size converts with: the layouts are designed at 96.
    static constexpr int PixelsPerInch = 96;

    TFont() = default;
    std::wstring ClassName() const override { return L"TFont"; }
    void CopyFrom(const TPersistent* source) override;
    const PropertyTable& Published() const override { return ClassProperties(); }
    static const PropertyTable& ClassProperties();

    const std::wstring& Name() const noexcept { return name_; }
    void SetName(const std::wstring& name);
    // Negative: the character height in pixels; positive: the cell height.
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    // Points at PixelsPerInch, rounded.
    int Size() const noexcept;
    void SetSize(int points);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const noexcept { return charset_; }
    void SetCharset(TFontCharset charset);

    // Made on first use and again after any change; owned by the font. Raises EOutOfMemory
    // when GDI cannot make it.
    HFONT Handle() const;
    // The LOGFONTW that Handle is made from.
    LOGFONTW LogFont() const;

    // Raised after every change that alters a property (once for CopyFrom).
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    std::wstring name_ = L"Tahoma";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    mutable UniqueHFONT handle_;
};

// True when a font family of that name is installed for the screen (case-insensitive).
bool IsFontInstalled(const std::wstring& family);

} // namespace plaxor
