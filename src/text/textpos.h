// Positions in document text.  The substring routines and the regex component speak of 1-based
// byte positions where 0 means "not found"; inside a unit, positions are 0-based as C++ wants.
#pragma once
#include <cstddef>

namespace vellumine {

// A 1-based byte position or a byte count; 0 means "not found".  Signed, so that a start below 1
// (which the copy rules accept) and "one before the start" can be written down.
using TextPos = std::ptrdiff_t;

}  // namespace vellumine
