// The drawing units of a chart's plot area, called by chart_svg.cpp once the title and the legend
// have taken their room: the axes and the charts drawn against them (bars, lines, areas, points)
// and the pies.  Each is given the box it may draw in and never draws outside it by more than a
// marker's radius.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "docx/chart.h"
#include "render/chart_canvas.h"
#include "render/chart_scale.h"

namespace vellumine::render {

// How many bars, points or slices one chart draws at most, over all its series: past it, a
// series' points are taken at an even stride (a chart of 256 series of 10,000 points is a smear
// at any size anyway, and its picture stays a few megabytes).
inline constexpr std::size_t kMaxChartMarks = 100'000;

// The stride that keeps count points of each of series series within kMaxChartMarks.
std::size_t markStride(std::size_t count, std::size_t series);

// Where categories and values lie in the plot box: categories in equal bands along the bottom
// (columns, lines, areas) or up the left side (bars, the first at the bottom); values along the
// other side by the scale.
struct CategoryAxes {
  ChartBox plot;
  bool horizontal = false;   // bars: values run left to right
  std::size_t count = 1;     // categories, at least 1
  ValueScale scale;

  double band() const { return (horizontal ? plot.height : plot.width) / static_cast<double>(count); }
  // The start of category k's band along the category side (top of it for horizontal bars).
  double bandStart(std::size_t k) const;
  // The pixel of value along the value side (y for columns, x for bars).
  double valueAt(double value) const;
};

// ---- Axes (chart_axes.cpp) ----

// The room the labels of scale take beside a vertical axis.
double valueLabelWidth(const ValueScale& scale, const std::string& format);
// Gridlines across plot at each tick and the tick labels, on the left (vertical) or below.
void drawValueAxis(SvgCanvas& canvas, const ChartBox& plot, const ValueScale& scale, bool vertical,
                   const std::string& format, bool labels);
// The labels of a second value axis, right of plot (gridlines are the first axis's).
void drawRightValueLabels(SvgCanvas& canvas, const ChartBox& plot, const ValueScale& scale, const std::string& format);
// The category axis line and its labels (as many as do not overlap), below or to the left.
void drawCategoryAxis(SvgCanvas& canvas, const CategoryAxes& axes, const std::vector<std::string>& categories,
                      bool labels);
// An axis title centred below the plot, or reading upwards left of it (offset from its left side;
// a negative offset puts it right of the plot).
void drawAxisTitle(SvgCanvas& canvas, const ChartBox& plot, const std::string& title, bool vertical, double offset);

// ---- Plots against category axes ----

// The range of values a plot draws: single values for clustered and standard plots, the sums of
// the positive and of the negative values per category for stacked ones, -100..100 for percent.
struct ValueRange {
  double low = 0, high = 0;
  bool any = false;
};
ValueRange plotRange(const docx::ChartPlot& plot);
// The values series drawn as stacked and percent plots draw them: series s's value at category k
// added to those below it (by sign), as percent of the category's total when percent.
std::vector<std::vector<double>> stackedValues(const docx::ChartPlot& plot, std::size_t count);

void drawBarPlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes);   // chart_bars.cpp
void drawLinePlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes);  // chart_lines.cpp
void drawAreaPlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes);  // chart_lines.cpp

// Bars, columns, lines and areas with their shared axes in area (chart_category.cpp).
void drawCategoryChart(SvgCanvas& canvas, const docx::Chart& chart, const std::vector<const docx::ChartPlot*>& plots,
                       const ChartBox& area);

// ---- Scatter and pies ----

// Scatter plots with their two value axes in area (chart_scatter.cpp).
void drawScatterChart(SvgCanvas& canvas, const docx::Chart& chart, const std::vector<const docx::ChartPlot*>& plots,
                      const ChartBox& area);
// A pie or doughnut in the middle of area (chart_pie.cpp).
void drawPieChart(SvgCanvas& canvas, const docx::Chart& chart, const docx::ChartPlot& plot, const ChartBox& area);
// The colour of point index of series of a plot whose points vary in colour: its c:dPt, else the
// chart's palette.
std::uint32_t pointColor(const docx::Chart& chart, const docx::ChartSeries& series, std::size_t index);
// Whether the pie has a slice to draw (a positive finite value in its first series).
bool pieHasSlices(const docx::ChartPlot& plot);

}  // namespace vellumine::render
