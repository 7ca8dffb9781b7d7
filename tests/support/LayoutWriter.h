#pragma once
// The whole-layout writer, which only the tests need: a component stored back as a layout tree,
// and a tree as the text people edit. Together with the readers they show that what is read is
// what was meant and that every published property keeps its default unwritten.
#include "framework/LayoutTree.h"
#include <string>

namespace plaxor {

class TComponent;

// The root's stored properties in published order (owned objects as "Object.Property", events
// never), then each component the root owns, in order, as a child.
LayoutNode SaveLayout(const TComponent& root);

// Two-space indentation, CR LF line breaks. EWriteError for a tree the reader would not take
// back (see LayoutTree.h).
std::wstring WriteLayoutText(const LayoutNode& root);

} // namespace plaxor
