// The font table: each face's family, pitch, alternative name and PANOSE number by its name.
#include "docx/part_readers.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct FontCase {
  const char* name;
  const char* inner;  // the children of w:fonts
  void (*check)(const FontTable& fonts);
  int warnings = 0;
};

const FontCase kFontCases[] = {
    {"EveryField",
     R"(<w:font w:name="Cambria"><w:panose1 w:val="02040503050406030204"/><w:charset w:val="00"/>)"
     R"(<w:family w:val="roman"/><w:pitch w:val="variable"/><w:altName w:val="Cambria Math"/></w:font>)",
     [](const FontTable& f) {
       const FontInfo& info = f.byName.at("Cambria");
       EXPECT_EQ(info.family, FontFamily::roman);
       EXPECT_EQ(info.pitch, FontPitch::variable);
       EXPECT_EQ(info.altName, "Cambria Math");
       EXPECT_EQ(info.panose, "02040503050406030204");
     }},
    {"FamiliesAndPitches",
     R"(<w:font w:name="A"><w:family w:val="swiss"/><w:pitch w:val="fixed"/></w:font><w:font w:name="B"><w:family w:val="modern"/></w:font>)"
     R"(<w:font w:name="C"><w:family w:val="script"/></w:font><w:font w:name="D"><w:family w:val="decorative"/></w:font>)"
     R"(<w:font w:name="E"><w:family w:val="gothic"/><w:pitch w:val="default"/></w:font>)",
     [](const FontTable& f) {
       EXPECT_EQ(f.byName.at("A").family, FontFamily::swiss);
       EXPECT_EQ(f.byName.at("A").pitch, FontPitch::fixed);
       EXPECT_EQ(f.byName.at("B").family, FontFamily::modern);
       EXPECT_EQ(f.byName.at("C").family, FontFamily::script);
       EXPECT_EQ(f.byName.at("D").family, FontFamily::decorative);
       EXPECT_EQ(f.byName.at("E").family, FontFamily::auto_);
       EXPECT_EQ(f.byName.at("E").pitch, FontPitch::default_);
     }},
    {"MalformedPanoseLeftEmpty", R"(<w:font w:name="X"><w:panose1 w:val="0204"/></w:font>)",
     [](const FontTable& f) { EXPECT_EQ(f.byName.at("X").panose, ""); }, 1},
    {"DuplicateNameFirstWins",
     R"(<w:font w:name="X"><w:family w:val="roman"/></w:font><w:font w:name="X"><w:family w:val="swiss"/></w:font>)",
     [](const FontTable& f) {
       ASSERT_EQ(f.byName.size(), 1u);
       EXPECT_EQ(f.byName.at("X").family, FontFamily::roman);
     }},
    {"NamelessFontLeftOut", R"(<w:font><w:family w:val="roman"/></w:font>)",
     [](const FontTable& f) { EXPECT_TRUE(f.byName.empty()); }},
};

class FontTableReader : public testing::TestWithParam<FontCase> {};

TEST_P(FontTableReader, ReadsThePart) {
  const FontCase& c = GetParam();
  ParsedXml xml(test::fontsPart(c.inner));
  Warnings warnings;
  c.check(readFontTable(xml.root(), warnings));
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, FontTableReader, testing::ValuesIn(kFontCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
