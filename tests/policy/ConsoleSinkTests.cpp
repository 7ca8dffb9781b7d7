// The standard-handle writer: UTF-8 bytes when redirected, UTF-16 through the console otherwise.
#include "framework/UniqueHandle.h"
#include "policy/ConsoleSink.h"
#include <gtest/gtest.h>
#include <string>

namespace plaxor {
namespace {

// Beyond Latin-1 and beyond the basic plane, so that every UTF-8 length is exercised.
const std::wstring kText = L"Z\u00fcrich \u2713 \U0001F600\r\n";
const std::string kTextUtf8 = "Z\xC3\xBCrich \xE2\x9C\x93 \xF0\x9F\x98\x80\r\n";

std::wstring TempFileName() {
    wchar_t dir[MAX_PATH] = {}, name[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"pxc", 0, name);
    return name;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file) return "(cannot open)";
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

// Writes through a sink on a new file and gives back the bytes that arrived.
template <typename WriteFn> std::string WrittenToFile(WriteFn write) {
    const std::wstring path = TempFileName();
    {
        UniqueFile file(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) return "(cannot create)";
        ConsoleSink sink(file.get());
        write(sink);
    }
    std::string bytes = ReadFileBytes(path);
    ::DeleteFileW(path.c_str());
    return bytes;
}

TEST(ConsoleSink, RedirectedToAFileWritesUtf8WithoutAByteOrderMark) {
    bool console = true;
    const std::string bytes = WrittenToFile([&](ConsoleSink& sink) {
        console = sink.IsConsole();
        sink.Write(kText);
        sink.Write(L"");
        sink.Write(L"end");
    });
    EXPECT_FALSE(console);
    EXPECT_EQ(bytes, kTextUtf8 + "end");
}

TEST(ConsoleSink, ALoneSurrogateBecomesAReplacementCharacterNotBrokenBytes) {
    const std::string bytes = WrittenToFile(
        [](ConsoleSink& sink) { sink.Write(std::wstring(L"a") + wchar_t(0xD800) + L"b"); });
    EXPECT_EQ(bytes, "a\xEF\xBF\xBD"
                     "b");
}

TEST(ConsoleSink, AClosedPipeIsIgnored) {
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(::CreatePipe(&read, &write, nullptr, 0));
    ::CloseHandle(read);
    UniqueKernelHandle owned(write);
    ConsoleSink sink(write);
    EXPECT_NO_THROW(sink.Write(kText));
}

// A console for the test: the one the program runs in, or else one of its own.
class OwnConsole {
public:
    OwnConsole() {
        if (::GetConsoleWindow()) return;
        // Wine attaches a program started without a terminal to a console that has no screen
        // buffers; leave it first.
        ::FreeConsole();
        allocated_ = ::AllocConsole();
    }
    ~OwnConsole() {
        if (allocated_) ::FreeConsole();
    }
    OwnConsole(const OwnConsole&) = delete;
    OwnConsole& operator=(const OwnConsole&) = delete;

private:
    bool allocated_ = false;
};

TEST(ConsoleSink, OnAConsoleWritesUtf16Characters) {
    OwnConsole console;
    UniqueFile buffer(::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  CONSOLE_TEXTMODE_BUFFER, nullptr));
    ASSERT_TRUE(buffer) << "no console: error " << ::GetLastError();
    ConsoleSink sink(buffer.get());
    EXPECT_TRUE(sink.IsConsole());
    const std::wstring line = L"Z\u00fcrich \u2713 \u0394\u03a9";
    sink.Write(line);
    std::wstring shown(line.size(), L'\0');
    DWORD got = 0;
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(buffer.get(), shown.data(),
                                              static_cast<DWORD>(shown.size()), COORD{0, 0}, &got));
    shown.resize(got);
    EXPECT_EQ(shown, line);
}

} // namespace
} // namespace plaxor
