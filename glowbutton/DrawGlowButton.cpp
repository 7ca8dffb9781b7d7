#include "DrawGlowButton.h"
#include "ColorMath.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"
#include "framework/UniqueHandle.h"
#include "framework/WinControl.h"
#include "gdiplus/GDIPPicture.h"
#include "gdiplus/GPBrushes.h"
#include "gdiplus/GPFont.h"
#include "gdiplus/GPGraphics.h"
#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GPImage.h"
#include "gdiplus/GPImageAttributes.h"
#include "gdiplus/GPPen.h"
#include "gdiplus/GPStringFormat.h"
#include "gdiplus/GdiplusValues.h"
#include <algorithm>
#include <cmath>
#include <cwctype>
#include <memory>

namespace plaxor {

namespace {

constexpr TColor FocusOutlineColor = 0xE4AD89;

// Floating-point values become pixels by rounding half to even.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

REAL F(int value) {
    return static_cast<REAL>(value);
}

// ---- face

void DrawPlainFace(TCanvas& canvas, TGPGraphics& g, const TGlowButtonDrawInputs& in) {
    const RECT& c = in.rect;
    const int hh = (c.bottom - c.top) / 2;
    // The upper half goes last and so owns the row where the halves meet.
    DrawGradientPart(canvas, g, {c.left, c.top + hh - 1, c.right, c.bottom}, false,
                     in.GradientMirror, in.ColorMirror, in.ColorMirrorTo);
    DrawGradientPart(canvas, g, {c.left, c.top, c.right, c.bottom - hh}, true, in.Gradient,
                     in.ColorTo, in.Color);
}

void DrawSplitFace(TCanvas& canvas, TGPGraphics& g, const TGlowButtonDrawInputs& in) {
    const RECT& c = in.rect;
    const int L = c.left, T = c.top, R = c.right, B = c.bottom;
    const int h = B - T, hh = h / 2;
    RECT mainLower, mainUpper, dropUpper, dropLower{};
    const bool right = in.dropDownPosition == dpRight;
    if (right) {
        mainLower = {L, T + hh - 1, R - kDropDownHotStrip, B};
        mainUpper = {L, T, R - kDropDownHotStrip, B - hh};
        dropUpper = {R - kDropDownHotStrip, T, R, B - hh};
        dropLower = {R - kDropDownHotStrip, T + hh - 1, R, B};
    } else {
        const int hm = (h - kDropDownHotStrip) / 2;
        mainLower = {L, T + hm - 1, R, B - kDropDownHotStrip};
        mainUpper = {L, T, R, B - kDropDownHotStrip - hm};
        dropUpper = {L, B - kDropDownHotStrip, R, B}; // one part, painted as an upper half
    }
    // The part under the mouse is the darker one.
    const bool dropHot = in.hotPart == hotPartDropDown;
    auto main = [&](TColor color) { return dropHot ? color : DarkenColor(color, -10); };
    auto drop = [&](TColor color) { return dropHot ? DarkenColor(color, -10) : color; };
    DrawGradientPart(canvas, g, mainLower, false, in.GradientMirror, main(in.ColorMirror),
                     main(in.ColorMirrorTo));
    DrawGradientPart(canvas, g, mainUpper, true, in.Gradient, main(in.ColorTo), main(in.Color));
    // With the main part hot, the drop-down part's upper half is always radial.
    DrawGradientPart(canvas, g, dropUpper, true, dropHot ? in.Gradient : ggRadial, drop(in.ColorTo),
                     drop(in.Color));
    if (right)
        DrawGradientPart(canvas, g, dropLower, false, in.GradientMirror, drop(in.ColorMirror),
                         drop(in.ColorMirrorTo));
}

void DrawBorder(TGPGraphics& g, const TGlowButtonDrawInputs& in, int radius) {
    const RECT& c = in.rect;
    // The right and bottom coordinates serve as extents: the outline runs through the
    // outermost pixels.
    const int x0 = c.left, y0 = c.top, w = c.right - 1, h = c.bottom - 1;
    const bool hot = in.mouseOver || in.down;
    switch (in.position) {
    case bpStandalone: DrawStandaloneBorder(g, in.BorderColor, x0, y0, w, h, radius); break;
    case bpLeft: DrawLeftBorder(g, in.BorderColor, x0, y0, w, h, radius); break;
    case bpMiddle: DrawMiddleBorder(g, in.BorderColor, x0, y0, w, h, radius, hot); break;
    case bpRight: DrawRightBorder(g, in.BorderColor, x0, y0, w, h, radius, hot); break;
    }
}

// ---- pictures

// An encoded image behind a COM stream for GDI+ to decode, which can be read again from the
// start; images made from the stream must be freed before this.
class ImageStream {
public:
    explicit ImageStream(const std::vector<std::uint8_t>& bytes)
        : stream_(TGDIPPicture::DecodingStream(bytes.data(), bytes.size())) {}
    IStream* get() const noexcept { return stream_.get(); }
    void Rewind() {
        if (!stream_) return;
        const LARGE_INTEGER start{};
        stream_.get()->Seek(start, STREAM_SEEK_SET, nullptr);
    }

private:
    UniqueCom<IStream> stream_;
};

std::vector<std::uint8_t> SavedBytes(const TGDIPPicture& picture) {
    TMemoryStream data;
    picture.SaveImage(data);
    return data.Bytes();
}

// Draws a decoded BMP through GDI+ at its own size with its bottom-left pixel keyed out.
void DrawKeyed(TGPGraphics& graphics, ImageStream& stream, TGPImage& image, POINT at) {
    stream.Rewind();
    auto bitmap = std::make_unique<TGPBitmap>(stream.get());
    const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
    ARGB key = 0;
    bitmap->GetPixel(0, h - 1, key);
    auto attributes = std::make_unique<TGPImageAttributes>();
    attributes->SetColorKeys(key, key);
    graphics.DrawImageRectRect(&image, GpRectF{F(at.x), F(at.y), F(w), F(h)}, 0, 0, F(w), F(h),
                               UnitPixel, attributes.get());
}

// ---- text

bool HasText(const TStrings* strings) {
    return strings && !strings->Text().empty();
}

// "\n" written in a caption (any case) is a line break, or a space where the picture is forced
// to a small size and the caption has one line beside it.
std::wstring ExpandLineBreaks(const std::wstring& caption, bool toSpace) {
    std::wstring out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'\\' && i + 1 < caption.size() &&
            std::towlower(caption[i + 1]) == L'n') {
            out += toSpace ? L" " : L"\n\r";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

int GdipStyle(const TFont& font) {
    int style = FontStyleRegular;
    if (font.Style().Contains(fsBold)) style |= FontStyleBold;
    if (font.Style().Contains(fsItalic)) style |= FontStyleItalic;
    if (font.Style().Contains(fsUnderline)) style |= FontStyleUnderline;
    return style;
}

std::unique_ptr<TGPFontFamily> FamilyOf(const std::wstring& name) {
    auto family = std::make_unique<TGPFontFamily>(name);
    if (family->LastStatus() == FontFamilyNotFound || family->LastStatus() == FontStyleNotFound)
        family = std::make_unique<TGPFontFamily>(L"Arial");
    return family;
}

// GDI+ draws the caption when anti-aliasing is asked for and the font is an installed outline
// font; everything else goes through GDI.
bool UseGdiplusText(TCanvas& canvas, const TFont& font, TAntiAlias antiAlias) {
    canvas.Font().SetName(font.Name());
    if (antiAlias == aaNone) return false;
    const TEXTMETRICW tm = canvas.GetTextMetrics();
    const bool outline =
        (tm.tmPitchAndFamily & TMPF_VECTOR) && !(tm.tmPitchAndFamily & TMPF_DEVICE);
    return outline && IsFontInstalled(font.Name());
}

bool IsHorizontal(TButtonLayout layout) {
    return layout == blGlyphLeft || layout == blGlyphRight || layout == blGlyphLeftAdjusted ||
           layout == blGlyphRightAdjusted;
}

// What the caption steps work out and the later steps use.
struct TextMetrics {
    REAL tx = 0, ty = 0, tw = 0, th = 0;
    REAL nw = 0, nh = 0;
    int textBottom = 0;
};

class ContentPainter {
public:
    ContentPainter(const TGlowButtonDrawInputs& in, TGPGraphics& graphics)
        : in_(in), canvas_(*in.canvas), graphics_(graphics), layout_(in.layout) {
        if (HasText(in.notes)) layout_ = blGlyphLeftAdjusted;
        content_ = in.rect;
        if (in.dropDownButton) {
            if (in.dropDownPosition == dpRight)
                content_.right = in.rect.right - kDropDownStrip;
            else
                content_.bottom = in.rect.bottom - kDropDownStrip;
        }
        cw_ = content_.right - content_.left;
        ch_ = content_.bottom - content_.top;
    }

    SIZE Run() {
        PictureExtent();
        SIZE contentSize{pw_, ph_};
        const std::wstring caption = in_.font ? in_.caption : std::wstring();
        if (!caption.empty()) contentSize = Caption(caption);
        if (in_.measureOnly) return contentSize;
        DrawPicture(!caption.empty());
        canvas_.Brush().SetStyle(bsClear);
        if (in_.dropDownButton) {
            DrawSeparator();
            DrawArrow(caption.empty());
        }
        return contentSize;
    }

private:
    bool ForcedSize() const { return in_.pictureSize.cx > 0 && in_.pictureSize.cy > 0; }
    bool HasGlyph() const {
        return in_.glyphBitmap && !in_.glyphBitmap->IsEmpty() && in_.glyphBitmap->Width() > 1 &&
               in_.glyphBitmap->Height() > 1;
    }
    bool HasPicture() const { return in_.picture && !in_.picture->IsEmpty(); }
    bool HasListImage() const { return in_.imageIndex > -1 && in_.imageList; }

    void PictureExtent() {
        if (HasGlyph()) {
            pw_ = in_.glyphBitmap->Width();
            ph_ = in_.glyphBitmap->Height();
            if (ForcedSize()) pw_ = in_.pictureSize.cx, ph_ = in_.pictureSize.cy;
        } else if (HasPicture()) {
            in_.picture->UpdateImageSize();
            pw_ = in_.picture->ImageWidth();
            ph_ = in_.picture->ImageHeight();
            if (ForcedSize()) pw_ = in_.pictureSize.cx, ph_ = in_.pictureSize.cy;
        } else if (HasListImage()) {
            pw_ = in_.imageList->Width();
            ph_ = in_.imageList->Height();
        }
        if (in_.caption.empty() || !in_.font) return;
        if (pw_ > 0 && IsHorizontal(layout_)) pw_ += in_.spacing;
        // Only a picture above the caption keeps the spacing below it.
        if (ph_ > 0 && (layout_ == blGlyphTop || layout_ == blGlyphTopAdjusted)) ph_ += in_.spacing;
    }

    SIZE Caption(const std::wstring& rawCaption);
    void MeasureGdiplus(const std::wstring& caption, TextMetrics& m);
    void MeasureGdi(const std::wstring& caption, TextMetrics& m);
    void PlaceAsAligned(GpRectF& bounds) const;
    StringAlignment HorizontalAlignment() const;
    StringAlignment VerticalAlignment() const;
    void Place(bool gdiplus, const TextMetrics& m);
    void DrawGdiplusText(const std::wstring& caption, const TextMetrics& m);
    void DrawGdiText(const std::wstring& caption, const TextMetrics& m);
    void DrawPicture(bool hasCaption);
    void DrawSeparator();
    void DrawArrow(bool captionEmpty);

    const TGlowButtonDrawInputs& in_;
    TCanvas& canvas_;
    TGPGraphics& graphics_;
    TButtonLayout layout_;
    RECT content_{};
    int cw_ = 0, ch_ = 0;
    int pw_ = 0, ph_ = 0;
    int px_ = 0, py_ = 0;
    int textBottom_ = 0;
    GpRectF box_{};
    // GDI+ text objects of one call.
    std::unique_ptr<TGPFontFamily> family_, notesFamily_;
    std::unique_ptr<TGPFont> font_, notesFont_;
    std::unique_ptr<TGPStringFormat> format_;
    std::unique_ptr<TGPSolidBrush> brush_;
};

SIZE ContentPainter::Caption(const std::wstring& rawCaption) {
    const std::wstring caption = rawCaption.find(L'\\') == std::wstring::npos
                                     ? rawCaption
                                     : ExpandLineBreaks(rawCaption, ForcedSize());
    const TFont& font = *in_.font;
    const bool gdiplus = UseGdiplusText(canvas_, font, in_.antiAlias);
    const bool notes = HasText(in_.notes);

    box_ = {F(content_.left), F(content_.top), F(cw_), F(ch_)};
    if (in_.measureOnly) box_.Width = box_.Height = 4096;

    TextMetrics m;
    if (gdiplus) {
        family_ = FamilyOf(font.Name());
        font_ =
            std::make_unique<TGPFont>(family_.get(), F(font.Size()), GdipStyle(font), UnitPoint);
        if (notes && in_.notesFont) {
            notesFamily_ = FamilyOf(in_.notesFont->Name());
            notesFont_ = std::make_unique<TGPFont>(notesFamily_.get(), F(in_.notesFont->Size()),
                                                   GdipStyle(*in_.notesFont), UnitPoint);
        }
        format_ = std::make_unique<TGPStringFormat>(in_.wordWrap ? 0 : StringFormatFlagsNoWrap);
        format_->SetAlign(HorizontalAlignment());
        format_->SetLineAlign(VerticalAlignment());
        format_->SetHotkeyPrefix(HotkeyPrefixShow);
        format_->SetTrimming(in_.trimming);
        brush_ = std::make_unique<TGPSolidBrush>(ColorToARGB(in_.enabled ? font.Color() : clGray));
        if (in_.antiAlias == aaClearType)
            graphics_.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
        else if (in_.antiAlias == aaAntiAlias)
            graphics_.SetTextRenderingHint(TextRenderingHintAntiAlias);
        MeasureGdiplus(caption, m);
    } else {
        MeasureGdi(caption, m);
    }
    textBottom_ = m.textBottom;

    const int S = in_.spacing;
    const int tw = Round(m.tw), th = Round(m.th), nw = Round(m.nw), nh = Round(m.nh);
    SIZE size{};
    if (IsHorizontal(layout_)) {
        size.cx = std::max(tw, nw) + pw_ + S;
        size.cy = std::max(th + S + nh, ph_ + S);
    } else {
        size.cx = std::max(tw + S, pw_ + S);
        size.cy = th + ph_ + S;
    }
    if (in_.measureOnly) return size;

    Place(gdiplus, m);
    if (gdiplus)
        DrawGdiplusText(caption, m);
    else
        DrawGdiText(caption, m);
    return size;
}

void ContentPainter::MeasureGdiplus(const std::wstring& caption, TextMetrics& m) {
    GpRectF bounds{};
    graphics_.MeasureString(caption.c_str(), static_cast<int>(caption.size()), font_.get(), box_,
                            format_.get(), bounds);
    PlaceAsAligned(bounds);
    m.tx = bounds.X;
    m.ty = bounds.Y;
    m.tw = bounds.Width;
    m.th = bounds.Height;
    m.textBottom = Round(m.ty + m.th);
    box_.Width -= F(pw_ + in_.spacing);
    if (HasText(in_.notes) && notesFont_) {
        const std::wstring notes = in_.notes->Text();
        GpRectF noteBounds{};
        graphics_.MeasureString(notes.c_str(), static_cast<int>(notes.size()), notesFont_.get(),
                                box_, format_.get(), noteBounds);
        m.nw = noteBounds.Width;
        m.nh = noteBounds.Height;
    }
}

// GDI+ on Windows returns the bounding box where the aligned text lies; Wine's returns it at
// the layout origin whatever the alignment. Where that happened, the box is aligned here the way
// the text will be drawn, so that the picture and the arrow line up with the caption on both.
void ContentPainter::PlaceAsAligned(GpRectF& bounds) const {
    auto place = [](REAL& at, REAL size, REAL origin, REAL extent, StringAlignment align) {
        if (align == StringAlignmentNear || at != origin || size >= extent) return;
        at = align == StringAlignmentCenter ? origin + (extent - size) / 2 : origin + extent - size;
    };
    place(bounds.X, bounds.Width, box_.X, box_.Width, HorizontalAlignment());
    place(bounds.Y, bounds.Height, box_.Y, box_.Height, VerticalAlignment());
}

StringAlignment ContentPainter::HorizontalAlignment() const {
    return layout_ == blGlyphLeftAdjusted    ? StringAlignmentNear
           : layout_ == blGlyphRightAdjusted ? StringAlignmentFar
                                             : StringAlignmentCenter;
}

StringAlignment ContentPainter::VerticalAlignment() const {
    return layout_ == blGlyphTopAdjusted      ? StringAlignmentNear
           : layout_ == blGlyphBottomAdjusted ? StringAlignmentFar
                                              : StringAlignmentCenter;
}

void ContentPainter::MeasureGdi(const std::wstring& caption, TextMetrics& m) {
    canvas_.Font().CopyFrom(in_.font);
    RECT r{};
    r.left = Round(box_.X);
    r.top = Round(box_.Y);
    r.right = r.left + 2;
    UINT flags = DT_CALCRECT | DT_SINGLELINE;
    if (in_.wordWrap) {
        r.right = r.left + 4096;
        flags = DT_CALCRECT | DT_WORDBREAK;
    }
    const int height = canvas_.DrawText(caption, r, flags);
    m.tw = F(r.right - r.left);
    m.th = F(height - r.top);
    m.textBottom = (height + Round(box_.Height)) / 2;
    m.tx = layout_ == blGlyphLeft ? F((cw_ - Round(m.tw) - pw_) / 2) : F(r.left);
    if (HasText(in_.notes) && in_.notesFont) {
        canvas_.Font().CopyFrom(in_.notesFont);
        RECT n{Round(box_.X), Round(box_.Y), Round(box_.X) + 2, 0};
        const int notesHeight = canvas_.DrawText(in_.notes->Text(), n, DT_CALCRECT | DT_WORDBREAK);
        m.nw = F(n.right - n.left);
        m.nh = F(notesHeight - n.top);
    }
}

void ContentPainter::Place(bool gdiplus, const TextMetrics& m) {
    const int L = content_.left, T = content_.top;
    // The width narrowed for measuring notes beside the picture is not the caption's: above or
    // below the picture the caption is centred on the whole width, like the picture.
    if (!in_.wordWrap || !IsHorizontal(layout_)) box_ = {F(L), F(T), F(cw_), F(ch_)};
    const int centredX = L + std::max((cw_ - pw_) / 2, 0);
    const int centredY = T + std::max((ch_ - ph_) / 2, 0);
    const int tw = Round(m.tw);
    switch (layout_) {
    case blGlyphLeft:
        box_.X = gdiplus ? F(L + 2 + pw_) : F(pw_) + m.tx;
        box_.Width = F(cw_ - 2 - pw_);
        px_ = gdiplus ? Round(m.tx - F(pw_ / 2)) : Round(m.tx);
        px_ = std::max(px_, 2);
        py_ = centredY;
        break;
    case blGlyphLeftAdjusted:
        box_.X = F(L + 2 + pw_);
        box_.Width = F(cw_ - 2 - pw_);
        px_ = std::max(Round(m.tx - F(pw_ / 2)), 2);
        py_ = centredY;
        break;
    case blGlyphRight:
        box_.X = 2;
        box_.Width = F(cw_ - 4 - pw_);
        px_ = std::max(Round(box_.Width - m.tw) / 2, 0) + tw + 4;
        if (px_ > cw_ - pw_) px_ = cw_ - pw_ - 2;
        px_ += in_.spacing;
        py_ = centredY;
        break;
    case blGlyphRightAdjusted:
        box_.X = 2;
        box_.Width = F(cw_ - 4 - pw_);
        px_ = cw_ - pw_ - 2 + in_.spacing;
        py_ = centredY;
        break;
    case blGlyphTop: {
        box_.Y = F(T + ph_);
        box_.Height = F(ch_ - 2 - ph_);
        px_ = centredX;
        const int d = std::max(Round(box_.Height - m.th) / 2, 0);
        py_ = Round(box_.Y) - ph_ + d - (gdiplus ? 0 : 4);
        py_ = std::max(py_, 2);
        break;
    }
    case blGlyphTopAdjusted:
        box_.Y = F(T + ph_);
        box_.Height = F(ch_ - 2 - ph_);
        px_ = centredX;
        py_ = std::max(Round(box_.Y) - ph_, 2);
        break;
    case blGlyphBottom:
        box_.Y = 2;
        box_.Height = F(ch_ - 2 - ph_);
        px_ = centredX;
        py_ = std::max(Round(box_.Height - m.th) / 2, 0) +
              (gdiplus ? Round(m.th + 2) : Round(m.th + 5));
        if (py_ > ch_ - ph_) py_ = ch_ - ph_ - 2;
        break;
    case blGlyphBottomAdjusted:
        // Caption at the bottom with the picture under it, in both engines alike (placing the
        // picture from the middle of the face would put it over the caption's last line).
        box_.Y = 2;
        box_.Height = F(ch_ - 4 - ph_);
        px_ = centredX;
        py_ = ch_ - ph_ - 2;
        break;
    }
}

void ContentPainter::DrawGdiplusText(const std::wstring& caption, const TextMetrics& m) {
    const bool notes = HasText(in_.notes) && notesFont_;
    if (notes) {
        // Caption and notes are centred as one block.
        format_->SetLineAlign(StringAlignmentNear);
        box_.Y += (box_.Height - F(Round(m.th)) - F(Round(m.nh))) / 2;
    }
    graphics_.DrawString(caption.c_str(), static_cast<int>(caption.size()), font_.get(), box_,
                         format_.get(), brush_.get());
    if (notes) {
        box_.Y += F(Round(m.th));
        const std::wstring text = in_.notes->Text();
        // Notes keep their own colour, also on a disabled button.
        TGPSolidBrush notesBrush(ColorToARGB(in_.notesFont->Color()));
        graphics_.DrawString(text.c_str(), static_cast<int>(text.size()), notesFont_.get(), box_,
                             format_.get(), &notesBrush);
    }
}

void ContentPainter::DrawGdiText(const std::wstring& caption, const TextMetrics& m) {
    const bool notes = HasText(in_.notes) && in_.notesFont;
    RECT r{Round(box_.X), Round(box_.Y), Round(box_.X) + Round(box_.Width),
           Round(box_.Y) + Round(box_.Height)};
    canvas_.Brush().SetStyle(bsClear);
    UINT flags = in_.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    switch (layout_) {
    case blGlyphLeft: flags |= DT_VCENTER; break;
    case blGlyphTop:
    case blGlyphTopAdjusted: flags |= DT_CENTER; break;
    case blGlyphRight:
    case blGlyphBottom: flags |= DT_CENTER | DT_VCENTER; break;
    case blGlyphLeftAdjusted:
        r.left += 2;
        if (notes)
            r.top = (r.bottom - r.top - Round(m.th) - Round(m.nh)) / 2;
        else
            flags |= DT_VCENTER;
        break;
    case blGlyphRightAdjusted: flags |= DT_RIGHT | DT_VCENTER; break;
    case blGlyphBottomAdjusted: flags |= DT_CENTER | DT_BOTTOM; break;
    }
    RECT d = r;
    canvas_.Font().CopyFrom(in_.font);
    if (!in_.enabled) canvas_.Font().SetColor(clGray);
    if (in_.wordWrap) {
        // DT_VCENTER only centres single lines: several lines are placed by hand.
        const int h = canvas_.DrawText(caption, r, flags | DT_CALCRECT);
        if (layout_ == blGlyphTop)
            d.top = py_ + ph_;
        else if (layout_ == blGlyphBottomAdjusted)
            d.top = d.bottom - h;
        else if (layout_ != blGlyphTopAdjusted)
            d.top = (d.bottom - d.top - h) / 2;
    }
    canvas_.DrawText(caption, d, flags);
    if (notes) {
        d.top += Round(m.th);
        d.bottom = d.top + Round(m.nh);
        canvas_.Font().CopyFrom(in_.notesFont);
        canvas_.DrawText(in_.notes->Text(), d, flags);
    }
}

void ContentPainter::DrawPicture(bool hasCaption) {
    int cw = cw_, ch = ch_;
    // Without a caption the picture is centred clear of the arrow.
    if (in_.dropDownButton) {
        if (in_.dropDownPosition == dpBottom)
            ch -= 8;
        else
            cw -= 8;
    }
    const int L = content_.left, T = content_.top;
    auto place = [&](int w, int h) -> POINT {
        if (hasCaption) return {px_, py_};
        return {L + std::max((cw - w) / 2, 0), T + std::max((ch - h) / 2, 0)};
    };
    if (HasGlyph()) {
        TBitmap& glyph = *in_.glyphBitmap;
        if (!ForcedSize()) {
            const POINT at = place(glyph.Width(), glyph.Height());
            canvas_.Draw(at.x, at.y, glyph);
        } else {
            const POINT at = place(in_.pictureSize.cx, in_.pictureSize.cy);
            glyph.SetTransparent(true);
            canvas_.StretchDraw({at.x, at.y, at.x + in_.pictureSize.cx, at.y + in_.pictureSize.cy},
                                glyph);
        }
    } else if (HasPicture()) {
        if (!ForcedSize()) {
            const POINT at = place(in_.picture->ImageWidth(), in_.picture->ImageHeight());
            DrawPictureAt(graphics_, at, *in_.picture);
        } else {
            const POINT at = place(in_.pictureSize.cx, in_.pictureSize.cy);
            DrawPictureStretched(graphics_, canvas_,
                                 {at.x, at.y, at.x + in_.pictureSize.cx, at.y + in_.pictureSize.cy},
                                 *in_.picture);
        }
    } else if (HasListImage()) {
        const POINT at = place(in_.imageList->Width(), in_.imageList->Height());
        const TWinControl* parent = in_.control ? in_.control->Parent() : nullptr;
        if (parent && parent->ClassName() == L"TAdvQuickAccessToolBar")
            DrawImageListImage(&graphics_, at, in_.imageList, in_.imageEnabled, in_.imageIndex);
        else
            in_.imageList->Draw(canvas_, at.x, at.y, in_.imageIndex, in_.imageEnabled);
    }
}

RECT DropDownRect(const TGlowButtonDrawInputs& in) {
    const RECT& c = in.rect;
    if (in.dropDownPosition == dpRight) return {c.right - kDropDownStrip, c.top, c.right, c.bottom};
    return {c.left, c.bottom - kDropDownStrip, c.right, c.bottom};
}

void ContentPainter::DrawSeparator() {
    canvas_.Brush().SetStyle(bsClear);
    if (!in_.highlighted || !in_.dropDownSplit) return;
    const RECT d = DropDownRect(in_);
    canvas_.Pen().SetColor(in_.BorderColor);
    if (in_.dropDownPosition == dpBottom) {
        canvas_.MoveTo(d.left, d.top);
        canvas_.LineTo(d.right, d.top);
    } else {
        canvas_.MoveTo(d.left, d.top);
        canvas_.LineTo(d.left, d.bottom);
    }
}

void ContentPainter::DrawArrow(bool captionEmpty) {
    const RECT d = DropDownRect(in_);
    const int ax = d.left + (d.right - d.left - 5) / 2;
    // Level with the caption's last line on a side strip; centred otherwise.
    const int ay = in_.dropDownPosition == dpBottom || captionEmpty
                       ? d.top + (d.bottom - d.top - 3) / 2 + 1
                       : textBottom_ - 8;
    DrawDropDownArrow(canvas_, {ax, ay}, in_.enabled ? clBlack : clGray, in_.arrowDown, clWhite);
}

} // namespace

// ---- the face's building blocks

void DrawGradientPart(TCanvas& canvas, TGPGraphics& graphics, const RECT& rect, bool upper,
                      TGDIPGradient kind, TColor colorA, TColor colorB) {
    (void)canvas;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int w = r - l, hp = b - t;
    // Right and bottom go in as width and height: past the part, later parts and the control
    // edge cover or clip the excess.
    {
        TGPSolidBrush underlay(ColorToARGB(upper ? colorB : colorA));
        graphics.FillRectangle(underlay, F(l), F(t), F(r), F(b));
    }
    TGPGraphicsPath path(FillModeAlternate);
    if (upper)
        path.AddEllipse(F(l), F(t - hp / 2 + 2), F(r), F(b));
    else
        path.AddEllipse(F(l), F(t), F(r), F(b));

    std::unique_ptr<TGPBrush> brush;
    if (kind == ggRadial) {
        auto radial = std::make_unique<TGPPathGradientBrush>(path);
        radial->SetCenterPointI(GpPoint{l + w / 2, upper ? t : b});
        radial->SetCenterColor(ColorToARGB(upper ? colorA : colorB));
        ARGB surround = ColorToARGB(upper ? colorB : colorA);
        int count = 1;
        radial->SetSurroundColorsWithCount(&surround, count);
        brush = std::move(radial);
    } else if (kind == ggVertical || kind == ggDiagonalForward || kind == ggDiagonalBackward) {
        const auto mode = kind == ggVertical          ? LinearGradientModeVertical
                          : kind == ggDiagonalForward ? LinearGradientModeForwardDiagonal
                                                      : LinearGradientModeBackwardDiagonal;
        brush = std::make_unique<TGPLinearGradientBrush>(
            GpRectF{F(l), F(t), F(w), F(hp)}, ColorToARGB(colorB), ColorToARGB(colorA), mode);
    }
    if (brush) graphics.FillRectangle(*brush, F(l), F(t), F(r), F(b));
}

namespace {

void StrokePath(TGPGraphics& graphics, TColor color, const TGPGraphicsPath& path,
                DashStyle dash = DashStyleSolid) {
    TGPPen pen(ColorToARGB(color), 1.0f);
    if (dash != DashStyleSolid) pen.SetDashStyle(dash);
    graphics.DrawPath(&pen, &path);
}

void StrokeLine(TGPGraphics& graphics, TColor color, int x1, int y1, int x2, int y2) {
    TGPGraphicsPath path;
    path.AddLine(F(x1), F(y1), F(x2), F(y2));
    StrokePath(graphics, color, path);
}

void AddRoundedOutline(TGPGraphicsPath& path, int x0, int y0, int w, int h, int r) {
    const int d = 2 * r;
    path.AddLine(F(x0 + r), F(y0), F(x0 + w - d), F(y0));
    path.AddArc(F(x0 + w - d), F(y0), F(d), F(d), 270, 90);
    path.AddLine(F(x0 + w), F(y0 + r), F(x0 + w), F(y0 + h - d));
    path.AddArc(F(x0 + w - d), F(y0 + h - d), F(d), F(d), 0, 90);
    path.AddLine(F(x0 + w - d), F(y0 + h), F(x0 + r), F(y0 + h));
    path.AddArc(F(x0), F(y0 + h - d), F(d), F(d), 90, 90);
    path.AddLine(F(x0), F(y0 + h - d), F(x0), F(y0 + r));
    path.AddArc(F(x0), F(y0), F(d), F(d), 180, 90);
    path.CloseFigure();
}

// The left edge of a middle or right piece: full and darker while hot, else a short light line.
void DrawSegmentLeftEdge(TGPGraphics& graphics, TColor color, int x0, int y0, int h, bool hot) {
    if (hot)
        StrokeLine(graphics, DarkenColor(color, -5), x0, y0, x0, y0 + h);
    else
        StrokeLine(graphics, DarkenColor(clWhite, -10), x0, y0 + 2, x0, y0 + h - 2);
}

} // namespace

void DrawStandaloneBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h,
                          int r) {
    if (r == 0) {
        TGPPen pen(ColorToARGB(color), 1.0f);
        graphics.DrawRectangle(pen, F(x0), F(y0), F(w), F(h));
        return;
    }
    TGPGraphicsPath path;
    AddRoundedOutline(path, x0, y0, w, h, r);
    StrokePath(graphics, color, path);
}

void DrawLeftBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r) {
    const int d = 2 * r;
    TGPGraphicsPath path;
    path.AddLine(F(x0 + w), F(y0 + h), F(x0 + r), F(y0 + h));
    path.AddArc(F(x0), F(y0 + h - d), F(d), F(d), 90, 90);
    path.AddLine(F(x0), F(y0 + h - d), F(x0), F(y0 + r));
    path.AddArc(F(x0), F(y0), F(d), F(d), 180, 90);
    path.AddLine(F(x0 + r), F(y0), F(x0 + w), F(y0));
    StrokePath(graphics, color, path);
    StrokeLine(graphics, DarkenColor(color, -5), x0 + w, y0, x0 + w, y0 + h);
}

void DrawMiddleBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r,
                      bool hot) {
    (void)r; // middle pieces have no rounded corners
    StrokeLine(graphics, color, x0 - 1, y0 + h, x0 + w, y0 + h);
    StrokeLine(graphics, color, x0 - 1, y0, x0 + w, y0);
    StrokeLine(graphics, DarkenColor(color, -5), x0 + w, y0, x0 + w, y0 + h);
    DrawSegmentLeftEdge(graphics, color, x0, y0, h, hot);
}

void DrawRightBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r,
                     bool hot) {
    const int d = 2 * r;
    TGPGraphicsPath path;
    path.AddLine(F(x0), F(y0), F(x0 + w - d), F(y0));
    path.AddArc(F(x0 + w - d), F(y0), F(d), F(d), 270, 90);
    path.AddLine(F(x0 + w), F(y0 + r), F(x0 + w), F(y0 + h - d));
    path.AddArc(F(x0 + w - d), F(y0 + h - d), F(d), F(d), 0, 90);
    path.AddLine(F(x0 + w), F(y0 + h), F(x0), F(y0 + h));
    StrokePath(graphics, color, path);
    DrawSegmentLeftEdge(graphics, color, x0, y0, h, hot);
}

void DrawDottedFrame(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r) {
    TGPGraphicsPath path;
    AddRoundedOutline(path, x0, y0, w, h, r);
    StrokePath(graphics, color, path, DashStyleDot);
}

void DrawDropDownArrow(TCanvas& canvas, POINT origin, TColor color, bool pointsDown,
                       TColor lightColor) {
    const int ax = origin.x, ay = origin.y;
    canvas.Pen().SetColor(color);
    if (pointsDown) {
        canvas.MoveTo(ax, ay);
        canvas.LineTo(ax + 5, ay);
        canvas.MoveTo(ax + 1, ay + 1);
        canvas.LineTo(ax + 4, ay + 1);
        canvas.SetPixel(ax + 2, ay + 2, color);
        for (const POINT p : {POINT{ax, ay + 1}, POINT{ax + 4, ay + 1}, POINT{ax + 1, ay + 2},
                              POINT{ax + 3, ay + 2}, POINT{ax + 2, ay + 3}})
            canvas.SetPixel(p.x, p.y, lightColor);
    } else {
        canvas.MoveTo(ax, ay);
        canvas.LineTo(ax, ay + 5);
        canvas.MoveTo(ax + 1, ay + 1);
        canvas.LineTo(ax + 1, ay + 4);
        canvas.SetPixel(ax + 2, ay + 2, color);
        for (const POINT p : {POINT{ax + 2, ay + 1}, POINT{ax + 1, ay + 4}, POINT{ax + 3, ay + 2}})
            canvas.SetPixel(p.x, p.y, lightColor);
    }
}

// ---- pictures

void DrawPictureAt(TGPGraphics& graphics, POINT point, const TGDIPPicture& picture) {
    const std::vector<std::uint8_t> bytes = SavedBytes(picture);
    ImageStream stream(bytes);
    auto image = std::make_unique<TGPImage>(stream.get());
    if (image->GetFormatKind() == fkBMP) {
        DrawKeyed(graphics, stream, *image, point);
        return;
    }
    graphics.DrawImageRect(image.get(), point.x, point.y, static_cast<int>(image->GetWidth()),
                           static_cast<int>(image->GetHeight()));
}

void DrawPictureStretched(TGPGraphics& graphics, TCanvas& canvas, const RECT& rect,
                          const TGDIPPicture& picture) {
    const std::vector<std::uint8_t> bytes = SavedBytes(picture);
    ImageStream stream(bytes);
    auto image = std::make_unique<TGPImage>(stream.get());
    if (image->GetFormatKind() == fkBMP) {
        TMemoryStream file(bytes);
        TBitmap bitmap;
        try {
            bitmap.LoadImage(file);
        } catch (const EInvalidGraphic&) {
            return; // a BMP variant only GDI+ reads is not drawn
        } catch (const EOutOfMemory&) {
            return; // nor one too large for a framework bitmap
        }
        bitmap.SetTransparentMode(tmAuto);
        bitmap.SetTransparent(true);
        canvas.StretchDraw(rect, bitmap);
        return;
    }
    graphics.DrawImageRect(image.get(), rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top);
}

void DrawImageListImage(TGPGraphics* graphics, POINT point, const TImageList* imageList,
                        bool enabled, int index) {
    if (!imageList || index < 0 || !graphics) return;
    TBitmap bitmap(imageList->Width(), imageList->Height());
    imageList->Draw(bitmap.Canvas(), 0, 0, index, enabled);
    TMemoryStream file;
    bitmap.SaveImage(file);
    ImageStream stream(file.Bytes());
    auto image = std::make_unique<TGPImage>(stream.get());
    DrawKeyed(*graphics, stream, *image, point);
}

// ---- the whole button

SIZE DrawGlowButton(const TGlowButtonDrawInputs& in) {
    if (!in.canvas) throw EInvalidOperation(L"A glow button needs a canvas to paint on");
    TCanvas& canvas = *in.canvas;
    const int radius = in.rounded ? 3 : 0;
    auto graphics = std::make_unique<TGPGraphics>(canvas.Handle());

    if (!in.transparentIdle) {
        if (in.dropDownButton && in.highlighted && in.dropDownSplit)
            DrawSplitFace(canvas, *graphics, in);
        else
            DrawPlainFace(canvas, *graphics, in);
    }
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    if (!in.transparentIdle && in.borderVisible) DrawBorder(*graphics, in, radius);
    if (in.focusBorder) {
        const RECT& c = in.rect;
        DrawStandaloneBorder(*graphics, FocusOutlineColor, c.left + 1, c.top + 1, c.right - 3,
                             c.bottom - 3, radius);
        DrawDottedFrame(*graphics, clGray, c.left + 2, c.top + 2, c.right - 5, c.bottom - 5,
                        radius);
    }
    ContentPainter content(in, *graphics);
    return content.Run();
}

} // namespace plaxor
