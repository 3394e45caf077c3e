// Where each cell of a table stands on the table's grid: its column, how many grid columns it
// spans (w:gridSpan, w:gridBefore/After) and how many rows (w:vMerge restart and the continuing
// cells below it, which are covered and not drawn).  Rows of unequal length and merges that do not
// line up are laid out as Word lays them out: a continuing cell without a cell above it to
// continue starts a merge of its own.
#pragma once
#include <vector>

#include "docx/model.h"

namespace vellumine::docx {

struct GridCell {
  int column = 0;        // first grid column
  int columnSpan = 1;
  int rowSpan = 1;       // > 1 on the first cell of a vertical merge
  bool covered = false;  // a continuing cell of a vertical merge: drawn by the cell above
};

struct TableGrid {
  int columnCount = 0;                      // the most grid columns of any row (at least the w:tblGrid's)
  std::vector<int> gridBefore;              // per row: empty grid columns before the first cell
  std::vector<std::vector<GridCell>> cells; // parallel to Table::rows[r].cells
};

// Linear in the number of cells.
TableGrid layoutTableGrid(const Table& table, const Document& document);

}  // namespace vellumine::docx
