#pragma once
// A 32-bit top-down DIB section selected into a memory DC: tests draw into it and read the
// pixels back directly.
#include "framework/Bitmap.h"
#include "framework/Colors.h"
#include "framework/Streams.h"
#include "framework/UniqueHandle.h"
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace plaxor::test {

class DibSurface {
public:
    DibSurface(int width, int height, TColor fill = 0xFFFFFF) : width_(width), height_(height) {
        dc_.reset(::CreateCompatibleDC(nullptr));
        bitmap_ = CreateTopDownDib(dc_.get(), width, height, &bits_);
        old_ = ::SelectObject(dc_.get(), bitmap_.get());
        Fill(fill);
    }
    ~DibSurface() { ::SelectObject(dc_.get(), old_); }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    void Fill(TColor color) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                Row(y)[x] = ToBgr(color);
    }
    // The pixel as 0x00BBGGRR.
    TColor At(int x, int y) const {
        ::GdiFlush();
        const std::uint32_t p = Row(y)[x];
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    // Pixels of that colour in a rectangle.
    int Count(TColor color, int left = 0, int top = 0, int right = -1, int bottom = -1) const {
        if (right < 0) right = width_;
        if (bottom < 0) bottom = height_;
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += At(x, y) == color;
        return n;
    }

private:
    static std::uint32_t ToBgr(TColor c) {
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    std::uint32_t* Row(int y) const { return bits_ + static_cast<std::size_t>(y) * width_; }
    int width_, height_;
    UniqueHDC dc_;
    UniqueHBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Each channel within tolerance.
inline bool Near(TColor a, TColor b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(d) > tolerance) return false;
    }
    return true;
}

// A scratch file path in the temporary folder, deleted at the end of the scope.
class TempFile {
public:
    explicit TempFile(const std::wstring& name) {
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        path_ = std::wstring(dir) + L"plaxor-" + name;
        ::DeleteFileW(path_.c_str());
    }
    ~TempFile() { ::DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }
    // Makes the file hold exactly these bytes.
    void Write(const std::vector<std::uint8_t>& bytes) const {
        TFileStream(path_, fmCreate).WriteBuffer(bytes.data(), bytes.size());
    }

private:
    std::wstring path_;
};

} // namespace plaxor::test
