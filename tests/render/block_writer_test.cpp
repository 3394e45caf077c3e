// Blocks on the page: paragraph elements and the classes their neighbours give them.
#include "render/block_writer.h"

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

struct BlockCase {
  std::string name;
  std::function<void(DocumentBuilder&)> build;
  std::string expected;
};

class BlockWriterCase : public testing::TestWithParam<BlockCase> {};

TEST_P(BlockWriterCase, WritesTheBlocks) {
  DocumentBuilder b;
  GetParam().build(b);
  EXPECT_SAME_TEXT(test::renderBody(b.document()), GetParam().expected);
}

// A paragraph of this style; the style is defined in the document (a style the document does not
// define is no style at all to the resolver).
std::uint32_t styled(DocumentBuilder& b, std::string style, bool contextual) {
  docx::Styles& styles = b.document().styles;
  if (styles.find(style) == nullptr) {
    docx::Style definition;
    definition.styleId = style;
    styles.byId.emplace(style, static_cast<int>(styles.styles.size()));
    styles.styles.push_back(std::move(definition));
  }
  return b.paragraph([&](docx::ParagraphProps& p) {
    p.styleId = style;
    p.contextualSpacing = contextual;
  });
}

std::uint32_t boxed(DocumentBuilder& b, int indent) {
  return b.paragraph([&](docx::ParagraphProps& p) {
    p.borders.top = p.borders.bottom = test::border(docx::BorderStyle::single, 4, 0);
    p.indentation.start = indent;
  });
}

docx::Block deletedMark(DocumentBuilder& b, std::string content) {
  docx::Paragraph p = test::para({text(std::move(content))});
  p.markChange = b.change(docx::ChangeKind::deletion, "Ann");
  return test::block(std::move(p));
}

const BlockCase kCases[] = {
    {"EmptyParagraphKeepsOneLine", [](auto& b) { b.body({paragraph({})}); }, "<p class=\"p1\"><br></p>\n"},
    {"OutlineLevelsAreHeadings",
     [](auto& b) {
       const auto h1 = b.paragraph([](docx::ParagraphProps& p) { p.outlineLevel = 0; });
       const auto h6 = b.paragraph([](docx::ParagraphProps& p) { p.outlineLevel = 5; });
       const auto h7 = b.paragraph([](docx::ParagraphProps& p) { p.outlineLevel = 6; });
       b.body({paragraph({text("a")}, h1), paragraph({text("b")}, h6), paragraph({text("c")}, h7)});
     },
     "<h1 class=\"p1\"><span class=\"r1\">a</span></h1>\n<h6 class=\"p1\"><span class=\"r1\">b</span></h6>\n"
     "<p class=\"p1\"><span class=\"r1\">c</span></p>\n"},
    {"ContextualSpacingBetweenParagraphsOfOneStyle",
     [](auto& b) {
       const auto list = styled(b, "List", true);
       const auto body = styled(b, "Body", true);
       b.body({paragraph({text("a")}, list), paragraph({text("b")}, list), paragraph({text("c")}, body)});
     },
     "<p class=\"p1 vm-cs-a\"><span class=\"r1\">a</span></p>\n<p class=\"p1 vm-cs-b\"><span class=\"r1\">b</span>"
     "</p>\n<p class=\"p1\"><span class=\"r1\">c</span></p>\n"},
    {"ContextualSpacingOnlyWhereAsked",
     [](auto& b) {
       const auto asks = styled(b, "List", true);
       const auto plain = styled(b, "List", false);
       b.body({paragraph({text("a")}, plain), paragraph({text("b")}, asks)});
     },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n<p class=\"p1 vm-cs-b\"><span class=\"r1\">b</span></p>\n"},
    {"ParagraphsWithTheSameBordersShareOneBox",
     [](auto& b) {
       const auto box = boxed(b, 0);
       b.body({paragraph({text("a")}, box), paragraph({text("b")}, box), paragraph({text("c")}, box)});
     },
     "<p class=\"p1 vm-jb\"><span class=\"r1\">a</span></p>\n<p class=\"p1 vm-jt vm-jb\"><span class=\"r1\">b</span>"
     "</p>\n<p class=\"p1 vm-jt\"><span class=\"r1\">c</span></p>\n"},
    {"OtherIndentsMakeAnotherBox",
     [](auto& b) { b.body({paragraph({text("a")}, boxed(b, 0)), paragraph({text("b")}, boxed(b, 720))}); },
     "<p class=\"p1\"><span class=\"r1\">a</span></p>\n<p class=\"p2\"><span class=\"r1\">b</span></p>\n"},
    // Marked up (the default view), each paragraph keeps its element; changes_view_test joins them.
    {"DeletedMarksEndTheirParagraphsStruckThrough",
     [](auto& b) { b.body({deletedMark(b, "a"), deletedMark(b, "b"), paragraph({text("c")})}); },
     "<p class=\"p1\"><span class=\"r1\">a</span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann\">\u00B6</del>"
     "</p>\n<p class=\"p1\"><span class=\"r1\">b</span><del class=\"vm-del vm-au1\" title=\"Deleted by Ann\">"
     "\u00B6</del></p>\n<p class=\"p1\"><span class=\"r1\">c</span></p>\n"},
    {"HiddenMarkWithNothingShownIsNoParagraph",
     [](auto& b) {
       const auto hidden = b.paragraph([](docx::ParagraphProps& p) { p.markRunProps.vanish = true; });
       const auto hiddenRun = b.run([](docx::RunProps& p) { p.vanish = true; });
       b.body({paragraph({text("gone", hiddenRun)}, hidden), paragraph({text("shown")}, hidden),
               paragraph({text("b")})});
     },
     "<p class=\"p1\"><span class=\"r1\">shown</span></p>\n<p class=\"p1\"><span class=\"r1\">b</span></p>\n"},
    {"BreakAndKeepMarksStayAsClasses",
     [](auto& b) {
       const auto props = b.paragraph([](docx::ParagraphProps& p) {
         p.pageBreakBefore = true;
         p.keepNext = true;
         p.keepLines = true;
       });
       b.body({paragraph({text("a")}, props)});
     },
     "<p class=\"p1 vm-pbb vm-kn vm-kl\"><span class=\"r1\">a</span></p>\n"},
    {"DropCapFloats",
     [](auto& b) {
       const auto drop = b.paragraph([](docx::ParagraphProps& p) { p.frame = docx::FrameProps{docx::DropCap::drop, 3}; });
       b.body({paragraph({text("O")}, drop), paragraph({text("nce")})});
     },
     "<p class=\"p1 vm-dropcap\" style=\"height:34.5pt\"><span class=\"r1\">O</span></p>\n<p class=\"p1\">"
     "<span class=\"r1\">nce</span></p>\n"},
    {"ParagraphHoldingATextBoxIsADiv",
     [](auto& b) {
       docx::Drawing drawing;
       drawing.kind = docx::DrawingKind::textBox;
       drawing.textBox = b.textBox({paragraph({text("inside")})});
       const int index = b.drawing(drawing);
       b.body({paragraph({text("a"), mark(InlineKind::drawing, index)})});
     },
     "<div class=\"p1\"><span class=\"r1\">a</span><span class=\"vm-tbx\"><p class=\"p1\">"
     "<span class=\"r1\">inside</span></p>\n</span></div>\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BlockWriterCase, testing::ValuesIn(kCases), test::caseName);

}  // namespace
}  // namespace vellumine::render
