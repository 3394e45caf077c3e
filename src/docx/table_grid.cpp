// The table grid: each row's cells placed on grid columns after w:gridBefore, spanning
// w:gridSpan columns; old w:hMerge continuations folded into the cell before them; w:vMerge
// continuations covered by the cell above them at the same grid column, whose row span grows.
// One pass over the rows, remembering per grid column the merge that is open there.
#include <algorithm>
#include <vector>

#include "docx/table_grid.h"

namespace vellumine::docx {
namespace {

// The most grid columns a table is laid out on (Word allows 63); spans past it are cut, so a
// hostile w:gridSpan cannot make a grid of a billion columns.
constexpr int kMaxGridColumns = 4096;

struct OpenMerge {
  int row = -1;    // the row whose cell reached this column last, -1: none
  int originRow = 0, originCell = 0;
  bool merging = false;  // that cell took part in a vertical merge
};

template <typename Props>
const Props& propsAt(const PropsPool<Props>& pool, std::uint32_t index) {
  return index < pool.items.size() ? pool.items[index] : pool.items[0];
}

int clampedCount(const std::optional<int>& value, int low) {
  return std::clamp(value.value_or(low), low, kMaxGridColumns);
}

class GridBuilder {
 public:
  GridBuilder(const Table& table, const Document& document) : table_(table), document_(document) {
    grid_.columnCount = std::min(static_cast<int>(table.grid.size()), kMaxGridColumns);
    grid_.gridBefore.resize(table.rows.size());
    grid_.cells.resize(table.rows.size());
  }

  TableGrid build() {
    for (std::size_t r = 0; r < table_.rows.size(); ++r) layoutRow(static_cast<int>(r));
    return std::move(grid_);
  }

 private:
  void layoutRow(int r) {
    const Row& row = table_.rows[static_cast<std::size_t>(r)];
    const RowProps& rowProps = propsAt(document_.rowProps, row.props);
    int column = clampedCount(rowProps.gridBefore, 0);
    grid_.gridBefore[static_cast<std::size_t>(r)] = column;
    std::vector<GridCell>& cells = grid_.cells[static_cast<std::size_t>(r)];
    cells.resize(row.cells.size());
    int horizontalOrigin = -1;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      const CellProps& cellProps = propsAt(document_.cellProps, row.cells[c].props);
      GridCell& cell = cells[c];
      cell.column = std::min(column, kMaxGridColumns);
      cell.columnSpan = std::max(1, std::min(clampedCount(cellProps.gridSpan, 1), kMaxGridColumns - cell.column));
      column = cell.column + cell.columnSpan;
      if (cellProps.horizontalMerge == VerticalMerge::continue_ && horizontalOrigin >= 0) {
        cell.covered = true;
        GridCell& origin = cells[static_cast<std::size_t>(horizontalOrigin)];
        origin.columnSpan = column - origin.column;
        continue;
      }
      horizontalOrigin = static_cast<int>(c);
      placeVertically(r, static_cast<int>(c), cellProps.verticalMerge.value_or(VerticalMerge::none));
    }
    const int rowEnd = std::min(column + clampedCount(rowProps.gridAfter, 0), kMaxGridColumns);
    grid_.columnCount = std::max(grid_.columnCount, rowEnd);
  }

  // A continuation joins the merge open at its column in the row above; without one it starts its
  // own.
  void placeVertically(int r, int c, VerticalMerge merge) {
    GridCell& cell = grid_.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    if (static_cast<int>(open_.size()) <= cell.column) open_.resize(static_cast<std::size_t>(cell.column) + 1);
    OpenMerge& open = open_[static_cast<std::size_t>(cell.column)];
    if (merge == VerticalMerge::continue_ && open.row == r - 1 && open.merging) {
      cell.covered = true;
      ++grid_.cells[static_cast<std::size_t>(open.originRow)][static_cast<std::size_t>(open.originCell)].rowSpan;
      open.row = r;
      return;
    }
    open.row = r;
    open.originRow = r;
    open.originCell = c;
    open.merging = merge != VerticalMerge::none;
  }

  const Table& table_;
  const Document& document_;
  TableGrid grid_;
  std::vector<OpenMerge> open_;  // by grid column: the cell that last started there
};

}  // namespace

TableGrid layoutTableGrid(const Table& table, const Document& document) {
  return GridBuilder(table, document).build();
}

}  // namespace vellumine::docx
