// Generic families: the common faces by name, the font table's pitch, family and PANOSE digits,
// words in the name, and sans-serif for a face nothing is known of.
#include "docx/font_families.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct FamilyCase {
  std::string name;
  std::string face;
  std::optional<FontInfo> fontTable;  // the document's entry for the face
  GenericFamily expected;
};

FontInfo info(FontFamily family, FontPitch pitch = FontPitch::variable, std::string panose = "") {
  FontInfo result;
  result.family = family;
  result.pitch = pitch;
  result.panose = std::move(panose);
  return result;
}

const FamilyCase kFamilyCases[] = {
    {"CalibriIsSans", "Calibri", std::nullopt, GenericFamily::sansSerif},
    {"NamesCompareWithoutCase", "cAMBRIA", std::nullopt, GenericFamily::serif},
    {"AptosIsSans", "Aptos", std::nullopt, GenericFamily::sansSerif},
    {"ConsolasIsMonospace", "Consolas", std::nullopt, GenericFamily::monospace},
    {"KnownFaceBeatsTheFontTable", "MS Mincho", info(FontFamily::modern, FontPitch::fixed), GenericFamily::serif},
    {"NativeJapaneseGothic", "\xE6\xB8\xB8\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", std::nullopt,
     GenericFamily::sansSerif},
    {"FontTableRoman", "Brand Face", info(FontFamily::roman), GenericFamily::serif},
    {"FontTableFixedPitch", "Brand Face", info(FontFamily::swiss, FontPitch::fixed), GenericFamily::monospace},
    {"FontTableModern", "Brand Face", info(FontFamily::modern, FontPitch::default_), GenericFamily::monospace},
    {"FontTableModernOfVariablePitch", "Brand Face", info(FontFamily::modern), GenericFamily::sansSerif},
    {"FontTableScript", "Brand Face", info(FontFamily::script), GenericFamily::cursive},
    {"PanoseSans", "Brand Face", info(FontFamily::auto_, FontPitch::variable, "020B0604020202020204"), GenericFamily::sansSerif},
    {"PanoseSerif", "Brand Face", info(FontFamily::auto_, FontPitch::variable, "02020603050405020304"), GenericFamily::serif},
    {"PanoseMonospaced", "Brand Face", info(FontFamily::auto_, FontPitch::variable, "02070309020205020404"), GenericFamily::monospace},
    {"PanoseDecorative", "Brand Face", info(FontFamily::auto_, FontPitch::variable, "04000000000000000000"), GenericFamily::fantasy},
    {"MonoWordBeforeSans", "Noto Sans Mono", std::nullopt, GenericFamily::monospace},
    {"SansWordBeforeSerif", "Acme Sans Serif", std::nullopt, GenericFamily::sansSerif},
    {"SerifWord", "Source Serif Pro", std::nullopt, GenericFamily::serif},
    {"MinchoWord", "HG Mincho E", std::nullopt, GenericFamily::serif},
    {"UnknownFaceIsSans", "Zxqw", std::nullopt, GenericFamily::sansSerif},
    {"FontTableWithoutInformationFallsToName", "Old Typewriter", info(FontFamily::auto_), GenericFamily::monospace},
};

class FontFamilies : public testing::TestWithParam<FamilyCase> {};

TEST_P(FontFamilies, FallBackToTheirKind) {
  const FamilyCase& c = GetParam();
  FontTable fonts;
  if (c.fontTable) fonts.byName[c.face] = *c.fontTable;
  EXPECT_EQ(genericFamily(fonts, c.face), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFamilies, testing::ValuesIn(kFamilyCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
