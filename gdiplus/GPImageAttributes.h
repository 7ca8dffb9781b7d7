#pragma once
// How GDI+ adjusts colours while it draws an image: here, a colour key for transparency.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    ~TGPImageAttributes() override;
    std::wstring ClassName() const override { return L"TGPImageAttributes"; }

    GpImageAttributes* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    // Pixels whose colour lies between colorLow and colorHigh are not drawn.
    GpStatus SetColorKeys(ARGB colorLow, ARGB colorHigh,
                          ColorAdjustType type = ColorAdjustTypeDefault);

private:
    GpImageAttributes* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
