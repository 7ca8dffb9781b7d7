#pragma once
// A GDI+ pen of one colour; its width is in world units.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPPen : public TGdiplusBase {
public:
    explicit TGPPen(ARGB color, REAL width = 1.0f);
    ~TGPPen() override;
    std::wstring ClassName() const override { return L"TGPPen"; }

    GpPen* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    GpStatus SetDashStyle(DashStyle style);

private:
    GpPen* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
