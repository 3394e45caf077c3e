// Tracked changes in the three views, one row per construct: the body's HTML marked up, with
// every change accepted (final) and with every change rejected (original).
#include "render/changes_view.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::ChangeKind;
using docx::InlineKind;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

struct ViewCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string markup, final, original;  // the body's HTML in each view
};

// Text wrapped in a change's start and end marks.
std::vector<docx::Inline> changed(int change, std::vector<docx::Inline> inside) {
  inside.insert(inside.begin(), mark(InlineKind::changeStart, change));
  inside.push_back(mark(InlineKind::changeEnd, change));
  return inside;
}

std::vector<docx::Inline> joined(std::vector<std::vector<docx::Inline>> pieces) {
  std::vector<docx::Inline> all;
  for (auto& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

docx::Block markChanged(DocumentBuilder& b, ChangeKind kind, std::string content) {
  docx::Paragraph p = test::para({text(std::move(content))});
  p.markChange = b.change(kind, "Ann", "2024-05-03T10:12:00Z");
  return test::block(std::move(p));
}


constexpr std::string_view kWhen = "2024-05-03T10:12:00Z";

// "<p class="p1"><span class="r1">TEXT</span></p>\n"
std::string plainParagraph(std::string_view content) {
  return "<p class=\"p1\"><span class=\"r1\">" + std::string(content) + "</span></p>\n";
}

// A one-column table of these rows.
std::string oneColumnTable(const std::string& rows) {
  return "<table class=\"vm-tbl\"><colgroup><col style=\"width:133.33px\"></colgroup><tbody>" + rows +
         "</tbody></table>\n";
}

// A two-column table of one row, its cells' attributes and content given.
std::string twoCellTable(std::string_view cells) {
  return "<table class=\"vm-tbl\"><colgroup><col style=\"width:133.33px\"><col style=\"width:133.33px\"></colgroup>"
         "<tbody><tr>" + std::string(cells) + "</tr>\n</tbody></table>\n";
}

// attributes go on from the cell's own class: " vm-ins vm-au1\" title=\"...\"" or "\"".
std::string cell(std::string_view attributes, std::string_view content) {
  return "<td class=\"c1" + std::string(attributes) + ">" + plainParagraph(content) + "</td>";
}

std::string tableRow(std::string_view attributes, std::string_view content) {
  return "<tr" + std::string(attributes) + "><td class=\"c1\">" + plainParagraph(content) + "</td></tr>\n";
}

const ViewCase kCases[] = {
    {"Insertion",
     [](auto& b) {
       const int added = b.change(ChangeKind::insertion, "Ann", std::string(kWhen));
       b.body({paragraph(joined({{text("a ")}, changed(added, {text("new")}), {text(" b")}}))});
     },
     "<p class=\"p1\"><span class=\"r1\">a </span><ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann, "
     "2024-05-03 10:12\"><span class=\"r1\">new</span></ins><span class=\"r1\"> b</span></p>\n",
     plainParagraph("a new b"), plainParagraph("a  b")},
    {"Deletion",
     [](auto& b) {
       const int removed = b.change(ChangeKind::deletion, "Ann", std::string(kWhen));
       b.body({paragraph(joined({{text("a ")}, changed(removed, {text("old")}), {text(" b")}}))});
     },
     "<p class=\"p1\"><span class=\"r1\">a </span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann, "
     "2024-05-03 10:12\"><span class=\"r1\">old</span></del><span class=\"r1\"> b</span></p>\n",
     plainParagraph("a  b"), plainParagraph("a old b")},
    {"MoveFromAndMoveTo",
     [](auto& b) {
       const int from = b.change(ChangeKind::moveFrom, "Ann", std::string(kWhen));
       const int to = b.change(ChangeKind::moveTo, "Ann", std::string(kWhen));
       b.body({paragraph(joined({{text("one ")}, changed(from, {text("two ")}), {text("three")},
                                 changed(to, {text(" two")})}))});
     },
     "<p class=\"p1\"><span class=\"r1\">one </span><del class=\"vm-del vm-move vm-au1\" title=\"Moved by Ann, "
     "2024-05-03 10:12\"><span class=\"r1\">two </span></del><span class=\"r1\">three</span><ins class=\"vm-ins "
     "vm-move vm-au1\" title=\"Moved by Ann, 2024-05-03 10:12\"><span class=\"r1\"> two</span></ins></p>\n",
     plainParagraph("one three two"), plainParagraph("one two three")},
    {"InsertedParagraphMark",
     [](auto& b) { b.body({markChanged(b, ChangeKind::insertion, "first"), paragraph({text("second")})}); },
     "<p class=\"p1\"><span class=\"r1\">first</span><ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann, "
     "2024-05-03 10:12\">\u00B6</ins></p>\n" + plainParagraph("second"),
     plainParagraph("first") + plainParagraph("second"),
     "<p class=\"p1\"><span class=\"r1\">first</span><span class=\"r1\">second</span></p>\n"},
    {"DeletedParagraphMark",
     [](auto& b) { b.body({markChanged(b, ChangeKind::deletion, "first"), paragraph({text("second")})}); },
     "<p class=\"p1\"><span class=\"r1\">first</span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann, "
     "2024-05-03 10:12\">\u00B6</del></p>\n" + plainParagraph("second"),
     "<p class=\"p1\"><span class=\"r1\">first</span><span class=\"r1\">second</span></p>\n",
     plainParagraph("first") + plainParagraph("second")},
    {"DeletedMarkOfTheLastParagraphJoinsNothing",
     [](auto& b) { b.body({paragraph({text("a")}), markChanged(b, ChangeKind::deletion, "last")}); },
     plainParagraph("a") +
         "<p class=\"p1\"><span class=\"r1\">last</span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann, "
         "2024-05-03 10:12\">\u00B6</del></p>\n",
     plainParagraph("a") + plainParagraph("last"), plainParagraph("a") + plainParagraph("last")},
    {"EmptyParagraphWithDeletedMark",
     [](auto& b) { b.body({markChanged(b, ChangeKind::deletion, ""), paragraph({text("next")})}); },
     "<p class=\"p1\"><del class=\"vm-del vm-au1\" title=\"Deleted by Ann, 2024-05-03 10:12\">\u00B6</del></p>\n" +
         plainParagraph("next"),
     plainParagraph("next"), "<p class=\"p1\"><br></p>\n" + plainParagraph("next")},
    {"DeletionInsideALink",
     [](auto& b) {
       const int site = b.link("https://example.org/");
       const int removed = b.change(ChangeKind::deletion, "Ann");
       b.body({paragraph(joined({{mark(InlineKind::linkStart, site), text("go ")}, changed(removed, {text("now")}),
                                 {mark(InlineKind::linkEnd, site)}}))});
     },
     "<p class=\"p1\"><a href=\"https://example.org/\"><span class=\"r1\">go </span><del class=\"vm-del vm-au1\" "
     "title=\"Deleted by Ann\"><span class=\"r1\">now</span></del></a></p>\n",
     "<p class=\"p1\"><a href=\"https://example.org/\"><span class=\"r1\">go </span></a></p>\n",
     "<p class=\"p1\"><a href=\"https://example.org/\"><span class=\"r1\">go now</span></a></p>\n"},
    {"LinkInsideADeletion",
     [](auto& b) {
       const int site = b.link("https://example.org/");
       const int removed = b.change(ChangeKind::deletion, "Ann");
       b.body({paragraph(joined({changed(removed, {mark(InlineKind::linkStart, site), text("site"),
                                                   mark(InlineKind::linkEnd, site)}),
                                 {text(" end")}}))});
     },
     "<p class=\"p1\"><del class=\"vm-del vm-au1\" title=\"Deleted by Ann\"><a href=\"https://example.org/\">"
     "<span class=\"r1\">site</span></a></del><span class=\"r1\"> end</span></p>\n",
     plainParagraph(" end"),
     "<p class=\"p1\"><a href=\"https://example.org/\"><span class=\"r1\">site</span></a><span class=\"r1\"> "
     "end</span></p>\n"},
    {"FieldResultInsideAnInsertion",
     [](auto& b) {
       const int page = b.field("PAGE");
       const int added = b.change(ChangeKind::insertion, "Ann");
       b.body({paragraph(joined({{text("Page ")}, changed(added, {mark(InlineKind::fieldStart, page), text("3"),
                                                                  mark(InlineKind::fieldEnd, page)})}))});
     },
     "<p class=\"p1\"><span class=\"r1\">Page </span><ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann\">"
     "<span class=\"vm-fld\" data-field=\"PAGE\"><span class=\"r1\">3</span></span></ins></p>\n",
     "<p class=\"p1\"><span class=\"r1\">Page </span><span class=\"vm-fld\" data-field=\"PAGE\"><span "
     "class=\"r1\">3</span></span></p>\n",
     plainParagraph("Page ")},
    {"EachAuthorKeepsTheColourOfTheirFirstChange",
     [](auto& b) {
       const int ann = b.change(ChangeKind::deletion, "Ann");
       const int bob = b.change(ChangeKind::insertion, "Bob");
       const int again = b.change(ChangeKind::insertion, "Ann");
       b.body({paragraph(joined({changed(bob, {text("b")}), changed(ann, {text("a")}), changed(again, {text("c")})}))});
     },
     "<p class=\"p1\"><ins class=\"vm-ins vm-au1\" title=\"Inserted by Bob\"><span class=\"r1\">b</span></ins>"
     "<del class=\"vm-del vm-au2\" title=\"Deleted by Ann\"><span class=\"r1\">a</span></del>"
     "<ins class=\"vm-ins vm-au2\" title=\"Inserted by Ann\"><span class=\"r1\">c</span></ins></p>\n",
     plainParagraph("bc"), plainParagraph("a")},
    {"InsertedTextDeletedAgain",
     [](auto& b) {
       const int added = b.change(ChangeKind::insertion, "Ann");
       const int removed = b.change(ChangeKind::deletion, "Bob");
       b.body({paragraph(joined({{text("keep ")}, changed(added, changed(removed, {text("brief")}))}))});
     },
     "<p class=\"p1\"><span class=\"r1\">keep </span><ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann\">"
     "<del class=\"vm-del vm-au2\" title=\"Deleted by Bob\"><span class=\"r1\">brief</span></del></ins></p>\n",
     plainParagraph("keep "), plainParagraph("keep ")},
    {"UnbalancedMarks",
     [](auto& b) {
       const int removed = b.change(ChangeKind::deletion, "Ann");
       b.body({paragraph({text("a"), mark(InlineKind::changeEnd, removed), text("b"),
                          mark(InlineKind::changeStart, removed), text("c")}),
               paragraph({text("d")})});
     },
     "<p class=\"p1\"><span class=\"r1\">ab</span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann\">"
     "<span class=\"r1\">c</span></del></p>\n" + plainParagraph("d"),
     plainParagraph("ab") + plainParagraph("d"), plainParagraph("abc") + plainParagraph("d")},
    {"FormerRunFormattingInTheOriginal",
     [](auto& b) {
       const auto bold = b.run([](docx::RunProps& p) { p.bold = true; });
       docx::Inline reformatted = text("now plain");
       reformatted.formerRunProps = bold;
       b.body({paragraph({text("plain, "), std::move(reformatted)})});
     },
     plainParagraph("plain, now plain"), plainParagraph("plain, now plain"),
     "<p class=\"p1\"><span class=\"r1\">plain, </span><span class=\"r2\">now plain</span></p>\n"},
    {"InsertedAndDeletedRows",
     [](auto& b) {
       docx::Row gone = test::row({test::textCell("gone")});
       gone.change = b.change(ChangeKind::deletion, "Ann");
       docx::Row added = test::row({test::textCell("new")});
       added.change = b.change(ChangeKind::insertion, "Bob");
       b.body({test::table({test::row({test::textCell("kept")}), std::move(gone), std::move(added)}, {2000})});
     },
     oneColumnTable(tableRow("", "kept") + tableRow(" class=\"vm-del vm-au1\" title=\"Deleted by Ann\"", "gone") +
                    tableRow(" class=\"vm-ins vm-au2\" title=\"Inserted by Bob\"", "new")),
     oneColumnTable(tableRow("", "kept") + tableRow("", "new")),
     oneColumnTable(tableRow("", "kept") + tableRow("", "gone"))},
    {"InsertedAndDeletedCells",
     [](auto& b) {
       docx::Cell gone = test::textCell("gone");
       gone.change = b.change(ChangeKind::deletion, "Ann");
       docx::Cell added = test::textCell("new");
       added.change = b.change(ChangeKind::insertion, "Bob");
       b.body({test::table({test::row({std::move(gone), std::move(added)})}, {2000, 2000})});
     },
     twoCellTable(cell(" vm-del vm-au1\" title=\"Deleted by Ann\"", "gone") +
                  cell(" vm-ins vm-au2\" title=\"Inserted by Bob\"", "new")),
     twoCellTable(cell("\"", "new")), twoCellTable(cell("\"", "gone"))},
};

class ChangesViewCase : public testing::TestWithParam<ViewCase> {};

TEST_P(ChangesViewCase, WritesEachView) {
  DocumentBuilder b;
  GetParam().build(b);

  EXPECT_SAME_TEXT(test::renderBody(b.document(), ChangesView::markup), GetParam().markup) << "markup";
  EXPECT_SAME_TEXT(test::renderBody(b.document(), ChangesView::final), GetParam().final) << "final";
  EXPECT_SAME_TEXT(test::renderBody(b.document(), ChangesView::original), GetParam().original) << "original";
}

INSTANTIATE_TEST_SUITE_P(Views, ChangesViewCase, testing::ValuesIn(kCases), test::caseName);

// A damaged paragraph: deletions opened and never closed drop what follows them, and nothing more,
// however many there are.
TEST(ChangesView, UnclosedDeletionsDropOnlyWhatFollowsThem) {
  DocumentBuilder b;
  const int removed = b.change(ChangeKind::deletion, "Ann");
  std::vector<docx::Inline> inlines{text("before")};
  inlines.insert(inlines.end(), 100000, mark(InlineKind::changeStart, removed));
  inlines.push_back(text("after"));
  inlines.push_back(mark(InlineKind::changeEnd, removed));
  b.body({paragraph(std::move(inlines)), paragraph({text("next")})});
  EXPECT_SAME_TEXT(test::renderBody(b.document(), ChangesView::final), plainParagraph("before") + plainParagraph("next"));
  EXPECT_SAME_TEXT(test::renderBody(b.document(), ChangesView::original),
                   plainParagraph("beforeafter") + plainParagraph("next"));
}

std::size_t occurrences(const std::string& page, std::string_view piece) {
  std::size_t count = 0;
  for (std::size_t at = page.find(piece); at != std::string::npos; at = page.find(piece, at + 1)) ++count;
  return count;
}

// Colours go by first appearance in the body, whatever order the parts were read in: Bob's change
// in a footnote comes first in the document's list, Ann's first in the body.
TEST(ChangesView, AnAuthorHasOneColourInEveryStory) {
  DocumentBuilder b;
  const int inNote = b.change(ChangeKind::insertion, "Bob");
  const int note = b.footnote({paragraph(changed(inNote, {text("noted")}))});
  const int ann = b.change(ChangeKind::deletion, "Ann");
  const int bob = b.change(ChangeKind::insertion, "Bob");
  b.body({paragraph(joined({changed(ann, {text("a")}), {mark(InlineKind::footnoteReference, note)},
                            changed(bob, {text("b")})}))});
  const std::string page = test::renderWholePage(b.document());
  EXPECT_EQ(occurrences(page, "<del class=\"vm-del vm-au1\" title=\"Deleted by Ann\">"), 1u);
  EXPECT_EQ(occurrences(page, "<ins class=\"vm-ins vm-au2\" title=\"Inserted by Bob\">"), 2u);
}

TEST(ChangesView, NamesOnTheCommandLine) {
  EXPECT_EQ(changesViewNamed("markup"), ChangesView::markup);
  EXPECT_EQ(changesViewNamed("final"), ChangesView::final);
  EXPECT_EQ(changesViewNamed("original"), ChangesView::original);
  EXPECT_EQ(changesViewNamed("Final"), std::nullopt);
  EXPECT_EQ(changesViewNamed(""), std::nullopt);
}

}  // namespace
}  // namespace vellumine::render
