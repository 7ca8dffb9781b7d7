#pragma once
// A JPEG picture: keeps the file's bytes as they were loaded (and saves them unchanged) and
// draws through a bitmap that libjpeg decodes them into.
#include "Bitmap.h"
#include "Graphic.h"
#include <cstdint>
#include <memory>
#include <vector>

namespace plaxor {

// Whether data is a JPEG file whose frame claims more pixels than its bytes can encode:
// Huffman-coded data (what every writer makes) spends at least one bit on every 8 x 8 block,
// so a file of n bytes holds at most 8n blocks; arithmetic-coded files are held to the same. A few
// hundred bytes that claim 16000 x 16000 pixels would otherwise be decoded (mostly as filler) into
// a gigabyte. False for anything that is not a readable JPEG header.
bool JpegClaimsMoreThanItHolds(const std::uint8_t* data, std::size_t size);

class TJPEGImage : public TGraphic {
public:
    // Pictures with a larger side are refused before anything is allocated for them.
    static constexpr int MaxSide = 16384;

    TJPEGImage();
    ~TJPEGImage() override;
    std::wstring ClassName() const override { return L"TJPEGImage"; }

    // From another JPEG image: its bytes. From null: empty.
    void CopyFrom(const TPersistent* source) override;

    // Stretches the decoded picture into the rectangle.
    void DrawInRect(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override { return data_.empty(); }
    int ImageWidth() const override { return width_; }
    int ImageHeight() const override { return height_; }
    // Layout data: a 4-byte little-endian length, then the JPEG file; a plain JPEG file is
    // accepted as well.
    void ReadLayoutData(TStream* stream) override;
    void WriteLayoutData(TStream* stream) const override;
    // Reads to the end of the stream and decodes the picture once, so that damaged or
    // truncated data (and a size the data cannot hold) is refused here (EInvalidGraphic with
    // libjpeg's reason; the old picture stays) rather than when it is drawn.
    void LoadImage(TStream& stream) override;
    // The bytes exactly as loaded.
    void SaveImage(TStream& stream) const override;

    const std::vector<std::uint8_t>& Data() const noexcept { return data_; }
    // The decoded picture (decoded on first use; empty for an empty image).
    const TBitmap& Bitmap() const;

private:
    std::vector<std::uint8_t> data_;
    int width_ = 0;
    int height_ = 0;
    mutable std::unique_ptr<TBitmap> bitmap_;
};

} // namespace plaxor
