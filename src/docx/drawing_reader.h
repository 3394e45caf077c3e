// Drawings as the story meets them: w:drawing (DrawingML, inline or anchored), w:pict (VML) and
// w:object (an embedded object's preview picture).  Each gives the Drawing entries the model keeps:
// one for a picture, shape, chart, diagram or text box; one per member of a group or canvas (each
// with the group's wrap and position); the group itself when it holds none of those.
#pragma once
#include <vector>

#include <pugixml.hpp>

#include "docx/model.h"
#include "docx/relationships.h"
#include "docx/warnings.h"

namespace vellumine::docx {

struct DrawingFound {
  Drawing drawing;                 // textBox still -1: the story assigns the text box's index
  pugi::xml_node textBoxContent;   // a text box's w:txbxContent, null for other drawings
};

// Targets are resolved through relationships (those of the part the drawing stands in); a target
// outside the package, or an external one, stays empty.  Walks the element's subtree once, without
// recursion, and never into a text box's content (the story reads that as a story of its own).
std::vector<DrawingFound> readDrawings(const pugi::xml_node& element, const Relationships& relationships,
                                       Warnings& warnings);

}  // namespace vellumine::docx
