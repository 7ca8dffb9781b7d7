#pragma once
// Published properties: what a layout stores of an object and how it is read back.
// A class describes its properties once, in a PropertyTable chained to its base class's table;
// the layout writer (a tool of the tests, tests/support/LayoutWriter.h) stores a property only
// when it differs from its default, the reader applies each value through the property's setter.
//
//   const PropertyTable& TFoo::ClassProperties() {
//       static const PropertyTable table(&TBase::ClassProperties(), {
//           props::Integer(L"Spacing", &TFoo::Spacing, &TFoo::SetSpacing, 2),
//           props::Enum(L"Layout", &TFoo::Layout, &TFoo::SetLayout, blGlyphLeft),
//           props::Object(L"Font", &TFoo::FontObject),
//       });
//       return table;
//   }
#include "Component.h"
#include "Text.h"
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace plaxor {

struct Ident {
    std::wstring name;
    friend bool operator==(const Ident&, const Ident&) = default;
};
struct SetValue {
    std::vector<std::wstring> members;
    friend bool operator==(const SetValue&, const SetValue&) = default;
};
using Bytes = std::vector<std::uint8_t>;
using StringList = std::vector<std::wstring>;

// One value of a layout. monostate is nil (an empty reference).
using LayoutValue = std::variant<std::monostate, std::int64_t, double, bool, std::wstring, Ident,
                                 SetValue, Bytes, StringList>;

// What the layout loader offers a property while it reads.
class LayoutContext {
public:
    virtual ~LayoutContext() = default;
    // The handler that the layout's root publishes under this name; EReadError if none.
    virtual TNotifyEvent ResolveEvent(const std::wstring& handlerName) = 0;
    // A reference to another component of the layout, applied once the whole layout is read.
    virtual void ResolveReference(const std::wstring& componentName,
                                  std::function<void(TComponent*)> apply) = 0;
};

struct PropertyInfo {
    std::wstring name;
    // The value to store, or nothing when the property keeps its default and is not written.
    std::function<std::optional<LayoutValue>(const TPersistent&)> save;
    // Applies a value read from a layout; raises EReadError for a value of the wrong kind.
    std::function<void(TPersistent&, const LayoutValue&, LayoutContext&)> load;
    // Set for a property that is an owned object (Font, Appearance, Picture): its own
    // properties are streamed under "Name.Sub".
    std::function<TPersistent*(TPersistent&)> object;
    // Optional extra condition for writing at all (Font only when ParentFont is off).
    std::function<bool(const TPersistent&)> stored;
};

class PropertyTable {
public:
    PropertyTable() = default;
    PropertyTable(const PropertyTable* base, std::vector<PropertyInfo> own);
    // Case-insensitive; an entry of a derived table hides the base entry of the same name.
    const PropertyInfo* Find(std::wstring_view name) const;
    // Published order: the base's properties (replaced where redefined), then the new ones.
    std::vector<const PropertyInfo*> All() const;

private:
    const PropertyTable* base_ = nullptr;
    std::vector<PropertyInfo> own_;
};

// Names of an enumeration's values in ordinal order; specialise for each published enum:
//   template <> struct EnumNames<TAntiAlias> {
//       static constexpr std::wstring_view names[] = {L"aaNone", L"aaClearType", L"aaAntiAlias"};
//   };
template <typename E> struct EnumNames;

namespace props {

[[noreturn]] void BadValue(const std::wstring& property);
std::int64_t AsInteger(const LayoutValue& v, const std::wstring& property);
bool AsBoolean(const LayoutValue& v, const std::wstring& property);
std::wstring AsString(const LayoutValue& v, const std::wstring& property);
std::wstring AsIdent(const LayoutValue& v, const std::wstring& property);
const Bytes& AsBytes(const LayoutValue& v, const std::wstring& property);
const StringList& AsStrings(const LayoutValue& v, const std::wstring& property);
const SetValue& AsSet(const LayoutValue& v, const std::wstring& property);

template <typename C> const C& Self(const TPersistent& o) {
    return static_cast<const C&>(o);
}
template <typename C> C& Self(TPersistent& o) {
    return static_cast<C&>(o);
}

// Any integral or enum-free number type; out-of-range values are a read error.
template <typename C, typename G, typename S>
PropertyInfo Integer(const wchar_t* name, G (C::*get)() const, void (C::*set)(S),
                     std::optional<std::int64_t> def) {
    using T = std::decay_t<S>;
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                const auto v = static_cast<std::int64_t>((Self<C>(o).*get)());
                if (def && *def == v) return std::nullopt;
                return LayoutValue(v);
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                const std::int64_t i = AsInteger(v, n);
                if (i < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
                    (i > 0 && static_cast<std::uint64_t>(i) > std::numeric_limits<T>::max()))
                    BadValue(n);
                (Self<C>(o).*set)(static_cast<T>(i));
            },
            {},
            {}};
}

template <typename C, typename G, typename S>
PropertyInfo Boolean(const wchar_t* name, G (C::*get)() const, void (C::*set)(S),
                     std::optional<bool> def) {
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                const bool v = (Self<C>(o).*get)();
                if (def && *def == v) return std::nullopt;
                return LayoutValue(v);
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                (Self<C>(o).*set)(AsBoolean(v, n));
            },
            {},
            {}};
}

// Strings: with a default (usually empty) stored only when different; without, always.
template <typename C, typename G, typename S>
PropertyInfo String(const wchar_t* name, G (C::*get)() const, void (C::*set)(S),
                    std::optional<std::wstring> def) {
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                std::wstring v = (Self<C>(o).*get)();
                if (def && *def == v) return std::nullopt;
                return LayoutValue(std::move(v));
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                (Self<C>(o).*set)(AsString(v, n));
            },
            {},
            {}};
}

template <typename E> E EnumFromIdent(const std::wstring& ident, const std::wstring& property) {
    std::size_t i = 0;
    for (std::wstring_view candidate : EnumNames<E>::names) {
        if (SameText(candidate, ident)) return static_cast<E>(i);
        ++i;
    }
    BadValue(property);
}

template <typename E> std::wstring EnumToIdent(E value) {
    const auto i = static_cast<std::size_t>(value);
    constexpr std::size_t count = std::size(EnumNames<E>::names);
    return i < count ? std::wstring(EnumNames<E>::names[i]) : std::to_wstring(i);
}

template <typename C, typename E, typename S>
PropertyInfo Enum(const wchar_t* name, E (C::*get)() const, void (C::*set)(S),
                  std::optional<E> def) {
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                const E v = (Self<C>(o).*get)();
                if (def && *def == v) return std::nullopt;
                return LayoutValue(Ident{EnumToIdent(v)});
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                (Self<C>(o).*set)(EnumFromIdent<E>(AsIdent(v, n), n));
            },
            {},
            {}};
}

// A set of enumeration values held as a bit mask (bit i = value i): "[fsBold, fsItalic]".
template <typename E, typename C, typename G, typename S>
PropertyInfo Set(const wchar_t* name, G (C::*get)() const, void (C::*set)(S),
                 std::optional<std::uint32_t> def) {
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                const auto bits = static_cast<std::uint32_t>((Self<C>(o).*get)());
                if (def && *def == bits) return std::nullopt;
                SetValue s;
                for (std::size_t i = 0; i < std::size(EnumNames<E>::names); ++i)
                    if (bits & (1u << i)) s.members.emplace_back(EnumNames<E>::names[i]);
                return LayoutValue(std::move(s));
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                std::uint32_t bits = 0;
                for (const std::wstring& m : AsSet(v, n).members)
                    bits |= 1u << static_cast<unsigned>(EnumFromIdent<E>(m, n));
                (Self<C>(o).*set)(static_cast<std::decay_t<S>>(bits));
            },
            {},
            {}};
}

// An owned object whose properties are streamed as "Name.Property".
template <typename C, typename T>
PropertyInfo Object(const wchar_t* name, T* (C::*get)() const,
                    std::function<bool(const TPersistent&)> stored = {}) {
    return {name,
            {},
            {},
            [=](TPersistent& o) -> TPersistent* { return (Self<C>(o).*get)(); },
            std::move(stored)};
}

// A TNotifyEvent member, bound by handler name when a layout is read. Not written back.
template <typename C> PropertyInfo Event(const wchar_t* name, TNotifyEvent C::*member) {
    std::wstring n = name;
    return {n,
            [](const TPersistent&) -> std::optional<LayoutValue> { return std::nullopt; },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext& ctx) {
                Self<C>(o).*member = ctx.ResolveEvent(AsIdent(v, n));
            },
            {},
            {}};
}

// A reference to another component of the same layout, written as its name.
template <typename C, typename T, typename S>
PropertyInfo Reference(const wchar_t* name, T* (C::*get)() const, void (C::*set)(S)) {
    std::wstring n = name;
    return {n,
            [=](const TPersistent& o) -> std::optional<LayoutValue> {
                const T* target = (Self<C>(o).*get)();
                if (!target || target->Name().empty()) return std::nullopt;
                return LayoutValue(Ident{target->Name()});
            },
            [=](TPersistent& o, const LayoutValue& v, LayoutContext& ctx) {
                if (std::holds_alternative<std::monostate>(v)) return (Self<C>(o).*set)(nullptr);
                C* self = &Self<C>(o);
                ctx.ResolveReference(AsIdent(v, n), [=](TComponent* c) {
                    auto* typed = dynamic_cast<T*>(c);
                    if (!typed) BadValue(n);
                    (self->*set)(typed);
                });
            },
            {},
            {}};
}

// Anything else: explicit save and load functions (binary data, string lists, ...).
PropertyInfo Custom(const wchar_t* name,
                    std::function<std::optional<LayoutValue>(const TPersistent&)> save,
                    std::function<void(TPersistent&, const LayoutValue&, LayoutContext&)> load);

} // namespace props
} // namespace plaxor
