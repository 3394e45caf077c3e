// The style part: each row a w:styles body and what the reader must make of it (defaults, a style's
// fields, chains as written, duplicates, table style regions, bounds).
#include "docx/part_readers.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct StylesCase {
  const char* name;
  const char* inner;                  // the children of w:styles
  void (*check)(const Styles& styles);
};

const Style& only(const Styles& styles) {
  static const Style none;
  EXPECT_EQ(styles.styles.size(), 1u);
  return styles.styles.empty() ? none : styles.styles.front();
}

const StylesCase kStylesCases[] = {
    {"DocumentDefaults",
     R"(<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme="minorHAnsi"/><w:sz w:val="22"/></w:rPr></w:rPrDefault>)"
     R"(<w:pPrDefault><w:pPr><w:spacing w:after="160" w:line="259" w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults>)",
     [](const Styles& s) {
       EXPECT_EQ(s.defaultRun.size, 22);
       EXPECT_EQ(s.defaultRun.fonts.ascii.theme, ThemeFont::minorHAnsi);
       EXPECT_EQ(s.defaultParagraph.spacing.after, 160);
       EXPECT_EQ(s.defaultParagraph.spacing.line, 259);
       EXPECT_TRUE(s.styles.empty());
     }},
    {"ParagraphStyleFields",
     R"(<w:style w:type="paragraph" w:default="1" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/>)"
     R"(<w:next w:val="Normal"/><w:link w:val="Heading1Char"/><w:pPr><w:keepNext/><w:outlineLvl w:val="0"/></w:pPr>)"
     R"(<w:rPr><w:b/><w:color w:val="2F5496" w:themeColor="accent1" w:themeShade="BF"/></w:rPr></w:style>)",
     [](const Styles& s) {
       const Style& style = only(s);
       EXPECT_EQ(style.type, StyleType::paragraph);
       EXPECT_EQ(style.styleId, "Heading1");
       EXPECT_EQ(style.name, "heading 1");
       EXPECT_EQ(style.basedOn, "Normal");
       EXPECT_EQ(style.next, "Normal");
       EXPECT_EQ(style.link, "Heading1Char");
       EXPECT_TRUE(style.isDefault);
       EXPECT_EQ(style.paragraph.keepNext, true);
       EXPECT_EQ(style.paragraph.outlineLevel, 0);
       EXPECT_EQ(style.run.bold, true);
       EXPECT_EQ(style.run.color, (Color{false, 0x2F5496, ThemeColor::accent1, 255, 0xBF}));
       EXPECT_EQ(s.find("Heading1"), &style);
     }},
    {"TypesByWord",
     R"(<w:style w:type="character" w:styleId="Strong"/><w:style w:type="table" w:styleId="Grid"/>)"
     R"(<w:style w:type="numbering" w:styleId="List"/><w:style w:styleId="Untyped"/>)",
     [](const Styles& s) {
       ASSERT_EQ(s.styles.size(), 4u);
       EXPECT_EQ(s.find("Strong")->type, StyleType::character);
       EXPECT_EQ(s.find("Grid")->type, StyleType::table);
       EXPECT_EQ(s.find("List")->type, StyleType::numbering);
       EXPECT_EQ(s.find("Untyped")->type, StyleType::paragraph);
       EXPECT_FALSE(s.find("Strong")->isDefault);
       EXPECT_FALSE(s.find("Strong")->basedOn.has_value());
     }},
    {"ChainsKeptAsWrittenEvenWhenTheyLoop",
     R"(<w:style w:styleId="A"><w:basedOn w:val="B"/></w:style><w:style w:styleId="B"><w:basedOn w:val="A"/></w:style>)"
     R"(<w:style w:styleId="C"><w:basedOn w:val="Missing"/></w:style>)",
     [](const Styles& s) {
       EXPECT_EQ(s.find("A")->basedOn, "B");
       EXPECT_EQ(s.find("B")->basedOn, "A");
       EXPECT_EQ(s.find("C")->basedOn, "Missing");
       EXPECT_EQ(s.find("Missing"), nullptr);
     }},
    {"DuplicateIdFirstWins",
     R"(<w:style w:styleId="Normal"><w:rPr><w:sz w:val="20"/></w:rPr></w:style>)"
     R"(<w:style w:styleId="Normal"><w:rPr><w:sz w:val="40"/></w:rPr></w:style>)",
     [](const Styles& s) {
       ASSERT_EQ(s.styles.size(), 2u);
       EXPECT_EQ(s.find("Normal")->run.size, 20);
       EXPECT_EQ(s.styles[1].run.size, 40);
     }},
    {"StyleWithoutIdKeptButNotFound", R"(<w:style w:type="paragraph"><w:name w:val="nameless"/></w:style>)",
     [](const Styles& s) {
       EXPECT_EQ(only(s).name, "nameless");
       EXPECT_TRUE(s.byId.empty());
     }},
    {"TableStyleBlocksAndRegions",
     R"(<w:style w:type="table" w:styleId="GridTable4"><w:tblPr><w:tblStyleRowBandSize w:val="1"/><w:tblBorders>)"
     R"(<w:insideH w:val="single" w:sz="4"/></w:tblBorders></w:tblPr><w:trPr><w:cantSplit/></w:trPr><w:tcPr><w:vAlign w:val="center"/></w:tcPr>)"
     R"(<w:tblStylePr w:type="firstRow"><w:rPr><w:b/><w:color w:val="FFFFFF"/></w:rPr><w:tcPr><w:shd w:val="clear" w:fill="4472C4"/></w:tcPr></w:tblStylePr>)"
     R"(<w:tblStylePr w:type="band1Horz"><w:tcPr><w:shd w:val="clear" w:fill="D9E2F3"/></w:tcPr></w:tblStylePr>)"
     R"(<w:tblStylePr w:type="neCell"><w:pPr><w:jc w:val="right"/></w:pPr><w:trPr><w:tblHeader/></w:trPr><w:tblPr><w:jc w:val="center"/></w:tblPr></w:tblStylePr>)"
     R"(<w:tblStylePr w:type="diagonal"><w:rPr><w:i/></w:rPr></w:tblStylePr></w:style>)",
     [](const Styles& s) {
       const Style& style = only(s);
       EXPECT_EQ(style.table.rowBandSize, 1);
       EXPECT_TRUE(style.table.borders.insideH.has_value());
       EXPECT_EQ(style.row.cantSplit, true);
       EXPECT_EQ(style.cell.verticalAlign, CellAlign::center);
       const auto& firstRow = style.region(TableRegion::firstRow);
       EXPECT_TRUE(firstRow.present);
       EXPECT_EQ(firstRow.run.bold, true);
       EXPECT_EQ(firstRow.cell.shading->fill.rgb, 0x4472C4u);
       EXPECT_EQ(style.region(TableRegion::band1Horz).cell.shading->fill.rgb, 0xD9E2F3u);
       const auto& corner = style.region(TableRegion::topRightCell);
       EXPECT_EQ(corner.paragraph.justification, Justification::end);
       EXPECT_EQ(corner.row.header, true);
       EXPECT_EQ(corner.table.justification, Justification::center);
       int present = 0;
       for (const auto& region : style.regions) present += region.present ? 1 : 0;
       EXPECT_EQ(present, 3);  // the unknown "diagonal" region is not read
     }},
    {"EveryRegionName",
     R"(<w:style w:type="table" w:styleId="T"><w:tblStylePr w:type="wholeTable"/><w:tblStylePr w:type="band1Vert"/>)"
     R"(<w:tblStylePr w:type="band2Vert"/><w:tblStylePr w:type="band1Horz"/><w:tblStylePr w:type="band2Horz"/>)"
     R"(<w:tblStylePr w:type="firstCol"/><w:tblStylePr w:type="lastCol"/><w:tblStylePr w:type="firstRow"/>)"
     R"(<w:tblStylePr w:type="lastRow"/><w:tblStylePr w:type="neCell"/><w:tblStylePr w:type="nwCell"/>)"
     R"(<w:tblStylePr w:type="seCell"/><w:tblStylePr w:type="swCell"/></w:style>)",
     [](const Styles& s) {
       for (const auto& region : only(s).regions) EXPECT_TRUE(region.present);
     }},
    {"DuplicateRegionFirstWins",
     R"(<w:style w:type="table" w:styleId="T"><w:tblStylePr w:type="lastRow"><w:rPr><w:b/></w:rPr></w:tblStylePr>)"
     R"(<w:tblStylePr w:type="lastRow"><w:rPr><w:i/></w:rPr></w:tblStylePr></w:style>)",
     [](const Styles& s) {
       const auto& region = only(s).region(TableRegion::lastRow);
       EXPECT_EQ(region.run.bold, true);
       EXPECT_FALSE(region.run.italic.has_value());
     }},
};

class StylesReader : public testing::TestWithParam<StylesCase> {};

TEST_P(StylesReader, ReadsThePart) {
  const StylesCase& c = GetParam();
  ParsedXml xml(test::stylesPart(c.inner));
  Warnings warnings;
  c.check(readStyles(xml.root(), warnings));
  EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, StylesReader, testing::ValuesIn(kStylesCases), test::caseName);

TEST(StylesReaderBounds, AHundredThousandEmptyStylesKeepAFewThousand) {
  ParsedXml xml(test::stylesPart(test::repeated(R"(<w:style w:styleId="S"/>)", 100000)));
  Warnings warnings;
  const Styles styles = readStyles(xml.root(), warnings);
  EXPECT_EQ(styles.styles.size(), 4096u);
  EXPECT_EQ(styles.byId.size(), 1u);
  EXPECT_EQ(warnings.count(WarningKind::notShown), 1);
}

TEST(StylesReaderBounds, ANullRootGivesNoStyles) {
  Warnings warnings;
  const Styles styles = readStyles(pugi::xml_node(), warnings);
  EXPECT_TRUE(styles.styles.empty());
  EXPECT_EQ(styles.defaultRun, RunProps{});
}

}  // namespace
}  // namespace vellumine::docx
