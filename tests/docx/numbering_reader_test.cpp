// The numbering part: levels and their fields, number formats (the custom form included),
// instances with overrides, missing definitions, and the bounds on levels, text and counts.
#include "docx/part_readers.h"

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct NumberingCase {
  const char* name;
  const char* inner;  // the children of w:numbering
  void (*check)(const Numbering& numbering);
  int warnings = 0;
};

const AbstractNumbering& abstractOf(const Numbering& numbering, int id) {
  static const AbstractNumbering none;
  auto it = numbering.abstractById.find(id);
  if (it == numbering.abstractById.end()) {
    ADD_FAILURE() << "no abstract numbering " << id;
    return none;
  }
  return numbering.abstracts[static_cast<std::size_t>(it->second)];
}

const NumberingInstance& instanceOf(const Numbering& numbering, int id) {
  static const NumberingInstance none;
  auto it = numbering.instanceById.find(id);
  if (it == numbering.instanceById.end()) {
    ADD_FAILURE() << "no numbering instance " << id;
    return none;
  }
  return numbering.instances[static_cast<std::size_t>(it->second)];
}

// The format of level 0 of abstract list 1.
NumberFormat firstFormat(const Numbering& numbering) { return abstractOf(numbering, 1).levels[0].format; }

const NumberingCase kNumberingCases[] = {
    {"LevelFields",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:start w:val="3"/><w:numFmt w:val="lowerRoman"/>)"
     R"x(<w:lvlRestart w:val="0"/><w:pStyle w:val="ListNumber"/><w:isLgl/><w:suff w:val="space"/><w:lvlText w:val="%1)"/>)x"
     R"(<w:lvlJc w:val="right"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr><w:rPr><w:b/></w:rPr></w:lvl></w:abstractNum>)",
     [](const Numbering& n) {
       const ListLevel& level = abstractOf(n, 1).levels[0];
       EXPECT_TRUE(level.present);
       EXPECT_EQ(level.start, 3);
       EXPECT_EQ(level.format, NumberFormat::lowerRoman);
       EXPECT_EQ(level.restartAfter, 0);
       EXPECT_EQ(level.paragraphStyle, "ListNumber");
       EXPECT_TRUE(level.legal);
       EXPECT_EQ(level.suffix, LevelSuffix::space);
       EXPECT_EQ(level.text, "%1)");
       EXPECT_EQ(level.justification, Justification::end);
       EXPECT_EQ(level.paragraph.indentation.start, 720);
       EXPECT_EQ(level.paragraph.indentation.firstLine, -360);
       EXPECT_EQ(level.run.bold, true);
       EXPECT_FALSE(level.pictureBullet);
       EXPECT_FALSE(abstractOf(n, 1).levels[1].present);
     }},
    {"LevelDefaults", R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="4"/></w:abstractNum>)",
     [](const Numbering& n) {
       const ListLevel& level = abstractOf(n, 1).levels[4];
       EXPECT_TRUE(level.present);
       EXPECT_EQ(level.start, 1);
       EXPECT_EQ(level.format, NumberFormat::decimal);
       EXPECT_EQ(level.suffix, LevelSuffix::tab);
       EXPECT_FALSE(level.restartAfter.has_value());
     }},
    {"PictureBulletDrawnAsBullet",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="bullet"/><w:lvlText w:val="·"/><w:lvlPicBulletId w:val="2"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) {
       const ListLevel& level = abstractOf(n, 1).levels[0];
       EXPECT_EQ(level.format, NumberFormat::bullet);
       EXPECT_EQ(level.text, "·");
       EXPECT_TRUE(level.pictureBullet);
     }},
    {"LevelsOutsideZeroToEightPassedOver",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="9"><w:start w:val="5"/></w:lvl><w:lvl w:ilvl="-1"/><w:lvl/>)"
     R"(<w:lvl w:ilvl="x"/><w:lvl w:ilvl="8"><w:start w:val="7"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) {
       const AbstractNumbering& list = abstractOf(n, 1);
       for (int i = 0; i < 8; ++i) EXPECT_FALSE(list.levels[static_cast<std::size_t>(i)].present) << i;
       EXPECT_EQ(list.levels[8].start, 7);
     },
     1},
    {"DuplicateLevelFirstWins",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:start w:val="2"/></w:lvl><w:lvl w:ilvl="0"><w:start w:val="9"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(abstractOf(n, 1).levels[0].start, 2); }},
    {"StyleLinks",
     R"(<w:abstractNum w:abstractNumId="1"><w:numStyleLink w:val="Bullets"/></w:abstractNum>)"
     R"(<w:abstractNum w:abstractNumId="2"><w:styleLink w:val="Bullets"/><w:lvl w:ilvl="0"/></w:abstractNum>)",
     [](const Numbering& n) {
       EXPECT_EQ(abstractOf(n, 1).numStyleLink, "Bullets");
       EXPECT_FALSE(abstractOf(n, 1).styleLink.has_value());
       EXPECT_EQ(abstractOf(n, 2).styleLink, "Bullets");
     }},
    {"InstanceWithOverrides",
     R"(<w:num w:numId="4"><w:abstractNumId w:val="1"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="1"/></w:lvlOverride>)"
     R"(<w:lvlOverride w:ilvl="2"><w:lvl w:ilvl="7"><w:numFmt w:val="upperLetter"/><w:lvlText w:val="%3."/></w:lvl></w:lvlOverride>)"
     R"(<w:lvlOverride w:ilvl="12"><w:startOverride w:val="5"/></w:lvlOverride></w:num>)",
     [](const Numbering& n) {
       const NumberingInstance& instance = instanceOf(n, 4);
       EXPECT_EQ(instance.abstractId, 1);
       EXPECT_EQ(instance.overrides[0].startOverride, 1);
       EXPECT_FALSE(instance.overrides[0].level != nullptr);
       ASSERT_TRUE(instance.overrides[2].level != nullptr);
       EXPECT_EQ(instance.overrides[2].level->format, NumberFormat::upperLetter);
       EXPECT_EQ(instance.overrides[2].level->text, "%3.");
       EXPECT_FALSE(instance.overrides[7].level != nullptr);
       EXPECT_TRUE(n.abstracts.empty());
     }},
    {"MissingAbstractKeptAsWritten",
     R"(<w:num w:numId="1"/><w:num w:numId="2"><w:abstractNumId w:val="99"/></w:num>)",
     [](const Numbering& n) {
       EXPECT_EQ(instanceOf(n, 1).abstractId, -1);
       EXPECT_EQ(instanceOf(n, 2).abstractId, 99);
       EXPECT_EQ(n.abstractById.count(99), 0u);
     }},
    {"DuplicateIdsFirstWins",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:start w:val="2"/></w:lvl></w:abstractNum>)"
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:start w:val="3"/></w:lvl></w:abstractNum>)"
     R"(<w:num w:numId="5"><w:abstractNumId w:val="1"/></w:num><w:num w:numId="5"><w:abstractNumId w:val="7"/></w:num>)",
     [](const Numbering& n) {
       EXPECT_EQ(abstractOf(n, 1).levels[0].start, 2);
       EXPECT_EQ(instanceOf(n, 5).abstractId, 1);
     }},
    {"DefinitionsWithoutIdsLeftOut", R"(<w:abstractNum><w:lvl w:ilvl="0"/></w:abstractNum><w:num w:numId="?"/>)",
     [](const Numbering& n) {
       EXPECT_TRUE(n.abstracts.empty());
       EXPECT_TRUE(n.instances.empty());
     },
     1},
    {"CustomFormatZeroPadded",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="custom" w:format="001, 002, 003, ..."/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::decimalZero); }},
    {"CustomFormatPlainDigits",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="custom" w:format="1, 2, 3"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::decimal); }},
    {"CustomFormatLetters",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="custom" w:format="A, B, C"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::upperLetter); }},
    {"CustomFormatRoman",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="custom" w:format="i, ii, iii"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::lowerRoman); }},
    {"UnknownFormatIsDecimal",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="japaneseCounting"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::decimal); }},
    {"FormatNone",
     R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="none"/></w:lvl></w:abstractNum>)",
     [](const Numbering& n) { EXPECT_EQ(firstFormat(n), NumberFormat::none); }},
};

class NumberingReader : public testing::TestWithParam<NumberingCase> {};

TEST_P(NumberingReader, ReadsThePart) {
  const NumberingCase& c = GetParam();
  ParsedXml xml(test::numberingPart(c.inner));
  Warnings warnings;
  c.check(readNumbering(xml.root(), warnings));
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, NumberingReader, testing::ValuesIn(kNumberingCases), test::caseName);

// A hostile part: what it holds must not grow the model past its bounds.
TEST(NumberingReaderBounds, AHundredThousandLevelsKeepNine) {
  std::string levels;
  for (int i = 0; i < 100000; ++i) levels += R"(<w:lvl w:ilvl=")" + std::to_string(i) + R"("><w:start w:val="2"/></w:lvl>)";
  ParsedXml xml(test::numberingPart(R"(<w:abstractNum w:abstractNumId="1">)" + levels + "</w:abstractNum>"));
  Warnings warnings;
  const Numbering numbering = readNumbering(xml.root(), warnings);
  ASSERT_EQ(numbering.abstracts.size(), 1u);
  for (const ListLevel& level : numbering.abstracts[0].levels) EXPECT_EQ(level.start, 2);
}

TEST(NumberingReaderBounds, HugeLevelTextIsCutOnACharacterBoundary) {
  // "é" is two bytes: 255 ASCII bytes put the cut inside the first one.
  const std::string text = std::string(255, 'x') + test::repeated("é", 50000);
  ParsedXml xml(test::numberingPart(R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:lvlText w:val=")" + text +
                                    R"("/></w:lvl></w:abstractNum>)"));
  Warnings warnings;
  const Numbering numbering = readNumbering(xml.root(), warnings);
  ASSERT_EQ(numbering.abstracts.size(), 1u);
  EXPECT_EQ(numbering.abstracts[0].levels[0].text, std::string(255, 'x'));
}

TEST(NumberingReaderBounds, AHundredThousandDefinitionsAreCapped) {
  const std::string lists = test::repeated(R"(<w:abstractNum w:abstractNumId="1"/>)", 100000) +
                            test::repeated(R"(<w:num w:numId="1"/>)", 100000);
  ParsedXml xml(test::numberingPart(lists));
  Warnings warnings;
  const Numbering numbering = readNumbering(xml.root(), warnings);
  EXPECT_EQ(numbering.abstracts.size(), 4096u);
  EXPECT_EQ(numbering.instances.size(), 8192u);
  EXPECT_EQ(warnings.count(WarningKind::notShown), 1);
}

}  // namespace
}  // namespace vellumine::docx
