// Field codes: only a field's stored result reaches the page.  The pass on its own over the text
// preClean leaves (and over a story part as stored), then whole documents through the pass table,
// in the body and in a footnote.
#include "convert/field_codes.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;

// Runs as preClean leaves them: a field character, an instruction, a text, with the prefix the
// row's part writes.
struct Runs {
  std::string_view prefix;
  std::string fieldChar(std::string_view type) const {
    return "<" + p("r") + "><" + p("fldChar") + " " + p("fldCharType") + "=\"" + std::string(type) + "\"/></" + p("r") + ">";
  }
  std::string begin() const { return fieldChar("begin"); }
  std::string separate() const { return fieldChar("separate"); }
  std::string end() const { return fieldChar("end"); }
  // A begin character carrying field data, as reference managers write it.
  std::string beginWithData(std::string_view data) const {
    return "<" + p("r") + "><" + p("fldChar") + " " + p("fldCharType") + "=\"begin\"><" + p("fldData") +
           " xml:space=\"preserve\">" + std::string(data) + "</" + p("fldData") + "></" + p("fldChar") + "></" + p("r") + ">";
  }
  std::string instruction(std::string_view code) const {
    return "<" + p("r") + "><" + p("instrText") + ">" + std::string(code) + "</" + p("instrText") + "></" + p("r") + ">";
  }
  std::string text(std::string_view words) const { return "<" + p("r") + ">" + std::string(words) + "</" + p("r") + ">"; }
  std::string p(std::string_view name) const { return std::string(prefix) + std::string(name); }
};

const Runs kBody{""};
const Runs kStory{"w:"};

struct FieldCase {
  std::string name;
  std::string_view prefix;
  std::string input, expected;
};

// Rows built from the runs above; the runs a row's expected text keeps are spelled out again.
const FieldCase kCases[] = {
    {"SimpleFieldIsLeftToTheFieldPass", "",
     kBody.begin() + kBody.instruction(" PAGE ") + kBody.separate() + kBody.text("7") + kBody.end(),
     kBody.begin() + kBody.instruction(" PAGE ") + kBody.separate() + kBody.text("7") + kBody.end()},
    {"FieldDataInTheBeginCharacterGoes", "",
     kBody.beginWithData("QUJDREVG") + kBody.instruction(" ADDIN ZOTERO ") + kBody.separate() + kBody.text("(1)") + kBody.end(),
     "<r><fldChar fldCharType=\"begin\"></fldChar></r>" + kBody.instruction(" ADDIN ZOTERO ") + kBody.separate() +
         kBody.text("(1)") + kBody.end()},
    // A citation: the data field nested in the instruction has no separate character at all.
    {"CitationDataFieldInsideTheInstructionGoesWhole", "",
     kBody.beginWithData("AAAA") + kBody.instruction(" ADDIN EN.CITE &lt;EndNote&gt;") + kBody.beginWithData("BBBB") +
         kBody.instruction(" ADDIN EN.CITE.DATA ") + kBody.end() + kBody.separate() + kBody.text("(Smith 2001)") + kBody.end(),
     "<r><fldChar fldCharType=\"begin\"></fldChar></r>" + kBody.instruction(" ADDIN EN.CITE &lt;EndNote&gt;") +
         kBody.instruction(" ADDIN EN.CITE.DATA ") + kBody.separate() + kBody.text("(Smith 2001)") + kBody.end()},
    {"NestedFieldResultInsideAnInstructionGoes", "",
     kBody.begin() + kBody.instruction(" IF ") + kBody.begin() + kBody.instruction(" MERGEFIELD Name ") + kBody.separate() +
         kBody.text("Ann") + kBody.end() + kBody.instruction(" = \"Ann\" \"yes\" \"no\" ") + kBody.separate() +
         kBody.text("yes") + kBody.end(),
     kBody.begin() + kBody.instruction(" IF ") + kBody.instruction(" MERGEFIELD Name ") +
         kBody.instruction(" = \"Ann\" \"yes\" \"no\" ") + kBody.separate() + kBody.text("yes") + kBody.end()},
    {"FieldWithoutSeparateShowsNothingOfItsInstruction", "",
     kBody.text("a") + kBody.begin() + kBody.instruction(" TC x ") + kBody.text("stray") + kBody.end() + kBody.text("b"),
     kBody.text("a") + kBody.begin() + kBody.instruction(" TC x ") + kBody.end() + kBody.text("b")},
    {"NestedFieldInAResultKeepsItsResult", "",
     kBody.begin() + kBody.instruction(" HYPERLINK x ") + kBody.separate() + kBody.text("a") + kBody.begin() +
         kBody.instruction(" DATE ") + kBody.separate() + kBody.text("1/1") + kBody.end() + kBody.text("b") + kBody.end(),
     kBody.begin() + kBody.instruction(" HYPERLINK x ") + kBody.separate() + kBody.text("a") + kBody.begin() +
         kBody.instruction(" DATE ") + kBody.separate() + kBody.text("1/1") + kBody.end() + kBody.text("b") + kBody.end()},
    {"InstructionAcrossParagraphsKeepsTheParagraphs", "",
     "<p>" + kBody.begin() + kBody.instruction(" IF 1 = 1 \"") + "</p><p>" + kBody.text("two") + kBody.instruction("\" ") +
         kBody.separate() + kBody.text("r") + kBody.end() + "</p>",
     "<p>" + kBody.begin() + kBody.instruction(" IF 1 = 1 \"") + "</p><p>" + kBody.instruction("\" ") + kBody.separate() +
         kBody.text("r") + kBody.end() + "</p>"},
    {"SimpleFieldLosesItsDataKeepsItsResult", "",
     "<fldSimple instr=\" ADDIN x \"><fldData>QUJD</fldData><fldData/>" + kBody.text("3") + "</fldSimple>",
     "<fldSimple instr=\" ADDIN x \">" + kBody.text("3") + "</fldSimple>"},
    {"StoryPartAsStored", "w:",
     kStory.beginWithData("QUJD") + kStory.instruction(" ADDIN ") + kStory.begin() + kStory.instruction(" PAGE ") +
         kStory.separate() + kStory.text("<w:t>4</w:t>") + kStory.end() + kStory.separate() + kStory.text("<w:t>r</w:t>") +
         kStory.end(),
     "<w:r><w:fldChar w:fldCharType=\"begin\"></w:fldChar></w:r>" + kStory.instruction(" ADDIN ") +
         kStory.instruction(" PAGE ") + kStory.separate() + kStory.text("<w:t>r</w:t>") + kStory.end()},
};

class FieldCodes : public testing::TestWithParam<FieldCase> {};
TEST_P(FieldCodes, KeepOnlyTheResult) {
  std::string part = GetParam().input;
  removeFieldCodes(part, GetParam().prefix);
  EXPECT_SAME_TEXT(part, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, FieldCodes, testing::ValuesIn(kCases), caseName);

std::string repeated(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Damaged field markup keeps all its text: what cannot be told apart from an instruction stays.
const FieldCase kRegressionCases[] = {
    // A field whose separate and end characters never come would hide the rest of the document.
    {"FieldNeverClosedHidesNothing", "", kBody.begin() + kBody.instruction(" X ") + kBody.text("kept"),
     kBody.begin() + kBody.instruction(" X ") + kBody.text("kept")},
    {"SeparateAndEndOutsideAnyFieldArePassedOver", "",
     kBody.separate() + kBody.text("a") + kBody.end() + kBody.end() + kBody.text("b") + kBody.begin() +
         kBody.text("hidden") + kBody.separate() + kBody.text("c") + kBody.end(),
     kBody.separate() + kBody.text("a") + kBody.end() + kBody.end() + kBody.text("b") + kBody.begin() +
         kBody.separate() + kBody.text("c") + kBody.end()},
    // A run that holds a run (a text box in a drawing) is not cut at the inner run's end.
    {"RunHoldingARunStaysWithTheRestOfItsInstruction", "",
     kBody.begin() + "<r><drawing><p><r>box</r></p></drawing></r>" + kBody.text("after") + kBody.separate() + kBody.end(),
     kBody.begin() + "<r><drawing><p><r>box</r></p></drawing></r>" + kBody.text("after") + kBody.separate() + kBody.end()},
    {"UnclosedFieldDataStays", "", "<fldData>QUJD" + kBody.text("x"), "<fldData>QUJD" + kBody.text("x")},
    {"TenThousandNestedBeginsNeverClosed", "", repeated(kBody.begin(), 10000) + kBody.text("kept"),
     repeated(kBody.begin(), 10000) + kBody.text("kept")},
};
INSTANTIATE_TEST_SUITE_P(Regressions, FieldCodes, testing::ValuesIn(kRegressionCases), caseName);

// Whole documents: the page of the body and of the same content as a footnote.
struct PageCase {
  std::string name;
  std::string xml;
  std::string body, footnote;
};

std::string paragraph(std::string_view runs) { return "<w:p>" + std::string(runs) + "</w:p>"; }
std::string textRun(std::string_view words) { return "<w:r><w:t xml:space=\"preserve\">" + std::string(words) + "</w:t></w:r>"; }

const PageCase kPageCases[] = {
    {"CitationShowsItsResultOnly",
     paragraph(textRun("As shown ") + kStory.beginWithData("QUJDREVGR0g=") +
               kStory.instruction(" ADDIN EN.CITE &lt;EndNote&gt;&lt;Cite&gt;&lt;Author&gt;Smith&lt;/Author&gt;") +
               kStory.beginWithData("TUlKS0w=") + kStory.instruction(" ADDIN EN.CITE.DATA ") + kStory.end() +
               kStory.separate() + textRun("(Smith 2001)") + kStory.end() + textRun(" before.")),
     // A begin character with data is not the one the field pass knows: its characters stay, unseen.
     "<p>As shown <fldChar fldCharType=\"begin\"></fldChar><fldChar fldCharType=\"separate\"/>(Smith 2001)"
     "<fldChar fldCharType=\"end\"/> before.</p>",
     "<p>As shown (Smith 2001) before.</p>"},
    {"NestedFieldInAnInstructionShowsNothing",
     paragraph(kStory.begin() + kStory.instruction(" IF ") + kStory.begin() + kStory.instruction(" REF x ") +
               kStory.separate() + textRun("secret") + kStory.end() + kStory.instruction(" = 1 \"a\" \"b\" ") +
               kStory.separate() + textRun("shown") + kStory.end()),
     "<p>shown</p>", "<p>shown</p>"},
    {"FieldWithEmptyResult",
     paragraph(textRun("a") + kStory.begin() + kStory.instruction(" REF x ") + kStory.separate() + kStory.end() + textRun("b")),
     "<p>ab</p>", "<p>ab</p>"},
    {"FieldWithoutSeparate",
     paragraph(textRun("a") + kStory.begin() + kStory.instruction(" XE \"entry\" ") + kStory.end() + textRun("b")),
     "<p>ab</p>", "<p>ab</p>"},
    {"SimpleFieldShowsItsResult",
     paragraph(textRun("Page ") + "<w:fldSimple w:instr=\" PAGE \"><w:fldData>QUJD</w:fldData>" + textRun("3") +
               "</w:fldSimple>"),
     "<p>Page <fldSimple instr=\" PAGE \">3</fldSimple></p>", "<p>Page <fldSimple instr=\" PAGE \">3</fldSimple></p>"},
};

class FieldPage : public testing::TestWithParam<PageCase> {};
TEST_P(FieldPage, BodyShowsTheResultOnly) { EXPECT_SAME_TEXT(test::bodyHtmlOf(GetParam().xml), GetParam().body); }
TEST_P(FieldPage, FootnoteShowsTheResultOnly) {
  EXPECT_SAME_TEXT(test::footnoteHtmlOf(GetParam().xml), GetParam().footnote);
}
INSTANTIATE_TEST_SUITE_P(Documents, FieldPage, testing::ValuesIn(kPageCases), caseName);

}  // namespace
}  // namespace vellumine
