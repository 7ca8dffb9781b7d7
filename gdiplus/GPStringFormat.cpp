#include "gdiplus/GPStringFormat.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPStringFormat::TGPStringFormat(int formatFlags, LANGID language) {
    lastStatus = Gdip().GdipCreateStringFormat(formatFlags, language, &handle);
}

TGPStringFormat::~TGPStringFormat() {
    Gdip().GdipDeleteStringFormat(handle);
}

GpStatus TGPStringFormat::SetAlign(StringAlignment alignment) {
    return RecordStatus(lastStatus, Gdip().GdipSetStringFormatAlign(handle, alignment));
}

GpStatus TGPStringFormat::SetLineAlign(StringAlignment alignment) {
    return RecordStatus(lastStatus, Gdip().GdipSetStringFormatLineAlign(handle, alignment));
}

GpStatus TGPStringFormat::SetTrimming(StringTrimming trimming) {
    return RecordStatus(lastStatus,
                        Gdip().GdipSetStringFormatTrimming(handle, static_cast<INT>(trimming)));
}

GpStatus TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix prefix) {
    return RecordStatus(lastStatus,
                        Gdip().GdipSetStringFormatHotkeyPrefix(handle, static_cast<INT>(prefix)));
}

} // namespace plaxor
