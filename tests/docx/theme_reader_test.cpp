// The theme part: the colour scheme's twelve slots in their order, system colours, and the major
// and minor font sets with their per-script faces.
#include "docx/part_readers.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct ThemeCase {
  const char* name;
  const char* inner;  // the children of a:themeElements
  void (*check)(const Theme& theme);
  int warnings = 0;
};

std::optional<std::uint32_t> slot(const Theme& theme, ThemeColor color) {
  return theme.colors[static_cast<std::size_t>(color) - 1];
}

const ThemeCase kThemeCases[] = {
    {"EverySlotInSchemeOrder",
     R"(<a:clrScheme name="Office"><a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1>)"
     R"(<a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1><a:dk2><a:srgbClr val="44546A"/></a:dk2>)"
     R"(<a:lt2><a:srgbClr val="E7E6E6"/></a:lt2><a:accent1><a:srgbClr val="4472C4"/></a:accent1>)"
     R"(<a:accent2><a:srgbClr val="ED7D31"/></a:accent2><a:accent3><a:srgbClr val="A5A5A5"/></a:accent3>)"
     R"(<a:accent4><a:srgbClr val="FFC000"/></a:accent4><a:accent5><a:srgbClr val="5B9BD5"/></a:accent5>)"
     R"(<a:accent6><a:srgbClr val="70AD47"/></a:accent6><a:hlink><a:srgbClr val="0563C1"/></a:hlink>)"
     R"(<a:folHlink><a:srgbClr val="954F72"/></a:folHlink></a:clrScheme>)",
     [](const Theme& t) {
       const std::uint32_t expected[] = {0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6, 0x4472C4, 0xED7D31,
                                         0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};
       for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(t.colors[i], expected[i]) << "slot " << i;
     }},
    {"SystemColourWithoutLastColour",
     R"(<a:clrScheme><a:dk1><a:sysClr val="windowText"/></a:dk1><a:lt1><a:sysClr val="window"/></a:lt1>)"
     R"(<a:dk2><a:sysClr val="menuText"/></a:dk2></a:clrScheme>)",
     [](const Theme& t) {
       EXPECT_EQ(slot(t, ThemeColor::dark1), 0x000000u);
       EXPECT_EQ(slot(t, ThemeColor::light1), 0xFFFFFFu);
       EXPECT_FALSE(slot(t, ThemeColor::dark2).has_value());
     }},
    {"MissingAndMalformedSlotsAbsent",
     R"(<a:clrScheme><a:accent1><a:srgbClr val="blue"/></a:accent1><a:accent2><a:prstClr val="red"/></a:accent2></a:clrScheme>)",
     [](const Theme& t) {
       for (const auto& colour : t.colors) EXPECT_FALSE(colour.has_value());
     },
     1},
    {"FontSets",
     R"(<a:fontScheme name="Office"><a:majorFont><a:latin typeface="Calibri Light"/><a:ea typeface=""/><a:cs typeface=""/>)"
     R"(<a:font script="Jpan" typeface="游ゴシック Light"/><a:font script="Arab" typeface="Times New Roman"/></a:majorFont>)"
     R"(<a:minorFont><a:latin typeface="Calibri"/><a:ea typeface="SimSun"/><a:cs typeface="Arial"/></a:minorFont></a:fontScheme>)",
     [](const Theme& t) {
       EXPECT_EQ(t.major.latin, "Calibri Light");
       EXPECT_EQ(t.major.eastAsia, "");
       EXPECT_EQ(t.major.byScript.at("Jpan"), "游ゴシック Light");
       EXPECT_EQ(t.major.byScript.at("Arab"), "Times New Roman");
       EXPECT_EQ(t.minor.latin, "Calibri");
       EXPECT_EQ(t.minor.eastAsia, "SimSun");
       EXPECT_EQ(t.minor.complexScript, "Arial");
       EXPECT_TRUE(t.minor.byScript.empty());
     }},
    {"NoThemeElements", R"(<a:objectDefaults/>)", [](const Theme& t) {
       for (const auto& colour : t.colors) EXPECT_FALSE(colour.has_value());
       EXPECT_TRUE(t.major.latin.empty());
     }},
};

class ThemeReader : public testing::TestWithParam<ThemeCase> {};

TEST_P(ThemeReader, ReadsThePart) {
  const ThemeCase& c = GetParam();
  ParsedXml xml(test::themePart(c.inner));
  Warnings warnings;
  c.check(readTheme(xml.root(), warnings));
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, ThemeReader, testing::ValuesIn(kThemeCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
