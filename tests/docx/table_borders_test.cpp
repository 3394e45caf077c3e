// Border conflicts: Word's order between two borders on one edge (missing, cell over table,
// weight, style, brightness), and the shared edges of a grid settled with it.
#include "docx/table_borders.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

EdgeBorder line(BorderStyle style, int width, bool fromCell = true, std::optional<Rgb> color = 0x000000) {
  return EdgeBorder{ResolvedBorder{style, width, 0, color}, fromCell};
}

const EdgeBorder kNone{};
constexpr auto kSingle = BorderStyle::single;
constexpr auto kDouble = BorderStyle::double_;
constexpr auto kThick = BorderStyle::thick;
constexpr auto kDotted = BorderStyle::dotted;

enum class Winner { first, second };

struct ConflictCase {
  std::string name;
  EdgeBorder first, second;
  Winner expected;
};

const ConflictCase kConflictCases[] = {
    {"MissingFirstGivesWay", kNone, line(kSingle, 4), Winner::second},
    {"MissingSecondGivesWay", line(kSingle, 4), kNone, Winner::first},
    {"CellBorderBeatsHeavierTableBorder", line(kDouble, 24, false), line(kSingle, 2, true), Winner::second},
    {"HeavierWins", line(kSingle, 4), line(kSingle, 12), Winner::second},
    {"DoubleOutweighsSingleOfTheSameWidth", line(kSingle, 4), line(kDouble, 4), Winner::second},
    {"EqualWeightEarlierStyleWins", line(kThick, 4), line(kSingle, 8), Winner::second},
    {"DottedWeighsOne", line(kDotted, 24), line(kSingle, 2), Winner::second},
    {"DarkerWinsOnEqualStyles", line(kSingle, 4, true, 0x808080), line(kSingle, 4, true, 0x000000), Winner::second},
    {"RedBeatsBlueOfEqualBrightness", line(kSingle, 4, true, 0x0000FF), line(kSingle, 4, true, 0xFF0000), Winner::second},
    {"AutomaticCountsAsBlack", line(kSingle, 4, true, std::nullopt), line(kSingle, 4, true, 0x000001), Winner::first},
    {"IdenticalBordersFirstWins", line(kSingle, 4), line(kSingle, 4), Winner::first},
};

class BorderConflict : public testing::TestWithParam<ConflictCase> {};

TEST_P(BorderConflict, FollowsWordsOrder) {
  const ConflictCase& c = GetParam();
  const EdgeBorder& winner = winningBorder(c.first, c.second);
  EXPECT_EQ(&winner, c.expected == Winner::first ? &c.first : &c.second);
}

INSTANTIATE_TEST_SUITE_P(Conflicts, BorderConflict, testing::ValuesIn(kConflictCases), test::caseName);

GridCell at(int column, int span = 1, int rowSpan = 1, bool covered = false) {
  return GridCell{column, span, rowSpan, covered};
}

CellEdges edges(EdgeBorder top, EdgeBorder start, EdgeBorder bottom, EdgeBorder end) {
  return CellEdges{top, start, bottom, end};
}

std::string nameOf(const EdgeBorder& edge) {
  switch (edge.border.style) {
    case BorderStyle::none: return "-";
    case BorderStyle::single: return "s" + std::to_string(edge.border.widthEighths);
    case BorderStyle::double_: return "d" + std::to_string(edge.border.widthEighths);
    case BorderStyle::thick: return "t" + std::to_string(edge.border.widthEighths);
    default: return "?";
  }
}

// Each cell as "top/start/bottom/end", cells by spaces, rows by " | ".
std::string describe(const std::vector<std::vector<CellEdges>>& table) {
  std::string out;
  for (std::size_t r = 0; r < table.size(); ++r) {
    if (r > 0) out += " | ";
    for (std::size_t c = 0; c < table[r].size(); ++c) {
      if (c > 0) out += ' ';
      for (std::size_t e = 0; e < 4; ++e) out += (e ? "/" : "") + nameOf(table[r][c][e]);
    }
  }
  return out;
}

struct SettleCase {
  std::string name;
  std::vector<std::vector<GridCell>> grid;
  std::vector<std::vector<CellEdges>> edges;
  bool spacing;
  std::string expected;
};

const SettleCase kSettleCases[] = {
    {"NeighboursInARowShareTheHeavier",
     {{at(0), at(1)}},
     {{edges(kNone, kNone, kNone, line(kSingle, 4)), edges(kNone, line(kDouble, 4), kNone, kNone)}},
     false,
     "-/-/-/d4 -/d4/-/-"},
    {"CellBorderBelowBeatsTableBorderAbove",
     {{at(0)}, {at(0)}},
     {{edges(kNone, kNone, line(kThick, 8, false), kNone)}, {edges(line(kSingle, 4), kNone, kNone, kNone)}},
     false,
     "-/-/s4/- | s4/-/-/-"},
    {"WideCellOverTwoDrawsTheStrongest",
     {{at(0, 2)}, {at(0), at(1)}},
     {{edges(kNone, kNone, line(kSingle, 4), kNone)},
      {edges(kNone, kNone, kNone, kNone), edges(line(kDouble, 4), kNone, kNone, kNone)}},
     false,
     "-/-/d4/- | s4/-/-/- d4/-/-/-"},
    {"MergeTakesTheBottomOfItsLastRow",
     {{at(0, 1, 2)}, {at(0, 1, 1, true)}, {at(0)}},
     {{edges(kNone, kNone, line(kSingle, 2), kNone)},
      {edges(kNone, kNone, line(kThick, 8), kNone)},
      {edges(kNone, kNone, kNone, kNone)}},
     false,
     "-/-/t8/- | -/-/t8/- | t8/-/-/-"},
    {"GapBetweenCellsIsNoSharedEdge",
     {{at(0), at(2)}},
     {{edges(kNone, kNone, kNone, line(kSingle, 4)), edges(kNone, line(kDouble, 4), kNone, kNone)}},
     false,
     "-/-/-/s4 -/d4/-/-"},
    {"CellSpacingKeepsEachCellsOwn",
     {{at(0), at(1)}},
     {{edges(kNone, kNone, kNone, line(kSingle, 4)), edges(kNone, line(kDouble, 4), kNone, kNone)}},
     true,
     "-/-/-/s4 -/d4/-/-"},
};

class SharedEdges : public testing::TestWithParam<SettleCase> {};

TEST_P(SharedEdges, HaveOneValueInBothCells) {
  const SettleCase& c = GetParam();
  TableGrid grid;
  grid.cells = c.grid;
  grid.columnCount = 3;
  std::vector<std::vector<CellEdges>> table = c.edges;
  settleSharedEdges(grid, table, c.spacing);
  EXPECT_EQ(describe(table), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Grids, SharedEdges, testing::ValuesIn(kSettleCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
