#include "Font.h"
#include "Exception.h"
#include "Properties.h"
#include <algorithm>

namespace plaxor {

namespace {
// Layouts name the character sets as the Windows headers do.
struct CharsetName {
    TFontCharset charset;
    const wchar_t* name;
};
constexpr CharsetName kCharsetNames[] = {
    {ANSI_CHARSET, L"ANSI_CHARSET"},
    {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, L"SYMBOL_CHARSET"},
    {MAC_CHARSET, L"MAC_CHARSET"},
    {SHIFTJIS_CHARSET, L"SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, L"HANGEUL_CHARSET"},
    {JOHAB_CHARSET, L"JOHAB_CHARSET"},
    {GB2312_CHARSET, L"GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, L"CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, L"GREEK_CHARSET"},
    {TURKISH_CHARSET, L"TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, L"VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, L"HEBREW_CHARSET"},
    {ARABIC_CHARSET, L"ARABIC_CHARSET"},
    {BALTIC_CHARSET, L"BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, L"RUSSIAN_CHARSET"},
    {THAI_CHARSET, L"THAI_CHARSET"},
    {EASTEUROPE_CHARSET, L"EASTEUROPE_CHARSET"},
    {OEM_CHARSET, L"OEM_CHARSET"},
};

TFontCharset CharsetFromLayout(const LayoutValue& v) {
    if (const Ident* ident = std::get_if<Ident>(&v)) {
        for (const CharsetName& c : kCharsetNames)
            if (SameText(c.name, ident->name)) return c.charset;
        props::BadValue(L"Charset");
    }
    const std::int64_t number = props::AsInteger(v, L"Charset");
    if (number < 0 || number > 255) props::BadValue(L"Charset");
    return static_cast<TFontCharset>(number);
}
} // namespace

void TFont::CopyFrom(const TPersistent* source) {
    const auto* font = dynamic_cast<const TFont*>(source);
    if (!font) return TPersistent::CopyFrom(source);
    if (font == this) return;
    if (name_ == font->name_ && height_ == font->height_ && color_ == font->color_ &&
        style_ == font->style_ && charset_ == font->charset_)
        return;
    name_ = font->name_;
    height_ = font->height_;
    color_ = font->color_;
    style_ = font->style_;
    charset_ = font->charset_;
    Changed();
}

const PropertyTable& TFont::ClassProperties() {
    // No defaults: a layout always lists a font completely.
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {
            props::Custom(
                L"Charset",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const TFontCharset charset = props::Self<TFont>(o).Charset();
                    for (const CharsetName& c : kCharsetNames)
                        if (c.charset == charset) return LayoutValue(Ident{c.name});
                    return LayoutValue(static_cast<std::int64_t>(charset));
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    props::Self<TFont>(o).SetCharset(CharsetFromLayout(v));
                }),
            props::Color(L"Color", &TFont::Color, &TFont::SetColor, std::nullopt),
            props::Integer(L"Height", &TFont::Height, &TFont::SetHeight, std::nullopt),
            props::String(L"Name", &TFont::Name, &TFont::SetName, std::nullopt),
            props::Set<TFontStyle>(L"Style", &TFont::Style, &TFont::SetStyle, std::nullopt),
        });
    return table;
}

void TFont::SetName(const std::wstring& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const noexcept {
    return -::MulDiv(height_, 72, PixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-::MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::Changed() {
    // Listeners (a canvas) take the old handle out of their DC before it is deleted here; the
    // colour is not part of the handle but a new one costs little.
    try {
        Raise(OnChange, this);
    } catch (...) {
        handle_.reset();
        throw;
    }
    handle_.reset();
}

LOGFONTW TFont::LogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    // A face name longer than LOGFONT holds is cut; GDI then substitutes as for any unknown name.
    const std::size_t n = std::min<std::size_t>(name_.size(), LF_FACESIZE - 1);
    std::copy_n(name_.c_str(), n, lf.lfFaceName);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

HFONT TFont::Handle() const {
    if (!handle_) {
        const LOGFONTW lf = LogFont();
        handle_.reset(::CreateFontIndirectW(&lf));
        if (!handle_) throw EOutOfMemory(FormatMessageText(L"Cannot create font \"%s\"", {name_}));
    }
    return handle_.get();
}

namespace {

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

} // namespace

bool IsFontInstalled(const std::wstring& family) {
    if (family.empty() || family.size() >= LF_FACESIZE) return false;
    WindowDC screen(nullptr);
    if (!screen.get()) return false;
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::copy(family.begin(), family.end(), lf.lfFaceName);
    bool found = false;
    ::EnumFontFamiliesExW(screen.get(), &lf, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

} // namespace plaxor
