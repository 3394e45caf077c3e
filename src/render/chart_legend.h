// A chart's legend: a swatch (a square, or a short line for lines) and a name per entry, beside
// the plot or above or below it, as many entries as the room holds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "docx/chart.h"
#include "render/chart_canvas.h"

namespace vellumine::render {

struct LegendEntry {
  std::string name;
  std::uint32_t color = 0;
  bool line = false;
};

// The legend's box, taken off area on the side position names (area shrinks by it); an empty box
// for none or no entries.
ChartBox placeLegend(ChartBox& area, docx::LegendPosition position, const std::vector<LegendEntry>& entries);

// The entries in box, in rows for a legend above or below, in a column otherwise; entries past
// the box are left out.
void drawLegend(SvgCanvas& canvas, const ChartBox& box, docx::LegendPosition position,
                const std::vector<LegendEntry>& entries);

}  // namespace vellumine::render
