// Tables resolved: the conditional formats a cell gets from its table style (shading and bold by
// w:tblLook and place, direct formatting over them, a row's own look) and each cell edge's border
// along Word's order (cell, style regions, style, row exception, table) with shared edges settled.
#include "docx/table_format.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "docx/table_borders.h"
#include "docx/table_regions.h"
#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

TableStyleRegion& region(Style& style, TableRegion which) {
  TableStyleRegion& r = style.regionToWrite(which);
  r.present = true;
  return r;
}

// Banded: first row bold on blue, first column italic, odd row bands light blue, even bands plain,
// the header's bottom edge a double line.
void addBanded(test::ModelBuilder& b) {
  Style& style = b.addStyle(StyleType::table, "Banded");
  TableStyleRegion& firstRow = region(style, TableRegion::firstRow);
  firstRow.run.bold = true;
  firstRow.cell.shading = test::fillShading(0x4472C4);
  firstRow.cell.borders.bottom = test::border(BorderStyle::double_, 4);
  region(style, TableRegion::firstColumn).run.italic = true;
  region(style, TableRegion::band1Horz).cell.shading = test::fillShading(0xDEEAF6);
}

// A 3 x 3 table in style Banded, with its table, row and cell properties as the case sets them.
struct TableSetup {
  TableProps table;
  std::vector<RowProps> rows = {{}, {}, {}};
  std::vector<std::vector<CellProps>> cells = {{{}, {}, {}}, {{}, {}, {}}, {{}, {}, {}}};
  std::optional<TableProps> rowException;  // on row 1
};

struct Resolution {
  ResolvedTable table;
  std::vector<std::vector<RunFormat>> runs;  // each cell's first run
};

Resolution resolveSetup(test::ModelBuilder& b, TableSetup setup) {
  setup.table.styleId = "Banded";
  Table table = b.table(setup.table, setup.cells, setup.rows);
  if (setup.rowException) table.rows[1].tablePropsException = b.tableProps(*setup.rowException);
  FormatResolver resolver(b.document());
  Resolution result{resolver.table(table), {}};
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    result.runs.emplace_back();
    for (std::size_t c = 0; c < table.rows[r].cells.size(); ++c) {
      const Paragraph& paragraph = std::get<Paragraph>(table.rows[r].cells[c].blocks[0].node);
      result.runs.back().push_back(resolver.run(paragraph, paragraph.inlines[0].runProps, result.table.contexts[r][c]));
    }
  }
  return result;
}

struct ConditionalCase {
  std::string name;
  std::function<void(TableSetup&)> setup;
  int row, cell;
  std::optional<Rgb> shading;
  bool bold, italic;
};

TableLook lookOf(bool firstRow, bool firstColumn, bool noHBand) {
  return TableLook{firstRow, false, firstColumn, false, noHBand, true};
}

const ConditionalCase kConditionalCases[] = {
    {"HeaderCellBoldOnBlue", [](TableSetup&) {}, 0, 1, 0x4472C4, true, false},
    {"CornerTakesRowAndColumn", [](TableSetup&) {}, 0, 0, 0x4472C4, true, true},
    {"FirstBandShaded", [](TableSetup&) {}, 1, 1, 0xDEEAF6, false, false},
    {"FirstColumnItalicInABand", [](TableSetup&) {}, 1, 0, 0xDEEAF6, false, true},
    {"SecondBandPlain", [](TableSetup&) {}, 2, 1, std::nullopt, false, false},
    {"DirectCellShadingWins", [](TableSetup& s) { s.cells[1][1].shading = test::fillShading(0xFF0000); }, 1, 1,
     0xFF0000, false, false},
    {"LookWithoutFirstRowBandsTheTop", [](TableSetup& s) { s.table.look = lookOf(false, false, false); }, 0, 1,
     0xDEEAF6, false, false},
    {"LookWithoutBands", [](TableSetup& s) { s.table.look = lookOf(true, true, true); }, 1, 1, std::nullopt, false,
     false},
    {"RowExceptionHasItsOwnLook",
     [](TableSetup& s) { s.rowException = TableProps{}; s.rowException->look = lookOf(true, true, true); }, 1, 1,
     std::nullopt, false, false},
    {"HeaderRowsAreFirstRows", [](TableSetup& s) { s.rows[0].header = true; s.rows[1].header = true; }, 1, 1,
     0x4472C4, true, false},
};

class ConditionalFormats : public testing::TestWithParam<ConditionalCase> {};

TEST_P(ConditionalFormats, ShadeAndEmboldenByRegion) {
  const ConditionalCase& c = GetParam();
  test::ModelBuilder b;
  addBanded(b);
  TableSetup setup;
  c.setup(setup);
  const Resolution result = resolveSetup(b, setup);
  const auto r = static_cast<std::size_t>(c.row), k = static_cast<std::size_t>(c.cell);
  EXPECT_EQ(result.table.cells[r][k].shading, c.shading);
  EXPECT_EQ(result.runs[r][k].bold, c.bold);
  EXPECT_EQ(result.runs[r][k].italic, c.italic);
  EXPECT_EQ(result.table.contexts[r][k].regions, result.table.cells[r][k].regions);
}

INSTANTIATE_TEST_SUITE_P(Cells, ConditionalFormats, testing::ValuesIn(kConditionalCases), test::caseName);

struct BorderCase {
  std::string name;
  std::function<void(TableSetup&)> setup;
  int row, cell;
  Edge edge;
  BorderStyle expected;
  int width;
};

void allTableBorders(TableSetup& s, BorderStyle style, int width) {
  const Border line = test::border(style, width);
  s.table.borders = TableBorders{line, line, line, line, line, line};
}

const BorderCase kBorderCases[] = {
    {"NoBordersAnywhere", [](TableSetup&) {}, 2, 1, Edge::top, BorderStyle::none, 0},
    {"TableOuterBorder", [](TableSetup& s) { allTableBorders(s, BorderStyle::single, 4); }, 1, 0, Edge::start,
     BorderStyle::single, 4},
    {"InsideBorderBetweenCells", [](TableSetup& s) { allTableBorders(s, BorderStyle::single, 4); }, 1, 1, Edge::end,
     BorderStyle::single, 4},
    {"StyleRegionBorderUnderTheHeader", [](TableSetup&) {}, 0, 1, Edge::bottom, BorderStyle::double_, 4},
    {"CellBelowTheHeaderSharesIt", [](TableSetup&) {}, 1, 1, Edge::top, BorderStyle::double_, 4},
    {"StyleCellBorderBeatsHeavierTableBorder", [](TableSetup& s) { allTableBorders(s, BorderStyle::single, 24); },
     1, 1, Edge::top, BorderStyle::double_, 4},
    {"OwnCellBorderWinsOverTheTables",
     [](TableSetup& s) {
       allTableBorders(s, BorderStyle::single, 4);
       s.cells[1][1].borders.end = test::border(BorderStyle::dotted, 4);
     },
     1, 2, Edge::start, BorderStyle::dotted, 4},
    {"OwnNoneOnAnOuterEdgeRemovesIt",
     [](TableSetup& s) {
       allTableBorders(s, BorderStyle::single, 4);
       s.cells[2][0].borders.bottom = test::border(BorderStyle::none, 0);
     },
     2, 0, Edge::bottom, BorderStyle::none, 0},
    {"OwnNoneGivesWayToTheNeighbours",
     [](TableSetup& s) {
       s.cells[1][0].borders.end = test::border(BorderStyle::none, 0);
       s.cells[1][1].borders.start = test::border(BorderStyle::single, 8);
     },
     1, 0, Edge::end, BorderStyle::single, 8},
    {"RowExceptionBeatsTheTable",
     [](TableSetup& s) {
       allTableBorders(s, BorderStyle::single, 4);
       s.rowException = TableProps{};
       s.rowException->borders.insideV = test::border(BorderStyle::thick, 12);
     },
     1, 1, Edge::start, BorderStyle::thick, 12},
};

class CellBorders : public testing::TestWithParam<BorderCase> {};

TEST_P(CellBorders, FollowWordsOrder) {
  const BorderCase& c = GetParam();
  test::ModelBuilder b;
  addBanded(b);
  TableSetup setup;
  c.setup(setup);
  const Resolution result = resolveSetup(b, setup);
  const CellFormat& cell = result.table.cells[static_cast<std::size_t>(c.row)][static_cast<std::size_t>(c.cell)];
  const ResolvedBorder edges[] = {cell.top, cell.start, cell.bottom, cell.end};
  const ResolvedBorder& edge = edges[static_cast<std::size_t>(c.edge)];
  EXPECT_EQ(edge.style, c.expected);
  if (c.expected != BorderStyle::none) {
    EXPECT_EQ(edge.widthEighths, c.width);
  }
}

INSTANTIATE_TEST_SUITE_P(Edges, CellBorders, testing::ValuesIn(kBorderCases), test::caseName);

TEST(TableFormatDefaults, TableWithoutStyleTakesTheDefaultTableStyle) {
  test::ModelBuilder b;
  Style& normal = b.addStyle(StyleType::table, "TableNormal");
  normal.isDefault = true;
  normal.table.cellMargins.start = TableWidth{WidthType::dxa, 115};
  const Table table = b.table({}, {{{}}});
  FormatResolver resolver(b.document());
  const ResolvedTable resolved = resolver.table(table);
  EXPECT_EQ(resolved.format.styleId, "TableNormal");
  EXPECT_EQ(resolved.format.cellMarginStart, 115);
  EXPECT_EQ(resolved.format.cellMarginEnd, 108);  // Word's default where nothing says otherwise
  EXPECT_EQ(resolved.format.look, kDefaultTableLook);
  EXPECT_EQ(resolved.cells[0][0].marginStart, 115);
}

}  // namespace
}  // namespace vellumine::docx
