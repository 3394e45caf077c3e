// A long document's body in chunks the browser may leave unlaid while they are out of view.
//
// Laying out every block of a long page is most of the time the browser takes to load it (tens of
// thousands of paragraphs take seconds, while parsing them takes a tenth of that).  So the blocks
// of a long body go into boxes (div.vm-chunk) of a few screens each, with content-visibility:auto:
// the browser lays out and paints a chunk only when it comes near the view, and until then gives it
// an estimated height (the chunk's style, contain-intrinsic-size), which it replaces by the height
// it measured once it has laid the chunk out.  Find, links, the outline and scripts that read a
// position still reach the text inside: the browser lays a chunk out on demand.
//
// What a chunk may not hold, because its box is a layout of its own:
// - a block with a float (a wrapped picture, a drop cap) or a drawing out of the flow, nor the
//   blocks that follow it closely, which the float may reach into: those stay outside any chunk;
// - the first screens of the body, which show at once without depending on the skipping.
// A chunk's paint reaches well beyond its box (overflow-clip-margin), so that list labels hanging
// into the margin and tables wider than the page show as before.  Short bodies get no chunks: the
// page is then as it always was.  Printing lays every chunk out (content-visibility:visible).
//
// A chunk's box is also a layout of its own for margins: a chunk only ends before a block that
// starts without a margin, so that the space between blocks stays what it was.
//
// Contract with the page writer: beforeBlock() before each block of the body's top level,
// afterBlock() with the text the block was written as, closeChunk() before a section's box closes
// and at the body's end.  The page view (paginator.js) and the reading place (page_place.cpp) take
// chunks for transparent: they look at the blocks inside.
#pragma once
#include <string>
#include <string_view>

#include "docx/model.h"

namespace vellumine::render {

class LayoutChunks {
 public:
  // Chunks are made when the body has at least kLeastBlocks blocks at its top level.
  static constexpr std::size_t kLeastBlocks = 300;

  explicit LayoutChunks(const docx::Document& document);

  // The width of the text column, in twips, for the height estimates (a section's text width).
  void setTextWidth(long long twips);

  // Before each block of the body's top level.
  void beforeBlock(const docx::Block& block);
  // After it: written is the end of out the block was written as; marginAbove tells that its box
  // may have a top margin (space before over a border or fill, a table).
  void afterBlock(std::string& out, std::string_view written, bool marginAbove);
  // Before a section's box closes, and at the body's end.
  void closeChunk(std::string& out);

  // The chunks' style rules (empty when the page has no chunk).
  void appendRules(std::string& out) const;

 private:
  void openChunkAt(std::size_t start);
  void closeChunkAt(std::string& out, std::size_t end, long long estimatedPx);

  const docx::Document& document_;
  bool on_ = false;
  long long textWidthPx_ = 624;
  long long plainLeftPx_;           // height of the first screens, written outside chunks
  std::size_t blocksSinceFloat_;    // blocks since the last one holding a float
  bool chunkOpen_ = false;
  std::size_t chunkStart_ = 0;      // where the chunk's start tag goes in out
  long long chunkPx_ = 0;           // its blocks' estimated height so far
  std::size_t blocksInChunk_ = 0;
  std::size_t lastCleanStart_ = 0;  // where its last block starting without a margin begins (npos: none but the first)
  long long pxBeforeClean_ = 0;     // its estimated height above that block
  std::size_t chunks_ = 0;
  long long blockPx_ = 0;           // the estimate of the block being written
};

// The estimated height, in CSS pixels, of a block of the body in a column textWidthPx wide.
long long estimatedBlockHeight(const docx::Document& document, const docx::Block& block, long long textWidthPx);

// What the classes of a block's HTML tell the chunks: a float or a box placed out of the flow
// (vm-fl, vm-fr, vm-dropcap, vm-anc), a box with a margin of its own (vm-pb, vm-bc, vm-bl, vm-br,
// vm-mathd).
struct BlockClasses {
  bool floats = false;
  bool marginedBox = false;
};
BlockClasses blockClassesOf(std::string_view html);

}  // namespace vellumine::render
