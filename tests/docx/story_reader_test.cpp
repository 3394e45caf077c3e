// The story reader over body snippets: the inlines runs give, fields, links and changes as marks,
// tables (grid, rows, cells, nesting and its limit, damaged structure), sections, and property
// sets interned once per distinct content.
#include "docx/story_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/docx_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::wComplexField;
using test::wParagraph;
using test::wRun;
using test::wTextRun;

// The body's paragraphs (depth first through tables), their inlines joined by " / ".
std::string bodyInlines(const Document& document) {
  std::string out;
  for (const std::string& line : test::describeParagraphs(document.body)) {
    if (!out.empty()) out += " / ";
    out += line;
  }
  return out;
}

Document readBody(const std::string& body, Warnings& warnings) {
  test::DocxPackage package(body);
  package.addRelationship("word/document.xml", "rLink", "hyperlink", "https://example.com/a?b=1", true);
  return test::readPackage(package, warnings);
}

// ---- Runs and what they hold -----------------------------------------------------------------

struct InlineCase {
  std::string name;
  std::string body;
  std::string expected;
};

void PrintTo(const InlineCase& row, std::ostream* out) { *out << row.name; }

const InlineCase kInlineCases[] = {
    {"PlainText", wParagraph(wTextRun("Hello")), R"-(text"Hello")-"},
    {"AdjacentRunsJoin", wParagraph(wTextRun("Hel") + wTextRun("lo")), R"-(text"Hello")-"},
    {"BlankOnlyTextIsAWordSpace", wParagraph(wTextRun("a") + wRun("<w:t xml:space=\"preserve\"> </w:t>") + wTextRun("b")),
     R"-(text"a b")-"},
    {"TextAndCdataJoin", wParagraph(wRun("<w:t>a<![CDATA[<b>]]></w:t>")), R"-(text"a<b>")-"},
    {"TabsAndBreaks",
     wParagraph(wRun("<w:t>a</w:t><w:tab/><w:br/><w:br w:type=\"page\"/><w:br w:type=\"column\"/>"
                     "<w:br w:type=\"textWrapping\" w:clear=\"all\"/><w:cr/>")),
     R"-(text"a" tab br(0) pageBreak columnBreak br(3) br(0))-"},
    {"SymbolKeepsFontAndCode", wParagraph(wRun("<w:sym w:font=\"Wingdings\" w:char=\"F04A\"/>")),
     R"-(sym(61514)"Wingdings")-"},
    {"HyphensAndPositionalTab",
     wParagraph(wRun("<w:noBreakHyphen/><w:softHyphen/><w:ptab w:relativeTo=\"margin\" w:alignment=\"right\" "
                     "w:leader=\"none\"/><w:ptab w:alignment=\"center\"/>")),
     "nbHyphen softHyphen ptab(2) ptab(1)"},
    {"LastRenderedPageBreakIsOnlyAMark", wParagraph(wRun("<w:t>a</w:t><w:lastRenderedPageBreak/><w:t>b</w:t>")),
     R"-(text"a" lastRendered text"b")-"},
    {"BookmarksAroundText",
     wParagraph("<w:bookmarkStart w:id=\"7\" w:name=\"here\"/>" + wTextRun("x") + "<w:bookmarkEnd w:id=\"7\"/>"),
     R"-(bookmarkStart(7)"here" text"x" bookmarkEnd(7))-"},
    {"DeletionHoldsDeletedText",
     wParagraph(wTextRun("kept") + "<w:del w:id=\"1\" w:author=\"Ann\" w:date=\"2024-01-02T00:00:00Z\">" +
                wRun("<w:delText>gone</w:delText>") + "</w:del>"),
     R"-(text"kept" changeStart(0) text"gone" changeEnd(0))-"},
    {"InsertionAndMoves",
     wParagraph("<w:ins w:author=\"A\">" + wTextRun("new") + "</w:ins><w:moveFrom w:author=\"B\">" +
                wRun("<w:delText>old</w:delText>") + "</w:moveFrom><w:moveTo>" + wTextRun("there") + "</w:moveTo>"),
     R"-(changeStart(0) text"new" changeEnd(0) changeStart(1) text"old" changeEnd(1) changeStart(2) text"there" changeEnd(2))-"},
    {"HyperlinkThroughRelationship",
     wParagraph("<w:hyperlink r:id=\"rLink\" w:tooltip=\"tip\">" + wTextRun("site") + "</w:hyperlink>"),
     R"-(linkStart(0) text"site" linkEnd(0))-"},
    {"RubyShowsItsBase",
     wParagraph("<w:ruby><w:rubyPr/><w:rt>" + wTextRun("kan") + "</w:rt><w:rubyBase>" + wTextRun("base") +
                "</w:rubyBase></w:ruby>"),
     R"-(text"base")-"},
    {"WrappersReadAsTheirContent",
     wParagraph("<w:sdt><w:sdtPr><w:alias w:val=\"x\"/></w:sdtPr><w:sdtContent>" + wTextRun("a") +
                "</w:sdtContent></w:sdt><w:smartTag w:element=\"x\"><w:smartTagPr/>" + wTextRun("b") +
                "</w:smartTag><w:customXml w:element=\"y\"><w:customXmlPr/>" + wTextRun("c") +
                "</w:customXml><w:dir w:val=\"rtl\">" + wTextRun("d") + "</w:dir><w:bdo w:val=\"ltr\">" +
                wTextRun("e") + "</w:bdo>"),
     R"-(text"abcde")-"},
    {"UnknownElementsReadAsTheirContent", wParagraph("<w14:foo><x:bar xmlns:x=\"urn:other\">" + wTextRun("kept") + "</x:bar></w14:foo>"),
     R"-(text"kept")-"},
    {"EquationsBetweenText",
     wParagraph(wTextRun("a") + "<m:oMath><m:r><m:t>x</m:t></m:r></m:oMath>" + wTextRun("b") +
                "<m:oMathPara><m:oMathParaPr/><m:oMath><m:r><m:t>y</m:t></m:r></m:oMath><m:oMath/></m:oMathPara>"),
     R"-(text"a" equation(0) text"b" equation(1) equation(2))-"},
    {"InstructionOutsideAFieldIsNeverShown", wParagraph(wRun("<w:instrText>PAGE</w:instrText><w:t>a</w:t>")),
     R"-(text"a")-"},
    {"AnnotationRefAndFieldDataAreNotShown",
     wParagraph(wRun("<w:annotationRef/><w:fldData>AAAA</w:fldData><w:t>a</w:t>")), R"-(text"a")-"},
    {"RunFormattingInternedByContent",
     wParagraph(wTextRun("a", "<w:b/>") + wTextRun("b", "<w:i/>") + wTextRun("c", "<w:b/>") + wTextRun("d", "") +
                wTextRun("e", " ")),
     R"-(text"a"@1 text"b"@2 text"c"@1 text"de")-"},
    {"EqualFormattingWrittenApartSharesAnIndex",
     wParagraph(wTextRun("a", "<w:sz w:val=\"20\"/>") + wTextRun("b", "\n  <w:sz w:val=\"20\"/>\n")),
     R"-(text"ab"@1)-"},
    {"RunOutsideAnyParagraphOpensOne", wTextRun("stray") + wParagraph(wTextRun("next")),
     R"-(text"stray" / text"next")-"},
    {"MarksBetweenParagraphsJoinTheNext",
     wParagraph(wTextRun("a")) + "<w:bookmarkStart w:id=\"1\" w:name=\"b\"/>" + wParagraph(wTextRun("b")) +
         "<w:bookmarkEnd w:id=\"1\"/>",
     R"-(text"a" / bookmarkStart(1)"b" text"b" bookmarkEnd(1))-"},
    {"ParagraphInsideAParagraphJoinsIt", wParagraph(wTextRun("a") + wParagraph(wTextRun("b"))), R"-(text"ab")-"},
};

class StoryReaderInlines : public testing::TestWithParam<InlineCase> {};

TEST_P(StoryReaderInlines, GiveTheseInlines) {
  Warnings warnings;
  const Document document = readBody(GetParam().body, warnings);
  EXPECT_EQ(bodyInlines(document), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoryReaderInlines, testing::ValuesIn(kInlineCases), test::caseName);

// ---- What marks refer to ---------------------------------------------------------------------

TEST(StoryReader, LinksAndChangesKeepWhatTheySay) {
  Warnings warnings;
  const Document document = readBody(
      wParagraph("<w:hyperlink r:id=\"rLink\" w:tooltip=\"tip\">" + wTextRun("site") +
                 "</w:hyperlink><w:hyperlink w:anchor=\"_Toc1\">" + wTextRun("inside") +
                 "</w:hyperlink><w:hyperlink r:id=\"rMissing\">" + wTextRun("nowhere") + "</w:hyperlink>" +
                 "<w:del w:author=\"Ann\" w:date=\"2024-01-02T00:00:00Z\">" + wRun("<w:delText>x</w:delText>") +
                 "</w:del>"),
      warnings);
  ASSERT_EQ(document.links.size(), 3u);
  EXPECT_EQ(document.links[0].url, "https://example.com/a?b=1");
  EXPECT_EQ(document.links[0].tooltip, "tip");
  EXPECT_EQ(document.links[1].url, "");
  EXPECT_EQ(document.links[1].anchor, "_Toc1");
  EXPECT_EQ(document.links[2].url, "");
  ASSERT_EQ(document.changes.size(), 1u);
  EXPECT_EQ(document.changes[0].kind, ChangeKind::deletion);
  EXPECT_EQ(document.changes[0].author, "Ann");
  EXPECT_EQ(document.changes[0].date, "2024-01-02T00:00:00Z");
}

TEST(StoryReader, AParagraphMarkChangeIsRecorded) {
  Warnings warnings;
  const Document document =
      readBody(wParagraph(wTextRun("a"), "<w:rPr><w:ins w:id=\"3\" w:author=\"Bo\"/></w:rPr>") +
                   wParagraph(wTextRun("b"), "<w:rPr><w:del w:author=\"Cy\"/></w:rPr>") + wParagraph(wTextRun("c")),
               warnings);
  ASSERT_EQ(document.body.blocks.size(), 3u);
  EXPECT_EQ(std::get<Paragraph>(document.body.blocks[0].node).markChange, 0);
  EXPECT_EQ(std::get<Paragraph>(document.body.blocks[1].node).markChange, 1);
  EXPECT_EQ(std::get<Paragraph>(document.body.blocks[2].node).markChange, -1);
  ASSERT_EQ(document.changes.size(), 2u);
  EXPECT_EQ(document.changes[0].kind, ChangeKind::insertion);
  EXPECT_EQ(document.changes[1].author, "Cy");
}

TEST(StoryReader, AParagraphKeepsTheFormattingAFormattingChangeReplaced) {
  Warnings warnings;
  const Document document = readBody(
      wParagraph(wTextRun("a"), "<w:jc w:val=\"center\"/><w:pPrChange w:author=\"Bo\"><w:pPr><w:jc w:val=\"right\"/>"
                                "</w:pPr></w:pPrChange>") +
          wParagraph(wTextRun("b"), "<w:jc w:val=\"center\"/>"),
      warnings);
  ASSERT_EQ(document.body.blocks.size(), 2u);
  const Paragraph& changed = std::get<Paragraph>(document.body.blocks[0].node);
  const Paragraph& plain = std::get<Paragraph>(document.body.blocks[1].node);
  ASSERT_NE(changed.formerProps, kSameParagraphProps);
  EXPECT_EQ(document.paragraphProps.items[changed.formerProps].justification, Justification::end);
  EXPECT_EQ(document.paragraphProps.items[changed.props].justification, Justification::center);
  EXPECT_EQ(plain.formerProps, kSameParagraphProps);
}

TEST(StoryReader, InsertedAndDeletedCellsAreRecorded) {
  Warnings warnings;
  const std::string row = "<w:tr><w:tc><w:tcPr><w:cellIns w:author=\"Bo\"/></w:tcPr>" + wParagraph(wTextRun("a")) +
                          "</w:tc><w:tc><w:tcPr><w:tcW w:w=\"100\"/><w:cellDel w:author=\"Cy\"/></w:tcPr>" +
                          wParagraph(wTextRun("b")) + "</w:tc><w:tc>" + wParagraph(wTextRun("c")) + "</w:tc></w:tr>";
  const Document document = readBody(test::wTable({100, 100, 100}, {row}), warnings);
  ASSERT_EQ(document.body.blocks.size(), 1u);
  const Table& table = std::get<Table>(document.body.blocks[0].node);
  ASSERT_EQ(table.rows.size(), 1u);
  ASSERT_EQ(table.rows[0].cells.size(), 3u);
  EXPECT_EQ(table.rows[0].cells[0].change, 0);
  EXPECT_EQ(table.rows[0].cells[1].change, 1);
  EXPECT_EQ(table.rows[0].cells[2].change, -1);
  ASSERT_EQ(document.changes.size(), 2u);
  EXPECT_EQ(document.changes[0].kind, ChangeKind::insertion);
  EXPECT_EQ(document.changes[1].kind, ChangeKind::deletion);
  EXPECT_EQ(document.changes[1].author, "Cy");
}

// ---- Fields ----------------------------------------------------------------------------------

struct FieldCase {
  std::string name;
  std::string body;
  std::string inlines;
  std::string fields;  // "TYPE argument" each, joined by "; "
  std::string links;   // url#anchor each, joined by "; "
};

void PrintTo(const FieldCase& row, std::ostream* out) { *out << row.name; }

std::string fieldsOf(const Document& document) {
  std::string out;
  for (const Field& field : document.fields) {
    if (!out.empty()) out += "; ";
    out += field.type + " " + field.argument;
  }
  return out;
}

std::string linksOf(const Document& document) {
  std::string out;
  for (const Link& link : document.links) {
    if (!out.empty()) out += "; ";
    out += link.url + "#" + link.anchor;
  }
  return out;
}

const std::string kBegin = wRun("<w:fldChar w:fldCharType=\"begin\"/>");
const std::string kSeparate = wRun("<w:fldChar w:fldCharType=\"separate\"/>");
const std::string kEnd = wRun("<w:fldChar w:fldCharType=\"end\"/>");
std::string instr(const std::string& text) { return wRun("<w:instrText xml:space=\"preserve\">" + text + "</w:instrText>"); }

const FieldCase kFieldCases[] = {
    {"ResultIsShownInstructionIsNot", wParagraph(wTextRun("p. ") + wComplexField(" page ", wTextRun("3").c_str())),
     R"-(text"p. " fieldStart(0) text"3" fieldEnd(0))-", "PAGE ", ""},
    {"InstructionInPiecesIsJoined",
     wParagraph(kBegin + instr(" REF ") + instr("_Ref12 \\h ") + kSeparate + wTextRun("Fig. 1") + kEnd),
     R"-(fieldStart(0) text"Fig. 1" fieldEnd(0))-", "REF _Ref12 \\h", ""},
    {"WithoutSeparateShowsNothing", wParagraph(wComplexField("PAGE", nullptr) + wTextRun("after")),
     R"-(fieldStart(0) fieldEnd(0) text"after")-", "PAGE ", ""},
    {"FieldDataIsDropped",
     wParagraph(wRun("<w:fldChar w:fldCharType=\"begin\"><w:fldData>QUJD</w:fldData></w:fldChar>") +
                instr("FORMTEXT") + kSeparate + wTextRun("typed") + kEnd),
     R"-(fieldStart(0) text"typed" fieldEnd(0))-", "FORMTEXT ", ""},
    {"FieldInAnInstructionBelongsToIt",
     wParagraph(kBegin + instr("IF ") + kBegin + instr("DOCPROPERTY Kind") + kSeparate + wTextRun("draft") + kEnd +
                instr(" = \"draft\" \"Draft\" \"Final\"") + kSeparate + wTextRun("Draft") + kEnd),
     R"-(fieldStart(0) text"Draft" fieldEnd(0))-", "IF draft = \"draft\" \"Draft\" \"Final\"", ""},
    {"FieldInAResultIsItsOwn",
     wParagraph(kBegin + instr("TOC \\o") + kSeparate + wTextRun("Intro ") +
                wComplexField("PAGEREF _Toc1 \\h", wTextRun("2").c_str()) + kEnd),
     R"-(fieldStart(0) text"Intro " fieldStart(1) text"2" fieldEnd(1) fieldEnd(0))-", "TOC \\o; PAGEREF _Toc1 \\h", ""},
    {"ResultAcrossParagraphs",
     wParagraph(kBegin + instr("TOC") + kSeparate + wTextRun("one")) + wParagraph(wTextRun("two") + kEnd),
     R"-(fieldStart(0) text"one" / text"two" fieldEnd(0))-", "TOC ", ""},
    {"HyperlinkFieldIsALinkToo",
     wParagraph(wComplexField("HYPERLINK \"https://example.org/x\" \\o \"tip\"", wTextRun("go").c_str())),
     R"-(fieldStart(0) linkStart(0) text"go" linkEnd(0) fieldEnd(0))-",
     "HYPERLINK \"https://example.org/x\" \\o \"tip\"", "https://example.org/x#"},
    {"HyperlinkFieldToABookmark", wParagraph(wComplexField(" HYPERLINK \\l \"_Sec2\" ", wTextRun("see").c_str())),
     R"-(fieldStart(0) linkStart(0) text"see" linkEnd(0) fieldEnd(0))-", "HYPERLINK \\l \"_Sec2\"", "#_Sec2"},
    {"SimpleField", wParagraph("<w:fldSimple w:instr=\" NUMPAGES \">" + wTextRun("9") + "</w:fldSimple>"),
     R"-(fieldStart(0) text"9" fieldEnd(0))-", "NUMPAGES ", ""},
    {"SimpleHyperlinkField",
     wParagraph("<w:fldSimple w:instr=\"HYPERLINK https://example.net\">" + wTextRun("net") + "</w:fldSimple>"),
     R"-(fieldStart(0) linkStart(0) text"net" linkEnd(0) fieldEnd(0))-", "HYPERLINK https://example.net",
     "https://example.net#"},
    {"DeletedInstructionIsDropped",
     wParagraph(kBegin + wRun("<w:delInstrText>PAGE</w:delInstrText>") + kSeparate + wTextRun("1") + kEnd),
     R"-(fieldStart(0) text"1" fieldEnd(0))-", " ", ""},
    {"StrayEventsAreIgnored", wParagraph(kSeparate + kEnd + wTextRun("a") + kEnd),
     R"-(text"a")-", "", ""},
    {"ComplexFieldLeftOpenInASimpleOneEndsWithIt",
     wParagraph("<w:fldSimple w:instr=\"SEQ Figure\">" + kBegin + instr("PAGE") + kSeparate + wTextRun("5") +
                "</w:fldSimple>" + wTextRun("b")),
     R"-(fieldStart(0) fieldStart(1) text"5" fieldEnd(1) fieldEnd(0) text"b")-", "SEQ Figure; PAGE ", ""},
    {"DrawingsAndLinksInAnInstructionAreNotShown",
     wParagraph(kBegin + instr("INCLUDEPICTURE ") + "<w:hyperlink w:anchor=\"x\">" + wTextRun("in") +
                "</w:hyperlink>" + kSeparate + wTextRun("shown") + kEnd),
     R"-(fieldStart(0) text"shown" fieldEnd(0))-", "INCLUDEPICTURE ", ""},
};

class StoryReaderFields : public testing::TestWithParam<FieldCase> {};

TEST_P(StoryReaderFields, ShowOnlyTheirResults) {
  Warnings warnings;
  const Document document = readBody(GetParam().body, warnings);
  EXPECT_EQ(bodyInlines(document), GetParam().inlines);
  EXPECT_EQ(fieldsOf(document), GetParam().fields);
  EXPECT_EQ(linksOf(document), GetParam().links);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoryReaderFields, testing::ValuesIn(kFieldCases), test::caseName);

// ---- Tables ----------------------------------------------------------------------------------

struct TableCase {
  std::string name;
  std::string body;
  std::string expected;  // describeDocument's body lines
};

void PrintTo(const TableCase& row, std::ostream* out) { *out << row.name; }

std::string bodyLines(const Document& document) {
  const std::string all = test::describeDocument(document);
  const std::size_t start = all.find("body\n") + 5;
  return all.substr(start, all.find("section ") - start);
}

std::string cell(const std::string& text, const std::string& tcPr = {}) {
  return test::wCell(wParagraph(wTextRun(text)), tcPr);
}

// n tables, each the only content of the one cell of the one above, the innermost holding text.
std::string nestedTables(int depth, const std::string& innermost) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<w:tbl><w:tblGrid><w:gridCol w:w=\"100\"/></w:tblGrid><w:tr><w:tc>";
    close += "</w:tc></w:tr></w:tbl>";
  }
  return open + wParagraph(wTextRun(innermost)) + close;
}

const TableCase kTableCases[] = {
    {"GridRowsAndCells",
     test::wTable({2000, 3000}, {test::wRow({cell("a"), cell("b")}), test::wRow({cell("c", "<w:gridSpan w:val=\"2\"/>")})},
                  "<w:tblW w:w=\"0\" w:type=\"auto\"/>"),
     "  table props=1 grid=[2000,3000]\n"
     "    row props=0 exception=0\n"
     "      cell props=0\n        p: text\"a\"\n"
     "      cell props=0\n        p: text\"b\"\n"
     "    row props=0 exception=0\n"
     "      cell props=1\n        p: text\"c\"\n"},
    {"RowPropertiesAndExceptions",
     test::wTable({100}, {"<w:tr><w:tblPrEx><w:tblBorders/></w:tblPrEx><w:trPr><w:cantSplit/></w:trPr>" + cell("x") +
                          "</w:tr>"}),
     "  table props=0 grid=[100]\n    row props=1 exception=1\n      cell props=0\n        p: text\"x\"\n"},
    {"MalformedGridWidthIsZero", "<w:tbl><w:tblGrid><w:gridCol w:w=\"wide\"/></w:tblGrid></w:tbl>",
     "  table props=0 grid=[0]\n"},
    {"NestedTable",
     test::wTable({100}, {test::wRow({test::wCell(test::wTable({50}, {test::wRow({cell("in")})}) + wParagraph(""))})}),
     "  table props=0 grid=[100]\n    row props=0 exception=0\n      cell props=0\n"
     "        table props=0 grid=[50]\n          row props=0 exception=0\n            cell props=0\n"
     "              p: text\"in\"\n        p: \n"},
    {"RowsAndCellsInWrappers",
     test::wTable({100}, {"<w:sdt><w:sdtContent>" + test::wRow({"<w:customXml>" + cell("a") + "</w:customXml>"}) +
                          "</w:sdtContent></w:sdt>"}),
     "  table props=0 grid=[100]\n    row props=0 exception=0\n      cell props=0\n        p: text\"a\"\n"},
    {"ParagraphDirectlyInATableJoinsItsLastCell",
     test::wTable({100}, {test::wRow({cell("a")}), wParagraph(wTextRun("stray"))}),
     "  table props=0 grid=[100]\n    row props=0 exception=0\n      cell props=0\n        p: text\"a\"\n"
     "        p: text\"stray\"\n"},
    {"CellWithoutRowIsReadAsItsContent", test::wTable({100}, {cell("lost?")}),
     "  table props=0 grid=[100]\n    row props=0 exception=0\n      cell props=0\n        p: text\"lost?\"\n"},
    {"TableInsideAParagraphIsReadAsText", wParagraph(wTextRun("a") + test::wTable({1}, {test::wRow({cell("b")})})),
     "  p: text\"ab\"\n"},
};

class StoryReaderTables : public testing::TestWithParam<TableCase> {};

TEST_P(StoryReaderTables, GiveThisStructure) {
  Warnings warnings;
  const Document document = readBody(GetParam().body, warnings);
  EXPECT_SAME_TEXT(bodyLines(document), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoryReaderTables, testing::ValuesIn(kTableCases), test::caseName);

// Counts the tables kept on the chain of first cells, and returns the innermost cell's paragraphs.
int keptDepth(const Document& document, std::vector<std::string>& innermost) {
  const std::vector<Block>* blocks = &document.body.blocks;
  int depth = 0;
  while (!blocks->empty() && std::holds_alternative<Table>(blocks->front().node)) {
    ++depth;
    blocks = &std::get<Table>(blocks->front().node).rows.at(0).cells.at(0).blocks;
  }
  for (const Block& block : *blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block.node)) innermost.push_back(test::describeInlines(*paragraph));
  }
  return depth;
}

TEST(StoryReader, TablesDeeperThanTheLimitAreReadAsParagraphs) {
  for (const int depth : {kMaxTableDepth, kMaxTableDepth + 1, 200}) {
    Warnings warnings;
    const Document document = readBody(nestedTables(depth, "deep"), warnings);
    std::vector<std::string> innermost;
    EXPECT_EQ(keptDepth(document, innermost), std::min(depth, kMaxTableDepth)) << depth;
    EXPECT_EQ(innermost, std::vector<std::string>{R"-(text"deep")-"}) << depth;
    EXPECT_EQ(warnings.count(WarningKind::deepNesting), depth > kMaxTableDepth ? depth - kMaxTableDepth : 0) << depth;
  }
}

// ---- Sections --------------------------------------------------------------------------------

TEST(StoryReader, SectionsEndWhereTheirParagraphsDo) {
  Warnings warnings;
  const Document document = readBody(wParagraph(wTextRun("one"), "<w:sectPr/>") + wParagraph(wTextRun("two")) +
                                         wParagraph(wTextRun("three"), "<w:sectPr><w:cols w:num=\"2\"/></w:sectPr>") +
                                         wParagraph(wTextRun("four")) + "<w:sectPr/>",
                                     warnings);
  ASSERT_EQ(document.sections.size(), 3u);
  std::vector<int> ends;
  for (const Block& block : document.body.blocks) ends.push_back(std::get<Paragraph>(block.node).sectionEnd);
  EXPECT_EQ(ends, (std::vector<int>{0, -1, 1, -1}));
}

TEST(StoryReader, ABodyWithoutSectionPropertiesHasOneSection) {
  Warnings warnings;
  const Document document = readBody(wParagraph(wTextRun("a")), warnings);
  EXPECT_EQ(document.sections.size(), 1u);
}

}  // namespace
}  // namespace vellumine::docx
