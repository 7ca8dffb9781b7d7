#pragma once
// The two faces of plaxorctl audit: a table for a person at an 80-column console, and one JSON
// object for a fleet inventory. Lines end in CR LF, as everything plaxorctl prints.
#include "AutoRunAudit.h"
#include <string>
#include <string_view>

namespace plaxor {

// A heading, one line per check (PASS, FAIL, or INFO for a check that is not required), a blank
// line and the verdict. No line is longer than 79 characters: long values are cut.
std::wstring FormatAuditTable(const TAuditResult& result);

// One object: the state, the verdict and the checks, one check per line.
std::wstring FormatAuditJson(const TAuditResult& result);

// The text as a JSON string: quotes, backslashes and control characters escaped, every other
// character as it is (the output makes UTF-8 of it), a lone surrogate, which has no UTF-8
// form, as a \u escape.
std::wstring JsonQuoted(std::wstring_view text);

} // namespace plaxor
