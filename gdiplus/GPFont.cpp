#include "gdiplus/GPFont.h"

#include "gdiplus/GdiplusApi.h"

namespace plaxor {

TGPFontFamily::TGPFontFamily(const std::wstring& name, GpFontCollection* collection) {
    lastStatus = Gdip().GdipCreateFontFamilyFromName(name.c_str(), collection, &handle);
}

TGPFontFamily::~TGPFontFamily() {
    Gdip().GdipDeleteFontFamily(handle);
}

TGPFont::TGPFont(const TGPFontFamily* family, REAL emSize, int style, GpUnit unit) {
    lastStatus =
        Gdip().GdipCreateFont(family ? family->Handle() : nullptr, emSize, style, unit, &handle);
}

TGPFont::~TGPFont() {
    Gdip().GdipDeleteFont(handle);
}

} // namespace plaxor
