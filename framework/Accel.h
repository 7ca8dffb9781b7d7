#pragma once
// Mnemonics: the character after a single "&" in a caption is its keyboard accelerator.
#include <string>

namespace plaxor {

// True when ch is (case-insensitively) the accelerator of caption; "&&" is a literal ampersand.
bool IsAccel(wchar_t ch, const std::wstring& caption);
// The accelerator character of caption, or 0 when it has none.
wchar_t AccelChar(const std::wstring& caption);

} // namespace plaxor
