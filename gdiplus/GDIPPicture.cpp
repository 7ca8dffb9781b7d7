#include "gdiplus/GDIPPicture.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exception.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"
#include "framework/Properties.h"
#include "framework/UniqueHandle.h"
#include "gdiplus/BlockStream.h"
#include "gdiplus/GPGraphics.h"
#include "gdiplus/GPImage.h"

namespace plaxor {

TGDIPPicture::BlockAllocator TGDIPPicture::allocateBlock = &::GlobalAlloc;

UniqueCom<IStream> TGDIPPicture::DecodingStream(const void* data, std::size_t size) {
    // Wine's GDI+ decodes a JPEG whole when it is loaded, however little data there is.
    if (JpegClaimsMoreThanItHolds(static_cast<const std::uint8_t*>(data), size)) return {};
    UniqueHGLOBAL block(allocateBlock(GMEM_MOVEABLE, static_cast<SIZE_T>(size)));
    if (!block) throw Exception(L"Could not allocate memory for image");
    // Not CreateStreamOnHGlobal: Wine's reads past the block after a seek beyond its end.
    return TBlockStream::CreateCopy(std::move(block), data, size);
}

TGDIPPicture::TGDIPPicture() : imageData(std::make_unique<TMemoryStream>()) {}

TGDIPPicture::~TGDIPPicture() = default;

const PropertyTable& TGDIPPicture::ClassProperties() {
    static const PropertyTable table(&TGraphic::ClassProperties(),
                                     {props::Event(L"OnClear", &TGDIPPicture::OnClear)});
    return table;
}

void TGDIPPicture::ReplaceData(const std::vector<std::uint8_t>& bytes) {
    imageData->Clear();
    if (!bytes.empty()) imageData->WriteBuffer(bytes.data(), bytes.size());
    imageData->SetPosition(0);
}

void TGDIPPicture::CopyFrom(const TPersistent* source) {
    // A picture copied onto itself keeps what it holds (setters pass their argument through).
    if (source == this) return;
    empty = true;
    if (!source) {
        imageData->Clear();
        Changed();
        Raise(OnClear, this);
        return; // the size stays as it was
    }
    if (const auto* picture = dynamic_cast<const TGDIPPicture*>(source)) {
        // An empty source has nothing to give, even if it still holds old bytes.
        const std::vector<std::uint8_t> bytes =
            picture->empty ? std::vector<std::uint8_t>{} : picture->imageData->Bytes();
        ReplaceData(bytes);
        empty = imageData->Bytes().empty();
        Changed();
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        TMemoryStream file;
        bitmap->SaveImage(file);
        ReplaceData(file.Bytes());
        empty = imageData->Bytes().empty();
        Changed();
    } else if (const auto* container = dynamic_cast<const TPicture*>(source)) {
        TMemoryStream file;
        if (const TGraphic* graphic = container->Graphic()) graphic->SaveImage(file);
        ReplaceData(file.Bytes());
        empty = imageData->Bytes().empty();
        Changed();
    }
    // Any other class: the picture stays empty and keeps its bytes; nothing is said.
    UpdateImageSize();
}

bool TGDIPPicture::UpdateImageSize() {
    if (empty || imageData->Bytes().empty()) return false;
    const UniqueCom<IStream> source =
        DecodingStream(imageData->Memory(), imageData->Bytes().size());
    auto image = std::make_unique<TGPImage>(source.get());
    imageWidth = static_cast<int>(image->GetWidth());
    imageHeight = static_cast<int>(image->GetHeight());
    return true;
}

void TGDIPPicture::DrawInRect(TCanvas& canvas, const RECT& rect) {
    if (empty || imageData->Bytes().empty()) return;
    const UniqueCom<IStream> source =
        DecodingStream(imageData->Memory(), imageData->Bytes().size());
    auto image = std::make_unique<TGPImage>(source.get());
    if (image->GetFormatKind() == fkBMP) {
        // The framework bitmap draws BMP files with its own colour keying, unscaled.
        TBitmap bitmap;
        TMemoryStream file(imageData->Bytes());
        bool read = true;
        try {
            bitmap.LoadImage(file);
        } catch (const EInvalidGraphic&) {
            // Not a BMP file the framework reads (Wine's GDI+ calls icons BMP too): GDI+
            // draws it like any other kind rather than not at all.
            read = false;
        } catch (const EOutOfMemory&) {
            // Too large for a framework bitmap: the same, instead of failing the paint.
            read = false;
        }
        if (read) {
            bitmap.SetTransparentMode(tmAuto);
            bitmap.SetTransparent(true);
            canvas.Draw(rect.left, rect.top, bitmap);
            return;
        }
    }
    imageWidth = static_cast<int>(image->GetWidth());
    imageHeight = static_cast<int>(image->GetHeight());
    auto graphics = std::make_unique<TGPGraphics>(canvas.Handle());
    graphics->DrawImageRect(image.get(), rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top);
}

void TGDIPPicture::ReadLayoutData(TStream* stream) {
    if (!stream) return;
    imageData->LoadFromStream(*stream);
    empty = imageData->Bytes().empty();
}

void TGDIPPicture::WriteLayoutData(TStream* stream) const {
    if (stream) SaveImage(*stream);
}

void TGDIPPicture::LoadImageFile(const std::wstring& fileName) {
    try {
        TFileStream file(fileName, fmOpenRead);
        imageData->LoadFromStream(file);
        empty = imageData->Bytes().empty();
        Raise(OnClear, this);
        UpdateImageSize();
        Changed();
    } catch (...) {
        // Whatever went wrong (missing or locked file, no memory, a failing handler), the
        // caller hears nothing and the picture is empty.
        empty = true;
    }
}

void TGDIPPicture::LoadImage(TStream& stream) {
    imageData->LoadFromStream(stream);
    empty = imageData->Bytes().empty();
    UpdateImageSize();
    Changed();
}

void TGDIPPicture::SaveImage(TStream& stream) const {
    if (empty) return;
    const auto& bytes = imageData->Bytes();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), bytes.size());
}

} // namespace plaxor
