// Flattening a style chain: every style from the root to the style itself overlaid in order, each
// of its property blocks and each conditional region separately.
#include "docx/flat_style.h"

#include "docx/property_layers.h"
#include "docx/style_chain.h"

namespace vellumine::docx {
namespace {

void overlayRegion(TableStyleRegion& base, const TableStyleRegion& over) {
  if (!over.present) return;
  base.present = true;
  overlayParagraph(base.paragraph, over.paragraph);
  overlayRun(base.run, over.run);
  overlayTable(base.table, over.table);
  overlayRow(base.row, over.row);
  overlayCell(base.cell, over.cell);
}

}  // namespace

FlatStyle flattenStyle(const Styles& styles, const Style* style) {
  FlatStyle flat;
  for (const Style* level : styleChain(styles, style)) {
    overlayParagraph(flat.paragraph, level->paragraph);
    overlayRun(flat.run, level->run);
    overlayTable(flat.table, level->table);
    overlayRow(flat.row, level->row);
    overlayCell(flat.cell, level->cell);
    for (int r = 0; r < static_cast<int>(level->regions.size()); ++r) {
      const auto region = static_cast<TableRegion>(r);
      overlayRegion(flat.regions[static_cast<std::size_t>(r)], level->region(region));
    }
  }
  // w:pStyle, w:rStyle and w:tblStyle mean something only in direct formatting.
  flat.paragraph.styleId.reset();
  flat.run.styleId.reset();
  flat.table.styleId.reset();
  return flat;
}

}  // namespace vellumine::docx
