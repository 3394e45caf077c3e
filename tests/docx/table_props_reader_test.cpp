// w:tblPr, w:trPr and w:tcPr: one table of rows per block, each row the block's children and every
// field they must set (all others absent).
#include "docx/property_reader.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

template <typename Props>
struct BlockCase {
  const char* name;
  const char* inner;
  void (*expect)(Props& p);
  int warnings = 0;
};

constexpr TableWidth dxa(int twips) { return TableWidth{WidthType::dxa, twips}; }
constexpr TableWidth pct(int fiftieths) { return TableWidth{WidthType::pct, fiftieths}; }
Border single(int eighths) { return Border{BorderStyle::single, eighths, 0, Color{true}}; }

const BlockCase<TableProps> kTableCases[] = {
    {"TableStyle", R"(<w:tblStyle w:val="TableGrid"/>)", [](TableProps& p) { p.styleId = "TableGrid"; }},
    {"WidthTwips", R"(<w:tblW w:w="5000" w:type="dxa"/>)", [](TableProps& p) { p.width = dxa(5000); }},
    {"WidthFiftiethsOfPercent", R"(<w:tblW w:w="5000" w:type="pct"/>)", [](TableProps& p) { p.width = pct(5000); }},
    {"WidthStrictPercent", R"(<w:tblW w:w="50%" w:type="pct"/>)", [](TableProps& p) { p.width = pct(2500); }},
    {"WidthPercentSignWithoutType", R"(<w:tblW w:w="100%"/>)", [](TableProps& p) { p.width = pct(5000); }},
    {"WidthWithoutTypeIsTwips", R"(<w:tblW w:w="2000"/>)", [](TableProps& p) { p.width = dxa(2000); }},
    {"WidthAuto", R"(<w:tblW w:w="0" w:type="auto"/>)", [](TableProps& p) { p.width = TableWidth{}; }},
    {"WidthMalformedAbsent", R"(<w:tblW w:w="wide" w:type="dxa"/>)", [](TableProps&) {}, 1},
    {"Indent", R"(<w:tblInd w:w="108" w:type="dxa"/>)", [](TableProps& p) { p.indent = dxa(108); }},
    {"LayoutFixed", R"(<w:tblLayout w:type="fixed"/>)", [](TableProps& p) { p.layout = TableLayout::fixed; }},
    {"Borders",
     R"(<w:tblBorders><w:top w:val="single" w:sz="4"/><w:left w:val="single" w:sz="6"/><w:bottom w:val="single" w:sz="8"/>)"
     R"(<w:right w:val="single" w:sz="10"/><w:insideH w:val="single" w:sz="2"/><w:insideV w:val="single" w:sz="12"/></w:tblBorders>)",
     [](TableProps& p) {
       p.borders = TableBorders{single(4), single(6), single(8), single(10), single(2), single(12)};
     }},
    {"BordersStartEndNames", R"(<w:tblBorders><w:start w:val="single" w:sz="4"/><w:end w:val="none"/></w:tblBorders>)",
     [](TableProps& p) {
       p.borders.start = single(4);
       p.borders.end = Border{};
     }},
    {"Shading", R"(<w:shd w:val="clear" w:color="auto" w:fill="E7E6E6"/>)",
     [](TableProps& p) { p.shading = Shading{ShadingPattern::clear, 0, Color{true}, Color{false, 0xE7E6E6}}; }},
    {"CellMargins",
     R"(<w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar>)",
     [](TableProps& p) { p.cellMargins = CellMargins{dxa(0), dxa(108), dxa(0), dxa(108)}; }},
    {"CellSpacing", R"(<w:tblCellSpacing w:w="20" w:type="dxa"/>)", [](TableProps& p) { p.cellSpacing = dxa(20); }},
    {"LookFromHex", R"(<w:tblLook w:val="04A0"/>)",
     [](TableProps& p) { p.look = TableLook{true, false, true, false, false, true}; }},
    {"LookFromAttributes",
     R"(<w:tblLook w:firstRow="1" w:lastRow="1" w:firstColumn="0" w:lastColumn="1" w:noHBand="1" w:noVBand="0"/>)",
     [](TableProps& p) { p.look = TableLook{true, true, false, true, true, false}; }},
    {"LookAttributesOverHex", R"(<w:tblLook w:val="0020" w:firstRow="0" w:noHBand="1"/>)",
     [](TableProps& p) { p.look = TableLook{false, false, false, false, true, false}; }},
    {"LookMalformedHexStillALook", R"(<w:tblLook w:val="zz"/>)", [](TableProps& p) { p.look = TableLook{}; }, 1},
    {"BandSizes", R"(<w:tblStyleRowBandSize w:val="2"/><w:tblStyleColBandSize w:val="0"/>)", [](TableProps& p) {
       p.rowBandSize = 2;
       p.columnBandSize = 1;
     }},
    {"RightToLeftAndFloating", R"(<w:bidiVisual/><w:tblpPr w:leftFromText="180" w:tblpY="1"/><w:tblOverlap w:val="never"/>)",
     [](TableProps& p) {
       p.bidiVisual = true;
       p.floating = true;
     }},
};

const BlockCase<RowProps> kRowCases[] = {
    {"HeightExact", R"(<w:trHeight w:val="400" w:hRule="exact"/>)", [](RowProps& p) {
       p.height = 400;
       p.heightRule = HeightRule::exact;
     }},
    {"HeightWithoutRuleIsAMinimum", R"(<w:trHeight w:val="400"/>)", [](RowProps& p) {
       p.height = 400;
       p.heightRule = HeightRule::atLeast;
     }},
    {"HeightPastWordsTallestClamped", R"(<w:trHeight w:val="99999999" w:hRule="auto"/>)", [](RowProps& p) {
       p.height = 31680;
       p.heightRule = HeightRule::auto_;
     }},
    {"Switches", R"(<w:tblHeader/><w:cantSplit w:val="1"/><w:hidden w:val="0"/>)", [](RowProps& p) {
       p.header = p.cantSplit = true;
       p.hidden = false;
     }},
    {"GridBeforeAndAfter", R"(<w:gridBefore w:val="1"/><w:gridAfter w:val="2"/><w:wBefore w:w="500" w:type="dxa"/><w:wAfter w:w="0" w:type="auto"/>)",
     [](RowProps& p) {
       p.gridBefore = 1;
       p.gridAfter = 2;
       p.widthBefore = dxa(500);
       p.widthAfter = TableWidth{};
     }},
    {"GridCountsBounded", R"(<w:gridBefore w:val="2000000000"/><w:gridAfter w:val="-5"/>)", [](RowProps& p) {
       p.gridBefore = 1024;
       p.gridAfter = 0;
     }},
    {"JustifiedAndSpaced", R"(<w:jc w:val="right"/><w:tblCellSpacing w:w="15" w:type="dxa"/>)", [](RowProps& p) {
       p.justification = Justification::end;
       p.cellSpacing = dxa(15);
     }},
    {"MalformedGridAbsent", R"(<w:gridBefore w:val="one"/>)", [](RowProps&) {}, 1},
};

const BlockCase<CellProps> kCellCases[] = {
    {"Width", R"(<w:tcW w:w="2394" w:type="dxa"/>)", [](CellProps& p) { p.width = dxa(2394); }},
    {"GridSpan", R"(<w:gridSpan w:val="3"/>)", [](CellProps& p) { p.gridSpan = 3; }},
    {"GridSpanZeroIsOne", R"(<w:gridSpan w:val="0"/>)", [](CellProps& p) { p.gridSpan = 1; }},
    {"GridSpanHugeBounded", R"(<w:gridSpan w:val="99999999999"/>)", [](CellProps& p) { p.gridSpan = 1024; }},
    {"VerticalMergeRestart", R"(<w:vMerge w:val="restart"/>)", [](CellProps& p) { p.verticalMerge = VerticalMerge::restart; }},
    {"VerticalMergeWithoutValueContinues", R"(<w:vMerge/>)", [](CellProps& p) { p.verticalMerge = VerticalMerge::continue_; }},
    {"HorizontalMerge", R"(<w:hMerge w:val="restart"/>)", [](CellProps& p) { p.horizontalMerge = VerticalMerge::restart; }},
    {"BordersWithDiagonals",
     R"(<w:tcBorders><w:top w:val="single" w:sz="4"/><w:start w:val="single" w:sz="6"/><w:bottom w:val="nil"/>)"
     R"(<w:end w:val="single" w:sz="8"/><w:insideH w:val="single" w:sz="1"/><w:insideV w:val="single" w:sz="2"/>)"
     R"(<w:tl2br w:val="single" w:sz="3"/><w:tr2bl w:val="single" w:sz="5"/></w:tcBorders>)",
     [](CellProps& p) {
       p.borders = CellBorders{single(4), single(6), Border{}, single(8), single(1), single(2), single(3), single(5)};
     }},
    {"ShadingThemed", R"(<w:shd w:val="clear" w:color="auto" w:fill="4472C4" w:themeFill="accent1"/>)", [](CellProps& p) {
       p.shading = Shading{ShadingPattern::clear, 0, Color{true}, Color{false, 0x4472C4, ThemeColor::accent1}};
     }},
    {"Margins", R"(<w:tcMar><w:start w:w="0" w:type="dxa"/><w:end w:w="5%"/></w:tcMar>)", [](CellProps& p) {
       p.margins.start = dxa(0);
       p.margins.end = pct(250);
     }},
    {"Switches", R"(<w:noWrap/><w:hideMark/>)", [](CellProps& p) { p.noWrap = p.hideMark = true; }},
    {"VerticallyCentred", R"(<w:vAlign w:val="center"/>)", [](CellProps& p) { p.verticalAlign = CellAlign::center; }},
    {"VerticallyJustifiedIsTop", R"(<w:vAlign w:val="both"/>)", [](CellProps& p) { p.verticalAlign = CellAlign::top; }},
    {"TextDirectionAsWritten", R"(<w:textDirection w:val="btLr"/>)", [](CellProps& p) { p.textDirection = "btLr"; }},
    {"RevisionMarksSkipped", R"(<w:cellIns w:id="1"/><w:tcPrChange><w:tcPr><w:noWrap/></w:tcPr></w:tcPrChange>)",
     [](CellProps&) {}},
};

template <typename Props>
void checkBlock(const BlockCase<Props>& c, Props (*read)(const pugi::xml_node&, Warnings&), const std::string& xml) {
  ParsedXml parsed(xml);
  Warnings warnings;
  Props expected;
  c.expect(expected);
  EXPECT_EQ(read(parsed.root(), warnings), expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

class TablePropsReader : public testing::TestWithParam<BlockCase<TableProps>> {};
TEST_P(TablePropsReader, ReadsEachPropertyAndNothingElse) {
  checkBlock<TableProps>(GetParam(), readTableProps, test::tblPr(GetParam().inner));
}
INSTANTIATE_TEST_SUITE_P(Rows, TablePropsReader, testing::ValuesIn(kTableCases), test::caseName);

class RowPropsReader : public testing::TestWithParam<BlockCase<RowProps>> {};
TEST_P(RowPropsReader, ReadsEachPropertyAndNothingElse) {
  checkBlock<RowProps>(GetParam(), readRowProps, test::trPr(GetParam().inner));
}
INSTANTIATE_TEST_SUITE_P(Rows, RowPropsReader, testing::ValuesIn(kRowCases), test::caseName);

class CellPropsReader : public testing::TestWithParam<BlockCase<CellProps>> {};
TEST_P(CellPropsReader, ReadsEachPropertyAndNothingElse) {
  checkBlock<CellProps>(GetParam(), readCellProps, test::tcPr(GetParam().inner));
}
INSTANTIATE_TEST_SUITE_P(Rows, CellPropsReader, testing::ValuesIn(kCellCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
