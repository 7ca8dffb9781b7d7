#include "LayoutText.h"
#include "Exception.h"
#include "Text.h"
#include <charconv>
#include <cmath>
#include <string>

namespace plaxor {
namespace {

bool IsIdentStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsIdentChar(wchar_t c) {
    return IsIdentStart(c) || IsDigit(c);
}
int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}
bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

// How a character is named in a message: itself when printable, else its code.
std::wstring Shown(wchar_t c) {
    if (c >= 0x20 && c < 0x7F) return std::wstring(L"'") + c + L"'";
    return L"#" + std::to_wstring(static_cast<unsigned>(static_cast<std::uint16_t>(c)));
}

enum class TokenKind { End, Name, String, Integer, Number, Symbol };

struct Token {
    TokenKind kind = TokenKind::End;
    std::wstring text; // a name, or a string's value
    std::int64_t integer = 0;
    double number = 0;
    wchar_t symbol = 0;
    int line = 1;
};

[[noreturn]] void Fail(int line, const std::wstring& what) {
    throw EReadError(L"Layout text, line " + std::to_wstring(line) + L": " + what);
}

class Lexer {
public:
    explicit Lexer(std::wstring_view text) : text_(text) {
        if (!text_.empty() && text_[0] == 0xFEFF) pos_ = 1; // byte order mark
    }

    struct State {
        std::size_t pos;
        int line;
    };
    State Save() const { return {pos_, line_}; }
    void Restore(State s) { pos_ = s.pos, line_ = s.line; }

    Token Next() {
        SkipSpace();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) return t;
        const wchar_t c = text_[pos_];
        if (IsIdentStart(c)) {
            t.kind = TokenKind::Name;
            t.text = NameText();
        } else if (c == L'\'' || c == L'#') {
            t.kind = TokenKind::String;
            t.text = StringText();
        } else if (IsDigit(c) || c == L'$' ||
                   ((c == L'-' || c == L'+') && pos_ + 1 < text_.size() &&
                    (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == L'$'))) {
            NumberToken(t);
        } else if (std::wstring_view(L"=:[](){},+").find(c) != std::wstring_view::npos) {
            t.kind = TokenKind::Symbol;
            t.symbol = c;
            ++pos_;
        } else {
            Fail(line_, L"unexpected character " + Shown(c));
        }
        return t;
    }

    // The hex digits after '{' up to the closing '}'; white space and line breaks may stand
    // anywhere between them.
    Bytes HexUntilBrace(int openLine) {
        Bytes out;
        int high = -1;
        for (;;) {
            if (pos_ >= text_.size())
                Fail(line_, L"the binary data begun on line " + std::to_wstring(openLine) +
                                L" is not closed by '}'");
            const wchar_t c = text_[pos_];
            if (c == L'}') {
                ++pos_;
                if (high >= 0) Fail(line_, L"the binary data has an odd number of hex digits");
                return out;
            }
            if (IsSpace(c)) {
                SkipSpace();
                continue;
            }
            const int digit = HexDigit(c);
            if (digit < 0) Fail(line_, Shown(c) + L" is not a hex digit");
            ++pos_;
            if (high < 0) {
                high = digit;
            } else {
                out.push_back(static_cast<std::uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
    }

private:
    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) {
            const wchar_t c = text_[pos_++];
            if (c == L'\n' || (c == L'\r' && (pos_ >= text_.size() || text_[pos_] != L'\n')))
                ++line_;
        }
    }

    std::wstring NameText() {
        const std::size_t start = pos_;
        for (;;) {
            while (pos_ < text_.size() && IsIdentChar(text_[pos_]))
                ++pos_;
            if (pos_ + 1 < text_.size() && text_[pos_] == L'.' && IsIdentStart(text_[pos_ + 1])) {
                ++pos_;
                continue;
            }
            return std::wstring(text_.substr(start, pos_ - start));
        }
    }

    // Quoted parts and #codes, written next to each other: 'a'#233'b'.
    std::wstring StringText() {
        std::wstring s;
        for (;;) {
            if (pos_ >= text_.size()) return s;
            if (text_[pos_] == L'\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == L'\r' || text_[pos_] == L'\n')
                        Fail(line_, L"the string is not closed by a quote");
                    const wchar_t c = text_[pos_++];
                    if (c < 0x20 && c != L'\t')
                        Fail(line_, L"a control character inside a string (write it as " +
                                        Shown(c) + L")");
                    if (c != L'\'') {
                        s += c;
                    } else if (pos_ < text_.size() && text_[pos_] == L'\'') {
                        s += L'\'';
                        ++pos_;
                    } else {
                        break;
                    }
                }
            } else if (text_[pos_] == L'#') {
                ++pos_;
                AppendCodePoint(s, CharCode());
            } else {
                return s;
            }
        }
    }

    std::uint32_t CharCode() {
        const bool hex = pos_ < text_.size() && text_[pos_] == L'$';
        if (hex) ++pos_;
        std::uint32_t code = 0;
        std::size_t digits = 0;
        for (; pos_ < text_.size(); ++pos_, ++digits) {
            const int d =
                hex ? HexDigit(text_[pos_]) : (IsDigit(text_[pos_]) ? text_[pos_] - L'0' : -1);
            if (d < 0) break;
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
            if (code > 0x10FFFF) Fail(line_, L"a character code is larger than #1114111");
        }
        if (digits == 0) Fail(line_, L"'#' is not followed by a character code");
        return code;
    }

    void NumberToken(Token& t) {
        const std::size_t start = pos_;
        const bool negative = text_[pos_] == L'-';
        if (text_[pos_] == L'-' || text_[pos_] == L'+') ++pos_;
        const bool hex = text_[pos_] == L'$';
        if (hex) ++pos_;
        const std::size_t first = pos_;
        while (pos_ < text_.size() && (hex ? HexDigit(text_[pos_]) >= 0 : IsDigit(text_[pos_])))
            ++pos_;
        if (pos_ == first) Fail(line_, L"'$' is not followed by hex digits");
        const std::size_t digitsEnd = pos_;
        bool isFloat = false;
        if (!hex) {
            if (pos_ + 1 < text_.size() && text_[pos_] == L'.' && IsDigit(text_[pos_ + 1])) {
                isFloat = true;
                ++pos_;
                while (pos_ < text_.size() && IsDigit(text_[pos_]))
                    ++pos_;
            }
            if (pos_ < text_.size() && (text_[pos_] == L'e' || text_[pos_] == L'E')) {
                std::size_t p = pos_ + 1;
                if (p < text_.size() && (text_[p] == L'+' || text_[p] == L'-')) ++p;
                if (p < text_.size() && IsDigit(text_[p])) {
                    isFloat = true;
                    pos_ = p;
                    while (pos_ < text_.size() && IsDigit(text_[pos_]))
                        ++pos_;
                }
            }
        }
        const std::wstring written(text_.substr(start, pos_ - start));
        if (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == L'.'))
            Fail(line_, L"the number " + written + text_[pos_] + L"... is malformed");
        if (isFloat) {
            std::string narrow(written.begin() + (written[0] == L'+' ? 1 : 0), written.end());
            double value = 0;
            const auto r = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
            if (r.ec != std::errc() || r.ptr != narrow.data() + narrow.size() ||
                !std::isfinite(value))
                Fail(line_, L"the number " + written + L" is out of range");
            t.kind = TokenKind::Number;
            t.number = value;
            return;
        }
        // Up to 2^63 - 1, or 2^63 after a minus sign.
        const std::uint64_t limit = (std::uint64_t{1} << 63) - (negative ? 0 : 1);
        const unsigned base = hex ? 16 : 10;
        std::uint64_t magnitude = 0;
        for (std::size_t i = first; i < digitsEnd; ++i) {
            const auto digit = static_cast<unsigned>(HexDigit(text_[i]));
            if (magnitude > (limit - digit) / base)
                Fail(line_, L"the number " + written + L" is out of range");
            magnitude = magnitude * base + digit;
        }
        t.kind = TokenKind::Integer;
        t.integer = negative ? static_cast<std::int64_t>(0 - magnitude)
                             : static_cast<std::int64_t>(magnitude);
    }

    std::wstring_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    Parser(const std::wstring& text, FileResolver resolve)
        : lexer_(text), resolve_(std::move(resolve)) {
        if (text.size() > kMaxLayoutSize) throw EReadError(L"Layout text is too large");
    }

    LayoutNode Root() {
        Advance();
        LayoutNode root = Object(0);
        if (current_.kind != TokenKind::End)
            Fail(current_.line, L"more text follows the end of the layout");
        return root;
    }

private:
    void Advance() { current_ = lexer_.Next(); }
    bool IsSymbol(wchar_t c) const {
        return current_.kind == TokenKind::Symbol && current_.symbol == c;
    }
    bool IsWord(const wchar_t* word) const {
        return current_.kind == TokenKind::Name && SameText(current_.text, word);
    }
    void Count(int line) {
        if (++items_ > kMaxLayoutItems) Fail(line, L"the layout holds too many items");
    }
    std::wstring Describe() const {
        switch (current_.kind) {
        case TokenKind::End: return L"the end of the text";
        case TokenKind::Name: return L"'" + current_.text + L"'";
        case TokenKind::String: return L"a string";
        case TokenKind::Integer:
        case TokenKind::Number: return L"a number";
        case TokenKind::Symbol: return Shown(current_.symbol);
        }
        return {};
    }

    std::wstring ExpectIdent(const wchar_t* what) {
        if (current_.kind != TokenKind::Name || !IsLayoutIdent(current_.text))
            Fail(current_.line, std::wstring(what) + L" expected, not " + Describe());
        std::wstring name = std::move(current_.text);
        Advance();
        return name;
    }

    LayoutNode Object(int depth) {
        const int begin = current_.line;
        if (!IsWord(L"object")) Fail(begin, L"'object' expected, not " + Describe());
        if (depth > kMaxLayoutDepth) Fail(begin, L"objects are nested too deeply");
        Count(begin);
        Advance();
        LayoutNode node;
        std::wstring first = ExpectIdent(L"a component name or class");
        if (IsSymbol(L':')) {
            Advance();
            node.name = std::move(first);
            node.className = ExpectIdent(L"a class name");
        } else {
            node.className = std::move(first);
        }
        for (;;) {
            if (current_.kind == TokenKind::End)
                Fail(current_.line,
                     L"the object begun on line " + std::to_wstring(begin) + L" has no 'end'");
            if (IsWord(L"end")) {
                Advance();
                return node;
            }
            if (IsWord(L"object")) {
                node.children.push_back(Object(depth + 1));
                continue;
            }
            const int line = current_.line;
            if (current_.kind != TokenKind::Name)
                Fail(line, L"a property, 'object' or 'end' expected, not " + Describe());
            if (!IsLayoutPropertyName(current_.text))
                Fail(line, L"'" + current_.text + L"' is not a property name");
            if (!node.children.empty())
                Fail(line, L"the property '" + current_.text +
                               L"' follows a nested object; properties come first");
            Count(line);
            std::wstring name = std::move(current_.text);
            Advance();
            if (!IsSymbol(L'='))
                Fail(current_.line, L"'=' expected after '" + name + L"', not " + Describe());
            Advance();
            LayoutValue value = Value(name);
            node.properties.emplace_back(std::move(name), std::move(value));
        }
    }

    LayoutValue Value(const std::wstring& property) {
        const int line = current_.line;
        switch (current_.kind) {
        case TokenKind::String: return Concatenated();
        case TokenKind::Integer: {
            const std::int64_t v = current_.integer;
            Advance();
            return v;
        }
        case TokenKind::Number: {
            const double v = current_.number;
            Advance();
            return v;
        }
        case TokenKind::Name: return Word();
        case TokenKind::Symbol:
            if (IsSymbol(L'[')) return Set();
            if (IsSymbol(L'(')) return List();
            if (IsSymbol(L'{')) {
                Bytes bytes = lexer_.HexUntilBrace(line);
                Advance();
                return bytes;
            }
            break;
        case TokenKind::End: break;
        }
        Fail(line, L"a value expected for '" + property + L"', not " + Describe());
    }

    LayoutValue Word() {
        const int line = current_.line;
        if (IsWord(L"True") || IsWord(L"False")) {
            const bool v = IsWord(L"True");
            Advance();
            return v;
        }
        if (IsWord(L"nil")) {
            Advance();
            return std::monostate{};
        }
        if (IsWord(L"file")) {
            const Lexer::State saved = lexer_.Save();
            const Token next = lexer_.Next();
            lexer_.Restore(saved);
            if (next.kind == TokenKind::String) {
                Advance();
                std::wstring name = std::move(current_.text);
                Advance();
                return ResolveFile(name, line);
            }
        }
        if (!IsLayoutIdentValue(current_.text))
            Fail(line, L"'" + current_.text + L"' is not a valid value");
        Ident ident{std::move(current_.text)};
        Advance();
        return ident;
    }

    Bytes ResolveFile(const std::wstring& name, int line) {
        const std::wstring what = L"the file '" + name + L"' cannot be read";
        if (name.empty()) Fail(line, L"a file name is empty");
        if (!resolve_) Fail(line, what + L": no files are available here");
        try {
            return resolve_(name);
        } catch (const Exception& e) {
            Fail(line, what + L": " + e.Message());
        }
    }

    // 'part' + 'part' + ... (the '+' lets a long string span lines).
    std::wstring Concatenated() {
        std::wstring s = std::move(current_.text);
        Advance();
        while (IsSymbol(L'+')) {
            Advance();
            if (current_.kind != TokenKind::String)
                Fail(current_.line, L"a string expected after '+', not " + Describe());
            s += current_.text;
            Advance();
        }
        return s;
    }

    SetValue Set() {
        const int begin = current_.line;
        Advance();
        SetValue set;
        if (IsSymbol(L']')) {
            Advance();
            return set;
        }
        for (;;) {
            if (current_.kind == TokenKind::End)
                Fail(current_.line,
                     L"the set begun on line " + std::to_wstring(begin) + L" is not closed by ']'");
            Count(current_.line);
            set.members.push_back(ExpectIdent(L"a set member"));
            if (IsSymbol(L']')) {
                Advance();
                return set;
            }
            if (!IsSymbol(L','))
                Fail(current_.line, L"',' or ']' expected in the set, not " + Describe());
            Advance();
        }
    }

    StringList List() {
        const int begin = current_.line;
        Advance();
        StringList list;
        while (!IsSymbol(L')')) {
            if (current_.kind == TokenKind::End)
                Fail(current_.line, L"the list begun on line " + std::to_wstring(begin) +
                                        L" is not closed by ')'");
            if (current_.kind != TokenKind::String)
                Fail(current_.line, L"a list holds strings only, not " + Describe());
            Count(current_.line);
            list.push_back(Concatenated());
        }
        Advance();
        return list;
    }

    Lexer lexer_;
    FileResolver resolve_;
    Token current_;
    std::size_t items_ = 0;
};

} // namespace

LayoutNode ReadLayoutText(const std::wstring& text, FileResolver resolve) {
    return Parser(text, std::move(resolve)).Root();
}

} // namespace plaxor
