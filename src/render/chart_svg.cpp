// The frame of a chart: a white area with a thin border, the title, the legend, and the plot
// area, which goes to the pie, the scatter chart or the charts against category axes
// (chart_plots.h).  Which plots are drawn: a pie chart's first pie; else the scatter plots;
// else the bars, columns, lines and areas (only bars when any bar runs across, as their axes
// cannot be shared with columns).
#include "render/chart_svg.h"

#include <algorithm>
#include <cmath>

#include "render/chart_legend.h"
#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

using docx::ChartKind;

constexpr double kPadding = 8;

bool isPie(ChartKind kind) { return kind == ChartKind::pie || kind == ChartKind::doughnut; }
bool isCategoryKind(ChartKind kind) {
  return kind == ChartKind::bar || kind == ChartKind::column || kind == ChartKind::line || kind == ChartKind::area;
}

bool hasValue(const docx::ChartPlot& plot) {
  for (const docx::ChartSeries& series : plot.series) {
    for (double v : series.values) {
      if (!std::isnan(v)) return true;
    }
  }
  return false;
}

// The plots drawn, all of one family (see the file's head).
std::vector<const docx::ChartPlot*> drawnPlots(const docx::Chart& chart) {
  std::vector<const docx::ChartPlot*> plots;
  for (const docx::ChartPlot& plot : chart.plots) {
    if (isPie(plot.kind) && pieHasSlices(plot)) return {&plot};
  }
  for (const docx::ChartPlot& plot : chart.plots) {
    if (plot.kind == ChartKind::scatter && hasValue(plot)) plots.push_back(&plot);
  }
  if (!plots.empty()) return plots;
  const bool across = std::any_of(chart.plots.begin(), chart.plots.end(),
                                  [](const docx::ChartPlot& p) { return p.kind == ChartKind::bar && hasValue(p); });
  for (const docx::ChartPlot& plot : chart.plots) {
    if (isCategoryKind(plot.kind) && hasValue(plot) && (!across || plot.kind == ChartKind::bar)) plots.push_back(&plot);
  }
  return plots;
}

std::vector<LegendEntry> legendEntries(const docx::Chart& chart, const std::vector<const docx::ChartPlot*>& plots) {
  std::vector<LegendEntry> entries;
  const docx::ChartPlot& first = *plots.front();
  // A pie's legend names its slices (so does a single series whose points vary in colour).
  if (isPie(first.kind)) {
    const docx::ChartSeries& series = first.series.front();
    const std::size_t count = std::min<std::size_t>(series.values.size(), 200);
    for (std::size_t k = 0; k < count; ++k) {
      const std::string name = k < first.categories.size() && !first.categories[k].empty() ? first.categories[k]
                                                                                            : std::to_string(k + 1);
      const std::uint32_t color = first.varyColors ? pointColor(chart, series, k) : series.color;
      entries.push_back(LegendEntry{name, color, false});
    }
    return entries;
  }
  for (const docx::ChartPlot* plot : plots) {
    const bool line = plot->kind == ChartKind::line || plot->kind == ChartKind::scatter;
    for (const docx::ChartSeries& series : plot->series) {
      if (entries.size() >= 200) return entries;
      entries.push_back(LegendEntry{series.name, series.color, line});
    }
  }
  return entries;
}

double side(double px, double fallback) {
  if (!(px > 0) || !std::isfinite(px)) return fallback;
  return std::clamp(std::round(px), kMinChartSide, kMaxChartSide);
}

void openSvg(std::string& out, double width, double height) {
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  appendSvgNumber(out, width);
  out += "\" height=\"";
  appendSvgNumber(out, height);
  out += "\" viewBox=\"0 0 ";
  appendSvgNumber(out, width);
  out += ' ';
  appendSvgNumber(out, height);
  out += "\" font-family=\"Calibri, Carlito, Arial, sans-serif\">\n";
}

}  // namespace

bool chartIsDrawn(const docx::Chart& chart) { return !drawnPlots(chart).empty(); }

std::optional<std::string> drawChartSvg(const docx::Chart& chart, double widthPx, double heightPx) {
  const std::vector<const docx::ChartPlot*> plots = drawnPlots(chart);
  if (plots.empty()) return std::nullopt;
  const double width = side(widthPx, kDefaultChartWidth), height = side(heightPx, kDefaultChartHeight);
  std::string out;
  openSvg(out, width, height);
  SvgCanvas canvas(out);
  canvas.outlinedRect(ChartBox{0.5, 0.5, width - 1, height - 1}, 0xFFFFFF, 0xD9D9D9);
  ChartBox area{kPadding, kPadding, width - 2 * kPadding, height - 2 * kPadding};
  if (!chart.title.empty()) {
    TextStyle style;
    style.size = std::clamp(height / 16, 11.0, 18.0);
    style.anchor = TextAnchor::middle;
    canvas.text(width / 2, area.y + style.size, fittedText(chart.title, style.size, area.width), style);
    area.y += style.size + 10;
    area.height -= style.size + 10;
  }
  const std::vector<LegendEntry> entries = legendEntries(chart, plots);
  const ChartBox legend = placeLegend(area, chart.legend, entries);
  drawLegend(canvas, legend, chart.legend, entries);
  if (isPie(plots.front()->kind)) {
    drawPieChart(canvas, chart, *plots.front(), area);
  } else if (plots.front()->kind == ChartKind::scatter) {
    drawScatterChart(canvas, chart, plots, area);
  } else {
    drawCategoryChart(canvas, chart, plots, area);
  }
  out += "</svg>\n";
  return out;
}

}  // namespace vellumine::render
