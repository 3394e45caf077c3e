// Charts against category axes: bars, columns, lines and areas of one chart share one value axis
// (a secondary axis is drawn on the primary one) and one set of categories, the first plot's
// that has labels.  Percent plots show their axis in percent.
#include <algorithm>

#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

using docx::ChartKind;

constexpr double kLabelRoom = 18;   // one line of tick labels
constexpr double kTitleRoom = 18;   // one line of an axis title
constexpr double kBarLabelRoom = 70;  // category labels left of horizontal bars

// What the plots hold together: their range of values, their categories and how many.
struct CategoryData {
  ValueRange range;
  bool zeroBased = false;   // bars and areas always stand on zero
  bool percent = true;      // every plot percent-stacked
  const std::vector<std::string>* categories = nullptr;
  std::size_t count = 1;
};

CategoryData gather(const std::vector<const docx::ChartPlot*>& plots) {
  CategoryData data;
  for (const docx::ChartPlot* plot : plots) {
    const ValueRange own = plotRange(*plot);
    if (own.any) {
      data.range.low = data.range.any ? std::min(data.range.low, own.low) : own.low;
      data.range.high = data.range.any ? std::max(data.range.high, own.high) : own.high;
      data.range.any = true;
    }
    data.zeroBased = data.zeroBased || plot->kind != ChartKind::line;
    data.percent = data.percent && plot->grouping == docx::ChartGrouping::percentStacked;
    if (!data.categories && !plot->categories.empty()) data.categories = &plot->categories;
    for (const docx::ChartSeries& series : plot->series) data.count = std::max(data.count, series.values.size());
  }
  return data;
}

// area less the room of the labels and titles left of it and below it.
ChartBox plotWithin(const ChartBox& area, double left, double bottom) {
  return ChartBox{area.x + left, area.y + 6, area.width - left - 10, area.height - 6 - bottom};
}

void drawPlots(SvgCanvas& canvas, const std::vector<const docx::ChartPlot*>& plots, const CategoryAxes& axes) {
  // Areas behind bars behind lines, whatever order the part gives.
  for (ChartKind kind : {ChartKind::area, ChartKind::column, ChartKind::bar, ChartKind::line}) {
    for (const docx::ChartPlot* p : plots) {
      if (p->kind != kind) continue;
      if (kind == ChartKind::area) drawAreaPlot(canvas, *p, axes);
      if (kind == ChartKind::column || kind == ChartKind::bar) drawBarPlot(canvas, *p, axes);
      if (kind == ChartKind::line) drawLinePlot(canvas, *p, axes);
    }
  }
}

}  // namespace

void drawCategoryChart(SvgCanvas& canvas, const docx::Chart& chart, const std::vector<const docx::ChartPlot*>& plots,
                       const ChartBox& area) {
  const CategoryData data = gather(plots);
  CategoryAxes axes;
  axes.horizontal = plots.front()->kind == ChartKind::bar;
  axes.count = data.count;
  const double valueLength = axes.horizontal ? area.width : area.height;
  const int ticks = static_cast<int>(std::clamp(valueLength / (axes.horizontal ? 70.0 : 30.0), 2.0, 11.0));
  axes.scale = niceScale(data.range.low, data.range.high, ticks,
                         data.zeroBased || startsAtZero(data.range.low, data.range.high));
  // Percent plots draw 0..100; their labels read the hundredths in the "0%" format.
  const std::string format = data.percent ? std::string("0%") : chart.numberFormat;
  const ValueScale& scale = axes.scale;
  const ValueScale labels = data.percent ? ValueScale{scale.min / 100, scale.max / 100, scale.step / 100} : scale;

  // Left: the value labels (or, for bars, the category labels) and the axis title standing there.
  const std::string& leftTitle = axes.horizontal ? chart.categoryAxisTitle : chart.valueAxisTitle;
  const std::string& bottomTitle = axes.horizontal ? chart.valueAxisTitle : chart.categoryAxisTitle;
  const bool leftLabels = axes.horizontal ? chart.categoryAxisShown : chart.valueAxisShown;
  const bool bottomLabels = axes.horizontal ? chart.valueAxisShown : chart.categoryAxisShown;
  const double leftLabelRoom = axes.horizontal ? kBarLabelRoom : valueLabelWidth(labels, format) + 8;
  const double left = (leftLabels ? leftLabelRoom : 4) + (leftTitle.empty() ? 0 : kTitleRoom);
  const double bottom = (bottomLabels ? kLabelRoom : 4) + (bottomTitle.empty() ? 0 : kTitleRoom);
  axes.plot = plotWithin(area, left, bottom);
  if (axes.plot.width < 10 || axes.plot.height < 10) return;

  drawValueAxis(canvas, axes.plot, labels, !axes.horizontal, format, chart.valueAxisShown);
  static const std::vector<std::string> kNoCategories;
  drawCategoryAxis(canvas, axes, data.categories ? *data.categories : kNoCategories, chart.categoryAxisShown);
  drawAxisTitle(canvas, axes.plot, leftTitle, true, left - 12);
  drawAxisTitle(canvas, axes.plot, bottomTitle, false, bottom - 4);
  drawPlots(canvas, plots, axes);
}

}  // namespace vellumine::render
