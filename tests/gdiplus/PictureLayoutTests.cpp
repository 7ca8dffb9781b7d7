// A picture and a hint record as published properties of a component, written to and read
// from the binary layout form.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "SampleImages.h"
#include "framework/LayoutLoader.h"
#include "gdiplus/AdvHintInfo.h"
#include "gdiplus/GDIPPicture.h"
#include "tests/support/LayoutBinary.h"
#include "tests/support/LayoutWriter.h"

namespace plaxor::test {
namespace {

// A component that publishes a picture and a hint record, as the glow button does.
class TPictureHolder : public TComponent {
public:
    TPictureHolder() : TComponent(nullptr) {}
    std::wstring ClassName() const override { return L"TPictureHolder"; }
    TGDIPPicture* Picture() const { return picture_.get(); }
    TAdvHintInfo* OfficeHint() const { return hint_.get(); }
    static const PropertyTable& ClassProperties() {
        static const PropertyTable table(
            &TComponent::ClassProperties(),
            {props::Object(L"Picture", &TPictureHolder::Picture),
             props::Object(L"OfficeHint", &TPictureHolder::OfficeHint)});
        return table;
    }
    const PropertyTable& Published() const override { return ClassProperties(); }

private:
    std::unique_ptr<TGDIPPicture> picture_ = std::make_unique<TGDIPPicture>();
    std::unique_ptr<TAdvHintInfo> hint_ = std::make_unique<TAdvHintInfo>();
};

// The binary form of a binary value: type 10, the 4-byte little-endian length, the bytes.
ByteVector BinaryValue(const ByteVector& bytes) {
    ByteVector out;
    out.reserve(bytes.size() + 5);
    out.push_back(10);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t(bytes.size() >> shift));
    for (std::uint8_t b : bytes)
        out.push_back(b);
    return out;
}

// A property as the binary layout writes it: its name, length-prefixed, then its value.
ByteVector BinaryProperty(const std::string& name, const ByteVector& bytes) {
    ByteVector out;
    out.push_back(std::uint8_t(name.size()));
    for (char c : name)
        out.push_back(std::uint8_t(c));
    for (std::uint8_t b : BinaryValue(bytes))
        out.push_back(b);
    return out;
}

bool Contains(const ByteVector& haystack, const ByteVector& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

std::unique_ptr<TPictureHolder> ReadBack(const Bytes& binary) {
    auto holder = std::make_unique<TPictureHolder>();
    ComponentFactory factory;
    LoadLayout(*holder, ReadLayoutBinary(binary), factory);
    return holder;
}

TEST(PictureLayout, PictureDataIsBinaryTypeThenLengthThenTheFileBytes) {
    const ByteVector png = MakePng(PixelImage(12, 8, 0xFF336699));
    TPictureHolder holder;
    TMemoryStream in(png);
    holder.Picture()->LoadImage(in);
    const Bytes binary = WriteLayoutBinary(SaveLayout(holder));
    // The property name, then type 10, the 4-byte little-endian length, the PNG unchanged.
    EXPECT_TRUE(Contains(binary, BinaryProperty("Picture.Data", png)));
    const LayoutNode node = SaveLayout(holder);
    const LayoutValue* data = node.Find(L"Picture.Data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(EncodeLayoutValue(*data), BinaryValue(png));
}

TEST(PictureLayout, AnEmptyPictureWritesNoDataProperty) {
    TPictureHolder holder;
    const LayoutNode node = SaveLayout(holder);
    EXPECT_EQ(node.Find(L"Picture.Data"), nullptr);
}

TEST(PictureLayout, APictureReadBackHoldsTheBytesAndMeasuresOnlyWhenAsked) {
    const ByteVector jpeg = MakeJpeg(PixelImage(16, 24, 0xFF204080));
    TPictureHolder holder;
    TMemoryStream in(jpeg);
    holder.Picture()->LoadImage(in);
    auto copy = ReadBack(WriteLayoutBinary(SaveLayout(holder)));
    TGDIPPicture& picture = *copy->Picture();
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.ImageData().Bytes(), jpeg);
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_TRUE(picture.UpdateImageSize());
    EXPECT_EQ(picture.ImageWidth(), 16);
    EXPECT_EQ(picture.ImageHeight(), 24);
}

TEST(HintInfoLayout, DefaultsWriteNothing) {
    TPictureHolder holder;
    const LayoutNode node = SaveLayout(holder);
    EXPECT_TRUE(node.properties.empty());
}

TEST(HintInfoLayout, ValuesRoundTripAsNestedProperties) {
    const ByteVector gif = MakeGif(PixelImage(5, 3, 0xFF00FF00));
    TPictureHolder holder;
    TAdvHintInfo& hint = *holder.OfficeHint();
    hint.SetTitle(L"Switch AutoRun off");
    hint.Notes()->Add(L"first");
    hint.Notes()->Add(L"second");
    hint.SetShowHelp(true);
    TMemoryStream in(gif);
    hint.Picture()->LoadImage(in);

    const LayoutNode node = SaveLayout(holder);
    EXPECT_NE(node.Find(L"OfficeHint.Title"), nullptr);
    EXPECT_NE(node.Find(L"OfficeHint.ShowHelp"), nullptr);
    const LayoutValue* data = node.Find(L"OfficeHint.Picture.Data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::get<Bytes>(*data), gif);

    auto copy = ReadBack(WriteLayoutBinary(node));
    const TAdvHintInfo& read = *copy->OfficeHint();
    EXPECT_EQ(read.Title(), L"Switch AutoRun off");
    EXPECT_EQ(read.Notes()->Text(), L"first\r\nsecond");
    EXPECT_TRUE(read.ShowHelp());
    EXPECT_EQ(read.Picture()->ImageData().Bytes(), gif);
}

} // namespace
} // namespace plaxor::test
