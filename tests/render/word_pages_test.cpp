// Word's page marks: numbered in the order the body meets them, once per page however many cells
// of a table row carry the mark of the page that starts in the row, in the body only, in every
// view of tracked changes; and the rules that hide and show them only on a page that has some.
#include "render/word_pages.h"

#include <functional>

#include <gtest/gtest.h>

#include "render/page_render.h"
#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::InlineKind;
using test::cell;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::row;
using test::table;
using test::text;

docx::Inline wordBreak() { return mark(InlineKind::lastRenderedPageBreak); }

// The page numbers of the page's marks in page order, joined by commas.
std::string markNumbers(std::string_view page) {
  constexpr std::string_view kStart = "<span class=\"vm-wpb\" data-word-page=\"";
  std::string numbers;
  for (std::size_t at = page.find(kStart); at != std::string_view::npos; at = page.find(kStart, at + 1)) {
    const std::size_t from = at + kStart.size();
    if (!numbers.empty()) numbers += ',';
    numbers.append(page.substr(from, page.find('"', from) - from));
  }
  return numbers;
}

// A cell of paragraphs, each a mark then its text ("" for a paragraph without a mark).
docx::Cell cellOf(std::vector<std::string> marked) {
  std::vector<docx::Block> blocks;
  for (const std::string& line : marked) {
    if (line.empty()) {
      blocks.push_back(paragraph({text("x")}));
    } else {
      blocks.push_back(paragraph({wordBreak(), text(line)}));
    }
  }
  return cell(std::move(blocks));
}

struct NumberCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string numbers;  // in page order
};

const NumberCase kNumberCases[] = {
    {"NoMarksNoSpans", [](auto& b) { b.body({paragraph({text("a")})}); }, ""},
    {"FirstMarkStartsPageTwo",
     [](auto& b) {
       b.body({paragraph({text("a"), wordBreak(), text("b")}), paragraph({text("c")}),
               paragraph({wordBreak(), text("d"), wordBreak(), text("e")})});
     },
     "2,3,4"},
    {"EachCellOfARowMarksTheSamePage",
     [](auto& b) {
       b.body({paragraph({wordBreak(), text("a")}),
               table({row({cellOf({""}), cellOf({""})}), row({cellOf({"b"}), cellOf({"c"}), cellOf({""})})}),
               paragraph({wordBreak(), text("d")})});
     },
     "2,3,3,4"},
    {"RowOverThreePagesGoesOnFromItsFurthestCell",
     [](auto& b) {
       b.body({table({row({cellOf({"a", "b"}), cellOf({"c"}), cellOf({"d", "e"})})}), paragraph({wordBreak(), text("f")})});
     },
     "2,3,2,2,3,4"},
    {"TableInACellCountsInItsCell",
     [](auto& b) {
       docx::Cell outer = cell({paragraph({wordBreak(), text("a")}), table({row({cellOf({"b"}), cellOf({"c"})})})});
       b.body({table({row({std::move(outer), cellOf({"d"})})}), paragraph({wordBreak(), text("e")})});
     },
     "2,3,3,2,4"},
    {"OnlyTheBodyHasWordsPages",
     [](auto& b) {
       const int header = b.header({paragraph({wordBreak(), text("h")})});
       const int note = b.footnote({paragraph({wordBreak(), text("n")})});
       const int comment = b.comment("Ann", "A", "", {paragraph({wordBreak(), text("c")})});
       docx::SectionProps section{};
       section.headers[0] = header;
       b.section(std::move(section));
       b.body({paragraph({text("a"), mark(InlineKind::footnoteReference, note), mark(InlineKind::commentReference, comment)})});
     },
     ""},
    {"HiddenTextKeepsItsMark",
     [](auto& b) {
       const auto hidden = b.run([](docx::RunProps& p) { p.vanish = true; });
       b.body({paragraph({text("a", hidden), mark(InlineKind::lastRenderedPageBreak, 0, {}, hidden), text("b")})});
     },
     "2"},
};

class WordPageNumbers : public testing::TestWithParam<NumberCase> {};

// The sheet's rules come with the marks: a page without any stays as it was.
TEST_P(WordPageNumbers, AreInDocumentOrder) {
  DocumentBuilder b;
  GetParam().build(b);
  const std::string page = test::renderWholePage(b.document());
  EXPECT_EQ(markNumbers(page), GetParam().numbers);
  EXPECT_EQ(page.find("vm-wpb{") != std::string::npos, !GetParam().numbers.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, WordPageNumbers, testing::ValuesIn(kNumberCases), test::caseName);

// Word broke its pages in the document as it was saved: deleted text still stood on them, so
// every view of the changes numbers the same marks alike.
TEST(WordPageNumbers, AreTheSameInEveryViewOfChanges) {
  DocumentBuilder b;
  const int deleted = b.change(docx::ChangeKind::deletion, "Bob");
  const int inserted = b.change(docx::ChangeKind::insertion, "Ann");
  b.body({paragraph({mark(InlineKind::changeStart, deleted), text("gone"), wordBreak(), text("too"),
                     mark(InlineKind::changeEnd, deleted)}),
          paragraph({mark(InlineKind::changeStart, inserted), wordBreak(), text("new"),
                     mark(InlineKind::changeEnd, inserted)})});
  for (const ChangesView view : {ChangesView::markup, ChangesView::final, ChangesView::original}) {
    EXPECT_EQ(markNumbers(test::renderWholePage(b.document(), nullptr, view)), "2,3") << static_cast<int>(view);
  }
}

// A mark alone is no content: its paragraph keeps the empty line of its mark.
TEST(WordPageMark, LeavesAnEmptyParagraphEmpty) {
  DocumentBuilder b;
  b.body({paragraph({wordBreak()})});
  EXPECT_EQ(test::renderBody(b.document()), "<p class=\"p1\"><span class=\"vm-wpb\" data-word-page=\"2\"></span><br></p>\n");
}

TEST(WordPageSheet, HidesTheMarksUnlessTheRootShowsThemOnScreen) {
  DocumentBuilder b;
  b.body({paragraph({text("a"), wordBreak(), text("b")})});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_EQ(test::cssRule(page, "vm-wpb"), "display:none");
  const std::size_t shown = page.find("html.vm-wpb-on .vm-wpb{");
  ASSERT_NE(shown, std::string::npos);
  EXPECT_LT(page.rfind("@media screen{", shown), shown);
  EXPECT_NE(page.find("content:\"Word p. \" attr(data-word-page)"), std::string::npos);
}

}  // namespace
}  // namespace vellumine::render
