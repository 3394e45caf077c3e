// Deleting every occurrence of a two-byte needle from a whole text, the densest rewrite a document
// goes through ("w:" before every element and attribute name, a hit every few bytes).
#pragma once
#include <string>

namespace vellumine {

// Removes every occurrence of first followed by second, in place; the two bytes must differ, so
// occurrences never overlap and the result is that of a left-to-right replace-all with "".
void DeleteAllPairs(std::string& text, char first, char second);

}  // namespace vellumine
