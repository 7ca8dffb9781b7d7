#pragma once
// Writes to a standard handle as a script or a person expects it: UTF-16 through the console
// functions when the handle is a console, UTF-8 bytes when it is redirected to a file or a pipe.
#include "TextSink.h"
#include <windows.h>

namespace plaxor {

class ConsoleSink final : public ITextSink {
public:
    // The handle is borrowed (a standard handle belongs to the process); null or
    // INVALID_HANDLE_VALUE makes a sink that drops everything.
    explicit ConsoleSink(HANDLE handle) noexcept;

    bool IsConsole() const noexcept { return console_; }
    // Failures are ignored: a closed pipe must not stop the command or change its exit code.
    void Write(std::wstring_view text) override;

private:
    void WriteToConsole(std::wstring_view text) noexcept;
    void WriteUtf8(std::wstring_view text);

    HANDLE handle_;
    bool console_ = false;
};

} // namespace plaxor
