#include "convert/docx_css.h"

#include <string_view>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;

struct CssCase {
  std::string_view name;
  std::string (*routine)(std::string_view);
  std::string_view input;
  std::string_view expected;
};

class DocxCss : public ::testing::TestWithParam<CssCase> {};

TEST_P(DocxCss, ConvertsBlock) {
  const CssCase& c = GetParam();
  EXPECT_EQ(c.routine(c.input), c.expected);
}

const CssCase kBorderCases[] = {
    {"FourEqualSidesCollapse", bordersToCss,
     R"(<top val="single" sz="4" space="0" color="auto"/><left val="single" sz="4" space="0" color="auto"/>)"
     R"(<bottom val="single" sz="4" space="0" color="auto"/><right val="single" sz="4" space="0" color="auto"/>)",
     "border:1px solid;"},
    {"OnlyBottomSide", bordersToCss, R"(<bottom val="single" sz="6" space="1" color="auto"/>)",
     "border-bottom:1px solid;"},
    {"FourNilSides", bordersToCss,
     R"(<top val="nil"/><left val="nil"/><bottom val="nil"/><right val="nil"/>)", "border:none;"},
    {"ThreeNilOneSingleInSideOrder", bordersToCss,
     R"(<bottom val="single" sz="8" color="000000"/><top val="nil"/><right val="nil"/><left val="nil"/>)",
     "border-top:none;border-left:none;border-right:none;border-bottom:1px solid #000000;"},
    {"EmptyBlock", bordersToCss, "", ""},
    {"BlockWithoutSides", bordersToCss, "<insideH/>", "border:none;"},
    {"SideWithoutSizeContributesNothing", bordersToCss,
     R"(<top val="dashed" color="FF0000"/><left val="single" sz="30" color="00FF00"/>)",
     "border-left:2px solid #00FF00;"},
    {"NonNumericSizeIsIgnored", bordersToCss, R"(<top val="single" sz="thick" color="auto"/>)",
     "border:none;"},
};
INSTANTIATE_TEST_SUITE_P(Borders, DocxCss, ::testing::ValuesIn(kBorderCases), caseName);

std::string topSide(std::string_view block) { return borderSideToCss(block, "top"); }

// Every side a browser draws: a style CSS knows, and a colour only when the document gives one.
const CssCase kSideCases[] = {
    {"AutoColourLeavesTheTextColour", topSide, R"(<top val="single" sz="4" space="0" color="auto"/>)", "1px solid;"},
    {"MissingColourLeavesTheTextColour", topSide, R"(<top val="single" sz="15"/>)", "1px solid;"},
    {"ColourGetsItsHash", topSide, R"(<top val="dashed" sz="24" color="000000"/>)", "2px dashed #000000;"},
    {"ThickIsSolid", topSide, R"(<top val="thick" sz="30"/>)", "2px solid;"},
    {"Dotted", topSide, R"(<top val="dotted" sz="8" color="auto"/>)", "1px dotted;"},
    {"DashVariantsAreDashed", topSide, R"(<top val="dotDotDash" sz="8"/>)", "1px dashed;"},
    {"DashSmallGapIsDashed", topSide, R"(<top val="dashSmallGap" sz="8"/>)", "1px dashed;"},
    {"DoubleRaisedToThree", topSide, R"(<top val="double" sz="12" color="FF0000"/>)", "3px double #FF0000;"},
    {"DoubleWideKept", topSide, R"(<top val="double" sz="60" color="auto"/>)", "4px double;"},
    {"TripleIsDoubleRaisedToThree", topSide, R"(<top val="triple" sz="4"/>)", "3px double;"},
    {"ThinThickFamilyIsDouble", topSide, R"(<top val="thinThickSmallGap" sz="24"/>)", "3px double;"},
    {"ThickThinFamilyIsDouble", topSide, R"(<top val="thickThinLargeGap" sz="4"/>)", "3px double;"},
    {"EmbossIsRidge", topSide, R"(<top val="threeDEmboss" sz="24"/>)", "2px ridge;"},
    {"EngraveIsGroove", topSide, R"(<top val="threeDEngrave" sz="24"/>)", "2px groove;"},
    {"OutsetAsItStands", topSide, R"(<top val="outset" sz="24"/>)", "2px outset;"},
    {"NoneAsItStands", topSide, R"(<top val="none" sz="0" color="auto"/>)", "0px none;"},
    {"WaveIsSolid", topSide, R"(<top val="wave" sz="8" color="00FF00"/>)", "1px solid #00FF00;"},
    {"ArtBorderIsSolid", topSide, R"(<top val="apples" sz="8"/>)", "1px solid;"},
    {"NilWinsOverSize", topSide, R"(<top val="nil" sz="15"/>)", "none;"},
    {"AbsentSide", topSide, R"(<left val="single" sz="15"/>)", ""},
};
INSTANTIATE_TEST_SUITE_P(BorderSide, DocxCss, ::testing::ValuesIn(kSideCases), caseName);

const CssCase kMarginCases[] = {
    {"AllFourSides", cellMarginsToCss,
     R"(<top w="0" type="dxa"/><left w="108" type="dxa"/><bottom w="0" type="dxa"/><right w="108" type="dxa"/>)",
     "padding:0px 7px 0px 7px;"},
    {"AllFourSidesInCssOrder", cellMarginsToCss,
     R"(<top w="15" type="dxa"/><left w="60" type="dxa"/><bottom w="30" type="dxa"/><right w="45" type="dxa"/>)",
     "padding:1px 3px 2px 4px;"},
    {"SomeSidesOnly", cellMarginsToCss, R"(<right w="108" type="dxa"/><top w="105" type="dxa"/>)",
     "padding-top:7px;padding-right:7px;"},
    {"SideWithoutWidth", cellMarginsToCss, R"(<left type="nil"/>)", ""},
    {"NoSides", cellMarginsToCss, "", ""},
};
INSTANTIATE_TEST_SUITE_P(CellMargins, DocxCss, ::testing::ValuesIn(kMarginCases), caseName);

const CssCase kIndentCases[] = {
    {"LeftAndHanging", indentToCss, R"( left="720" hanging="360")", "margin-left:48px;text-indent:-24px;"},
    {"FirstLineAlone", indentToCss, R"( firstLine="720")", "text-indent:48px;"},
    {"HangingReplacesFirstLine", indentToCss, R"( firstLine="720" hanging="360")", "text-indent:-24px;"},
    {"AllInOrderLeftRightIndent", indentToCss, R"( right="1440" firstLine="15" left="-720")",
     "margin-left:-48px;margin-right:96px;text-indent:1px;"},
    {"CharacterUnitsAreNotRead", indentToCss, R"( leftChars="200")", ""},
    {"StrictPoints", indentToCss, R"( left="72pt" right="72pt")", "margin-left:96px;margin-right:96px;"},
};
INSTANTIATE_TEST_SUITE_P(Indent, DocxCss, ::testing::ValuesIn(kIndentCases), caseName);

const CssCase kSpacingCases[] = {
    {"BeforeAfter", spacingToCss, R"( before="0" after="200")", "margin-top:0px;margin-bottom:13px;"},
    {"LineIsTwipsWhateverTheRule", spacingToCss, R"( line="276" lineRule="auto")", "line-height:18px;"},
    {"SingleLine", spacingToCss, R"( after="0" line="240" lineRule="auto")",
     "margin-bottom:0px;line-height:16px;"},
    {"SevenTwipsKeepOnePixel", spacingToCss, R"( before="7")", "margin-top:1px;"},
    {"StrictFractionalPoints", spacingToCss, R"( after="8pt" line="12.95pt")",
     "margin-bottom:11px;line-height:17px;"},
    {"GarbageValueIsLeftOut", spacingToCss, R"( before="auto" after="120")", "margin-bottom:8px;"},
};
INSTANTIATE_TEST_SUITE_P(Spacing, DocxCss, ::testing::ValuesIn(kSpacingCases), caseName);

struct LengthCase {
  std::string_view input;
  std::string_view pixels;
  std::string_view fontSize;
};

TEST(DocxCssLengths, ReadsTwipsAndUnitsAndRefusesTheRest) {
  const LengthCase cases[] = {
      {"1440", "96", "960px"},   {"0", "0", "0px"},         {"-30", "-2", "-20px"},
      {" 15 ", "1", "10px"},     {"72pt", "96", "96px"},    {"1in", "96", "96px"},
      {"2.54cm", "96", "96px"},  {"25.4mm", "96", "96px"},  {"6pc", "96", "96px"},
      {"0pt", "0", "0px"},       {"0.1pt", "1", "0px"},     {"", "", ""},
      {"12.5", "1", "8px"},      {"9360.0", "624", "6240px"}, {"22.5", "2", "15px"},
      {"pt", "", ""},            {"1.pt", "", ""},          {"1.5.0", "", ""},
      {"99999999999999999pt", "", ""}, {"9999999999", "", ""}, {"24\" extra=\"1", "", ""},
  };
  for (const LengthCase& c : cases) {
    EXPECT_EQ(pixelsOf(c.input), c.pixels) << "'" << c.input << "'";
    EXPECT_EQ(fontSizeToPx(c.input), c.fontSize) << "'" << c.input << "'";
  }
  EXPECT_EQ(fontSizeToPx("24"), "16px");
  EXPECT_EQ(fontSizeToPx("12pt"), "16px");
}

}  // namespace
}  // namespace vellumine
