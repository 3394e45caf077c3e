// Drop-cap paragraphs float left in their own div.
#include "convert/docx_dropcap.h"

#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;
using test::runPass;

const std::string kLetter = "<p><pPr><framePr dropCap=\"drop\" lines=\"3\"/></pPr><r>O</r></p>";
const std::string kMarginLetter = "<p><pPr><framePr dropCap=\"margin\"/></pPr><r>T</r></p>";
const std::string kBody = "<p><r>nce upon a time</r></p>";
const std::string kFloatOpen = "<div style=\"float:left\">";

const PassCase kDropCapCases[] = {
    {"LetterParagraphFloatsAndBodyStaysOutside", kLetter + kBody, kFloatOpen + kLetter + "</div>" + kBody},
    {"TwoDropCapsGetADivEach", kLetter + kBody + kMarginLetter + kBody,
     kFloatOpen + kLetter + "</div>" + kBody + kFloatOpen + kMarginLetter + "</div>" + kBody},
    {"OtherFramesAreLeftAlone", "<p><pPr><framePr w=\"200\"/></pPr></p>", "<p><pPr><framePr w=\"200\"/></pPr></p>"},
    {"FirstFrameNeedsTheQuotedValue", "<p><framePr dropCap=x/></p>", "<p><framePr dropCap=x/></p>"},
    // Without a paragraph end there is nothing to close the div with; the pass must still end.
    {"FrameWithoutParagraphEndIsLeftAlone", "<p><framePr dropCap=\"drop\"/>O", "<p><framePr dropCap=\"drop\"/>O"},
    {"FrameOutsideAnyParagraphIsLeftAlone", "<framePr dropCap=\"drop\"/></p>", "<framePr dropCap=\"drop\"/></p>"},
    {"SecondFrameInTheWrappedParagraphIsNotWrappedAgain",
     "<p><framePr dropCap=\"drop\"/><framePr dropCap=\"drop\"/></p><framePr dropCap=\"x\"/></p>",
     kFloatOpen + "<p><framePr dropCap=\"drop\"/><framePr dropCap=\"drop\"/></p></div><framePr dropCap=\"x\"/></p>"},
};

class DocxDropCaps : public testing::TestWithParam<PassCase> {};
TEST_P(DocxDropCaps, WrapsTheDropCapParagraph) {
  EXPECT_SAME_TEXT(runPass(convertDropCaps, GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxDropCaps, testing::ValuesIn(kDropCapCases), caseName);

TEST(DocxDropCap, ThousandsOfFramesOutsideParagraphsAreLeftAlone) {
  std::string text;
  for (int k = 0; k < 50000; ++k) text += "<framePr dropCap=\"drop\"/>";
  text += "</p>";
  EXPECT_EQ(runPass(convertDropCaps, text), text);
}

TEST(DocxDropCapPackage, DropCapParagraphFloatsLeftOfTheFollowingText) {
  const std::string page = convertPackageFolder(test::fixturesDir() / "packages" / "dropcap");
  const std::size_t div = page.find(kFloatOpen);
  ASSERT_NE(div, std::string::npos);
  const std::size_t divEnd = page.find("</div>", div);
  const std::size_t letter = page.find(">O<", div);
  EXPECT_LT(letter, divEnd);
  EXPECT_GT(page.find("nce upon a time"), divEnd);
}

}  // namespace
}  // namespace vellumine
