// Equations read into their structure: one row per structure Word writes, with the properties that
// change how it is drawn, the parts its properties hide, text joined across runs, upright runs,
// deleted text and property blocks left out, and the depth past which a structure keeps its text.
#include "docx/equation_reader.h"

#include <string>

#include <gtest/gtest.h>

#include "docx/xml_names.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

const char* kindName(MathKind kind) {
  switch (kind) {
    case MathKind::group: return "";
    case MathKind::text: return "";
    case MathKind::fraction: return "f";
    case MathKind::subscript: return "sSub";
    case MathKind::superscript: return "sSup";
    case MathKind::subSuperscript: return "sSubSup";
    case MathKind::preScript: return "sPre";
    case MathKind::radical: return "rad";
    case MathKind::nary: return "nary";
    case MathKind::delimiter: return "d";
    case MathKind::matrix: return "m";
    case MathKind::accent: return "acc";
    case MathKind::bar: return "bar";
    case MathKind::equationArray: return "eqArr";
    case MathKind::function: return "func";
    case MathKind::limitLower: return "limLow";
    case MathKind::limitUpper: return "limUpp";
    case MathKind::groupChar: return "groupChr";
    case MathKind::box: return "box";
  }
  return "?";
}

const char* roleName(MathRole role) {
  switch (role) {
    case MathRole::none: return "";
    case MathRole::base: return "e";
    case MathRole::numerator: return "num";
    case MathRole::denominator: return "den";
    case MathRole::sub: return "sub";
    case MathRole::sup: return "sup";
    case MathRole::degree: return "deg";
    case MathRole::name: return "fName";
    case MathRole::limit: return "lim";
    case MathRole::row: return "mr";
  }
  return "?";
}

// A node and its children as "kind[attributes](children)"; text as "x" (italic) or 'x' (upright).
std::string describe(const Equation& equation, std::size_t index) {
  const MathNode& node = equation.nodes[index];
  if (node.kind == MathKind::text) {
    return std::string(node.bold ? "*" : "") + (node.plain ? "'" + node.text + "'" : "\"" + node.text + "\"");
  }
  std::string out = node.kind == MathKind::group ? roleName(node.role) : kindName(node.kind);
  std::string attributes;
  if (node.flag) attributes += "!";
  if (node.linear) attributes += "lin";
  if (!node.text.empty()) attributes += node.text;
  if (node.kind == MathKind::delimiter) attributes += node.open + node.separator + node.close;
  if (!attributes.empty()) out += "[" + attributes + "]";
  std::string children;
  for (std::size_t k = index + 1; k < equation.nodes.size(); ++k) {
    if (equation.nodes[k].parent != static_cast<std::int32_t>(index)) continue;
    if (!children.empty()) children += ",";
    children += describe(equation, k);
  }
  return out + "(" + children + ")";
}

Equation read(const std::string& math, bool display = false) {
  const std::string xml = "<m:oMath xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\" "
                          "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" +
                          math + "</m:oMath>";
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(xml.data(), xml.size()));
  canonicaliseNames(document);
  return readEquation(document.first_child(), display);
}

std::string r(const std::string& text) { return "<m:r><m:t>" + text + "</m:t></m:r>"; }
std::string e(const std::string& content) { return "<m:e>" + content + "</m:e>"; }

struct EquationCase {
  std::string name;
  std::string math;
  std::string expected;
};

void PrintTo(const EquationCase& row, std::ostream* out) { *out << row.name; }

const EquationCase kEquationCases[] = {
    {"TextJoinsAcrossRuns", r("x") + r("+") + "<m:r><m:t>1</m:t></m:r>", R"-(("x+1"))-"},
    {"UprightRuns", "<m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr><m:t>sin</m:t></m:r><m:r><m:rPr><m:nor/></m:rPr><m:t>if</m:t></m:r>" + r("x"),
     R"-(('sinif',"x"))-"},
    {"BoldStylesUprightAndItalic",
     "<m:r><m:rPr><m:sty m:val=\"b\"/></m:rPr><m:t>v</m:t></m:r><m:r><m:rPr><m:sty m:val=\"bi\"/></m:rPr><m:t>w</m:t></m:r>" +
         r("x"),
     R"-((*'v',*"w","x"))-"},
    {"Fraction", "<m:f><m:num>" + r("a") + "</m:num><m:den>" + r("b") + "</m:den></m:f>", R"-((f(num("a"),den("b"))))-"},
    {"FractionWithoutBarAndLinear",
     "<m:f><m:fPr><m:type m:val=\"noBar\"/></m:fPr><m:num/><m:den/></m:f><m:f><m:fPr><m:type m:val=\"lin\"/></m:fPr></m:f>",
     "(f[!](num(),den()),f[lin]())"},
    {"Scripts",
     "<m:sSup>" + e(r("x")) + "<m:sup>" + r("2") + "</m:sup></m:sSup><m:sSubSup>" + e(r("y")) + "<m:sub>" + r("i") +
         "</m:sub><m:sup>" + r("n") + "</m:sup></m:sSubSup><m:sPre><m:sub/><m:sup/>" + e(r("z")) + "</m:sPre>",
     R"-((sSup(e("x"),sup("2")),sSubSup(e("y"),sub("i"),sup("n")),sPre(sub(),sup(),e("z"))))-"},
    {"RadicalWithAndWithoutItsDegree",
     "<m:rad><m:deg>" + r("3") + "</m:deg>" + e(r("x")) + "</m:rad><m:rad><m:radPr><m:degHide m:val=\"1\"/></m:radPr><m:deg/>" +
         e(r("y")) + "</m:rad>",
     R"-((rad(deg("3"),e("x")),rad(e("y"))))-"},
    {"NaryOperatorsAndTheirLimits",
     "<m:nary><m:naryPr><m:chr m:val=\"\u2211\"/><m:limLoc m:val=\"undOvr\"/></m:naryPr><m:sub>" + r("i") +
         "</m:sub><m:sup>" + r("n") + "</m:sup>" + e(r("a")) + "</m:nary><m:nary><m:naryPr><m:subHide/><m:supHide m:val=\"on\"/></m:naryPr><m:sub/><m:sup/>" +
         e(r("f")) + "</m:nary><m:nary><m:naryPr><m:chr m:val=\"\u220F\"/></m:naryPr>" + e("") + "</m:nary>",
     "(nary[!\u2211](sub(\"i\"),sup(\"n\"),e(\"a\")),nary[\u222B](e(\"f\")),nary[!\u220F](e()))"},
    {"DelimitersWithTheirCharacters",
     "<m:d>" + e(r("a")) + e(r("b")) + "</m:d><m:d><m:dPr><m:begChr m:val=\"[\"/><m:sepChr m:val=\",\"/><m:endChr/></m:dPr>" +
         e("") + "</m:d>",
     R"-((d[(|)](e("a"),e("b")),d[[,](e())))-"},
    {"MatrixRowsAndCells", "<m:m><m:mPr/><m:mr>" + e(r("1")) + e(r("0")) + "</m:mr><m:mr>" + e(r("0")) + e(r("1")) + "</m:mr></m:m>",
     R"-((m(mr(e("1"),e("0")),mr(e("0"),e("1")))))-"},
    {"AccentsBarsAndGroupCharacters",
     "<m:acc>" + e(r("a")) + "</m:acc><m:acc><m:accPr><m:chr m:val=\"\u20D7\"/></m:accPr>" + e(r("v")) +
         "</m:acc><m:bar>" + e(r("b")) + "</m:bar><m:bar><m:barPr><m:pos m:val=\"top\"/></m:barPr>" + e(r("c")) +
         "</m:bar><m:groupChr>" + e(r("d")) + "</m:groupChr>",
     "(acc[\u0302](e(\"a\")),acc[\u20D7](e(\"v\")),bar[!](e(\"b\")),bar(e(\"c\")),groupChr[\u23DF](e(\"d\")))"},
    {"FunctionsLimitsArraysAndBoxes",
     "<m:func><m:fName>" + r("lim") + "</m:fName>" + e(r("x")) + "</m:func><m:limLow>" + e(r("max")) + "<m:lim>" +
         r("k") + "</m:lim></m:limLow><m:eqArr>" + e(r("a")) + e(r("b")) + "</m:eqArr><m:borderBox>" + e(r("z")) +
         "</m:borderBox><m:box>" + e(r("w")) + "</m:box>",
     R"-((func(fName("lim"),e("x")),limLow(e("max"),lim("k")),eqArr(e("a"),e("b")),box[!](e("z")),box(e("w"))))-"},
    {"DeletedTextAndPropertiesAreNoContent",
     "<m:ctrlPr><w:rPr><w:b/></w:rPr></m:ctrlPr><w:del><m:r><w:delText>gone</w:delText></m:r></w:del><w:ins>" + r("new") +
         "</w:ins>",
     R"-(("new"))-"},
    {"WordTextInMath", "<w:r><w:t>where</w:t></w:r>", R"-(("where"))-"},
};

class EquationReader : public testing::TestWithParam<EquationCase> {};

TEST_P(EquationReader, ReadsTheStructure) { EXPECT_EQ(describe(read(GetParam().math), 0), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, EquationReader, testing::ValuesIn(kEquationCases), test::caseName);

TEST(EquationReader, DisplayIsKept) {
  EXPECT_TRUE(read(r("x"), true).display);
  EXPECT_FALSE(read(r("x")).display);
}

// Ten thousand fractions inside each other: the first kMaxMathDepth are structure, the rest their
// text, every character kept, and no recursion.
TEST(EquationReader, DeepNestingKeepsItsTextPastTheDepthBound) {
  std::string math;
  for (int k = 0; k < 10000; ++k) math += "<m:f><m:num>" + r("a");
  for (int k = 0; k < 10000; ++k) math += "</m:num><m:den>" + r("b") + "</m:den></m:f>";
  const Equation equation = read(math);
  int fractions = 0;
  std::size_t letters = 0;
  for (const MathNode& node : equation.nodes) {
    if (node.kind == MathKind::fraction) ++fractions;
    if (node.kind == MathKind::text) letters += node.text.size();
  }
  EXPECT_EQ(fractions, kMaxMathDepth);
  EXPECT_EQ(letters, 20000u);
}

}  // namespace
}  // namespace vellumine::docx
