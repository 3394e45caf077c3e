#include "convert/docx_style.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;

// One style definition as it stands in the style part once "w:" is gone.
std::string style(std::string_view id, std::string_view body, std::string_view type = "paragraph") {
  return "<style type=\"" + std::string(type) + "\" styleId=\"" + std::string(id) + "\"><name val=\"" +
         std::string(id) + "\"/>" + std::string(body) + "</style>";
}

std::string stylesPart(std::string_view definitions) {
  return "<?xml version=\"1.0\"?><styles xmlns=\"x\"><docDefaults><rPrDefault><rPr><sz val=\"20\"/>"
         "</rPr></rPrDefault></docDefaults>" + std::string(definitions) + "</styles>";
}

void buildFrom(Conversion& c, const std::string& definitions) {
  c.styles = stylesPart(definitions);
  buildStyleSheet(c);
}

StyleSlots slotsOf(std::string_view text, bool withBold = true) {
  Conversion c;
  StyleSlots slots;
  readStyleProperties(c, text, withBold, slots);
  return slots;
}

TEST(DocxStyle, OneEntryPerDefinitionInFileOrder) {
  Conversion c;
  buildFrom(c, style("Normal", "") + style("Heading1", "") + style("TableGrid", "", "table"));
  ASSERT_EQ(c.styleTable.size(), 3u);
  EXPECT_EQ(c.styleTable[0].styleId, "Normal");
  EXPECT_EQ(c.styleTable[1].styleId, "Heading1");
  EXPECT_EQ(c.styleTable[2].styleId, "TableGrid");
}

TEST(DocxStyle, HeadingInheritsFontFamilyAndKeepsItsOwnSize) {
  Conversion c;
  buildFrom(c, 
      style("Normal", R"(<rPr><rFonts ascii="Calibri" hAnsi="Calibri"/><sz val="22"/><color val="112233"/></rPr>)") +
      style("Heading1", R"(<basedOn val="Normal"/><rPr><sz val="28"/></rPr>)"));
  ASSERT_EQ(c.styleTable.size(), 2u);
  const StyleSlots& heading = c.styleTable[1].slots;
  EXPECT_EQ(heading[0], "font-family:'Calibri';");
  EXPECT_EQ(heading[1], "font-size:19px;");
  EXPECT_EQ(heading[2], "") << "only font family and size pass down";
}

TEST(DocxStyle, FontPassesDownAChainWrittenBaseFirst) {
  Conversion c;
  buildFrom(c, style("A", R"(<rPr><rFonts ascii="Arial"/><sz val="24"/></rPr>)") +
                              style("B", R"(<basedOn val="A"/>)") + style("C", R"(<basedOn val="B"/>)"));
  EXPECT_EQ(c.styleTable[2].slots[0], "font-family:'Arial';");
  EXPECT_EQ(c.styleTable[2].slots[1], "font-size:16px;");
}

TEST(DocxStyle, BaseWrittenLaterOrMissingGivesNothing) {
  Conversion c;
  buildFrom(c, style("Child", R"(<basedOn val="Later"/>)") +
                              style("Later", R"(<rPr><rFonts ascii="Arial"/></rPr>)") +
                              style("Orphan", R"(<basedOn val="Nowhere"/>)"));
  EXPECT_EQ(c.styleTable[0].slots[0], "");
  EXPECT_EQ(c.styleTable[2].slots[0], "");
}

TEST(DocxStyle, EmptyOrUnreadableStylePartGivesEmptyTable) {
  for (std::string_view part : {std::string_view(""), std::string_view("R")}) {
    Conversion c;
    c.styles = part;
    c.styleTable.push_back({"Stale", {}});
    buildStyleSheet(c);
    EXPECT_TRUE(c.styleTable.empty());
    EXPECT_EQ(findStyle(c, "Stale", 10), -1);
    EXPECT_EQ(styleBody(c, "Stale"), "");
  }
}

struct SlotCase {
  std::string_view name;
  std::string_view text;
  std::size_t slot;
  std::string_view expected;
};

class DocxStyleSlots : public ::testing::TestWithParam<SlotCase> {};

TEST_P(DocxStyleSlots, ReadsSlot) {
  const SlotCase& c = GetParam();
  EXPECT_EQ(slotsOf(c.text)[c.slot], c.expected);
}

const SlotCase kSlotCases[] = {
    {"FontFamily", R"(<rFonts ascii="Arial" hAnsi="Arial"/>)", 0, "font-family:'Arial';"},
    {"FontOnlyWhenAsciiComesFirst", R"(<rFonts asciiTheme="minorHAnsi" ascii="Arial"/>)", 0, ""},
    {"FontSize", R"(<sz val="24"/>)", 1, "font-size:16px;"},
    {"FontSizeNotFromComplexScript", R"(<szCs val="24"/>)", 1, ""},
    {"FontSizeNotANumber", R"(<sz val="big"/>)", 1, ""},
    {"Colour", R"(<color val="FF0000"/>)", 2, "color:#FF0000;"},
    {"ColourAuto", R"(<color val="auto"/>)", 2, "color:#auto;"},
    {"Indentation", R"(<ind left="720" hanging="360"/>)", 3, "margin-left:48px;text-indent:-24px;"},
    {"Spacing", R"(<spacing before="0" after="200"/>)", 4, "margin-top:0px;margin-bottom:13px;"},
    {"JustifyFromBoth", R"(<jc val="both"/>)", 5, "text-align:justify;"},
    {"Centre", R"(<jc val="center"/>)", 5, "text-align:center;"},
    {"Bold", R"(<rPr><b/></rPr>)", 6, "font-weight:bold;"},
    {"BoldOff", R"(<rPr><b val="0"/></rPr>)", 6, ""},
    {"TableBorders", R"(<tblPr><tblBorders><top val="single" sz="4" color="auto"/></tblBorders></tblPr>)", 7,
     "border-top:1px solid;"},
    {"ParagraphBordersAreNotTheSlot", R"(<pBdr><top val="single" sz="4" color="auto"/></pBdr>)", 7, ""},
    {"ShadingColourAuto", R"(<shd val="clear" color="auto" fill="FFFF00"/>)", 9, "background-color:#eeeeee;"},
    {"ShadingColourAsItStands", R"(<shd val="clear" color="00FF00"/>)", 9, "background-color:00FF00;"},
    {"ShadingWithoutColour", R"(<shd val="clear" fill="FFFF00"/>)", 9, ""},
};
INSTANTIATE_TEST_SUITE_P(Slots, DocxStyleSlots, ::testing::ValuesIn(kSlotCases), caseName);

TEST(DocxStyle, ReadOverwritesEverySlotAndBoldOnlyWhenAsked) {
  Conversion c;
  StyleSlots slots;
  slots.fill("stale;");
  readStyleProperties(c, R"(<pPr><jc val="right"/></pPr><rPr><b/></rPr>)", false, slots);
  StyleSlots expected{};
  expected[5] = "text-align:right;";
  EXPECT_EQ(slots, expected);
}

TEST(DocxStyle, FirstOccurrenceWinsWhicheverBlockItStandsIn) {
  StyleSlots slots = slotsOf(R"(<pPr><spacing after="150"/></pPr><rPr><spacing val="20"/><color val="00AA00"/></rPr>)");
  EXPECT_EQ(slots[4], "margin-bottom:10px;");
  EXPECT_EQ(slots[2], "color:#00AA00;");
}

TEST(DocxStyle, FindStyleIsExactAndBounded) {
  Conversion c;
  buildFrom(c, style("Normal", "") + style("Title", "") + style("Normal", ""));
  EXPECT_EQ(findStyle(c, "Normal", 0), 0);
  EXPECT_EQ(findStyle(c, "Title", 0), -1);
  EXPECT_EQ(findStyle(c, "Title", 1), 1);
  EXPECT_EQ(findStyle(c, "Title", 99), 1);
  EXPECT_EQ(findStyle(c, "normal", 2), -1);
  EXPECT_EQ(findStyle(c, "Normal", -1), -1);
}

TEST(DocxStyle, InheritFillsOnlyEmptySlots) {
  Conversion c;
  c.styleTable.push_back({"Base", {}});
  c.styleTable[0].slots.fill("base;");
  StyleSlots own{};
  own[2] = "own;";
  StyleSlots some = own;
  inheritStyleProperties(c, some, 0, false);
  EXPECT_EQ(some[0], "base;");
  EXPECT_EQ(some[1], "base;");
  EXPECT_EQ(some[2], "own;");
  EXPECT_EQ(some[3], "");
  StyleSlots all = own;
  inheritStyleProperties(c, all, 0, true);
  EXPECT_EQ(all[2], "own;");
  EXPECT_EQ(all[9], "base;");
  StyleSlots untouched = own;
  inheritStyleProperties(c, untouched, 5, true);
  EXPECT_EQ(untouched, own);
}

TEST(DocxStyle, StyleBodyIsTheDefinitionWithoutItsStartTag) {
  Conversion c;
  c.styles = stylesPart(R"(<style type="table" styleId="TableGrid"><name val="Table Grid"/><tblPr/></style>)"
                        R"(<style type="table" default="1" styleId="TableNormal"><name val="Normal Table"/></style>)");
  EXPECT_EQ(styleBody(c, "TableGrid"), R"(<name val="Table Grid"/><tblPr/>)");
  EXPECT_EQ(styleBody(c, "TableNormal"), R"(<name val="Normal Table"/>)");
  EXPECT_EQ(styleBody(c, "Table"), "");
}

TEST(DocxStyle, TableStyleAttributes) {
  const std::string grid =
      R"(<tblPr><tblBorders><top val="single" sz="4" space="0" color="auto"/><left val="single" sz="4" space="0" color="auto"/>)"
      R"(<bottom val="single" sz="4" space="0" color="auto"/><right val="single" sz="4" space="0" color="auto"/>)"
      R"(<insideH val="single" sz="4" space="0" color="auto"/><insideV val="single" sz="4" space="0" color="auto"/></tblBorders></tblPr>)";
  EXPECT_EQ(tableStyleAttributes(grid), R"( border=1 style="border:1px solid;")");
  const std::string normalTable =
      R"(<tblPr><tblInd w="0" type="dxa"/><tblCellMar><top w="0" type="dxa"/><left w="108" type="dxa"/>)"
      R"(<bottom w="0" type="dxa"/><right w="108" type="dxa"/></tblCellMar></tblPr>)";
  EXPECT_EQ(tableStyleAttributes(normalTable), R"( style="border:none;")");
  EXPECT_EQ(tableStyleAttributes(""), "");
  EXPECT_EQ(tableStyleAttributes(R"(<insideH val="single" sz="12"/>)"), R"( border=1 style="border:none;")");
}

}  // namespace
}  // namespace vellumine
