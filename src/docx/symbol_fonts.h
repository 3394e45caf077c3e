// Characters of the symbol fonts (Symbol, Wingdings) as their Unicode look-alikes, for w:sym and
// for list bullets drawn in those fonts: the page never depends on the font being installed.
#pragma once
#include <string>
#include <string_view>

namespace vellumine::docx {

// The text for character code in font: Symbol and Wingdings codes (0x20-0xFF, or the same in the
// private range F020-F0FF where Word puts them) by their tables, U+FFFD for a code the table does
// not know; any other font's code is taken as a Unicode character (U+FFFD when it is none or a
// control character).  UTF-8.
std::string symbolText(std::string_view font, long long code);

// Text typed in a symbol font (a run whose face is Symbol or Wingdings): each character the font's
// table knows (U+0020-U+00FF, or F020-F0FF) as its look-alike, any other as it is.  UTF-8 in and out;
// text in another font comes back unchanged.
std::string symbolFontText(std::string_view font, std::string_view text);

// Whether the face is one of the symbol fonts whose codes are mapped here.
bool isSymbolFont(std::string_view font);

}  // namespace vellumine::docx
