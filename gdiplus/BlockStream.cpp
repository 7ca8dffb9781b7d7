#include "gdiplus/BlockStream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace plaxor {

struct TBlockStream::Block {
    Block(UniqueHGLOBAL owned, const std::uint8_t* bytes, std::size_t length)
        : handle(std::move(owned)), data(bytes), size(length) {}
    ~Block() { ::GlobalUnlock(handle.get()); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    UniqueHGLOBAL handle; // freed after the unlock above
    const std::uint8_t* data;
    std::size_t size;
};

UniqueCom<IStream> TBlockStream::Create(UniqueHGLOBAL block, std::size_t size) {
    if (!block) return {};
    const auto* data = static_cast<const std::uint8_t*>(::GlobalLock(block.get()));
    if (!data) return {};
    auto shared = std::make_shared<const Block>(std::move(block), data, size);
    return UniqueCom<IStream>(new TBlockStream(std::move(shared)));
}

UniqueCom<IStream> TBlockStream::CreateCopy(UniqueHGLOBAL block, const void* data,
                                            std::size_t size) {
    if (!block) return {};
    void* memory = ::GlobalLock(block.get());
    if (!memory) return {};
    if (size) std::memcpy(memory, data, size);
    ::GlobalUnlock(block.get());
    return Create(std::move(block), size);
}

TBlockStream::TBlockStream(std::shared_ptr<const Block> block, std::uint64_t position)
    : block_(std::move(block)), position_(position) {}

TBlockStream::~TBlockStream() = default;

HRESULT TBlockStream::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TBlockStream::AddRef() {
    return ++references_;
}

ULONG TBlockStream::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT TBlockStream::Read(void* buffer, ULONG count, ULONG* read) {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    if (position_ >= block_->size) return S_OK; // at or past the end: nothing, not an error
    const auto n = static_cast<ULONG>(std::min<std::uint64_t>(count, block_->size - position_));
    std::memcpy(buffer, block_->data + position_, n);
    position_ += n;
    if (read) *read = n;
    return S_OK;
}

HRESULT TBlockStream::Write(const void*, ULONG, ULONG* written) {
    if (written) *written = 0;
    return STG_E_ACCESSDENIED;
}

HRESULT TBlockStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    std::int64_t base = 0;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(position_); break;
    case STREAM_SEEK_END: base = static_cast<std::int64_t>(block_->size); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    // Before the start is refused; past the end is allowed, and reads there yield nothing.
    const std::int64_t offset = move.QuadPart;
    if (offset < 0 ? base < -offset : base > INT64_MAX - offset) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::uint64_t>(base + offset);
    if (position) position->QuadPart = position_;
    return S_OK;
}

HRESULT TBlockStream::SetSize(ULARGE_INTEGER) {
    return STG_E_ACCESSDENIED;
}

HRESULT TBlockStream::CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                             ULARGE_INTEGER* written) {
    if (read) read->QuadPart = 0;
    if (written) written->QuadPart = 0;
    if (!target) return STG_E_INVALIDPOINTER;
    const std::uint64_t left = position_ < block_->size ? block_->size - position_ : 0;
    const std::uint64_t n = std::min<std::uint64_t>(count.QuadPart, left);
    std::uint64_t done = 0;
    HRESULT result = S_OK;
    while (done < n) {
        const auto chunk = static_cast<ULONG>(std::min<std::uint64_t>(n - done, 1u << 20));
        ULONG put = 0;
        result = target->Write(block_->data + position_ + done, chunk, &put);
        done += put;
        if (FAILED(result) || put == 0) break;
    }
    position_ += done;
    if (read) read->QuadPart = done;
    if (written) written->QuadPart = done;
    return result;
}

HRESULT TBlockStream::Commit(DWORD) {
    return S_OK;
}

HRESULT TBlockStream::Revert() {
    return S_OK;
}

HRESULT TBlockStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}

HRESULT TBlockStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}

HRESULT TBlockStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat); // no name, whatever the flags ask
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = block_->size;
    stat->grfMode = STGM_READ | STGM_SHARE_DENY_WRITE;
    return S_OK;
}

HRESULT TBlockStream::Clone(IStream** clone) {
    if (!clone) return STG_E_INVALIDPOINTER;
    *clone = new (std::nothrow) TBlockStream(block_, position_);
    return *clone ? S_OK : E_OUTOFMEMORY;
}

} // namespace plaxor
