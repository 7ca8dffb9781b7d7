#include "SizeConstraints.h"
#include "Properties.h"

namespace plaxor {

void TSizeConstraints::CopyFrom(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TSizeConstraints*>(source)) {
        maxHeight_ = other->maxHeight_;
        maxWidth_ = other->maxWidth_;
        minHeight_ = other->minHeight_;
        minWidth_ = other->minWidth_;
        return;
    }
    TPersistent::CopyFrom(source);
}

const PropertyTable& TSizeConstraints::ClassProperties() {
    using C = TSizeConstraints;
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {props::Integer(L"MaxHeight", &C::MaxHeight, &C::SetMaxHeight, 0),
         props::Integer(L"MaxWidth", &C::MaxWidth, &C::SetMaxWidth, 0),
         props::Integer(L"MinHeight", &C::MinHeight, &C::SetMinHeight, 0),
         props::Integer(L"MinWidth", &C::MinWidth, &C::SetMinWidth, 0)});
    return table;
}

} // namespace plaxor
