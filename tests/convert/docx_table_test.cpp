#include "convert/docx_table.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/units.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

// A table style drawing every border single, size 4, colour auto, and one that draws only the
// inside-horizontal border.
constexpr std::string_view kStyles =
    "<styles><style type=\"table\" styleId=\"TableGrid\"><name val=\"Table Grid\"/>"
    "<basedOn val=\"TableNormal\"/><tblPr><tblBorders>"
    "<top val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<left val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<bottom val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<right val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<insideH val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<insideV val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "</tblBorders></tblPr></style>"
    "<style type=\"table\" styleId=\"Lines\"><tblPr><tblBorders>"
    "<insideH val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "</tblBorders></tblPr></style></styles>";

std::string convertTablesIn(std::string text) {
  Conversion c;
  c.styles = kStyles;
  c.text = std::move(text);
  convertTables(c);
  return std::move(c.text);
}

// Input builders: a cell with an optional property block, a row, a table.
std::string cell(std::string_view props, std::string_view content) {
  std::string s = "<tc>";
  if (!props.empty()) s += "<tcPr>" + std::string(props) + "</tcPr>";
  return s + std::string(content) + "</tc>";
}
std::string row(std::string_view cells) { return "<tr>" + std::string(cells) + "</tr>"; }
std::string table(std::string_view rows) { return "<tbl>" + std::string(rows) + "</tbl>"; }
std::string para(std::string_view text) { return "<p>" + std::string(text) + "</p>"; }

constexpr std::string_view kRestart = "<vMerge val=\"restart\"/>";
constexpr std::string_view kContinue = "<vMerge/>";
constexpr std::string_view kSpan2 = "<gridSpan val=\"2\"/>";

TEST(DocxTable, WorkedExampleComesOutByteForByte) {
  const std::string input =
      "<tbl><tblPr><tblStyle val=\"TableGrid\"/><tblW w=\"5000\" type=\"pct\"/><tblLook val=\"04A0\"/>"
      "</tblPr><tblGrid><gridCol w=\"4675\"/><gridCol w=\"4675\"/></tblGrid><tr><tc><tcPr>"
      "<tcW w=\"4675\" type=\"dxa\"/><vMerge val=\"restart\"/></tcPr><p>A</p></tc><tc><tcPr>"
      "<tcW w=\"4675\" type=\"dxa\"/></tcPr><p>B</p></tc></tr><tr><tc><tcPr><tcW w=\"4675\" type=\"dxa\"/>"
      "<vMerge/></tcPr><p></p></tc><tc><tcPr><tcW w=\"4675\" type=\"dxa\"/><shd val=\"clear\" "
      "color=\"auto\" fill=\"D9D9D9\"/></tcPr><p>C</p></tc></tr></tbl>";
  const std::string expected =
      "<table width=\"100%\"  border=1 style=\"border:1px solid;\"><col width=\"312\"/>"
      "<col width=\"312\"/><tr><td style=\"width:312px;\" rowspan=\"2\"><p>A</p></td>"
      "<td style=\"width:312px;\"><p>B</p></td></tr><tr><td style=\"width:312px;"
      "background-color:#D9D9D9;\"><p>C</p></td></tr></table>";
  EXPECT_SAME_TEXT(convertTablesIn(input), expected);
}

TEST(DocxTable, DocumentWithoutTablesIsUnchanged) {
  const std::string doc = "<body><p><r>Rows and cells, 3 > 2</r></p><sectPr/></body>";
  EXPECT_SAME_TEXT(convertTablesIn(doc), doc);
}

// Table property block -> attributes of the table start tag.
class TableAttributes : public testing::TestWithParam<PassCase> {};

PassCase tableCase(std::string_view name, std::string_view props, std::string_view attributes) {
  return {std::string(name), "<tbl><tblPr>" + std::string(props) + "</tblPr>" + row(cell("", para("x"))) + "</tbl>",
          "<table" + std::string(attributes) + "><tr><td><p>x</p></td></tr></table>"};
}

const PassCase kTableAttributeCases[] = {
    tableCase("PctWidthIsPercent", "<tblW w=\"5000\" type=\"pct\"/>", " width=\"100%\""),
    tableCase("DxaWidthIsPixels", "<tblW w=\"9000\" type=\"dxa\"/>", " width=\"600px\""),
    tableCase("AutoZeroWidthGivesNoWidth", "<tblW w=\"0\" type=\"auto\"/>", ""),
    tableCase("OtherWidthTypeIsBare", "<tblW w=\"100\" type=\"auto\"/>", " width=\"100\""),
    tableCase("PctHalfRoundsDownToEven", "<tblW w=\"2525\" type=\"pct\"/>", " width=\"50%\""),
    tableCase("PctHalfRoundsUpToEven", "<tblW w=\"2575\" type=\"pct\"/>", " width=\"52%\""),
    tableCase("WidthStandsFirst", "<jc val=\"center\"/><tblW w=\"9000\" type=\"dxa\"/>",
              " width=\"600px\" align=\"center\""),
    tableCase("CellSpacingWithoutWidthIsZero", "<tblCellSpacing type=\"dxa\"/>", " cellspacing=\"0\""),
    tableCase("CellSpacingInPixels", "<tblCellSpacing w=\"15\" type=\"dxa\"/>", " cellspacing=\"1\""),
    tableCase("AlignmentAsWritten", "<jc val=\"center\"/>", " align=\"center\""),
    tableCase("ClearShadingGivesNoBackground", "<shd val=\"clear\" color=\"auto\" fill=\"D9D9D9\"/>", ""),
    tableCase("SolidAutoShadingIsDefaultGrey", "<shd val=\"solid\" color=\"auto\" fill=\"auto\"/>",
              " bgcolor=\"#eeeeee\""),
    tableCase("ShadingAfterBorderBlockStillApplies",
              "<tblBorders><bottom val=\"single\" sz=\"6\" space=\"1\" color=\"auto\"/></tblBorders>"
              "<shd val=\"solid\" color=\"auto\" fill=\"FF0000\"/>",
              "  style=\"border-bottom:1px solid;\" bgcolor=\"FF0000\""),
    tableCase("StyleInsideBorderNeverZero", "<tblStyle val=\"Lines\"/>", "  border=1 style=\"border:none;\""),
    tableCase("UnknownStyleAddsOnlyBlank", "<tblStyle val=\"Missing\"/>", " "),
    tableCase("LayoutIndentMarginsAndLookIgnored",
              "<tblInd w=\"120\" type=\"dxa\"/><tblLayout type=\"fixed\"/><tblCellMar><left w=\"108\" "
              "type=\"dxa\"/></tblCellMar><tblLook val=\"04A0\"/>",
              ""),
    tableCase("StyleAndOwnBordersBothWritten",
              "<tblStyle val=\"TableGrid\"/><tblBorders><top val=\"nil\"/></tblBorders>",
              "  border=1 style=\"border:1px solid;\"  style=\"border-top:none;\""),
    // A property-change record holds a second border block; the walk reads it and moves on.  The
    // record's end tags stay behind the start tag.
    tableCase("SecondBorderBlockInChangeRecord",
              "<tblBorders><top val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/></tblBorders>"
              "<tblPrChange id=\"1\"><tblPr><tblBorders><top val=\"double\" sz=\"4\" space=\"0\" "
              "color=\"auto\"/></tblBorders></tblPr></tblPrChange>",
              "  style=\"border-top:1px solid;\"  style=\"border-top:3px double;\"></tblPrChange></tblPr"),
    tableCase("UnclosedBorderBlockReadsNothing", "<tblBorders><top val=\"single\" sz=\"4\"/>", " "),
    tableCase("TagCutOffEndsTheWalk", "<jc val=\"center\"/><tblW w=\"1\"", " align=\"center\""),
};

TEST_P(TableAttributes, StartTagCarriesThem) {
  EXPECT_SAME_TEXT(convertTablesIn(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(DocxTable, TableAttributes, testing::ValuesIn(kTableAttributeCases), caseName);

TEST(DocxTable, TableWithoutWidthGetsNoneFromTheTableBefore) {
  const std::string input = "<tbl><tblPr><tblW w=\"9000\" type=\"dxa\"/></tblPr>" + row(cell("", para("a"))) +
                            "</tbl><tbl><tblPr><jc val=\"left\"/></tblPr>" + row(cell("", para("b"))) + "</tbl>";
  EXPECT_SAME_TEXT(convertTablesIn(input),
                   "<table width=\"600px\"><tr><td><p>a</p></td></tr></table>"
                   "<table align=\"left\"><tr><td><p>b</p></td></tr></table>");
}

// Cell property block -> style attribute of the cell.
class CellStyles : public testing::TestWithParam<PassCase> {};

PassCase cellCase(std::string_view name, std::string_view props, std::string_view startTag) {
  return {std::string(name), table(row(cell(props, para("x")))),
          "<table><tr>" + std::string(startTag) + "<p>x</p></td></tr></table>"};
}

const PassCase kCellStyleCases[] = {
    cellCase("DxaWidthInPixels", "<tcW w=\"2880\" type=\"dxa\"/>", "<td style=\"width:192px;\">"),
    cellCase("ZeroWidthGivesNothing", "<tcW w=\"0\" type=\"auto\"/>", "<td>"),
    cellCase("WidthTypeIsNotConsulted", "<tcW w=\"2500\" type=\"pct\"/>", "<td style=\"width:167px;\">"),
    cellCase("CapitalWhiteGivesNoBackground", "<shd val=\"clear\" color=\"auto\" fill=\"FFFFFF\"/>", "<td>"),
    cellCase("LowerCaseWhiteIsKept", "<shd val=\"clear\" color=\"auto\" fill=\"ffffff\"/>",
             "<td style=\"background-color:#ffffff;\">"),
    cellCase("AutoFillIsDefaultGrey", "<shd val=\"clear\" color=\"auto\" fill=\"auto\"/>",
             "<td style=\"background-color:#eeeeee;\">"),
    cellCase("ClearShadingStillGivesBackground", "<shd val=\"clear\" color=\"auto\" fill=\"D9D9D9\"/>",
             "<td style=\"background-color:#D9D9D9;\">"),
    cellCase("FillNotSixCharactersGetsNoHash", "<shd val=\"clear\" fill=\"red\"/>",
             "<td style=\"background-color:red;\">"),
    cellCase("AlignmentWithoutValueIsTop", "<vAlign/>", "<td style=\"vertical-align:top;\">"),
    cellCase("CentredAlignmentIsMiddleWithBlank", "<vAlign val=\"center\"/>", "<td style=\" vertical-align:middle;\">"),
    cellCase("OtherAlignmentAsWritten", "<vAlign val=\"bottom\"/>", "<td style=\" vertical-align:bottom;\">"),
    cellCase("BordersOfAllFourSides",
             "<tcBorders><top val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/><left val=\"single\" "
             "sz=\"4\" space=\"0\" color=\"auto\"/><bottom val=\"single\" sz=\"4\" space=\"0\" "
             "color=\"auto\"/><right val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/></tcBorders>",
             "<td style=\"border:1px solid;\">"),
    cellCase("MarginsArePadding",
             "<tcMar><top w=\"0\" type=\"dxa\"/><left w=\"108\" type=\"dxa\"/><bottom w=\"0\" "
             "type=\"dxa\"/><right w=\"108\" type=\"dxa\"/></tcMar>",
             "<td style=\"padding:0px 7px 0px 7px;\">"),
    cellCase("DeclarationsInElementOrder",
             "<tcW w=\"2880\" type=\"dxa\"/><shd val=\"clear\" color=\"auto\" fill=\"D9D9D9\"/>"
             "<vAlign val=\"bottom\"/>",
             "<td style=\"width:192px;background-color:#D9D9D9; vertical-align:bottom;\">"),
    cellCase("OtherElementsIgnored", "<noWrap/><hideMark/><textDirection val=\"btLr\"/>", "<td>"),
};

TEST_P(CellStyles, CellStartTagCarriesThem) {
  EXPECT_SAME_TEXT(convertTablesIn(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(DocxTable, CellStyles, testing::ValuesIn(kCellStyleCases), caseName);

TEST(DocxTable, CellPropertiesDeletedWhenDisabled) {
  Conversion c;
  c.flags.cellPropertiesEnabled = false;
  c.text = table(row(cell("<tcW w=\"2880\" type=\"dxa\"/>", para("x"))));
  convertTables(c);
  EXPECT_SAME_TEXT(c.text, "<table><tr><td><p>x</p></td></tr></table>");
}

// Row heights and grid columns.
class RowsAndGrid : public testing::TestWithParam<PassCase> {};

PassCase rowCase(std::string_view name, std::string_view props, std::string_view startTag) {
  return {std::string(name), "<tbl><tr><trPr>" + std::string(props) + "</trPr>" + cell("", para("x")) + "</tr></tbl>",
          "<table>" + std::string(startTag) + "<td><p>x</p></td></tr></table>"};
}

const PassCase kRowAndGridCases[] = {
    rowCase("HeightAsFirstChild", "<trHeight val=\"397\"/>", "<tr height=\"26\">"),
    rowCase("HeightWithRuleFirstIsDropped", "<trHeight hRule=\"exact\" val=\"397\"/>", "<tr>"),
    rowCase("HeightNotFirstChildIsDropped", "<cantSplit/><trHeight val=\"397\"/>", "<tr>"),
    rowCase("RestOfRowPropertiesSwallowed", "<trHeight val=\"397\" hRule=\"atLeast\"/><tblHeader/>",
            "<tr height=\"26\">"),
    {"GridColumnsInPixels",
     "<tbl><tblGrid><gridCol w=\"7\"/><gridCol w=\"1440\"/></tblGrid>" + row(cell("", para("x"))) + "</tbl>",
     "<table><col width=\"1\"/><col width=\"96\"/><tr><td><p>x</p></td></tr></table>"},
};

TEST_P(RowsAndGrid, BecomeAttributes) { EXPECT_SAME_TEXT(convertTablesIn(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(DocxTable, RowsAndGrid, testing::ValuesIn(kRowAndGridCases), caseName);

// Vertical merges and grid spans.
class MergedCells : public testing::TestWithParam<PassCase> {};

const PassCase kMergeCases[] = {
    {"MergeOverThreeRows",
     table(row(cell(kRestart, para("A")) + cell("", para("B"))) + row(cell(kContinue, para("gone1")) + cell("", para("C"))) +
           row(cell(kContinue, para("gone2")) + cell("", para("D")))),
     "<table><tr><td rowspan=\"3\"><p>A</p></td><td><p>B</p></td></tr><tr><td><p>C</p></td></tr>"
     "<tr><td><p>D</p></td></tr></table>"},
    {"GridSpanIsColspan", table(row(cell(kSpan2, para("A")))), "<table><tr><td colspan=\"2\"><p>A</p></td></tr></table>"},
    {"MergeAfterSpannedCellCountsGridColumns",
     table(row(cell(kSpan2, para("A")) + cell(kRestart, para("B"))) + row(cell(kSpan2, para("C")) + cell(kContinue, ""))),
     "<table><tr><td colspan=\"2\"><p>A</p></td><td rowspan=\"2\"><p>B</p></td></tr>"
     "<tr><td colspan=\"2\"><p>C</p></td></tr></table>"},
    {"ContinuationsFindStartsByGridColumn",
     table(row(cell(kRestart, para("A")) + cell(kSpan2, para("B")) + cell(kRestart, para("C"))) +
           row(cell(kContinue, "") + cell(kSpan2, para("D")) + cell(kContinue, "")) +
           row(cell(kContinue, "") + cell(kSpan2, para("E")) + cell("", para("F")))),
     "<table><tr><td rowspan=\"3\"><p>A</p></td><td colspan=\"2\"><p>B</p></td><td rowspan=\"2\"><p>C</p></td></tr>"
     "<tr><td colspan=\"2\"><p>D</p></td></tr><tr><td colspan=\"2\"><p>E</p></td><td><p>F</p></td></tr></table>"},
    {"MergedAndSpannedCell",
     table(row(cell("<tcW w=\"2880\" type=\"dxa\"/>" + std::string(kSpan2) + std::string(kRestart), para("A"))) +
           row(cell(std::string(kSpan2) + std::string(kContinue), "")) +
           row(cell(std::string(kSpan2) + std::string(kContinue), ""))),
     "<table><tr><td style=\"width:192px;\" colspan=\"2\" rowspan=\"3\"><p>A</p></td></tr><tr></tr><tr></tr></table>"},
    {"NestedTablesCountTheirOwnMerges",
     "<tbl><tblPr><jc val=\"center\"/></tblPr>" +
         row(cell(kRestart, para("O1")) +
             cell("", "<tbl><tblPr><jc val=\"left\"/></tblPr>" + row(cell(kRestart, para("I1")) + cell("", para("I2"))) +
                          row(cell(kContinue, "") + cell("", para("I3"))) +
                          row(cell(kContinue, "") + cell("", para("I4"))) + "</tbl>")) +
         row(cell(kContinue, "") + cell("", para("O2"))) + "</tbl>",
     "<table align=\"center\"><tr><td rowspan=\"2\"><p>O1</p></td><td><table align=\"left\"><tr><td rowspan=\"3\">"
     "<p>I1</p></td><td><p>I2</p></td></tr><tr><td><p>I3</p></td></tr><tr><td><p>I4</p></td></tr></table></td></tr>"
     "<tr><td><p>O2</p></td></tr></table>"},
    {"ContinuationNeverExtendsAnotherTable",
     table(row(cell(kRestart, para("A"))) + row(cell(kContinue, ""))) +
         table(row(cell("", para("B"))) + row(cell(kContinue, ""))),
     "<table><tr><td rowspan=\"2\"><p>A</p></td></tr><tr></tr></table><table><tr><td><p>B</p></td></tr><tr></tr></table>"},
    {"ContinuationsKeptWithoutAnyMergeStart", table(row(cell(kContinue, para("kept")))),
     "<table><tr><td><p>kept</p></td></tr></table>"},
    {"MergeStartOutsideRowGetsNoRowSpan", table(cell(kRestart, para("A"))), "<table><td><p>A</p></td></table>"},
    {"MergeInChangeRecordDoesNotDropTheCell",
     table(row(cell(kRestart, para("A"))) +
           row(cell("<tcW w=\"2880\" type=\"dxa\"/><tcPrChange id=\"1\"><tcPr><vMerge/></tcPr></tcPrChange>",
                    para("kept")))),
     "<table><tr><td rowspan=\"1\"><p>A</p></td></tr><tr><td style=\"width:192px;\"></tcPrChange></tcPr><p>kept</p></td></tr>"
     "</table>"},
};

TEST_P(MergedCells, BecomeSpans) { EXPECT_SAME_TEXT(convertTablesIn(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(DocxTable, MergedCells, testing::ValuesIn(kMergeCases), caseName);

TEST(DocxTable, SpanThatIsNotANumberEndsTheConversionInAMergedRow) {
  const std::string input = table(row(cell("<gridSpan val=\"two\"/>", para("A")) + cell(kRestart, para("B"))) +
                                  row(cell("", "") + cell(kContinue, "")));
  EXPECT_THROW(convertTablesIn(input), EConvertError);
}

// Damaged input: whatever cannot be converted stays as it stands, and nothing else is lost.
class DamagedTables : public testing::TestWithParam<PassCase> {};

const PassCase kDamagedCases[] = {
    {"UnclosedTablePropertiesStay", "<tbl><tblPr><jc val=\"center\"/>" + row(cell("", para("A"))) + "</tbl>",
     "<table><tblPr><jc val=\"center\"/><tr><td><p>A</p></td></tr></table>"},
    {"UnclosedTablePropertiesBeforeAnotherTable",
     "<tbl><tblPr><jc val=\"center\"/>" + row(cell("", para("A"))) + "</tbl><tbl><tblPr><jc val=\"right\"/></tblPr>" +
         row(cell("", para("B"))) + "</tbl>",
     "<table><tblPr><jc val=\"center\"/><tr><td><p>A</p></td></tr></table>"
     "<table align=\"right\"><tr><td><p>B</p></td></tr></table>"},
    {"TablePropertiesWithoutTableStay", "<tblPr><jc val=\"center\"/></tblPr><p>A</p>",
     "<tblPr><jc val=\"center\"/></tblPr><p>A</p>"},
    {"UnclosedCellPropertiesKeepTheCellContent",
     table(row("<tc><tcPr><tcW w=\"2880\" type=\"dxa\"/><p>A</p></tc>" + cell("<tcW w=\"1440\" type=\"dxa\"/>", para("B")))),
     "<table><tr><td><tcPr><tcW w=\"2880\" type=\"dxa\"/><p>A</p></td><td style=\"width:96px;\"><p>B</p></td></tr>"
     "</table>"},
    {"SecondCellPropertyBlockIsNotRepeated",
     table(row(cell("<tcW w=\"1440\" type=\"dxa\"/>", para("A") + "<tcPr><shd val=\"clear\" fill=\"FF0000\"/></tcPr>"))),
     "<table><tr><td style=\"width:96px;\"><p>A</p><tcPr><shd val=\"clear\" fill=\"FF0000\"/></tcPr></td></tr>"
     "</table>"},
    {"CellPropertiesWithoutCellStay", "<p>x</p><tcPr><tcW w=\"2880\" type=\"dxa\"/></tcPr>",
     "<p>x</p><tcPr><tcW w=\"2880\" type=\"dxa\"/></tcPr>"},
    {"UnclosedContinuationCellStays",
     table(row(cell(kRestart, para("A"))) + "<tr><tc><tcPr><vMerge/></tcPr><p>B</p></tr>"),
     "<table><tr><td rowspan=\"2\"><p>A</p></td></tr><tr><td><p>B</p></tr></table>"},
    {"SpanWithoutClosingQuoteIgnored", table(row("<tc><gridSpan val=\"2/><p>A</p></tc>")),
     "<table><tr><td><gridSpan val=\"2/><p>A</p></td></tr></table>"},
    {"TableStartWithAttributesAndProperties",
     "<tbl xmlns:w14=\"x\"><tblPr><jc val=\"center\"/></tblPr>" + row(cell("", para("A"))) + "</tbl>",
     "<table align=\"center\" xmlns:w14=\"x\"><tr><td><p>A</p></td></tr></table>"},
    {"TableStartWithAttributesOnly", "<tbl xmlns:w14=\"x\">" + row(cell("", para("A"))) + "</tbl>",
     "<table xmlns:w14=\"x\"><tr><td><p>A</p></td></tr></table>"},
    {"LineBreaksAroundThePropertyBlockStay",
     "<tbl>\n  <tblPr>\n    <jc val=\"center\"/>\n  </tblPr>\n  " + row(cell("", para("A"))) + "</tbl>",
     "<table align=\"center\">\n  \n  <tr><td><p>A</p></td></tr></table>"},
};

TEST_P(DamagedTables, LoseNothing) { EXPECT_SAME_TEXT(convertTablesIn(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(DocxTable, DamagedTables, testing::ValuesIn(kDamagedCases), caseName);

// Hostile documents: only a sane result is checked; ctest's timeout catches a hang.
struct HostileCase {
  std::string_view name;
  std::string (*make)();
  std::string_view marker;  // must come out exactly count times
  std::size_t count;
};

constexpr std::size_t kMany = 100000;
constexpr std::size_t kDeep = 10000;

std::string repeat(std::string_view piece, std::size_t times) {
  std::string s;
  s.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) s += piece;
  return s;
}

std::string nestedMergedTables() {
  const std::string open = "<tbl><tblPr><tblW w=\"5000\" type=\"pct\"/></tblPr><tblGrid><gridCol w=\"100\"/></tblGrid>"
                           "<tr><tc><tcPr><vMerge val=\"restart\"/></tcPr>";
  const std::string close = "</tc></tr><tr><tc><tcPr><vMerge/></tcPr><p/></tc></tr></tbl>";
  return repeat(open, kDeep) + "<p>core</p>" + repeat(close, kDeep);
}
std::string unclosedCellProperties() {
  return repeat("<tc><tcPr><tcW w=\"15\" type=\"dxa\"/><p>x</p></tc>", kMany) + cell("<vAlign/>", "");
}
std::string unclosedTableProperties() {
  return repeat("<tbl><tblPr><jc val=\"center\"/><tr><tc><p>x</p></tc></tr></tbl>", kMany) +
         "<tbl><tblPr></tblPr></tbl>";
}
std::string unclosedRowProperties() {
  return "<tbl><tr><trPr></trPr></tr>" + repeat("<tr><trPr><trHeight val=\"397\"/><tc><p>x</p></tc></tr>", kMany) +
         "</tbl>";
}
std::string unclosedContinuationCells() {
  return "<tbl>" + row(cell(kRestart, "")) + repeat("<tr><tc><tcPr><vMerge/></tcPr><p>x</p></tr>", kMany) + "</tbl>";
}
std::string propertyBlocksWithoutTables() {
  return repeat("<tblPr><jc val=\"left\"/></tblPr><tcPr><tcW w=\"15\"/></tcPr><p>x</p>", kMany);
}
std::string spansWithoutQuotes() { return "<tbl><tr>" + repeat("<tc><gridSpan val=\"2/><p>x</p>", kMany) + "</tr></tbl>"; }
std::string mergesWithoutCells() { return repeat("<vMerge val=\"restart\"/><vMerge/><gridSpan val=\"3\"/><p>x</p>", kMany); }

const HostileCase kHostileCases[] = {
    {"TenThousandNestedMergedTables", nestedMergedTables, "<td rowspan=\"2\">", kDeep},
    {"UnclosedCellProperties", unclosedCellProperties, "<p>x</p>", kMany},
    {"UnclosedTableProperties", unclosedTableProperties, "<p>x</p>", kMany},
    {"UnclosedRowProperties", unclosedRowProperties, "<p>x</p>", kMany},
    {"UnclosedContinuationCells", unclosedContinuationCells, "<p>x</p>", kMany},
    {"PropertyBlocksWithoutTables", propertyBlocksWithoutTables, "<p>x</p>", kMany},
    {"SpansWithoutQuotes", spansWithoutQuotes, "<p>x</p>", kMany},
    {"MergesWithoutCells", mergesWithoutCells, "<p>x</p>", kMany},
};

std::size_t occurrences(std::string_view text, std::string_view marker) {
  std::size_t n = 0;
  for (std::size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1)) ++n;
  return n;
}

class HostileTables : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileTables, ConvertWithEveryParagraphKept) {
  const std::string out = convertTablesIn(GetParam().make());
  EXPECT_EQ(occurrences(out, GetParam().marker), GetParam().count);
}
INSTANTIATE_TEST_SUITE_P(DocxTable, HostileTables, testing::ValuesIn(kHostileCases), caseName);

}  // namespace
}  // namespace vellumine
