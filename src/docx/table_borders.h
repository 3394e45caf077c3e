// Word's rule between two borders that meet on one edge of two cells, and the table's shared
// edges settled with it so that each edge has one value in both cells.
#pragma once
#include <array>
#include <vector>

#include "docx/format.h"
#include "docx/table_grid.h"

namespace vellumine::docx {

// A border as a cell would draw it on its own, and whether it is the cell's own (w:tcBorders or
// the table style's cell borders) or comes from the table (w:tblPrEx, w:tblBorders).
struct EdgeBorder {
  ResolvedBorder border;
  bool fromCell = false;
};

enum class Edge : unsigned char { top, start, bottom, end };

using CellEdges = std::array<EdgeBorder, 4>;  // by Edge

// The border drawn where first (earlier in reading order) and second meet: a missing border gives
// way to the other; a cell's own border beats the table's; else the heavier one (width in eighths
// times the style's number, dotted and dashed weighing 1), then the style earlier in Word's list
// (single, thick, double, ...), then the darker colour (R + B + 2G, then B + 2G, then G; automatic
// is black), then first.
const EdgeBorder& winningBorder(const EdgeBorder& first, const EdgeBorder& second);

// Word's weight of a border: width times the style's number (none: 0).
int borderWeight(const ResolvedBorder& border);

// Settles every edge two cells share (cells side by side in a row; a cell and the cells below its
// last row that overlap its columns, a vertical merge counting as its first cell) with
// winningBorder; the cell above a merge's continuation gives the merge's bottom.  With cell
// spacing the cells do not touch and keep their own borders.  edges is parallel to grid.cells.
// Linear in the number of cells.
void settleSharedEdges(const TableGrid& grid, std::vector<std::vector<CellEdges>>& edges, bool cellSpacing);

}  // namespace vellumine::docx
