// Bars and columns: side by side within their category's band (clustered), or on top of each
// other (stacked and percent), the band's gap given by the plot's gap width.  Each bar runs from
// zero (or the scale's nearer end) to its value; a gap draws no bar.
#include <algorithm>
#include <cmath>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

void drawBar(SvgCanvas& canvas, const CategoryAxes& axes, double bandOffset, double thickness, double from, double to,
             std::uint32_t color) {
  const double low = std::min(from, to), high = std::max(from, to);
  if (axes.horizontal) {
    canvas.rect(ChartBox{low, bandOffset, high - low, thickness}, color);
  } else {
    canvas.rect(ChartBox{bandOffset, low, thickness, high - low}, color);
  }
}

// The sum of the series below s in category k's stack on the same side of zero as top.
double stackBelow(const std::vector<std::vector<double>>& tops, std::size_t s, std::size_t k, double top) {
  for (std::size_t r = s; r-- > 0;) {
    if (!std::isnan(tops[r][k]) && (tops[r][k] < 0) == (top < 0)) return tops[r][k];
  }
  return 0;
}

}  // namespace

void drawBarPlot(SvgCanvas& canvas, const docx::ChartPlot& plot, const CategoryAxes& axes) {
  const std::size_t seriesCount = plot.series.size();
  if (seriesCount == 0) return;
  const bool stacked = plot.grouping == docx::ChartGrouping::stacked || plot.grouping == docx::ChartGrouping::percentStacked;
  const double group = axes.band() / (1.0 + plot.gapWidth / 100.0);
  const double margin = (axes.band() - group) / 2;
  const double thickness = stacked ? group : group / static_cast<double>(seriesCount);
  const double zero = axes.valueAt(std::clamp(0.0, axes.scale.min, axes.scale.max));
  const std::size_t stride = markStride(axes.count, seriesCount);
  const std::vector<std::vector<double>> tops = stacked ? stackedValues(plot, axes.count) : std::vector<std::vector<double>>();
  for (std::size_t s = 0; s < seriesCount; ++s) {
    const docx::ChartSeries& series = plot.series[s];
    for (std::size_t k = 0; k < axes.count && k < series.values.size(); k += stride) {
      const double value = drawnValue(series.values[k]);
      if (std::isnan(value)) continue;
      double start = axes.bandStart(k) + margin;
      // The first series of a horizontal bar chart is drawn lowest in its band, as on the axis.
      const std::size_t place = axes.horizontal ? seriesCount - 1 - s : s;
      if (!stacked) start += thickness * static_cast<double>(place);
      double from = zero, to = axes.valueAt(value);
      if (stacked) {
        // The bar of this series spans from the sum below it to its own sum.
        from = axes.valueAt(stackBelow(tops, s, k, tops[s][k]));
        to = axes.valueAt(tops[s][k]);
      }
      drawBar(canvas, axes, start, thickness, from, to, docx::pointColorOf(series, k).value_or(series.color));
    }
  }
}

}  // namespace vellumine::render
