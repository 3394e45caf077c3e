// The toggle rule: direct formatting absolute, a document default of true winning, the table,
// paragraph and character style levels combined by exclusive or; and every toggle reaching its own
// field of the run's format.
#include "docx/toggle_properties.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

enum V { unset, on, off };

std::optional<bool> valueOf(V v) {
  if (v == unset) return std::nullopt;
  return v == on;
}

struct ToggleCase {
  std::string name;
  V defaults, table, paragraph, character, direct;
  bool expected;
  bool linked = false;  // the character style is the paragraph style's linked style
};

const ToggleCase kToggleCases[] = {
    {"NothingSetIsOff", unset, unset, unset, unset, unset, false, false},
    {"ParagraphStyleTurnsOn", unset, unset, on, unset, unset, true, false},
    {"CharacterStyleTurnsOn", unset, unset, unset, on, unset, true, false},
    {"ParagraphAndCharacterStylesCancel", unset, unset, on, on, unset, false, false},
    {"TableAndParagraphStylesCancel", unset, on, on, unset, unset, false, false},
    {"ThreeStyleLevelsOn", unset, on, on, on, unset, true, false},
    {"FalseInAStyleTogglesNothing", unset, unset, on, off, unset, true, false},
    {"DefaultsOnWinOverCancellingStyles", on, unset, on, on, unset, true, false},
    {"DefaultsOffLeaveTheStyles", off, unset, on, unset, unset, true, false},
    {"DirectOffBeatsDefaults", on, unset, unset, unset, off, false, false},
    {"DirectOnBeatsCancellingStyles", unset, unset, on, on, on, true, false},
    {"DirectOffBeatsAStyle", unset, unset, on, unset, off, false, false},
    {"LinkedStylesAreOneLevel", unset, unset, on, on, unset, true, true},
    {"LinkedCharacterStyleAlone", unset, unset, unset, on, unset, true, true},
    {"LinkedLevelCancelsAgainstTheTable", unset, on, on, on, unset, false, true},
};

class ToggleRule : public testing::TestWithParam<ToggleCase> {};

TEST_P(ToggleRule, CombinesTheLevels) {
  const ToggleCase& c = GetParam();
  RunProps defaults, table, paragraph, character, direct;
  defaults.italic = valueOf(c.defaults);
  table.italic = valueOf(c.table);
  paragraph.italic = valueOf(c.paragraph);
  character.italic = valueOf(c.character);
  direct.italic = valueOf(c.direct);
  const ToggleSet toggles = resolveToggles({&defaults, &table, &paragraph, &character, &direct, c.linked});
  EXPECT_EQ((toggles & toggleBit(Toggle::italic)) != 0, c.expected);
  // Only the property set at the levels changes.
  EXPECT_EQ(toggles & ~toggleBit(Toggle::italic), 0);
}

INSTANTIATE_TEST_SUITE_P(Levels, ToggleRule, testing::ValuesIn(kToggleCases), test::caseName);

struct FieldCase {
  std::string name;
  std::optional<bool> RunProps::*property;
  bool RunFormat::*field;
};

const FieldCase kFieldCases[] = {
    {"Bold", &RunProps::bold, &RunFormat::bold},
    {"BoldCs", &RunProps::boldCs, &RunFormat::boldCs},
    {"Italic", &RunProps::italic, &RunFormat::italic},
    {"ItalicCs", &RunProps::italicCs, &RunFormat::italicCs},
    {"Caps", &RunProps::caps, &RunFormat::caps},
    {"SmallCaps", &RunProps::smallCaps, &RunFormat::smallCaps},
    {"Strike", &RunProps::strike, &RunFormat::strike},
    {"Outline", &RunProps::outline, &RunFormat::outline},
    {"Shadow", &RunProps::shadow, &RunFormat::shadow},
    {"Emboss", &RunProps::emboss, &RunFormat::emboss},
    {"Imprint", &RunProps::imprint, &RunFormat::imprint},
    {"VanishHides", &RunProps::vanish, &RunFormat::hidden},
};

class ToggleField : public testing::TestWithParam<FieldCase> {};

TEST_P(ToggleField, ReachesItsOwnFieldOnly) {
  const FieldCase& c = GetParam();
  RunProps paragraph;
  paragraph.*c.property = true;
  RunFormat format;
  applyToggles(resolveToggles({nullptr, nullptr, &paragraph, nullptr, nullptr}), format);
  EXPECT_TRUE(format.*c.field);
  RunFormat expected;
  expected.*c.field = true;
  EXPECT_EQ(format, expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ToggleField, testing::ValuesIn(kFieldCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
