#pragma once
// A read-only COM stream over a global memory block, for GDI+ to decode image bytes from.
// It replaces CreateStreamOnHGlobal: Wine's stream on an HGLOBAL copies from past the end of
// its block when a read follows a seek beyond the end, which the length fields of damaged
// image files make decoders do, and the process dies. Here such a read yields no bytes, as on
// Windows. The stream owns the block: it is freed once, when the last reference (clones
// included) is released, so a decoder that keeps a reference never reads freed memory.
#include <objidl.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/UniqueHandle.h"

namespace plaxor {

class TBlockStream final : public IStream {
public:
    // The stream reads the first size bytes of block (size must not exceed the block's own);
    // null when the block cannot be locked.
    static UniqueCom<IStream> Create(UniqueHGLOBAL block, std::size_t size);
    // Copies size bytes of data into block (at least that large) and makes the stream over
    // them; null when the block cannot be locked.
    static UniqueCom<IStream> CreateCopy(UniqueHGLOBAL block, const void* data, std::size_t size);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                   ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                           DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;

private:
    // The locked block, shared by a stream and its clones.
    struct Block;
    explicit TBlockStream(std::shared_ptr<const Block> block, std::uint64_t position = 0);
    ~TBlockStream();

    std::atomic<ULONG> references_{1};
    std::shared_ptr<const Block> block_;
    std::uint64_t position_;
};

} // namespace plaxor
