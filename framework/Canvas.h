#pragma once
// Drawing on a device context that someone else owns (a paint DC, a bitmap's memory DC), with
// a font, brush and pen that are selected into it only when an operation needs them.
#include "Colors.h"
#include "Font.h"
#include "Persistent.h"
#include "UniqueHandle.h"
#include <cstdint>
#include <string>

namespace plaxor {

class TGraphic;

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };
template <> struct EnumNames<TBrushStyle> {
    static constexpr std::wstring_view names[] = {L"bsSolid", L"bsClear"};
};

class TBrush : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TBrush"; }
    void CopyFrom(const TPersistent* source) override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const noexcept { return style_; }
    void SetStyle(TBrushStyle style);
    // A solid brush of the colour, or the stock hollow brush for bsClear; owned by the brush.
    HBRUSH Handle() const;

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable UniqueHBRUSH handle_;
};

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
template <> struct EnumNames<TPenStyle> {
    static constexpr std::wstring_view names[] = {L"psSolid",      L"psDash",       L"psDot",
                                                  L"psDashDot",    L"psDashDotDot", L"psClear",
                                                  L"psInsideFrame"};
};

class TPen : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TPen"; }
    void CopyFrom(const TPersistent* source) override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    int Width() const noexcept { return width_; }
    void SetWidth(int width); // below 1 counts as 1
    TPenStyle Style() const noexcept { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle() const;

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable UniqueHPEN handle_;
};

class TCanvas : public TObject {
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;
    std::wstring ClassName() const override { return L"TCanvas"; }

    // The DC is not owned. Changing it (or destroying the canvas) first puts the objects the
    // canvas replaced back into the old DC.
    HDC Handle() const noexcept { return dc_; }
    void SetHandle(HDC dc) noexcept;
    bool HandleAllocated() const noexcept { return dc_ != nullptr; }

    // The canvas listens to these objects' OnChange; assign their properties, not their events.
    TFont& Font() noexcept { return font_; }
    TBrush& Brush() noexcept { return brush_; }
    TPen& Pen() noexcept { return pen_; }

    // Lines with the pen, as GDI draws them: the end point itself is not drawn.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const;

    // GetPixel's answer (CLR_INVALID outside the clip region) and SetPixel.
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // With the brush: the rectangle's right and bottom edges are excluded.
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    // Outlined with the pen, filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }

    // Text in the font's colour on the brush's colour (transparent when the brush is clear).
    void TextOut(int x, int y, const std::wstring& text);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    // ::DrawTextW with the font and brush; returns the text height and, with DT_CALCRECT,
    // updates rect. DT_MODIFYSTRING is ignored (the text is not changed).
    int DrawText(const std::wstring& text, RECT& rect, UINT flags);
    TEXTMETRICW GetTextMetrics();

    // A graphic at its natural size with its top-left corner at (x, y), or stretched into rect;
    // transparent when the graphic is.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& rect, TGraphic& graphic);
    // Copies (stretching if the sizes differ) sourceRect of another canvas into dest.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

    // Puts the original objects back; the next operation selects the canvas's own again.
    void Refresh() noexcept;

private:
    // Raise EInvalidOperation when there is no DC.
    HDC RequireHandle() const;
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void DeselectFont() noexcept;
    void DeselectBrush() noexcept;
    void DeselectPen() noexcept;

    HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    // What is selected now, and what it replaced (to be put back).
    HGDIOBJ selectedFont_ = nullptr, oldFont_ = nullptr;
    HGDIOBJ selectedBrush_ = nullptr, oldBrush_ = nullptr;
    HGDIOBJ selectedPen_ = nullptr, oldPen_ = nullptr;
};

} // namespace plaxor
