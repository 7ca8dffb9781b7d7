#pragma once
// Byte streams: the abstract TStream, a growable TMemoryStream and a TFileStream over a Win32 file.
#include "Object.h"
#include "UniqueHandle.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plaxor {

enum TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    std::wstring ClassName() const override { return L"TStream"; }

    // Transfer up to count bytes; the result is the number moved (0 at the end of the data).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // The new position from the start. A position before the start raises EStreamError.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    // Transfer exactly count bytes or raise EReadError / EStreamError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);

    // Copies count bytes from source's current position; count 0 copies the whole source from
    // its start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}
    std::wstring ClassName() const override { return L"TMemoryStream"; }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size) override;

    // The bytes themselves; valid until the stream grows or is cleared.
    std::uint8_t* Memory() noexcept { return data_.data(); }
    const std::uint8_t* Memory() const noexcept { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const noexcept { return data_; }
    void Clear() noexcept;

    // Replace the content by the whole of source (read from its start); position 0 afterwards.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::wstring& fileName);
    // Write the whole content to dest at its current position.
    void SaveToStream(TStream& dest) const;

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

enum TFileMode : std::uint8_t {
    fmOpenRead,      // existing file, reading; others may read but not write
    fmOpenReadWrite, // existing file, reading and writing; others may read
    fmCreate,        // new or truncated file, reading and writing; others may read
};

class TFileStream : public TStream {
public:
    // Raises EStreamError naming the file, with the system's reason, when it cannot be opened.
    TFileStream(const std::wstring& fileName, TFileMode mode);
    std::wstring ClassName() const override { return L"TFileStream"; }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const std::wstring& FileName() const noexcept { return fileName_; }

private:
    [[noreturn]] void RaiseLastError(const wchar_t* what) const;
    std::wstring fileName_;
    UniqueFile file_;
};

// The system's text for a Win32 error code, without the trailing line break.
std::wstring SystemErrorMessage(unsigned long code);

} // namespace plaxor
