// A paragraph's content on the page, one table per construct: a model snippet built in code and
// the HTML of the body it gives.
#include "render/paragraph_writer.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::InlineKind;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

struct ContentCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string expected;  // the body's HTML
};

class ParagraphWriterCase : public testing::TestWithParam<ContentCase> {};

TEST_P(ParagraphWriterCase, WritesTheParagraph) {
  DocumentBuilder b;
  GetParam().build(b);
  EXPECT_SAME_TEXT(test::renderBody(b.document()), GetParam().expected);
}

std::uint32_t bold(DocumentBuilder& b) {
  return b.run([](docx::RunProps& p) { p.bold = true; });
}

// ---- runs ----

const ContentCase kRunCases[] = {
    {"PlainRun", [](auto& b) { b.body({paragraph({text("Hello")})}); },
     "<p class=\"p1\"><span class=\"r1\">Hello</span></p>\n"},
    {"RunsOfTwoLooks", [](auto& b) { b.body({paragraph({text("plain "), text("bold", bold(b))})}); },
     "<p class=\"p1\"><span class=\"r1\">plain </span><span class=\"r2\">bold</span></p>\n"},
    {"NeighbouringRunsThatLookAlikeShareOneSpan",
     [](auto& b) {
       const auto english = b.run([](docx::RunProps& p) { p.lang = "en-GB"; });
       b.body({paragraph({text("one "), text("two ", english), text("three")})});
     },
     "<p class=\"p1\"><span class=\"r1\">one two three</span></p>\n"},
    {"HiddenTextIsNotWritten",
     [](auto& b) {
       const auto hidden = b.run([](docx::RunProps& p) { p.vanish = true; });
       b.body({paragraph({text("shown "), text("secret", hidden), text("again")})});
     },
     "<p class=\"p1\"><span class=\"r1\">shown again</span></p>\n"},
    {"TextIsEscaped", [](auto& b) { b.body({paragraph({text("<b>&amp; \"x\"")})}); },
     "<p class=\"p1\"><span class=\"r1\">&lt;b&gt;&amp;amp; \"x\"</span></p>\n"},
    {"ControlCharactersAndBrokenUtf8", [](auto& b) { b.body({paragraph({text("a\x01\x1B[31m\xC3(b\xFF")})}); },
     "<p class=\"p1\"><span class=\"r1\">a[31m\uFFFD(b\uFFFD</span></p>\n"},
    {"EmptyTextIsNothing", [](auto& b) { b.body({paragraph({text(""), text("a")})}); },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Runs, ParagraphWriterCase, testing::ValuesIn(kRunCases), test::caseName);

// ---- links, bookmarks and fields ----

const ContentCase kLinkCases[] = {
    {"ExternalLinkWithTooltip",
     [](auto& b) {
       const int link = b.link("https://example.org/a?b=1&c=\"2\"", "", "Go <there>");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("site"), mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><a href=\"https://example.org/a?b=1&amp;c=&quot;2&quot;\" title=\"Go &lt;there&gt;\">"
     "<span class=\"r1\">site</span></a></p>\n"},
    {"LinkAttributesAreEscaped",
     [](auto& b) {
       const int link = b.link("x\" onmouseover=\"alert(1)\x01", "", "it's\xFE");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("x"), mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><a href=\"x&quot; onmouseover=&quot;alert(1)\" title=\"it&#39;s\uFFFD\">"
     "<span class=\"r1\">x</span></a></p>\n"},
    {"ExternalLinkWithAnchor",
     [](auto& b) {
       const int link = b.link("https://example.org/", "part");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("x"), mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><a href=\"https://example.org/#part\"><span class=\"r1\">x</span></a></p>\n"},
    {"LinkToABookmarkUsesItsId",
     [](auto& b) {
       const int link = b.link("", "_Toc 1");
       b.body({paragraph({mark(InlineKind::bookmarkStart, 0, "_Toc 1"), text("Heading"),
                          mark(InlineKind::bookmarkEnd, 0)}),
               paragraph({mark(InlineKind::linkStart, link), text("see"), mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><span id=\"bm-_Toc~201\"></span><span class=\"r1\">Heading</span></p>\n"
     "<p class=\"p1\"><a href=\"#bm-_Toc~201\"><span class=\"r1\">see</span></a></p>\n"},
    {"BookmarkNameGetsOneId",
     [](auto& b) {
       b.body({paragraph({mark(InlineKind::bookmarkStart, 0, "a"), mark(InlineKind::bookmarkStart, 1, "a"),
                          mark(InlineKind::bookmarkStart, 2, "")})});
     },
     "<p class=\"p1\"><span id=\"bm-a\"></span><br></p>\n"},
    {"LinkInsideALinkIsNotNested",
     [](auto& b) {
       const int outer = b.link("https://a.example/");
       const int inner = b.link("https://b.example/");
       b.body({paragraph({mark(InlineKind::linkStart, outer), text("a"), mark(InlineKind::linkStart, inner), text("b"),
                          mark(InlineKind::linkEnd, inner), text("c"), mark(InlineKind::linkEnd, outer)})});
     },
     "<p class=\"p1\"><a href=\"https://a.example/\"><span class=\"r1\">abc</span></a></p>\n"},
    {"CrossingRangesStillNest",
     [](auto& b) {
       const int link = b.link("https://a.example/");
       const int change = b.change(docx::ChangeKind::insertion, "Ann");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("a"), mark(InlineKind::changeStart, change),
                          text("b"), mark(InlineKind::linkEnd, link), text("c"),
                          mark(InlineKind::changeEnd, change)})});
     },
     "<p class=\"p1\"><a href=\"https://a.example/\"><span class=\"r1\">a</span><ins class=\"vm-ins vm-au1\" "
     "title=\"Inserted by Ann\"><span class=\"r1\">b</span></ins></a><ins class=\"vm-ins vm-au1\" title=\"Inserted "
     "by Ann\"><span class=\"r1\">c</span></ins></p>\n"},
    {"EndsWithoutStartsAreIgnored",
     [](auto& b) {
       b.body({paragraph({mark(InlineKind::linkEnd, 0), mark(InlineKind::changeEnd, 3), mark(InlineKind::fieldEnd, 1),
                          mark(InlineKind::commentEnd, 0), text("a")})});
     },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n"},
    {"OpenRangesCloseAtTheParagraphEnd",
     [](auto& b) {
       const int link = b.link("https://a.example/");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("a")}), paragraph({text("b")})});
     },
     "<p class=\"p1\"><a href=\"https://a.example/\"><span class=\"r1\">a</span></a></p>\n"
     "<p class=\"p1\"><span class=\"r1\">b</span></p>\n"},
    {"MissingLinkIsPlainText",
     [](auto& b) { b.body({paragraph({mark(InlineKind::linkStart, 9), text("a"), mark(InlineKind::linkEnd, 9)})}); },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n"},
    {"FieldShowsItsResult",
     [](auto& b) {
       const int field = b.field("PAGE");
       b.body({paragraph({text("Page "), mark(InlineKind::fieldStart, field), text("3"),
                          mark(InlineKind::fieldEnd, field)})});
     },
     "<p class=\"p1\"><span class=\"r1\">Page </span><span class=\"vm-fld\" data-field=\"PAGE\">"
     "<span class=\"r1\">3</span></span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Links, ParagraphWriterCase, testing::ValuesIn(kLinkCases), test::caseName);

// ---- tracked changes ----

const ContentCase kChangeCases[] = {
    {"InsertionWithAuthorAndDate",
     [](auto& b) {
       const int change = b.change(docx::ChangeKind::insertion, "Ann \"A\"", "2024-01-02T10:30:00Z");
       b.body({paragraph({mark(InlineKind::changeStart, change), text("new"), mark(InlineKind::changeEnd, change)})});
     },
     "<p class=\"p1\"><ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann &quot;A&quot;, 2024-01-02 10:30\">"
     "<span class=\"r1\">new</span></ins></p>\n"},
    {"EachAuthorHasAColour",
     [](auto& b) {
       const int ann = b.change(docx::ChangeKind::deletion, "Ann");
       const int bob = b.change(docx::ChangeKind::deletion, "Bob");
       const int again = b.change(docx::ChangeKind::insertion, "Ann");
       b.body({paragraph({mark(InlineKind::changeStart, ann), text("a"), mark(InlineKind::changeEnd, ann),
                          mark(InlineKind::changeStart, bob), text("b"), mark(InlineKind::changeEnd, bob),
                          mark(InlineKind::changeStart, again), text("c"), mark(InlineKind::changeEnd, again)})});
     },
     "<p class=\"p1\"><del class=\"vm-del vm-au1\" title=\"Deleted by Ann\"><span class=\"r1\">a</span></del>"
     "<del class=\"vm-del vm-au2\" title=\"Deleted by Bob\"><span class=\"r1\">b</span></del>"
     "<ins class=\"vm-ins vm-au1\" title=\"Inserted by Ann\"><span class=\"r1\">c</span></ins></p>\n"},
    {"MovesAreMarkedAsMoves",
     [](auto& b) {
       const int from = b.change(docx::ChangeKind::moveFrom, "");
       const int to = b.change(docx::ChangeKind::moveTo, "");
       b.body({paragraph({mark(InlineKind::changeStart, from), text("a"), mark(InlineKind::changeEnd, from),
                          mark(InlineKind::changeStart, to), text("b"), mark(InlineKind::changeEnd, to)})});
     },
     "<p class=\"p1\"><del class=\"vm-del vm-move vm-au1\" title=\"Moved by an unknown author\">"
     "<span class=\"r1\">a</span></del><ins class=\"vm-ins vm-move vm-au1\" title=\"Moved by an unknown "
     "author\"><span class=\"r1\">b</span></ins></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Changes, ParagraphWriterCase, testing::ValuesIn(kChangeCases), test::caseName);

// ---- notes and comments ----

const ContentCase kNoteCases[] = {
    {"FootnoteReferenceLinksToItsNote",
     [](auto& b) {
       const int note = b.footnote({paragraph({text("n")})});
       b.body({paragraph({text("a"), mark(InlineKind::footnoteReference, note)})});
     },
     "<p class=\"p1\"><span class=\"r1\">a<a class=\"vm-nref\" href=\"#fn-1\" id=\"fnref-1\">1</a></span></p>\n"},
    {"EndnoteReferenceInRomanNumerals",
     [](auto& b) {
       const int note = b.endnote({paragraph({text("n")})});
       b.body({paragraph({mark(InlineKind::endnoteReference, note)})});
     },
     "<p class=\"p1\"><span class=\"r1\"><a class=\"vm-nref\" href=\"#en-1\" id=\"enref-1\">i</a></span></p>\n"},
    {"CustomMarkIsShownAsWritten",
     [](auto& b) {
       const int note = b.footnote({paragraph({text("n")})});
       b.body({paragraph({mark(InlineKind::footnoteReference, note, "<*>")})});
     },
     "<p class=\"p1\"><span class=\"r1\"><a class=\"vm-nref\" href=\"#fn-1\" id=\"fnref-1\">&lt;*&gt;</a></span>"
     "</p>\n"},
    {"MissingNoteShowsAMarkWithoutLink",
     [](auto& b) { b.body({paragraph({mark(InlineKind::footnoteReference, -1)})}); },
     "<p class=\"p1\"><span class=\"r1\">1</span></p>\n"},
    {"NoteReferenceInsideALinkIsNotALink",
     [](auto& b) {
       const int note = b.footnote({paragraph({text("n")})});
       const int link = b.link("https://a.example/");
       b.body({paragraph({mark(InlineKind::linkStart, link), mark(InlineKind::footnoteReference, note),
                          mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><a href=\"https://a.example/\"><span class=\"r1\">1</span></a></p>\n"},
    {"CommentRangeAndReference",
     [](auto& b) {
       const int comment = b.comment("Ann Reviewer", "AR", "", {paragraph({text("check")})});
       b.body({paragraph({text("a "), mark(InlineKind::commentStart, comment), text("marked"),
                          mark(InlineKind::commentEnd, comment), mark(InlineKind::commentReference, comment)})});
     },
     "<p class=\"p1\"><span class=\"r1\">a </span><span class=\"vm-cr\"><span class=\"r1\">marked</span></span>"
     "<sup class=\"vm-cref\"><a href=\"#cm-1\" id=\"cmref-1\">[AR1]</a></sup></p>\n"},
    {"CommentRangeCarriesIntoTheNextParagraph",
     [](auto& b) {
       const int comment = b.comment("Ann", "A", "", {paragraph({text("c")})});
       b.body({paragraph({mark(InlineKind::commentStart, comment), text("a")}),
               paragraph({text("b"), mark(InlineKind::commentEnd, comment), text("c")})});
     },
     "<p class=\"p1\"><span class=\"vm-cr\"><span class=\"r1\">a</span></span></p>\n"
     "<p class=\"p1\"><span class=\"vm-cr\"><span class=\"r1\">b</span></span><span class=\"r1\">c</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Notes, ParagraphWriterCase, testing::ValuesIn(kNoteCases), test::caseName);

// ---- breaks, hyphens and symbols ----

const ContentCase kBreakCases[] = {
    {"LineBreak", [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::lineBreak), text("b")})}); },
     "<p class=\"p1\"><span class=\"r1\">a<br>b</span></p>\n"},
    {"LineBreakAtTheEndKeepsItsLine", [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::lineBreak)})}); },
     "<p class=\"p1\"><span class=\"r1\">a<br></span><br></p>\n"},
    {"LineBreakThatClears", [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::lineBreak, 3)})}); },
     "<p class=\"p1\"><span class=\"r1\">a<br class=\"vm-clear\"></span><br></p>\n"},
    {"PageBreakIsAMarkedElement",
     [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::pageBreak), text("b")})}); },
     "<p class=\"p1\"><span class=\"r1\">a</span><span class=\"vm-pb\"></span><span class=\"r1\">b</span></p>\n"},
    {"ColumnBreak", [](auto& b) { b.body({paragraph({mark(InlineKind::columnBreak)})}); },
     "<p class=\"p1\"><span class=\"vm-cb\"></span></p>\n"},
    {"LastRenderedPageBreakIsAnEmptyMarkInsideTheRun",
     [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::lastRenderedPageBreak), text("b")})}); },
     "<p class=\"p1\"><span class=\"r1\">a<span class=\"vm-wpb\" data-word-page=\"2\"></span>b</span></p>\n"},
    {"Hyphens",
     [](auto& b) {
       b.body({paragraph({text("a"), mark(InlineKind::noBreakHyphen), text("b"), mark(InlineKind::softHyphen),
                          text("c")})});
     },
     "<p class=\"p1\"><span class=\"r1\">a\u2011b\u00ADc</span></p>\n"},
    {"WingdingsSymbolAsItsLookAlike",
     [](auto& b) { b.body({paragraph({mark(InlineKind::symbol, 0xF0FC, "Wingdings")})}); },
     "<p class=\"p1\"><span class=\"r1\">\u2713</span></p>\n"},
    {"TextTypedInASymbolFontAsItsLookAlikes",
     [](auto& b) {
       const auto symbol = b.run([](docx::RunProps& p) { p.fonts.ascii.name = "Symbol"; });
       b.body({paragraph({text("a+b\u00B3\u4E2D", symbol)})});
     },
     "<p class=\"p1\"><span class=\"r1\">\u03B1+\u03B2\u2265\u4E2D</span></p>\n"},
    {"SymbolFontGreek", [](auto& b) { b.body({paragraph({mark(InlineKind::symbol, 0xF061, "Symbol")})}); },
     "<p class=\"p1\"><span class=\"r1\">\u03B1</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Breaks, ParagraphWriterCase, testing::ValuesIn(kBreakCases), test::caseName);

// ---- list labels ----

void labelled(DocumentBuilder& b, docx::LevelSuffix suffix, std::uint32_t labelRun, std::uint32_t paragraphProps) {
  docx::Paragraph p = test::para({text("Item")}, paragraphProps);
  p.listLabel = b.listLabel(docx::ListLabel{"1.", suffix, labelRun, 1, 0, false});
  b.body({test::block(std::move(p))});
}

std::uint32_t hanging(DocumentBuilder& b) {
  return b.paragraph([](docx::ParagraphProps& p) {
    p.indentation.start = 720;
    p.indentation.firstLine = -360;
  });
}

const ContentCase kLabelCases[] = {
    {"LabelWithASpace", [](auto& b) { labelled(b, docx::LevelSuffix::space, 0, 0); },
     "<p class=\"p1\"><span class=\"vm-lbl r1\">1. </span><span class=\"r1\">Item</span></p>\n"},
    {"LabelWithNothingAfterIt", [](auto& b) { labelled(b, docx::LevelSuffix::nothing, bold(b), 0); },
     "<p class=\"p1\"><span class=\"vm-lbl r1\">1.</span><span class=\"r2\">Item</span></p>\n"},
    {"LabelTabReachesTheHangingIndent", [](auto& b) { labelled(b, docx::LevelSuffix::tab, 0, hanging(b)); },
     "<p class=\"p1\"><span class=\"vm-tb\" style=\"min-width:min(24px,100%)\"><span class=\"vm-ts\">"
     "<span class=\"vm-lbl r1\">1.</span></span><span class=\"vm-tl\">\t</span></span>"
     "<span class=\"r1\">Item</span></p>\n"},
    {"HiddenLabelIsNotWritten",
     [](auto& b) { labelled(b, docx::LevelSuffix::tab, b.run([](docx::RunProps& p) { p.vanish = true; }), 0); },
     "<p class=\"p1\"><span class=\"r1\">Item</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Labels, ParagraphWriterCase, testing::ValuesIn(kLabelCases), test::caseName);

// ---- tabs ----

std::uint32_t stops(DocumentBuilder& b, std::vector<docx::TabStop> tabs) {
  return b.paragraph([&](docx::ParagraphProps& p) { p.tabs = tabs; });
}

const ContentCase kTabCases[] = {
    {"TabToTheNextDefaultStop", [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::tab), text("b")})}); },
     "<p class=\"p1\"><span class=\"vm-tb\" style=\"min-width:min(48px,100%)\"><span class=\"vm-ts\">"
     "<span class=\"r1\">a</span></span><span class=\"vm-tl\">\t</span></span><span class=\"r1\">b</span></p>\n"},
    {"ContentsLineWithDotsToThePageNumber",
     [](auto& b) {
       const auto props = stops(b, {{9350, docx::TabAlignment::end, docx::TabLeader::dot}});
       b.body({paragraph({text("Heading"), mark(InlineKind::tab), text("12")}, props)});
     },
     "<p class=\"p1\"><span class=\"vm-tb\" style=\"min-width:min(623.33px,100%)\"><span class=\"vm-ts\">"
     "<span class=\"r1\">Heading</span></span><span class=\"vm-tl vm-ld-dot\">\t</span><span class=\"vm-ts\">"
     "<span class=\"r1\">12</span></span></span></p>\n"},
    {"HiddenTabIsNoStop",
     [](auto& b) {
       const auto hidden = b.run([](docx::RunProps& p) { p.vanish = true; });
       b.body({paragraph({text("a"), mark(InlineKind::tab, 0, "", hidden), text("b")})});
     },
     "<p class=\"p1\"><span class=\"r1\">ab</span></p>\n"},
    {"LinkAcrossATabClosesAndOpensAgain",
     [](auto& b) {
       const int link = b.link("https://a.example/");
       b.body({paragraph({mark(InlineKind::linkStart, link), text("a"), mark(InlineKind::tab), text("b"),
                          mark(InlineKind::linkEnd, link)})});
     },
     "<p class=\"p1\"><span class=\"vm-tb\" style=\"min-width:min(48px,100%)\"><span class=\"vm-ts\">"
     "<a href=\"https://a.example/\"><span class=\"r1\">a</span></a></span><span class=\"vm-tl\">\t</span></span>"
     "<a href=\"https://a.example/\"><span class=\"r1\">b</span></a></p>\n"},
    {"TwoTabsTwoBoxes",
     [](auto& b) { b.body({paragraph({text("a"), mark(InlineKind::tab), text("b"), mark(InlineKind::tab), text("c")})}); },
     "<p class=\"p1\"><span class=\"vm-tb\" style=\"min-width:min(48px,100%)\"><span class=\"vm-ts\">"
     "<span class=\"r1\">a</span></span><span class=\"vm-tl\">\t</span></span><span class=\"vm-tb\" "
     "style=\"min-width:min(48px,100%)\"><span class=\"vm-ts\"><span class=\"r1\">b</span></span>"
     "<span class=\"vm-tl\">\t</span></span><span class=\"r1\">c</span></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Tabs, ParagraphWriterCase, testing::ValuesIn(kTabCases), test::caseName);

// ---- dates ----

struct DateCase {
  std::string name, date, expected;
};

const DateCase kDates[] = {
    {"IsoDateAndTime", "2015-08-14T13:43:00Z", "2015-08-14 13:43"},
    {"OtherTextAsItIs", "yesterday", "yesterday"},
    {"ShortDateAsItIs", "2015-08-14", "2015-08-14"},
};

class ParagraphWriterDate : public testing::TestWithParam<DateCase> {};

TEST_P(ParagraphWriterDate, ShowsTheDate) { EXPECT_EQ(displayDate(GetParam().date), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, ParagraphWriterDate, testing::ValuesIn(kDates), test::caseName);

}  // namespace
}  // namespace vellumine::render
