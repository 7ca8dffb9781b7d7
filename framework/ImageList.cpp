#include "ImageList.h"
#include "Exception.h"
#include "Properties.h"

namespace plaxor {

namespace {

constexpr std::uint32_t Opaque = 0xFF000000;

// The light grey a disabled image shows for a pixel: its brightness, lifted two thirds of the
// way towards a pale grey so that the shape stays readable but reads as unavailable.
std::uint32_t Greyed(std::uint32_t bgra) {
    const std::uint32_t b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
    const std::uint32_t luma = (r * 30 + g * 59 + b * 11) / 100;
    const std::uint32_t grey = (luma + 2 * 200) / 3;
    return (bgra & Opaque) | grey << 16 | grey << 8 | grey;
}

std::uint32_t Bgr(TColor rgb) {
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

} // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

const PropertyTable& TImageList::ClassProperties() {
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {props::Integer(L"Height", &TImageList::Height, &TImageList::SetHeight, 16),
         props::Integer(L"Width", &TImageList::Width, &TImageList::SetWidth, 16)});
    return table;
}

void TImageList::SetWidth(int value) {
    SetSize(value, height_);
}

void TImageList::SetHeight(int value) {
    SetSize(width_, value);
}

void TImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1 || width > TBitmap::MaxSide || height > TBitmap::MaxSide)
        throw EInvalidOperation(L"Invalid image size");
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (images_.empty()) return;
    images_.clear();
    Changed();
}

int TImageList::Add(const TBitmap& strip, TColor maskColor) {
    if (strip.IsEmpty() || strip.Height() != height_ || strip.Width() % width_ != 0)
        throw EInvalidOperation(L"Invalid image size");
    const bool keyed = maskColor != clNone;
    const TColor key = maskColor == clDefault ? strip.Pixel(0, strip.Height() - 1)
                                              : (keyed ? ColorToRGB(maskColor) : 0);
    const std::uint32_t keyBgr = Bgr(key);

    std::vector<std::unique_ptr<TBitmap>> added;
    for (int left = 0; left < strip.Width(); left += width_) {
        auto image = std::make_unique<TBitmap>(width_, height_);
        for (int y = 0; y < height_; ++y) {
            const std::uint32_t* in = strip.ScanLine(y) + left;
            std::uint32_t* out = image->ScanLine(y);
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t rgb = in[x] & 0xFFFFFF;
                out[x] = keyed && rgb == keyBgr ? rgb : rgb | Opaque;
            }
        }
        image->SetAlphaChannel(true);
        added.push_back(std::move(image));
    }
    const int first = Count();
    for (auto& image : added)
        images_.push_back(std::move(image));
    Changed();
    return first;
}

void TImageList::Clear() {
    if (images_.empty()) return;
    images_.clear();
    Changed();
}

const TBitmap& TImageList::Image(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation(
            FormatMessageText(L"Image index %s out of bounds", {std::to_wstring(index)}));
    return *images_[static_cast<std::size_t>(index)];
}

TColor TImageList::Pixel(int index, int x, int y) const {
    return Image(index).Pixel(x, y);
}

bool TImageList::IsTransparentPixel(int index, int x, int y) const {
    const TBitmap& image = Image(index);
    image.Pixel(x, y); // checks the point
    return (image.ScanLine(y)[x] & Opaque) == 0;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    TBitmap& image = *images_[static_cast<std::size_t>(index)];
    const RECT target{x, y, x + width_, y + height_};
    if (enabled) {
        image.DrawInRect(canvas, target);
        return;
    }
    TBitmap grey(width_, height_);
    for (int row = 0; row < height_; ++row) {
        const std::uint32_t* in = image.ScanLine(row);
        std::uint32_t* out = grey.ScanLine(row);
        for (int col = 0; col < width_; ++col)
            out[col] = Greyed(in[col]);
    }
    grey.SetAlphaChannel(true);
    grey.DrawInRect(canvas, target);
}

void TImageList::Changed() {
    Raise(OnChange, this);
}

} // namespace plaxor
