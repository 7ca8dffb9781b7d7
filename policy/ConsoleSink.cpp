#include "ConsoleSink.h"
#include "framework/Text.h"
#include <algorithm>
#include <string>

namespace plaxor {
namespace {

// Older consoles refuse very large single writes.
constexpr std::size_t kConsoleChunk = 8192;

} // namespace

ConsoleSink::ConsoleSink(HANDLE handle) noexcept
    : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {
    DWORD mode = 0;
    console_ = handle_ && ::GetConsoleMode(handle_, &mode);
}

void ConsoleSink::Write(std::wstring_view text) {
    if (!handle_ || text.empty()) return;
    if (console_)
        WriteToConsole(text);
    else
        WriteUtf8(text);
}

void ConsoleSink::WriteToConsole(std::wstring_view text) noexcept {
    while (!text.empty()) {
        std::size_t count = std::min(text.size(), kConsoleChunk);
        // Never split a surrogate pair between two writes.
        if (count < text.size() && count > 1 && IsHighSurrogate(text[count - 1])) --count;
        DWORD written = 0;
        if (!::WriteConsoleW(handle_, text.data(), static_cast<DWORD>(count), &written, nullptr) ||
            written == 0)
            return;
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
}

void ConsoleSink::WriteUtf8(std::wstring_view text) {
    const std::string utf8 = ToUtf8(text);
    std::string_view rest(utf8);
    while (!rest.empty()) {
        DWORD written = 0;
        if (!::WriteFile(handle_, rest.data(), static_cast<DWORD>(rest.size()), &written,
                         nullptr) ||
            written == 0)
            return;
        rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
    }
}

} // namespace plaxor
