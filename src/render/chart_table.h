// A chart the page does not draw (a kind without a drawing, or one without values to plot)
// shown as its data: its title, then a small table with a row per category and a column per
// series, each value in the chart's number format.  Spans laid out as a table, because the
// drawing stands inside a paragraph where a <table> cannot.
#pragma once
#include <string>

#include "docx/chart.h"

namespace vellumine::render {

// Rows and columns shown at most; a last row says how many more there are.
inline constexpr std::size_t kMaxTableRows = 50, kMaxTableColumns = 12;

// Appends the title and the table (HTML, every text escaped) to out.
void appendChartTable(std::string& out, const docx::Chart& chart);

}  // namespace vellumine::render
