// A table resolved: its own formatting (the table style's whole-table formatting, then w:tblPr),
// each row's and cell's, the regions of the style that apply to each cell, and each cell's four
// edges after Word's rule between the cell's own borders, the table style's, the row's exception
// and the table's, and between neighbouring cells.
#pragma once
#include "docx/flat_style.h"
#include "docx/format_resolver.h"

namespace vellumine::docx {

// tableStyle: the style the table stands under (tableStyleFor), style: its flattened chain.
ResolvedTable resolveTableFormat(const Table& table, const Document& document, const Style* tableStyle,
                                 const FlatStyle& style);

}  // namespace vellumine::docx
