#include "gdiplus/GPGraphicsPath.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) {
    lastStatus = Gdip().GdipCreatePath(fillMode, &handle);
}

TGPGraphicsPath::~TGPGraphicsPath() {
    Gdip().GdipDeletePath(handle);
}

GpStatus TGPGraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) {
    return RecordStatus(lastStatus, Gdip().GdipAddPathLine(handle, x1, y1, x2, y2));
}

GpStatus TGPGraphicsPath::AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                                 REAL sweepAngle) {
    return RecordStatus(lastStatus,
                        Gdip().GdipAddPathArc(handle, x, y, width, height, startAngle, sweepAngle));
}

GpStatus TGPGraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(lastStatus, Gdip().GdipAddPathEllipse(handle, x, y, width, height));
}

GpStatus TGPGraphicsPath::CloseFigure() {
    return RecordStatus(lastStatus, Gdip().GdipClosePathFigure(handle));
}

} // namespace plaxor
