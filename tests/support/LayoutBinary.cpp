#include "tests/support/LayoutBinary.h"
#include "framework/Exception.h"
#include "framework/Text.h"
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace plaxor {
namespace {

constexpr std::uint8_t kSignature[4] = {'T', 'P', 'F', '0'};

bool IsAscii(std::wstring_view text) {
    for (wchar_t c : text)
        if (static_cast<std::uint16_t>(c) >= 0x80) return false;
    return true;
}

class Writer {
public:
    void Signature() { out_.assign(std::begin(kSignature), std::end(kSignature)); }

    Bytes Take() { return std::move(out_); }

    void Node(const LayoutNode& node) {
        if (!IsLayoutIdent(node.className))
            Fail(L"the class name '" + node.className + L"' is not an identifier");
        if (!node.name.empty() && !IsLayoutIdent(node.name))
            Fail(L"the component name '" + node.name + L"' is not an identifier");
        Name(node.className);
        Name(node.name);
        for (const auto& [name, value] : node.properties) {
            if (!IsLayoutPropertyName(name))
                Fail(L"the property name '" + name + L"' is not a property name");
            Name(name);
            Value(value);
        }
        Byte(0);
        for (const LayoutNode& child : node.children)
            Node(child);
        Byte(0);
    }

    void Value(const LayoutValue& value) {
        std::visit([this](const auto& v) { Put(v); }, value);
    }

private:
    [[noreturn]] static void Fail(const std::wstring& what) {
        throw EWriteError(L"Cannot write the layout: " + what);
    }

    void Byte(std::uint8_t b) { out_.push_back(b); }
    void Little(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            Byte(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Raw(const std::string& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    // A 1-byte length and the text; names are ASCII identifiers already checked.
    void Name(const std::wstring& name) {
        Byte(static_cast<std::uint8_t>(name.size()));
        Raw(ToUtf8(name, Utf8Variant::Generalized));
    }
    void Length32(std::size_t n) {
        if (n > std::numeric_limits<std::uint32_t>::max()) Fail(L"a value longer than 4 GB");
        Little(n, 4);
    }
    void String(const std::wstring& s) {
        if (s.size() <= 255 && IsAscii(s)) {
            Byte(lvString);
            Name(s);
            return;
        }
        const std::string utf8 = ToUtf8(s, Utf8Variant::Generalized);
        Byte(lvUtf8String);
        Length32(utf8.size());
        Raw(utf8);
    }

    void Put(const std::monostate&) { Byte(lvNil); }
    void Put(std::int64_t v) {
        if (v >= INT8_MIN && v <= INT8_MAX) {
            Byte(lvInt8);
            Little(static_cast<std::uint64_t>(v), 1);
        } else if (v >= INT16_MIN && v <= INT16_MAX) {
            Byte(lvInt16);
            Little(static_cast<std::uint64_t>(v), 2);
        } else if (v >= INT32_MIN && v <= INT32_MAX) {
            Byte(lvInt32);
            Little(static_cast<std::uint64_t>(v), 4);
        } else {
            Byte(lvInt64);
            Little(static_cast<std::uint64_t>(v), 8);
        }
    }
    void Put(double v) {
        if (!std::isfinite(v)) Fail(L"a number that is not finite");
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Byte(lvDouble);
        Little(bits, 8);
    }
    void Put(bool v) { Byte(v ? lvTrue : lvFalse); }
    void Put(const std::wstring& v) { String(v); }
    void Put(const Ident& v) {
        if (!IsLayoutIdentValue(v.name)) Fail(L"the identifier '" + v.name + L"' is not valid");
        Byte(lvIdent);
        Name(v.name);
    }
    void Put(const SetValue& v) {
        Byte(lvSet);
        for (const std::wstring& m : v.members) {
            if (!IsLayoutIdent(m)) Fail(L"the set member '" + m + L"' is not an identifier");
            Name(m);
        }
        Byte(0);
    }
    void Put(const Bytes& v) {
        Byte(lvBinary);
        Length32(v.size());
        out_.insert(out_.end(), v.begin(), v.end());
    }
    void Put(const StringList& v) {
        Byte(lvList);
        for (const std::wstring& s : v)
            String(s);
        Byte(lvNull);
    }

    Bytes out_;
};

class Reader {
public:
    explicit Reader(const Bytes& data) : data_(data) {
        if (data.size() > kMaxLayoutSize) Fail(L"it is larger than a layout can be");
    }

    void Signature() {
        if (data_.size() < 4 || std::memcmp(data_.data(), kSignature, 4) != 0)
            throw EReadError(L"Invalid layout data: the signature TPF0 is missing");
        pos_ = 4;
    }

    LayoutNode Node(int depth) {
        if (depth > kMaxLayoutDepth) Fail(L"components are nested too deeply");
        Count();
        LayoutNode node;
        node.className = Name();
        if (!IsLayoutIdent(node.className)) Fail(L"the class name is not an identifier");
        node.name = Name();
        if (!node.name.empty() && !IsLayoutIdent(node.name))
            Fail(L"the component name is not an identifier");
        while (Peek() != 0) {
            Count();
            std::wstring name = Name();
            if (!IsLayoutPropertyName(name)) Fail(L"the property name is not valid");
            LayoutValue value = Value();
            node.properties.emplace_back(std::move(name), std::move(value));
        }
        ++pos_;
        while (Peek() != 0)
            node.children.push_back(Node(depth + 1));
        ++pos_;
        return node;
    }

    LayoutValue Value() {
        const std::size_t at = pos_;
        switch (const std::uint8_t type = Byte()) {
        case lvList: {
            StringList list;
            while (Peek() != lvNull) {
                Count();
                const std::size_t itemAt = pos_;
                const std::uint8_t itemType = Byte();
                if (itemType != lvString && itemType != lvUtf8String) {
                    pos_ = itemAt;
                    Fail(L"a list holds something other than text");
                }
                list.push_back(itemType == lvString ? Short() : Long());
            }
            ++pos_;
            return list;
        }
        case lvInt8: return std::int64_t{static_cast<std::int8_t>(Little(1))};
        case lvInt16: return std::int64_t{static_cast<std::int16_t>(Little(2))};
        case lvInt32: return std::int64_t{static_cast<std::int32_t>(Little(4))};
        case lvInt64: return static_cast<std::int64_t>(Little(8));
        case lvDouble: {
            const std::uint64_t bits = Little(8);
            double v;
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v)) {
                pos_ = at;
                Fail(L"a number is not finite");
            }
            return v;
        }
        case lvString: return Short();
        case lvUtf8String: return Long();
        case lvIdent: {
            std::wstring name = Name();
            if (!IsLayoutIdentValue(name)) {
                pos_ = at;
                Fail(L"an identifier value is not valid");
            }
            return Ident{std::move(name)};
        }
        case lvFalse: return false;
        case lvTrue: return true;
        case lvBinary: {
            const std::size_t n = Length32();
            Bytes bytes(data_.begin() + static_cast<std::ptrdiff_t>(pos_),
                        data_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
            pos_ += n;
            return bytes;
        }
        case lvSet: {
            SetValue set;
            for (;;) {
                std::wstring member = Name();
                if (member.empty()) break;
                Count();
                if (!IsLayoutIdent(member)) Fail(L"a set member is not an identifier");
                set.members.push_back(std::move(member));
            }
            return set;
        }
        case lvNil: return std::monostate{};
        default: pos_ = at; Fail(L"unknown value type " + std::to_wstring(type));
        }
    }

    void ExpectEnd() {
        if (pos_ != data_.size()) Fail(L"more data follows the end of the layout");
    }

private:
    [[noreturn]] void Fail(const std::wstring& what) const {
        throw EReadError(L"Invalid layout data at offset " + std::to_wstring(pos_) + L": " + what);
    }

    void Count() {
        if (++items_ > kMaxLayoutItems) Fail(L"it holds too many items");
    }
    void Need(std::size_t n) const {
        if (n > data_.size() - pos_) Fail(L"the data ends early");
    }
    std::uint8_t Peek() const {
        Need(1);
        return data_[pos_];
    }
    std::uint8_t Byte() {
        Need(1);
        return data_[pos_++];
    }
    std::uint64_t Little(int bytes) {
        Need(static_cast<std::size_t>(bytes));
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= std::uint64_t{data_[pos_++]} << (8 * i);
        return v;
    }
    std::size_t Length32() {
        const auto n = static_cast<std::size_t>(Little(4));
        Need(n); // checked before anything is allocated
        return n;
    }
    // Text in generalized UTF-8, as the writer makes it (a lone surrogate reads back).
    std::wstring Text(std::size_t n) {
        Need(n);
        std::optional<std::wstring> text = FromUtf8(
            {reinterpret_cast<const char*>(data_.data() + pos_), n}, Utf8Variant::Generalized);
        if (!text) Fail(L"the text is not UTF-8");
        pos_ += n;
        return std::move(*text);
    }
    std::wstring Short() { return Text(Byte()); }
    std::wstring Long() { return Text(Length32()); }
    std::wstring Name() { return Short(); }

    const Bytes& data_;
    std::size_t pos_ = 0;
    std::size_t items_ = 0;
};

} // namespace

Bytes WriteLayoutBinary(const LayoutNode& root) {
    Writer writer;
    writer.Signature();
    writer.Node(root);
    return writer.Take();
}

LayoutNode ReadLayoutBinary(const Bytes& data) {
    Reader reader(data);
    reader.Signature();
    LayoutNode root = reader.Node(0);
    reader.ExpectEnd();
    return root;
}

Bytes EncodeLayoutValue(const LayoutValue& value) {
    Writer writer;
    writer.Value(value);
    return writer.Take();
}

LayoutValue DecodeLayoutValue(const Bytes& data) {
    Reader reader(data);
    LayoutValue value = reader.Value();
    reader.ExpectEnd();
    return value;
}

} // namespace plaxor
