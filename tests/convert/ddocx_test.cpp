// The driver passes on small document texts, and whole conversions of fixture packages.
#include "convert/ddocx.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "convert/docx_clean.h"
#include "convert/docx_page.h"
#include "convert/docx_skeleton.h"
#include "convert/word_prefix.h"
#include "support/test_support.h"
#include "text/fileutil.h"
#include "text/strutil.h"
#include "text/units.h"
#include "text/wsregex.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;
using test::runPass;

const PassCase kPreCleanCases[] = {
    {"PrefixesGoFromNamesTextKeepsThem", "<w:p><w:r><w:t>law:x</w:t></w:r></w:p>", "<p><r>law:x</r></p>"},
    {"TextWrappersWithAttributesGo", "<t xml:space=\"preserve\"> a </t>", " a "},
    {"ParagraphStartLosesAttributes", "<p rsidR=\"00A1\">x</p>", "<p>x</p>"},
    {"SelfClosingParagraphIsLeftAlone", "<p rsidR=\"1\"/>", "<p rsidR=\"1\"/>"},
    {"RowStartLosesAttributes", "<tr rsidR=\"1\"><tc/></tr>", "<tr><tc/></tr>"},
    {"ProofingMarksGo", "a<proofErr type=\"spellStart\"/>b<proofErr type=\"spellEnd\"/>c", "abc"},
    {"SmartTagsGoTheirContentStays", "<smartTag uri=\"u\" element=\"e\">x</smartTag>", "x"},
    {"TagNamesAreComparedWithoutCase", "<T a>x<P b>y<TR c>", "x<p>y<tr>"},
    {"EmptyBodyIsNoMatch", "<t >x<p >y<proofErr/>z", "<t >x<p >y<proofErr/>z"},
    {"SlashInParagraphAttributesKeepsTheTag", "<p a=\"1/2\">x</p>", "<p a=\"1/2\">x</p>"},
    {"BodyRunsToTheFirstCloser", "<t a<b>c>", "c>"},
    {"UnclosedTagStaysAndEndsTheRule", "x<t a<p b", "x<t a<p b"},
};

// preClean as the sequence of replacements it stands for, through the shared regex.
std::string preCleanByPatterns(std::string text) {
  TWSRegEx regex(preCaseLess | preSingleLine);
  stripWordPrefix(text);
  text = ReplaceAllText(text, "<t>", "");
  RegexDeleteAll(regex, text, "<t [^>]+>");
  RegexReplaceAll(regex, text, "<p [^>/]+>", "<p>");
  RegexReplaceAll(regex, text, "<tr [^>]+>", "<tr>");
  text = ReplaceAllText(text, "</t>", "");
  RegexDeleteAll(regex, text, "<proofErr[^>]+/>");
  RegexDeleteAll(regex, text, "<smartTag[^>]+>");
  return ReplaceAllText(text, "</smartTag>", "");
}

// The scans that replace the patterns must agree with them byte for byte, also on markup that
// no writer produces: random texts made of the pieces the patterns care about.
TEST(DriverPreClean, ScansAgreeWithThePatternsTheyReplace) {
  constexpr std::string_view kPieces[] = {"<",  ">",   "/",  " ",  "t",  "T",  "p",  "r",  "w:", "<t ",
                                          "<p ", "<tr ", "/>", "<t>", "</t>", "<proofErr", "<smartTag",
                                          "</smartTag>", "x", "\n"};
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const unsigned pieces = next() % 40;
    for (unsigned k = 0; k < pieces; ++k) text += kPieces[next() % std::size(kPieces)];
    ASSERT_EQ(runPass(preClean, text), preCleanByPatterns(text)) << "input: " << text;
  }
}

class DriverPreClean : public testing::TestWithParam<PassCase> {};
TEST_P(DriverPreClean, RewritesAsExpected) {
  EXPECT_SAME_TEXT(runPass(preClean, std::string(GetParam().input)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DriverPreClean, testing::ValuesIn(kPreCleanCases), caseName);

void readPageSetupOf(Conversion& c, std::string text) {
  c.text = std::move(text);
  readPageSetup(c);
}

TEST(DriverPageSetup, A4PageAndInchMarginsGiveFrameValues) {
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
  EXPECT_EQ(c.documentEncoding, "UTF-8");
}

TEST(DriverPageSetup, MissingElementsDefaultEachOnItsOwnToLetterWithInchMargins) {
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
  EXPECT_EQ(nothing.documentEncoding, "");
}

TEST(DriverPageSetup, AttributesInAnotherOrderAreNotRead) {
  Conversion c;
  readPageSetupOf(c, "<pgSz h=\"16838\" w=\"11906\"/>");
  EXPECT_EQ(c.pageWidth, "544");  // the default page, not the A4 values
}

TEST(DriverPageSetup, ValueOutsideIntegerRangeStopsTheConversionWithItsValue) {
  try {
    Conversion c;
    readPageSetupOf(c, "<pgSz w=\"99999999999\" h=\"1\"/>");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
  }
}

TEST(DriverPageFrame, FrameGoesAfterBodyStartAndRuleBeforeStyleEnd) {
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

class DriverPageFrameCases : public testing::TestWithParam<PassCase> {};
TEST_P(DriverPageFrameCases, FrameGoesWhereItsAnchorsAre) {
  Conversion c;
  readPageSetupOf(c, "");
  const std::string rule = "body{padding:64 64 96 64;border:none;}#page{width:544; margin:auto;}";
  std::string expected(GetParam().expected);
  expected = ReplaceAllText(ReplaceAllText(expected, "R", rule), "D", "<div id=\"page\">");
  std::string page(GetParam().input);
  applyPageFrame(c, page);
  EXPECT_SAME_TEXT(page, expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DriverPageFrameCases, testing::ValuesIn(kPageFrameCases), caseName);

TEST(DriverSkeleton, HeadStyleSheetAndClosingTagsSurroundTheBody) {
  Conversion c;
  c.documentEncoding = "UTF-8";
  c.text = "<?xml?><document><body><p>x<lastRenderedPageBreak/>\n\ry</p><sectPr><pgSz/></sectPr></body></document>";
  wrapHtmlDocument(c);
  EXPECT_SAME_TEXT(c.text,
                   "<html>\r\n<head><title></title>\r\n"
                   "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/>\r\n<style>\r\n"
                   "p{margin-top:0px;margin-bottom:0px;font-family:'Times New Roman'}\r\n"
                   "ol,ul{margin-top:0px;margin-bottom:0px;margin-left:1em}\r\n"
                   "table{border-collapse:collapse;}\r\n"
                   "td{padding:1 2;border-color:gray;}\r\n"
                   "blockquote{margin-top:0px;margin-bottom:0px;disply:inline;}\r\n"
                   ".tab{margin-left:3em}</style></head><body><p>xy</p></div></body></html>");
}

TEST(DriverReformat, LineBreakBeforeStartTagsOnly) {
  EXPECT_SAME_TEXT(runPass(reformat, "<p>a</p><P>b</p><table><tr><td>c</td></tr></table><b>d</b>"),
                   "\r\n<p>a</p>\r\n<P>b</p>\r\n<table>\r\n<tr>\r\n<td>c</td></tr></table><b>d</b>");
}

TEST(DriverLoad, PartNamesAreFoundWhateverTheirLetterCase) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Word" / "_Rels");
  WriteTextFile(dir.path() / "Word" / "Document.XML", "<w:body>x</w:body>");
  WriteTextFile(dir.path() / "Word" / "_Rels" / "document.xml.rels", "<w:a Id=\"r\"/>");
  WriteTextFile(dir.path() / "Word" / "STYLES.xml", "<w:styles/>");
  Conversion c;
  c.packageFolder = dir.path();
  loadDocumentParts(c);
  EXPECT_EQ(c.text, "<w:body>x</w:body>");
  EXPECT_EQ(c.relationships, "<a Id=\"r\"/>");
  EXPECT_EQ(c.styles, "<styles/>");
  EXPECT_EQ(c.numbering, "");
}

TEST(DriverLoad, MainPartNamedByPackageRelationshipsIsReadWhenDocumentXmlIsAbsent) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "_rels");
  std::filesystem::create_directories(dir.path() / "word" / "_rels");
  WriteTextFile(dir.path() / "_rels" / ".rels",
                "<Relationships><Relationship Type=\"http://x/core-properties\" Target=\"docProps/core.xml\" "
                "Id=\"rId2\" /><Relationship Type=\"http://x/relationships/officeDocument\" "
                "Target=\"/word/document2.xml\" Id=\"rId1\" /></Relationships>");
  WriteTextFile(dir.path() / "word" / "document2.xml", "<w:body>two</w:body>");
  WriteTextFile(dir.path() / "word" / "_rels" / "document2.xml.rels", "<Relationship Id=\"rId9\"/>");
  Conversion c;
  c.packageFolder = dir.path();
  loadDocumentParts(c);
  EXPECT_EQ(c.text, "<w:body>two</w:body>");
  EXPECT_EQ(c.relationships, "<Relationship Id=\"rId9\"/>");
}

TEST(DriverConvert, StepTextsAreReportedInOrder) {
  test::TempDir dir;
  std::vector<std::string> steps;
  Conversion c;
  c.packageFolder = dir.path();
  c.showStep = [&](std::string_view s) { steps.emplace_back(s); };
  loadDocumentParts(c);
  convert(c);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), "Preparing conversion");
  EXPECT_EQ(steps.back(), "Done");
}

TEST(DriverConvert, EmptyPackageStillGivesTheFramedSkeleton) {
  test::TempDir dir;
  const std::string page = convertPackageFolder(dir.path());
  EXPECT_NE(page.find("<title></title>"), std::string::npos);
  EXPECT_NE(page.find("#page{width:544; margin:auto;}</style>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 20), "</div></body></html>");
}

TEST(DriverConvert, SampleKeepsItsTextAndTheFrameStaysOutOfTheDocumentText) {
  const auto sample = std::filesystem::path(VELLUMINE_SOURCE_DIR) / "resources" / "sample";
  Conversion c;
  c.packageFolder = sample;
  loadDocumentParts(c);
  convert(c);
  EXPECT_NE(c.text.find("vellumine-convert"), std::string::npos);
  EXPECT_EQ(c.text.find("<div id=\"page\">"), std::string::npos);
  const std::string page = convertPackageFolder(sample);
  EXPECT_NE(page.find("<div id=\"page\">"), std::string::npos);
  EXPECT_NE(page.find("body{padding:64 64 96 64;border:none;}#page{width:544; margin:auto;}"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
