// Style that can load or run something: url(), image-set(), image(), cross-fade(), element(),
// src(), expression(), behavior, -moz-binding, @import (and javascript:/vbscript: words, which
// old engines ran from style).  Declarations carrying one go, in a comment as much as outside it
// (a reading in another encoding can turn a comment into live style); so does style that is not
// plainly well formed (an unclosed string, comment, bracket or block), where a browser's error
// recovery and ours could part ways.
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

// Whether the style could load or run anything at all: nothing does without a function or an
// at-keyword, and neither can be written without a literal '(' or '@' (an escaped one is part of
// a name), in any encoding a browser may read the page in.
bool mayLoad(std::string_view css);

// Whether a browser that took the page for Shift_JIS, Big5, GBK or GB18030 could read this style
// (an attribute's decoded value or a sheet) otherwise than the checks above do.  Those encodings
// read a byte from 0x81 up and the byte after it as one character, and the second byte may be
// '\', '[', ']', '{' or '}': an escape would be gone (byte 0x81 and "\'" are a character and a
// quote there, where UTF-8 sees an escaped quote, so a comment of one reading is live style in the
// other) or a bracket would not count.  True when such a byte follows one from 0x80 up.
bool styleReadsOtherwiseInLegacyEncodings(std::string_view css);

}  // namespace vellumine::html
