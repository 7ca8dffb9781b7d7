// TBlockStream: the read-only stream GDI+ decodes image bytes from.
#include <gtest/gtest.h>

#include <vector>

#include "gdiplus/BlockStream.h"

namespace plaxor::test {
namespace {

UniqueCom<IStream> StreamOver(const std::vector<std::uint8_t>& bytes) {
    return TBlockStream::CreateCopy(UniqueHGLOBAL(::GlobalAlloc(GMEM_MOVEABLE, bytes.size())),
                                    bytes.data(), bytes.size());
}

HRESULT SeekTo(IStream* stream, std::int64_t offset, DWORD origin, std::uint64_t* position) {
    LARGE_INTEGER move;
    move.QuadPart = offset;
    ULARGE_INTEGER now{};
    const HRESULT result = stream->Seek(move, origin, &now);
    *position = now.QuadPart;
    return result;
}

const std::vector<std::uint8_t> kFive = {1, 2, 3, 4, 5};

TEST(BlockStream, AReadStopsAtTheEndOfTheBytes) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::vector<std::uint8_t> buffer(10, 0xEE);
    ULONG read = 0;
    EXPECT_EQ(stream.get()->Read(buffer.data(), 10, &read), S_OK);
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 5), kFive);
    EXPECT_EQ(buffer[5], 0xEE);
}

// Damaged image files make decoders skip past the end; the next read must not copy from there.
TEST(BlockStream, AReadAfterASeekPastTheEndYieldsNothing) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::uint64_t position = 0;
    ASSERT_EQ(SeekTo(stream.get(), 0x10000, STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position, 0x10000u);
    std::vector<std::uint8_t> buffer(0x400, 0xEE);
    ULONG read = 99;
    EXPECT_EQ(stream.get()->Read(buffer.data(), 0x400, &read), S_OK);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(buffer[0], 0xEE);
}

TEST(BlockStream, SeeksCountFromTheStartTheCurrentPositionOrTheEnd) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::uint64_t position = 0;
    SeekTo(stream.get(), 3, STREAM_SEEK_SET, &position);
    SeekTo(stream.get(), -1, STREAM_SEEK_CUR, &position);
    EXPECT_EQ(position, 2u);
    SeekTo(stream.get(), -2, STREAM_SEEK_END, &position);
    EXPECT_EQ(position, 3u);
    std::uint8_t byte = 0;
    stream.get()->Read(&byte, 1, nullptr);
    EXPECT_EQ(byte, 4);
}

TEST(BlockStream, ASeekBeforeTheStartIsRefusedAndKeepsThePosition) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::uint64_t position = 0;
    SeekTo(stream.get(), 2, STREAM_SEEK_SET, &position);
    EXPECT_EQ(SeekTo(stream.get(), -3, STREAM_SEEK_CUR, &position), STG_E_INVALIDFUNCTION);
    SeekTo(stream.get(), 0, STREAM_SEEK_CUR, &position);
    EXPECT_EQ(position, 2u);
}

TEST(BlockStream, StatTellsTheSizeOfTheBytesNotOfTheBlock) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    STATSTG stat;
    ASSERT_EQ(stream.get()->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 5u);
    EXPECT_EQ(stat.pwcsName, nullptr);
}

TEST(BlockStream, WritingIsRefused) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    ULONG written = 7;
    EXPECT_EQ(stream.get()->Write(kFive.data(), 5, &written), STG_E_ACCESSDENIED);
    EXPECT_EQ(written, 0u);
}

TEST(BlockStream, ACloneStartsAtTheSamePositionAndMovesOnItsOwn) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::uint64_t position = 0;
    SeekTo(stream.get(), 1, STREAM_SEEK_SET, &position);
    UniqueCom<IStream> clone;
    ASSERT_EQ(stream.get()->Clone(clone.put()), S_OK);
    std::uint8_t byte = 0;
    clone.get()->Read(&byte, 1, nullptr);
    EXPECT_EQ(byte, 2);
    stream.reset(); // the clone keeps the bytes
    clone.get()->Read(&byte, 1, nullptr);
    EXPECT_EQ(byte, 3);
}

TEST(BlockStream, CopyToMovesTheRestOfTheBytes) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    std::uint64_t position = 0;
    SeekTo(stream.get(), 2, STREAM_SEEK_SET, &position);
    UniqueCom<IStream> target;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, target.put()), S_OK);
    ULARGE_INTEGER count;
    count.QuadPart = 100;
    ULARGE_INTEGER read{}, written{};
    EXPECT_EQ(stream.get()->CopyTo(target.get(), count, &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 3u);
    EXPECT_EQ(written.QuadPart, 3u);
    // The bytes from the position on went over, and the position moved past them.
    EXPECT_EQ(SeekTo(stream.get(), 0, STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position, 5u);
    std::uint64_t targetPosition = 0;
    ASSERT_EQ(SeekTo(target.get(), 0, STREAM_SEEK_SET, &targetPosition), S_OK);
    std::vector<std::uint8_t> copied(4, 0xEE);
    ULONG got = 0;
    EXPECT_EQ(target.get()->Read(copied.data(), 4, &got), S_OK);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(copied, (std::vector<std::uint8_t>{3, 4, 5, 0xEE}));
}

TEST(BlockStream, AnswersForTheStreamInterfacesOnly) {
    UniqueCom<IStream> stream = StreamOver(kFive);
    UniqueCom<IStream> asStream;
    EXPECT_EQ(stream.get()->QueryInterface(IID_IStream, asStream.put().as_void()), S_OK);
    void* other = nullptr;
    EXPECT_EQ(stream.get()->QueryInterface(IID_IPersist, &other), E_NOINTERFACE);
}

TEST(BlockStream, NoBlockMakesNoStream) {
    EXPECT_FALSE(TBlockStream::Create(UniqueHGLOBAL(), 0));
}

} // namespace
} // namespace plaxor::test
