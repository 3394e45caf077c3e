// The look of a shape as DrawingML and VML write it, read into docx::ShapeLook (shape_look.h),
// and its colours resolved through the theme when the page is made.
//
// DrawingML: the shape properties (wps:spPr, dsp:spPr, a:spPr: a:prstGeom, a:solidFill,
// a:gradFill (its first stop), a:noFill, a:ln with its width, fill, a:prstDash, a:headEnd and
// a:tailEnd, a:xfrm rot/flipH/flipV), the shape style (wps:style: a:fillRef, a:lnRef, a:fontRef
// with their colours, used where the properties write nothing) and the text body's properties
// (wps:bodyPr, a:bodyPr: lIns, tIns, rIns, bIns, anchor).  VML: the element (v:rect, v:roundrect,
// v:oval, v:line, v:shape by its type or o:spt) with fillcolor, filled, strokecolor, strokeweight,
// stroked, its v:fill, v:stroke (dashstyle, startarrow, endarrow) and v:textbox (inset) children.
// A malformed number is left out with a malformedNumber warning; nothing here throws.
#pragma once
#include <optional>

#include <pugixml.hpp>

#include "docx/format.h"
#include "docx/shape_look.h"
#include "docx/theme.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// Any of shapeProperties, style and bodyProperties may be null.
ShapeLook readShapeLook(const pugi::xml_node& shapeProperties, const pugi::xml_node& style,
                        const pugi::xml_node& bodyProperties, Warnings& warnings);

// A VML shape element (v:rect, v:shape, ...), with VML's defaults: filled white, stroked black
// 0.75 pt, unless it says otherwise.
ShapeLook readVmlLook(const pugi::xml_node& vmlShape, Warnings& warnings);

// The colour element among node's children (a:srgbClr, a:schemeClr, a:sysClr, a:prstClr,
// a:scrgbClr) with its a:lumMod, a:lumOff, a:shade, a:tint; not present when there is none.
ShapeColor readColorChoice(const pugi::xml_node& node, Warnings& warnings);

// The colour drawn: the theme slot (through the settings' mapping) when one is named and the
// theme has it, else the RGB value; then the luminance changes.  Absent when not present.
std::optional<Rgb> resolveShapeColor(const ShapeColor& color, const Theme& theme, const Settings& settings);

}  // namespace vellumine::docx
