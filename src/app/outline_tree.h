// The document's headings as a tree, the way an outline shows them: each heading under the
// nearest heading above it of a higher level.  A heading whose level skips some (a level 3 right
// after a level 1) goes under that nearer one all the same, and a document that starts with a
// level 2 has it at the top.
#pragma once
#include <vector>

namespace vellumine {

// For each heading of levels (1 highest, in document order), the index of its parent heading, or
// -1 for a heading at the top.  Linear in the number of headings.
std::vector<int> outlineParents(const std::vector<int>& levels);

}  // namespace vellumine
