#pragma once
// A list of small images of one size, each with its transparent pixels, drawn onto a canvas
// as they are or greyed for a disabled control.
#include "Bitmap.h"
#include "Component.h"
#include <memory>
#include <vector>

namespace plaxor {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;
    std::wstring ClassName() const override { return L"TImageList"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // The size of every image, 16 x 16 by default. Changing it removes all images, which no
    // longer fit; a size below 1 raises EInvalidOperation.
    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    int Height() const noexcept { return height_; }
    void SetHeight(int value);

    int Count() const noexcept { return static_cast<int>(images_.size()); }

    // Adds the images of a strip Height() tall and a whole number of images wide, left to
    // right; returns the index of the first one. Pixels of maskColor are transparent:
    // clDefault takes the strip's bottom-left pixel, clNone keeps every pixel. Any other size
    // raises EInvalidOperation and adds nothing.
    int Add(const TBitmap& strip, TColor maskColor = clDefault);
    void Clear();

    // Draws image index with its top-left corner at (x, y); disabled, it is drawn in light
    // greys. An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    // The image's pixels as 0x00BBGGRR, and whether the pixel is transparent.
    TColor Pixel(int index, int x, int y) const;
    bool IsTransparentPixel(int index, int x, int y) const;

    TNotifyEvent OnChange;

private:
    void SetSize(int width, int height);
    void Changed();
    const TBitmap& Image(int index) const;

    int width_ = 16;
    int height_ = 16;
    // Each image a 32-bit bitmap whose alpha byte is 0 (transparent) or 255.
    std::vector<std::unique_ptr<TBitmap>> images_;
};

} // namespace plaxor
