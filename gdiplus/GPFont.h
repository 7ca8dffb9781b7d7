#pragma once
// GDI+ font families and fonts.
#include <string>

#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPFontFamily : public TGdiplusBase {
public:
    // An uninstalled name leaves a usable object with a nil handle and LastStatus
    // FontFamilyNotFound; callers that care fall back to another family.
    explicit TGPFontFamily(const std::wstring& name, GpFontCollection* collection = nullptr);
    ~TGPFontFamily() override;
    std::wstring ClassName() const override { return L"TGPFontFamily"; }

    GpFontFamily* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

private:
    GpFontFamily* handle = nullptr;
    GpStatus lastStatus = Ok;
};

class TGPFont : public TGdiplusBase {
public:
    // style: FontStyle bits (bold 1, italic 2, underline 4, strikeout 8).
    TGPFont(const TGPFontFamily* family, REAL emSize, int style = FontStyleRegular,
            GpUnit unit = UnitPoint);
    ~TGPFont() override;
    std::wstring ClassName() const override { return L"TGPFont"; }

    GpFont* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

private:
    GpFont* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
