// How a shape is drawn, as the document writes it: its preset geometry, fill, outline, turn and
// flips, and where its text sits inside it.  Colours stay as written (an RGB value or a theme slot
// with its luminance changes) until the page is made, when the theme resolves them
// (shape_look_reader.h: resolveShapeColor).  Also where a member of a group or canvas lies inside
// the group's frame, so that the page can keep the group's layout.
#pragma once
#include <cstdint>

#include "docx/properties.h"

namespace vellumine::docx {

// The geometries the page draws; every other preset (and a custom geometry) is "other", drawn as
// its bounding box.  Callouts are drawn as their body: a rectangle (or rounded rectangle, ellipse).
enum class ShapeGeometry : std::uint8_t {
  none,       // no geometry written (a picture, a frame without spPr)
  rect,
  roundRect,
  ellipse,
  line,       // a:prstGeom line, straightConnector1, v:line: top left to bottom right, flips turn it
  elbow,      // bent and curved connectors: across half the box, down, across the rest (flips too)
  rightArrow,
  leftArrow,
  upArrow,
  downArrow,
  triangle,
  diamond,
  other,
};

// A colour of DrawingML or VML.  lumMod and lumOff are in 1/1000 percent (100000: unchanged),
// as a:lumMod and a:lumOff write them; a:shade and a:tint are kept the same way.
struct ShapeColor {
  bool present = false;
  std::uint32_t rgb = 0;              // 0xRRGGBB: the value when theme is none
  ThemeColor theme = ThemeColor::none;
  std::int32_t lumMod = 100000, lumOff = 0;
  std::int32_t shade = 100000, tint = 100000;
  friend bool operator==(const ShapeColor&, const ShapeColor&) = default;
};

// unset: nothing written (the shape's style or the format's default decides); none: written as
// not drawn; solid: drawn in colour.
enum class Paint : std::uint8_t { unset, none, solid };

enum class LineDash : std::uint8_t { solid, dash, dot, dashDot, longDash };

// An outline's end: nothing, an open arrow head (two strokes) or a filled one (triangle, stealth,
// diamond and oval are drawn as a filled triangle).
enum class LineEnd : std::uint8_t { none, open, filled };

enum class TextAnchor : std::uint8_t { top, middle, bottom };

struct ShapeLook {
  ShapeGeometry geometry = ShapeGeometry::none;
  Paint fill = Paint::unset;
  ShapeColor fillColor;
  Paint line = Paint::unset;
  ShapeColor lineColor;
  std::int64_t lineWidthEmu = -1;     // -1: not written (the default width, 9525 EMU)
  LineDash dash = LineDash::solid;
  LineEnd head = LineEnd::none, tail = LineEnd::none;  // at the line's start and end
  std::int32_t rotation = 0;          // clockwise, 60000ths of a degree, 0 .. 21600000
  bool flipH = false, flipV = false;
  // The text's distance from the shape's edges (a:bodyPr lIns.., v:textbox inset) and where the
  // text stands between top and bottom.
  std::int64_t insetLeft = 91440, insetTop = 45720, insetRight = 91440, insetBottom = 45720;
  TextAnchor anchor = TextAnchor::top;
  ShapeColor textColor;               // the shape style's font colour (wps:style/a:fontRef)
};

// A member of a group or canvas: its box inside the group's frame, in EMU from the frame's top
// left, after every nested group's scaling.  The first member of a group also says how many
// members the group has (itself included): they follow it in Document::drawings, and the page
// writes them together in one box of the group's frame (groupWidthEmu x groupHeightEmu).
struct GroupPlace {
  bool member = false;
  std::int32_t memberCount = 0;       // on the first member only; 0 on the others
  std::int64_t xEmu = 0, yEmu = 0;
  std::int64_t groupWidthEmu = 0, groupHeightEmu = 0;
};

}  // namespace vellumine::docx
