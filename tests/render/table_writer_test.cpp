// Tables on the page: widths, layout, columns, spans and merges, header rows, nesting.
#include "render/table_writer.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using test::cell;
using test::DocumentBuilder;
using test::paragraph;
using test::row;
using test::table;
using test::text;
using test::textCell;

struct TableCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string expected;
};

class TableWriterCase : public testing::TestWithParam<TableCase> {};

TEST_P(TableWriterCase, WritesTheTable) {
  DocumentBuilder b;
  GetParam().build(b);
  EXPECT_SAME_TEXT(test::renderBody(b.document()), GetParam().expected);
}

std::uint32_t tableProps(DocumentBuilder& b, const std::function<void(docx::TableProps&)>& edit) { return b.table(edit); }

// A cell of text with no side margins: the cell class is then only what the row sets.
const std::string kCell = "<td class=\"c1\"><p class=\"p1\"><span class=\"r1\">";

const TableCase kCases[] = {
    {"OneCell", [](auto& b) { b.body({table({row({textCell("a")})})}); },
     "<table class=\"vm-tbl\"><tbody><tr>" + kCell + "a</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"GridColumnsAndFixedLayout",
     [](auto& b) {
       const auto props = tableProps(b, [](docx::TableProps& p) { p.layout = docx::TableLayout::fixed; });
       b.body({table({row({textCell("a"), textCell("b")})}, {1440, 2880}, props)});
     },
     "<table class=\"vm-tbl\" style=\"width:288px;table-layout:fixed;\"><colgroup><col style=\"width:96px\">"
     "<col style=\"width:192px\"></colgroup><tbody><tr>" + kCell + "a</span></p>\n</td>" + kCell +
         "b</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"PercentWidthCentred",
     [](auto& b) {
       const auto props = tableProps(b, [](docx::TableProps& p) {
         p.width = docx::TableWidth{docx::WidthType::pct, 2500};
         p.justification = docx::Justification::center;
       });
       b.body({table({row({textCell("a")})}, {}, props)});
     },
     "<table class=\"vm-tbl\" style=\"width:50%;margin-inline:auto;\"><tbody><tr>" + kCell +
         "a</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"TwipsWidthIndentedShadedAndSpaced",
     [](auto& b) {
       const auto props = tableProps(b, [](docx::TableProps& p) {
         p.width = docx::TableWidth{docx::WidthType::dxa, 4320};
         p.indent = docx::TableWidth{docx::WidthType::dxa, 360};
         p.shading = docx::Shading{docx::ShadingPattern::clear, 0, docx::Color{true}, test::rgb(0xEEEEEE)};
         p.cellSpacing = docx::TableWidth{docx::WidthType::dxa, 30};
       });
       b.body({table({row({textCell("a")})}, {}, props)});
     },
     "<table class=\"vm-tbl\" style=\"width:288px;margin-inline-start:24px;border-collapse:separate;"
     "border-spacing:2px;background-color:#EEEEEE;\"><tbody><tr>" + kCell + "a</span></p>\n</td></tr>\n</tbody>"
     "</table>\n"},
    {"SpansAndVerticalMerges",
     [](auto& b) {
       const auto span = b.cell([](docx::CellProps& p) { p.gridSpan = 2; });
       const auto restart = b.cell([](docx::CellProps& p) { p.verticalMerge = docx::VerticalMerge::restart; });
       const auto more = b.cell([](docx::CellProps& p) { p.verticalMerge = docx::VerticalMerge::continue_; });
       b.body({table({row({textCell("wide", span), textCell("tall", restart)}),
                      row({textCell("x"), textCell("y"), textCell("covered", more)})},
                     {1000, 1000, 1000})});
     },
     "<table class=\"vm-tbl\"><colgroup><col style=\"width:66.67px\"><col style=\"width:66.67px\">"
     "<col style=\"width:66.67px\"></colgroup><tbody><tr><td class=\"c1\" colspan=\"2\"><p class=\"p1\">"
     "<span class=\"r1\">wide</span></p>\n</td><td class=\"c1\" rowspan=\"2\"><p class=\"p1\"><span class=\"r1\">"
     "tall</span></p>\n</td></tr>\n<tr>" + kCell + "x</span></p>\n</td>" + kCell + "y</span></p>\n</td></tr>\n"
     "</tbody></table>\n"},
    {"HeaderRowsInAHead",
     [](auto& b) {
       const auto header = b.row([](docx::RowProps& p) { p.header = true; });
       b.body({table({row({textCell("h")}, header), row({textCell("d")})})});
     },
     "<table class=\"vm-tbl\"><thead><tr>" + kCell + "h</span></p>\n</td></tr>\n</thead><tbody><tr>" +
         kCell + "d</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"RowKeptWholeIsMarkedForThePageView",
     [](auto& b) {
       const auto whole = b.row([](docx::RowProps& p) { p.cantSplit = true; });
       b.body({table({row({textCell("a")}, whole), row({textCell("b")})})});
     },
     "<table class=\"vm-tbl\"><tbody><tr data-cant-split=\"1\">" + kCell + "a</span></p>\n</td></tr>\n<tr>" + kCell +
         "b</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"RowHeightAndGridBefore",
     [](auto& b) {
       const auto props = b.row([](docx::RowProps& p) {
         p.height = 600;
         p.heightRule = docx::HeightRule::exact;
         p.gridBefore = 1;
       });
       b.body({table({row({textCell("a")}, props)})});
     },
     "<table class=\"vm-tbl\"><tbody><tr style=\"height:40px\"><td class=\"vm-gap\" colspan=\"1\"></td>" +
         kCell + "a</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"HiddenRowIsNotWritten",
     [](auto& b) {
       const auto hidden = b.row([](docx::RowProps& p) { p.hidden = true; });
       b.body({table({row({textCell("gone")}, hidden), row({textCell("a")})})});
     },
     "<table class=\"vm-tbl\"><tbody><tr>" + kCell + "a</span></p>\n</td></tr>\n</tbody></table>\n"},
    {"NestedTable",
     [](auto& b) { b.body({table({row({cell({table({row({textCell("in")})}), paragraph({})})})})}); },
     "<table class=\"vm-tbl\"><tbody><tr><td class=\"c1\"><table class=\"vm-tbl\"><tbody>"
     "<tr>" + kCell + "in</span></p>\n</td></tr>\n</tbody></table>\n<p class=\"p1\"><br></p>\n</td></tr>\n"
     "</tbody></table>\n"},
    {"TableWithoutRowsIsNothing", [](auto& b) { b.body({table({}), paragraph({text("a")})}); },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, TableWriterCase, testing::ValuesIn(kCases), test::caseName);

TEST(TableWriter, CellClassSaysTheCellsFormat) {
  DocumentBuilder b;
  const auto props = b.cell([](docx::CellProps& p) {
    p.borders.top = test::border(docx::BorderStyle::single, 8, 0xFF0000);
    p.shading = docx::Shading{docx::ShadingPattern::clear, 0, docx::Color{true}, test::rgb(0x1F3864)};
    p.verticalAlign = docx::CellAlign::bottom;
  });
  b.body({table({row({textCell("a", props)})})});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_EQ(test::cssRule(page, "c1"),
            "border-top:1.33px solid #FF0000;padding-inline-end:7.2px;padding-inline-start:7.2px;"
            "background-color:#1F3864;color:#FFFFFF;vertical-align:bottom;");
}

}  // namespace
}  // namespace vellumine::render
