// Shapes in SVG.  Lengths are worked out in px (EMU / 9525) and written in hundredths; polygons
// follow the preset geometries' default adjustments (a block arrow's shaft half its breadth, its
// head as long as half the smaller side).  Arrow heads of lines are drawn as triangles (or open
// strokes) rather than markers, so the document holds no reference at all.
#include "render/shape_svg.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

#include "docx/shape_look_reader.h"
#include "render/css_units.h"

namespace vellumine::render {

namespace {

using docx::LineEnd;
using docx::ShapeGeometry;

// Sizes past this (about 100 m) are hostile or broken; the shape is drawn at this size.
constexpr long long kMaxEmu = 9525LL * 400'000;
constexpr double kEmuPerPx = 9525.0;
// The thinnest outline drawn, in px (a:ln w="0" is a hairline).
constexpr double kThinnestLinePx = 0.5;
constexpr docx::Rgb kDefaultFill = 0x4472C4;

double pxOf(long long emu) { return static_cast<double>(std::clamp<long long>(emu, 0, kMaxEmu)) / kEmuPerPx; }

// Lines and connectors: drawn open, never filled, with their arrow heads; flips choose their ends.
bool isLine(const docx::ShapeLook& look) {
  return look.geometry == ShapeGeometry::line || look.geometry == ShapeGeometry::elbow;
}

double lineWidthPx(const docx::ShapeLook& look) {
  const long long emu = look.lineWidthEmu < 0 ? 9525 : look.lineWidthEmu;
  return std::max(pxOf(emu), kThinnestLinePx);
}

// An arrow head's length and half breadth: three and one and a half outline widths, at least
// 6 and 3 px, so thin lines still show which way they point.
double headLength(double lineWidth) { return std::max(3.0 * lineWidth, 6.0); }
double headHalfBreadth(double lineWidth) { return std::max(1.5 * lineWidth, 3.0); }

void appendNumber(std::string& out, double px) {
  const double bounded = std::isfinite(px) ? std::clamp(px, -1.0e9, 1.0e9) : 0.0;
  appendHundredths(out, std::llround(bounded * 100));
}

void appendAttribute(std::string& out, std::string_view name, double px) {
  out += ' ';
  out += name;
  out += "=\"";
  appendNumber(out, px);
  out += '"';
}

struct Point {
  double x, y;
};

void appendPolygon(std::string& out, std::initializer_list<Point> points, std::string_view element = "polygon") {
  out += '<';
  out += element;
  out += " points=\"";
  bool first = true;
  for (const Point& point : points) {
    if (!first) out += ' ';
    first = false;
    appendNumber(out, point.x);
    out += ',';
    appendNumber(out, point.y);
  }
  out += "\"/>";
}

// The shape's box inside the picture: origin and size in px.
struct Frame {
  double x, y, width, height;
};

// A block arrow pointing right in a box of length along and breadth across, its points handed
// to place, which turns them into the box's own direction.
template <typename Place>
void appendBlockArrow(std::string& out, double along, double across, Place place) {
  const double head = std::min(along, std::min(along, across) * 0.5);
  const double shaftTop = across * 0.25, shaftBottom = across * 0.75;
  appendPolygon(out, {place(0, shaftTop), place(along - head, shaftTop), place(along - head, 0), place(along, across / 2),
                      place(along - head, across), place(along - head, shaftBottom), place(0, shaftBottom)});
}

void appendArrowGeometry(std::string& out, ShapeGeometry geometry, const Frame& f) {
  switch (geometry) {
    case ShapeGeometry::rightArrow:
      appendBlockArrow(out, f.width, f.height, [&f](double a, double c) { return Point{f.x + a, f.y + c}; });
      break;
    case ShapeGeometry::leftArrow:
      appendBlockArrow(out, f.width, f.height, [&f](double a, double c) { return Point{f.x + f.width - a, f.y + c}; });
      break;
    case ShapeGeometry::downArrow:
      appendBlockArrow(out, f.height, f.width, [&f](double a, double c) { return Point{f.x + c, f.y + a}; });
      break;
    default:  // upArrow
      appendBlockArrow(out, f.height, f.width, [&f](double a, double c) { return Point{f.x + c, f.y + f.height - a}; });
      break;
  }
}

void appendRect(std::string& out, const Frame& f, double corner = 0) {
  out += "<rect";
  appendAttribute(out, "x", f.x);
  appendAttribute(out, "y", f.y);
  appendAttribute(out, "width", f.width);
  appendAttribute(out, "height", f.height);
  if (corner > 0) appendAttribute(out, "rx", corner);
  out += "/>";
}

void appendClosedGeometry(std::string& out, ShapeGeometry geometry, const Frame& f) {
  switch (geometry) {
    case ShapeGeometry::roundRect:
      appendRect(out, f, std::min(f.width, f.height) * 0.16667);
      break;
    case ShapeGeometry::ellipse:
      out += "<ellipse";
      appendAttribute(out, "cx", f.x + f.width / 2);
      appendAttribute(out, "cy", f.y + f.height / 2);
      appendAttribute(out, "rx", f.width / 2);
      appendAttribute(out, "ry", f.height / 2);
      out += "/>";
      break;
    case ShapeGeometry::triangle:
      appendPolygon(out, {{f.x + f.width / 2, f.y}, {f.x + f.width, f.y + f.height}, {f.x, f.y + f.height}});
      break;
    case ShapeGeometry::diamond:
      appendPolygon(out, {{f.x + f.width / 2, f.y},
                          {f.x + f.width, f.y + f.height / 2},
                          {f.x + f.width / 2, f.y + f.height},
                          {f.x, f.y + f.height / 2}});
      break;
    case ShapeGeometry::rightArrow:
    case ShapeGeometry::leftArrow:
    case ShapeGeometry::upArrow:
    case ShapeGeometry::downArrow:
      appendArrowGeometry(out, geometry, f);
      break;
    default:  // rect, and every geometry drawn as its bounding box
      appendRect(out, f);
      break;
  }
}

// An arrow head at tip, pointing away from from.
void appendLineEnd(std::string& out, LineEnd end, Point tip, Point from, double lineWidth, std::string_view colour) {
  if (end == LineEnd::none) return;
  const double dx = tip.x - from.x, dy = tip.y - from.y;
  const double length = std::hypot(dx, dy);
  // A line of no length points right.
  const double ux = length > 0 ? dx / length : 1.0, uy = length > 0 ? dy / length : 0.0;
  const double back = headLength(lineWidth), side = headHalfBreadth(lineWidth);
  const Point left{tip.x - ux * back - uy * side, tip.y - uy * back + ux * side};
  const Point right{tip.x - ux * back + uy * side, tip.y - uy * back - ux * side};
  if (end == LineEnd::filled) {
    out += "<g fill=\"";
    out += colour;
    out += "\" stroke=\"none\">";
    appendPolygon(out, {left, tip, right});
  } else {
    out += "<g fill=\"none\">";
    appendPolygon(out, {left, tip, right}, "polyline");
  }
  out += "</g>";
}

void appendLine(std::string& out, const docx::ShapeLook& look, const Frame& f, std::string_view colour) {
  Point start{f.x, f.y}, end{f.x + f.width, f.y + f.height};
  if (look.flipH) std::swap(start.x, end.x);
  if (look.flipV) std::swap(start.y, end.y);
  const double width = lineWidthPx(look);
  if (look.geometry == ShapeGeometry::elbow) {
    // Across to the middle, along to the other side, across to the end.
    const double middle = (start.x + end.x) / 2;
    const Point bendStart{middle, start.y}, bendEnd{middle, end.y};
    out += "<g fill=\"none\">";
    appendPolygon(out, {start, bendStart, bendEnd, end}, "polyline");
    out += "</g>";
    // A head points away from the nearest point that is not where it stands.
    const auto apart = [](Point a, Point b) { return a.x != b.x || a.y != b.y; };
    appendLineEnd(out, look.head, start, apart(start, bendStart) ? bendStart : bendEnd, width, colour);
    appendLineEnd(out, look.tail, end, apart(end, bendEnd) ? bendEnd : bendStart, width, colour);
    return;
  }
  out += "<line";
  appendAttribute(out, "x1", start.x);
  appendAttribute(out, "y1", start.y);
  appendAttribute(out, "x2", end.x);
  appendAttribute(out, "y2", end.y);
  out += "/>";
  appendLineEnd(out, look.head, start, end, width, colour);
  appendLineEnd(out, look.tail, end, start, width, colour);
}

std::string colourText(const std::optional<docx::Rgb>& rgb) {
  std::string text;
  if (rgb) {
    appendColor(text, *rgb);
  } else {
    text = "none";
  }
  return text;
}

// stroke-dasharray in outline widths, as the presets measure them.
void appendDash(std::string& out, docx::LineDash dash, double width) {
  static constexpr double kDash[] = {4, 3}, kDot[] = {1, 1}, kDashDot[] = {4, 3, 1, 3}, kLongDash[] = {8, 3};
  std::span<const double> steps;
  switch (dash) {
    case docx::LineDash::dash: steps = kDash; break;
    case docx::LineDash::dot: steps = kDot; break;
    case docx::LineDash::dashDot: steps = kDashDot; break;
    case docx::LineDash::longDash: steps = kLongDash; break;
    default: return;
  }
  out += " stroke-dasharray=\"";
  bool first = true;
  for (double step : steps) {
    if (!first) out += ' ';
    first = false;
    appendNumber(out, step * width);
  }
  out += '"';
}

// The turn (about the box's centre) and the flips of a closed shape; a line's flips choose its
// ends instead.
void appendTransform(std::string& out, const docx::ShapeLook& look, const Frame& f) {
  const bool flips = !isLine(look) && (look.flipH || look.flipV);
  if (look.rotation == 0 && !flips) return;
  const double cx = f.x + f.width / 2, cy = f.y + f.height / 2;
  out += " transform=\"";
  if (look.rotation != 0) {
    out += "rotate(";
    appendNumber(out, look.rotation / 60000.0);
    out += ' ';
    appendNumber(out, cx);
    out += ' ';
    appendNumber(out, cy);
    out += ')';
  }
  if (flips) {
    if (look.rotation != 0) out += ' ';
    out += "matrix(";
    out += look.flipH ? "-1" : "1";
    out += " 0 0 ";
    out += look.flipV ? "-1" : "1";
    out += ' ';
    appendNumber(out, look.flipH ? 2 * cx : 0);
    out += ' ';
    appendNumber(out, look.flipV ? 2 * cy : 0);
    out += ')';
  }
  out += '"';
}

void appendSvgStart(std::string& out, double width, double height) {
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\"";
  appendAttribute(out, "width", width);
  appendAttribute(out, "height", height);
  out += " viewBox=\"0 0 ";
  appendNumber(out, width);
  out += ' ';
  appendNumber(out, height);
  out += "\" preserveAspectRatio=\"none\">";
}

// One shape in frame: a group with its paint, outline and transform around its geometry.
void appendShape(std::string& out, const docx::ShapeLook& look, const ShapePaint& paint, const Frame& frame) {
  const double lineWidth = lineWidthPx(look);
  const std::string line = colourText(paint.line);
  out += "<g fill=\"";
  out += colourText(paint.fill);
  out += "\" stroke=\"";
  out += line;
  out += '"';
  appendAttribute(out, "stroke-width", lineWidth);
  appendDash(out, look.dash, lineWidth);
  appendTransform(out, look, frame);
  out += '>';
  if (isLine(look)) {
    appendLine(out, look, frame, line);
  } else {
    appendClosedGeometry(out, look.geometry, frame);
  }
  out += "</g>";
}

}  // namespace

ShapePaint resolveShapePaint(const docx::ShapeLook& look, const docx::Theme& theme, const docx::Settings& settings) {
  ShapePaint paint;
  if (look.fill == docx::Paint::solid && !isLine(look)) {
    paint.fill = docx::resolveShapeColor(look.fillColor, theme, settings).value_or(kDefaultFill);
  }
  if (look.line == docx::Paint::solid) {
    paint.line = docx::resolveShapeColor(look.lineColor, theme, settings).value_or(0x000000);
  }
  return paint;
}

docx::ShapeLook pictureLook(const docx::ShapeLook& look) {
  docx::ShapeLook upright = look;
  upright.rotation = 0;
  return upright;
}

long long shapeMarginEmu(const docx::ShapeLook& look, long long widthEmu, long long heightEmu) {
  const double width = lineWidthPx(look);
  double margin = width / 2 + 1;
  if (look.head != LineEnd::none || look.tail != LineEnd::none) margin += headLength(width) + headHalfBreadth(width);
  // A turned shape's corners reach at most half its diagonal from the centre.
  if (look.rotation != 0 && look.rotation != 10800000) {
    const double w = pxOf(widthEmu), h = pxOf(heightEmu);
    margin += (std::hypot(w, h) - std::min(w, h)) / 2;
  }
  return std::llround(margin * kEmuPerPx);
}

std::string shapeSvg(const docx::ShapeLook& look, const ShapePaint& paint, long long widthEmu, long long heightEmu) {
  const double margin = pxOf(shapeMarginEmu(look, widthEmu, heightEmu));
  const Frame frame{margin, margin, pxOf(widthEmu), pxOf(heightEmu)};
  std::string out;
  appendSvgStart(out, frame.width + 2 * margin, frame.height + 2 * margin);
  appendShape(out, look, paint, frame);
  out += "</svg>\n";
  return out;
}

std::string diagramSvg(const docx::Diagram& diagram, long long widthEmu, long long heightEmu,
                       const docx::Theme& theme, const docx::Settings& settings) {
  std::string out;
  appendSvgStart(out, pxOf(widthEmu), pxOf(heightEmu));
  for (const docx::DiagramShape& shape : diagram.shapes) {
    const ShapePaint paint = resolveShapePaint(shape.look, theme, settings);
    if (!paint.visible()) continue;
    const Frame frame{static_cast<double>(std::clamp<long long>(shape.xEmu, -kMaxEmu, kMaxEmu)) / kEmuPerPx,
                      static_cast<double>(std::clamp<long long>(shape.yEmu, -kMaxEmu, kMaxEmu)) / kEmuPerPx,
                      pxOf(shape.widthEmu), pxOf(shape.heightEmu)};
    appendShape(out, shape.look, paint, frame);
  }
  out += "</svg>\n";
  return out;
}

}  // namespace vellumine::render
