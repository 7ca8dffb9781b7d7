#pragma once
// A picture that keeps an image file's bytes exactly as they were loaded and lets GDI+ decode
// them whenever it is measured or drawn: any format GDI+ reads, stored unchanged in layouts.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphic.h"
#include "framework/Streams.h"
#include "framework/UniqueHandle.h"
#include <objidl.h>

namespace plaxor {

class TGDIPPicture : public TGraphic {
public:
    TGDIPPicture();
    ~TGDIPPicture() override;
    std::wstring ClassName() const override { return L"TGDIPPicture"; }
    // OnClear; "Data" comes from TGraphic.
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // From another TGDIPPicture its bytes; from a TBitmap a BMP file of it; from a TPicture its
    // graphic's own file format; nil clears (OnChange, then OnClear). Any other class leaves
    // the picture empty, silently.
    void CopyFrom(const TPersistent* source) override;

    // BMP files are drawn by the framework bitmap at their own size at rect's top-left corner,
    // with the bottom-left pixel's colour transparent; every other format (and a BMP variant
    // the framework bitmap does not read) is stretched to rect by GDI+.
    void DrawInRect(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override { return empty; }
    // As of the last decode (UpdateImageSize, or drawing a non-BMP image).
    int ImageWidth() const override { return imageWidth; }
    int ImageHeight() const override { return imageHeight; }

    // Layout "Data": the image file's bytes, with no header of their own. Reading neither
    // decodes nor raises events.
    void ReadLayoutData(TStream* stream) override;
    void WriteLayoutData(TStream* stream) const override;

    // Never reports an error: a file that cannot be read leaves the picture empty.
    // Events: OnClear, then OnChange.
    void LoadImageFile(const std::wstring& fileName) override;
    // The whole stream, from its start whatever its position; then OnChange.
    void LoadImage(TStream& stream) override;
    // The held bytes, unchanged; nothing while the picture is empty.
    void SaveImage(TStream& stream) const override;

    // Decodes the bytes to refresh ImageWidth and ImageHeight (0 for bytes no decoder takes).
    // False, changing nothing, when there is nothing to decode.
    bool UpdateImageSize();

    // The encoded bytes as held (they outlive the picture's emptying, except by CopyFrom(nil)).
    const TMemoryStream& ImageData() const noexcept { return *imageData; }

    TNotifyEvent OnClear;

    // How the decoding block is allocated: GlobalAlloc, replaceable to exercise the
    // "Could not allocate memory for image" failure.
    using BlockAllocator = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);
    static BlockAllocator allocateBlock;

    // A copy of the bytes in a movable global block behind a COM stream, positioned at the
    // start, for GDI+ to decode; it owns the block and frees it with its last reference. Null,
    // and the bytes then decode as nothing, for a JPEG that claims far more pixels than its
    // bytes hold (GDI+ is not asked) or when the block cannot be locked; the "Could not
    // allocate memory for image" error when it cannot be allocated.
    static UniqueCom<IStream> DecodingStream(const void* data, std::size_t size);

private:
    void ReplaceData(const std::vector<std::uint8_t>& bytes);

    std::unique_ptr<TMemoryStream> imageData;
    bool empty = true;
    int imageWidth = 0;
    int imageHeight = 0;
};

} // namespace plaxor
