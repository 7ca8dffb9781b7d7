#include "JpegImage.h"
#include "Exception.h"
#include "Streams.h"
#include "Text.h"
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace plaxor {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return; the default
// ends the process. Ours jumps back into the function that started the work.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    // A file that ends early would be shown half grey; it is refused instead. Other warnings
    // (stray bytes before a marker and the like) are what many cameras write: ignored.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

void OnOutput(j_common_ptr) {}

struct JpegInfo {
    int width = 0;
    int height = 0;
};

// These two functions hold the setjmp. Nothing in them has a destructor, and everything
// libjpeg allocated is freed on both paths. Returns false with a message on failure.
bool ReadJpegHeader(const unsigned char* data, std::size_t size, JpegInfo* info, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutput;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::memcpy(message, err.message, sizeof err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    info->width = static_cast<int>(cinfo.image_width);
    info->height = static_cast<int>(cinfo.image_height);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// Decodes into top-down 32-bit BGRA rows of the given width and height.
bool DecodeJpeg(const unsigned char* data, std::size_t size, unsigned char* pixels,
                std::size_t stride, int width, int height, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutput;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::memcpy(message, err.message, sizeof err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    if (static_cast<int>(cinfo.output_width) != width ||
        static_cast<int>(cinfo.output_height) != height) {
        std::strcpy(message, "Image size changed while decoding");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                           JPOOL_IMAGE, cinfo.output_width * 4, 1)
                              : nullptr;
    // Adobe's writers store CMYK inverted; they say so with their APP14 marker.
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* out = pixels + stride * cinfo.output_scanline;
        JSAMPROW row = cmyk ? cmykRow[0] : out;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
        if (cmyk) {
            for (int x = 0; x < width; ++x) {
                unsigned c = row[4 * x], m = row[4 * x + 1], y = row[4 * x + 2], k = row[4 * x + 3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                out[4 * x] = static_cast<unsigned char>(y * k / 255);
                out[4 * x + 1] = static_cast<unsigned char>(m * k / 255);
                out[4 * x + 2] = static_cast<unsigned char>(c * k / 255);
                out[4 * x + 3] = 0xFF;
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

[[noreturn]] void RaiseJpegError(const char* message) {
    throw EInvalidGraphic(L"JPEG image is not valid: " + FromAnsi(message));
}

std::unique_ptr<TBitmap> Decode(const std::vector<std::uint8_t>& data, int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    char message[JMSG_LENGTH_MAX] = {};
    if (!DecodeJpeg(data.data(), data.size(), reinterpret_cast<unsigned char*>(bitmap->ScanLine(0)),
                    static_cast<std::size_t>(width) * 4, width, height, message))
        RaiseJpegError(message);
    return bitmap;
}

bool IsJpegSignature(const std::uint8_t* p, std::size_t size) {
    return size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF;
}

bool MoreBlocksThanBytesHold(const JpegInfo& info, std::size_t size) {
    const std::uint64_t blocks = (static_cast<std::uint64_t>(info.width) + 7) / 8 *
                                 ((static_cast<std::uint64_t>(info.height) + 7) / 8);
    return blocks > 8 * static_cast<std::uint64_t>(size);
}

} // namespace

bool JpegClaimsMoreThanItHolds(const std::uint8_t* data, std::size_t size) {
    if (!IsJpegSignature(data, size)) return false;
    JpegInfo info;
    char message[JMSG_LENGTH_MAX] = {};
    return ReadJpegHeader(data, size, &info, message) && MoreBlocksThanBytesHold(info, size);
}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::CopyFrom(const TPersistent* source) {
    if (!source) {
        data_.clear();
        width_ = height_ = 0;
        bitmap_.reset();
        Changed();
        return;
    }
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(source);
    if (!jpeg) return TGraphic::CopyFrom(source);
    if (jpeg == this) return;
    data_ = jpeg->data_;
    width_ = jpeg->width_;
    height_ = jpeg->height_;
    bitmap_.reset(); // decoded again when drawn
    StoreTransparent(jpeg->Transparent());
    Changed();
}

void TJPEGImage::LoadImage(TStream& stream) {
    const std::int64_t left = stream.Size() - stream.Position();
    if (left <= 0) throw EInvalidGraphic(L"JPEG image is not valid: no data");
    if (static_cast<std::uint64_t>(left) > (1ull << 31))
        throw EInvalidGraphic(L"JPEG image is not valid: the file is too large");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(left));
    stream.ReadBuffer(data.data(), data.size());
    if (!IsJpegSignature(data.data(), data.size()))
        throw EInvalidGraphic(
            L"JPEG image is not valid: the file does not start with a JPEG marker");

    JpegInfo info;
    char message[JMSG_LENGTH_MAX] = {};
    if (!ReadJpegHeader(data.data(), data.size(), &info, message)) RaiseJpegError(message);
    if (info.width <= 0 || info.height <= 0 || info.width > MaxSide || info.height > MaxSide)
        throw EInvalidGraphic(FormatMessageText(
            L"JPEG image is not valid: the size %s x %s is outside what a picture may have",
            {std::to_wstring(info.width), std::to_wstring(info.height)}));
    if (MoreBlocksThanBytesHold(info, data.size()))
        throw EInvalidGraphic(FormatMessageText(
            L"JPEG image is not valid: %s bytes cannot hold a picture of %s x %s pixels",
            {std::to_wstring(data.size()), std::to_wstring(info.width),
             std::to_wstring(info.height)}));
    auto bitmap = Decode(data, info.width, info.height);

    data_ = std::move(data);
    width_ = info.width;
    height_ = info.height;
    bitmap_ = std::move(bitmap);
    Changed();
}

void TJPEGImage::SaveImage(TStream& stream) const {
    if (!data_.empty()) stream.WriteBuffer(data_.data(), data_.size());
}

void TJPEGImage::ReadLayoutData(TStream* stream) {
    if (!stream) return;
    const std::int64_t start = stream->Position();
    const std::int64_t left = stream->Size() - start;
    if (left >= 7) {
        std::uint8_t head[7];
        stream->ReadBuffer(head, sizeof head);
        const std::uint32_t length = head[0] | (head[1] << 8) | (head[2] << 16) |
                                     (static_cast<std::uint32_t>(head[3]) << 24);
        if (IsJpegSignature(head + 4, 3) && length <= left - 4) {
            stream->SetPosition(start + 4);
            TMemoryStream file;
            file.CopyFrom(*stream, length);
            file.SetPosition(0);
            return LoadImage(file);
        }
        stream->SetPosition(start);
    }
    LoadImage(*stream);
}

void TJPEGImage::WriteLayoutData(TStream* stream) const {
    if (!stream) return;
    const auto length = static_cast<std::uint32_t>(data_.size());
    const std::uint8_t prefix[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    stream->WriteBuffer(prefix, 4);
    SaveImage(*stream);
}

const TBitmap& TJPEGImage::Bitmap() const {
    if (!bitmap_)
        bitmap_ = data_.empty() ? std::make_unique<TBitmap>() : Decode(data_, width_, height_);
    return *bitmap_;
}

void TJPEGImage::DrawInRect(TCanvas& canvas, const RECT& rect) {
    if (IsEmpty()) return;
    Bitmap();
    bitmap_->DrawInRect(canvas, rect);
}

} // namespace plaxor
