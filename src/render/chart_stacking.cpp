// Values as stacked and percent plots draw them, and the range every kind of category plot needs
// on its value axis.  Gaps count as nothing in a stack.
#include <algorithm>
#include <cmath>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

using docx::ChartGrouping;

bool stacks(const docx::ChartPlot& plot) {
  return plot.grouping == ChartGrouping::stacked || plot.grouping == ChartGrouping::percentStacked;
}

double valueOf(const docx::ChartSeries& series, std::size_t k) {
  return k < series.values.size() ? drawnValue(series.values[k]) : docx::kNoValue;
}

}  // namespace

std::vector<std::vector<double>> stackedValues(const docx::ChartPlot& plot, std::size_t count) {
  std::vector<std::vector<double>> tops(plot.series.size(), std::vector<double>(count, docx::kNoValue));
  const bool percent = plot.grouping == ChartGrouping::percentStacked;
  for (std::size_t k = 0; k < count; ++k) {
    double total = 0;
    if (percent) {
      for (const docx::ChartSeries& series : plot.series) {
        const double v = valueOf(series, k);
        if (!std::isnan(v)) total += std::fabs(v);
      }
    }
    double positive = 0, negative = 0;
    for (std::size_t s = 0; s < plot.series.size(); ++s) {
      double v = valueOf(plot.series[s], k);
      if (std::isnan(v)) continue;
      if (percent) v = total > 0 ? v / total * 100 : 0;
      double& sum = v < 0 ? negative : positive;
      sum += v;
      tops[s][k] = sum;
    }
  }
  return tops;
}

ValueRange plotRange(const docx::ChartPlot& plot) {
  ValueRange range;
  const auto take = [&range](double v) {
    if (std::isnan(v)) return;
    range.low = range.any ? std::min(range.low, v) : v;
    range.high = range.any ? std::max(range.high, v) : v;
    range.any = true;
  };
  std::size_t count = 0;
  for (const docx::ChartSeries& series : plot.series) count = std::max(count, series.values.size());
  if (!stacks(plot)) {
    for (const docx::ChartSeries& series : plot.series) {
      for (double v : series.values) take(drawnValue(v));
    }
    return range;
  }
  for (const std::vector<double>& tops : stackedValues(plot, count)) {
    for (double v : tops) take(v);
  }
  if (range.any) {
    range.low = std::min(range.low, 0.0);
    range.high = std::max(range.high, 0.0);
  }
  return range;
}

}  // namespace vellumine::render
