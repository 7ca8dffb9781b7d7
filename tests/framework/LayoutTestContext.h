#pragma once
// A layout context for reading single property values in tests: no handlers, no references.
#include "framework/Exception.h"
#include "framework/Properties.h"

namespace plaxor::test {

class NoLayoutContext : public LayoutContext {
public:
    TNotifyEvent ResolveEvent(const std::wstring& name) override {
        throw EReadError(L"no handler " + name);
    }
    void ResolveReference(const std::wstring&, std::function<void(TComponent*)>) override {}
};

inline std::optional<LayoutValue> SaveProperty(const TPersistent& o, const wchar_t* name) {
    const PropertyInfo* p = o.Published().Find(name);
    if (!p) throw EReadError(std::wstring(L"no property ") + name);
    return p->save(o);
}

inline void LoadProperty(TPersistent& o, const wchar_t* name, const LayoutValue& v) {
    const PropertyInfo* p = o.Published().Find(name);
    if (!p) throw EReadError(std::wstring(L"no property ") + name);
    NoLayoutContext context;
    p->load(o, v, context);
}

} // namespace plaxor::test
