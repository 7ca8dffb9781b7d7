#include "Accel.h"
#include <windows.h>

namespace plaxor {

namespace {
wchar_t Upper(wchar_t c) {
    wchar_t buffer[2] = {c, 0};
    ::CharUpperBuffW(buffer, 1);
    return buffer[0];
}
} // namespace

wchar_t AccelChar(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i; // a literal ampersand
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

bool IsAccel(wchar_t ch, const std::wstring& caption) {
    const wchar_t accel = AccelChar(caption);
    return accel != 0 && ch != 0 && Upper(accel) == Upper(ch);
}

} // namespace plaxor
