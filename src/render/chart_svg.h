// A chart drawn as an SVG document of the drawing's size, from the values its part caches: the
// title on top, the legend where the chart puts it, and the plot area with its axes.  Bars and
// columns (clustered, stacked, percent), lines, areas, pies and doughnuts, scatter charts; bars,
// lines and areas of one chart share their axes.  The document is self-contained: no script, no
// link, no reference outside it, every text escaped, every number written with std::to_chars.
#pragma once
#include <optional>
#include <string>

#include "docx/chart.h"

namespace vellumine::render {

// The size a chart is drawn at when its drawing has none (px), and the largest it is drawn at
// (the page scales the picture to the drawing's size anyway).
inline constexpr double kDefaultChartWidth = 480, kDefaultChartHeight = 288;
inline constexpr double kMaxChartSide = 4000, kMinChartSide = 40;

// Whether drawChartSvg draws this chart: a plot of a kind it draws that has a value to show.
// Charts it does not draw show their data as a table instead (chart_table.h).
bool chartIsDrawn(const docx::Chart& chart);

// The SVG document, widthPx x heightPx (0 or less: the default size; clamped to the bounds
// above); nullopt when chartIsDrawn is false.
std::optional<std::string> drawChartSvg(const docx::Chart& chart, double widthPx, double heightPx);

}  // namespace vellumine::render
