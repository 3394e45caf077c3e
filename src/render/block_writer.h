// Blocks in order: paragraphs in their elements (h1-h6 for outline levels, p, or div around a
// text box), with the classes that depend on their neighbours (contextual spacing, shared border
// boxes, paragraphs joined by a deleted mark), and tables by the table writer.  The same writer
// serves the body, cells, notes, comments, headers, footers and text boxes.
#pragma once
#include <span>

#include "docx/format_resolver.h"
#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// Told when the body's paragraph that ends a section has been written (not after the last block).
class SectionBreaks {
 public:
  virtual void sectionEnded(int section) = 0;

 protected:
  ~SectionBreaks() = default;
};

void writeBlocks(PageState& state, std::span<const docx::Block> blocks, const docx::CellContext& cell,
                 SectionBreaks* sections = nullptr);

}  // namespace vellumine::render
