// Equations on the page: one row per structure, built as the reader builds them, and the markup
// it gives; the page carries the math rules only when it has an equation; deep trees are written
// without recursion.
#include "render/equation_writer.h"

#include <string>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::MathKind;
using docx::MathNode;
using docx::MathRole;

// Builds an equation node by node; each call returns the new node's index.
class EquationBuilder {
 public:
  explicit EquationBuilder(bool display = false) { equation_.display = display; equation_.nodes.push_back({}); }
  std::int32_t node(std::int32_t parent, MathKind kind, MathRole role = MathRole::none, std::string text = {}) {
    MathNode n;
    n.kind = kind;
    n.role = role;
    n.parent = parent;
    n.text = std::move(text);
    equation_.nodes.push_back(std::move(n));
    return static_cast<std::int32_t>(equation_.nodes.size() - 1);
  }
  std::int32_t part(std::int32_t parent, MathRole role, const std::string& text) {
    const std::int32_t group = node(parent, MathKind::group, role);
    if (!text.empty()) node(group, MathKind::text, MathRole::none, text);
    return group;
  }
  MathNode& at(std::int32_t index) { return equation_.nodes[static_cast<std::size_t>(index)]; }
  docx::Equation equation() const { return equation_; }

 private:
  docx::Equation equation_;
};

std::string written(const docx::Equation& equation) {
  test::DocumentBuilder b;
  b.document().equations.push_back(equation);
  b.body({test::paragraph({test::mark(docx::InlineKind::equation, 0)})});
  const std::string body = test::renderBody(b.document());
  const std::size_t start = body.find("<span class=\"vm-math");
  const std::size_t end = body.rfind("</p>");
  return start == std::string::npos || end == std::string::npos ? body : body.substr(start, end - start);
}

struct WriterCase {
  std::string name;
  std::function<void(EquationBuilder&)> build;
  std::string expected;
};

void PrintTo(const WriterCase& row, std::ostream* out) { *out << row.name; }

const WriterCase kWriterCases[] = {
    {"LettersItalicOperatorsSpaced", [](auto& b) { b.node(0, MathKind::text, MathRole::none, "2x+\xCE\xB1=y"); },
     "<span class=\"vm-math\">2<span class=\"vm-mi\">x</span><span class=\"vm-mo\">+</span><span class=\"vm-mi\">"
     "\xCE\xB1</span><span class=\"vm-mo\">=</span><span class=\"vm-mi\">y</span></span>"},
    {"UprightTextStaysUpright",
     [](auto& b) { b.at(b.node(0, MathKind::text, MathRole::none, "sin<")).plain = true; },
     "<span class=\"vm-math\">sin<span class=\"vm-mo\">&lt;</span></span>"},
    {"BoldTextInABoldBox",
     [](auto& b) {
       auto& vector = b.at(b.node(0, MathKind::text, MathRole::none, "v"));
       vector.plain = true;
       vector.bold = true;
       b.at(b.node(0, MathKind::text, MathRole::none, "w")).bold = true;
     },
     "<span class=\"vm-math\"><span class=\"vm-mb\">v</span><span class=\"vm-mb\"><span class=\"vm-mi\">w</span>"
     "</span></span>"},
    {"Fraction",
     [](auto& b) {
       const auto f = b.node(0, MathKind::fraction);
       b.part(f, MathRole::numerator, "1");
       b.part(f, MathRole::denominator, "2");
     },
     "<span class=\"vm-math\"><span class=\"vm-mf\"><span class=\"vm-mfn\">1</span><span class=\"vm-mfd\">2</span>"
     "</span></span>"},
    {"LinearFraction",
     [](auto& b) {
       const auto f = b.node(0, MathKind::fraction);
       b.at(f).linear = true;
       b.part(f, MathRole::numerator, "1");
       b.part(f, MathRole::denominator, "2");
     },
     "<span class=\"vm-math\">1/2</span>"},
    {"SuperscriptAndBothScripts",
     [](auto& b) {
       const auto s = b.node(0, MathKind::superscript);
       b.part(s, MathRole::base, "e");
       b.part(s, MathRole::sup, "2");
       const auto t = b.node(0, MathKind::subSuperscript);
       b.part(t, MathRole::base, "R");
       b.part(t, MathRole::sub, "i");
       b.part(t, MathRole::sup, "j");
     },
     "<span class=\"vm-math\"><span class=\"vm-mi\">e</span><sup class=\"vm-ms\">2</sup><span class=\"vm-mi\">R</span>"
     "<span class=\"vm-mss\"><span><span class=\"vm-mi\">j</span>&#8203;</span><span><span class=\"vm-mi\">i</span>"
     "&#8203;</span></span></span>"},
    {"RadicalOverItsBase",
     [](auto& b) {
       const auto r = b.node(0, MathKind::radical);
       b.part(r, MathRole::base, "2");
     },
     "<span class=\"vm-math\"><span class=\"vm-mrad\">\xE2\x88\x9A<span class=\"vm-mrb\">2</span></span></span>"},
    {"SumWithLimitsUnderAndOver",
     [](auto& b) {
       const auto n = b.node(0, MathKind::nary, MathRole::none, "\xE2\x88\x91");
       b.at(n).flag = true;
       b.part(n, MathRole::sub, "1");
       b.part(n, MathRole::sup, "9");
       b.part(n, MathRole::base, "");
     },
     "<span class=\"vm-math\"><span class=\"vm-mnx\"><span class=\"vm-ml\">9&#8203;</span><span class=\"vm-mop\">"
     "\xE2\x88\x91</span><span class=\"vm-ml\">1&#8203;</span></span></span>"},
    {"DelimiterGrowsWithAFraction",
     [](auto& b) {
       const auto d = b.node(0, MathKind::delimiter);
       b.at(d).open = "(";
       b.at(d).close = ")";
       const auto e = b.node(d, MathKind::group, MathRole::base);
       const auto f = b.node(e, MathKind::fraction);
       b.part(f, MathRole::numerator, "1");
       b.part(f, MathRole::denominator, "2");
     },
     "<span class=\"vm-math\"><span class=\"vm-mg vm-mg2\">(</span><span class=\"vm-mf\"><span class=\"vm-mfn\">1"
     "</span><span class=\"vm-mfd\">2</span></span><span class=\"vm-mg vm-mg2\">)</span></span>"},
    {"DelimiterAroundTextAndSeparator",
     [](auto& b) {
       const auto d = b.node(0, MathKind::delimiter);
       b.at(d).open = "[";
       b.at(d).separator = ",";
       b.part(d, MathRole::base, "1");
       b.part(d, MathRole::base, "2");
     },
     "<span class=\"vm-math\">[1,2</span>"},
    {"MatrixAsATable",
     [](auto& b) {
       const auto m = b.node(0, MathKind::matrix);
       const auto row = b.node(m, MathKind::group, MathRole::row);
       b.part(row, MathRole::base, "1");
       b.part(row, MathRole::base, "0");
     },
     "<span class=\"vm-math\"><span class=\"vm-mm\"><span class=\"vm-mmr\"><span class=\"vm-mmc\">1</span><span "
     "class=\"vm-mmc\">0</span></span></span></span>"},
    {"AccentInItsSpacingForm",
     [](auto& b) {
       const auto a = b.node(0, MathKind::accent, MathRole::none, "\xCC\x82");
       b.part(a, MathRole::base, "e");
     },
     "<span class=\"vm-math\"><span class=\"vm-macc\"><span class=\"vm-mac\">\xCB\x86</span><span><span "
     "class=\"vm-mi\">e</span></span></span></span>"},
    {"FunctionNameThenArgument",
     [](auto& b) {
       const auto f = b.node(0, MathKind::function);
       b.at(b.node(b.node(f, MathKind::group, MathRole::name), MathKind::text, MathRole::none, "cos")).plain = true;
       b.part(f, MathRole::base, "x");
     },
     "<span class=\"vm-math\">cos\xE2\x80\x89<span class=\"vm-mi\">x</span></span>"},
    {"MarkupInTextIsEscaped", [](auto& b) { b.node(0, MathKind::text, MathRole::none, "<b>&"); },
     "<span class=\"vm-math\"><span class=\"vm-mo\">&lt;</span><span class=\"vm-mi\">b</span><span class=\"vm-mo\">&gt;"
     "</span>&amp;</span>"},
};

class EquationWriterCase : public testing::TestWithParam<WriterCase> {};

TEST_P(EquationWriterCase, WritesTheStructure) {
  EquationBuilder b;
  GetParam().build(b);
  EXPECT_EQ(written(b.equation()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, EquationWriterCase, testing::ValuesIn(kWriterCases), test::caseName);

TEST(EquationWriter, DisplayEquationsStandOnTheirOwnLineAndThePageGetsTheRules) {
  EquationBuilder b(true);
  b.node(0, MathKind::text, MathRole::none, "x");
  test::DocumentBuilder document;
  document.document().equations.push_back(b.equation());
  document.body({test::paragraph({test::mark(docx::InlineKind::equation, 0)})});
  const std::string page = test::renderWholePage(document.document());
  EXPECT_NE(page.find("<span class=\"vm-math vm-mathd\">"), std::string::npos);
  EXPECT_NE(page.find(std::string(mathSheet())), std::string::npos);

  test::DocumentBuilder plain;
  plain.body({test::paragraph({test::text("no equation")})});
  EXPECT_EQ(test::renderWholePage(plain.document()).find(".vm-math{"), std::string::npos);
}

TEST(EquationWriter, TenThousandNestedGroupsAreWrittenWithoutRecursion) {
  EquationBuilder b;
  std::int32_t parent = 0;
  for (int k = 0; k < 10000; ++k) parent = b.node(parent, MathKind::group, MathRole::base);
  b.node(parent, MathKind::text, MathRole::none, "deep");
  EXPECT_NE(written(b.equation()).find("deep"), std::string::npos);
}

}  // namespace
}  // namespace vellumine::render
