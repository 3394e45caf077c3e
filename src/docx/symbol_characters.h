// Characters of the Symbol and Wingdings faces as the Unicode characters that look like them.
// Word stores such characters as the face's 8-bit code or in the private-use range U+F020-U+F0FF;
// a page that names the face gets nothing useful where the face is missing, so bullets and w:sym
// characters are drawn as their look-alikes (U+F0B7 in Symbol: "•", U+F0A7 in Wingdings: "▪").
#pragma once
#include <string>
#include <string_view>

namespace vellumine::docx {

enum class SymbolFace : unsigned char { none, symbol, wingdings, otherSymbols };

// The symbol face a face name stands for (compared without case): Symbol, Wingdings, or another
// face of pictures (Wingdings 2 and 3, Webdings, ...); none for text faces.
SymbolFace symbolFaceOf(std::string_view face);

// The Unicode look-alike of code in a symbol face (code: the 8-bit code, or U+F000 plus it), 0
// when there is none in the table.
char32_t symbolLookAlike(SymbolFace face, char32_t code);

// Text (UTF-8) whose characters were written in face, with the face's characters replaced by
// their look-alikes; a private-use character U+F020-U+F0FF becomes its look-alike in any face
// (Symbol's when the face is not a symbol face) or "•" when the tables have none.  mapped tells
// whether anything was replaced.  Invalid UTF-8 becomes U+FFFD.
std::string symbolTextAsUnicode(std::string_view text, SymbolFace face, bool& mapped);

// The text of a w:sym character: its look-alike in a symbol face, else the code as a character of
// its own (a private-use code U+F020-U+F0FF read as its 8-bit code); U+FFFD for a code without
// either, a control character or a code outside Unicode.  UTF-8.
std::string symbolCharacterText(std::string_view face, long long code);

}  // namespace vellumine::docx
