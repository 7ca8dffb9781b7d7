#include "tests/support/LayoutWriter.h"
#include "framework/Component.h"
#include "framework/Exception.h"
#include "framework/Text.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace plaxor {
namespace {

constexpr std::size_t kStringChunk = 64; // characters of a string per written line
constexpr std::size_t kHexBytesPerLine = 32;
const wchar_t* const kNewLine = L"\r\n";

[[noreturn]] void WriteFail(const std::wstring& what) {
    throw EWriteError(L"Cannot write the layout: " + what);
}

// Printable ASCII in quotes, everything else as #code, so the text stays 7-bit and exact.
std::wstring Quoted(std::wstring_view s) {
    if (s.empty()) return L"''";
    std::wstring out;
    bool quoted = false;
    for (wchar_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            if (!quoted) out += L'\'';
            quoted = true;
            out += c;
            if (c == L'\'') out += L'\'';
        } else {
            if (quoted) out += L'\'';
            quoted = false;
            out += L'#' + std::to_wstring(static_cast<unsigned>(static_cast<std::uint16_t>(c)));
        }
    }
    if (quoted) out += L'\'';
    return out;
}

std::vector<std::wstring> QuotedChunks(std::wstring_view s) {
    std::vector<std::wstring> chunks;
    do {
        chunks.push_back(Quoted(s.substr(0, kStringChunk)));
        s.remove_prefix(std::min(s.size(), kStringChunk));
    } while (!s.empty());
    return chunks;
}

std::wstring FormatDouble(double v) {
    if (!std::isfinite(v)) WriteFail(L"a number that is not finite");
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::string s(buffer, r.ptr);
    if (s.find_first_of(".e") == std::string::npos) s += ".0"; // reads back as a number
    return FromAnsi(s.c_str());
}

class TextWriter {
public:
    std::wstring Take() { return std::move(out_); }

    void Node(const LayoutNode& node, int level) {
        if (!IsLayoutIdent(node.className))
            WriteFail(L"the class name '" + node.className + L"' is not an identifier");
        if (!node.name.empty() && !IsLayoutIdent(node.name))
            WriteFail(L"the component name '" + node.name + L"' is not an identifier");
        Line(level, L"object " +
                        (node.name.empty() ? node.className : node.name + L": " + node.className));
        for (const auto& [name, value] : node.properties)
            Property(name, value, level + 1);
        for (const LayoutNode& child : node.children)
            Node(child, level + 1);
        Line(level, L"end");
    }

private:
    void Line(int level, std::wstring_view text) {
        out_.append(static_cast<std::size_t>(level) * 2, L' ');
        out_ += text;
        out_ += kNewLine;
    }

    // A string on the head line, or spread over lines joined by '+'; the last line gets tail.
    void Strings(const std::wstring& head, int level, std::wstring_view s,
                 const std::wstring& tail) {
        const std::vector<std::wstring> chunks = QuotedChunks(s);
        if (chunks.size() == 1 && !head.empty()) return Line(0, head + L" " + chunks[0] + tail);
        if (!head.empty()) Line(0, head);
        for (std::size_t i = 0; i < chunks.size(); ++i)
            Line(level, chunks[i] + (i + 1 < chunks.size() ? L" +" : tail));
    }

    void Property(const std::wstring& name, const LayoutValue& value, int level) {
        if (!IsLayoutPropertyName(name))
            WriteFail(L"the property name '" + name + L"' is not a property name");
        const std::wstring head =
            std::wstring(static_cast<std::size_t>(level) * 2, L' ') + name + L" =";
        const auto simple = [&](const std::wstring& text) { Line(0, head + L" " + text); };
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::monostate>) {
                    simple(L"nil");
                } else if constexpr (std::is_same_v<T, std::int64_t>) {
                    simple(std::to_wstring(v));
                } else if constexpr (std::is_same_v<T, double>) {
                    simple(FormatDouble(v));
                } else if constexpr (std::is_same_v<T, bool>) {
                    simple(v ? L"True" : L"False");
                } else if constexpr (std::is_same_v<T, std::wstring>) {
                    Strings(head, level + 1, v, L"");
                } else if constexpr (std::is_same_v<T, Ident>) {
                    if (!IsLayoutIdentValue(v.name))
                        WriteFail(L"the identifier '" + v.name + L"' is not valid");
                    simple(v.name);
                } else if constexpr (std::is_same_v<T, SetValue>) {
                    std::wstring text = L"[";
                    for (std::size_t i = 0; i < v.members.size(); ++i) {
                        if (!IsLayoutIdent(v.members[i]))
                            WriteFail(L"the set member '" + v.members[i] +
                                      L"' is not an identifier");
                        text += (i ? L", " : L"") + v.members[i];
                    }
                    simple(text + L"]");
                } else if constexpr (std::is_same_v<T, Bytes>) {
                    Binary(head, level + 1, v);
                } else if constexpr (std::is_same_v<T, StringList>) {
                    if (v.empty()) return simple(L"()");
                    Line(0, head + L" (");
                    for (std::size_t i = 0; i < v.size(); ++i)
                        Strings(L"", level + 1, v[i], i + 1 < v.size() ? L"" : L")");
                }
            },
            value);
    }

    void Binary(const std::wstring& head, int level, const Bytes& bytes) {
        if (bytes.empty()) return Line(0, head + L" {}");
        Line(0, head + L" {");
        static const wchar_t digits[] = L"0123456789ABCDEF";
        for (std::size_t i = 0; i < bytes.size(); i += kHexBytesPerLine) {
            std::wstring hex;
            for (std::size_t k = i; k < std::min(bytes.size(), i + kHexBytesPerLine); ++k) {
                hex += digits[bytes[k] >> 4];
                hex += digits[bytes[k] & 15];
            }
            if (i + kHexBytesPerLine >= bytes.size()) hex += L'}';
            Line(level, hex);
        }
    }

    std::wstring out_;
};

constexpr int kMaxObjectNesting = 16; // guards against an object that publishes itself

void SaveProperties(const TPersistent& object, const std::wstring& prefix,
                    std::vector<std::pair<std::wstring, LayoutValue>>& out, int depth) {
    if (depth > kMaxObjectNesting)
        throw EWriteError(L"Cannot write the layout: objects are nested too deeply at '" + prefix +
                          L"'");
    for (const PropertyInfo* p : object.Published().All()) {
        if (p->stored && !p->stored(object)) continue;
        if (p->object) {
            // The accessor hands out the owned object; saving only reads it.
            if (const TPersistent* sub = p->object(const_cast<TPersistent&>(object)))
                SaveProperties(*sub, prefix + p->name + L".", out, depth + 1);
            continue;
        }
        if (!p->save) continue;
        if (std::optional<LayoutValue> v = p->save(object))
            out.emplace_back(prefix + p->name, std::move(*v));
    }
}

LayoutNode SaveComponent(const TComponent& component) {
    LayoutNode node;
    node.className = component.ClassName();
    node.name = component.Name();
    SaveProperties(component, L"", node.properties, 0);
    return node;
}

} // namespace

LayoutNode SaveLayout(const TComponent& root) {
    LayoutNode node = SaveComponent(root);
    for (const TComponent* c : root.Components())
        node.children.push_back(SaveComponent(*c));
    return node;
}

std::wstring WriteLayoutText(const LayoutNode& root) {
    TextWriter writer;
    writer.Node(root, 0);
    return writer.Take();
}

} // namespace plaxor
