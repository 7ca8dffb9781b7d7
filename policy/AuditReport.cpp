#include "AuditReport.h"
#include "framework/Text.h"
#include <algorithm>
#include <cstring>
#include <cwchar>

namespace plaxor {
namespace {

// Columns of the table: verdict, title, value found, value required; 6 + 31 + 2 + 19 + 2 + 19
// makes 79, so that a line never wraps on an 80-column console.
constexpr std::size_t kVerdictWidth = 6;
constexpr std::size_t kTitleWidth = 31;
constexpr std::size_t kFoundWidth = 19;
constexpr std::size_t kRequiredWidth = 19;
constexpr std::wstring_view kGap = L"  ";

bool IsDword(const TRegistryValue& v) {
    return v.type == REG_DWORD && v.data.size() == sizeof(DWORD);
}
bool IsText(const TRegistryValue& v) {
    return v.type == REG_SZ || v.type == REG_EXPAND_SZ;
}

DWORD DwordOf(const TRegistryValue& v) {
    DWORD number = 0;
    std::memcpy(&number, v.data.data(), sizeof number);
    return number;
}

// The data as UTF-16 code units; an odd last byte is not half a character.
std::wstring UnitsOf(const TRegistryValue& v) {
    std::wstring units(v.data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(units.data(), v.data.data(), units.size() * sizeof(wchar_t));
    return units;
}

// A string value as Windows reads it: up to the first NUL.
std::wstring TextOf(const TRegistryValue& v) {
    std::wstring text = UnitsOf(v);
    text.resize(std::min(text.size(), text.find(L'\0')));
    return text;
}

std::wstring Hex(const std::vector<std::uint8_t>& bytes) {
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring hex;
    hex.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// ---- Table

// Small numbers as they are, masks as hexadecimal, as the policy documents write them.
std::wstring NumberText(DWORD number) {
    if (number < 10) return std::to_wstring(number);
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%lX", static_cast<unsigned long>(number));
    return text;
}

// Text in quotes, so that blanks at its end show; characters that would break the line shown
// as '?'.
std::wstring QuotedForTable(std::wstring text) {
    for (wchar_t& c : text)
        if (c < 0x20 || c == 0x7F) c = L'?';
    return L"\"" + text + L"\"";
}

std::wstring ValueForTable(const TAuditReading& r, DWORD wantedType) {
    if (r.status == arAbsent) return L"not set";
    if (r.status == arFailed) return r.error;
    const TRegistryValue& v = r.value;
    // A value of another type than the check wants says so first.
    const std::wstring typed = RegistryTypeName(v.type) + L" ";
    if (IsDword(v)) return (wantedType == REG_DWORD ? L"" : typed) + NumberText(DwordOf(v));
    if (IsText(v)) return (wantedType == REG_SZ ? L"" : typed) + QuotedForTable(TextOf(v));
    const std::size_t n = v.data.size();
    return RegistryTypeName(v.type) + L", " + std::to_wstring(n) + (n == 1 ? L" byte" : L" bytes");
}

std::wstring FoundForTable(const TAuditCheck& check) {
    const DWORD wanted = check.expected.type;
    std::wstring found = ValueForTable(check.reading, wanted);
    // Where the machine has no policy, this user's own one is in force: worth a look.
    if (check.reading.status == arAbsent && check.user && check.user->status == arFound)
        found += L"; HKCU " + ValueForTable(*check.user, wanted);
    return found;
}

std::wstring RequiredForTable(const TAuditCheck& check) {
    const TRegistryValue& v = check.expected;
    return IsDword(v) ? NumberText(DwordOf(v)) : QuotedForTable(TextOf(v));
}

// Counts characters, not code units: a surrogate pair is one.
std::size_t Length(std::wstring_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(IsLowSurrogate(text[i]) && i > 0 && IsHighSurrogate(text[i - 1]))) ++n;
    return n;
}

// At most width characters: a longer text keeps its start and ends in "...".
std::wstring Cut(std::wstring_view text, std::size_t width) {
    if (Length(text) <= width) return std::wstring(text);
    std::size_t keep = 0, units = 0;
    while (keep < width - 3) {
        units += (IsHighSurrogate(text[units]) && units + 1 < text.size() &&
                  IsLowSurrogate(text[units + 1]))
                     ? 2
                     : 1;
        ++keep;
    }
    return std::wstring(text.substr(0, units)) + L"...";
}

std::wstring Column(std::wstring_view text, std::size_t width) {
    std::wstring cell = Cut(text, width);
    cell.append(width - Length(cell), L' ');
    return cell;
}

std::wstring_view VerdictOf(const TAuditCheck& check) {
    if (!check.required) return L"INFO";
    return check.pass ? L"PASS" : L"FAIL";
}

std::wstring TableLine(std::wstring_view verdict, std::wstring_view title, std::wstring_view found,
                       std::wstring_view required) {
    std::wstring line = Column(verdict, kVerdictWidth) + Column(title, kTitleWidth) +
                        std::wstring(kGap) + Column(found, kFoundWidth) + std::wstring(kGap) +
                        Cut(required, kRequiredWidth);
    line.erase(line.find_last_not_of(L' ') + 1);
    return line + L"\r\n";
}

// ---- JSON

std::wstring JsonValue(const TRegistryValue& v) {
    if (IsDword(v)) return std::to_wstring(DwordOf(v));
    if (IsText(v)) return JsonQuoted(TextOf(v));
    return JsonQuoted(Hex(v.data)); // any other type: its bytes
}

std::wstring JsonError(std::wstring_view error) {
    return error.empty() ? L"null" : JsonQuoted(error);
}

// "type", "size" and "value" of one reading: null when the value is not there or could not be
// read.
std::wstring JsonReading(const TAuditReading& r) {
    const bool found = r.status == arFound;
    return L"\"type\": " + (found ? JsonQuoted(RegistryTypeName(r.value.type)) : L"null") +
           L", \"size\": " + (found ? std::to_wstring(r.value.data.size()) : L"null") +
           L", \"value\": " + (found ? JsonValue(r.value) : L"null");
}

std::wstring JsonCheck(const TAuditCheck& c) {
    std::wstring json = L"{\"id\": " + JsonQuoted(c.id) + L", \"title\": " + JsonQuoted(c.title) +
                        L", \"path\": " + JsonQuoted(c.reading.path) + L", \"name\": " +
                        JsonQuoted(c.name) + L", \"view\": " +
                        JsonQuoted(c.view == KEY_WOW64_32KEY ? L"32-bit" : L"64-bit") + L", " +
                        JsonReading(c.reading);
    json += L", \"expected\": " + JsonValue(c.expected);
    json += L", \"required\": " + std::wstring(c.required ? L"true" : L"false");
    json += L", \"pass\": " + std::wstring(c.pass ? L"true" : L"false");
    json += L", \"error\": " + JsonError(c.problem);
    json += L", \"reference\": " + JsonQuoted(c.reference);
    if (c.user) {
        const TAuditReading* inForce = c.InForce();
        json += L", \"effective\": " + (!inForce              ? std::wstring(L"null")
                                        : inForce == &*c.user ? JsonQuoted(L"HKCU")
                                                              : JsonQuoted(L"HKLM"));
        json += L", \"user\": {\"path\": " + JsonQuoted(c.user->path) + L", " +
                JsonReading(*c.user) + L", \"error\": " + JsonError(c.user->error) + L"}";
    }
    return json + L"}";
}

} // namespace

std::wstring JsonQuoted(std::wstring_view text) {
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring json = L"\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const bool paired =
            (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ||
            (IsLowSurrogate(c) && i > 0 && IsHighSurrogate(text[i - 1]));
        switch (c) {
        case L'"': json += L"\\\""; continue;
        case L'\\': json += L"\\\\"; continue;
        case L'\b': json += L"\\b"; continue;
        case L'\f': json += L"\\f"; continue;
        case L'\n': json += L"\\n"; continue;
        case L'\r': json += L"\\r"; continue;
        case L'\t': json += L"\\t"; continue;
        default: break;
        }
        if (c < 0x20 || ((IsHighSurrogate(c) || IsLowSurrogate(c)) && !paired)) {
            json += L"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                json += digits[(c >> shift) & 15];
        } else {
            json += c;
        }
    }
    return json + L"\"";
}

std::wstring FormatAuditTable(const TAuditResult& result) {
    std::wstring table = TableLine(L"", L"Check", L"Found", L"Required");
    int required = 0, failed = 0;
    for (const TAuditCheck& c : result.checks) {
        table += TableLine(VerdictOf(c), c.title, FoundForTable(c), RequiredForTable(c));
        required += c.required ? 1 : 0;
        failed += c.required && !c.pass ? 1 : 0;
    }
    table += L"\r\n";
    if (failed == 0)
        table += L"Compliant: all " + std::to_wstring(required) + L" required checks pass.\r\n";
    else
        table += L"Not compliant: " + std::to_wstring(failed) + L" of " +
                 std::to_wstring(required) + L" required checks fail.\r\n";
    return table;
}

std::wstring FormatAuditJson(const TAuditResult& result) {
    std::wstring json = L"{\"autorun\": ";
    if (result.autorun)
        json += JsonQuoted(*result.autorun == AutoRunState::Disabled ? L"Disabled" : L"Enabled");
    else
        json += L"null";
    json += L", \"compliant\": " + std::wstring(result.Compliant() ? L"true" : L"false");
    json += L", \"checks\": [";
    for (std::size_t i = 0; i < result.checks.size(); ++i)
        json += (i ? L",\r\n  " : L"\r\n  ") + JsonCheck(result.checks[i]);
    return json + L"\r\n]}\r\n";
}

} // namespace plaxor
