#pragma once
// How GDI+ lays text out in a rectangle: alignment, trimming, hotkey prefixes.
#include "gdiplus/GdiplusBase.h"

namespace plaxor {

class TGPStringFormat : public TGdiplusBase {
public:
    // formatFlags: StringFormatFlags bits.
    explicit TGPStringFormat(int formatFlags = 0, LANGID language = 0);
    ~TGPStringFormat() override;
    std::wstring ClassName() const override { return L"TGPStringFormat"; }

    GpStringFormat* Handle() const noexcept { return handle; }
    GpStatus LastStatus() const noexcept { return lastStatus; }

    GpStatus SetAlign(StringAlignment alignment);
    GpStatus SetLineAlign(StringAlignment alignment);
    GpStatus SetTrimming(StringTrimming trimming);
    GpStatus SetHotkeyPrefix(HotkeyPrefix prefix);

private:
    GpStringFormat* handle = nullptr;
    GpStatus lastStatus = Ok;
};

} // namespace plaxor
