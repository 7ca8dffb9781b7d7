#include "gdiplus/GPPen.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPPen::TGPPen(ARGB color, REAL width) {
    lastStatus = Gdip().GdipCreatePen1(color, width, UnitWorld, &handle);
}

TGPPen::~TGPPen() {
    Gdip().GdipDeletePen(handle);
}

GpStatus TGPPen::SetDashStyle(DashStyle style) {
    return RecordStatus(lastStatus, Gdip().GdipSetPenDashStyle(handle, style));
}

} // namespace plaxor
