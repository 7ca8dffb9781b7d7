// The icon group MAINICON: the images Windows chooses from for the title bar, the task bar
// and Explorer.
#include "ModuleResource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "framework/UniqueHandle.h"

namespace plaxor::test {
namespace {

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct Expected {
    int size;
    int bits;
};
constexpr Expected kEntries[] = {{256, 32}, {128, 32}, {72, 32}, {48, 32}, {32, 32}, {24, 32},
                                 {16, 32},  {48, 8},   {32, 8},  {24, 8},  {16, 8}};
constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

class IconGroup : public testing::Test {
protected:
    void SetUp() override {
        const auto group = ModuleResource(L"MAINICON", RT_GROUP_ICON);
        ASSERT_GE(group.size(), sizeof(GroupHeader));
        std::memcpy(&header_, group.data(), sizeof header_);
        ASSERT_EQ(group.size(), sizeof(GroupHeader) + header_.count * sizeof(GroupEntry));
        entries_.resize(header_.count);
        std::memcpy(entries_.data(), group.data() + sizeof header_,
                    header_.count * sizeof(GroupEntry));
    }

    static std::span<const std::uint8_t> Image(const GroupEntry& e) {
        return ModuleResource(MAKEINTRESOURCEW(e.id), RT_ICON);
    }

    GroupHeader header_{};
    std::vector<GroupEntry> entries_;
};

// The image of a DIB icon entry: header, palette, colour rows and AND mask, all bottom-up.
class DibImage {
public:
    explicit DibImage(std::span<const std::uint8_t> data) : data_(data) {
        if (data.size() >= sizeof info_) std::memcpy(&info_, data.data(), sizeof info_);
    }
    const BITMAPINFOHEADER& Info() const { return info_; }
    int Width() const { return info_.biWidth; }
    int Height() const { return info_.biHeight / 2; }
    std::size_t PaletteBytes() const { return info_.biBitCount == 8 ? 256 * 4 : 0; }
    std::size_t ColourStride() const { return (Width() * info_.biBitCount + 31) / 32 * 4; }
    std::size_t MaskStride() const { return (Width() + 31) / 32 * 4; }
    std::size_t ExpectedSize() const {
        return sizeof info_ + PaletteBytes() + (ColourStride() + MaskStride()) * Height();
    }
    // x, y from the top left, as the picture is seen.
    bool Masked(int x, int y) const {
        const std::uint8_t* row = MaskStart() + (Height() - 1 - y) * MaskStride();
        return row[x / 8] & (0x80 >> (x % 8));
    }
    // Blue, green, red and (32-bit only) alpha of a pixel.
    std::array<int, 4> Colour(int x, int y) const {
        const std::uint8_t* row = ColourStart() + (Height() - 1 - y) * ColourStride();
        if (info_.biBitCount == 32)
            return {row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]};
        const std::uint8_t* entry = data_.data() + sizeof info_ + row[x] * 4;
        return {entry[0], entry[1], entry[2], 255};
    }

private:
    const std::uint8_t* ColourStart() const { return data_.data() + sizeof info_ + PaletteBytes(); }
    const std::uint8_t* MaskStart() const { return ColourStart() + ColourStride() * Height(); }
    std::span<const std::uint8_t> data_;
    BITMAPINFOHEADER info_{};
};

TEST_F(IconGroup, IsAnIconGroupOfElevenImages) {
    EXPECT_EQ(header_.reserved, 0);
    EXPECT_EQ(header_.type, 1);
    EXPECT_EQ(header_.count, std::size(kEntries));
}

TEST_F(IconGroup, ListsEachSizeAndDepth) {
    ASSERT_EQ(entries_.size(), std::size(kEntries));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_EQ(entries_[i].width, kEntries[i].size % 256); // 0 stands for 256
        EXPECT_EQ(entries_[i].height, kEntries[i].size % 256);
        EXPECT_EQ(entries_[i].bitCount, kEntries[i].bits);
        EXPECT_EQ(entries_[i].planes, 1);
        EXPECT_EQ(entries_[i].colourCount, 0);
        EXPECT_EQ(Image(entries_[i]).size(), entries_[i].bytes);
    }
}

TEST_F(IconGroup, LargestImageIsPngWithAlpha) {
    ASSERT_FALSE(entries_.empty());
    const auto png = Image(entries_[0]);
    ASSERT_GE(png.size(), 33u);
    EXPECT_TRUE(std::equal(std::begin(kPngSignature), std::end(kPngSignature), png.begin()));
    EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0);
    auto big_endian = [&](std::size_t at) {
        return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    EXPECT_EQ(big_endian(16), 256);
    EXPECT_EQ(big_endian(20), 256);
    EXPECT_EQ(png[24], 8); // bits per channel
    EXPECT_EQ(png[25], 6); // RGBA
}

TEST_F(IconGroup, OtherImagesAreBitmapsMatchingTheirEntries) {
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const DibImage dib(Image(entries_[i]));
        EXPECT_EQ(dib.Info().biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(dib.Info().biWidth, kEntries[i].size);
        EXPECT_EQ(dib.Info().biHeight, 2 * kEntries[i].size); // colour rows and mask
        EXPECT_EQ(dib.Info().biBitCount, kEntries[i].bits);
        EXPECT_EQ(dib.Info().biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(Image(entries_[i]).size(), dib.ExpectedSize());
    }
}

// Where the mask lets the background through, the colour must be black, or drawing through
// the mask (as Windows does for the 8-bit images) tints the background.
TEST_F(IconGroup, MaskedPixelsAreBlack) {
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const DibImage dib(Image(entries_[i]));
        ASSERT_EQ(Image(entries_[i]).size(), dib.ExpectedSize());
        int masked = 0, tinted = 0;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x) {
                if (!dib.Masked(x, y)) continue;
                ++masked;
                const auto c = dib.Colour(x, y);
                tinted += (c[0] | c[1] | c[2]) != 0;
            }
        EXPECT_GT(masked, 0);
        EXPECT_EQ(tinted, 0);
    }
}

// The shield stands free: the corners of every image are see-through.
TEST_F(IconGroup, CornersAreTransparent) {
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const DibImage dib(Image(entries_[i]));
        ASSERT_EQ(Image(entries_[i]).size(), dib.ExpectedSize());
        const int last = dib.Width() - 1;
        EXPECT_TRUE(dib.Masked(0, 0));
        EXPECT_TRUE(dib.Masked(last, last));
        if (kEntries[i].bits == 32) {
            EXPECT_EQ(dib.Colour(0, 0)[3], 0);
            EXPECT_EQ(dib.Colour(last, last)[3], 0);
        }
    }
}

// The 32-bit images carry real alpha: the shield's middle is opaque.
TEST_F(IconGroup, ShieldIsOpaqueInTheMiddle) {
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const DibImage dib(Image(entries_[i]));
        ASSERT_EQ(Image(entries_[i]).size(), dib.ExpectedSize());
        const int mid = dib.Width() / 2;
        EXPECT_FALSE(dib.Masked(mid, mid));
        EXPECT_EQ(dib.Colour(mid, mid)[3], 255);
    }
}

class IconSize : public testing::TestWithParam<int> {};

// What the title bar and task bar do: ask Windows for the icon at one size.
TEST_P(IconSize, LoadsAtItsOwnSize) {
    const int size = GetParam();
    UniqueHICON icon(static_cast<HICON>(
        ::LoadImageW(SubjectModule(), L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
    UniqueHBITMAP colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(::GetObjectW(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, size);
}

INSTANTIATE_TEST_SUITE_P(MainIcon, IconSize, testing::Values(16, 24, 32, 48, 72, 128, 256));

} // namespace
} // namespace plaxor::test
