#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/Bitmap.h"
#include "gdiplus/GdiplusSession.h"
#include "tests/support/GdiplusEnvironment.h"

namespace plaxor::test {

DibSection::DibSection(int width, int height, COLORREF fill) : width_(width), height_(height) {
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_ = CreateTopDownDib(dc_.get(), width, height, &bits_);
    if (!dc_ || !bitmap_) throw std::runtime_error("DibSection: no DC or DIB section");
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
    const std::uint32_t value = GetRValue(fill) << 16 | GetGValue(fill) << 8 | GetBValue(fill);
    std::fill(bits_, bits_ + std::size_t(width) * height, value);
}

DibSection::~DibSection() {
    ::SelectObject(dc_.get(), previous_);
}

std::uint32_t DibSection::Pixel(int x, int y) const {
    ::GdiFlush();
    return bits_[std::size_t(y) * width_ + x] & 0xFFFFFF;
}

void DibSection::SaveBmp(const std::wstring& fileName) const {
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
    std::ofstream out(std::filesystem::path(fileName), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(bits_), size);
}

UniqueCom<IStream> StreamOf(const std::vector<std::uint8_t>& bytes) {
    UniqueCom<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put())))
        throw std::runtime_error("StreamOf: no stream");
    ULONG written = 0;
    stream.get()->Write(bytes.data(), ULONG(bytes.size()), &written);
    LARGE_INTEGER zero{};
    stream.get()->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

bool RunningOnWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

std::wstring OutputPath(const std::wstring& fileName) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir = exe;
    dir.resize(dir.find_last_of(L"\\/") + 1);
    dir += L"gdiplus-output";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + fileName;
}

} // namespace plaxor::test
