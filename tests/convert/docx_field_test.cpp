// convertFields: instructions go, the markers between the first begin and the last end become the
// page-number column of a table of contents.
#include "convert/docx_field.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/strutil.h"
#include "text/wsregex.h"

namespace vellumine {
namespace {

using test::runPass;

TEST(DocxField, TextWithoutFieldCharactersIsUnchanged) {
  const std::string text = "<p><instrText>TOC</instrText>x</p>";
  EXPECT_EQ(runPass(convertFields, text), text);
}

TEST(DocxField, TableOfContentsPageNumbersFloatRight) {
  const std::string text =
      "<p>head</p>"
      "<fldChar fldCharType=\"begin\"/><instrText> TOC \\o </instrText><fldChar fldCharType=\"separate\"/>"
      "<p>Intro<b class=tab></b><fldChar fldCharType=\"begin\"/><instrText>PAGEREF _Toc1 \\h</instrText>"
      "<fldChar fldCharType=\"separate\"/>3<fldChar fldCharType=\"end\"/></p>"
      "<fldChar fldCharType=\"end\"/><p>tail</p>";
  EXPECT_SAME_TEXT(runPass(convertFields, text),
                   "<p>head</p><p>Intro<span style=\"float:right\">3"
                   "<fldChar fldCharType=\"end\"/></p><p>tail</p>");
}

TEST(DocxField, EndBeforeTheFirstBeginLeavesMarkersInPlace) {
  const std::string text = "<fldChar fldCharType=\"end\"/>a<fldChar fldCharType=\"begin\"/>b";
  EXPECT_EQ(runPass(convertFields, text), text);
}

// The instruction scan agrees with the lazy pattern it stands for on random texts of the pieces
// the pattern cares about, unclosed and oddly cased instructions included.
TEST(DocxField, InstructionScanAgreesWithThePattern) {
  constexpr std::string_view kPieces[] = {"<instrText>", "</instrText>", "<INSTRTEXT ", "</InstrText>", "x",
                                          "<fldChar", "<instrText", "</instrText", ">"};
  test::RandomText random(77);
  TWSRegEx regex(preCaseLess | preSingleLine);
  for (int round = 0; round < 3000; ++round) {
    std::string text = "<fldChar";
    const std::uint32_t pieces = random.next() % 30;
    for (std::uint32_t k = 0; k < pieces; ++k) text += kPieces[random.next() % std::size(kPieces)];
    std::string expected = text;
    RegexDeleteAll(regex, expected, "<instrText.+?</instrText>");
    Conversion c;
    c.text = text;
    convertFields(c);
    ASSERT_EQ(c.text, expected) << text;  // no begin marker among the pieces: only instructions go
  }
}

}  // namespace
}  // namespace vellumine
