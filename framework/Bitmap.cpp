#include "Bitmap.h"
#include "Exception.h"
#include "Streams.h"
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace plaxor {

UniqueHBITMAP CreateTopDownDib(HDC dc, int width, int height, std::uint32_t** bits) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    UniqueHBITMAP bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!memory) bitmap.reset();
    *bits = bitmap ? static_cast<std::uint32_t*>(memory) : nullptr;
    return bitmap;
}

// A new DIB section, not yet the bitmap's: loading fills one and swaps it in only when done.
struct TBitmap::Dib {
    UniqueHBITMAP handle;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    static Dib Create(int width, int height) {
        if (width < 0 || height < 0 || width > MaxSide || height > MaxSide)
            throw EInvalidGraphic(FormatMessageText(
                L"Invalid bitmap size %s x %s", {std::to_wstring(width), std::to_wstring(height)}));
        Dib dib;
        if (width == 0 || height == 0) return dib;
        dib.handle = CreateTopDownDib(nullptr, width, height, &dib.bits);
        if (!dib.handle)
            throw EOutOfMemory(
                FormatMessageText(L"Not enough memory for a %s x %s bitmap",
                                  {std::to_wstring(width), std::to_wstring(height)}));
        dib.width = width;
        dib.height = height;
        return dib;
    }
};

namespace {

constexpr std::uint32_t opaqueWhite = 0xFFFFFFFF;

std::uint32_t ToBgra(TColor color) {
    const TColor c = ColorToRGB(color);
    return 0xFF000000 | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TColor FromBgra(std::uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// ---- BMP reading

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

[[noreturn]] void Invalid(const std::wstring& why) {
    throw EInvalidGraphic(L"Bitmap image is not valid: " + why);
}

std::wstring Num(std::uint64_t n) {
    return std::to_wstring(n);
}

// One colour channel of a BI_BITFIELDS pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    static Channel From(std::uint32_t mask) {
        Channel c;
        if (!mask) return c;
        while (!((mask >> c.shift) & 1))
            ++c.shift;
        c.max = mask >> c.shift;
        if (c.max & (c.max + 1)) Invalid(L"a colour mask's bits are not contiguous");
        c.mask = mask;
        return c;
    }
    std::uint32_t Get(std::uint32_t pixel) const {
        if (!mask) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>((v * 255 + max / 2) / max);
    }
};

constexpr std::uint32_t biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3, biAlphaBitfields = 6;

} // namespace

void TBitmap::LoadImage(TStream& stream) {
    const std::int64_t left = stream.Size() - stream.Position();
    if (left <= 0) Invalid(L"no data");
    if (static_cast<std::uint64_t>(left) > (1ull << 31)) Invalid(L"the file is too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
    stream.ReadBuffer(bytes.data(), bytes.size());
    bool alpha = false;
    Dib dib = DecodeBmp(bytes.data(), bytes.size(), &alpha);
    Adopt(std::move(dib));
    alpha_ = alpha;
    Changed();
}

TBitmap::Dib TBitmap::DecodeBmp(const std::uint8_t* data, std::size_t size, bool* hasAlpha) {
    if (size < 14 + 12) Invalid(L"the file is too short");
    if (data[0] != 'B' || data[1] != 'M') Invalid(L"the BM signature is missing");
    const std::uint32_t offBits = U32(data + 10);
    const std::uint32_t headerSize = U32(data + 14);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        Invalid(L"unknown information header size " + Num(headerSize));
    if (14 + std::size_t{headerSize} > size) Invalid(L"the information header is truncated");
    const std::uint8_t* h = data + 14;

    std::int64_t width, height;
    unsigned bpp;
    std::uint32_t compression = biRgb, colorsUsed = 0;
    if (core) {
        width = U16(h + 4);
        height = U16(h + 6);
        bpp = U16(h + 10);
    } else {
        width = static_cast<std::int32_t>(U32(h + 4));
        height = static_cast<std::int32_t>(U32(h + 8));
        bpp = U16(h + 14);
        compression = U32(h + 16);
        colorsUsed = U32(h + 32);
    }
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -height : height;
    if (width <= 0 || rows <= 0)
        Invalid(L"the size " + std::to_wstring(width) + L" x " + std::to_wstring(height) +
                L" is empty");
    if (width > TBitmap::MaxSide || rows > TBitmap::MaxSide)
        Invalid(L"the size " + Num(width) + L" x " + Num(rows) + L" exceeds " +
                Num(TBitmap::MaxSide) + L" pixels per side");

    const bool bitfields = compression == biBitfields || compression == biAlphaBitfields;
    if (compression == biRle8 || compression == biRle4)
        Invalid(L"run-length compressed bitmaps are not supported");
    if (compression != biRgb && !bitfields)
        Invalid(L"compression method " + Num(compression) + L" is not supported");
    const bool known =
        core ? (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24)
             : (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32);
    if (!known) Invalid(Num(bpp) + L" bits per pixel is not supported");
    if (bitfields && bpp != 16 && bpp != 32)
        Invalid(L"colour masks with " + Num(bpp) + L" bits per pixel");
    if (topDown && compression != biRgb && !bitfields) Invalid(L"a top-down compressed bitmap");

    // Colour masks: after a 40-byte header, or inside the larger ones.
    std::size_t headersEnd = 14 + headerSize;
    Channel red, green, blue, alpha;
    if (bitfields) {
        const std::uint8_t* masks = h + 40;
        bool alphaMask = headerSize >= 56 || compression == biAlphaBitfields;
        if (headerSize == 40) {
            const std::size_t count = compression == biAlphaBitfields ? 4 : 3;
            if (headersEnd + 4 * count > size) Invalid(L"the colour masks are truncated");
            headersEnd += 4 * count;
        } else if (compression == biAlphaBitfields && headerSize == 52) {
            alphaMask = false;
        }
        red = Channel::From(U32(masks));
        green = Channel::From(U32(masks + 4));
        blue = Channel::From(U32(masks + 8));
        if (alphaMask) alpha = Channel::From(U32(masks + 12));
    } else if (bpp == 16) {
        red = Channel::From(0x7C00);
        green = Channel::From(0x03E0);
        blue = Channel::From(0x001F);
    } else if (bpp == 32) {
        red = Channel::From(0x00FF0000);
        green = Channel::From(0x0000FF00);
        blue = Channel::From(0x000000FF);
    }

    // The colour table; entries past its end (and indexes no entry covers) are black.
    std::array<std::uint32_t, 256> palette;
    palette.fill(0xFF000000);
    if (bpp <= 8) {
        const std::uint32_t most = 1u << bpp;
        if (colorsUsed > most)
            Invalid(L"the colour table has " + Num(colorsUsed) + L" entries, more than " +
                    Num(most) + L" that " + Num(bpp) + L" bits per pixel can use");
        std::size_t entries = core || colorsUsed == 0 ? most : colorsUsed;
        const std::size_t entrySize = core ? 3 : 4;
        // Some writers put the pixels right after a shortened table; the offset says so.
        if (offBits >= headersEnd && offBits < headersEnd + entries * entrySize)
            entries = (offBits - headersEnd) / entrySize;
        if (headersEnd + entries * entrySize > size) Invalid(L"the colour table is truncated");
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = data + headersEnd + i * entrySize;
            palette[i] = 0xFF000000 | (e[2] << 16) | (e[1] << 8) | e[0];
        }
        headersEnd += entries * entrySize;
    }

    if (offBits < headersEnd)
        Invalid(L"the pixel data offset " + Num(offBits) + L" lies inside the headers");
    if (offBits >= size)
        Invalid(L"the pixel data offset " + Num(offBits) + L" lies beyond the end of the file");
    const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * bpp;
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row may lack its padding.
    const std::uint64_t needed = stride * (rows - 1) + (rowBits + 7) / 8;
    if (needed > size - offBits)
        Invalid(L"the pixel data is truncated (" + Num(size - offBits) + L" of " + Num(needed) +
                L" bytes)");

    TBitmap::Dib dib = TBitmap::Dib::Create(static_cast<int>(width), static_cast<int>(rows));
    const int w = dib.width;
    bool anyAlpha = false;
    for (int r = 0; r < dib.height; ++r) {
        const std::uint8_t* row = data + offBits + stride * r;
        const int y = topDown ? r : dib.height - 1 - r;
        std::uint32_t* out = dib.bits + static_cast<std::size_t>(y) * w;
        switch (bpp) {
        case 1:
            for (int x = 0; x < w; ++x)
                out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                out[x] = palette[(row[x >> 1] >> (x & 1 ? 0 : 4)) & 0x0F];
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                out[x] = palette[row[x]];
            break;
        case 24:
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = row + 3 * x;
                out[x] = 0xFF000000 | (p[2] << 16) | (p[1] << 8) | p[0];
            }
            break;
        default: // 16 and 32 through the channel masks
            for (int x = 0; x < w; ++x) {
                const std::uint32_t px = bpp == 16 ? U16(row + 2 * x) : U32(row + 4 * x);
                const std::uint32_t a = alpha.mask ? alpha.Get(px) : 0xFF;
                anyAlpha = anyAlpha || (alpha.mask && a != 0);
                out[x] = (a << 24) | (red.Get(px) << 16) | (green.Get(px) << 8) | blue.Get(px);
            }
            break;
        }
    }
    // An alpha mask whose values are all zero means the writer did not use it.
    *hasAlpha = anyAlpha;
    if (alpha.mask && !anyAlpha)
        for (std::size_t i = 0; i < static_cast<std::size_t>(w) * dib.height; ++i)
            dib.bits[i] |= 0xFF000000;
    return dib;
}

// ---- BMP writing

namespace {

class ByteWriter {
public:
    explicit ByteWriter(std::size_t reserve) { bytes.reserve(reserve); }
    void U16(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Zeros(std::size_t n) { bytes.insert(bytes.end(), n, 0); }
    std::vector<std::uint8_t> bytes;
};

} // namespace

void TBitmap::SaveImage(TStream& stream) const {
    if (IsEmpty()) return;
    ::GdiFlush();
    const std::uint32_t bpp = alpha_ ? 32 : 24;
    const std::uint32_t headerSize = alpha_ ? 124 : 40;
    const std::uint32_t stride = (width_ * bpp + 31) / 32 * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height_);
    const std::uint32_t offBits = 14 + headerSize;
    ByteWriter w(offBits + imageSize);
    w.U16(0x4D42); // "BM"
    w.U32(offBits + imageSize);
    w.U32(0);
    w.U32(offBits);
    w.U32(headerSize);
    w.U32(static_cast<std::uint32_t>(width_));
    w.U32(static_cast<std::uint32_t>(height_)); // bottom-up
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(bpp));
    w.U32(alpha_ ? biBitfields : biRgb);
    w.U32(imageSize);
    w.U32(3780); // 96 pixels per inch
    w.U32(3780);
    w.U32(0);
    w.U32(0);
    if (alpha_) {
        w.U32(0x00FF0000);
        w.U32(0x0000FF00);
        w.U32(0x000000FF);
        w.U32(0xFF000000);
        w.U32(0x73524742); // LCS_sRGB
        w.Zeros(36 + 12);  // endpoints and gamma, unused with sRGB
        w.U32(4);          // LCS_GM_IMAGES
        w.Zeros(12);       // no profile
    }
    for (int y = height_ - 1; y >= 0; --y) {
        const std::uint32_t* row = ScanLine(y);
        if (alpha_) {
            for (int x = 0; x < width_; ++x)
                w.U32(row[x]);
        } else {
            for (int x = 0; x < width_; ++x) {
                w.bytes.push_back(static_cast<std::uint8_t>(row[x]));
                w.bytes.push_back(static_cast<std::uint8_t>(row[x] >> 8));
                w.bytes.push_back(static_cast<std::uint8_t>(row[x] >> 16));
            }
            w.Zeros(stride - 3 * static_cast<std::uint32_t>(width_));
        }
    }
    stream.WriteBuffer(w.bytes.data(), w.bytes.size());
}

void TBitmap::ReadLayoutData(TStream* stream) {
    if (!stream) return;
    const std::int64_t left = stream->Size() - stream->Position();
    std::uint8_t head[6] = {};
    if (left >= 6) {
        const std::int64_t start = stream->Position();
        stream->ReadBuffer(head, sizeof head);
        const std::uint32_t length = U32(head);
        if (head[4] == 'B' && head[5] == 'M' && length <= left - 4) {
            stream->SetPosition(start + 4);
            TMemoryStream file;
            file.CopyFrom(*stream, length);
            file.SetPosition(0);
            return LoadImage(file);
        }
        stream->SetPosition(start);
    }
    // Not length-prefixed: a plain BMP file (or something LoadImage rejects).
    LoadImage(*stream);
}

void TBitmap::WriteLayoutData(TStream* stream) const {
    if (!stream) return;
    TMemoryStream file;
    SaveImage(file);
    const auto length = static_cast<std::uint32_t>(file.Size());
    const std::uint8_t prefix[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    stream->WriteBuffer(prefix, 4);
    file.SaveToStream(*stream);
}

// ---- the bitmap itself

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    // The canvas gives its objects back and the DIB leaves the DC before either is deleted.
    canvas_.reset();
    if (dc_ && originalBitmap_) ::SelectObject(dc_.get(), originalBitmap_);
}

void TBitmap::Adopt(Dib&& dib) {
    // The new DIB (or the DC's own stock bitmap) goes into the DC before the old one is deleted.
    if (dc_) ::SelectObject(dc_.get(), dib.handle ? dib.handle.get() : originalBitmap_);
    dib_ = std::move(dib.handle);
    bits_ = dib.bits;
    width_ = dib.width;
    height_ = dib.height;
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width == width_ && height == height_) return;
    Dib dib = Dib::Create(width, height);
    if (dib.bits) {
        ::GdiFlush();
        std::fill(dib.bits, dib.bits + static_cast<std::size_t>(width) * height, opaqueWhite);
        const int w = std::min(width, width_), h = std::min(height, height_);
        for (int y = 0; y < h; ++y)
            std::memcpy(dib.bits + static_cast<std::size_t>(y) * width, ScanLine(y),
                        sizeof(std::uint32_t) * w);
    }
    Adopt(std::move(dib));
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!dc_) {
        dc_.reset(::CreateCompatibleDC(nullptr));
        if (!dc_) throw EOutOfMemory(L"Cannot create a device context for a bitmap");
        originalBitmap_ = ::GetCurrentObject(dc_.get(), OBJ_BITMAP);
        if (dib_) ::SelectObject(dc_.get(), dib_.get());
    }
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(dc_.get());
    return *canvas_;
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    transparentMode_ = mode;
    if (mode == tmAuto) transparentColor_ = clNone;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed) return transparentColor_;
    return IsEmpty() ? clNone : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    if (transparentMode_ == tmFixed && color == transparentColor_) return;
    transparentColor_ = color;
    transparentMode_ = tmFixed;
    Changed();
}

void TBitmap::SetAlphaChannel(bool value) {
    if (value == alpha_) return;
    alpha_ = value;
    Changed();
}

void TBitmap::RequireInside(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw EInvalidGraphic(FormatMessageText(L"Pixel (%s, %s) lies outside the bitmap",
                                                {std::to_wstring(x), std::to_wstring(y)}));
}

TColor TBitmap::Pixel(int x, int y) const {
    RequireInside(x, y);
    ::GdiFlush();
    return FromBgra(bits_[static_cast<std::size_t>(y) * width_ + x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    RequireInside(x, y);
    ::GdiFlush();
    bits_[static_cast<std::size_t>(y) * width_ + x] = ToBgra(color);
}

std::uint32_t* TBitmap::ScanLine(int y) {
    RequireInside(0, y);
    ::GdiFlush();
    return bits_ + static_cast<std::size_t>(y) * width_;
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
    RequireInside(0, y);
    ::GdiFlush();
    return bits_ + static_cast<std::size_t>(y) * width_;
}

void TBitmap::CopyFrom(const TPersistent* source) {
    if (!source) {
        Adopt(Dib{});
        alpha_ = false;
        Changed();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        if (bitmap == this) return;
        Dib dib = Dib::Create(bitmap->width_, bitmap->height_);
        if (dib.bits) {
            ::GdiFlush();
            std::memcpy(dib.bits, bitmap->bits_,
                        sizeof(std::uint32_t) * static_cast<std::size_t>(dib.width) * dib.height);
        }
        Adopt(std::move(dib));
        alpha_ = bitmap->alpha_;
        transparentMode_ = bitmap->transparentMode_;
        transparentColor_ = bitmap->transparentColor_;
        StoreTransparent(bitmap->Transparent());
        Changed();
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        Dib dib = Dib::Create(graphic->IsEmpty() ? 0 : graphic->ImageWidth(),
                              graphic->IsEmpty() ? 0 : graphic->ImageHeight());
        if (dib.bits)
            std::fill(dib.bits, dib.bits + static_cast<std::size_t>(dib.width) * dib.height,
                      opaqueWhite);
        Adopt(std::move(dib));
        alpha_ = false;
        if (!IsEmpty()) {
            // Drawing needs a non-const graphic; drawing does not change it.
            const RECT all{0, 0, width_, height_};
            const_cast<TGraphic*>(graphic)->DrawInRect(Canvas(), all);
        }
        Changed();
        return;
    }
    TGraphic::CopyFrom(source);
}

// ---- drawing

void TBitmap::DrawInRect(TCanvas& canvas, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (IsEmpty() || w <= 0 || h <= 0) return;
    HDC dest = canvas.Handle();
    if (!dest) throw EInvalidOperation(L"Canvas does not allow drawing");

    if (!Transparent() && !alpha_) {
        HDC source = Canvas().Handle();
        if (w == width_ && h == height_) {
            ::BitBlt(dest, rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
        } else {
            const int oldMode = ::SetStretchBltMode(dest, COLORONCOLOR);
            ::StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, width_, height_, SRCCOPY);
            ::SetStretchBltMode(dest, oldMode);
        }
        return;
    }

    // Keyed or blended: the visible part of the target is read back into a DIB, the bitmap's
    // pixels are put over it there (nearest pixel when stretched) and the result written back.
    // This needs neither msimg32 nor masks, and treats every target DC alike.
    RECT area = rect;
    RECT clip{};
    if (::GetClipBox(dest, &clip) == NULLREGION) return;
    if (clip.right > clip.left && clip.bottom > clip.top && !::IntersectRect(&area, &rect, &clip))
        return;
    const int aw = area.right - area.left, ah = area.bottom - area.top;
    Dib work = Dib::Create(std::min(aw, MaxSide), std::min(ah, MaxSide));
    if (!work.bits) return;
    UniqueHDC workDC(::CreateCompatibleDC(dest));
    if (!workDC) throw EOutOfMemory(L"Cannot create a device context for drawing");
    SelectGuard select(workDC.get(), work.handle.get());
    ::BitBlt(workDC.get(), 0, 0, work.width, work.height, dest, area.left, area.top, SRCCOPY);
    ::GdiFlush();

    const bool keyed = Transparent();
    const std::uint32_t key = ToBgra(TransparentColor()) & 0xFFFFFF;
    for (int ay = 0; ay < work.height; ++ay) {
        const auto sy =
            static_cast<int>(static_cast<std::int64_t>(area.top + ay - rect.top) * height_ / h);
        const std::uint32_t* src = bits_ + static_cast<std::size_t>(sy) * width_;
        std::uint32_t* out = work.bits + static_cast<std::size_t>(ay) * work.width;
        for (int ax = 0; ax < work.width; ++ax) {
            const auto sx = static_cast<int>(static_cast<std::int64_t>(area.left + ax - rect.left) *
                                             width_ / w);
            const std::uint32_t p = src[sx];
            if (keyed && (p & 0xFFFFFF) == key) continue;
            if (!alpha_) {
                out[ax] = p;
                continue;
            }
            const std::uint32_t a = p >> 24, d = out[ax];
            std::uint32_t mixed = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t s = (p >> shift) & 0xFF, t = (d >> shift) & 0xFF;
                mixed |= ((s * a + t * (255 - a) + 127) / 255) << shift;
            }
            out[ax] = mixed;
        }
    }
    ::BitBlt(dest, area.left, area.top, work.width, work.height, workDC.get(), 0, 0, SRCCOPY);
}

} // namespace plaxor
