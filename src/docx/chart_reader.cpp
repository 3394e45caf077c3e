// One walk down c:chartSpace/c:chart: the title, each chart group of c:plotArea with its series,
// the axes, the legend.  Every loop runs over the part's own elements, and a series' points are
// held in vectors no longer than kMaxChartPoints, whatever c:ptCount or c:idx claims.
#include "docx/chart_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "docx/chart_colors.h"
#include "docx/xml_names.h"
#include "docx/xml_part.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

// A plot area has a handful of chart groups and axes; more are hostile.
constexpr std::size_t kMaxPlots = 64;
constexpr std::size_t kMaxValueAxes = 16;
// Colours of varied points (pie slices) worked out ahead: three rounds of the six accents.
constexpr std::size_t kPaletteSize = 18;

struct PlotType {
  std::string_view element;  // canonical name
  ChartKind kind;
};

constexpr PlotType kPlotTypes[] = {
    {"c:barChart", ChartKind::column},   {"c:bar3DChart", ChartKind::column},  {"c:lineChart", ChartKind::line},
    {"c:line3DChart", ChartKind::line},  {"c:pieChart", ChartKind::pie},       {"c:pie3DChart", ChartKind::pie},
    {"c:ofPieChart", ChartKind::pie},    {"c:doughnutChart", ChartKind::doughnut}, {"c:areaChart", ChartKind::area},
    {"c:area3DChart", ChartKind::area},  {"c:scatterChart", ChartKind::scatter}, {"c:radarChart", ChartKind::other},
    {"c:bubbleChart", ChartKind::other}, {"c:stockChart", ChartKind::other},   {"c:surfaceChart", ChartKind::other},
    {"c:surface3DChart", ChartKind::other},
};

constexpr EnumName<ChartGrouping> kGroupings[] = {
    {"clustered", ChartGrouping::clustered},
    {"standard", ChartGrouping::standard},
    {"stacked", ChartGrouping::stacked},
    {"percentStacked", ChartGrouping::percentStacked},
};

constexpr EnumName<LegendPosition> kLegendPositions[] = {
    {"r", LegendPosition::right}, {"l", LegendPosition::left},      {"t", LegendPosition::top},
    {"b", LegendPosition::bottom}, {"tr", LegendPosition::topRight},
};

// Everything one reading shares: the theme for colours, the warnings, and whether a bound cut.
struct ChartReading {
  const Theme& theme;
  const Settings& settings;
  Warnings& warnings;
  bool cut = false;
};

const PlotType* plotTypeOf(const pugi::xml_node& node) {
  for (const PlotType& type : kPlotTypes) {
    if (node.type() == pugi::node_element && type.element == node.name()) return &type;
  }
  return nullptr;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A cached number ("12", "-3.5", "1.2E-3"); nullopt for anything else, infinities and NaN included.
std::optional<double> parseNumber(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The on/off of an element's val attribute: absent element: fallback; no val: true.
bool flagOf(const pugi::xml_node& element, bool fallback) {
  if (!element) return fallback;
  const pugi::xml_attribute val = element.attribute("val");
  if (!val) return true;
  const std::string_view text = val.value();
  return !(text == "0" || text == "false" || text == "off");
}

// ---- Cached points ----------------------------------------------------------------------------

// The cache behind a data element (c:cat, c:val, c:xVal, c:yVal, c:tx): the reference's cache, or
// the literal; of a multi-level cache its first level (the labels next to the axis).
pugi::xml_node cacheOf(const pugi::xml_node& data) {
  if (const pugi::xml_node cache = data.child("c:numRef").child("c:numCache")) return cache;
  if (const pugi::xml_node cache = data.child("c:strRef").child("c:strCache")) return cache;
  if (const pugi::xml_node literal = data.child("c:numLit")) return literal;
  if (const pugi::xml_node literal = data.child("c:strLit")) return literal;
  if (const pugi::xml_node cache = data.child("c:multiLvlStrRef").child("c:multiLvlStrCache")) {
    return cache.child("c:lvl");
  }
  return pugi::xml_node();
}

// One c:pt's index: c:idx, else its place among the cache's points.
std::optional<long long> pointIndex(const pugi::xml_node& point, long long place, Warnings& warnings) {
  const pugi::xml_attribute idx = point.attribute("idx");
  if (!idx) return place;
  const std::optional<long long> value = readInteger(idx, warnings);
  if (!value || *value < 0) return std::nullopt;
  return value;
}

// How many points the cache holds: c:ptCount (of the multi-level cache for one of its levels),
// else one past the largest index; at most kMaxChartPoints (a cut is noted).
std::size_t pointCount(const pugi::xml_node& cache, ChartReading& reading) {
  pugi::xml_node countElement = cache.child("c:ptCount");
  if (!countElement && is(cache, "c:lvl")) countElement = cache.parent().child("c:ptCount");
  constexpr auto kMax = static_cast<long long>(kMaxChartPoints);
  long long count = 0;
  if (countElement) {
    count = std::min(readInteger(countElement.attribute("val"), reading.warnings).value_or(0), kMax + 1);
  }
  long long place = 0;
  for (pugi::xml_node point = cache.child("c:pt"); point; point = point.next_sibling("c:pt"), ++place) {
    if (const std::optional<long long> index = pointIndex(point, place, reading.warnings)) {
      count = std::max(count, std::min(*index, kMax) + 1);
    }
  }
  if (count > kMax) {
    reading.cut = true;
    return kMaxChartPoints;
  }
  return static_cast<std::size_t>(std::max(count, 0LL));
}

// Calls take(index, text) for each point of the cache within count, in the cache's order.
template <typename Take>
void forEachPoint(const pugi::xml_node& cache, std::size_t count, Warnings& warnings, Take take) {
  long long place = 0;
  for (pugi::xml_node point = cache.child("c:pt"); point; point = point.next_sibling("c:pt"), ++place) {
    const std::optional<long long> index = pointIndex(point, place, warnings);
    if (index && *index < static_cast<long long>(count)) {
      take(static_cast<std::size_t>(*index), std::string_view(point.child("c:v").text().get()));
    }
  }
}

std::vector<double> readNumbers(const pugi::xml_node& data, ChartReading& reading) {
  const pugi::xml_node cache = cacheOf(data);
  if (!cache) return {};
  std::vector<double> values(pointCount(cache, reading), kNoValue);
  forEachPoint(cache, values.size(), reading.warnings, [&](std::size_t index, std::string_view text) {
    if (const std::optional<double> value = parseNumber(text)) {
      values[index] = *value;
    } else if (!trimmed(text).empty()) {
      reading.warnings.add(WarningKind::malformedNumber, text);
    }
  });
  return values;
}

std::vector<std::string> readTexts(const pugi::xml_node& data, ChartReading& reading) {
  const pugi::xml_node cache = cacheOf(data);
  if (!cache) return {};
  std::vector<std::string> texts(pointCount(cache, reading));
  forEachPoint(cache, texts.size(), reading.warnings,
               [&](std::size_t index, std::string_view text) { texts[index] = std::string(text); });
  return texts;
}

// Whether the data element's cache holds numbers (c:numCache, c:numLit).
bool holdsNumbers(const pugi::xml_node& data) { return data.child("c:numRef") || data.child("c:numLit"); }

// ---- Texts ------------------------------------------------------------------------------------

// The text of rich text (c:rich): its paragraphs' runs and fields, paragraphs joined by a blank.
std::string richText(const pugi::xml_node& rich) {
  std::string text;
  for (pugi::xml_node paragraph = rich.child("a:p"); paragraph; paragraph = paragraph.next_sibling("a:p")) {
    std::string line;
    for (pugi::xml_node run = paragraph.first_child(); run; run = run.next_sibling()) {
      if (is(run, "a:r") || is(run, "a:fld")) line += run.child("a:t").text().get();
    }
    if (line.empty()) continue;
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

// The text of a c:tx: rich text, a reference's cached first point, or a plain c:v.
std::string textOf(const pugi::xml_node& tx) {
  if (const pugi::xml_node rich = tx.child("c:rich")) return richText(rich);
  if (const pugi::xml_node cache = tx.child("c:strRef").child("c:strCache")) {
    return cache.child("c:pt").child("c:v").text().get();
  }
  return tx.child("c:v").text().get();
}

// A c:title's text; placeholder when it has none of its own.
std::string titleText(const pugi::xml_node& title, std::string_view placeholder) {
  std::string text = textOf(title.child("c:tx"));
  if (text.empty()) text = placeholder;
  return text;
}

// ---- Series and plots -------------------------------------------------------------------------

void readPointColors(const pugi::xml_node& ser, ChartSeries& series, bool line, ChartReading& reading) {
  for (pugi::xml_node point = ser.child("c:dPt"); point && series.pointColors.size() < kMaxChartPoints;
       point = point.next_sibling("c:dPt")) {
    const std::optional<long long> index = readInteger(point.child("c:idx").attribute("val"), reading.warnings);
    if (!index || *index < 0 || *index >= static_cast<long long>(kMaxChartPoints)) continue;
    const std::optional<std::uint32_t> color =
        readShapeColor(point.child("c:spPr"), line, reading.theme, reading.settings, reading.warnings);
    if (color) series.pointColors.push_back(ChartPointColor{static_cast<std::size_t>(*index), *color});
  }
  // The first c:dPt of an index holds.
  std::stable_sort(series.pointColors.begin(), series.pointColors.end(),
                   [](const ChartPointColor& a, const ChartPointColor& b) { return a.index < b.index; });
  series.pointColors.erase(std::unique(series.pointColors.begin(), series.pointColors.end(),
                                       [](const ChartPointColor& a, const ChartPointColor& b) { return a.index == b.index; }),
                           series.pointColors.end());
}

ChartSeries readSeries(const pugi::xml_node& ser, const ChartPlot& plot, std::size_t number, ChartReading& reading) {
  ChartSeries series;
  series.name = textOf(ser.child("c:tx"));
  if (series.name.empty()) series.name = "Series " + std::to_string(number + 1);
  const bool line = plot.kind == ChartKind::line || plot.kind == ChartKind::scatter;
  const pugi::xml_node spPr = ser.child("c:spPr");
  // The default colour goes by the series' c:idx, as the chart's own numbering of its series.
  const long long idx = readInteger(ser.child("c:idx").attribute("val"), reading.warnings).value_or(0);
  const std::size_t colorIndex = idx >= 0 ? static_cast<std::size_t>(idx % 1000) : number;
  series.color = readShapeColor(spPr, line, reading.theme, reading.settings, reading.warnings)
                     .value_or(defaultChartColor(ser.child("c:idx") ? colorIndex : number, reading.theme));
  readPointColors(ser, series, line, reading);
  series.markers = std::string_view(ser.child("c:marker").child("c:symbol").attribute("val").value()) != "none";
  series.line = !spPr.child("a:ln").child("a:noFill");
  if (plot.kind == ChartKind::scatter) {
    series.values = readNumbers(ser.child("c:yVal"), reading);
    if (holdsNumbers(ser.child("c:xVal"))) series.xValues = readNumbers(ser.child("c:xVal"), reading);
  } else {
    series.values = readNumbers(ser.child("c:val"), reading);
  }
  return series;
}

// The plot's categories: the first series' c:cat that has any (for scatter charts whose x values
// are texts, c:xVal).
void readCategories(const pugi::xml_node& plotElement, ChartPlot& plot, ChartReading& reading) {
  const char* name = plot.kind == ChartKind::scatter ? "c:xVal" : "c:cat";
  for (pugi::xml_node ser = plotElement.child("c:ser"); ser; ser = ser.next_sibling("c:ser")) {
    const pugi::xml_node data = ser.child(name);
    if (!data || (plot.kind == ChartKind::scatter && holdsNumbers(data))) continue;
    plot.categories = readTexts(data, reading);
    if (!plot.categories.empty()) return;
  }
}

ChartPlot readPlot(const pugi::xml_node& element, const PlotType& type, std::size_t& seriesRead,
                   ChartReading& reading) {
  ChartPlot plot;
  plot.kind = type.kind;
  if (type.kind == ChartKind::column &&
      std::string_view(element.child("c:barDir").attribute("val").value()) == "bar") {
    plot.kind = ChartKind::bar;
  }
  if (type.kind == ChartKind::other) plot.typeName = std::string(type.element.substr(2));
  const bool bars = plot.kind == ChartKind::bar || plot.kind == ChartKind::column;
  plot.grouping = readEnum<ChartGrouping>(element.child("c:grouping").attribute("val"), kGroupings)
                      .value_or(bars ? ChartGrouping::clustered : ChartGrouping::standard);
  if (bars && plot.grouping == ChartGrouping::standard) plot.grouping = ChartGrouping::clustered;
  plot.varyColors = flagOf(element.child("c:varyColors"), false);
  if (const pugi::xml_node hole = element.child("c:holeSize")) {
    plot.holeSize = std::clamp(readInt(hole.attribute("val"), reading.warnings).value_or(50), 10, 90);
  }
  if (const pugi::xml_node gap = element.child("c:gapWidth")) {
    plot.gapWidth = std::clamp(readInt(gap.attribute("val"), reading.warnings).value_or(150), 0, 500);
  }
  const bool plotMarkers = flagOf(element.child("c:marker"), true);
  for (pugi::xml_node ser = element.child("c:ser"); ser; ser = ser.next_sibling("c:ser")) {
    if (seriesRead >= kMaxChartSeries) {
      reading.cut = true;
      break;
    }
    plot.series.push_back(readSeries(ser, plot, seriesRead, reading));
    if (!plotMarkers) plot.series.back().markers = false;
    ++seriesRead;
  }
  readCategories(element, plot, reading);
  return plot;
}

// ---- Axes, legend, title ----------------------------------------------------------------------

bool isCategoryAxis(const pugi::xml_node& axis) { return is(axis, "c:catAx") || is(axis, "c:dateAx"); }

// The value axis's own format, or its data's when it is linked to the source (or has none).
std::string numberFormatOf(const pugi::xml_node& valueAxis, const pugi::xml_node& plotArea) {
  const pugi::xml_node format = valueAxis.child("c:numFmt");
  const std::string_view linked = format.attribute("sourceLinked").value();
  if (format && linked != "1" && linked != "true") return format.attribute("formatCode").value();
  for (pugi::xml_node plot = plotArea.first_child(); plot; plot = plot.next_sibling()) {
    const pugi::xml_node ser = plot.child("c:ser");
    const pugi::xml_node values = ser.child("c:val") ? ser.child("c:val") : ser.child("c:yVal");
    const pugi::xml_node code = cacheOf(values).child("c:formatCode");
    if (code) return code.text().get();
  }
  return format.attribute("formatCode").value();
}

void readAxes(const pugi::xml_node& plotArea, Chart& chart) {
  pugi::xml_node categoryAxis, valueAxis;
  for (pugi::xml_node axis = plotArea.first_child(); axis; axis = axis.next_sibling()) {
    if (isCategoryAxis(axis) && !categoryAxis) categoryAxis = axis;
    if (!is(axis, "c:valAx")) continue;
    // Of a scatter chart's two value axes, the one along the bottom (or top) runs as categories.
    const std::string_view position = axis.child("c:axPos").attribute("val").value();
    const bool across = position == "b" || position == "t";
    const bool scatter = std::any_of(chart.plots.begin(), chart.plots.end(),
                                     [](const ChartPlot& p) { return p.kind == ChartKind::scatter; });
    if (scatter && across && !categoryAxis) {
      categoryAxis = axis;
    } else if (!valueAxis) {
      valueAxis = axis;
    }
  }
  if (const pugi::xml_node title = categoryAxis.child("c:title")) chart.categoryAxisTitle = titleText(title, "Axis Title");
  if (const pugi::xml_node title = valueAxis.child("c:title")) chart.valueAxisTitle = titleText(title, "Axis Title");
  chart.categoryAxisShown = !categoryAxis || !flagOf(categoryAxis.child("c:delete"), false);
  chart.valueAxisShown = !valueAxis || !flagOf(valueAxis.child("c:delete"), false);
  chart.numberFormat = numberFormatOf(valueAxis, plotArea);
}

std::string_view axisId(const pugi::xml_node& axis) { return axis.child("c:axId").attribute("val").value(); }

// Plots whose value axis is another than the chart's first (a line of percentages over columns of
// amounts) stand on the second axis, which lends them its title and number format.
void readSecondaryAxis(const std::vector<pugi::xml_node>& plotElements, const pugi::xml_node& plotArea, Chart& chart) {
  std::vector<pugi::xml_node> valueAxes;
  for (pugi::xml_node axis = plotArea.child("c:valAx"); axis && valueAxes.size() < kMaxValueAxes;
       axis = axis.next_sibling("c:valAx")) {
    valueAxes.push_back(axis);
  }
  if (valueAxes.size() < 2) return;
  pugi::xml_node secondAxis, secondPlot;
  for (std::size_t k = 0; k < plotElements.size() && k < chart.plots.size(); ++k) {
    if (chart.plots[k].kind == ChartKind::scatter) continue;
    for (pugi::xml_node id = plotElements[k].child("c:axId"); id; id = id.next_sibling("c:axId")) {
      const std::string_view wanted = id.attribute("val").value();
      for (std::size_t a = 1; a < valueAxes.size(); ++a) {
        if (axisId(valueAxes[a]) != wanted || wanted == axisId(valueAxes[0])) continue;
        chart.plots[k].secondary = true;
        if (!secondAxis) {
          secondAxis = valueAxes[a];
          secondPlot = plotElements[k];
        }
      }
    }
  }
  if (!secondAxis) return;
  if (const pugi::xml_node title = secondAxis.child("c:title")) chart.secondaryAxisTitle = titleText(title, "Axis Title");
  chart.secondaryAxisShown = !flagOf(secondAxis.child("c:delete"), false);
  const pugi::xml_node format = secondAxis.child("c:numFmt");
  const std::string_view linked = format.attribute("sourceLinked").value();
  chart.secondaryNumberFormat = format.attribute("formatCode").value();
  if (!format || linked == "1" || linked == "true") {
    // Linked to the source: the format of the values on the axis.
    const pugi::xml_node code = cacheOf(secondPlot.child("c:ser").child("c:val")).child("c:formatCode");
    if (code) chart.secondaryNumberFormat = code.text().get();
  }
}

std::size_t seriesCount(const Chart& chart) {
  std::size_t count = 0;
  for (const ChartPlot& plot : chart.plots) count += plot.series.size();
  return count;
}

// A title the chart shows: its own text; without one, the one series' name, else "Chart Title";
// no c:title: the one series' name unless the automatic title was deleted.
void readTitle(const pugi::xml_node& chartElement, Chart& chart) {
  const bool oneSeries = seriesCount(chart) == 1;
  std::string onlyName;
  for (const ChartPlot& plot : chart.plots) {
    if (oneSeries && !plot.series.empty()) onlyName = plot.series.front().name;
  }
  if (const pugi::xml_node title = chartElement.child("c:title")) {
    chart.title = titleText(title, oneSeries ? std::string_view(onlyName) : std::string_view("Chart Title"));
  } else if (!flagOf(chartElement.child("c:autoTitleDeleted"), false) && oneSeries) {
    chart.title = onlyName;
  }
}

void readLegend(const pugi::xml_node& chartElement, Chart& chart) {
  const pugi::xml_node legend = chartElement.child("c:legend");
  if (!legend) return;
  chart.legend = readEnum<LegendPosition>(legend.child("c:legendPos").attribute("val"), kLegendPositions)
                     .value_or(LegendPosition::right);
}

}  // namespace

bool chartHasData(const Chart& chart) {
  for (const ChartPlot& plot : chart.plots) {
    for (const ChartSeries& series : plot.series) {
      if (std::any_of(series.values.begin(), series.values.end(), [](double v) { return !std::isnan(v); })) return true;
    }
  }
  return false;
}

std::optional<std::uint32_t> pointColorOf(const ChartSeries& series, std::size_t index) {
  const auto it = std::lower_bound(series.pointColors.begin(), series.pointColors.end(), index,
                                   [](const ChartPointColor& point, std::size_t wanted) { return point.index < wanted; });
  if (it == series.pointColors.end() || it->index != index) return std::nullopt;
  return it->rgb;
}

std::optional<Chart> readChart(const pugi::xml_node& root, const Theme& theme, const Settings& settings,
                               Warnings& warnings) {
  if (!is(root, "c:chartSpace")) return std::nullopt;
  const pugi::xml_node chartElement = root.child("c:chart");
  if (!chartElement) return std::nullopt;
  ChartReading reading{theme, settings, warnings};
  Chart chart;
  const pugi::xml_node plotArea = chartElement.child("c:plotArea");
  std::size_t seriesRead = 0;
  std::vector<pugi::xml_node> plotElements;
  for (pugi::xml_node element = plotArea.first_child(); element && chart.plots.size() < kMaxPlots;
       element = element.next_sibling()) {
    if (const PlotType* type = plotTypeOf(element)) {
      chart.plots.push_back(readPlot(element, *type, seriesRead, reading));
      plotElements.push_back(element);
    }
  }
  readAxes(plotArea, chart);
  readSecondaryAxis(plotElements, plotArea, chart);
  readTitle(chartElement, chart);
  readLegend(chartElement, chart);
  for (std::size_t k = 0; k < kPaletteSize; ++k) chart.palette.push_back(defaultChartColor(k, theme));
  if (reading.cut) {
    warnings.add(WarningKind::notShown, "chart data past 256 series or 10,000 points a series is left out");
  }
  return chart;
}

std::optional<Chart> readChartPart(const PartSource& parts, std::string_view partName, const Theme& theme,
                                   const Settings& settings, Warnings& warnings) {
  std::optional<std::string> bytes = parts(partName);
  if (!bytes) {
    warnings.add(WarningKind::missingPart, partName);
    return std::nullopt;
  }
  const XmlPart part(partName, std::move(*bytes), warnings);
  return readChart(part.root(), theme, settings, warnings);
}

}  // namespace vellumine::docx
