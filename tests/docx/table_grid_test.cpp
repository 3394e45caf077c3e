// Table grids: spans, cells before and after a row, vertical merges (and continuations with
// nothing to continue), old horizontal merges, rows of unequal length, hostile spans.
#include "docx/table_grid.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

constexpr auto kRestart = VerticalMerge::restart;
constexpr auto kContinue = VerticalMerge::continue_;

struct CellDesc {
  CellDesc(int span_ = 1, std::optional<VerticalMerge> vertical_ = {}, std::optional<VerticalMerge> horizontal_ = {})
      : span(span_), vertical(vertical_), horizontal(horizontal_) {}
  int span;
  std::optional<VerticalMerge> vertical, horizontal;
};

struct RowDesc {
  RowDesc(std::vector<CellDesc> cells_, int before_ = 0, int after_ = 0)
      : cells(std::move(cells_)), before(before_), after(after_) {}
  std::vector<CellDesc> cells;
  int before, after;
};

struct GridCase {
  std::string name;
  int gridColumns;  // w:tblGrid entries
  std::vector<RowDesc> rows;
  std::string expected;  // per cell "column:span", "xN" for a row span, "c" when covered; rows split by " | "
  int columnCount;
};

const GridCase kGridCases[] = {
    {"PlainRows", 2, {{{{}, {}}}, {{{}, {}}}}, "0:1 1:1 | 0:1 1:1", 2},
    {"SpanTakesColumns", 3, {{{{2}, {}}}, {{{}, {}, {}}}}, "0:2 2:1 | 0:1 1:1 2:1", 3},
    {"CellsBeforeAndAfter", 0, {{{{}}, 1, 2}}, "1:1", 4},
    {"VerticalMergeSpansRows", 1, {{{{1, kRestart}}}, {{{1, kContinue}}}, {{{1, kContinue}}}}, "0:1x3 | 0:1c | 0:1c", 1},
    {"ContinuationWithoutRestartStartsItsOwn", 1, {{{{1, kContinue}}}, {{{1, kContinue}}}}, "0:1x2 | 0:1c", 1},
    {"ContinuationAtAnotherColumnStartsItsOwn", 2, {{{{2, kRestart}}}, {{{}, {1, kContinue}}}}, "0:2 | 0:1 1:1", 2},
    {"PlainRowBreaksTheMerge", 1, {{{{1, kRestart}}}, {{{}}}, {{{1, kContinue}}}}, "0:1 | 0:1 | 0:1", 1},
    {"MergeBesideASpan", 3, {{{{2}, {1, kRestart}}}, {{{2}, {1, kContinue}}}}, "0:2 2:1x2 | 0:2 2:1c", 3},
    {"RowsOfUnequalLength", 0, {{{{}, {}, {}}}, {{{}}}}, "0:1 1:1 2:1 | 0:1", 3},
    {"GridWiderThanTheRows", 5, {{{{}}}}, "0:1", 5},
    {"HorizontalMergeJoinsTheCellBefore", 3, {{{{1, {}, kRestart}, {1, {}, kContinue}, {}}}}, "0:2 1:1c 2:1", 3},
    {"HugeSpanIsCut", 0, {{{{1000000000}}}}, "0:4096", 4096},
    {"NegativeSpanIsOne", 0, {{{{-5}, {}}}}, "0:1 1:1", 2},
};

std::string describe(const TableGrid& grid) {
  std::string out;
  for (std::size_t r = 0; r < grid.cells.size(); ++r) {
    if (r > 0) out += " | ";
    for (std::size_t c = 0; c < grid.cells[r].size(); ++c) {
      const GridCell& cell = grid.cells[r][c];
      if (c > 0) out += ' ';
      out += std::to_string(cell.column) + ":" + std::to_string(cell.columnSpan);
      if (cell.rowSpan > 1) out += "x" + std::to_string(cell.rowSpan);
      if (cell.covered) out += "c";
    }
  }
  return out;
}

class TableGridLayout : public testing::TestWithParam<GridCase> {};

TEST_P(TableGridLayout, PlacesEveryCell) {
  const GridCase& c = GetParam();
  test::ModelBuilder b;
  std::vector<std::vector<CellProps>> cells;
  std::vector<RowProps> rows;
  for (const RowDesc& row : c.rows) {
    cells.emplace_back();
    for (const CellDesc& desc : row.cells) {
      CellProps props;
      props.gridSpan = desc.span;
      props.verticalMerge = desc.vertical;
      props.horizontalMerge = desc.horizontal;
      cells.back().push_back(props);
    }
    RowProps props;
    if (row.before) props.gridBefore = row.before;
    if (row.after) props.gridAfter = row.after;
    rows.push_back(props);
  }
  Table& table = b.addTable({}, cells, rows);
  table.grid.assign(static_cast<std::size_t>(c.gridColumns), 1000);
  const TableGrid grid = layoutTableGrid(table, b.document());
  EXPECT_EQ(describe(grid), c.expected);
  EXPECT_EQ(grid.columnCount, c.columnCount);
  ASSERT_EQ(grid.gridBefore.size(), c.rows.size());
  for (std::size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(grid.gridBefore[r], c.rows[r].before);
}

INSTANTIATE_TEST_SUITE_P(Grids, TableGridLayout, testing::ValuesIn(kGridCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
