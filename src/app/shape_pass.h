// Between reading the document and writing its faithful page: every shape and text box with a
// look that draws something (a fill or an outline) is drawn as an SVG picture (render/shape_svg.h)
// kept beside the main part (drawn_picture.h), and the drawing is pointed at it (Drawing::drawn).
// The same picture is written once however many shapes look alike.  Diagrams (SmartArt) are read
// from their data and drawing parts into Document::diagrams (docx/diagram_reader.h) and their
// shapes drawn as one picture.
#pragma once
#include <cstddef>
#include <filesystem>

#include "docx/model.h"
#include "docx/warnings.h"

namespace vellumine {

struct ShapePassLimits {
  // Shapes past this many in one document are left undrawn (their boxes and text stay), with one
  // notShown warning: a document of a million shapes cannot fill the package folder.
  std::size_t maxShapes = 5000;
};

void drawDocumentShapes(docx::Document& document, const std::filesystem::path& packageFolder,
                        docx::Warnings& warnings, const ShapePassLimits& limits = {});

}  // namespace vellumine
