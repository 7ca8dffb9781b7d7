#pragma once
// Somewhere text goes: a console, a redirected standard handle, or a string in a test.
#include <string_view>

namespace plaxor {

class ITextSink {
public:
    virtual ~ITextSink() = default;
    virtual void Write(std::wstring_view text) = 0;
};

} // namespace plaxor
