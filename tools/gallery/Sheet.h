#pragma once
// One large picture made of labelled cells in titled sections, flowing left to right, saved as
// a BMP file.
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include <string>

namespace plaxor::gallery {

class Sheet {
public:
    Sheet(int width, int maxHeight);

    // Starts a new line with a title.
    void Section(const std::wstring& title);
    // Ends the current line of cells.
    void NewLine();
    // Reserves a cell of width x height with a label under it and returns its top-left corner.
    POINT Cell(const std::wstring& label, int width, int height);
    // Copies an image into the sheet at a point.
    void Put(POINT at, TBitmap& image);
    // Writes the used part of the sheet.
    void SaveBmp(const std::wstring& path);

    static constexpr TColor Background = 0xF4F4F4;

private:
    void Text(int x, int y, const std::wstring& text, bool bold, TColor color);

    TBitmap bitmap_;
    int width_;
    int x_ = 0, y_ = 0, lineHeight_ = 0;
    int used_ = 0;
};

} // namespace plaxor::gallery
