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

// What the body's writer is told as it goes, for the blocks of the body's top level: before each
// block, after it (with where in state.out its HTML starts, and whether its box may have a top
// margin: a table, or space before over a border or fill), and after the paragraph that ends a
// section (not after the last block).  A block is one element: paragraphs joined by a dropped
// mark are one block.
class BodyBlocks {
 public:
  virtual void blockStarts(const docx::Block& block) = 0;
  virtual void blockEnded(std::size_t startInOut, bool marginAbove) = 0;
  virtual void sectionEnded(int section) = 0;

 protected:
  ~BodyBlocks() = default;
};

void writeBlocks(PageState& state, std::span<const docx::Block> blocks, const docx::CellContext& cell,
                 BodyBlocks* body = nullptr);

}  // namespace vellumine::render
