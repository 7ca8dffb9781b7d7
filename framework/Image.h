#pragma once
// A picture painted on the parent at its natural size, at the top left or centred.
#include "GraphicControl.h"
#include "Picture.h"
#include <memory>

namespace plaxor {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    std::wstring ClassName() const override { return L"TImage"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // Owned; assigning copies into it. A change of the picture repaints the control.
    TPicture* Picture() const noexcept { return picture_.get(); }
    void SetPicture(const TPicture* value) { picture_->CopyFrom(value); }
    bool Center() const noexcept { return center_; }
    void SetCenter(bool value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool center_ = false;
};

} // namespace plaxor
