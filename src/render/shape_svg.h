// A shape drawn as an SVG document of its own, for an <img> on the page (the page's sanitiser
// removes inline SVG).  The SVG covers the shape's box widened by a margin on every side
// (shapeMarginEmu), so that outlines, arrow heads and turned shapes are not cut at the box's
// edge: the page places the picture that much up and left of the box.  No script, no reference
// to anything outside the document, numbers written without the locale.
#pragma once
#include <optional>
#include <string>

#include "docx/diagram.h"
#include "docx/format.h"
#include "docx/shape_look.h"
#include "docx/theme.h"

namespace vellumine::render {

// The colours a shape is drawn in; absent: not drawn.
struct ShapePaint {
  std::optional<docx::Rgb> fill;
  std::optional<docx::Rgb> line;
  bool visible() const { return fill.has_value() || line.has_value(); }
};

// The look's fill and outline through the theme: a solid paint without a colour of its own is
// drawn in the theme's first accent (fill) or black (outline); unset paints are not drawn; a line
// is never filled.
ShapePaint resolveShapePaint(const docx::ShapeLook& look, const docx::Theme& theme, const docx::Settings& settings);

// The look a shape's own picture is drawn in: unturned, since the page turns the shape's whole
// box, text and all (render/shape_writer.h); the flips stay in the picture, as they turn the
// geometry only.  The picture's margin (shapeMarginEmu) is taken for this look too.
docx::ShapeLook pictureLook(const docx::ShapeLook& look);

// The room the picture needs around the shape's box, in EMU: half the outline, the arrow heads,
// and for a turned shape what its corners sweep out.  Sizes are clamped as for shapeSvg.
long long shapeMarginEmu(const docx::ShapeLook& look, long long widthEmu, long long heightEmu);

// The SVG document for the shape at this size (EMU, clamped to 0 .. about 100 m): the geometry
// (an unknown one as its bounding box), filled and outlined as paint says, turned and flipped.
std::string shapeSvg(const docx::ShapeLook& look, const ShapePaint& paint, long long widthEmu, long long heightEmu);

// The SVG document for a diagram's shapes in its frame of this size (no margin: a diagram's
// shapes stand inside it), each shape drawn as shapeSvg draws it, its colours through the theme.
std::string diagramSvg(const docx::Diagram& diagram, long long widthEmu, long long heightEmu,
                       const docx::Theme& theme, const docx::Settings& settings);

}  // namespace vellumine::render
