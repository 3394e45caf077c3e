// A diagram (SmartArt) on the page.  With shapes from its cached drawing: a box of the diagram's
// size with the picture of its shapes (Drawing::drawn, made by the shape pass) and each shape's
// text as HTML placed over its shape, centred as diagrams centre it.  Without shapes: its words
// in order, one to a line.
#pragma once
#include <string_view>

#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// Writes the diagram the drawing shows (Drawing::diagram, an index in Document::diagrams) placed
// by placement (drawing_writer.h: drawingPlacement); false when the drawing has none.
bool writeDiagram(PageState& state, const docx::Drawing& drawing, std::string_view placement);

}  // namespace vellumine::render
