#include "convert/docx_run.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "convert/docx_clean.h"
#include "support/test_support.h"
#include "text/strutil.h"
#include "text/wsregex.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;
using test::runPass;

// One run as the paragraph pass sees it: "<r>", the properties, the text, "</r>".
std::string run(std::string_view properties, std::string_view text) {
  std::string r = "<r>";
  if (!properties.empty()) r += "<rPr>" + std::string(properties) + "</rPr>";
  return r + std::string(text) + "</r>";
}

std::string runsOf(std::string content, std::string_view paragraphCss = "") {
  convertRuns(content, paragraphCss);
  return content;
}

struct RunCase {
  std::string_view name;
  std::string content;
  std::string_view paragraphCss;
  std::string_view expected;
};

class DocxRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(DocxRun, FormatsRuns) {
  const RunCase& c = GetParam();
  EXPECT_SAME_TEXT(runsOf(c.content, c.paragraphCss), c.expected);
}

const RunCase kRunCases[] = {
    {"BoldItalicWithoutSpan", run("<b/><i/>", "Hi"), "", "<i><b>Hi</b></i>"},
    {"FontAndSizeShorthand", run(R"(<rFonts ascii="Arial" hAnsi="Arial"/><sz val="24"/>)", "Text"), "",
     R"(<span style="font:normal 16px 'Arial';">Text</span>)"},
    {"FontAlreadyInParagraph", run(R"(<rFonts ascii="Arial"/>)", "Text"), "font-family:'Arial';", "Text"},
    {"SizeAloneFallsBackToComplexScript", run(R"(<szCs val="21"/>)", "T"), "",
     R"(<span style="font-size:14px;">T</span>)"},
    {"ColourAlreadyInParagraph", run(R"(<color val="FF0000"/>)", "T"), "color:#FF0000;", "T"},
    {"OtherColourWhileFontIsInParagraph", run(R"(<rFonts ascii="Arial"/><color val="00FF00"/>)", "T"),
     "font-family:'Arial';", R"(<span style="color:#00FF00;">T</span>)"},
    {"HighlightByName", run(R"(<highlight val="yellow"/>)", "T"), "",
     R"(<span style="background-color:yellow;">T</span>)"},
    {"ColourAutoAsItStands", run(R"(<color val="auto"/>)", "T"), "", R"(<span style="color:#auto;">T</span>)"},
    {"ColourWithFurtherAttributesAsItStands", run(R"(<color val="FF0000" themeColor="accent1"/>)", "T"), "",
     R"(<span style="color:#FF0000" themeColor="accent1;">T</span>)"},
    {"SizeThatIsNotANumberIsLeftOut", run(R"(<sz val="big"/><rFonts ascii="Arial"/>)", "T"), "",
     R"(<span style="font-family:'Arial';">T</span>)"},
    {"AnyUnderline", run(R"(<u val="wave"/>)", "T"), "", "<u>T</u>"},
    {"Subscript", run(R"(<vertAlign val="subscript"/>)", "T"), "", "<sub>T</sub>"},
    {"Superscript", run(R"(<vertAlign val="superscript"/>)", "T"), "", "<sup>T</sup>"},
    {"ToggleInsideSpan", run(R"(<b/><sz val="24"/>)", "T"), "", R"(<span style="font-size:16px;"><b>T</b></span>)"},
    {"RunWithoutPropertiesKeepsMarkup", "<r>plain</r>", "", "<r>plain</r>"},
    {"TextBetweenRunsStays", run("<b/>", "A") + " <bookmarkEnd id=\"0\"/>" + run("<i/>", "B"), "",
     "<b>A</b> <bookmarkEnd id=\"0\"/><i>B</i>"},
    {"RunStartTagWithAttributes", "<r rsidR=\"1\"><rPr><b/></rPr>x</r>", "", "<b>x</b>"},
    // Values from the document are text, never template syntax: "$1" is not the run's text.
    {"DollarAndBackslashInValuesStayAsTheyAre", run(R"(<rFonts ascii="Cur$$ency $1 \U"/>)", "T"), "",
     R"(<span style="font-family:'Cur$$ency $1 \U';">T</span>)"},
};
INSTANTIATE_TEST_SUITE_P(Runs, DocxRun, ::testing::ValuesIn(kRunCases), caseName);

// Run properties as writers store them (names with "w:"), each run followed by a bold one that
// must keep its own text: after preClean through the run pass, and through the whole conversion.
struct StoredRunCase {
  std::string_view name;
  std::string_view properties;  // the run's rPr element as stored, or nothing
  std::string_view afterRunPass;
  std::string_view onPage;
};

std::string storedRuns(std::string_view properties) {
  return "<w:r>" + std::string(properties) +
         "<w:t xml:space=\"preserve\">Thank you for </w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>docx4j.</w:t></w:r>";
}

const StoredRunCase kStoredRunCases[] = {
    {"EmptyPropertiesPair", "<w:rPr></w:rPr>", "Thank you for <b>docx4j.</b>", "<p>Thank you for <b>docx4j.</b></p>"},
    {"SelfClosingProperties", "<w:rPr/>", "<r><rPr/>Thank you for </r><b>docx4j.</b>",
     "<p>Thank you for <b>docx4j.</b></p>"},
    {"EmptyPropertiesWithBlanksInTheirTags", "<w:rPr ></w:rPr >", "Thank you for <b>docx4j.</b>",
     "<p>Thank you for <b>docx4j.</b></p>"},
    {"ItalicWithABlankBeforeTheSlash", "<w:rPr><w:i /></w:rPr>", "<i>Thank you for </i><b>docx4j.</b>",
     "<p><i>Thank you for </i><b>docx4j.</b></p>"},
    {"BoldWithSeveralBlanks", "<w:rPr ><w:b   /></w:rPr>", "<b>Thank you for </b><b>docx4j.</b>",
     "<p><b>Thank you for </b><b>docx4j.</b></p>"},
    {"LineBreakAndTabBeforeTheSlash", "<w:rPr><w:i\r\n/><w:noProof\t/></w:rPr>", "<i>Thank you for </i><b>docx4j.</b>",
     "<p><i>Thank you for </i><b>docx4j.</b></p>"},
    {"UnderlineNone", "<w:rPr><w:u w:val=\"none\"/></w:rPr>", "Thank you for <b>docx4j.</b>",
     "<p>Thank you for <b>docx4j.</b></p>"},
    {"UnderlineNoneWithAColourAndABlank", "<w:rPr><w:u w:val=\"none\" w:color=\"FF0000\" /></w:rPr>",
     "Thank you for <b>docx4j.</b>", "<p>Thank you for <b>docx4j.</b></p>"},
    {"UnderlineSingle", "<w:rPr><w:u w:val=\"single\"/></w:rPr>", "<u>Thank you for </u><b>docx4j.</b>",
     "<p><u>Thank you for </u><b>docx4j.</b></p>"},
    {"SizeWithABlank", "<w:rPr><w:sz w:val=\"24\" /></w:rPr>",
     "<span style=\"font-size:16px;\">Thank you for </span><b>docx4j.</b>",
     "<p><span style=\"font-size:16px;\">Thank you for </span><b>docx4j.</b></p>"},
    {"NoProperties", "", "<r>Thank you for </r><b>docx4j.</b>", "<p>Thank you for <b>docx4j.</b></p>"},
};

class DocxRunStored : public ::testing::TestWithParam<StoredRunCase> {};
TEST_P(DocxRunStored, ThroughTheRunPass) {
  std::string content = runPass(preClean, storedRuns(GetParam().properties));
  convertRuns(content, "");
  EXPECT_SAME_TEXT(content, GetParam().afterRunPass);
}
TEST_P(DocxRunStored, ThroughTheWholeConversion) {
  EXPECT_SAME_TEXT(test::bodyHtmlOf("<w:p>" + storedRuns(GetParam().properties) + "</w:p>"), GetParam().onPage);
}
INSTANTIATE_TEST_SUITE_P(Stored, DocxRunStored, ::testing::ValuesIn(kStoredRunCases), caseName);

TEST(DocxRunWrap, MarkerWithoutRunEndInsertsNothing) {
  std::string content = "<r><rPr><b/></rPr>open";
  wrapToggle(content, "b");
  EXPECT_EQ(content, "<r><rPr><b/></rPr>open");
}

TEST(DocxRunWrap, MarkerTextMatchesAnywhere) {
  std::string content = R"(<r><rPr><sz val="20"/></rPr>val="subscript"</r>)";
  wrapOnMarker(content, "val=\"subscript\"", "sub");
  EXPECT_EQ(content, R"(<r><rPr><sz val="20"/></rPr>val="subscript"</sub></r>)");
}

// The described algorithms, step by step and in place: the oracles for the one-pass versions.
// A marker that begins with unless is passed over.
std::string wrapInPlace(std::string content, std::string_view marker, std::string_view name,
                        std::string_view unless = {}) {
  const std::string open = "<" + std::string(name) + ">";
  const std::string close = "</" + std::string(name) + ">";
  std::size_t from = 0;
  for (;;) {
    std::size_t m = content.find(marker, from);
    if (m == std::string::npos) break;
    if (!unless.empty() && content.compare(m, unless.size(), unless) == 0) {
      from = m + 1;
      continue;
    }
    std::size_t e = content.find("</r>", m);
    if (e == std::string::npos) break;
    content.insert(e, close);
    std::size_t p = content.find("</rPr>", m);
    if (p != std::string::npos) content.insert(p + 6, open);
    from = e;
  }
  return content;
}

// A text that ReplaceMatch expands back into exactly itself.
std::string escapedTemplate(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch == '$') out += "$$";
    else if (ch == '\\') out += "\\\\";
    else out += ch;
  }
  return out;
}

std::string runsByReplaceMatch(std::string content, std::string_view css) {
  content = wrapInPlace(content, "<b/>", "b");
  content = wrapInPlace(content, "<i/>", "i");
  content = wrapInPlace(content, "<u val", "u", "<u val=\"none\"");
  content = wrapInPlace(content, "val=\"subscript\"", "sub");
  content = wrapInPlace(content, "val=\"superscript\"", "sup");
  TWSRegEx regex(preCaseLess | preSingleLine);
  regex.SetPattern("<r[^>]*><rPr>.*?</rPr>(.+?)</r>");
  regex.SetSubject(content);
  while (regex.MatchNext()) {
    const RunSpan span = runSpan(regex.MatchedText(), css);
    std::string replacement = span.open + regex.Submatch(1) + span.close;
    content = regex.ReplaceMatch(escapedTemplate(replacement));
  }
  return content;
}

// Damaged and unusual run markup, where the one-pass scan must still find what the pattern finds.
const std::string kOddContents[] = {
    run(R"(<sz val="24"/>)", "") + run("<b/>", "B"),  // empty run text swallows the next run
    "<r><rPr></rPr>" + run("<i/>", "x"),                // an unclosed run with empty properties
    "<r><rPr></rPr>kept</r>" + run("<b/>", "B") + "<r><rPr></rPr></r>" + run("<i/>", "I"),
    run(R"(<u val="none"/>)", "plain") + run(R"(<u val="single"/>)", "under") + run(R"(<u val="none" color="1"/>)", "x"),
    "<R><RPR><b/></RPR>upper</R>",
    "<r><rPr><b/></rPr>no end" + run("<i/>", "y"),
    "<r><r><rPr><b/></rPr>x</r>",
    "<r <r x><rPr><i/></rPr>q</r>",
    run("<b/>", "a") + "<r><rPr><b/>" + run("<i/>", "b") + "</rPr>c</r>",
    "<r><rPr><b/>" + std::string(50, 'x') + "</r>",
    run(R"(<u val="single"/><vertAlign val="superscript"/><b/><i/>)", "all") + run("<b/>", "") + "tail",
    "<rPr><b/></rPr>x</r><r><rPr><i/></rPr>y</r>",
};

TEST(DocxRunOracle, OnePassMatchesReplaceMatchLoop) {
  for (const std::string& content : kOddContents) {
    EXPECT_SAME_TEXT(runsOf(content, "color:#1;"), runsByReplaceMatch(content, "color:#1;")) << content;
  }
}

TEST(DocxRunOracle, WrapMatchesInPlaceInsertion) {
  for (const std::string& content : kOddContents) {
    for (auto [marker, name] : {std::pair{"<b/>", "b"}, {"<i/>", "i"}, {"val=\"superscript\"", "sup"}}) {
      std::string wrapped = content;
      wrapOnMarker(wrapped, marker, name);
      EXPECT_SAME_TEXT(wrapped, wrapInPlace(content, marker, name)) << content;
    }
  }
}

TEST(DocxRunOracle, ManyUnclosedRunsStillConvert) {
  std::string content;
  for (int i = 0; i < 20000; ++i) content += "<r><rPr><b/>x";
  content += run("<i/>", "end");
  EXPECT_SAME_TEXT(runsOf(content), runsByReplaceMatch(content, ""));
}

class DocxRunFinish : public ::testing::TestWithParam<PassCase> {};

TEST_P(DocxRunFinish, StripsRunMarkup) {
  EXPECT_SAME_TEXT(runPass(finishRuns, std::string(GetParam().input)), GetParam().expected);
}

const PassCase kFinishCases[] = {
    {"RunsLoseTheirTagsAndProperties", "<p><r><rPr><noProof/></rPr>x</r><r>y</r></p>", "<p>xy</p>"},
    {"EveryTagStartingWithR", "<p><ruby>a</ruby><rFonts ascii=\"x\"/>b</p>", "<p>a</ruby>b</p>"},
    {"NeighbouringIdenticalSpansMerge",
     R"(<span style="font-size:16px;">a</span><span style="font-size:16px;">b</span><span style="color:#1;">c</span>)",
     R"(<span style="font-size:16px;">ab</span><span style="color:#1;">c</span>)"},
    {"UnclosedPropertiesLoseOnlyTheirTag", "<p><rPr><b/>text</p>", "<p><b/>text</p>"},
    {"UnclosedTagStays", "<p>a</p><r b", "<p>a</p><r b"},
    {"NothingToDo", "<p>plain</p>", "<p>plain</p>"},
};
INSTANTIATE_TEST_SUITE_P(Finish, DocxRunFinish, ::testing::ValuesIn(kFinishCases), caseName);

TEST(DocxRunFinishOracle, BoundedPassesMatchWholeTextDeletion) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "<rPr><b/>x</rPr><r>y</r><RPR>z";
  text += "<r <r <r";
  Conversion c;
  std::string expected = text;
  RegexDeleteAll(c.regex, expected, "<rPr>.*?</rPr>");
  RegexDeleteAll(c.regex, expected, "<r[^>]*>");
  RegexDeleteAll(c.regex, expected, "</r>");
  EXPECT_SAME_TEXT(runPass(finishRuns, text), MergeAdjacentElements(expected, "span"));
}

TEST(DocxRunPackage, FormattedRunsBecomeElementsAndMergedSpans) {
  ConversionSettings settings;
  settings.optimizeHtml = false;  // the run markup as the run passes leave it
  const std::string page = convertPackageFolder(test::fixturesDir() / "packages" / "run-formatting", settings);
  for (std::string_view expected : {
           "<p><b>bold</b> <i>italic</i><u>under</u>H<sub>2</sub>O m<sup>2</sup></p>",
           R"(<p><span style="font:normal 16px 'Verdana';">one span</span><span style="color:#C00000;">red</span>)"
           R"(<span style="background-color:yellow;">marked</span></p>)",
           R"(<p style="font-family:'Arial';">same font</p>)",
       }) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
}

}  // namespace
}  // namespace vellumine
