// The authors of a document's tracked changes, each numbered once by first appearance: in the
// body, then the headers, footers, notes, comments and text boxes, in document order within each;
// then authors of changes no story refers to (a damaged document).  A page colours each author
// by its number, the same in every story whichever of them it shows.
#pragma once
#include <string>
#include <unordered_map>

#include "docx/model.h"

namespace vellumine::render {

// Author -> 1-based number.  One walk over the document, no recursion.
std::unordered_map<std::string, int> numberChangeAuthors(const docx::Document& document);

}  // namespace vellumine::render
