// Charts drawn as SVG: what each kind draws (bars in proportion to their values, stacks that add
// up, lines through their points and broken at gaps, wedges in proportion, points where their
// values put them), the legend's entries, the title's escaping, and hostile charts (absurd and
// missing values, the largest series) that still give a well-formed, bounded picture.
#include "render/chart_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::Chart;
using docx::ChartGrouping;
using docx::ChartKind;
using docx::ChartPlot;
using docx::ChartSeries;

constexpr std::uint32_t kRed = 0xC00000, kBlue = 0x0070C0, kGreen = 0x00B050;

ChartSeries series(std::string name, std::vector<double> values, std::uint32_t color) {
  ChartSeries s;
  s.name = std::move(name);
  s.values = std::move(values);
  s.color = color;
  return s;
}

Chart chartOf(ChartKind kind, ChartGrouping grouping, std::vector<ChartSeries> all,
              std::vector<std::string> categories = {"A", "B", "C"}) {
  Chart chart;
  ChartPlot plot;
  plot.kind = kind;
  plot.grouping = grouping;
  plot.series = std::move(all);
  plot.categories = std::move(categories);
  chart.plots.push_back(std::move(plot));
  chart.palette = {kRed, kBlue, kGreen};
  return chart;
}

Chart twoSeries(ChartKind kind, ChartGrouping grouping) {
  return chartOf(kind, grouping, {series("North", {10, 20, 30}, kRed), series("South", {5, 15, 25}, kBlue)});
}

// ---- Reading the picture back ------------------------------------------------------------------

struct Svg {
  pugi::xml_document document;
  bool parsed = false;
};

std::unique_ptr<Svg> parse(const std::string& svg) {
  auto out = std::make_unique<Svg>();
  out->parsed = static_cast<bool>(out->document.load_buffer(svg.data(), svg.size()));
  return out;
}

std::string colorText(std::uint32_t rgb) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 15];
  return text;
}

double number(const pugi::xml_node& node, const char* attribute) {
  const std::string_view text = node.attribute(attribute).value();
  double value = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The elements named name with fill (or stroke) colour, in document order.
std::vector<pugi::xml_node> painted(const Svg& svg, const char* name, std::uint32_t rgb, const char* paint = "fill") {
  std::vector<pugi::xml_node> found;
  const std::string colour = colorText(rgb);
  for (const pugi::xpath_node& hit : svg.document.select_nodes(("//" + std::string(name)).c_str())) {
    if (colour == hit.node().attribute(paint).value()) found.push_back(hit.node());
  }
  return found;
}

std::vector<std::string> texts(const Svg& svg) {
  std::vector<std::string> out;
  for (const pugi::xpath_node& hit : svg.document.select_nodes("//text")) out.emplace_back(hit.node().text().get());
  return out;
}

bool holds(const std::vector<std::string>& all, std::string_view text) {
  return std::find(all.begin(), all.end(), text) != all.end();
}

std::string draw(const Chart& chart, double width = 480, double height = 300) {
  const std::optional<std::string> svg = drawChartSvg(chart, width, height);
  EXPECT_TRUE(svg.has_value());
  return svg.value_or(std::string());
}

// ---- One table of drawings: a chart and what its picture must show ------------------------------

struct DrawCase {
  std::string name;
  std::function<Chart()> chart;
  std::function<void(const Svg&)> check;
};

void expectProportional(const std::vector<double>& sizes, const std::vector<double>& values) {
  ASSERT_EQ(sizes.size(), values.size());
  for (std::size_t k = 1; k < sizes.size(); ++k) {
    EXPECT_NEAR(sizes[k] / sizes[0], values[k] / values[0], 0.02) << "bar " << k;
  }
}

std::vector<double> sizesOf(const std::vector<pugi::xml_node>& rects, const char* attribute) {
  std::vector<double> sizes;
  for (const pugi::xml_node& rect : rects) sizes.push_back(number(rect, attribute));
  return sizes;
}

const DrawCase kDrawCases[] = {
    {"ClusteredColumnsInProportion", [] { return twoSeries(ChartKind::column, ChartGrouping::clustered); },
     [](const Svg& svg) {
       const auto north = painted(svg, "rect", kRed), south = painted(svg, "rect", kBlue);
       ASSERT_EQ(north.size(), 3u);
       ASSERT_EQ(south.size(), 3u);
       expectProportional(sizesOf({north.begin(), north.begin() + 3}, "height"), {10, 20, 30});
       expectProportional(sizesOf({south.begin(), south.begin() + 3}, "height"), {5, 15, 25});
       // Side by side: South's first column right of North's.
       EXPECT_GT(number(south[0], "x"), number(north[0], "x"));
       EXPECT_NEAR(number(south[0], "y") + number(south[0], "height"), number(north[0], "y") + number(north[0], "height"), 0.02);
     }},
    {"StackedColumnsSitOnEachOther", [] { return twoSeries(ChartKind::column, ChartGrouping::stacked); },
     [](const Svg& svg) {
       const auto north = painted(svg, "rect", kRed), south = painted(svg, "rect", kBlue);
       ASSERT_GE(north.size(), 3u);
       ASSERT_GE(south.size(), 3u);
       for (std::size_t k = 0; k < 3; ++k) {
         EXPECT_NEAR(number(south[k], "y") + number(south[k], "height"), number(north[k], "y"), 0.02);
         EXPECT_NEAR(number(south[k], "x"), number(north[k], "x"), 0.02);
       }
       expectProportional({number(north[0], "height") + number(south[0], "height"),
                           number(north[2], "height") + number(south[2], "height")},
                          {15, 55});
     }},
    {"PercentColumnsAllReachTheTop", [] { return twoSeries(ChartKind::column, ChartGrouping::percentStacked); },
     [](const Svg& svg) {
       const auto north = painted(svg, "rect", kRed), south = painted(svg, "rect", kBlue);
       ASSERT_GE(north.size(), 3u);
       ASSERT_GE(south.size(), 3u);
       const double shares[] = {10.0 / 15, 20.0 / 35, 30.0 / 55};
       for (std::size_t k = 0; k < 3; ++k) {
         EXPECT_NEAR(number(south[k], "y"), number(south[0], "y"), 0.05) << k;
         const double north_height = number(north[k], "height"), total = north_height + number(south[k], "height");
         EXPECT_NEAR(north_height / total, shares[k], 0.01) << k;
       }
       EXPECT_TRUE(holds(texts(svg), "100%"));
     }},
    {"BarsRunAcross", [] { return twoSeries(ChartKind::bar, ChartGrouping::clustered); },
     [](const Svg& svg) {
       const auto north = painted(svg, "rect", kRed);
       ASSERT_GE(north.size(), 3u);
       expectProportional(sizesOf({north.begin(), north.begin() + 3}, "width"), {10, 20, 30});
       // The first category lowest.
       EXPECT_GT(number(north[0], "y"), number(north[2], "y"));
     }},
    {"NegativeColumnsHangBelowZero",
     [] { return chartOf(ChartKind::column, ChartGrouping::clustered, {series("S", {-10, 20}, kRed)}); },
     [](const Svg& svg) {
       const auto bars = painted(svg, "rect", kRed);
       ASSERT_GE(bars.size(), 2u);
       EXPECT_NEAR(number(bars[0], "y"), number(bars[1], "y") + number(bars[1], "height"), 0.02);
       expectProportional(sizesOf({bars[0], bars[1]}, "height"), {10, 20});
       EXPECT_TRUE(holds(texts(svg), "-10"));
     }},
    {"LineThroughItsPointsWithMarkers",
     [] { return chartOf(ChartKind::line, ChartGrouping::standard, {series("Trend", {1, 3, 2}, kGreen)}); },
     [](const Svg& svg) {
       const auto lines = painted(svg, "path", kGreen, "stroke");
       ASSERT_EQ(lines.size(), 1u);
       const std::string d = lines[0].attribute("d").value();
       EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 1);
       EXPECT_EQ(std::count(d.begin(), d.end(), 'L'), 2);
       const auto markers = painted(svg, "circle", kGreen);
       ASSERT_EQ(markers.size(), 3u);
       EXPECT_LT(number(markers[1], "cy"), number(markers[2], "cy"));
       EXPECT_LT(number(markers[2], "cy"), number(markers[0], "cy"));
     }},
    {"LineBreaksAtAGap",
     [] {
       return chartOf(ChartKind::line, ChartGrouping::standard,
                      {series("Gappy", {1, 2, docx::kNoValue, 4, 5}, kGreen)}, {});
     },
     [](const Svg& svg) {
       const auto lines = painted(svg, "path", kGreen, "stroke");
       ASSERT_EQ(lines.size(), 1u);
       const std::string d = lines[0].attribute("d").value();
       EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 2);
       EXPECT_EQ(painted(svg, "circle", kGreen).size(), 4u);
       EXPECT_TRUE(holds(texts(svg), "5"));  // the fifth category's number as its label
     }},
    {"AreaClosedToZero",
     [] { return chartOf(ChartKind::area, ChartGrouping::standard, {series("Volume", {2, 4, 3}, kBlue)}); },
     [](const Svg& svg) {
       const auto areas = painted(svg, "path", kBlue);
       ASSERT_EQ(areas.size(), 1u);
       const std::string d = areas[0].attribute("d").value();
       EXPECT_EQ(std::count(d.begin(), d.end(), 'L'), 5);
       EXPECT_NE(d.find('Z'), std::string::npos);
     }},
    {"PieWedgesByShare",
     [] {
       Chart chart = chartOf(ChartKind::pie, ChartGrouping::standard, {series("Share", {1, 1, 2}, kRed)});
       chart.plots[0].varyColors = true;
       chart.legend = docx::LegendPosition::right;
       return chart;
     },
     [](const Svg& svg) {
       // One wedge each in the palette's colours; the largest (half) from six o'clock back to the top.
       ASSERT_EQ(painted(svg, "path", kRed).size(), 1u);
       ASSERT_EQ(painted(svg, "path", kBlue).size(), 1u);
       const auto half = painted(svg, "path", kGreen);
       ASSERT_EQ(half.size(), 1u);
       EXPECT_NE(std::string(half[0].attribute("d").value()).find(" 0 0 1 "), std::string::npos);
       const std::vector<std::string> all = texts(svg);
       EXPECT_TRUE(holds(all, "A") && holds(all, "B") && holds(all, "C"));
     }},
    {"PieOfOneValueIsACircle",
     [] { return chartOf(ChartKind::pie, ChartGrouping::standard, {series("All", {0, 7}, kRed)}); },
     [](const Svg& svg) {
       EXPECT_EQ(painted(svg, "circle", kRed).size(), 1u);
       EXPECT_TRUE(painted(svg, "path", kRed).empty());
     }},
    {"DoughnutHasItsHole",
     [] {
       Chart chart = chartOf(ChartKind::doughnut, ChartGrouping::standard, {series("Share", {1, 3}, kRed)});
       chart.plots[0].holeSize = 50;
       return chart;
     },
     [](const Svg& svg) {
       EXPECT_EQ(painted(svg, "path", kRed).size(), 2u);
       const auto white = painted(svg, "circle", 0xFFFFFF);
       ASSERT_EQ(white.size(), 1u);
       EXPECT_GT(number(white[0], "r"), 50);
     }},
    {"ScatterPointsWhereTheirValuesAre",
     [] {
       ChartSeries s = series("XY", {10, 20, 30}, kBlue);
       s.xValues = {1, 2, 4};
       s.line = false;
       return chartOf(ChartKind::scatter, ChartGrouping::standard, {s}, {});
     },
     [](const Svg& svg) {
       EXPECT_TRUE(painted(svg, "path", kBlue, "stroke").empty());
       const auto points = painted(svg, "circle", kBlue);
       ASSERT_EQ(points.size(), 3u);
       // x 1, 2, 4: the third as far from the second as the second twice from the first.
       const double a = number(points[0], "cx"), b = number(points[1], "cx"), c = number(points[2], "cx");
       EXPECT_NEAR((c - b) / (b - a), 2, 0.02);
     }},
    {"LegendNamesEverySeries",
     [] {
       Chart chart = twoSeries(ChartKind::column, ChartGrouping::clustered);
       chart.legend = docx::LegendPosition::bottom;
       return chart;
     },
     [](const Svg& svg) {
       const std::vector<std::string> all = texts(svg);
       EXPECT_TRUE(holds(all, "North"));
       EXPECT_TRUE(holds(all, "South"));
     }},
    {"TitleAndAxisTitles",
     [] {
       Chart chart = twoSeries(ChartKind::column, ChartGrouping::clustered);
       chart.title = "Sales <2024> & \"more\"";
       chart.valueAxisTitle = "Units";
       chart.categoryAxisTitle = "Quarter";
       return chart;
     },
     [](const Svg& svg) {
       const std::vector<std::string> all = texts(svg);
       EXPECT_TRUE(holds(all, "Sales <2024> & \"more\""));
       EXPECT_TRUE(holds(all, "Units"));
       EXPECT_TRUE(holds(all, "Quarter"));
     }},
    {"ColumnsWithALineShareTheAxis",
     [] {
       Chart chart = chartOf(ChartKind::column, ChartGrouping::clustered, {series("Sales", {10, 20, 40}, kRed)});
       ChartPlot line;
       line.kind = ChartKind::line;
       line.grouping = ChartGrouping::standard;
       line.series = {series("Target", {40, 40, 40}, kGreen)};
       chart.plots.push_back(line);
       return chart;
     },
     [](const Svg& svg) {
       const auto bars = painted(svg, "rect", kRed);
       const auto markers = painted(svg, "circle", kGreen);
       ASSERT_EQ(bars.size(), 3u);
       ASSERT_EQ(markers.size(), 3u);
       // The line at 40 meets the top of the column of 40.
       EXPECT_NEAR(number(markers[2], "cy"), number(bars[2], "y"), 0.02);
     }},
    {"LineOnTheSecondAxisHasItsOwnScale",
     [] {
       Chart chart = chartOf(ChartKind::column, ChartGrouping::clustered, {series("Sales", {100, 200, 300}, kRed)});
       ChartPlot line;
       line.kind = ChartKind::line;
       line.grouping = ChartGrouping::standard;
       line.secondary = true;
       line.series = {series("Growth", {0.1, 0.2, 0.15}, kGreen)};
       chart.plots.push_back(line);
       chart.secondaryNumberFormat = "0%";
       return chart;
     },
     [](const Svg& svg) {
       const auto bars = painted(svg, "rect", kRed);
       const auto markers = painted(svg, "circle", kGreen);
       ASSERT_EQ(bars.size(), 3u);
       ASSERT_EQ(markers.size(), 3u);
       const double zero = number(bars[0], "y") + number(bars[0], "height");
       // 0.2 on a scale of 0..0.2 or 0..0.25 stands at least as high as the column of 200 of 0..300.
       EXPECT_LT(number(markers[1], "cy"), number(bars[1], "y"));
       EXPECT_LT(number(markers[0], "cy"), zero - 20);
       const std::vector<std::string> all = texts(svg);
       EXPECT_TRUE(holds(all, "300"));
       EXPECT_TRUE(holds(all, "20%"));
     }},
};

class ChartSvg : public testing::TestWithParam<DrawCase> {};

TEST_P(ChartSvg, DrawsTheChart) {
  const std::string out = draw(GetParam().chart());
  const std::unique_ptr<Svg> svg = parse(out);
  ASSERT_TRUE(svg->parsed) << out;
  GetParam().check(*svg);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ChartSvg, testing::ValuesIn(kDrawCases), test::caseName);

// ---- The picture as a whole -----------------------------------------------------------------------

TEST(ChartSvgDocument, HasTheSizeAndNothingActive) {
  const std::string out = draw(twoSeries(ChartKind::column, ChartGrouping::clustered), 300.4, 200);
  const std::unique_ptr<Svg> svg = parse(out);
  ASSERT_TRUE(svg->parsed);
  const pugi::xml_node root = svg->document.document_element();
  EXPECT_STREQ(root.name(), "svg");
  EXPECT_STREQ(root.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  EXPECT_STREQ(root.attribute("width").value(), "300");
  EXPECT_STREQ(root.attribute("viewBox").value(), "0 0 300 200");
  for (std::string_view active : {"<script", "href", "url(", "<foreignObject", "<image", "on"}) {
    if (active == "on") {
      EXPECT_EQ(out.find(" on"), std::string::npos);
    } else {
      EXPECT_EQ(out.find(active), std::string::npos) << active;
    }
  }
}

TEST(ChartSvgDocument, SizesOutOfBoundsAreBounded) {
  const Chart chart = twoSeries(ChartKind::column, ChartGrouping::clustered);
  EXPECT_NE(draw(chart, 0, -5).find("viewBox=\"0 0 480 288\""), std::string::npos);
  EXPECT_NE(draw(chart, 1e12, 2).find("viewBox=\"0 0 4000 40\""), std::string::npos);
  EXPECT_NE(draw(chart, std::nan(""), INFINITY).find("viewBox=\"0 0 480 288\""), std::string::npos);
}

TEST(ChartSvgDocument, KindsNotDrawnAndChartsWithoutValuesGiveNothing) {
  Chart radar = twoSeries(ChartKind::other, ChartGrouping::standard);
  EXPECT_FALSE(chartIsDrawn(radar));
  EXPECT_FALSE(drawChartSvg(radar, 100, 100).has_value());
  const Chart empty = chartOf(ChartKind::column, ChartGrouping::clustered, {series("S", {docx::kNoValue}, kRed)});
  EXPECT_FALSE(chartIsDrawn(empty));
  const Chart zeroPie = chartOf(ChartKind::pie, ChartGrouping::standard, {series("S", {0, 0}, kRed)});
  EXPECT_FALSE(chartIsDrawn(zeroPie));
  EXPECT_FALSE(chartIsDrawn(Chart{}));
  EXPECT_TRUE(chartIsDrawn(twoSeries(ChartKind::line, ChartGrouping::standard)));
}

// Absurd values of every kind: the picture parses and holds no NaN or infinity.
TEST(ChartSvgDocument, AbsurdValuesStayNumbers) {
  const std::vector<double> absurd{1e308, -1e308, docx::kNoValue, 0, 5e-324, -0.0, 1e15, 3};
  for (ChartKind kind : {ChartKind::column, ChartKind::bar, ChartKind::line, ChartKind::area, ChartKind::pie,
                         ChartKind::doughnut, ChartKind::scatter}) {
    for (ChartGrouping grouping : {ChartGrouping::clustered, ChartGrouping::stacked, ChartGrouping::percentStacked}) {
      ChartSeries s = series("S", absurd, kRed);
      if (kind == ChartKind::scatter) s.xValues = absurd;
      const std::optional<std::string> out =
          drawChartSvg(chartOf(kind, grouping, {s, series("T", {-1e300, 1e300}, kBlue)}), 400, 300);
      ASSERT_TRUE(out.has_value()) << static_cast<int>(kind);
      EXPECT_TRUE(parse(*out)->parsed) << static_cast<int>(kind);
      for (std::string_view bad : {"nan", "inf"}) EXPECT_EQ(out->find(bad), std::string::npos) << bad << *out;
    }
  }
}

// The largest chart the reader keeps: bounded by the marks a chart draws.
TEST(ChartSvgDocument, LargestChartStaysBounded) {
  std::vector<ChartSeries> all;
  for (std::size_t s = 0; s < docx::kMaxChartSeries; ++s) {
    std::vector<double> values(docx::kMaxChartPoints);
    for (std::size_t k = 0; k < values.size(); ++k) values[k] = static_cast<double>((k * 7 + s) % 100);
    all.push_back(series("S" + std::to_string(s), std::move(values), static_cast<std::uint32_t>(s)));
  }
  for (ChartKind kind : {ChartKind::column, ChartKind::line}) {
    const std::string out = draw(chartOf(kind, ChartGrouping::stacked, all, {}), 800, 600);
    EXPECT_LT(out.size(), 12'000'000u);
    EXPECT_TRUE(parse(out)->parsed);
  }
}

TEST(ChartSvgDocument, StoredPicture) {
  Chart chart = twoSeries(ChartKind::column, ChartGrouping::clustered);
  chart.title = "Stored columns";
  chart.legend = docx::LegendPosition::bottom;
  chart.valueAxisTitle = "Units";
  chart.numberFormat = "#,##0";
  EXPECT_TRUE(test::SameStoredFile("chart-columns.svg", draw(chart, 480, 288)));
}

}  // namespace
}  // namespace vellumine::render
