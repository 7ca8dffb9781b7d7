#pragma once
// The abstract picture: something that draws itself into a rectangle of a canvas, loads and
// saves its own file format and streams itself into layouts as the binary property "Data".
#include "Persistent.h"
#include <windows.h>
#include <string>

namespace plaxor {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TGraphic"; }
    const PropertyTable& Published() const override { return ClassProperties(); }
    // "Data": the graphic's layout data (WriteLayoutData), stored only when it is not empty.
    static const PropertyTable& ClassProperties();

    virtual void DrawInRect(TCanvas& canvas, const RECT& rect) = 0;
    virtual bool IsEmpty() const = 0;
    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;

    // The "Data" layout property. The stream holds exactly the property's bytes; null does
    // nothing. The defaults are the plain file format (LoadImage / SaveImage).
    virtual void ReadLayoutData(TStream* stream);
    virtual void WriteLayoutData(TStream* stream) const;

    // Opens the file for reading (denying other writers) and calls LoadImage.
    virtual void LoadImageFile(const std::wstring& fileName);
    // Reads from the stream's current position; raises EInvalidGraphic for data that is not
    // this graphic's format and then keeps the old image.
    virtual void LoadImage(TStream& stream) = 0;
    virtual void SaveImage(TStream& stream) const = 0;

    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    // Sets the flag without raising OnChange, for a CopyFrom that raises it once at the end.
    void StoreTransparent(bool value) noexcept { transparent_ = value; }

private:
    bool transparent_ = false;
};

} // namespace plaxor
