// Style that can load or run something: url(), image-set(), image(), cross-fade(), element(),
// src(), expression(), behavior, -moz-binding, @import (and javascript:/vbscript: words, which
// old engines ran from style).  Declarations carrying one go; so does style that is not plainly
// well formed (an unclosed string, comment, bracket or block), where a browser's error recovery
// and ours could part ways.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace vellumine::html {

struct ByteRange {
  std::size_t begin = 0, end = 0;
};

// A style attribute's decoded value: true when none of its declarations can load or run anything.
bool isInertDeclarations(std::string_view css);

// A style sheet (the text of a style element): appends to unsafe the ranges of the declarations,
// statements and rules that can load or run something, in order; false when the sheet is not
// well formed and must go as a whole.
bool findUnsafeStyleRanges(std::string_view css, std::vector<ByteRange>& unsafe);

}  // namespace vellumine::html
