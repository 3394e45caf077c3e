// Shapes, text boxes with a look and groups on the page: a box of the shape's size with its drawn
// picture behind and its text over it inside the insets, floated as its wrap and position say;
// a group as one box with its members placed inside; what cannot be drawn keeps its old box.
#include "render/shape_writer.h"

#include <functional>

#include <gtest/gtest.h>

#include "render/drawing_writer.h"
#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::DrawingKind;
using docx::InlineKind;
using docx::ShapeGeometry;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

docx::Drawing shape(ShapeGeometry geometry, std::string drawn = "word/media/vm-1.svg") {
  docx::Drawing d;
  d.kind = DrawingKind::shape;
  d.look.geometry = geometry;
  d.widthEmu = 952500;  // 100 px
  d.heightEmu = 476250;  // 50 px
  d.drawn = std::move(drawn);
  return d;
}

std::size_t occurrences(const std::string& text, std::string_view piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
  return count;
}

// What the first paragraph of the body holds once the drawings are written there, and what
// follows it (a paragraph holding a text box is a div, and holds paragraphs of its own).
std::string paragraphOf(DocumentBuilder& b, const std::vector<int>& drawings, docx::Warnings& warnings) {
  std::vector<docx::Inline> inlines;
  for (int index : drawings) inlines.push_back(mark(InlineKind::drawing, index));
  b.body({paragraph(std::move(inlines))});
  const std::string page = test::renderWholePage(b.document(), &warnings);
  const std::size_t asParagraph = page.find("<p class=\"p1\">");
  const std::size_t asDivision = page.find("<div class=\"p1\">");
  const std::size_t start = std::min(asParagraph, asDivision);
  if (start == std::string::npos) return std::string();
  return page.substr(page.find('>', start) + 1);
}

struct ShapeCase {
  std::string name;
  std::function<void(DocumentBuilder&, std::vector<int>&)> build;
  std::string expected;
  int notShown = 0;
};

void PrintTo(const ShapeCase& row, std::ostream* out) { *out << row.name; }

// The picture of a 100 x 50 px shape with the default 1 px outline: 1.5 px of margin.
constexpr const char* kPicture =
    "<img src=\"media/vm-1.svg\" class=\"vm-sdr\" alt=\"\" style=\"left:-1.5px;top:-1.5px;width:103px;height:53px;\">";

const ShapeCase kCases[] = {
    {"DrawnShapeIsItsBoxWithThePicture",
     [](auto& b, auto& order) { order.push_back(b.drawing(shape(ShapeGeometry::ellipse))); },
     std::string("<span class=\"vm-shp\" style=\"width:100px;height:50px;\">") + kPicture + "</span>"},
    {"ShapeWithTextHasInsetsAnchorAndStyleColour",
     [](auto& b, auto& order) {
       docx::Drawing d = shape(ShapeGeometry::rect);
       d.textBox = b.textBox({paragraph({text("Inside")})});
       d.look.anchor = docx::TextAnchor::middle;
       d.look.insetLeft = 0;
       d.look.textColor = docx::ShapeColor{true, 0xFFFFFF};
       order.push_back(b.drawing(d));
     },
     std::string("<span class=\"vm-shp vm-sa-m\" style=\"width:100px;min-height:50px;padding:4.8px 9.6px 4.8px 0px;"
                 "color:#FFFFFF;\">") +
         kPicture + "<span class=\"vm-stx\"><p class=\"p1\"><span class=\"r1\">Inside</span></p>\n</span></span>"},
    {"FloatingTextBoxFloatsToItsSide",
     [](auto& b, auto& order) {
       docx::Drawing d = shape(ShapeGeometry::rect);
       d.kind = DrawingKind::textBox;
       d.wrap = docx::WrapKind::square;
       d.horizontalAlign = "right";
       d.textBox = b.textBox({paragraph({text("Aside")})});
       order.push_back(b.drawing(d));
     },
     std::string("<span class=\"vm-shp vm-fr\" style=\"width:100px;min-height:50px;padding:4.8px 9.6px 4.8px 9.6px;\">")},
    {"TurnedTextBoxTurnsWithItsText",
     [](auto& b, auto& order) {
       docx::Drawing d = shape(ShapeGeometry::rect);
       d.look.rotation = 5400000;  // a quarter turn clockwise
       d.look.flipH = true;
       d.textBox = b.textBox({paragraph({text("Turned")})});
       order.push_back(b.drawing(d));
     },
     // The picture keeps the margin of an unturned shape: it is drawn unturned.
     std::string("<span class=\"vm-shp\" style=\"width:100px;min-height:50px;transform:rotate(90deg);"
                 "padding:4.8px 9.6px 4.8px 9.6px;\">") +
         kPicture + "<span class=\"vm-stx\"><p class=\"p1\"><span class=\"r1\">Turned</span></p>"},
    {"TurnOutsideOneTurnIsBroughtIntoIt",
     [](auto& b, auto& order) {
       docx::Drawing d = shape(ShapeGeometry::rect);
       d.look.rotation = -2700030;  // written by no word processor, read as a turn back
       order.push_back(b.drawing(d));
     },
     "<span class=\"vm-shp\" style=\"width:100px;height:50px;transform:rotate(315deg);\">"},
    {"WholeTurnIsNoTurn",
     [](auto& b, auto& order) {
       docx::Drawing d = shape(ShapeGeometry::rect);
       d.look.rotation = 21600000;
       order.push_back(b.drawing(d));
     },
     "<span class=\"vm-shp\" style=\"width:100px;height:50px;\">"},
    {"ShapeDrawingNothingIsAnEmptyBox",
     [](auto& b, auto& order) { order.push_back(b.drawing(shape(ShapeGeometry::rect, ""))); },
     "<span class=\"vm-shp\" style=\"width:100px;height:50px;\"></span>"},
    {"ShapeWithoutGeometryKeepsItsLabelledBox",
     [](auto& b, auto& order) { order.push_back(b.drawing(shape(ShapeGeometry::none, ""))); },
     "<span class=\"vm-ns\" style=\"width:100px;height:50px;\">shape not shown</span>", 1},
    {"GroupIsOneBoxWithItsMembersPlaced",
     [](auto& b, auto& order) {
       docx::Drawing first = shape(ShapeGeometry::rect);
       first.place = docx::GroupPlace{true, 2, 0, 0, 1905000, 952500};
       first.wrap = docx::WrapKind::topAndBottom;
       first.horizontalAlign = "center";
       docx::Drawing second;
       second.kind = DrawingKind::picture;
       second.target = "word/media/p.png";
       second.widthEmu = 952500;
       second.heightEmu = 476250;
       second.place = docx::GroupPlace{true, 0, 952500, 476250, 1905000, 952500};
       order.push_back(b.drawing(first));
       order.push_back(b.drawing(second));
     },
     std::string("<span class=\"vm-grp vm-bc\" style=\"width:200px;height:100px;\">"
                 "<span class=\"vm-gm\" style=\"left:0px;top:0px;\"><span class=\"vm-shp\" style=\"width:100px;height:50px;\">") +
         kPicture +
         "</span></span><span class=\"vm-gm\" style=\"left:100px;top:50px;\"><img src=\"media/p.png\" class=\"vm-pic\" "
         "alt=\"\" style=\"width:100px;height:50px;\"></span></span>"},
    {"DiagramWithShapesHasItsPictureAndPlacedText",
     [](auto& b, auto& order) {
       docx::Drawing d;
       d.kind = DrawingKind::smartArt;
       d.widthEmu = 952500;
       d.heightEmu = 476250;
       d.drawn = "word/media/vm-d.svg";
       d.diagram = 0;
       docx::DiagramShape s;
       s.xEmu = 95250;
       s.widthEmu = 190500;
       s.heightEmu = 95250;
       s.paragraphs = {"Plan <a>", ""};
       s.fontSize = 1400;
       s.textColor = docx::ShapeColor{true, 0xFFFFFF};
       docx::DiagramShape silent = s;
       silent.paragraphs = {""};
       b.document().diagrams.push_back(docx::Diagram{{s, silent}, {}});
       order.push_back(b.drawing(d));
     },
     "<span class=\"vm-dgm\" style=\"width:100px;height:50px;\"><img src=\"media/vm-d.svg\" class=\"vm-sdr\" alt=\"\" "
     "style=\"left:0;top:0;width:100px;height:50px;\"><span class=\"vm-dgt\" style=\"left:10px;top:0px;width:20px;"
     "height:10px;font-size:14pt;color:#FFFFFF;\"><span class=\"vm-dgp\">Plan &lt;a&gt;</span><span class=\"vm-dgp\">"
     "</span></span></span>"},
    {"DiagramWithoutShapesListsItsWords",
     [](auto& b, auto& order) {
       docx::Drawing d;
       d.kind = DrawingKind::smartArt;
       d.diagram = 0;
       b.document().diagrams.push_back(docx::Diagram{{}, {"One", "Two"}});
       order.push_back(b.drawing(d));
     },
     "<span class=\"vm-dgl\"><span class=\"vm-dgp\">One</span><span class=\"vm-dgp\">Two</span></span>"},
    {"DiagramWithNothingKeepsItsLabelledBox",
     [](auto& b, auto& order) {
       docx::Drawing d;
       d.kind = DrawingKind::smartArt;
       d.diagram = 0;
       b.document().diagrams.push_back(docx::Diagram{});
       order.push_back(b.drawing(d));
     },
     "<span class=\"vm-ns\">diagram not shown</span>", 1},
};

class ShapeWriterCase : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeWriterCase, WritesTheBox) {
  DocumentBuilder b;
  std::vector<int> order;
  GetParam().build(b, order);
  docx::Warnings warnings;
  const std::string written = paragraphOf(b, order, warnings);
  EXPECT_EQ(written.substr(0, GetParam().expected.size()), GetParam().expected);
  EXPECT_EQ(warnings.count(docx::WarningKind::itemNotShown), GetParam().notShown);
}

std::string caseName(const testing::TestParamInfo<ShapeCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, ShapeWriterCase, testing::ValuesIn(kCases), caseName);

TEST(ShapeWriter, GroupMembersAreWrittenOnceThroughTheirFirst) {
  DocumentBuilder b;
  docx::Drawing first = shape(ShapeGeometry::rect);
  first.place = docx::GroupPlace{true, 2, 0, 0, 1905000, 952500};
  docx::Drawing second = shape(ShapeGeometry::ellipse, "word/media/vm-2.svg");
  second.place = docx::GroupPlace{true, 0, 0, 0, 1905000, 952500};
  const int a = b.drawing(first);
  const int c = b.drawing(second);
  docx::Warnings warnings;
  const std::string written = paragraphOf(b, {a, c}, warnings);
  EXPECT_EQ(occurrences(written, "vm-1.svg"), 1u);
  EXPECT_EQ(occurrences(written, "vm-2.svg"), 1u);
  EXPECT_EQ(occurrences(written, "class=\"vm-grp"), 1u);
}

TEST(ShapeWriter, GroupClaimingMoreMembersThanThereAreStops) {
  DocumentBuilder b;
  docx::Drawing first = shape(ShapeGeometry::rect);
  first.place = docx::GroupPlace{true, 1'000'000, 0, 0, 1905000, 952500};
  const int a = b.drawing(first);
  docx::Warnings warnings;
  const std::string written = paragraphOf(b, {a}, warnings);
  EXPECT_EQ(occurrences(written, "class=\"vm-gm\""), 1u);
}

}  // namespace
}  // namespace vellumine::render
