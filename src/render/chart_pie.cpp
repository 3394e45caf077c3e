// Pies and doughnuts: slices clockwise from twelve o'clock, each the share of its value's size
// in the series' total.  A doughnut draws a ring per series (the first outside) as pie wedges
// from the outside in, and cuts its hole last with the chart's background.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

constexpr std::uint32_t kBackground = 0xFFFFFF;
// A doughnut shows this many rings at most; more would be thinner than a line.
constexpr std::size_t kMaxRings = 10;

double sliceValue(const docx::ChartSeries& series, std::size_t k) {
  const double v = drawnValue(series.values[k]);
  return std::isnan(v) ? 0 : std::fabs(v);
}

double totalOf(const docx::ChartSeries& series) {
  double total = 0;
  for (std::size_t k = 0; k < series.values.size(); ++k) total += sliceValue(series, k);
  return total;
}

struct Circle {
  double cx, cy, r;
  void appendAt(std::string& d, double degrees) const {
    const double radians = (degrees - 90) * std::numbers::pi / 180;
    appendSvgNumber(d, cx + r * std::cos(radians));
    d += ',';
    appendSvgNumber(d, cy + r * std::sin(radians));
  }
};

// A wedge of circle from degrees start to end (clockwise, 0 at the top).
std::string wedge(const Circle& circle, double start, double end) {
  std::string d = "M";
  appendSvgNumber(d, circle.cx);
  d += ',';
  appendSvgNumber(d, circle.cy);
  d += " L";
  circle.appendAt(d, start);
  d += " A";
  appendSvgNumber(d, circle.r);
  d += ',';
  appendSvgNumber(d, circle.r);
  d += end - start > 180 ? " 0 1 1 " : " 0 0 1 ";
  circle.appendAt(d, end);
  d += " Z";
  return d;
}

void drawRing(SvgCanvas& canvas, const docx::Chart& chart, const docx::ChartPlot& plot,
              const docx::ChartSeries& series, const Circle& circle) {
  const double total = totalOf(series);
  if (!(total > 0) || !std::isfinite(total)) return;
  const std::size_t stride = markStride(series.values.size(), 1);
  double start = 0;
  for (std::size_t k = 0; k < series.values.size(); k += stride) {
    double share = 0;
    for (std::size_t j = k; j < std::min(k + stride, series.values.size()); ++j) share += sliceValue(series, j);
    const double sweep = share / total * 360;
    if (sweep <= 0) continue;
    const std::uint32_t color = plot.varyColors ? pointColor(chart, series, k)
                                                : docx::pointColorOf(series, k).value_or(series.color);
    if (sweep >= 359.99) {
      canvas.circle(circle.cx, circle.cy, circle.r, color, kBackground);
    } else {
      canvas.path(wedge(circle, start, std::min(start + sweep, 360.0)), color, kBackground, 1);
    }
    start += sweep;
  }
}

}  // namespace

std::uint32_t pointColor(const docx::Chart& chart, const docx::ChartSeries& series, std::size_t index) {
  if (const std::optional<std::uint32_t> own = docx::pointColorOf(series, index)) return *own;
  if (chart.palette.empty()) return series.color;
  return chart.palette[index % chart.palette.size()];
}

bool pieHasSlices(const docx::ChartPlot& plot) {
  if (plot.series.empty()) return false;
  const double total = totalOf(plot.series.front());
  return total > 0 && std::isfinite(total);
}

void drawPieChart(SvgCanvas& canvas, const docx::Chart& chart, const docx::ChartPlot& plot, const ChartBox& area) {
  const double r = std::min(area.width, area.height) / 2 - 4;
  if (r < 2 || plot.series.empty()) return;
  const Circle outer{area.x + area.width / 2, area.y + area.height / 2, r};
  if (plot.kind != docx::ChartKind::doughnut) {
    drawRing(canvas, chart, plot, plot.series.front(), outer);
    return;
  }
  const double hole = r * plot.holeSize / 100;
  const std::size_t rings = std::min(plot.series.size(), kMaxRings);
  const double thickness = (r - hole) / static_cast<double>(rings);
  for (std::size_t s = 0; s < rings; ++s) {
    drawRing(canvas, chart, plot, plot.series[s], Circle{outer.cx, outer.cy, r - thickness * static_cast<double>(s)});
  }
  canvas.circle(outer.cx, outer.cy, hole, kBackground, SvgCanvas::kNone);
}

}  // namespace vellumine::render
