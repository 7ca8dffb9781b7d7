#pragma once
// Objects that can be copied from one another and streamed into window layouts.
#include "Object.h"

namespace plaxor {

class PropertyTable;

class TPersistent : public TObject {
public:
    std::wstring ClassName() const override { return L"TPersistent"; }

    // Copies source into this object. The default asks the source to convert itself (CopyTo)
    // and raises EConvertError "Cannot assign a <source> to a <target>" when it cannot.
    virtual void CopyFrom(const TPersistent* source);

    // The published properties that layouts stream. Each publishing class returns a table
    // chained to its base class's table.
    virtual const PropertyTable& Published() const { return ClassProperties(); }
    static const PropertyTable& ClassProperties();

protected:
    // The other direction of CopyFrom: the source converts itself into dest; false if it cannot.
    virtual bool CopyTo(TPersistent& dest) const;
    [[noreturn]] void RaiseCopyError(const TPersistent* source) const;
};

} // namespace plaxor
