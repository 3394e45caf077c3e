#include "convert/docx_para.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "convert/docx_style.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

// A style part with a heading style "2" and a paragraph style that sets every kind of slot.
constexpr std::string_view kStyles =
    R"(<styles><style type="paragraph" default="1" styleId="Normal"><name val="Normal"/>)"
    R"(<rPr><rFonts ascii="Calibri"/><sz val="22"/></rPr></style>)"
    R"(<style type="paragraph" styleId="2"><name val="heading 2"/><basedOn val="Normal"/>)"
    R"(<pPr><spacing before="240"/></pPr><rPr><sz val="32"/></rPr></style>)"
    R"(<style type="paragraph" styleId="4"><name val="heading 4"/><rPr><sz val="24"/></rPr></style>)"
    R"(<style type="paragraph" styleId="Heading2"><name val="Heading2"/><rPr><sz val="30"/></rPr></style>)"
    R"(<style type="paragraph" styleId="Quote"><name val="Quote"/><basedOn val="Normal"/>)"
    R"(<pPr><jc val="center"/></pPr><rPr><color val="404040"/></rPr></style></styles>)";

// The paragraph pass over text, with the style table built from kStyles.
std::string paragraphsOf(std::string text) {
  Conversion c;
  c.styles = std::string(kStyles);
  buildStyleSheet(c);
  c.text = std::move(text);
  convertParagraphs(c);
  return c.text;
}

std::string para(std::string_view properties, std::string_view content) {
  std::string p = "<p>";
  if (!properties.empty()) p += "<pPr>" + std::string(properties) + "</pPr>";
  return p + std::string(content) + "</p>";
}

std::string bold(std::string_view text) { return "<r><rPr><b/></rPr>" + std::string(text) + "</r>"; }

class DocxPara : public ::testing::TestWithParam<PassCase> {};

TEST_P(DocxPara, ConvertsParagraphs) {
  EXPECT_SAME_TEXT(paragraphsOf(GetParam().input), GetParam().expected);
}

const PassCase kParagraphCases[] = {
    {"PlainParagraphKeepsRunsForCleanUp", para("", "<r>Hi</r>"), "<p><r>Hi</r></p>"},
    {"CentredWithBoldRun", para(R"(<jc val="center"/>)", bold("B")),
     R"(<p style="text-align:center;"><b>B</b></p>)"},
    {"EmptyParagraphWhateverItsProperties", para(R"(<jc val="center"/>)", " \r\n"), "<p>&#160;</p>"},
    {"EmptyParagraphHoldingSectionMarker", para("<section/>", ""), "<section/>"},
    {"SelfClosingWithAttributes", "<body><p rsidR=\"00A1\"/></body>", "<body><p>&#160;</p></body>"},
    {"SelfClosingWithoutAttributesIsNoHit", "<body><p/><p /></body>", "<body><p/><p /></body>"},
    {"HeadingFromStyleId", para(R"(<pStyle val="2"/>)", "<r>T</r>"),
     R"(<h2 style="font-family:'Calibri';font-size:21px;margin-top:16px;"><r>T</r></h2>)"},
    {"StyleIdFourIsAParagraph", para(R"(<pStyle val="4"/>)", "<r>T</r>"),
     R"(<p style="font-size:16px;"><r>T</r></p>)"},
    {"LongStyleIdIsAParagraph", para(R"(<pStyle val="Heading2"/>)", "<r>T</r>"),
     R"(<p style="font-size:20px;"><r>T</r></p>)"},
    {"UnknownStyleLeavesOwnSlots", para(R"(<pStyle val="Nope"/><ind left="720"/>)", "<r>T</r>"),
     R"(<p style="margin-left:48px;"><r>T</r></p>)"},
    {"OwnSlotsBeatTheStyle", para(R"(<pStyle val="Quote"/><jc val="right"/>)", "<r>T</r>"),
     R"(<p style="font-family:'Calibri';font-size:15px;color:#404040;text-align:right;"><r>T</r></p>)"},
    {"StyleInTableGivesOnlyFont",
     "<table><tr><td>" + para(R"(<pStyle val="Quote"/>)", "<r>T</r>") + "</td></tr></table>",
     R"(<table><tr><td><p style="font-family:'Calibri';font-size:15px;"><r>T</r></p></td></tr></table>)"},
    {"StyleAfterTableGivesEverything",
     "<table><tr><td><p><r>x</r></p></td></tr></table>" + para(R"(<pStyle val="Quote"/>)", "<r>T</r>"),
     "<table><tr><td><p><r>x</r></p></td></tr></table>"
     R"(<p style="font-family:'Calibri';font-size:15px;color:#404040;text-align:center;"><r>T</r></p>)"},
    {"RunPropertiesOnlyIsNoStyle", para("<rPr><b/><sz val=\"40\"/></rPr>", "<r>x</r>"), "<p><r>x</r></p>"},
    {"ParagraphMarkPropertiesIgnored", para(R"(<jc val="left"/><rPr><color val="FF0000"/></rPr>)", "<r>x</r>"),
     R"(<p style="text-align:left;"><r>x</r></p>)"},
    {"BordersAfterSlots",
     para(R"(<pBdr><bottom val="single" sz="6" space="1" color="auto"/></pBdr><spacing after="0"/>)", "<r>x</r>"),
     R"(<p style="margin-bottom:0px;border-bottom:1px solid;"><r>x</r></p>)"},
    {"RunFontGivenByParagraphIsNotRepeated",
     para(R"(<pStyle val="Normal"/>)", R"(<r><rPr><rFonts ascii="Calibri"/></rPr>x</r>)"),
     R"(<p style="font-family:'Calibri';font-size:15px;">x</p>)"},
    {"PictureMarker", para("", "<r><pict><shape/></pict></r>"), "<pict><p><r><pict><shape/></pict></r></p>"},
    {"GapsBetweenParagraphsOnce", "<body>a" + para("", "x") + "b" + para("", "y") + "<sectPr/></body>",
     "<body>a<p>x</p>b<p>y</p><sectPr/></body>"},
    {"TableMarkupCopiedOnce",
     "<table border=1><col width=\"5\"/><tr><td>" + para("", "a") + "</td><td>" + para("", "b") +
         "</td></tr></table>x",
     "<table border=1><col width=\"5\"/><tr><td><p>a</p></td><td><p>b</p></td></tr></table>x"},
    {"TableStartingInFirstCellOfAnother",
     "<table><tr><td><table><tr><td>" + para("", "in") + "</td></tr></table>" + para("", "out") +
         "</td></tr></table>",
     "<table><tr><td><table><tr><td><p>in</p></td></tr></table><p>out</p></td></tr></table>"},
    {"UnclosedParagraphEndsTheWalk", para("", "a") + "<p><r>never closed", "<p>a</p><p><r>never closed"},
    {"NoHitLeavesTextAlone", "<body><tbl/></body>", "<body><tbl/></body>"},
};
INSTANTIATE_TEST_SUITE_P(Walk, DocxPara, ::testing::ValuesIn(kParagraphCases), caseName);

TEST(DocxPara, InTableFlagIsClearedByAnInnerTableEnd) {
  // Not a nesting count: after the inner table ends, the outer cell's paragraph counts as outside.
  const std::string styled = para(R"(<pStyle val="Quote"/>)", "<r>T</r>");
  const std::string html = paragraphsOf("<table><tr><td><table><tr><td></td></tr></table>" + styled +
                                        "</td></tr></table>");
  EXPECT_NE(html.find("color:#404040;"), std::string::npos) << html;
}

TEST(DocxPara, TextBoxParagraphKeepsLeadingTextAndConvertsInnerParagraphs) {
  const std::string input = "<p><pPr><jc val=\"right\"/></pPr><r><t>Lead</t></r><r><pict><txbxContent>" +
                            para(R"(<jc val="center"/>)", bold("inner")) + para("", "<r>two</r>") +
                            "</txbxContent></pict></r><r>trail</r></p>" + para("", "<r>next</r>");
  EXPECT_SAME_TEXT(paragraphsOf(input),
                   "<p><pPr><jc val=\"right\"/></pPr><r><t>Lead</t></r><r><pict><txbxContent>"
                   R"(<p style="text-align:center;"><b>inner</b></p><p><r>two</r></p>)"
                   "</txbxContent></pict></r><r>trail</r></p><p><r>next</r></p>");
}

TEST(DocxPara, TableInsideParagraphKeepsItsMarkup) {
  const std::string input = "<p><r>before</r><table><tr><td>cell</td></tr></table></p>" + para("", "<r>x</r>");
  EXPECT_SAME_TEXT(paragraphsOf(input), input);
}

TEST(DocxPara, ParagraphStyleGivesCssAndTag) {
  Conversion c;
  c.styles = std::string(kStyles);
  buildStyleSheet(c);
  const std::string paragraph = para(R"(<pStyle val="2"/><jc val="both"/>)", "<r>x</r>");
  ParagraphStyle outside = paragraphStyle(c, paragraph, R"(<pStyle val="2"/><jc val="both"/>)", false);
  EXPECT_EQ(outside.tag, "h2");
  EXPECT_EQ(outside.css, "font-family:'Calibri';font-size:21px;margin-top:16px;text-align:justify;");
  ParagraphStyle inside = paragraphStyle(c, paragraph, R"(<pStyle val="2"/><jc val="both"/>)", true);
  EXPECT_EQ(inside.tag, "h2");
  EXPECT_EQ(inside.css, "font-family:'Calibri';font-size:21px;text-align:justify;");
  EXPECT_EQ(convertParagraph(c, paragraph, false),
            R"(<h2 style="font-family:'Calibri';font-size:21px;margin-top:16px;text-align:justify;"><r>x</r></h2>)");
}

TEST(DocxPara, ManyUnclosedParagraphsAndTagsStayLinearAndIntact) {
  std::string input;
  for (int i = 0; i < 50000; ++i) input += "<p><p a <r><rPr>";
  input += "</p>";
  const std::string html = paragraphsOf(input);
  EXPECT_EQ(html.size(), input.size());
  EXPECT_EQ(html.find("&#160;"), std::string::npos);
}

// Whole conversions of fixture packages, with the optimiser off so that the paragraph markup is
// seen as the paragraph pass and the run clean-up leave it.
std::string convertFixture(std::string_view feature) {
  ConversionSettings settings;
  settings.optimizeHtml = false;
  return convertPackageFolder(test::fixturesDir() / "packages" / feature, settings);
}

TEST(DocxParaPackage, HeadingStyledAndEmptyParagraphs) {
  const std::string page = convertFixture("paragraph-styles");
  for (std::string_view expected : {
           R"(<h1 style="font-family:'Georgia';font-size:24px;margin-top:32px;margin-bottom:0px;font-weight:bold;">Chapter One</h1>)",
           R"(<p style="font-family:'Georgia';font-size:15px;color:#404040;text-align:center;">Quoted outside.</p>)",
           R"(<p style="font-family:'Georgia';font-size:15px;">Quoted inside.</p>)",
           R"(<p style="margin-left:48px;text-indent:-24px;text-align:justify;">Own properties.</p>)",
       }) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
  // The empty paragraph and the self-closing one.
  const std::size_t first = page.find("<p>&#160;</p>");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(page.find("<p>&#160;</p>", first + 1), std::string::npos);
}

TEST(DocxParaPackage, TextBoxParagraphKeepsItsLeadingText) {
  const std::string page = convertFixture("text-box");
  for (std::string_view expected : {"<p>Leading text ", R"(<p style="text-align:center;"><b>Boxed</b></p>)",
                                    "</v:shape></pict>trailing text</p>", "<p>After the box.</p>"}) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
  EXPECT_EQ(page.find("<r>"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
