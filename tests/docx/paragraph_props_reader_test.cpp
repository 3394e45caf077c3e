// w:pPr: each row a paragraph property block and every field it must set (all others absent).
#include "docx/property_reader.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct ParagraphCase {
  const char* name;
  const char* inner;                  // the children of w:pPr
  void (*expect)(ParagraphProps& p);  // sets what the block must give
  int warnings = 0;
};

Border line(BorderStyle style, int eighths, std::uint32_t color) { return Border{style, eighths, 0, Color{false, color}}; }

const ParagraphCase kParagraphCases[] = {
    {"ParagraphStyle", R"(<w:pStyle w:val="Heading1"/>)", [](ParagraphProps& p) { p.styleId = "Heading1"; }},
    {"Switches",
     R"(<w:keepNext/><w:keepLines w:val="0"/><w:pageBreakBefore/><w:widowControl w:val="off"/>)"
     R"(<w:contextualSpacing/><w:bidi/><w:suppressLineNumbers/>)",
     [](ParagraphProps& p) {
       p.keepNext = p.pageBreakBefore = p.contextualSpacing = p.bidi = p.suppressLineNumbers = true;
       p.keepLines = p.widowControl = false;
     }},
    {"JustifyLeftIsStart", R"(<w:jc w:val="left"/>)", [](ParagraphProps& p) { p.justification = Justification::start; }},
    {"JustifyRightIsEnd", R"(<w:jc w:val="right"/>)", [](ParagraphProps& p) { p.justification = Justification::end; }},
    {"JustifyBoth", R"(<w:jc w:val="both"/>)", [](ParagraphProps& p) { p.justification = Justification::both; }},
    {"JustifyDistribute", R"(<w:jc w:val="distribute"/>)",
     [](ParagraphProps& p) { p.justification = Justification::distribute; }},
    {"JustifyKashidaIsBoth", R"(<w:jc w:val="mediumKashida"/>)", [](ParagraphProps& p) { p.justification = Justification::both; }},
    {"JustifyThaiIsBoth", R"(<w:jc w:val="thaiDistribute"/>)", [](ParagraphProps& p) { p.justification = Justification::both; }},
    {"JustifyUnknownAbsent", R"(<w:jc w:val="sideways"/>)", [](ParagraphProps&) {}},
    {"SpacingBeforeAfterAutoLine", R"(<w:spacing w:before="120" w:after="240" w:line="276" w:lineRule="auto"/>)",
     [](ParagraphProps& p) {
       p.spacing.before = 120;
       p.spacing.after = 240;
       p.spacing.line = 276;
       p.spacing.lineRule = LineRule::auto_;
     }},
    {"SpacingExactLineStrictPoints", R"(<w:spacing w:line="12pt" w:lineRule="exact"/>)", [](ParagraphProps& p) {
       p.spacing.line = 240;
       p.spacing.lineRule = LineRule::exact;
     }},
    {"SpacingAutospacingAndLines",
     R"(<w:spacing w:beforeAutospacing="1" w:afterAutospacing="0" w:beforeLines="100" w:afterLines="50"/>)",
     [](ParagraphProps& p) {
       p.spacing.beforeAutospacing = true;
       p.spacing.afterAutospacing = false;
       p.spacing.beforeLines = 100;
       p.spacing.afterLines = 50;
     }},
    {"SpacingMalformedBeforeAbsent", R"(<w:spacing w:before="x" w:after="0"/>)",
     [](ParagraphProps& p) { p.spacing.after = 0; }, 1},
    {"IndentLeftRightFirstLine", R"(<w:ind w:left="720" w:right="360" w:firstLine="360"/>)", [](ParagraphProps& p) {
       p.indentation = Indentation{720, 360, 360};
     }},
    {"IndentStartEnd", R"(<w:ind w:start="1440" w:end="720"/>)",
     [](ParagraphProps& p) { p.indentation = Indentation{1440, 720, std::nullopt}; }},
    {"IndentStartBeforeLeft", R"(<w:ind w:left="100" w:start="200"/>)",
     [](ParagraphProps& p) { p.indentation.start = 200; }},
    {"IndentHangingIsNegativeFirstLine", R"(<w:ind w:left="720" w:hanging="360"/>)",
     [](ParagraphProps& p) { p.indentation = Indentation{720, std::nullopt, -360}; }},
    {"IndentHangingWinsOverFirstLine", R"(<w:ind w:firstLine="200" w:hanging="360"/>)",
     [](ParagraphProps& p) { p.indentation.firstLine = -360; }},
    {"IndentMalformedHangingLeavesFirstLine", R"(<w:ind w:firstLine="200" w:hanging="wide"/>)",
     [](ParagraphProps& p) { p.indentation.firstLine = 200; }, 1},
    {"IndentCharacterUnitsIgnored", R"(<w:ind w:leftChars="200" w:firstLineChars="100" w:hangingChars="50"/>)",
     [](ParagraphProps&) {}},
    {"NumberingReference", R"(<w:numPr><w:ilvl w:val="1"/><w:numId w:val="3"/></w:numPr>)",
     [](ParagraphProps& p) { p.numbering = NumberingRef{3, 1}; }},
    {"NumberingZeroRemovesList", R"(<w:numPr><w:numId w:val="0"/></w:numPr>)",
     [](ParagraphProps& p) { p.numbering.numId = 0; }},
    {"NumberingLevelClampedToNine", R"(<w:numPr><w:ilvl w:val="12"/><w:numId w:val="2"/></w:numPr>)",
     [](ParagraphProps& p) { p.numbering = NumberingRef{2, 8}; }},
    {"BordersEverySide",
     R"(<w:pBdr><w:top w:val="single" w:sz="4" w:color="FF0000"/><w:left w:val="double" w:sz="6" w:color="00FF00"/>)"
     R"(<w:bottom w:val="dotted" w:sz="8" w:color="0000FF"/><w:right w:val="thinThickSmallGap" w:sz="12" w:color="000000"/>)"
     R"(<w:between w:val="dashed" w:sz="2" w:color="111111"/><w:bar w:val="wave" w:sz="6" w:color="222222"/></w:pBdr>)",
     [](ParagraphProps& p) {
       p.borders.top = line(BorderStyle::single, 4, 0xFF0000);
       p.borders.start = line(BorderStyle::double_, 6, 0x00FF00);
       p.borders.bottom = line(BorderStyle::dotted, 8, 0x0000FF);
       p.borders.end = line(BorderStyle::thinThickSmallGap, 12, 0x000000);
       p.borders.between = line(BorderStyle::dashed, 2, 0x111111);
       p.borders.bar = line(BorderStyle::wave, 6, 0x222222);
     }},
    {"BorderArtIsSingleNilIsNone",
     R"(<w:pBdr><w:top w:val="apples" w:sz="20" w:color="auto"/><w:start w:val="nil"/><w:end w:val="threeDEmboss" w:shadow="1"/></w:pBdr>)",
     [](ParagraphProps& p) {
       p.borders.top = Border{BorderStyle::single, 20, 0, Color{true}};
       p.borders.start = Border{};
       p.borders.end = Border{BorderStyle::threeDEmboss, 0, 0, Color{true}, true};
     }},
    {"BorderMalformedWidthKeepsTheRest", R"(<w:pBdr><w:top w:val="single" w:sz="thin" w:space="1"/></w:pBdr>)",
     [](ParagraphProps& p) { p.borders.top = Border{BorderStyle::single, 0, 1, Color{true}}; }, 1},
    {"ShadingPercent", R"(<w:shd w:val="pct10" w:color="000000" w:fill="FFFFFF"/>)", [](ParagraphProps& p) {
       p.shading = Shading{ShadingPattern::percent, 10, Color{false, 0}, Color{false, 0xFFFFFF}};
     }},
    {"TabsAlignedWithLeaders",
     R"(<w:tabs><w:tab w:val="left" w:pos="720"/><w:tab w:val="right" w:leader="dot" w:pos="9350"/>)"
     R"(<w:tab w:val="clear" w:pos="1440"/><w:tab w:val="decimal" w:leader="middleDot" w:pos="5000"/></w:tabs>)",
     [](ParagraphProps& p) {
       p.tabs = {{720, TabAlignment::start, TabLeader::none},
                 {9350, TabAlignment::end, TabLeader::dot},
                 {1440, TabAlignment::clear, TabLeader::none},
                 {5000, TabAlignment::decimal, TabLeader::middleDot}};
     }},
    {"TabsOtherWords",
     R"(<w:tabs><w:tab w:val="center" w:pos="1"/><w:tab w:val="bar" w:pos="2"/><w:tab w:val="num" w:pos="3"/>)"
     R"(<w:tab w:val="end" w:leader="underscore" w:pos="4"/><w:tab w:val="middle" w:leader="heavy" w:pos="5"/></w:tabs>)",
     [](ParagraphProps& p) {
       p.tabs = {{1, TabAlignment::center, TabLeader::none},
                 {2, TabAlignment::bar, TabLeader::none},
                 {3, TabAlignment::num, TabLeader::none},
                 {4, TabAlignment::end, TabLeader::underscore},
                 {5, TabAlignment::start, TabLeader::heavy}};
     }},
    {"TabWithoutPositionLeftOut", R"(<w:tabs><w:tab w:val="left"/><w:tab w:val="left" w:pos="1in"/></w:tabs>)",
     [](ParagraphProps& p) { p.tabs = {{1440, TabAlignment::start, TabLeader::none}}; }},
    {"OutlineLevel", R"(<w:outlineLvl w:val="2"/>)", [](ParagraphProps& p) { p.outlineLevel = 2; }},
    {"OutlineLevelClampedToBodyText", R"(<w:outlineLvl w:val="12"/>)", [](ParagraphProps& p) { p.outlineLevel = 9; }},
    {"DropCapOfThreeLines", R"(<w:framePr w:dropCap="drop" w:lines="3" w:wrap="around"/>)",
     [](ParagraphProps& p) { p.frame = FrameProps{DropCap::drop, 3}; }},
    {"FrameWithoutDropCap", R"(<w:framePr w:w="2000" w:hAnchor="page"/>)",
     [](ParagraphProps& p) { p.frame = FrameProps{}; }},
    {"MarginDropCapLinesBounded", R"(<w:framePr w:dropCap="margin" w:lines="400"/>)",
     [](ParagraphProps& p) { p.frame = FrameProps{DropCap::margin, 10}; }},
    {"ParagraphMarkRunProps", R"(<w:rPr><w:b/><w:sz w:val="32"/></w:rPr>)", [](ParagraphProps& p) {
       p.markRunProps.bold = true;
       p.markRunProps.size = 32;
     }},
    {"SectionBreakLeftToTheDocumentReader", R"(<w:sectPr><w:pgSz w:w="1"/></w:sectPr><w:pPrChange/>)",
     [](ParagraphProps&) {}},
};

class ParagraphPropsReader : public testing::TestWithParam<ParagraphCase> {};

TEST_P(ParagraphPropsReader, ReadsEachPropertyAndNothingElse) {
  const ParagraphCase& c = GetParam();
  ParsedXml xml(test::pPr(c.inner));
  Warnings warnings;
  ParagraphProps expected;
  c.expect(expected);
  EXPECT_EQ(readParagraphProps(xml.root(), warnings), expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParagraphPropsReader, testing::ValuesIn(kParagraphCases), test::caseName);

// Word keeps 64 stops; a style with a hundred thousand keeps the first 64, in order.
TEST(ParagraphPropsReaderBounds, AHundredThousandTabStopsKeepSixtyFour) {
  std::string tabs;
  for (int i = 1; i <= 100000; ++i) tabs += "<w:tab w:val=\"left\" w:pos=\"" + std::to_string(i) + "\"/>";
  ParsedXml xml(test::pPr(test::wrapIn("w:tabs", tabs)));
  Warnings warnings;
  const ParagraphProps props = readParagraphProps(xml.root(), warnings);
  ASSERT_EQ(props.tabs.size(), 64u);
  EXPECT_EQ(props.tabs.front().position, 1);
  EXPECT_EQ(props.tabs.back().position, 64);
}

}  // namespace
}  // namespace vellumine::docx
