// readPageSetup's page geometry, and the page frame applyPageFrame builds from it.
#include "convert/docx_page.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/strutil.h"
#include "text/units.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

void readPageSetupOf(Conversion& c, std::string text) {
  c.text = std::move(text);
  readPageSetup(c);
}

TEST(DocxPage, A4PageAndInchMarginsGiveFrameValues) {
  Conversion c;
  readPageSetupOf(c,
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sectPr><pgSz w=\"11906\" h=\"16838\"/>"
      "<pgMar top=\"1440\" right=\"1440\" bottom=\"1440\" left=\"1440\" header=\"708\"/></sectPr>");
  EXPECT_EQ(c.pageWidth, "529");
  EXPECT_EQ(c.pageHeight, "1123");
  EXPECT_EQ(c.marginTop, "64");
  EXPECT_EQ(c.marginRight, "64");
  EXPECT_EQ(c.marginLeft, "64");
  EXPECT_EQ(c.marginBottom, "96");
}

TEST(DocxPage, MissingElementsDefaultEachOnItsOwnToLetterWithInchMargins) {
  Conversion noSize;
  readPageSetupOf(noSize, "<pgMar top=\"720\" right=\"720\" bottom=\"720\" left=\"720\"/>");
  EXPECT_EQ(noSize.pageWidth, "544");
  EXPECT_EQ(noSize.pageHeight, "1056");
  EXPECT_EQ(noSize.marginTop, "32");
  EXPECT_EQ(noSize.marginBottom, "48");

  Conversion nothing;
  readPageSetupOf(nothing, "<body/>");
  EXPECT_EQ(nothing.pageWidth, "544");
  EXPECT_EQ(nothing.marginTop, "64");
  EXPECT_EQ(nothing.marginBottom, "96");
}

TEST(DocxPage, AttributesInAnotherOrderAreNotRead) {
  Conversion c;
  readPageSetupOf(c, "<pgSz h=\"16838\" w=\"11906\"/>");
  EXPECT_EQ(c.pageWidth, "544");  // the default page, not the A4 values
}

TEST(DocxPage, ValueOutsideIntegerRangeStopsTheConversionWithItsValue) {
  try {
    Conversion c;
    readPageSetupOf(c, "<pgSz w=\"99999999999\" h=\"1\"/>");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
  }
}

TEST(DocxPage, FrameGoesAfterBodyStartAndRuleBeforeStyleEnd) {
  Conversion c;
  readPageSetupOf(c, "<pgSz w=\"12240\" h=\"15840\"/><pgMar top=\"1440\" right=\"1440\" "
                             "bottom=\"1440\" left=\"1440\"/>");
  std::string page = "<style>.tab{margin-left:3em}</style><body class=x><p>a</p></div></body>";
  applyPageFrame(c, page);
  EXPECT_SAME_TEXT(page,
                   "<style>.tab{margin-left:3em}body{padding:64 64 96 64;border:none;}"
                   "#page{width:544; margin:auto;}</style><body class=x><div id=\"page\"><p>a</p></div></body>");
}

// Where the page frame goes when the page lacks a piece or holds them in another order.
const PassCase kPageFrameCases[] = {
    {"WithoutBodyOnlyTheRuleGoesIn", "<style>x</style><p>a</p>", "<style>xR</style><p>a</p>"},
    {"WithoutStyleOnlyTheDivGoesIn", "<body><p>a</p>", "<body>D<p>a</p>"},
    {"StyleAfterTheBodyStart", "<body a><style></style>", "<body a>D<style>R</style>"},
    {"UnclosedBodyTagGetsNoDiv", "<style></style><body", "<style>R</style><body"},
};

class DocxPageFrame : public testing::TestWithParam<PassCase> {};
TEST_P(DocxPageFrame, FrameGoesWhereItsAnchorsAre) {
  Conversion c;
  readPageSetupOf(c, "");
  const std::string rule = "body{padding:64 64 96 64;border:none;}#page{width:544; margin:auto;}";
  std::string expected(GetParam().expected);
  expected = ReplaceAllText(ReplaceAllText(expected, "R", rule), "D", "<div id=\"page\">");
  std::string page(GetParam().input);
  applyPageFrame(c, page);
  EXPECT_SAME_TEXT(page, expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxPageFrame, testing::ValuesIn(kPageFrameCases), caseName);

}  // namespace
}  // namespace vellumine
