// Word's formatting resolved, one property at a time, in this order, later winning: document
// defaults; the table style (its whole-table formatting, then each region that applies to the
// cell, chosen by w:tblLook and the cell's place); the numbering level (under the paragraph style
// when the style gives the numbering, over it when the paragraph's own w:numPr does); the
// paragraph style with its whole basedOn chain; the character style with its chain (a paragraph
// style's linked character style in that paragraph is one toggle level with it, not a second one);
// direct formatting.  In a
// table, the Normal style's 11 or 12 pt and its left justification give way to the table style's
// unless Settings::overrideTableStyleFontSizeAndJustification.  Toggle properties
// (bold, italic, caps, small caps, strike, outline, shadow, emboss, imprint, hidden; not double
// strike) follow Word's toggle rule through the style levels.  Theme fonts and colours are looked
// up in the theme with the settings' colour mapping, tints and shades applied.  Chains that loop
// are cut where they come back; every chain is bounded.
//
// Results are cached by what they depend on (style, property sets, table context), so resolving
// every run of a long document costs one lookup per run after the first of its kind.  One resolver
// per document and thread; references returned stay valid as long as the resolver.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "docx/format.h"
#include "docx/model.h"
#include "docx/table_grid.h"

namespace vellumine::docx {

// What a paragraph inside a table cell takes from its table: the table's style and the regions of
// that style that apply to the cell.  The default context is a paragraph outside any table.
struct CellContext {
  const Style* tableStyle = nullptr;
  RegionMask regions = 0;
  std::uint32_t tableProps = 0;   // the table's w:tblPr, for its direct paragraph-level defaults
};

// A table with everything the writer needs: the grid, each row and cell resolved, and the
// context in which each cell's paragraphs resolve.
struct ResolvedTable {
  TableFormat format;
  TableGrid grid;
  std::vector<RowFormat> rows;                    // parallel to Table::rows
  std::vector<std::vector<CellFormat>> cells;     // parallel to Table::rows[r].cells
  std::vector<std::vector<CellContext>> contexts; // the same
};

class FormatResolver {
 public:
  explicit FormatResolver(const Document& document);
  ~FormatResolver();
  FormatResolver(const FormatResolver&) = delete;
  FormatResolver& operator=(const FormatResolver&) = delete;

  const ParagraphFormat& paragraph(const Paragraph& paragraph, const CellContext& cell = {});
  // A run of this paragraph with these direct properties (Inline::runProps).
  const RunFormat& run(const Paragraph& paragraph, std::uint32_t runProps, const CellContext& cell = {});
  // A list label: the paragraph mark's formatting with the level's w:rPr over it.
  const RunFormat& label(const Paragraph& paragraph, const ListLabel& label, const CellContext& cell = {});
  ResolvedTable table(const Table& table);

  // A colour as written, theme slot, mapping, tint and shade applied; absent for "auto".
  std::optional<Rgb> color(const Color& color) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vellumine::docx
