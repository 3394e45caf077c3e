// The settings part: the colour scheme mapping, even and odd headers, the default tab stop and the
// theme font languages, the compatibility setting of the Normal style in tables.
#include "docx/part_readers.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct SettingsCase {
  const char* name;
  const char* inner;  // the children of w:settings
  void (*check)(const Settings& settings);
  int warnings = 0;
};

ThemeColor mapped(const Settings& settings, ThemeColor name) {
  return settings.colorMapping[static_cast<std::size_t>(name)];
}

const SettingsCase kSettingsCases[] = {
    {"WordsUsualMapping",
     R"(<w:clrSchemeMapping w:bg1="light1" w:t1="dark1" w:bg2="light2" w:t2="dark2" w:accent1="accent1")"
     R"( w:hyperlink="hyperlink" w:followedHyperlink="followedHyperlink"/>)",
     [](const Settings& s) {
       EXPECT_EQ(mapped(s, ThemeColor::text1), ThemeColor::dark1);
       EXPECT_EQ(mapped(s, ThemeColor::background1), ThemeColor::light1);
       EXPECT_EQ(mapped(s, ThemeColor::text2), ThemeColor::dark2);
       EXPECT_EQ(mapped(s, ThemeColor::background2), ThemeColor::light2);
       EXPECT_EQ(mapped(s, ThemeColor::accent1), ThemeColor::accent1);
       EXPECT_EQ(mapped(s, ThemeColor::accent2), ThemeColor::none);
     }},
    {"InvertedMapping", R"(<w:clrSchemeMapping w:bg1="dark1" w:t1="light1" w:accent2="accent5"/>)",
     [](const Settings& s) {
       EXPECT_EQ(mapped(s, ThemeColor::text1), ThemeColor::light1);
       EXPECT_EQ(mapped(s, ThemeColor::background1), ThemeColor::dark1);
       EXPECT_EQ(mapped(s, ThemeColor::accent2), ThemeColor::accent5);
     }},
    {"MappingToANameIsNoSlot", R"(<w:clrSchemeMapping w:t1="text1" w:bg1="purple"/>)", [](const Settings& s) {
       EXPECT_EQ(mapped(s, ThemeColor::text1), ThemeColor::none);
       EXPECT_EQ(mapped(s, ThemeColor::background1), ThemeColor::none);
     }},
    {"EvenAndOddHeaders", R"(<w:evenAndOddHeaders/>)", [](const Settings& s) { EXPECT_TRUE(s.evenAndOddHeaders); }},
    {"DefaultTabStop", R"(<w:defaultTabStop w:val="708"/>)", [](const Settings& s) { EXPECT_EQ(s.defaultTabStop, 708); }},
    {"DefaultTabStopStrict", R"(<w:defaultTabStop w:val="0.25in"/>)", [](const Settings& s) { EXPECT_EQ(s.defaultTabStop, 360); }},
    {"DefaultTabStopZeroKeepsWords", R"(<w:defaultTabStop w:val="0"/>)", [](const Settings& s) { EXPECT_EQ(s.defaultTabStop, 720); }},
    {"DefaultTabStopMalformed", R"(<w:defaultTabStop w:val="half"/>)", [](const Settings& s) { EXPECT_EQ(s.defaultTabStop, 720); }, 1},
    {"ThemeFontLanguages", R"(<w:themeFontLang w:val="en-GB" w:eastAsia="zh-CN" w:bidi="he-IL"/>)",
     [](const Settings& s) {
       EXPECT_EQ(s.themeFontLang, "en-GB");
       EXPECT_EQ(s.themeFontLangEastAsia, "zh-CN");
       EXPECT_EQ(s.themeFontLangBidi, "he-IL");
       EXPECT_FALSE(s.evenAndOddHeaders);
       EXPECT_FALSE(s.overrideTableStyleFontSizeAndJustification);
     }},
    {"NormalStandsInTables",
     R"(<w:compat><w:compatSetting w:name="compatibilityMode" w:uri="http://schemas.microsoft.com/office/word" w:val="15"/>)"
     R"(<w:compatSetting w:name="overrideTableStyleFontSizeAndJustification" w:uri="http://schemas.microsoft.com/office/word" w:val="1"/></w:compat>)",
     [](const Settings& s) { EXPECT_TRUE(s.overrideTableStyleFontSizeAndJustification); }},
    {"NormalGivesWayInTables",
     R"(<w:compat><w:compatSetting w:name="overrideTableStyleFontSizeAndJustification" w:val="0"/></w:compat>)",
     [](const Settings& s) { EXPECT_FALSE(s.overrideTableStyleFontSizeAndJustification); }},
};

class SettingsReader : public testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsReader, ReadsThePart) {
  const SettingsCase& c = GetParam();
  ParsedXml xml(test::settingsPart(c.inner));
  Warnings warnings;
  c.check(readSettings(xml.root(), warnings));
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsReader, testing::ValuesIn(kSettingsCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
