// preClean and reformat, the first and the last rewriting of the document text.
#include "convert/docx_clean.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "convert/word_prefix.h"
#include "support/test_support.h"
#include "text/strutil.h"
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
    // The prefix walk drops the blanks that end a tag before the rules look: "<t >" is "<t>".
    {"BlanksEndingATagGoBeforeTheRules", "<t >x<p >y<proofErr />z", "x<p>y<proofErr/>z"},
    {"EmptyBodyIsNoMatch", "<p/>y<proofErr/>z", "<p/>y<proofErr/>z"},
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
TEST(DocxClean, ScansAgreeWithThePatternsTheyReplace) {
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

class DocxClean : public testing::TestWithParam<PassCase> {};
TEST_P(DocxClean, RewritesAsExpected) {
  EXPECT_SAME_TEXT(runPass(preClean, std::string(GetParam().input)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxClean, testing::ValuesIn(kPreCleanCases), caseName);

TEST(DocxClean, LineBreakBeforeStartTagsOnly) {
  EXPECT_SAME_TEXT(runPass(reformat, "<p>a</p><P>b</p><table><tr><td>c</td></tr></table><b>d</b>"),
                   "\r\n<p>a</p>\r\n<P>b</p>\r\n<table>\r\n<tr>\r\n<td>c</td></tr></table><b>d</b>");
}

}  // namespace
}  // namespace vellumine
