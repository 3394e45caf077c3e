// Theme values: colours through the settings' mapping with Word's tint and shade (checked against
// values Word writes beside the theme colour), shading patterns blended, theme font slots with the
// per-script faces that the language selects.
#include "docx/theme_values.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

// The Office theme's colours.
Theme officeTheme() {
  Theme theme;
  const std::uint32_t colors[12] = {0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6, 0x4472C4, 0xC0504D,
                                    0xA5A5A5, 0xFFC000, 0x5B9BD5, 0xF79646, 0x0563C1, 0x954F72};
  for (std::size_t i = 0; i < 12; ++i) theme.colors[i] = colors[i];
  return theme;
}

Color themed(ThemeColor slot, std::uint8_t tint = 255, std::uint8_t shade = 255, std::uint32_t written = 0x123456) {
  Color color = test::rgbColor(written);
  color.theme = slot;
  color.themeTint = tint;
  color.themeShade = shade;
  return color;
}

Color autoColor() { return Color{true}; }

struct ColorCase {
  ColorCase(std::string name_, Color color_, std::optional<Rgb> expected_, int tolerance_ = 0,
            bool mapText1ToLight1_ = false, bool themeWithoutAccents_ = false)
      : name(std::move(name_)), color(color_), expected(expected_), tolerance(tolerance_),
        mapText1ToLight1(mapText1ToLight1_), themeWithoutAccents(themeWithoutAccents_) {}
  std::string name;
  Color color;
  std::optional<Rgb> expected;
  int tolerance;  // per channel, for values Word computes with its own rounding
  bool mapText1ToLight1;
  bool themeWithoutAccents;
};

const ColorCase kColorCases[] = {
    {"AutoIsAbsent", autoColor(), std::nullopt},
    {"RgbAsWritten", test::rgbColor(0xFF8000), 0xFF8000},
    {"ThemeSlotWinsOverWrittenValue", themed(ThemeColor::accent1), 0x4472C4},
    {"Text1IsDark1", themed(ThemeColor::text1), 0x000000},
    {"Background2IsLight2", themed(ThemeColor::background2), 0xE7E6E6},
    {"SettingsMapText1", themed(ThemeColor::text1), 0xFFFFFF, 0, true},
    {"Background1ShadeD9", themed(ThemeColor::background1, 255, 0xD9), 0xD9D9D9},
    {"Text1TintBF", themed(ThemeColor::text1, 0xBF), 0x404040},
    {"WordsAccent2ShadeBF", themed(ThemeColor::accent2, 255, 0xBF), 0x943634, 2},
    {"WordsAccent6Tint33", themed(ThemeColor::accent6, 0x33), 0xFDE9D9, 2},
    {"TintWinsOverShade", themed(ThemeColor::text1, 0xBF, 0x80), 0x404040},
    {"MissingSlotTakesWrittenValue", themed(ThemeColor::accent3, 0x80, 255, 0x00FF00), 0x00FF00, 0, false, true},
    {"MissingSlotWithAutoIsAbsent", [] { Color c = themed(ThemeColor::accent3); c.isAuto = true; return c; }(),
     std::nullopt, 0, false, true},
};

int channelDistance(Rgb a, Rgb b) {
  int most = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return most;
}

class ThemeColors : public testing::TestWithParam<ColorCase> {};

TEST_P(ThemeColors, ResolveAsWordDraws) {
  const ColorCase& c = GetParam();
  Theme theme = officeTheme();
  if (c.themeWithoutAccents) {
    for (std::size_t i = 4; i < 10; ++i) theme.colors[i].reset();
  }
  Settings settings;
  if (c.mapText1ToLight1) settings.colorMapping[static_cast<std::size_t>(ThemeColor::text1)] = ThemeColor::light1;
  const std::optional<Rgb> actual = resolveColor(c.color, theme, settings);
  ASSERT_EQ(actual.has_value(), c.expected.has_value());
  if (actual) {
    EXPECT_LE(channelDistance(*actual, *c.expected), c.tolerance) << std::hex << *actual;
  }
}

INSTANTIATE_TEST_SUITE_P(Colors, ThemeColors, testing::ValuesIn(kColorCases), test::caseName);

Shading pattern(ShadingPattern kind, int percent, Color color, Color fill) {
  return Shading{kind, percent, color, fill};
}

struct ShadingCase {
  std::string name;
  Shading shading;
  std::optional<Rgb> expected;
};

const ShadingCase kShadingCases[] = {
    {"ClearDrawsTheFill", test::fillShading(0xFFF2CC), 0xFFF2CC},
    {"ClearWithAutoFillDrawsNothing", pattern(ShadingPattern::clear, 0, autoColor(), autoColor()), std::nullopt},
    {"SolidAutoIsBlack", pattern(ShadingPattern::solid, 0, autoColor(), test::rgbColor(0xFFFFFF)), 0x000000},
    {"SolidDrawsThePatternColour", pattern(ShadingPattern::solid, 0, test::rgbColor(0x336699), autoColor()), 0x336699},
    {"QuarterBlackOnWhite", pattern(ShadingPattern::percent, 25, autoColor(), autoColor()), 0xBFBFBF},
    {"HalfRedOnBlue", pattern(ShadingPattern::percent, 50, test::rgbColor(0xFF0000), test::rgbColor(0x0000FF)), 0x800080},
    {"NilDrawsNothing", pattern(ShadingPattern::nil, 0, autoColor(), test::rgbColor(0xFF0000)), std::nullopt},
    {"OtherPatternsDrawTheFill", pattern(ShadingPattern::other, 0, autoColor(), test::rgbColor(0x00FF00)), 0x00FF00},
    {"ThemeFillWithShade", pattern(ShadingPattern::clear, 0, autoColor(), themed(ThemeColor::background1, 255, 0xF2)),
     0xF2F2F2},
};

class ShadingColors : public testing::TestWithParam<ShadingCase> {};

TEST_P(ShadingColors, BlendPatternIntoFill) {
  const ShadingCase& c = GetParam();
  EXPECT_EQ(resolveShading(c.shading, officeTheme(), Settings{}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shadings, ShadingColors, testing::ValuesIn(kShadingCases), test::caseName);

struct FontCase {
  std::string name;
  ThemeFont slot;
  std::string eastAsiaLanguage, bidiLanguage;
  std::string expected;
  std::string themesEastAsianFace;  // a:ea typeface of both font sets
};

const FontCase kFontCases[] = {
    {"MinorAsciiIsTheLatinFace", ThemeFont::minorAscii, "", "", "Calibri", ""},
    {"MajorHAnsiIsTheLatinFace", ThemeFont::majorHAnsi, "", "", "Calibri Light", ""},
    {"EastAsianFaceByLanguage", ThemeFont::minorEastAsia, "ja-JP", "", "\xE6\xB8\xB8\xE6\x98\x8E\xE6\x9C\x9D", ""},
    {"SimplifiedChinese", ThemeFont::majorEastAsia, "zh-CN", "", "DengXian Light", ""},
    {"TraditionalChineseByRegion", ThemeFont::minorEastAsia, "zh-TW", "", "PMingLiU", ""},
    {"ThemesOwnEastAsianFaceWins", ThemeFont::majorEastAsia, "ja-JP", "", "Own EA", "Own EA"},
    {"ComplexScriptByLanguage", ThemeFont::minorBidi, "", "ar-SA", "Arial", ""},
    {"HebrewScript", ThemeFont::minorBidi, "", "he-IL", "David", ""},
    {"LatinLanguageNamesNoScript", ThemeFont::minorEastAsia, "en-US", "", "", ""},
    {"NoSlotNoFace", ThemeFont::none, "ja-JP", "", "", ""},
};

class ThemeFonts : public testing::TestWithParam<FontCase> {};

TEST_P(ThemeFonts, NameTheSlotsFace) {
  const FontCase& c = GetParam();
  Theme theme;
  theme.minor.latin = "Calibri";
  theme.minor.byScript = {{"Jpan", "\xE6\xB8\xB8\xE6\x98\x8E\xE6\x9C\x9D"}, {"Hant", "PMingLiU"}, {"Arab", "Arial"},
                          {"Hebr", "David"}};
  theme.major.latin = "Calibri Light";
  theme.major.eastAsia = theme.minor.eastAsia = c.themesEastAsianFace;
  theme.major.byScript = {{"Hans", "DengXian Light"}};
  Settings settings;
  settings.themeFontLangEastAsia = c.eastAsiaLanguage;
  settings.themeFontLangBidi = c.bidiLanguage;
  EXPECT_EQ(themeFontFace(theme, settings, c.slot), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fonts, ThemeFonts, testing::ValuesIn(kFontCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
