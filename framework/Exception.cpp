#include "Exception.h"

namespace plaxor {

const std::wstring& Exception::InnermostMessage() const noexcept {
    const Exception* innermost = this;
    while (innermost->Inner())
        innermost = innermost->Inner();
    return innermost->Message().empty() ? message_ : innermost->Message();
}

std::wstring FormatMessageText(const std::wstring& format,
                               std::initializer_list<std::wstring> args) {
    std::wstring out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == L's') {
            if (next != args.end()) out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

} // namespace plaxor
