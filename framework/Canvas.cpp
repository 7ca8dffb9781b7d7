#include "Canvas.h"
#include "Exception.h"
#include "Graphic.h"

namespace plaxor {

// ---- TBrush

void TBrush::CopyFrom(const TPersistent* source) {
    const auto* brush = dynamic_cast<const TBrush*>(source);
    if (!brush) return TPersistent::CopyFrom(source);
    if (brush->color_ == color_ && brush->style_ == style_) return;
    color_ = brush->color_;
    style_ = brush->style_;
    Changed();
}

void TBrush::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TBrush::Changed() {
    // The canvas deselects the old handle in OnChange, before it is deleted.
    try {
        Raise(OnChange, this);
    } catch (...) {
        handle_.reset();
        throw;
    }
    handle_.reset();
}

HBRUSH TBrush::Handle() const {
    if (style_ == bsClear) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    if (!handle_) {
        handle_.reset(::CreateSolidBrush(ColorToRGB(color_)));
        if (!handle_) throw EOutOfMemory(L"Cannot create brush");
    }
    return handle_.get();
}

// ---- TPen

void TPen::CopyFrom(const TPersistent* source) {
    const auto* pen = dynamic_cast<const TPen*>(source);
    if (!pen) return TPersistent::CopyFrom(source);
    if (pen->color_ == color_ && pen->width_ == width_ && pen->style_ == style_) return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    Changed();
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 1) width = 1;
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TPen::Changed() {
    try {
        Raise(OnChange, this);
    } catch (...) {
        handle_.reset();
        throw;
    }
    handle_.reset();
}

HPEN TPen::Handle() const {
    if (!handle_) {
        static constexpr int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                         PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.reset(::CreatePen(styles[style_], width_, ColorToRGB(color_)));
        if (!handle_) throw EOutOfMemory(L"Cannot create pen");
    }
    return handle_.get();
}

// ---- TCanvas

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { DeselectFont(); };
    brush_.OnChange = [this](TObject*) { DeselectBrush(); };
    pen_.OnChange = [this](TObject*) { DeselectPen(); };
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    dc_ = dc;
}

TCanvas::~TCanvas() {
    Refresh();
}

void TCanvas::SetHandle(HDC dc) noexcept {
    if (dc == dc_) return;
    Refresh();
    dc_ = dc;
}

void TCanvas::Refresh() noexcept {
    DeselectFont();
    DeselectBrush();
    DeselectPen();
}

HDC TCanvas::RequireHandle() const {
    if (!dc_) throw EInvalidOperation(L"Canvas does not allow drawing");
    return dc_;
}

void TCanvas::RequireFont() {
    HDC dc = RequireHandle();
    HGDIOBJ font = font_.Handle();
    if (selectedFont_ != font) {
        HGDIOBJ previous = ::SelectObject(dc, font);
        if (!oldFont_) oldFont_ = previous;
        selectedFont_ = font;
    }
    ::SetTextColor(dc, ColorToRGB(font_.Color()));
}

void TCanvas::RequireBrush() {
    HDC dc = RequireHandle();
    HGDIOBJ brush = brush_.Handle();
    if (selectedBrush_ != brush) {
        HGDIOBJ previous = ::SelectObject(dc, brush);
        if (!oldBrush_) oldBrush_ = previous;
        selectedBrush_ = brush;
    }
    ::SetBkColor(dc, ColorToRGB(brush_.Color()));
    ::SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::RequirePen() {
    HDC dc = RequireHandle();
    HGDIOBJ pen = pen_.Handle();
    if (selectedPen_ != pen) {
        HGDIOBJ previous = ::SelectObject(dc, pen);
        if (!oldPen_) oldPen_ = previous;
        selectedPen_ = pen;
    }
}

void TCanvas::DeselectFont() noexcept {
    if (dc_ && oldFont_) ::SelectObject(dc_, oldFont_);
    oldFont_ = selectedFont_ = nullptr;
}

void TCanvas::DeselectBrush() noexcept {
    if (dc_ && oldBrush_) ::SelectObject(dc_, oldBrush_);
    oldBrush_ = selectedBrush_ = nullptr;
}

void TCanvas::DeselectPen() noexcept {
    if (dc_ && oldPen_) ::SelectObject(dc_, oldPen_);
    oldPen_ = selectedPen_ = nullptr;
}

void TCanvas::MoveTo(int x, int y) {
    ::MoveToEx(RequireHandle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() const {
    POINT p{};
    ::GetCurrentPositionEx(RequireHandle(), &p);
    return p;
}

TColor TCanvas::Pixel(int x, int y) {
    return ::GetPixel(RequireHandle(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixelV(RequireHandle(), x, y, ColorToRGB(color));
}

void TCanvas::FillRect(const RECT& rect) {
    RequireBrush();
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    RequireBrush();
    ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    RequireFont();
    RequireBrush();
    ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    RequireFont();
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT flags) {
    RequireFont();
    RequireBrush();
    // DrawTextW may write into the text with DT_MODIFYSTRING; the caller's string is const.
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
                       flags & ~static_cast<UINT>(DT_MODIFYSTRING));
}

TEXTMETRICW TCanvas::GetTextMetrics() {
    RequireFont();
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc_, &tm);
    return tm;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    RequireHandle();
    if (graphic.IsEmpty()) return;
    const RECT rect{x, y, x + graphic.ImageWidth(), y + graphic.ImageHeight()};
    graphic.DrawInRect(*this, rect);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
    RequireHandle();
    if (graphic.IsEmpty()) return;
    graphic.DrawInRect(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    HDC dc = RequireHandle();
    HDC from = source.RequireHandle();
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    const int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (w == sw && h == sh) {
        ::BitBlt(dc, dest.left, dest.top, w, h, from, sourceRect.left, sourceRect.top, SRCCOPY);
    } else {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, w, h, from, sourceRect.left, sourceRect.top, sw, sh,
                     SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
    }
}

} // namespace plaxor
