// Equations (m:oMath) into the model's Equation: the structures Word writes (fractions, scripts,
// radicals, n-ary operators, delimiters, matrices, accents, bars, equation arrays, functions,
// limits, group characters, boxes) with the parts each holds, and their text.  Runs, wrappers and
// elements it does not know read as their content, so no character of an equation is lost;
// property blocks are read by the structure that holds them, deleted text is left out.  The walk
// keeps its own stack; structures nested deeper than kMaxMathDepth keep their text as one piece.
#pragma once
#include <pugixml.hpp>

#include "docx/model.h"

namespace vellumine::docx {

inline constexpr int kMaxMathDepth = 64;

// oMath: an m:oMath element (names canonical, xml_names.h).  display: it stands in m:oMathPara.
Equation readEquation(const pugi::xml_node& oMath, bool display);

}  // namespace vellumine::docx
