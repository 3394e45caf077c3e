// Tables: width, indent, alignment, layout and the grid's columns, rows (header rows in a thead),
// cells placed by the grid (spans, merged cells written once), each cell's class from its resolved
// format and its blocks resolved in the cell's context.  Tables too deep inside each other are
// written as their cells' blocks.
#pragma once
#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

void writeTable(PageState& state, const docx::Table& table);

}  // namespace vellumine::render
