// The HTML optimiser step by step, the declarations that are not terminated in their tag, and the
// optimise switch of a whole conversion.
#include "convert/wordhtm.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

const PassCase kCleanCases[] = {
    // white space inside tags
    {"LineFeedInsideTagBecomesBlank", "<td\nstyle='x'>", "<td style='x'>"},
    {"TabInsideTagBecomesBlank", "<td\tclass=a>", "<td class=a>"},
    {"LineFeedBetweenTagsStays", "<p>\n<p>a\tb", "<p>\n<p>a\tb"},
    {"CarriageReturnInsideTagStays", "<td\r\nstyle='x'>", "<td\r style='x'>"},
    {"CommentIsNoTag", "<!-- a\nb -->", "<!-- a\nb -->"},
    {"EmptyAngleBracketsEndOutsideATag", "<>\n", "<>\n"},
    // runs of blanks
    {"TwoBlanksBecomeOne", "a  b", "a b"},
    {"FiveBlanksBecomeOne", "a     b", "a b"},
    {"ThreeBlanksAfterColonGo", "color:   red", "color:red"},
    {"TwoBlanksAfterColonLeaveOne", "color:  red", "color: red"},
    {"ThreeBlanksAfterSemicolonGo", "a;   b", "a;b"},
    {"BlanksAtTheStartAndEndLeaveOne", "  a  ", " a "},
    {"TabsAreNotBlanks", "a \t b", "a \t b"},
    // word-processor leftovers
    {"PageBreakAvoidStyleGoes", "<p style='page-break-after:avoid'>x</p>", "<p >x</p>"},
    {"NormalTableClassGoesWhateverItsCase", "<table class=MSONORMALTABLE border=1>", "<table border=1>"},
    {"SpacerParagraphBecomesLineBreak", "<p class=MsoNormal><span style='font-size:12pt'>&nbsp;</span></p>", "<br>"},
    {"ParagraphWithTextIsNoSpacer", "<p class=a><span style=b>x</span></p>", "<p class=a><span style=b>x</span></p>"},
    {"NormalClassBecomesShort", "<p class=MsoNormal>", "<p class=ms>"},
    // width declarations behind a width attribute
    {"WidthDeclarationGoesWithItsSemicolon", "<td width=246 valign=top style='width:184.5pt;border:solid'>",
     "<td width=246 valign=top style='border:solid'>"},
    {"LastWidthDeclarationGoesUpToTheQuote", "<td width=100 style='width:75pt'>", "<td width=100 style=''>"},
    {"WidthDeclarationWithoutAttributeStays", "<td style='width:75pt'>", "<td style='width:75pt'>"},
    {"WidthDeclarationInALaterTagStays", "<td width=1>x</td><td style='width:2pt'>",
     "<td width=1>x</td><td style='width:2pt'>"},
    {"UnterminatedWidthDeclarationStays", "<td width=100 style=\"width:75pt\">x</td>",
     "<td width=100 style=\"width:75pt\">x</td>"},
    {"WidthAttributeInAnUnclosedTagStays", "<td width=1 style='width:2pt;", "<td width=1 style='width:2pt;"},
    // cell heights
    {"CellHeightGoesUpToTheQuote", "<td style='height:12.0pt'>", "<td style=''>"},
    {"LineHeightInACellLosesItsHeightPart", "<td style='line-height:9pt'>", "<td style='line-'>"},
    {"UnterminatedCellHeightStays", "<td style=\"height:12pt\">x</td>", "<td style=\"height:12pt\">x</td>"},
    {"HeightOutsideCellsStays", "<tr style='height:12pt'>", "<tr style='height:12pt'>"},
    {"CellInAnUnclosedTagStays", "<td style='height:2pt", "<td style='height:2pt"},
    {"TextWithoutPatternsIsUnchanged", "<html><body><p>plain, text; here</p></body></html>",
     "<html><body><p>plain, text; here</p></body></html>"},
};

class WordHtmClean : public testing::TestWithParam<PassCase> {};
TEST_P(WordHtmClean, CleansAsExpected) {
  std::string text(GetParam().input);
  TWordHTM().cleanHtml(text);
  EXPECT_SAME_TEXT(text, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, WordHtmClean, testing::ValuesIn(kCleanCases), caseName);

TEST(WordHtm, CleaningTwiceChangesNothingMore) {
  std::string text = "<td width=2 style='width:1pt;height:3pt'>  x  </td>\n<td\nstyle='height:4pt'>";
  TWordHTM optimiser;
  optimiser.cleanHtml(text);
  const std::string once = text;
  optimiser.cleanHtml(text);
  EXPECT_EQ(text, once);
}

// Tags that never end, by the ten thousand, used to cost a scan of the rest of the text each.
TEST(WordHtm, HostileTextsAreCleanedInOnePass) {
  const struct {
    std::string_view piece, tail;
  } kHostile[] = {{"<p x", ">"}, {" width=", ""}, {"<td height:", ">"}, {"<p x><span y", ">"}, {"<!", "\n"}};
  for (const auto& hostile : kHostile) {
    std::string text;
    for (int k = 0; k < 50000; ++k) text += hostile.piece;
    text += hostile.tail;
    const std::string input = text;
    TWordHTM().cleanHtml(text);
    EXPECT_EQ(text, input) << hostile.piece;
  }
}

// The first step as a byte-by-byte walk with a tag flag: the reference for the step that only
// visits line feeds and tabs.
std::string blankedByteByByte(std::string text) {
  bool insideTag = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char& ch = text[at];
    if (ch == '<' && (at + 1 >= text.size() || text[at + 1] != '!')) {
      insideTag = true;
    } else if (ch == '>') {
      insideTag = false;
    } else if (insideTag && (ch == '\n' || ch == '\t')) {
      ch = ' ';
    }
  }
  return text;
}

TEST(WordHtm, TagWhitespaceAgreesWithAByteByByteWalk) {
  constexpr std::string_view kAlphabet = "<<>!\n\tab";
  test::RandomText random(5);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = random.text(59, kAlphabet);
    std::string blanked = text;
    blankTagWhitespace(blanked);
    ASSERT_EQ(blanked, blankedByteByByte(text)) << text;
  }
}

TEST(WordHtm, OptimizeCleansTheDocumentText) {
  Conversion c;
  c.text = "<p class=MsoNormal>a  b</p>";
  optimize(c);
  EXPECT_EQ(c.text, "<p class=ms>a b</p>");
}

TEST(WordHtmPackage, OptimiseSettingSwitchesTheCleanUp) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "word");
  WriteTextFile(dir.path() / "word" / "document.xml",
                "<w:document><w:body><w:p><w:r><w:t xml:space=\"preserve\">a    b</w:t></w:r></w:p></w:body></w:document>");
  EXPECT_NE(convertPackageFolder(dir.path()).find("a b"), std::string::npos);
  ConversionSettings keep;
  keep.optimizeHtml = false;
  EXPECT_NE(convertPackageFolder(dir.path(), keep).find("a    b"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
