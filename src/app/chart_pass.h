// Between reading the document and writing its faithful page: the part of every chart drawing is
// read (docx/chart_reader.h) and drawn as SVG (render/chart_svg.h) into the media folder beside
// the main part (drawn_picture.h), and the drawing is pointed at the picture (Drawing::drawn).
// A chart the page does not draw keeps its data in Document::charts (Drawing::chart), which the
// page shows as a table; a part that cannot be read leaves the drawing as it was (its labelled
// box).
#pragma once
#include <filesystem>

#include "docx/model.h"
#include "docx/warnings.h"

namespace vellumine {

// Each chart part is read and drawn once per document, however many drawings show it (at the
// first one's size; the page scales the picture to each drawing's).  Only parts inside the
// package folder are read (docx::folderPartSource).
void drawDocumentCharts(docx::Document& document, const std::filesystem::path& packageFolder,
                        docx::Warnings& warnings);

}  // namespace vellumine
