#include "Picture.h"
#include "Bitmap.h"
#include "Exception.h"
#include "JpegImage.h"
#include "Properties.h"
#include "Streams.h"
#include <string_view>
#include <vector>

namespace plaxor {

namespace {

// The graphic kinds a picture can hold, by the class name its layout data carries.
struct GraphicClass {
    std::wstring_view name;
    std::unique_ptr<TGraphic> (*create)();
};

constexpr GraphicClass graphicClasses[] = {
    {L"TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
    {L"TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }},
};

const GraphicClass* FindGraphicClass(std::wstring_view name) {
    for (const GraphicClass& c : graphicClasses)
        if (SameText(c.name, name)) return &c;
    return nullptr;
}

// The kind of a plain image file from its first bytes, or null.
const GraphicClass* ClassFromSignature(const std::uint8_t* p, std::size_t size) {
    if (size >= 2 && p[0] == 'B' && p[1] == 'M') return FindGraphicClass(L"TBitmap");
    if (size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return FindGraphicClass(L"TJPEGImage");
    return nullptr;
}

std::vector<std::uint8_t> RestOf(TStream& stream) {
    const std::int64_t left = stream.Size() - stream.Position();
    std::vector<std::uint8_t> bytes(left > 0 ? static_cast<std::size_t>(left) : 0);
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() {
    if (graphic_) graphic_->OnChange = nullptr;
}

const PropertyTable& TPicture::ClassProperties() {
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {
            props::Custom(
                L"Data",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const auto& picture = props::Self<TPicture>(o);
                    if (!picture.graphic_ || picture.graphic_->IsEmpty()) return std::nullopt;
                    TMemoryStream data;
                    picture.WriteData(data);
                    return LayoutValue(data.Bytes());
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    TMemoryStream data(props::AsBytes(v, L"Data"));
                    props::Self<TPicture>(o).ReadData(data);
                }),
        });
    return table;
}

void TPicture::Changed() {
    Raise(OnChange, this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    if (graphic) graphic->OnChange = [this](TObject*) { Changed(); };
    if (graphic_) graphic_->OnChange = nullptr;
    graphic_ = std::move(graphic);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == graphic_.get() && graphic) return;
    if (!graphic) {
        Adopt(nullptr);
        Changed();
        return;
    }
    const GraphicClass* kind = FindGraphicClass(graphic->ClassName());
    if (!kind) RaiseCopyError(graphic);
    std::unique_ptr<TGraphic> copy = kind->create();
    copy->CopyFrom(graphic);
    Adopt(std::move(copy));
    Changed();
}

void TPicture::CopyFrom(const TPersistent* source) {
    if (!source) return SetGraphic(nullptr);
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this) SetGraphic(picture->Graphic());
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) return SetGraphic(graphic);
    TPersistent::CopyFrom(source);
}

TBitmap& TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return *bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    if (graphic_) bitmap->CopyFrom(graphic_.get());
    TBitmap& result = *bitmap;
    Adopt(std::move(bitmap));
    Changed();
    return result;
}

void TPicture::LoadImageFile(const std::wstring& fileName) {
    TMemoryStream file;
    file.LoadFromFile(fileName);
    LoadImage(file);
}

void TPicture::LoadImage(TStream& stream) {
    TMemoryStream data(RestOf(stream));
    const GraphicClass* kind = ClassFromSignature(data.Memory(), data.Bytes().size());
    if (!kind) throw EInvalidGraphic(L"Unknown picture file format");
    std::unique_ptr<TGraphic> graphic = kind->create();
    graphic->LoadImage(data);
    Adopt(std::move(graphic));
    Changed();
}

void TPicture::SaveImage(TStream& stream) const {
    if (graphic_) graphic_->SaveImage(stream);
}

void TPicture::ReadData(TStream& stream) {
    TMemoryStream data(RestOf(stream));
    const std::uint8_t* p = data.Memory();
    const std::size_t size = data.Bytes().size();
    std::unique_ptr<TGraphic> graphic;
    if (const GraphicClass* kind = ClassFromSignature(p, size)) {
        // A layout that names a picture file holds the file's bytes as they are.
        graphic = kind->create();
        graphic->LoadImage(data);
    } else {
        if (size == 0) throw EReadError(L"Picture data is empty");
        const std::size_t nameLength = p[0];
        if (1 + nameLength > size) throw EReadError(L"Picture data is truncated");
        std::wstring name;
        for (std::size_t i = 0; i < nameLength; ++i)
            name += static_cast<wchar_t>(p[1 + i]);
        if (!name.empty()) {
            const GraphicClass* kind = FindGraphicClass(name);
            if (!kind) throw EReadError(FormatMessageText(L"Unknown picture class '%s'", {name}));
            graphic = kind->create();
            data.SetPosition(static_cast<std::int64_t>(1 + nameLength));
            graphic->ReadLayoutData(&data);
        }
    }
    Adopt(std::move(graphic));
    Changed();
}

void TPicture::WriteData(TStream& stream) const {
    const std::wstring name = graphic_ ? graphic_->ClassName() : std::wstring();
    std::vector<std::uint8_t> head{static_cast<std::uint8_t>(name.size())};
    for (wchar_t c : name)
        head.push_back(static_cast<std::uint8_t>(c));
    stream.WriteBuffer(head.data(), head.size());
    if (graphic_) graphic_->WriteLayoutData(&stream);
}

} // namespace plaxor
