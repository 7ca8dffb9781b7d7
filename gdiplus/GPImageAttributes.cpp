#include "gdiplus/GPImageAttributes.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPImageAttributes::TGPImageAttributes() {
    lastStatus = Gdip().GdipCreateImageAttributes(&handle);
}

TGPImageAttributes::~TGPImageAttributes() {
    Gdip().GdipDisposeImageAttributes(handle);
}

GpStatus TGPImageAttributes::SetColorKeys(ARGB colorLow, ARGB colorHigh, ColorAdjustType type) {
    return RecordStatus(lastStatus, Gdip().GdipSetImageAttributesColorKeys(handle, type, TRUE,
                                                                           colorLow, colorHigh));
}

} // namespace plaxor
