// Charts against category axes: bars, columns, lines and areas of one chart share one set of
// categories (the first plot's that has labels) and the value axis on the left, but for plots on
// the second axis, which have their own scale and labels on the right.  Percent plots show their
// axis in percent.
#include <algorithm>
#include <string>

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

// area less the room of the labels and titles left of it, below it and right of it.
ChartBox plotWithin(const ChartBox& area, double left, double bottom, double right) {
  return ChartBox{area.x + left, area.y + 6, area.width - left - right, area.height - 6 - bottom};
}

// A value axis: its scale, and the scale and format its labels are written in (percent plots
// draw 0..100 and label the hundredths in the "0%" format).
struct ValueSide {
  ValueScale scale, labels;
  std::string format;
};

ValueSide valueSide(const CategoryData& data, const std::string& format, int ticks) {
  ValueSide side;
  side.scale = niceScale(data.range.low, data.range.high, ticks,
                         data.zeroBased || startsAtZero(data.range.low, data.range.high));
  side.labels = side.scale;
  side.format = format;
  if (data.percent) {
    side.labels = ValueScale{side.scale.min / 100, side.scale.max / 100, side.scale.step / 100};
    side.format = "0%";
  }
  return side;
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
  CategoryAxes axes;
  axes.horizontal = plots.front()->kind == ChartKind::bar;
  const CategoryData all = gather(plots);
  axes.count = all.count;
  // Plots on the second axis, unless all are (then it is the only one) or the bars run across.
  std::vector<const docx::ChartPlot*> primary, secondary;
  for (const docx::ChartPlot* plot : plots) (plot->secondary && !axes.horizontal ? secondary : primary).push_back(plot);
  if (primary.empty()) primary.swap(secondary);

  const double valueLength = axes.horizontal ? area.width : area.height;
  const int ticks = static_cast<int>(std::clamp(valueLength / (axes.horizontal ? 70.0 : 30.0), 2.0, 11.0));
  const ValueSide first = valueSide(gather(primary), chart.numberFormat, ticks);
  const ValueSide second = valueSide(gather(secondary), chart.secondaryNumberFormat, ticks);
  axes.scale = first.scale;

  // Left: the value labels (or, for bars, the category labels) and the axis title standing there.
  const std::string& leftTitle = axes.horizontal ? chart.categoryAxisTitle : chart.valueAxisTitle;
  const std::string& bottomTitle = axes.horizontal ? chart.valueAxisTitle : chart.categoryAxisTitle;
  const bool leftLabels = axes.horizontal ? chart.categoryAxisShown : chart.valueAxisShown;
  const bool bottomLabels = axes.horizontal ? chart.valueAxisShown : chart.categoryAxisShown;
  const bool rightLabels = !secondary.empty() && chart.secondaryAxisShown;
  const double leftLabelRoom = axes.horizontal ? kBarLabelRoom : valueLabelWidth(first.labels, first.format) + 8;
  const double left = (leftLabels ? leftLabelRoom : 4) + (leftTitle.empty() ? 0 : kTitleRoom);
  const double bottom = (bottomLabels ? kLabelRoom : 4) + (bottomTitle.empty() ? 0 : kTitleRoom);
  const double right = 10 + (rightLabels ? valueLabelWidth(second.labels, second.format) + 8 : 0) +
                       (secondary.empty() || chart.secondaryAxisTitle.empty() ? 0 : kTitleRoom);
  axes.plot = plotWithin(area, left, bottom, right);
  if (axes.plot.width < 10 || axes.plot.height < 10) return;

  drawValueAxis(canvas, axes.plot, first.labels, !axes.horizontal, first.format, chart.valueAxisShown);
  static const std::vector<std::string> kNoCategories;
  drawCategoryAxis(canvas, axes, all.categories ? *all.categories : kNoCategories, chart.categoryAxisShown);
  drawAxisTitle(canvas, axes.plot, leftTitle, true, left - 12);
  drawAxisTitle(canvas, axes.plot, bottomTitle, false, bottom - 4);
  drawPlots(canvas, primary, axes);
  if (secondary.empty()) return;
  CategoryAxes secondAxes = axes;
  secondAxes.scale = second.scale;
  drawPlots(canvas, secondary, secondAxes);
  if (rightLabels) drawRightValueLabels(canvas, axes.plot, second.labels, second.format);
  drawAxisTitle(canvas, axes.plot, chart.secondaryAxisTitle, true, 12 - axes.plot.width - right);
}

}  // namespace vellumine::render
