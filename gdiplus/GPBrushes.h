#pragma once
// GDI+ brushes: the abstract brush that deletes what it holds, and the three kinds the program
// paints with.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPGraphicsPath;

class TGPBrush : public TGdiplusBase {
public:
    ~TGPBrush() override;
    std::wstring ClassName() const override { return L"TGPBrush"; }

    GpBrush* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

protected:
    TGPBrush() = default;

    GpBrush* handle = nullptr;
    GpStatus lastStatus = Ok;
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB color);
    std::wstring ClassName() const override { return L"TGPSolidBrush"; }
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    // Tiles beyond rect.
    TGPLinearGradientBrush(const GpRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    std::wstring ClassName() const override { return L"TGPLinearGradientBrush"; }
};

class TGPPathGradientBrush : public TGPBrush {
public:
    explicit TGPPathGradientBrush(const TGPGraphicsPath& path);
    std::wstring ClassName() const override { return L"TGPPathGradientBrush"; }

    // Returns the brush's LastStatus after the call, so an earlier failure stays visible.
    GpStatus SetCenterColor(ARGB color);
    // colors holds count colours for the path's points. A missing array, or more colours than
    // the path has points, is refused with InvalidParameter before GDI+ sees it. On success
    // count becomes the number GDI+ took. Returns the brush's LastStatus.
    GpStatus SetSurroundColorsWithCount(const ARGB* colors, int& count);
    GpStatus SetCenterPointI(const GpPoint& point);
    // The number of points of the brush's path; 0 when GDI+ cannot tell.
    int GetPointCount();
};

} // namespace plaxor
