#pragma once
// A container for one graphic of any of the framework's kinds (bitmap, JPEG), as the image
// controls hold their pictures.
#include "Graphic.h"
#include "Persistent.h"
#include <memory>
#include <string>

namespace plaxor {

class TBitmap;
class TStream;

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    std::wstring ClassName() const override { return L"TPicture"; }
    const PropertyTable& Published() const override { return ClassProperties(); }
    // "Data": the graphic's class name as a length-prefixed string, then its own layout data.
    // Read back, a plain BMP or JPEG file is accepted too. Not stored while empty.
    static const PropertyTable& ClassProperties();

    // From another picture or a graphic: a copy of the graphic. From null: no graphic.
    void CopyFrom(const TPersistent* source) override;

    // The graphic, or null. The picture listens to its OnChange: change its properties, not
    // its event.
    TGraphic* Graphic() const noexcept { return graphic_.get(); }
    // Holds a copy of the graphic (a TBitmap or TJPEGImage; EConvertError for other kinds);
    // null removes the graphic.
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap; any other graphic is first converted to one (drawn into it),
    // no graphic becomes an empty bitmap.
    TBitmap& Bitmap();

    int Width() const { return graphic_ && !graphic_->IsEmpty() ? graphic_->ImageWidth() : 0; }
    int Height() const { return graphic_ && !graphic_->IsEmpty() ? graphic_->ImageHeight() : 0; }

    // The kind is recognised from the data's signature (BM, FF D8 FF), not from a file name
    // extension. EInvalidGraphic for anything else or for damaged data; the old graphic stays.
    void LoadImageFile(const std::wstring& fileName);
    void LoadImage(TStream& stream);
    // The graphic in its own file format; nothing without one.
    void SaveImage(TStream& stream) const;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    std::unique_ptr<TGraphic> graphic_;
};

} // namespace plaxor
