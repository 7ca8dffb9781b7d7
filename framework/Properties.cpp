#include "Properties.h"
#include "Exception.h"
#include <algorithm>

namespace plaxor {

PropertyTable::PropertyTable(const PropertyTable* base, std::vector<PropertyInfo> own)
    : base_(base), own_(std::move(own)) {}

const PropertyInfo* PropertyTable::Find(std::wstring_view name) const {
    for (const PropertyInfo& p : own_)
        if (SameText(p.name, name)) return &p;
    return base_ ? base_->Find(name) : nullptr;
}

std::vector<const PropertyInfo*> PropertyTable::All() const {
    std::vector<const PropertyInfo*> all =
        base_ ? base_->All() : std::vector<const PropertyInfo*>{};
    for (const PropertyInfo& p : own_) {
        auto same = std::find_if(all.begin(), all.end(),
                                 [&](const PropertyInfo* q) { return SameText(q->name, p.name); });
        if (same != all.end())
            *same = &p;
        else
            all.push_back(&p);
    }
    return all;
}

namespace props {

void BadValue(const std::wstring& property) {
    throw EReadError(FormatMessageText(L"Invalid property value for '%s'", {property}));
}

template <typename T> static const T& As(const LayoutValue& v, const std::wstring& property) {
    if (const T* p = std::get_if<T>(&v)) return *p;
    BadValue(property);
}

std::int64_t AsInteger(const LayoutValue& v, const std::wstring& property) {
    return As<std::int64_t>(v, property);
}
bool AsBoolean(const LayoutValue& v, const std::wstring& property) {
    return As<bool>(v, property);
}
std::wstring AsString(const LayoutValue& v, const std::wstring& property) {
    return As<std::wstring>(v, property);
}
std::wstring AsIdent(const LayoutValue& v, const std::wstring& property) {
    return As<Ident>(v, property).name;
}
const Bytes& AsBytes(const LayoutValue& v, const std::wstring& property) {
    return As<Bytes>(v, property);
}
const StringList& AsStrings(const LayoutValue& v, const std::wstring& property) {
    return As<StringList>(v, property);
}
const SetValue& AsSet(const LayoutValue& v, const std::wstring& property) {
    return As<SetValue>(v, property);
}

PropertyInfo Custom(const wchar_t* name,
                    std::function<std::optional<LayoutValue>(const TPersistent&)> save,
                    std::function<void(TPersistent&, const LayoutValue&, LayoutContext&)> load) {
    return {name, std::move(save), std::move(load), {}, {}};
}

} // namespace props
} // namespace plaxor
