// A diagram (SmartArt) as the page shows it: the shapes of its cached drawing part, each with its
// box inside the diagram's frame, its look and its text; or, for a diagram whose drawing part is
// missing, the words of its data part in their order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "docx/shape_look.h"

namespace vellumine::docx {

struct DiagramShape {
  ShapeLook look;
  std::int64_t xEmu = 0, yEmu = 0, widthEmu = 0, heightEmu = 0;  // in the diagram's frame
  std::vector<std::string> paragraphs;   // the text, one entry per a:p (UTF-8, may be empty)
  std::int32_t fontSize = 0;             // hundredths of a point (a:rPr sz); 0: not written
  ShapeColor textColor;                  // the runs' colour, else the style's font colour
};

struct Diagram {
  std::vector<DiagramShape> shapes;      // from the drawing part; empty when there is none
  std::vector<std::string> words;        // the data part's texts, when there are no shapes
};

}  // namespace vellumine::docx
