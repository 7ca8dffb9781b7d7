#include "Image.h"
#include "Properties.h"

namespace plaxor {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    picture_->OnChange = [this](TObject*) { RequestRepaint(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::SetCenter(bool value) {
    if (center_ == value) return;
    center_ = value;
    RequestRepaint();
}

void TImage::Paint() {
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->IsEmpty()) return;
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - graphic->ImageWidth()) / 2;
        y = (Height() - graphic->ImageHeight()) / 2;
    }
    Canvas().Draw(x, y, *graphic);
}

const PropertyTable& TImage::ClassProperties() {
    using C = TImage;
    static const PropertyTable table(
        &TGraphicControl::ClassProperties(),
        {
            props::Boolean(L"Center", &C::Center, &C::SetCenter, false),
            props::Object(L"Picture", &C::Picture),
        });
    return table;
}

} // namespace plaxor
