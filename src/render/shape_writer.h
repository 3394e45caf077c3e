// Shapes, text boxes and groups on the page.  A shape (or a text box with a look) is a box of its
// size, position:relative, holding the picture drawn for it (Drawing::drawn, an SVG made by the
// shape pass, app/shape_pass.h) as an <img> behind its text; the text is the text box's story,
// written as HTML through the block writer inside the body insets and placed at the top, middle
// or bottom, so it stays selectable; a turned shape's box is turned as a whole, its text with it
// (a flip turns its picture only).  A group or canvas is a box of the group's frame with its
// members placed absolutely inside it, each written as it would be alone.  A diagram is written
// by render/diagram_writer.h.
#pragma once
#include <string_view>

#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// Writes the drawing when it is a shape, a text box with a look or a member of a group, and says
// so; false leaves it to the other drawing writers.  The members of a group follow their first
// member in Document::drawings (docx::GroupPlace): the first writes them all, the others nothing.
bool writeShape(PageState& state, const docx::Drawing& drawing);

// The style rules of the boxes writeShape and the diagram writer make; the page holds them when
// PageState::shapesUsed says it wrote one.
std::string_view shapeSheet();

}  // namespace vellumine::render
