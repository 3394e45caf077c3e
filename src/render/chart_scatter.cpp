// Scatter charts: points at their x and y values (a series without numeric x values takes 1, 2,
// 3, ...), joined in the order written unless the series' line is off, with markers.
#include <algorithm>
#include <cmath>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

constexpr double kLabelRoom = 18;
constexpr double kTitleRoom = 18;

double xOf(const docx::ChartSeries& series, std::size_t k) {
  if (series.xValues.empty()) return static_cast<double>(k + 1);
  return k < series.xValues.size() ? drawnValue(series.xValues[k]) : docx::kNoValue;
}

struct Extent {
  double low = 0, high = 0;
  bool any = false;
  void take(double v) {
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  }
};

ValueScale scaleOver(const Extent& extent, double length, double spacing) {
  const int ticks = static_cast<int>(std::clamp(length / spacing, 2.0, 11.0));
  return niceScale(extent.low, extent.high, ticks, extent.any && startsAtZero(extent.low, extent.high));
}

void drawSeries(SvgCanvas& canvas, const docx::ChartSeries& series, const ChartBox& plot, const ValueScale& x,
                const ValueScale& y, std::size_t stride) {
  std::string d;
  std::vector<std::pair<double, double>> points;
  for (std::size_t k = 0; k < series.values.size(); k += stride) {
    const double vx = xOf(series, k), vy = drawnValue(series.values[k]);
    if (std::isnan(vx) || std::isnan(vy)) continue;
    const double px = plot.x + x.fraction(vx) * plot.width, py = plot.bottom() - y.fraction(vy) * plot.height;
    d += d.empty() ? "M" : " L";
    appendSvgNumber(d, px);
    d += ',';
    appendSvgNumber(d, py);
    points.emplace_back(px, py);
  }
  if (series.line && points.size() > 1) canvas.path(d, SvgCanvas::kNone, series.color, 2.25);
  if (series.markers || !series.line) {
    for (const auto& [px, py] : points) canvas.circle(px, py, 3.5, series.color, series.color);
  }
}

}  // namespace

void drawScatterChart(SvgCanvas& canvas, const docx::Chart& chart, const std::vector<const docx::ChartPlot*>& plots,
                      const ChartBox& area) {
  Extent xs, ys;
  std::size_t seriesCount = 0, longest = 0;
  for (const docx::ChartPlot* plot : plots) {
    for (const docx::ChartSeries& series : plot->series) {
      ++seriesCount;
      longest = std::max(longest, series.values.size());
      for (std::size_t k = 0; k < series.values.size(); ++k) {
        const double vx = xOf(series, k), vy = drawnValue(series.values[k]);
        if (std::isnan(vx) || std::isnan(vy)) continue;
        xs.take(vx);
        ys.take(vy);
      }
    }
  }
  const ValueScale y = scaleOver(ys, area.height, 30);
  ChartBox plot = area;
  const double left = (chart.valueAxisShown ? valueLabelWidth(y, chart.numberFormat) + 8 : 4) +
                      (chart.valueAxisTitle.empty() ? 0 : kTitleRoom);
  plot.x += left;
  plot.width -= left + 10;
  plot.y += 6;
  plot.height -= 6 + (chart.categoryAxisShown ? kLabelRoom : 4) + (chart.categoryAxisTitle.empty() ? 0 : kTitleRoom);
  if (plot.width < 10 || plot.height < 10) return;
  const ValueScale x = scaleOver(xs, plot.width, 70);
  drawValueAxis(canvas, plot, y, true, chart.numberFormat, chart.valueAxisShown);
  drawValueAxis(canvas, plot, x, false, std::string(), chart.categoryAxisShown);
  drawAxisTitle(canvas, plot, chart.valueAxisTitle, true, left - 12);
  drawAxisTitle(canvas, plot, chart.categoryAxisTitle, false, kLabelRoom + 14);
  const std::size_t stride = markStride(longest, seriesCount);
  for (const docx::ChartPlot* p : plots) {
    for (const docx::ChartSeries& series : p->series) drawSeries(canvas, series, plot, x, y, stride);
  }
}

}  // namespace vellumine::render
