#include "Streams.h"
#include "Exception.h"
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace plaxor {

std::int64_t TStream::Size() {
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        const std::size_t n = Read(out, count);
        if (n == 0) throw EReadError(L"Stream read error: the data ends too early");
        out += n;
        count -= n;
    }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    auto* in = static_cast<const std::uint8_t*>(buffer);
    while (count > 0) {
        const std::size_t n = Write(in, count);
        if (n == 0) throw EStreamError(L"Stream write error");
        in += n;
        count -= n;
    }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count < 0) throw EStreamError(L"Stream copy of a negative count");
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> buffer(
        static_cast<std::size_t>(std::min<std::int64_t>(count, 64 * 1024)));
    std::int64_t left = count;
    while (left > 0) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<std::int64_t>(n);
    }
    return count;
}

// ---- TMemoryStream

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ >= data_.size()) return 0;
    const std::size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (count > std::numeric_limits<std::size_t>::max() - position_)
        throw EStreamError(L"Memory stream too large");
    const std::size_t end = position_ + count;
    if (end > data_.size()) SetSize(static_cast<std::int64_t>(end));
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    switch (origin) {
    case soBeginning: base = 0; break;
    case soCurrent: base = static_cast<std::int64_t>(position_); break;
    case soEnd: base = static_cast<std::int64_t>(data_.size()); break;
    }
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) ||
        base + offset < 0)
        throw EStreamError(L"Invalid stream position");
    // A position past the end is allowed; the next write fills the gap with zeros.
    position_ = static_cast<std::size_t>(base + offset);
    return base + offset;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) throw EStreamError(L"Invalid stream size");
    if (static_cast<std::uint64_t>(size) > data_.max_size())
        throw EOutOfMemory(L"Out of memory while expanding memory stream");
    try {
        data_.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(L"Out of memory while expanding memory stream");
    }
    if (position_ > data_.size()) position_ = data_.size();
}

void TMemoryStream::Clear() noexcept {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(L"Out of memory while expanding memory stream");
    }
    if (!bytes.empty()) source.ReadBuffer(bytes.data(), bytes.size());
    // Swapped in only once everything is read, so a failed load keeps the old content.
    data_ = std::move(bytes);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& dest) const {
    if (!data_.empty()) dest.WriteBuffer(data_.data(), data_.size());
}

// ---- TFileStream

std::wstring SystemErrorMessage(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) message = L"System error " + std::to_wstring(code);
    return message;
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) : fileName_(fileName) {
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if (mode == fmOpenReadWrite) access |= GENERIC_WRITE;
    if (mode == fmCreate) {
        access |= GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
    }
    file_ = UniqueFile(::CreateFileW(fileName.c_str(), access, FILE_SHARE_READ, nullptr,
                                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_)
        RaiseLastError(mode == fmCreate ? L"Cannot create file \"%s\". %s"
                                        : L"Cannot open file \"%s\". %s");
}

void TFileStream::RaiseLastError(const wchar_t* what) const {
    const DWORD code = ::GetLastError();
    throw EStreamError(FormatMessageText(what, {fileName_, SystemErrorMessage(code)}));
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD done = 0;
    if (!::ReadFile(file_.get(), buffer, chunk, &done, nullptr))
        RaiseLastError(L"Cannot read file \"%s\". %s");
    return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD done = 0;
    if (!::WriteFile(file_.get(), buffer, chunk, &done, nullptr))
        RaiseLastError(L"Cannot write file \"%s\". %s");
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    if (!::SetFilePointerEx(file_.get(), distance, &result, methods[origin]))
        throw EStreamError(FormatMessageText(L"Invalid stream position in \"%s\"", {fileName_}));
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
    const std::int64_t position = Position();
    Seek(size, soBeginning);
    if (!::SetEndOfFile(file_.get())) RaiseLastError(L"Cannot resize file \"%s\". %s");
    Seek(std::min(position, size), soBeginning);
}

} // namespace plaxor
