// Numbered and bulleted paragraphs into HTML lists: items first, then the lists around them.
#pragma once

#include "convert/conversion.h"

namespace vellumine {

// Wraps every paragraph that holds "<numPr>" and some text outside tags in <li>...</li>; sets
// c.hasListItems when the document has any numbering properties at all.
void markListItems(Conversion& c);
// Wraps each run of consecutive items in <ol> or <ul> (decimal numbering gives ol) and opens and
// closes a nested list where the item level rises and falls.  Does nothing without list items.
void buildLists(Conversion& c);

}  // namespace vellumine
