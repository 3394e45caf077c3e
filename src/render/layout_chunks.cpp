#include "render/layout_chunks.h"

#include <algorithm>
#include <array>

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

bool holdsFloat(std::string_view written) {
  static constexpr std::array<std::string_view, 4> kClasses{" vm-fl", " vm-fr", " vm-dropcap", " vm-anc"};
  for (std::string_view name : kClasses) {
    for (std::size_t at = written.find(name); at != std::string_view::npos; at = written.find(name, at + 1)) {
      // The class name ends there (vm-fld, a field, starts like vm-fl).
      const std::size_t end = at + name.size();
      if (end >= written.size() || written[end] == '"' || written[end] == ' ') return true;
    }
  }
  return false;
}

LayoutChunks::LayoutChunks(const docx::Document& document)
    : document_(document),
      on_(document.body.blocks.size() >= kLeastBlocks),
      plainLeftPx_(kPlainPx),
      blocksSinceFloat_(kFloatReach) {}

void LayoutChunks::setTextWidth(long long twips) { textWidthPx_ = std::max(twips / 15, 48LL); }

void LayoutChunks::beforeBlock(std::string& out, const docx::Block& block) {
  if (!on_) return;
  blockPx_ = estimatedBlockHeight(document_, block, textWidthPx_);
  if (chunkOpen_ && (chunkPx_ >= kChunkPx || blocksInChunk_ >= kChunkBlocks)) closeChunk(out);
  if (plainLeftPx_ > 0 || blocksSinceFloat_ < kFloatReach) return;
  if (!chunkOpen_) openChunk(out);
}

void LayoutChunks::afterBlock(std::string& out, std::string_view written) {
  if (!on_) return;
  plainLeftPx_ -= blockPx_;
  if (holdsFloat(written)) {
    // The block stays out of the chunk, which ends before it: its float must reach the blocks after it.
    closeChunkAt(out, out.size() - written.size());
    blocksSinceFloat_ = 0;
    return;
  }
  ++blocksSinceFloat_;
  if (!chunkOpen_) return;
  chunkPx_ += blockPx_;
  ++blocksInChunk_;
}

// A chunk is only a place in out until it closes: its start tag goes in once its height is
// estimated.  The insertion moves the chunk's own text once, so writing chunks stays linear.
void LayoutChunks::openChunk(std::string& out) {
  chunkOpen_ = true;
  chunkStart_ = out.size();
  chunkPx_ = 0;
  blocksInChunk_ = 0;
}

void LayoutChunks::closeChunk(std::string& out) { closeChunkAt(out, out.size()); }

void LayoutChunks::closeChunkAt(std::string& out, std::size_t end) {
  if (!chunkOpen_) return;
  chunkOpen_ = false;
  if (blocksInChunk_ == 0) return;
  out.insert(end, "</div>\n");
  std::string tag = "<div class=\"vm-chunk\" style=\"contain-intrinsic-size:auto ";
  appendInteger(tag, std::max(chunkPx_, 1LL));
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
