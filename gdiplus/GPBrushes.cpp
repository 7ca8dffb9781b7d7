#include "gdiplus/GPBrushes.h"

#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPBrush::~TGPBrush() {
    Gdip().GdipDeleteBrush(handle);
}

TGPSolidBrush::TGPSolidBrush(ARGB color) {
    lastStatus = Gdip().GdipCreateSolidFill(color, &handle);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const GpRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode) {
    const GpRectF copy = rect;
    lastStatus =
        Gdip().GdipCreateLineBrushFromRect(&copy, color1, color2, mode, WrapModeTile, &handle);
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath& path) {
    lastStatus = Gdip().GdipCreatePathGradientFromPath(path.Handle(), &handle);
}

GpStatus TGPPathGradientBrush::SetCenterColor(ARGB color) {
    RecordStatus(lastStatus, Gdip().GdipSetPathGradientCenterColor(handle, color));
    return lastStatus;
}

GpStatus TGPPathGradientBrush::SetSurroundColorsWithCount(const ARGB* colors, int& count) {
    if (!colors) return RecordStatus(lastStatus, InvalidParameter);
    const int points = GetPointCount();
    if (count > points || points <= 0) return RecordStatus(lastStatus, InvalidParameter);
    int passed = count;
    RecordStatus(lastStatus,
                 Gdip().GdipSetPathGradientSurroundColorsWithCount(handle, colors, &passed));
    if (lastStatus == Ok) count = passed;
    return lastStatus;
}

GpStatus TGPPathGradientBrush::SetCenterPointI(const GpPoint& point) {
    const GpPoint copy = point;
    return RecordStatus(lastStatus, Gdip().GdipSetPathGradientCenterPointI(handle, &copy));
}

int TGPPathGradientBrush::GetPointCount() {
    INT count = 0;
    RecordStatus(lastStatus, Gdip().GdipGetPathGradientPointCount(handle, &count));
    return count;
}

} // namespace plaxor
