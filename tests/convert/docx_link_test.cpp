// Hyperlinks into anchors (internal, external, self-closing, template expansion of the address,
// addresses that would break out of href or run script) and bookmarks into named anchors.
#include "convert/docx_link.h"

#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

constexpr std::string_view kRelationships =
    "<Relationships>"
    "<Relationship Id=\"rId1\" Type=\"x/hyperlink\" Target=\"http://example.com/a?b=1&amp;c=2\" TargetMode=\"External\"/>"
    "<Relationship Id=\"rId10\" Type=\"x/hyperlink\" Target=\"http://ten.example/\"/>"
    "<Relationship Id=\"rId2\" Target=\"mailto:me@example.com\"/>"
    "<Relationship Id=\"rDollar\" Target=\"price$$5\"/>"
    "<Relationship Id=\"rGroup\" Target=\"x$1y\"/>"
    "<Relationship Id=\"rBackslash\" Target=\"C:\\\\share\\docs\"/>"
    "<Relationship Id=\"rScript1\" Target=\"javascript:alert(1)\"/>"
    "<Relationship Id=\"rScript2\" Target=\" JavaScript:alert(1)\"/>"
    "<Relationship Id=\"rScript3\" Target=\"java&#x09;script:alert(1)\"/>"
    "<Relationship Id=\"rScript4\" Target=\"&#106;avascript:alert(1)\"/>"
    "<Relationship Id=\"rScript5\" Target=\"javascript&colon;alert(1)\"/>"
    "<Relationship Id=\"rScript6\" Target=\"VBScript:msgbox\"/>"
    "<Relationship Id=\"rNotScript\" Target=\"http://x.example/javascript:y\"/>"
    "</Relationships>";

std::string convertLinksOn(std::string text) {
  Conversion c;
  c.text = std::move(text);
  c.relationships = kRelationships;
  convertLinks(c);
  return std::move(c.text);
}

const PassCase kLinkCases[] = {
    {"InternalLinkPointsAtItsBookmark", "<hyperlink anchor=\"_Toc1\" history=\"1\"><span>Intro</span></hyperlink>",
     "<a href=\"#_Toc1\"><span>Intro</span></a>"},
    {"ExternalLinkKeepsItsTargetAsWritten", "<p>See <hyperlink r:id=\"rId1\" history=\"1\">site</hyperlink>.</p>",
     "<p>See <a href=\"http://example.com/a?b=1&amp;c=2\">site</a>.</p>"},
    {"IdIsMatchedExactly", "<hyperlink r:id=\"rId10\">ten</hyperlink>", "<a href=\"http://ten.example/\">ten</a>"},
    {"UnknownRelationshipGivesEmptyAddress", "<hyperlink r:id=\"rId99\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"SelfClosingLinkBecomesEmptyAnchorBetweenOthers",
     "<hyperlink r:id=\"rId2\">A</hyperlink><hyperlink anchor=\"b\"/><hyperlink r:id=\"rId1\">C</hyperlink>",
     "<a href=\"mailto:me@example.com\">A</a><a href=\"#b\"></a><a href=\"http://example.com/a?b=1&amp;c=2\">C</a>"},
    {"ContentSpansLinesAndIsNotSearchedAgain", "<hyperlink anchor=\"x\">a\r\n<b>b</b></hyperlink>tail",
     "<a href=\"#x\">a\r\n<b>b</b></a>tail"},
    {"StartTagsInEitherCaseAreConverted", "<HyperLink anchor=\"x\">a</HYPERLINK>", "<a href=\"#x\">a</a>"},
    // The address goes through the template expansion of the replacement.
    {"DoubleDollarInTargetBecomesOneDollar", "<hyperlink r:id=\"rDollar\">p</hyperlink>",
     "<a href=\"price$5\">p</a>"},
    {"DollarDigitInTargetInsertsTheLinkContent", "<hyperlink r:id=\"rGroup\">in</hyperlink>",
     "<a href=\"xiny\">in</a>"},
    {"BackslashPairInTargetBecomesOneBackslash", "<hyperlink r:id=\"rBackslash\">s</hyperlink>",
     "<a href=\"C:\\share\\docs\">s</a>"},
    // A quote the expansion brings in must not end href and let the link content add attributes.
    {"QuoteFromExpandedContentStaysInsideTheAddress",
     "<hyperlink r:id=\"rGroup\">\" onmouseover=\"alert(1)</hyperlink>",
     "<a href=\"x&quot; onmouseover=&quot;alert(1)y\">\" onmouseover=\"alert(1)</a>"},
    {"UnclosedLinkIsLeftAlone", "<hyperlink r:id=\"rId1\">a<hyperlink r:id=\"rId1\">b",
     "<hyperlink r:id=\"rId1\">a<hyperlink r:id=\"rId1\">b"},
    {"StartTagWithoutAttributesIsNotALink", "<hyperlink>a</hyperlink>", "<hyperlink>a</hyperlink>"},
    {"ScriptAddressIsDropped", "<hyperlink r:id=\"rScript1\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"ScriptAddressWithBlankAndCaseIsDropped", "<hyperlink r:id=\"rScript2\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"ScriptAddressWithTabReferenceIsDropped", "<hyperlink r:id=\"rScript3\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"ScriptAddressWithLetterReferenceIsDropped", "<hyperlink r:id=\"rScript4\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"ScriptAddressWithColonReferenceIsDropped", "<hyperlink r:id=\"rScript5\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"VbScriptAddressIsDropped", "<hyperlink r:id=\"rScript6\">x</hyperlink>", "<a href=\"\">x</a>"},
    {"ScriptWordLaterInAnAddressIsKept", "<hyperlink r:id=\"rNotScript\">x</hyperlink>",
     "<a href=\"http://x.example/javascript:y\">x</a>"},
};

class DocxLinks : public testing::TestWithParam<PassCase> {};
TEST_P(DocxLinks, BecomeAnchors) { EXPECT_SAME_TEXT(convertLinksOn(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, DocxLinks, testing::ValuesIn(kLinkCases), caseName);

const PassCase kBookmarkCases[] = {
    {"BookmarkStartBecomesNamedAnchorAndEndGoes",
     "<bookmarkStart id=\"0\" name=\"_Toc1\"/><span>Intro</span><bookmarkEnd id=\"0\"/>",
     "<a name=\"_Toc1\"/><span>Intro</span>"},
    {"NameWithOtherCharactersGoesWithoutAnchor", "<bookmarkStart id=\"1\" name=\"a-b\"/>x<bookmarkEnd id=\"1\"/>", "x"},
    // The pattern stays within one bookmark start and never swallows the text up to the next one.
    {"BadNameDoesNotSwallowTextUpToTheNextBookmark",
     "<bookmarkStart id=\"1\" name=\"a-b\"/>kept<bookmarkStart id=\"2\" name=\"ok\"/>",
     "kept<a name=\"ok\"/>"},
    {"UnclosedBookmarkIsLeftAlone", "<bookmarkStart id=\"1\" name=\"a\"", "<bookmarkStart id=\"1\" name=\"a\""},
};

class DocxBookmarks : public testing::TestWithParam<PassCase> {};
TEST_P(DocxBookmarks, BecomeNamedAnchors) {
  EXPECT_SAME_TEXT(convertLinksOn(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxBookmarks, testing::ValuesIn(kBookmarkCases), caseName);

TEST(DocxLink, LinkTargetPrefersTheAnchor) {
  Conversion c;
  c.relationships = kRelationships;
  EXPECT_EQ(linkTarget(c, "<hyperlink anchor=\"top\" r:id=\"rId1\">x</hyperlink>"), "#top");
  EXPECT_EQ(linkTarget(c, "<hyperlink r:id=\"rId2\">x</hyperlink>"), "mailto:me@example.com");
  EXPECT_EQ(linkTarget(c, "<hyperlink r:id=\"rId1\"/>"), "http://example.com/a?b=1&amp;c=2");
  EXPECT_EQ(linkTarget(c, "<hyperlink history=\"1\">x</hyperlink>"), "");
}

// ---- hostile inputs -----------------------------------------------------------------------------

std::string repeated(std::string_view piece, int times) {
  std::string text;
  for (int k = 0; k < times; ++k) text += piece;
  return text;
}

// Unclosed tags by the ten thousand: each candidate start used to cost a scan of the rest of
// the text.  The rows give the result the patterns define.
TEST(DocxLink, HostileTextsConvertInOnePass) {
  const struct {
    std::string input, expected;
  } kHostile[] = {
      {repeated("<hyperlink a", 50000) + "</hyperlink>", repeated("<hyperlink a", 50000) + "</hyperlink>"},
      {repeated("<hyperlink a>b", 50000), repeated("<hyperlink a>b", 50000)},
      {repeated("<hyperlink ", 50000) + "/>", "<a href=\"\"></a>"},
      {repeated("<bookmarkStart ", 50000) + ">", repeated("<bookmarkStart ", 50000) + ">"},
      {repeated("<bookmarkStart ", 50000) + "/>", ""},
  };
  for (const auto& hostile : kHostile) EXPECT_EQ(convertLinksOn(hostile.input), hostile.expected);
}

// ---- whole packages ----------------------------------------------------------------------------

std::string convertFixture(std::string_view name) {
  return convertPackageFolder(test::fixturesDir() / "packages" / name);
}

TEST(DocxLinkPackage, TableOfContentsEntriesJumpToTheirHeadings) {
  const std::string page = convertFixture("toc-internal-links");
  for (std::string_view bookmark : {"_Toc1", "_Toc2"}) {
    const std::size_t link = page.find("<a href=\"#" + std::string(bookmark) + "\">");
    const std::size_t target = page.find("<a name=\"" + std::string(bookmark) + "\"/>");
    ASSERT_NE(link, std::string::npos) << bookmark;
    ASSERT_NE(target, std::string::npos) << bookmark;
    EXPECT_LT(link, target);
  }
  EXPECT_NE(page.find("<span style=\"float:right\">"), std::string::npos);
  for (std::string_view gone : {"hyperlink", "bookmark", "instrText", "PAGEREF"})
    EXPECT_EQ(page.find(gone), std::string::npos) << gone;
}

TEST(DocxLinkPackage, ExternalLinkTakesItsAddressFromTheRelationships) {
  const std::string page = convertFixture("link-external");
  const std::size_t link = page.find("<a href=\"http://example.com/page?a=1&amp;b=2\">");
  ASSERT_NE(link, std::string::npos);
  EXPECT_LT(link, page.find("the site"));
  EXPECT_LT(page.find("the site"), page.find("</a>"));
}

}  // namespace
}  // namespace vellumine
