// w:rPr: each row a run property block and every field it must set (all others absent), with the
// malformed-number warnings it leaves.
#include "docx/property_reader.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct RunCase {
  const char* name;
  const char* inner;             // the children of w:rPr
  void (*expect)(RunProps& p);   // sets what the block must give
  int warnings = 0;
};

Color rgb(std::uint32_t value) { return Color{false, value}; }
Color themed(ThemeColor slot, std::uint32_t value, std::uint8_t tint = 255, std::uint8_t shade = 255) {
  return Color{false, value, slot, tint, shade};
}

const RunCase kRunCases[] = {
    {"BoldWithoutValueIsOn", R"(<w:b/>)", [](RunProps& p) { p.bold = true; }},
    {"BoldFalseIsOff", R"(<w:b w:val="false"/>)", [](RunProps& p) { p.bold = false; }},
    {"EveryOtherSwitch",
     R"(<w:bCs/><w:iCs w:val="0"/><w:caps/><w:smallCaps/><w:strike/><w:dstrike/><w:outline/><w:shadow/>)"
     R"(<w:emboss/><w:imprint/><w:vanish/><w:webHidden/><w:specVanish/><w:rtl/><w:cs/>)",
     [](RunProps& p) {
       p.boldCs = p.caps = p.smallCaps = p.strike = p.doubleStrike = p.outline = p.shadow = true;
       p.emboss = p.imprint = p.vanish = p.webHidden = p.specVanish = p.rtl = p.complexScript = true;
       p.italicCs = false;
     }},
    {"CharacterStyle", R"(<w:rStyle w:val="Strong"/>)", [](RunProps& p) { p.styleId = "Strong"; }},
    {"FontsByName", R"(<w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:eastAsia="MS Mincho" w:cs="Tahoma"/>)",
     [](RunProps& p) {
       p.fonts.ascii.name = p.fonts.hAnsi.name = "Arial";
       p.fonts.eastAsia.name = "MS Mincho";
       p.fonts.cs.name = "Tahoma";
     }},
    {"FontsByThemeSlot",
     R"(<w:rFonts w:asciiTheme="minorHAnsi" w:hAnsiTheme="majorHAnsi" w:eastAsiaTheme="minorEastAsia" w:cstheme="majorBidi"/>)",
     [](RunProps& p) {
       p.fonts.ascii.theme = ThemeFont::minorHAnsi;
       p.fonts.hAnsi.theme = ThemeFont::majorHAnsi;
       p.fonts.eastAsia.theme = ThemeFont::minorEastAsia;
       p.fonts.cs.theme = ThemeFont::majorBidi;
     }},
    {"FontThemeKeptBesideName", R"(<w:rFonts w:ascii="Calibri" w:asciiTheme="minorAscii" w:hint="eastAsia"/>)",
     [](RunProps& p) { p.fonts.ascii = FontSlot{"Calibri", ThemeFont::minorAscii}; }},
    {"FontEmptyNameAndUnknownThemeIgnored", R"(<w:rFonts w:ascii="" w:hAnsiTheme="middle"/>)", [](RunProps&) {}},
    {"ColourHex", R"(<w:color w:val="C00000"/>)", [](RunProps& p) { p.color = rgb(0xC00000); }},
    {"ColourAuto", R"(<w:color w:val="auto"/>)", [](RunProps& p) { p.color = Color{true}; }},
    {"ColourThemeWithShade", R"(<w:color w:val="1F3864" w:themeColor="accent1" w:themeShade="80"/>)",
     [](RunProps& p) { p.color = themed(ThemeColor::accent1, 0x1F3864, 255, 0x80); }},
    {"ColourThemeWithTintOnly", R"(<w:color w:themeColor="text1" w:themeTint="A6"/>)",
     [](RunProps& p) { p.color = themed(ThemeColor::text1, 0, 0xA6); }},
    {"ColourWordIsMalformed", R"(<w:color w:val="red"/>)", [](RunProps&) {}, 1},
    {"ColourPastThreeBytesIsMalformed", R"(<w:color w:val="1FF0000"/>)", [](RunProps&) {}, 1},
    {"ColourBadTintKeepsTheme", R"(<w:color w:val="FFFFFF" w:themeColor="background1" w:themeTint="1FF"/>)",
     [](RunProps& p) { p.color = themed(ThemeColor::background1, 0xFFFFFF); }, 1},
    {"UnderlineWithoutValueIsSingle", R"(<w:u/>)", [](RunProps& p) { p.underline = UnderlineStyle::single; }},
    {"UnderlineWords", R"(<w:u w:val="words"/>)", [](RunProps& p) { p.underline = UnderlineStyle::words; }},
    {"UnderlineWavyHeavy", R"(<w:u w:val="wavyHeavy"/>)", [](RunProps& p) { p.underline = UnderlineStyle::wavyHeavy; }},
    {"UnderlineNone", R"(<w:u w:val="none"/>)", [](RunProps& p) { p.underline = UnderlineStyle::none; }},
    {"UnderlineUnknownWordStillUnderlines", R"(<w:u w:val="sparkly"/>)",
     [](RunProps& p) { p.underline = UnderlineStyle::single; }},
    {"UnderlineColourThemed", R"(<w:u w:val="dash" w:color="FF0000" w:themeColor="accent2"/>)",
     [](RunProps& p) {
       p.underline = UnderlineStyle::dash;
       p.underlineColor = themed(ThemeColor::accent2, 0xFF0000);
     }},
    {"HighlightYellow", R"(<w:highlight w:val="yellow"/>)", [](RunProps& p) { p.highlight = 0xFFFF00; }},
    {"HighlightDarkGray", R"(<w:highlight w:val="darkGray"/>)", [](RunProps& p) { p.highlight = 0x808080; }},
    {"HighlightNoneClears", R"(<w:highlight w:val="none"/>)", [](RunProps& p) { p.highlightNone = true; }},
    {"HighlightUnknownIgnored", R"(<w:highlight w:val="orange"/>)", [](RunProps&) {}},
    {"ShadingPercentOverFill", R"(<w:shd w:val="pct25" w:color="auto" w:fill="FFFF00"/>)",
     [](RunProps& p) { p.shading = Shading{ShadingPattern::percent, 25, Color{true}, rgb(0xFFFF00)}; }},
    {"ShadingThemeFillWithTint",
     R"(<w:shd w:val="clear" w:color="auto" w:fill="D9E2F3" w:themeFill="accent1" w:themeFillTint="33"/>)",
     [](RunProps& p) {
       p.shading = Shading{ShadingPattern::clear, 0, Color{true}, themed(ThemeColor::accent1, 0xD9E2F3, 0x33)};
     }},
    {"ShadingStripeIsOther", R"(<w:shd w:val="horzStripe" w:fill="00FF00"/>)",
     [](RunProps& p) { p.shading = Shading{ShadingPattern::other, 0, Color{true}, rgb(0x00FF00)}; }},
    {"ShadingSolidThemedColour", R"(<w:shd w:val="solid" w:color="000000" w:themeColor="text1" w:themeShade="BF"/>)",
     [](RunProps& p) { p.shading = Shading{ShadingPattern::solid, 0, themed(ThemeColor::text1, 0, 255, 0xBF), Color{true}}; }},
    {"BorderAroundText", R"(<w:bdr w:val="single" w:sz="4" w:space="1" w:color="auto"/>)",
     [](RunProps& p) { p.border = Border{BorderStyle::single, 4, 1, Color{true}}; }},
    {"SizesInHalfPoints", R"(<w:sz w:val="28"/><w:szCs w:val="24"/>)", [](RunProps& p) {
       p.size = 28;
       p.sizeCs = 24;
     }},
    {"SizeStrictPoints", R"(<w:sz w:val="10.5pt"/>)", [](RunProps& p) { p.size = 21; }},
    {"SizeZeroRaisedToSmallest", R"(<w:sz w:val="0"/>)", [](RunProps& p) { p.size = 1; }},
    {"SizeHugeLoweredToLargest", R"(<w:sz w:val="999999"/>)", [](RunProps& p) { p.size = 3276; }},
    {"SizeMalformedIsAbsent", R"(<w:sz w:val="big"/>)", [](RunProps&) {}, 1},
    {"CharacterSpacingCondensed", R"(<w:spacing w:val="-20"/>)", [](RunProps& p) { p.spacing = -20; }},
    {"CharacterSpacingStrictPoints", R"(<w:spacing w:val="1pt"/>)", [](RunProps& p) { p.spacing = 20; }},
    {"PositionLowered", R"(<w:position w:val="-6"/>)", [](RunProps& p) { p.position = -6; }},
    {"ScalePlain", R"(<w:w w:val="150"/>)", [](RunProps& p) { p.scale = 150; }},
    {"ScaleStrictPercent", R"(<w:w w:val="80%"/>)", [](RunProps& p) { p.scale = 80; }},
    {"ScaleHugeClamped", R"(<w:w w:val="100000"/>)", [](RunProps& p) { p.scale = 600; }},
    {"KerningFromSize", R"(<w:kern w:val="32"/>)", [](RunProps& p) { p.kern = 32; }},
    {"Superscript", R"(<w:vertAlign w:val="superscript"/>)", [](RunProps& p) { p.vertAlign = VerticalAlign::superscript; }},
    {"LanguagesOfThreeScripts", R"(<w:lang w:val="en-US" w:eastAsia="ja-JP" w:bidi="ar-SA"/>)",
     [](RunProps& p) {
       p.lang = "en-US";
       p.langEastAsia = "ja-JP";
       p.langBidi = "ar-SA";
     }},
    {"RevisionsOldFormattingNotRead", R"(<w:noProof/><w:rPrChange w:id="1"><w:rPr><w:b/></w:rPr></w:rPrChange>)",
     [](RunProps&) {}},
    {"UnknownNamespaceSkipped", R"(<x:glow/><w14:textFill/><w:i/>)", [](RunProps& p) { p.italic = true; }},
};

class RunPropsReader : public testing::TestWithParam<RunCase> {};

TEST_P(RunPropsReader, ReadsEachPropertyAndNothingElse) {
  const RunCase& c = GetParam();
  ParsedXml xml(test::rPr(c.inner));
  Warnings warnings;
  RunProps expected;
  c.expect(expected);
  EXPECT_EQ(readRunProps(xml.root(), warnings), expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, RunPropsReader, testing::ValuesIn(kRunCases), test::caseName);

TEST(RunPropsReaderNull, ANullNodeGivesTheEmptyBlock) {
  Warnings warnings;
  EXPECT_EQ(readRunProps(pugi::xml_node(), warnings), RunProps{});
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace vellumine::docx
