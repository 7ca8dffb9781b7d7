#pragma once
// Mutants of a layout's values rather than of its bytes: the tree stays well-formed, so every
// mutant reaches the components' setters, and the painting of what they were set to, with
// extreme numbers, long and odd texts, unknown names, other kinds of value and damaged
// pictures; components are duplicated, dropped and moved.
#include "framework/LayoutTree.h"
#include "tests/mutation/Mutator.h"

namespace plaxor::test {

// One to three edits of sample, written in the binary layout form.
plaxor::Bytes MutateLayoutValues(const LayoutNode& sample, SplitMix64& rng);

} // namespace plaxor::test
