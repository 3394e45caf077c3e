// A chart as its part (c:chartSpace) caches it: the plots of its plot area with their series, the
// series' names, categories, values and colours, the title, the axes' titles and number format,
// and where the legend stands.  Only the values the part caches are known (the workbook behind
// it is never opened); a series without a cache has no points.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vellumine::docx {

// How many series a chart keeps and how many points a series keeps; what lies past them is cut
// (chart_reader.h says so in a warning).
inline constexpr std::size_t kMaxChartSeries = 256;
inline constexpr std::size_t kMaxChartPoints = 10'000;

enum class ChartKind : std::uint8_t { bar, column, line, pie, doughnut, area, scatter, other };

// c:grouping: bars side by side (clustered), on top of each other (stacked) or as shares of their
// category's total (percentStacked); lines and areas use standard for "each on its own".
enum class ChartGrouping : std::uint8_t { clustered, standard, stacked, percentStacked };

enum class LegendPosition : std::uint8_t { none, right, left, top, bottom, topRight };

// A value the chart does not have (a gap in the cache, a malformed number) is NaN.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct ChartPointColor {
  std::size_t index = 0;   // c:dPt/c:idx
  std::uint32_t rgb = 0;
};

struct ChartSeries {
  std::string name;                     // c:tx, or "Series N" when it has none
  std::vector<double> values;           // c:val, or c:yVal of a scatter chart; by point index
  std::vector<double> xValues;          // c:xVal of a scatter chart (numbers); empty otherwise
  std::uint32_t color = 0;              // the series' fill (line colour for lines), RGB
  std::vector<ChartPointColor> pointColors;  // c:dPt fills (a pie's slices), sorted by index, one each
  bool markers = true;                  // false for c:marker/c:symbol val="none"
  bool line = true;                     // false when its line is not drawn (a:ln/a:noFill)
};

// One chart group of the plot area (c:barChart, c:lineChart, ...).  A chart may hold several:
// columns with a line over them.
struct ChartPlot {
  ChartKind kind = ChartKind::other;
  std::string typeName;                 // the element's local name ("radarChart"), for other kinds
  ChartGrouping grouping = ChartGrouping::clustered;
  bool varyColors = false;              // each point its own colour (pies)
  int holeSize = 50;                    // a doughnut's hole, percent of its diameter (10-90)
  int gapWidth = 150;                   // space between bar groups, percent of a bar (0-500)
  bool secondary = false;               // on the chart's second value axis (on the right)
  // The category labels of the plot's first series that has any (all series share one axis); for
  // a category without a label the chart shows its number.
  std::vector<std::string> categories;
  std::vector<ChartSeries> series;
};

struct Chart {
  std::string title;                    // empty: no title shown
  std::vector<ChartPlot> plots;
  LegendPosition legend = LegendPosition::none;
  std::string categoryAxisTitle, valueAxisTitle;
  std::string numberFormat;             // the value axis's (else the first values') format code
  bool categoryAxisShown = true, valueAxisShown = true;  // c:delete val="1" hides an axis
  // The second value axis of plots that stand on it (ChartPlot::secondary).
  std::string secondaryAxisTitle, secondaryNumberFormat;
  bool secondaryAxisShown = true;
  // The colours of points that vary by point (a pie's slices) when c:dPt names none, by index
  // modulo the palette's size; never empty once read.
  std::vector<std::uint32_t> palette;
};

// Whether any series of any plot has a value.
bool chartHasData(const Chart& chart);

// The colour c:dPt gives point index of series, if any (a binary search).
std::optional<std::uint32_t> pointColorOf(const ChartSeries& series, std::size_t index);

}  // namespace vellumine::docx
