// Border conflicts: Word's weight, style precedence and colour brightness between two borders on
// one edge, and the walk over a table's grid that settles every shared edge once: along each row,
// then between each pair of neighbouring rows with two pointers over their grid columns.
#include "docx/table_borders.h"

#include <algorithm>
#include <cstddef>

namespace vellumine::docx {
namespace {

// Word's border numbers, by BorderStyle (its own list: dotted and dashed weigh 1 whatever their
// width, see borderWeight).
constexpr int kBorderNumber[] = {
    0,                                 // none
    1, 2, 3, 6, 7, 8, 9, 10,           // single thick double dotted dashed dotDash dotDotDash triple
    11, 12, 13, 14, 15, 16, 17, 18, 19,  // the thin-thick families
    20, 21, 22, 23, 24, 25, 26, 27,    // wave doubleWave dashSmallGap dashDotStroked 3D outset inset
};

int colorPart(const ResolvedBorder& border, int shift) {
  return static_cast<int>((border.color.value_or(0) >> shift) & 0xFF);
}

// Negative when a is darker than b by Word's three brightness measures in turn.
int compareBrightness(const ResolvedBorder& a, const ResolvedBorder& b) {
  const int ra = colorPart(a, 16), ga = colorPart(a, 8), ba = colorPart(a, 0);
  const int rb = colorPart(b, 16), gb = colorPart(b, 8), bb = colorPart(b, 0);
  if (int d = (ra + ba + 2 * ga) - (rb + bb + 2 * gb)) return d;
  if (int d = (ba + 2 * ga) - (bb + 2 * gb)) return d;
  return ga - gb;
}

bool isDrawn(const EdgeBorder& edge) { return edge.border.style != BorderStyle::none; }

EdgeBorder& at(std::vector<std::vector<CellEdges>>& edges, std::size_t row, std::size_t cell, Edge edge) {
  return edges[row][cell][static_cast<std::size_t>(edge)];
}

void settle(EdgeBorder& first, EdgeBorder& second) {
  const EdgeBorder winner = winningBorder(first, second);
  first = winner;
  second = winner;
}

void settleRow(const std::vector<GridCell>& cells, std::vector<CellEdges>& edges) {
  for (std::size_t c = 0; c + 1 < cells.size(); ++c) {
    if (cells[c].column + cells[c].columnSpan != cells[c + 1].column) continue;
    settle(edges[c][static_cast<std::size_t>(Edge::end)], edges[c + 1][static_cast<std::size_t>(Edge::start)]);
  }
}

// The cell drawn at a grid cell of row r: itself, or the start of the vertical merge covering it.
struct DrawnCell {
  std::size_t row, cell;
};

bool overlaps(const GridCell& a, const GridCell& b) {
  return a.column < b.column + b.columnSpan && b.column < a.column + a.columnSpan;
}

// The edges between row r and row r + 1, walked with two pointers over the grid columns.  An upper
// cell's own bottom (a covered cell's: the last row of a merge) meets each lower cell's top; an
// upper cell over several lower cells draws the strongest of the edges it shares, and the cell that
// starts a merge draws the bottom of its last row.
void settleBoundary(const TableGrid& grid, std::vector<std::vector<CellEdges>>& edges,
                    const std::vector<std::vector<DrawnCell>>& origins, std::size_t r) {
  const auto& upper = grid.cells[r];
  const auto& lower = grid.cells[r + 1];
  std::vector<EdgeBorder> own(upper.size());
  for (std::size_t u = 0; u < upper.size(); ++u) own[u] = at(edges, r, u, Edge::bottom);
  std::vector<char> seen(upper.size(), 0);
  std::size_t u = 0, l = 0;
  while (u < upper.size() && l < lower.size()) {
    if (overlaps(upper[u], lower[l]) && !lower[l].covered) {
      EdgeBorder& below = at(edges, r + 1, l, Edge::top);
      const EdgeBorder winner = winningBorder(own[u], below);
      below = winner;
      EdgeBorder& mine = at(edges, r, u, Edge::bottom);
      if (!seen[u] || &winningBorder(mine, winner) == &winner) mine = winner;
      seen[u] = 1;
    }
    if (upper[u].column + upper[u].columnSpan <= lower[l].column + lower[l].columnSpan) {
      ++u;
    } else {
      ++l;
    }
  }
  for (std::size_t c = 0; c < upper.size(); ++c) {
    const DrawnCell origin = origins[r][c];
    if (seen[c] && (origin.row != r || origin.cell != c)) {
      at(edges, origin.row, origin.cell, Edge::bottom) = at(edges, r, c, Edge::bottom);
    }
  }
}

}  // namespace

int borderWeight(const ResolvedBorder& border) {
  if (border.style == BorderStyle::dotted || border.style == BorderStyle::dashed) return 1;
  const auto index = static_cast<std::size_t>(border.style);
  const int number = index < std::size(kBorderNumber) ? kBorderNumber[index] : 1;
  return std::max(border.widthEighths, 0) * number;
}

const EdgeBorder& winningBorder(const EdgeBorder& first, const EdgeBorder& second) {
  if (!isDrawn(second)) return first;
  if (!isDrawn(first)) return second;
  if (first.fromCell != second.fromCell) return first.fromCell ? first : second;
  const int weightFirst = borderWeight(first.border), weightSecond = borderWeight(second.border);
  if (weightFirst != weightSecond) return weightFirst > weightSecond ? first : second;
  if (first.border.style != second.border.style) return first.border.style < second.border.style ? first : second;
  return compareBrightness(first.border, second.border) <= 0 ? first : second;
}

void settleSharedEdges(const TableGrid& grid, std::vector<std::vector<CellEdges>>& edges, bool cellSpacing) {
  if (cellSpacing) return;
  const std::size_t rows = std::min(grid.cells.size(), edges.size());
  for (std::size_t r = 0; r < rows; ++r) {
    if (edges[r].size() == grid.cells[r].size()) settleRow(grid.cells[r], edges[r]);
  }
  // Which cell draws each grid cell: a covered cell is drawn by the cell that starts its merge.
  std::vector<std::vector<DrawnCell>> origins(rows);
  std::vector<DrawnCell> openByColumn(static_cast<std::size_t>(std::max(grid.columnCount, 0)) + 1, DrawnCell{0, 0});
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < grid.cells[r].size(); ++c) {
      const GridCell& cell = grid.cells[r][c];
      const auto column = std::min(static_cast<std::size_t>(std::max(cell.column, 0)), openByColumn.size() - 1);
      if (!cell.covered) openByColumn[column] = DrawnCell{r, c};
      origins[r].push_back(cell.covered ? openByColumn[column] : DrawnCell{r, c});
    }
  }
  for (std::size_t r = 0; r + 1 < rows; ++r) {
    if (edges[r].size() == grid.cells[r].size() && edges[r + 1].size() == grid.cells[r + 1].size()) {
      settleBoundary(grid, edges, origins, r);
    }
  }
}

}  // namespace vellumine::docx
