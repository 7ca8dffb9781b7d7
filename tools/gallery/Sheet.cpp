#include "Sheet.h"
#include "framework/Streams.h"
#include <algorithm>

namespace plaxor::gallery {

namespace {
constexpr int Margin = 12;
constexpr int Gap = 14;
constexpr int LabelHeight = 28;
constexpr int TitleHeight = 26;
} // namespace

Sheet::Sheet(int width, int maxHeight) : bitmap_(width, maxHeight), width_(width) {
    TCanvas& canvas = bitmap_.Canvas();
    canvas.Brush().SetColor(Background);
    canvas.FillRect({0, 0, width, maxHeight});
    x_ = Margin;
    y_ = Margin;
}

void Sheet::Text(int x, int y, const std::wstring& text, bool bold, TColor color) {
    TCanvas& canvas = bitmap_.Canvas();
    canvas.Font().SetName(L"Tahoma");
    canvas.Font().SetHeight(bold ? -14 : -11);
    canvas.Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    canvas.Font().SetColor(color);
    canvas.Brush().SetStyle(bsClear);
    RECT r{x, y, x + 2000, y + 40};
    canvas.DrawText(text, r, DT_NOPREFIX | DT_SINGLELINE);
    canvas.Brush().SetStyle(bsSolid);
}

void Sheet::NewLine() {
    if (x_ == Margin) return;
    y_ += lineHeight_ + Gap;
    x_ = Margin;
    lineHeight_ = 0;
}

void Sheet::Section(const std::wstring& title) {
    NewLine();
    if (y_ > Margin) y_ += 6;
    TCanvas& canvas = bitmap_.Canvas();
    canvas.Pen().SetColor(0xB0B0B0);
    canvas.MoveTo(Margin, y_);
    canvas.LineTo(width_ - Margin, y_);
    Text(Margin, y_ + 5, title, true, 0x303030);
    y_ += TitleHeight;
    used_ = std::max(used_, y_);
}

POINT Sheet::Cell(const std::wstring& label, int width, int height) {
    if (x_ + width > width_ - Margin) NewLine();
    const POINT at{x_, y_};
    // Labels may wrap onto a second line within the cell's width (at least 100 pixels).
    TCanvas& canvas = bitmap_.Canvas();
    canvas.Font().SetName(L"Tahoma");
    canvas.Font().SetHeight(-11);
    canvas.Font().SetStyle({});
    canvas.Font().SetColor(0x505050);
    canvas.Brush().SetStyle(bsClear);
    const int labelWidth = std::max(width, 100);
    RECT r{x_, y_ + height + 3, x_ + labelWidth, y_ + height + 3 + LabelHeight};
    canvas.DrawText(label, r, DT_NOPREFIX | DT_WORDBREAK);
    canvas.Brush().SetStyle(bsSolid);
    x_ += std::max(width, labelWidth) + Gap;
    lineHeight_ = std::max(lineHeight_, height + 3 + LabelHeight);
    used_ = std::max(used_, y_ + lineHeight_);
    return at;
}

void Sheet::Put(POINT at, TBitmap& image) {
    bitmap_.Canvas().Draw(at.x, at.y, image);
}

void Sheet::SaveBmp(const std::wstring& path) {
    TBitmap used(width_, std::min(used_ + Margin, bitmap_.Height()));
    used.Canvas().Draw(0, 0, bitmap_);
    TFileStream file(path, fmCreate);
    used.SaveImage(file);
}

} // namespace plaxor::gallery
