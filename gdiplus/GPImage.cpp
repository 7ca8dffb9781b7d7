#include "gdiplus/GPImage.h"

#include "gdiplus/GdiplusApi.h"

#include <algorithm>
#include <iterator>

namespace plaxor {

namespace {

// The stream is referenced for the duration of the decoding call only.
class StreamReference {
public:
    explicit StreamReference(IStream* stream) noexcept : stream_(stream) {
        if (stream_) stream_->AddRef();
    }
    ~StreamReference() {
        if (stream_) stream_->Release();
    }
    StreamReference(const StreamReference&) = delete;
    StreamReference& operator=(const StreamReference&) = delete;

private:
    IStream* stream_;
};

// GDI+'s raw format GUIDs: b96b3ca9-0728-11d3-9d7b-0000f81ef32e and its neighbours differ in
// the first field only.
constexpr unsigned long RawFormatBase = 0xb96b3ca9;

bool IsGdiplusFormat(const GUID& guid) {
    static const GUID undefined = {
        RawFormatBase, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    return guid.Data2 == undefined.Data2 && guid.Data3 == undefined.Data3 &&
           std::equal(std::begin(guid.Data4), std::end(guid.Data4), std::begin(undefined.Data4));
}

} // namespace

TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement) {
    StreamReference hold(stream);
    GdiplusApi& api = Gdip();
    lastStatus = useEmbeddedColorManagement ? api.GdipLoadImageFromStreamICM(stream, &handle)
                                            : api.GdipLoadImageFromStream(stream, &handle);
}

TGPImage::~TGPImage() {
    Gdip().GdipDisposeImage(handle);
}

UINT TGPImage::GetWidth() {
    UINT width = 0;
    RecordStatus(lastStatus, Gdip().GdipGetImageWidth(handle, &width));
    return width;
}

UINT TGPImage::GetHeight() {
    UINT height = 0;
    RecordStatus(lastStatus, Gdip().GdipGetImageHeight(handle, &height));
    return height;
}

TGPFormatKind TGPImage::GetFormatKind() const {
    GUID format{};
    if (Gdip().GdipGetImageRawFormat(handle, &format) != Ok) return fkUndefined;
    if (!IsGdiplusFormat(format)) return fkUndefined;
    switch (format.Data1 - RawFormatBase) {
    case 1: return fkMemoryBMP;
    case 2: return fkBMP;
    case 3: return fkEMF;
    case 4: return fkWMF;
    case 5: return fkJPEG;
    case 6: return fkPNG;
    case 7: return fkGIF;
    case 8: return fkTIFF;
    case 9: return fkEXIF;
    case 12: return fkIcon;
    default: return fkUndefined; // undefined, PhotoCD, FlashPIX and anything unknown
    }
}

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement) {
    StreamReference hold(stream);
    GdiplusApi& api = Gdip();
    lastStatus = useEmbeddedColorManagement ? api.GdipCreateBitmapFromStreamICM(stream, &handle)
                                            : api.GdipCreateBitmapFromStream(stream, &handle);
}

GpStatus TGPBitmap::GetPixel(int x, int y, ARGB& color) {
    return RecordStatus(lastStatus, Gdip().GdipBitmapGetPixel(handle, x, y, &color));
}

} // namespace plaxor
