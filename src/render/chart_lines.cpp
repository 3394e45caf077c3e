// Lines and areas over categories: a point at the middle of each category's band.  A line breaks
// at a gap; an area reads a gap as nothing added.  Stacked and percent plots draw the running sums.
#include <algorithm>
#include <cmath>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

constexpr double kLineWidth = 2.25;
constexpr double kMarkerRadius = 3.5;
// Markers on more points than this would hide the line.
constexpr std::size_t kMaxMarkers = 200;

bool stacks(const docx::ChartPlot& plot) {
  return plot.grouping == docx::ChartGrouping::stacked || plot.grouping == docx::ChartGrouping::percentStacked;
}

struct Point {
  double x, y;
};

Point pointAt(const CategoryAxes& axes, std::size_t k, double value) {
  const double middle = axes.bandStart(k) + axes.band() / 2;
  const double along = axes.valueAt(value);
  return axes.horizontal ? Point{along, middle} : Point{middle, along};
}

void appendPoint(std::string& d, char command, Point p) {
  if (!d.empty()) d += ' ';
  d += command;
  appendSvgNumber(d, p.x);
  d += ',';
  appendSvgNumber(d, p.y);
}

// The value of series s at category k as the plot draws it (its stack's top when stacked).
double drawnAt(const docx::ChartPlot& plot, const std::vector<std::vector<double>>& tops, std::size_t s, std::size_t k) {
  if (!tops.empty()) return tops[s][k];
  const std::vector<double>& values = plot.series[s].values;
  return k < values.size() ? drawnValue(values[k]) : docx::kNoValue;
}

// The top of the stack below series s at category k, on the side of zero of value (0 at the bottom).
double stackedBelow(const std::vector<std::vector<double>>& tops, std::size_t s, std::size_t k, double value) {
  for (std::size_t r = s; r-- > 0;) {
    if (!std::isnan(tops[r][k]) && (tops[r][k] < 0) == (value < 0)) return tops[r][k];
  }
  return 0;
}

}  // namespace

void drawLinePlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes) {
  const std::vector<std::vector<double>> tops = stacks(plot) ? stackedValues(plot, axes.count) : std::vector<std::vector<double>>();
  const std::size_t stride = markStride(axes.count, plot.series.size());
  for (std::size_t s = 0; s < plot.series.size(); ++s) {
    const docx::ChartSeries& series = plot.series[s];
    std::string d;
    std::vector<Point> points;
    bool open = false;
    for (std::size_t k = 0; k < axes.count; k += stride) {
      const double value = drawnAt(plot, tops, s, k);
      if (std::isnan(value)) {
        open = false;
        continue;
      }
      const Point p = pointAt(axes, k, value);
      appendPoint(d, open ? 'L' : 'M', p);
      open = true;
      if (points.size() <= kMaxMarkers) points.push_back(p);
    }
    if (series.line && !d.empty()) canvas.path(d, SvgCanvas::kNone, series.color, kLineWidth);
    if (series.markers && points.size() <= kMaxMarkers) {
      for (const Point& p : points) canvas.circle(p.x, p.y, kMarkerRadius, series.color, series.color);
    }
  }
}

void drawAreaPlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes) {
  const bool stacked = stacks(plot);
  const std::vector<std::vector<double>> tops = stacked ? stackedValues(plot, axes.count) : std::vector<std::vector<double>>();
  const std::size_t stride = markStride(axes.count, plot.series.size());
  const double floor = std::clamp(0.0, axes.scale.min, axes.scale.max);
  for (std::size_t s = 0; s < plot.series.size(); ++s) {
    std::string d;
    std::vector<Point> lower;
    for (std::size_t k = 0; k < axes.count; k += stride) {
      double value = drawnAt(plot, tops, s, k);
      const double below = stacked ? stackedBelow(tops, s, k, std::isnan(value) ? 0 : value) : floor;
      if (std::isnan(value)) value = below;
      appendPoint(d, d.empty() ? 'M' : 'L', pointAt(axes, k, value));
      lower.push_back(pointAt(axes, k, below));
    }
    if (d.empty()) continue;
    for (auto it = lower.rbegin(); it != lower.rend(); ++it) appendPoint(d, 'L', *it);
    d += " Z";
    canvas.path(d, plot.series[s].color, SvgCanvas::kNone, 0);
  }
}

}  // namespace vellumine::render
