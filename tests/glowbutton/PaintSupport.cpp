#include "PaintSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "gdiplus/GPImage.h"
#include "gdiplus/GdiplusSession.h"
#include "tests/support/GdiplusEnvironment.h"

namespace plaxor::test {

Surface::Surface(int width, int height, TColor fill) : width_(width), height_(height) {
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_ = CreateTopDownDib(dc_.get(), width, height, &bits_);
    if (!dc_ || !bitmap_) throw std::runtime_error("Surface: no DC or DIB section");
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
    canvas_ = std::make_unique<TCanvas>(dc_.get());
    Fill(fill);
}

Surface::~Surface() {
    canvas_.reset();
    ::SelectObject(dc_.get(), previous_);
}

void Surface::Fill(TColor color) {
    ::GdiFlush();
    const std::uint32_t bgr = (color & 0xFF) << 16 | (color & 0xFF00) | ((color >> 16) & 0xFF);
    std::fill(bits_, bits_ + std::size_t(width_) * height_, bgr);
}

TColor Surface::At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t p = bits_[std::size_t(y) * width_ + x];
    return (p & 0xFF) << 16 | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

RECT Surface::Ink(TColor background, RECT area) const {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right) return RECT{};
    return box;
}

void Surface::SaveBmp(const std::wstring& path) const {
    ::GdiFlush();
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    const DWORD size = DWORD(width_) * height_ * 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + size;
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    // The fourth byte is not alpha here: write it opaque so that viewers show the pixels.
    std::vector<std::uint32_t> pixels(bits_, bits_ + std::size_t(width_) * height_);
    for (auto& p : pixels)
        p |= 0xFF000000;
    out.write(reinterpret_cast<const char*>(pixels.data()), size);
}

int ChannelDistance(TColor a, TColor b) {
    return std::max({std::abs(R(a) - R(b)), std::abs(G(a) - G(b)), std::abs(B(a) - B(b))});
}

TGlowButtonDrawInputs DefaultInputs(Surface& surface, const TFont& font) {
    TGlowButtonDrawInputs in;
    in.canvas = &surface.canvas();
    in.rect = surface.rect();
    in.Color = 0xFFFFFF;
    in.ColorTo = 0xFFFFFF;
    in.ColorMirror = 0xC0C0C0;
    in.ColorMirrorTo = 0xFFFFFF;
    in.BorderColor = 0xC0C0C0;
    in.Gradient = ggVertical;
    in.GradientMirror = ggVertical;
    in.font = &font;
    return in;
}

std::wstring OutputPath(const std::wstring& fileName) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir = exe;
    dir.resize(dir.find_last_of(L"\\/") + 1);
    dir += L"glowbutton-output";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + fileName;
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<TColor> DecodePixels(const std::vector<std::uint8_t>& bytes, int& width, int& height) {
    width = height = 0;
    if (bytes.empty()) return {};
    UniqueCom<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return {};
    ULONG written = 0;
    stream.get()->Write(bytes.data(), ULONG(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream.get()->Seek(start, STREAM_SEEK_SET, nullptr);
    std::vector<TColor> pixels;
    {
        TGPBitmap bitmap(stream.get());
        if (!bitmap.Handle()) return {};
        width = static_cast<int>(bitmap.GetWidth());
        height = static_cast<int>(bitmap.GetHeight());
        pixels.reserve(std::size_t(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                ARGB argb = 0;
                bitmap.GetPixel(x, y, argb);
                pixels.push_back((argb >> 16 & 0xFF) | (argb & 0xFF00) | (argb & 0xFF) << 16);
            }
    }
    return pixels;
}

std::wstring CompareWithReference(const Surface& surface, const std::wstring& name, int tolerance,
                                  int allowedOutliers, bool saveRendering) {
    if (saveRendering) {
        const std::wstring folder = OutputPath(L"references");
        ::CreateDirectoryW(folder.c_str(), nullptr);
        surface.SaveBmp(folder + L"\\" + name + L".bmp");
    }
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    path.resize(path.find_last_of(L"\\/") + 1);
    path += L"references\\" + name + L".png";
    int w = 0, h = 0;
    const std::vector<TColor> reference = DecodePixels(ReadFileBytes(path), w, h);
    std::wostringstream why;
    if (reference.empty()) {
        why << L"no reference " << path << L" (scripts/references adopts the rendering)";
        return why.str();
    }
    if (w != surface.width() || h != surface.height()) {
        why << L"reference is " << w << L" x " << h << L", rendering " << surface.width() << L" x "
            << surface.height();
        return why.str();
    }
    int outliers = 0;
    std::wstring first;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor expected = reference[std::size_t(y) * w + x];
            const TColor actual = surface.At(x, y);
            if (ChannelDistance(expected, actual) <= tolerance) continue;
            if (outliers++ == 0) {
                std::wostringstream at;
                at << std::hex << L"(" << std::dec << x << L", " << y << std::hex << L") is 0x"
                   << actual << L", reference 0x" << expected;
                first = at.str();
            }
        }
    if (outliers > allowedOutliers) {
        why << outliers << L" pixels differ by more than " << tolerance << L"; first " << first;
        return why.str();
    }
    return L"";
}

} // namespace plaxor::test
