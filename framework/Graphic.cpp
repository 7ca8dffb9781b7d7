#include "Graphic.h"
#include "Properties.h"
#include "Streams.h"

namespace plaxor {

const PropertyTable& TGraphic::ClassProperties() {
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {
            props::Custom(
                L"Data",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const auto& graphic = props::Self<TGraphic>(o);
                    if (graphic.IsEmpty()) return std::nullopt;
                    TMemoryStream data;
                    graphic.WriteLayoutData(&data);
                    return LayoutValue(data.Bytes());
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    TMemoryStream data(props::AsBytes(v, L"Data"));
                    props::Self<TGraphic>(o).ReadLayoutData(&data);
                }),
        });
    return table;
}

void TGraphic::ReadLayoutData(TStream* stream) {
    if (stream) LoadImage(*stream);
}

void TGraphic::WriteLayoutData(TStream* stream) const {
    if (stream) SaveImage(*stream);
}

void TGraphic::LoadImageFile(const std::wstring& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadImage(file);
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed() {
    Raise(OnChange, this);
}

} // namespace plaxor
