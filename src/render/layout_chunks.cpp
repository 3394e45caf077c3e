#include "render/layout_chunks.h"

#include <algorithm>
#include <array>
#include <span>

#include "render/css_units.h"

namespace vellumine::render {

namespace {

constexpr long long kPlainPx = 2700;          // the first three screens stay outside chunks
constexpr long long kChunkPx = 1800;          // a chunk closes once its blocks reach about two screens
constexpr std::size_t kChunkBlocks = 96;      // ... or this many blocks
constexpr std::size_t kFloatReach = 40;       // blocks after a float kept out of chunks
constexpr long long kLinePx = 19;             // a line of body text (11 pt at 1.15 or so)
constexpr long long kParagraphGapPx = 8;      // spacing around a paragraph
constexpr long long kCharPx = 7;              // an average character's width
constexpr long long kNestedTablePx = 60;      // a table in a cell, not walked further
constexpr long long kEmuPerPx = 9525;
constexpr long long kMostDrawingPx = 4000;    // a drawing's height as counted here, at most

long long linesPx(std::size_t chars, long long widthPx) {
  const auto perLine = static_cast<std::size_t>(std::max(widthPx / kCharPx, 8LL));
  return static_cast<long long>(std::max<std::size_t>(1, (chars + perLine - 1) / perLine)) * kLinePx;
}

long long paragraphPx(const docx::Document& document, const docx::Paragraph& paragraph, long long widthPx) {
  std::size_t chars = 0;
  long long drawingsPx = 0;
  for (const docx::Inline& item : paragraph.inlines) {
    chars += item.text.size();
    if (item.kind != docx::InlineKind::drawing || item.number < 0) continue;
    const auto index = static_cast<std::size_t>(item.number);
    if (index < document.drawings.size()) {
      drawingsPx += std::clamp<long long>(document.drawings[index].heightEmu / kEmuPerPx, 0, kMostDrawingPx);
    }
  }
  return linesPx(chars, widthPx) + drawingsPx + kParagraphGapPx;
}

// A row is as tall as its tallest cell; a cell's paragraphs in a share of the width, its tables
// counted at a fixed height (one level is walked, so the estimate stays linear and flat).
long long tablePx(const docx::Document& document, const docx::Table& table, long long widthPx) {
  long long total = 0;
  for (const docx::Row& row : table.rows) {
    const long long cellWidth = widthPx / static_cast<long long>(std::max<std::size_t>(row.cells.size(), 1));
    long long tallest = kLinePx;
    for (const docx::Cell& cell : row.cells) {
      long long height = 0;
      for (const docx::Block& block : cell.blocks) {
        const auto* paragraph = std::get_if<docx::Paragraph>(&block.node);
        height += paragraph != nullptr ? paragraphPx(document, *paragraph, cellWidth) : kNestedTablePx;
      }
      tallest = std::max(tallest, height);
    }
    total += tallest;
  }
  return total;
}

}  // namespace

long long estimatedBlockHeight(const docx::Document& document, const docx::Block& block, long long textWidthPx) {
  if (const auto* paragraph = std::get_if<docx::Paragraph>(&block.node)) {
    return paragraphPx(document, *paragraph, textWidthPx);
  }
  return tablePx(document, std::get<docx::Table>(block.node), textWidthPx);
}

namespace {

bool isOneOf(std::string_view name, std::span<const std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

// One pass over the block's HTML, class names only where they stand as whole names in an attribute
// (after a quote or a space, up to one): vm-fld, a field, is not vm-fl.  The same words in the text
// would count too, which only keeps a block out of a chunk.
BlockClasses blockClassesOf(std::string_view html) {
  static constexpr std::array<std::string_view, 4> kFloats{"vm-fl", "vm-fr", "vm-dropcap", "vm-anc"};
  // Boxes with a margin of their own inside a paragraph (a page break's line, a picture or display
  // equation on a line of its own): at the top of a paragraph without space before, their margin
  // becomes the paragraph's.
  static constexpr std::array<std::string_view, 5> kMargined{"vm-pb", "vm-bc", "vm-bl", "vm-br", "vm-mathd"};
  BlockClasses found;
  for (std::size_t at = html.find("vm-"); at != std::string_view::npos; at = html.find("vm-", at + 3)) {
    if (at == 0 || (html[at - 1] != '"' && html[at - 1] != ' ')) continue;
    const std::size_t end = std::min(html.find_first_of("\" ", at), html.size());
    const std::string_view name = html.substr(at, end - at);
    found.floats |= isOneOf(name, kFloats);
    found.marginedBox |= isOneOf(name, kMargined);
  }
  return found;
}

LayoutChunks::LayoutChunks(const docx::Document& document)
    : document_(document),
      on_(document.body.blocks.size() >= kLeastBlocks),
      plainLeftPx_(kPlainPx),
      blocksSinceFloat_(kFloatReach) {}

void LayoutChunks::setTextWidth(long long twips) { textWidthPx_ = std::max(twips / 15, 48LL); }

void LayoutChunks::beforeBlock(const docx::Block& block) {
  if (on_) blockPx_ = estimatedBlockHeight(document_, block, textWidthPx_);
}

// A chunk's box is a layout of its own: the margins of the blocks inside it no longer collapse
// with those outside.  So a chunk only ever ends before a block that starts without a margin
// (marginAbove false, no margined box inside): the space between the two blocks is then the
// margin of the one above alone, inside the chunk or not.
void LayoutChunks::afterBlock(std::string& out, std::string_view written, bool marginAbove) {
  if (!on_) return;
  const std::size_t size = written.size(), start = out.size() - size;
  const BlockClasses classes = blockClassesOf(written);
  const bool floats = classes.floats;
  const bool clean = !marginAbove && !classes.marginedBox;
  const bool mayEnter = !floats && plainLeftPx_ <= 0 && blocksSinceFloat_ >= kFloatReach;
  plainLeftPx_ -= blockPx_;
  blocksSinceFloat_ = floats ? 0 : blocksSinceFloat_ + 1;
  if (chunkOpen_ && clean) {
    lastCleanStart_ = start;
    pxBeforeClean_ = chunkPx_;
  }
  if (floats) {  // the block and the ones its float may reach stay out of chunks
    closeChunk(out);
    return;
  }
  if (chunkOpen_ && clean && (chunkPx_ >= kChunkPx || blocksInChunk_ >= kChunkBlocks)) closeChunkAt(out, start, chunkPx_);
  if (!chunkOpen_) {
    if (!mayEnter || !clean) return;
    openChunkAt(out.size() - size);
  }
  chunkPx_ += blockPx_;
  ++blocksInChunk_;
}

// A chunk is only a place in out until it closes: its start tag goes in once its height is
// estimated.  The insertion moves the chunk's own text once, so writing chunks stays linear.
void LayoutChunks::openChunkAt(std::size_t start) {
  chunkOpen_ = true;
  chunkStart_ = start;
  chunkPx_ = 0;
  blocksInChunk_ = 0;
  lastCleanStart_ = std::string::npos;
}

// Before a section's end, the body's end or a float: the chunk ends before its last block that
// starts without a margin, so that what follows the chunk's blocks stands as it would without it.
// With no such block but its first, there is no chunk.
void LayoutChunks::closeChunk(std::string& out) {
  if (!chunkOpen_) return;
  if (lastCleanStart_ == std::string::npos) {
    chunkOpen_ = false;
    return;
  }
  closeChunkAt(out, lastCleanStart_, pxBeforeClean_);
}

void LayoutChunks::closeChunkAt(std::string& out, std::size_t end, long long estimatedPx) {
  chunkOpen_ = false;
  out.insert(end, "</div>\n");
  std::string tag = "<div class=\"vm-chunk\" style=\"contain-intrinsic-size:auto ";
  appendInteger(tag, std::max(estimatedPx, 1LL));
  tag += "px\">\n";
  out.insert(chunkStart_, tag);
  ++chunks_;
}

void LayoutChunks::appendRules(std::string& out) const {
  if (chunks_ == 0) return;
  out +=
      ".vm-chunk{content-visibility:auto;overflow-clip-margin:1000px}\n"
      "@media print{.vm-chunk{content-visibility:visible}}\n";
}

}  // namespace vellumine::render
