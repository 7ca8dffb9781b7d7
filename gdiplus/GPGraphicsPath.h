#pragma once
// A GDI+ path built from lines, arcs and ellipses.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    ~TGPGraphicsPath() override;
    std::wstring ClassName() const override { return L"TGPGraphicsPath"; }

    GpPath* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    GpStatus AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
    // Angles in degrees, clockwise from the x axis.
    GpStatus AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
    GpStatus AddEllipse(REAL x, REAL y, REAL width, REAL height);
    GpStatus CloseFigure();

private:
    GpPath* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
