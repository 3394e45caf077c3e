// Equations on the page: the model's Equation as nested spans laid out by CSS (fractions as two
// stacked boxes over a rule, scripts, radicals with their bar, n-ary operators with their limits,
// delimiters scaled to what they hold, matrices and equation arrays as tables and columns,
// accents, bars, limits, group characters), the text selectable as written.  mathSheet() holds
// the rules; the page carries it when it has an equation.
#pragma once
#include <string_view>

#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// Appends equation to *state.out and notes that the page needs the math sheet.
void writeEquation(PageState& state, const docx::Equation& equation);

std::string_view mathSheet();

}  // namespace vellumine::render
