#include "Persistent.h"
#include "Exception.h"
#include "Properties.h"

namespace plaxor {

void TPersistent::CopyFrom(const TPersistent* source) {
    if (source && source->CopyTo(*this)) return;
    RaiseCopyError(source);
}

bool TPersistent::CopyTo(TPersistent&) const {
    return false;
}

void TPersistent::RaiseCopyError(const TPersistent* source) const {
    throw EConvertError(FormatMessageText(L"Cannot assign a %s to a %s",
                                          {source ? source->ClassName() : L"nil", ClassName()}));
}

const PropertyTable& TPersistent::ClassProperties() {
    static const PropertyTable none;
    return none;
}

} // namespace plaxor
