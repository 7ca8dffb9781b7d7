#include "DibSurface.h"
#include "framework/Exception.h"
#include "framework/Streams.h"
#include <gtest/gtest.h>
#include <cstring>

namespace plaxor {
namespace {

std::vector<std::uint8_t> Seq(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return v;
}

TEST(MemoryStream, GrowsAsItIsWrittenAndReadsBackWhatWasWritten) {
    TMemoryStream s;
    const auto data = Seq(100000);
    for (std::size_t at = 0; at < data.size(); at += 999)
        s.WriteBuffer(data.data() + at, std::min<std::size_t>(999, data.size() - at));
    EXPECT_EQ(s.Size(), 100000);
    EXPECT_EQ(s.Position(), 100000);
    s.SetPosition(0);
    std::vector<std::uint8_t> back(data.size());
    s.ReadBuffer(back.data(), back.size());
    EXPECT_EQ(back, data);
}

TEST(MemoryStream, SeeksFromEachOriginAndRefusesPositionsBeforeTheStart) {
    TMemoryStream s(Seq(10));
    EXPECT_EQ(s.Seek(-3, soEnd), 7);
    EXPECT_EQ(s.Seek(2, soCurrent), 9);
    EXPECT_EQ(s.Seek(4, soBeginning), 4);
    EXPECT_THROW(s.Seek(-5, soCurrent), EStreamError);
    EXPECT_EQ(s.Position(), 4);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream s(Seq(2));
    s.SetPosition(5);
    const std::uint8_t x = 0xAB;
    s.WriteBuffer(&x, 1);
    ASSERT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Bytes()[2], 0);
    EXPECT_EQ(s.Bytes()[4], 0);
    EXPECT_EQ(s.Bytes()[5], 0xAB);
}

TEST(MemoryStream, ShrinkingMovesThePositionBackToTheNewEnd) {
    TMemoryStream s(Seq(10));
    s.SetPosition(8);
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(s.Size(), 3);
}

TEST(MemoryStream, ReadStopsAtTheEndButReadBufferRaisesOnAShortRead) {
    TMemoryStream s(Seq(5));
    std::uint8_t buffer[8] = {};
    s.SetPosition(3);
    EXPECT_EQ(s.Read(buffer, 8), 2u);
    EXPECT_EQ(s.Read(buffer, 8), 0u);
    s.SetPosition(3);
    EXPECT_THROW(s.ReadBuffer(buffer, 3), EReadError);
}

TEST(MemoryStream, CopyFromWithCountZeroTakesTheWholeSourceFromItsStart) {
    TMemoryStream source(Seq(50));
    source.SetPosition(20);
    TMemoryStream dest;
    EXPECT_EQ(dest.CopyFrom(source, 0), 50);
    EXPECT_EQ(dest.Bytes(), source.Bytes());
}

TEST(MemoryStream, CopyFromWithACountTakesThatManyFromThePosition) {
    TMemoryStream source(Seq(50));
    source.SetPosition(20);
    TMemoryStream dest;
    dest.CopyFrom(source, 10);
    const auto all = Seq(50);
    EXPECT_EQ(dest.Bytes(), std::vector<std::uint8_t>(all.begin() + 20, all.begin() + 30));
    EXPECT_THROW(dest.CopyFrom(source, 100), EReadError);
}

TEST(MemoryStream, LoadFromStreamReplacesTheContentAndRewinds) {
    TMemoryStream source(Seq(30));
    source.SetPosition(30);
    TMemoryStream s(Seq(3));
    s.LoadFromStream(source);
    EXPECT_EQ(s.Bytes(), source.Bytes());
    EXPECT_EQ(s.Position(), 0);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
}

TEST(FileStream, WrittenBytesComeBackThroughLoadFromFile) {
    test::TempFile file(L"roundtrip.bin");
    file.Write(Seq(4000));
    TMemoryStream in;
    in.LoadFromFile(file.path());
    EXPECT_EQ(in.Bytes(), Seq(4000));
}

TEST(FileStream, SeekSizeAndTruncateWorkOnARealFile) {
    test::TempFile file(L"seek.bin");
    TFileStream s(file.path(), fmCreate);
    const auto data = Seq(100);
    s.WriteBuffer(data.data(), data.size());
    EXPECT_EQ(s.Size(), 100);
    EXPECT_EQ(s.Seek(-10, soEnd), 90);
    std::uint8_t b = 0;
    s.ReadBuffer(&b, 1);
    EXPECT_EQ(b, data[90]);
    s.SetSize(40);
    EXPECT_EQ(s.Size(), 40);
    EXPECT_EQ(s.Position(), 40);
}

TEST(FileStream, MissingFileRaisesAnErrorNamingTheFile) {
    test::TempFile file(L"does-not-exist.bin");
    try {
        TFileStream s(file.path(), fmOpenRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message().find(file.path()), std::wstring::npos);
        EXPECT_NE(e.Message().find(L"Cannot open file"), std::wstring::npos);
    }
}

TEST(FileStream, OpenForReadingLetsOthersReadButNotWrite) {
    test::TempFile file(L"shared.bin");
    file.Write(Seq(10));
    TFileStream reader(file.path(), fmOpenRead);
    UniqueFile writer(::CreateFileW(file.path().c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
    EXPECT_FALSE(writer);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    UniqueFile otherReader(::CreateFileW(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(otherReader);
    // And a second TFileStream reader coexists with the first.
    EXPECT_NO_THROW(TFileStream(file.path(), fmOpenRead));
}

TEST(FileStream, AFileLockedByAWriterCannotBeOpenedAndSaysWhich) {
    test::TempFile file(L"locked.bin");
    file.Write(Seq(10));
    UniqueFile writer(::CreateFileW(file.path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    try {
        TFileStream s(file.path(), fmOpenRead);
        ADD_FAILURE() << "opened a file another writer holds";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message().find(file.path()), std::wstring::npos);
    }
}

} // namespace
} // namespace plaxor
