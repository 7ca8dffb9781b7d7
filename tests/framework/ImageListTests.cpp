// Image lists: adding strips with their transparent colour, drawing as they are and greyed,
// size changes and bad input.
#include "DibSurface.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/ImageList.h"
#include <gtest/gtest.h>
#include <memory>

namespace plaxor {
namespace {

using test::DibSurface;

constexpr TColor Ground = 0x00FF00, Shape = 0x0000FF, Other = 0xFF0000;

// A strip of count images, each filled with Shape except a Ground frame, the second with one
// Other pixel in its middle.
std::unique_ptr<TBitmap> Strip(int count, int w = 16, int h = 16) {
    auto strip = std::make_unique<TBitmap>(w * count, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * count; ++x) {
            const int ix = x % w;
            const bool frame = ix == 0 || y == 0 || ix == w - 1 || y == h - 1;
            strip->SetPixel(x, y, frame ? Ground : Shape);
        }
    if (count > 1) strip->SetPixel(w + w / 2, h / 2, Other);
    return strip;
}

TEST(ImageList, StartsEmptyAtSixteenBySixteen) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, AddCutsAStripIntoImagesAndReturnsTheFirstIndex) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Add(*Strip(1)), 0);
    EXPECT_EQ(list.Add(*Strip(3)), 1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Pixel(2, 8, 8), Other);
    EXPECT_EQ(list.Pixel(1, 8, 8), Shape);
}

TEST(ImageList, BottomLeftColourIsTransparentByDefault) {
    TImageList list(nullptr);
    list.Add(*Strip(1));
    EXPECT_TRUE(list.IsTransparentPixel(0, 0, 0));
    EXPECT_FALSE(list.IsTransparentPixel(0, 8, 8));
}

TEST(ImageList, MaskColourChoosesTheTransparentColour) {
    TImageList list(nullptr);
    list.Add(*Strip(1), Shape);
    EXPECT_TRUE(list.IsTransparentPixel(0, 8, 8));
    EXPECT_FALSE(list.IsTransparentPixel(0, 0, 0));
}

TEST(ImageList, NoMaskKeepsEveryPixel) {
    TImageList list(nullptr);
    list.Add(*Strip(1), clNone);
    EXPECT_FALSE(list.IsTransparentPixel(0, 0, 0));
}

TEST(ImageList, DrawShowsTheImageAndLetsTheGroundThrough) {
    TImageList list(nullptr);
    list.Add(*Strip(2));
    DibSurface surface(40, 40, 0x808080);
    TCanvas canvas(surface.dc());
    list.Draw(canvas, 10, 5, 1);
    canvas.Refresh();
    EXPECT_EQ(surface.At(12, 7), Shape);
    EXPECT_EQ(surface.At(18, 13), Other);
    EXPECT_EQ(surface.At(10, 5), 0x808080u);
    EXPECT_EQ(surface.At(25, 20), 0x808080u);
    EXPECT_EQ(surface.At(26, 21), 0x808080u);
}

TEST(ImageList, DisabledDrawIsGreyAndKeepsTheShape) {
    TImageList list(nullptr);
    list.Add(*Strip(1));
    DibSurface surface(20, 20, 0xFFFFFF);
    TCanvas canvas(surface.dc());
    list.Draw(canvas, 0, 0, 0, false);
    canvas.Refresh();
    const TColor c = surface.At(8, 8);
    EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
    EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
    EXPECT_LT(c & 0xFF, 0xF0u);
    EXPECT_EQ(surface.At(0, 0), 0xFFFFFFu);
}

TEST(ImageList, DrawOutsideTheListDrawsNothing) {
    TImageList list(nullptr);
    list.Add(*Strip(1));
    DibSurface surface(20, 20, 0xFFFFFF);
    TCanvas canvas(surface.dc());
    list.Draw(canvas, 0, 0, 1);
    list.Draw(canvas, 0, 0, -1);
    canvas.Refresh();
    EXPECT_EQ(surface.Count(0xFFFFFF), 400);
}

TEST(ImageList, StripOfTheWrongSizeIsRefusedAndAddsNothing) {
    TImageList list(nullptr);
    EXPECT_THROW(list.Add(*Strip(1, 16, 15)), EInvalidOperation);
    EXPECT_THROW(list.Add(*Strip(1, 20, 16)), EInvalidOperation);
    EXPECT_THROW(list.Add(TBitmap()), EInvalidOperation);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, SizeChangeRemovesTheImages) {
    TImageList list(nullptr);
    list.Add(*Strip(2));
    list.SetWidth(24);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(list.Add(*Strip(1, 24, 16)), 0);
}

TEST(ImageList, SizeBelowOneIsRefused) {
    TImageList list(nullptr);
    EXPECT_THROW(list.SetHeight(0), EInvalidOperation);
    EXPECT_EQ(list.Height(), 16);
}

TEST(ImageList, ChangesAreAnnounced) {
    TImageList list(nullptr);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add(*Strip(1));
    list.Clear();
    list.Clear();
    EXPECT_EQ(changes, 2);
}

TEST(ImageList, PixelOfAMissingImageIsAnError) {
    TImageList list(nullptr);
    EXPECT_THROW(list.Pixel(0, 0, 0), EInvalidOperation);
}

TEST(ImageList, WidthAndHeightArePublishedWithTheirDefaults) {
    TImageList list(nullptr);
    const PropertyInfo* width = list.Published().Find(L"Width");
    const PropertyInfo* height = list.Published().Find(L"Height");
    ASSERT_NE(width, nullptr);
    ASSERT_NE(height, nullptr);
    EXPECT_FALSE(width->save(list).has_value());
    list.SetHeight(32);
    EXPECT_TRUE(height->save(list).has_value());
}

} // namespace
} // namespace plaxor
