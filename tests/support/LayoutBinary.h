#pragma once
// The binary form of a window layout, a tool of the tests (the program keeps its layout as
// text): an exact, compact carrier of layout trees for round trips and for the mutation tests.
//   "TPF0", then a component: class name, object name (length-prefixed), its properties
//   (name, typed value) ended by a 0 byte, its child components ended by a 0 byte.
// Every value starts with one type byte; numbers are little-endian; integers take the
// smallest type that holds them.
#include "framework/LayoutTree.h"
#include <cstdint>

namespace plaxor {

enum TLayoutValueType : std::uint8_t {
    lvNull = 0, // ends a list
    lvList = 1, // strings, ended by lvNull
    lvInt8 = 2,
    lvInt16 = 3,
    lvInt32 = 4,
    lvDouble = 5, // 8 bytes IEEE
    lvString = 6, // 1-byte length, ASCII (written), UTF-8 (read)
    lvIdent = 7,  // 1-byte length
    lvFalse = 8,
    lvTrue = 9,
    lvBinary = 10, // 4-byte length N, then the N bytes unchanged
    lvSet = 11,    // names with a 1-byte length, ended by an empty name
    lvNil = 13,
    lvInt64 = 19,
    lvUtf8String = 20, // 4-byte length, UTF-8
};

// EWriteError when the tree holds something the readers would not take back (a name that is
// not an identifier, a number that is not finite, a name longer than 255).
Bytes WriteLayoutBinary(const LayoutNode& root);
// EReadError with the offset for anything malformed, truncated, too deep or too large.
LayoutNode ReadLayoutBinary(const Bytes& data);

// One value, as it follows a property name.
Bytes EncodeLayoutValue(const LayoutValue& value);
// Exactly one value filling all of data.
LayoutValue DecodeLayoutValue(const Bytes& data);

} // namespace plaxor
