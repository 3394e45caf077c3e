// Drawings on the page: a picture as <img> at its size (cropped in a clipping box, floated when
// text wraps around it), a text box as a box of its size holding its story, a picture drawn for a
// chart (or the chart's data as a table, render/chart_table.h), and anything the page does not
// draw (shapes without a geometry, diagrams without shapes or words, pictures in formats a browser
// cannot show, charts whose part could not be read) as a labelled box of its size, with a warning.
// Shapes, text boxes with a look, groups and diagrams are written by render/shape_writer.h.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// The drawing in its place in the line, floated, on lines of its own, or (the text not wrapping
// around it) in a box out of the flow placed from its paragraph (render/unwrapped_drawing.h).
void writeDrawing(PageState& state, const docx::Drawing& drawing);

// The class that places a drawing in the text around it (" vm-fl", " vm-bc", ...), or nothing
// for one that stands in the line.
std::string_view drawingPlacement(const PageState& state, const docx::Drawing& drawing);

// A text box's story, written once per page through the block writer at the box's width;
// nothing for a drawing without one, or one already written.
void writeTextBoxStory(PageState& state, const docx::Drawing& drawing);

// The picture's address from the page, which is written beside the main part: target
// "word/media/image1.png" for main part "word/document.xml" is "media/image1.png".  Nothing for
// a target outside the main part's folder or one with a ".." step.
std::optional<std::string> pagePicturePath(std::string_view mainPart, std::string_view target);

}  // namespace vellumine::render
