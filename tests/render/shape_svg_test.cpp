// Shapes as SVG documents: each geometry gives its elements, fills and outlines their colours,
// arrow heads their triangles, turns and flips their transform; the picture's margin holds the
// outline; the document is well formed and self-contained whatever the size, absurd ones too.
#include "render/shape_svg.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace vellumine::render {
namespace {

using docx::ShapeGeometry;

docx::ShapeLook lookOf(ShapeGeometry geometry) {
  docx::ShapeLook look;
  look.geometry = geometry;
  look.fill = docx::Paint::solid;
  look.line = docx::Paint::solid;
  return look;
}

// The names of the drawing elements below the root group, in order: "rect", "polygon:7" (with
// its number of points), "g(polygon:3)" for a group holding a triangle.
std::string shapeElements(const pugi::xml_node& group) {
  std::string text;
  for (const pugi::xml_node& child : group.children()) {
    if (!text.empty()) text += ' ';
    text += child.name();
    if (std::string_view(child.name()) == "polygon" || std::string_view(child.name()) == "polyline") {
      const std::string points = child.attribute("points").value();
      text += ":" + std::to_string(std::count(points.begin(), points.end(), ',') );
    }
    if (std::string_view(child.name()) == "g") text += "(" + shapeElements(child) + ")";
  }
  return text;
}

struct GeometryCase {
  std::string name;
  docx::ShapeLook look;
  std::string elements;
};

void PrintTo(const GeometryCase& row, std::ostream* out) { *out << row.name; }

docx::ShapeLook arrowLine(docx::LineEnd head, docx::LineEnd tail) {
  docx::ShapeLook look = lookOf(ShapeGeometry::line);
  look.head = head;
  look.tail = tail;
  return look;
}

const GeometryCase kGeometries[] = {
    {"Rectangle", lookOf(ShapeGeometry::rect), "rect"},
    {"RoundedRectangle", lookOf(ShapeGeometry::roundRect), "rect"},
    {"Ellipse", lookOf(ShapeGeometry::ellipse), "ellipse"},
    {"Triangle", lookOf(ShapeGeometry::triangle), "polygon:3"},
    {"Diamond", lookOf(ShapeGeometry::diamond), "polygon:4"},
    {"RightArrow", lookOf(ShapeGeometry::rightArrow), "polygon:7"},
    {"LeftArrow", lookOf(ShapeGeometry::leftArrow), "polygon:7"},
    {"UpArrow", lookOf(ShapeGeometry::upArrow), "polygon:7"},
    {"DownArrow", lookOf(ShapeGeometry::downArrow), "polygon:7"},
    {"OtherAsItsBox", lookOf(ShapeGeometry::other), "rect"},
    {"PlainLine", lookOf(ShapeGeometry::line), "line"},
    {"LineWithFilledEnd", arrowLine(docx::LineEnd::none, docx::LineEnd::filled), "line g(polygon:3)"},
    {"Elbow", lookOf(ShapeGeometry::elbow), "g(polyline:4)"},
    {"ElbowWithEnds", [] {
       docx::ShapeLook look = arrowLine(docx::LineEnd::filled, docx::LineEnd::filled);
       look.geometry = ShapeGeometry::elbow;
       return look;
     }(), "g(polyline:4) g(polygon:3) g(polygon:3)"},
    {"LineWithBothEnds", arrowLine(docx::LineEnd::open, docx::LineEnd::filled), "line g(polyline:3) g(polygon:3)"},
};

class ShapeSvgGeometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(ShapeSvgGeometry, DrawsItsElements) {
  const docx::ShapeLook& look = GetParam().look;
  const std::string svg = shapeSvg(look, ShapePaint{0xFF0000, 0x0000FF}, 952500, 476250);
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(svg.c_str())) << svg;
  const pugi::xml_node root = xml.child("svg");
  ASSERT_TRUE(root);
  EXPECT_STREQ(root.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  const pugi::xml_node group = root.child("g");
  EXPECT_EQ(shapeElements(group), GetParam().elements);
  EXPECT_STREQ(group.attribute("stroke").value(), "#0000FF");
  EXPECT_STREQ(group.attribute("fill").value(), "#FF0000");
}

std::string geometryName(const testing::TestParamInfo<GeometryCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, ShapeSvgGeometry, testing::ValuesIn(kGeometries), geometryName);

TEST(ShapeSvg, PictureIsTheBoxWidenedByItsMargin) {
  docx::ShapeLook look = lookOf(ShapeGeometry::rect);
  look.lineWidthEmu = 19050;  // 2 px: a margin of 1 px for the outline's outer half, and 1 px more
  EXPECT_EQ(shapeMarginEmu(look, 952500, 476250), 19050);
  const std::string svg = shapeSvg(look, ShapePaint{0xFFFFFF, 0x000000}, 952500, 476250);
  EXPECT_NE(svg.find("width=\"104\" height=\"54\" viewBox=\"0 0 104 54\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect x=\"2\" y=\"2\" width=\"100\" height=\"50\"/>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("stroke-width=\"2\""), std::string::npos) << svg;
}

TEST(ShapeSvg, ArrowHeadsWidenTheMargin) {
  const docx::ShapeLook plain = lookOf(ShapeGeometry::line);
  const docx::ShapeLook arrowed = arrowLine(docx::LineEnd::none, docx::LineEnd::open);
  EXPECT_GT(shapeMarginEmu(arrowed, 952500, 0), shapeMarginEmu(plain, 952500, 0) + 9525 * 8);
}

TEST(ShapeSvg, FlipsChooseTheLinesEnds) {
  docx::ShapeLook look = lookOf(ShapeGeometry::line);
  look.flipH = true;
  const std::string svg = shapeSvg(look, ShapePaint{std::nullopt, 0x000000}, 952500, 952500);
  // From the top right to the bottom left, 1.5 px in from the picture's edge.
  EXPECT_NE(svg.find("<line x1=\"101.5\" y1=\"1.5\" x2=\"1.5\" y2=\"101.5\"/>"), std::string::npos) << svg;
  EXPECT_EQ(svg.find("transform"), std::string::npos);
}

TEST(ShapeSvg, TurnedAndFlippedShapeHasItsTransform) {
  docx::ShapeLook look = lookOf(ShapeGeometry::triangle);
  look.rotation = 2700000;  // 45 degrees
  look.flipV = true;
  const std::string svg = shapeSvg(look, ShapePaint{0x00FF00, std::nullopt}, 952500, 952500);
  EXPECT_NE(svg.find("transform=\"rotate(45 "), std::string::npos) << svg;
  EXPECT_NE(svg.find(" matrix(1 0 0 -1 0 "), std::string::npos) << svg;
  EXPECT_NE(svg.find("stroke=\"none\""), std::string::npos) << svg;
  // The corners of a square turned by 45 degrees reach (sqrt 2 - 1) / 2 of its side further out.
  EXPECT_GT(shapeMarginEmu(look, 952500, 952500), 952500 * 2 / 10);
}

TEST(ShapeSvg, PictureOfATurnedShapeIsUnturnedAndKeepsItsFlips) {
  docx::ShapeLook look = lookOf(ShapeGeometry::triangle);
  look.rotation = 2700000;
  look.flipV = true;
  const docx::ShapeLook upright = pictureLook(look);
  const std::string svg = shapeSvg(upright, ShapePaint{0x00FF00, std::nullopt}, 952500, 476250);
  EXPECT_EQ(svg.find("rotate("), std::string::npos) << svg;
  EXPECT_NE(svg.find("transform=\"matrix(1 0 0 -1 0 "), std::string::npos) << svg;
  // No room for turned corners: the margin of the same shape never turned.
  look.rotation = 0;
  EXPECT_EQ(shapeMarginEmu(upright, 952500, 476250), shapeMarginEmu(look, 952500, 476250));
}

TEST(ShapeSvg, DashesInOutlineWidths) {
  docx::ShapeLook look = lookOf(ShapeGeometry::rect);
  look.lineWidthEmu = 19050;
  look.dash = docx::LineDash::dashDot;
  const std::string svg = shapeSvg(look, ShapePaint{std::nullopt, 0x000000}, 952500, 952500);
  EXPECT_NE(svg.find("stroke-dasharray=\"8 6 2 6\""), std::string::npos) << svg;
}

TEST(ShapeSvg, PaintResolvesThroughTheTheme) {
  docx::Theme theme;
  theme.colors[static_cast<std::size_t>(docx::ThemeColor::accent2) - 1] = 0xED7D31;
  docx::ShapeLook look = lookOf(ShapeGeometry::line);
  look.lineColor = docx::ShapeColor{true, 0, docx::ThemeColor::accent2};
  look.fillColor = docx::ShapeColor{true, 0x123456};
  const ShapePaint paint = resolveShapePaint(look, theme, docx::Settings{});
  EXPECT_FALSE(paint.fill.has_value());  // a line is never filled
  EXPECT_EQ(paint.line, 0xED7D31u);
  docx::ShapeLook unset;
  unset.geometry = ShapeGeometry::rect;
  EXPECT_FALSE(resolveShapePaint(unset, theme, docx::Settings{}).visible());
}

TEST(DiagramSvg, DrawsEachVisibleShapeAtItsPlace) {
  docx::Diagram diagram;
  docx::DiagramShape first;
  first.look = lookOf(ShapeGeometry::ellipse);
  first.xEmu = 95250;  // 10 px
  first.widthEmu = first.heightEmu = 190500;
  docx::DiagramShape hidden;
  hidden.look.geometry = ShapeGeometry::rect;  // no fill, no outline: nothing drawn
  docx::DiagramShape second = first;
  second.look = lookOf(ShapeGeometry::triangle);
  second.look.fillColor = docx::ShapeColor{true, 0, docx::ThemeColor::accent1};
  diagram.shapes = {first, hidden, second};
  const std::string svg = diagramSvg(diagram, 952500, 476250, docx::Theme{}, docx::Settings{});
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(svg.c_str())) << svg;
  const pugi::xml_node root = xml.child("svg");
  EXPECT_STREQ(root.attribute("width").value(), "100");
  EXPECT_EQ(shapeElements(root), "g(ellipse) g(polygon:3)");
  EXPECT_NE(svg.find("<ellipse cx=\"20\" cy=\"10\" rx=\"10\" ry=\"10\"/>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("fill=\"#4472C4\""), std::string::npos) << svg;  // accent1 of the default theme
}

struct SizeCase {
  std::string name;
  long long width, height;
};

void PrintTo(const SizeCase& row, std::ostream* out) { *out << row.name; }

const SizeCase kHostileSizes[] = {
    {"Huge", 1'000'000'000'000'000LL, 1'000'000'000'000'000LL},
    {"Negative", -5'000'000, -1},
    {"Zero", 0, 0},
    {"Extreme", 9'223'372'036'854'775'807LL, -9'223'372'036'854'775'807LL},
};

class ShapeSvgSize : public testing::TestWithParam<SizeCase> {};

TEST_P(ShapeSvgSize, StaysWellFormedAndBounded) {
  for (int geometry = 0; geometry <= static_cast<int>(ShapeGeometry::other); ++geometry) {
    docx::ShapeLook look = lookOf(static_cast<ShapeGeometry>(geometry));
    look.rotation = 1234567;
    look.head = docx::LineEnd::filled;
    look.lineWidthEmu = 1'270'000;
    const std::string svg = shapeSvg(look, ShapePaint{0x010203, 0x040506}, GetParam().width, GetParam().height);
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(svg.c_str())) << svg;
    EXPECT_LT(svg.size(), 2000u);
    EXPECT_EQ(svg.find("nan"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("inf"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("href"), std::string::npos);
    EXPECT_EQ(svg.find("script"), std::string::npos);
    // The picture is at most the largest box (400000 px) and its margins.
    const double width = std::atof(xml.child("svg").attribute("width").value());
    EXPECT_GT(width, 0.0);
    EXPECT_LT(width, 1'200'000.0);
  }
}

std::string sizeName(const testing::TestParamInfo<SizeCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, ShapeSvgSize, testing::ValuesIn(kHostileSizes), sizeName);

}  // namespace
}  // namespace vellumine::render
