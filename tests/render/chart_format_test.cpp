// The units under a chart's axes: the number format codes a chart's labels use, the value scale
// (1-2-5 steps, bounded ticks, absurd ranges) and the data table of charts not drawn.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "render/chart_number_format.h"
#include "render/chart_scale.h"
#include "render/chart_table.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

// ---- Number formats ------------------------------------------------------------------------------

struct FormatCase {
  std::string name;
  double value;
  std::string code;
  std::string expected;
};

const FormatCase kFormatCases[] = {
    {"GeneralWhole", 42, "General", "42"},
    {"GeneralFraction", 0.1 + 0.2, "General", "0.3"},
    {"EmptyCodeIsGeneral", -2.5, "", "-2.5"},
    {"GeneralHuge", 1e20, "General", "1e+20"},
    {"FixedDecimals", 3.14159, "0.00", "3.14"},
    {"NoDecimalsRoundsHalfUp", 2.5, "0", "3"},
    {"Thousands", 1234567.891, "#,##0", "1,234,568"},
    {"ThousandsWithDecimals", -1234.5, "#,##0.00", "-1,234.50"},
    {"Percent", 0.256, "0%", "26%"},
    {"PercentDecimals", 0.256, "0.0%", "25.6%"},
    {"CurrencyBefore", 1500, "$#,##0", "$1,500"},
    {"NegativeCurrency", -3, "$0", "-$3"},
    {"QuotedSuffix", 12, "0\" kg\"", "12 kg"},
    {"BracketCurrency", 7, "[$\xE2\x82\xAC-407]#,##0", "\xE2\x82\xAC" "7"},
    {"EscapedLiteral", 5, "0\\x", "5x"},
    {"OnlyTheFirstSection", -5, "0.0;(0.0)", "-5.0"},
    {"DateCodeReadsAsGeneral", 45000, "m/d/yyyy", "45000"},
    {"Scientific", 12345, "0.00E+00", "1.23e+04"},
    {"NegativeZeroHasNoSign", -0.001, "0", "0"},
    {"NotANumberIsEmpty", std::nan(""), "0", ""},
};

class ChartNumberFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ChartNumberFormat, Formats) {
  EXPECT_EQ(formatChartNumber(GetParam().value, GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartNumberFormat, testing::ValuesIn(kFormatCases), test::caseName);

TEST(ChartNumberFormat, TicksOfGeneralShowTheirStepsDecimals) {
  EXPECT_EQ(formatChartTick(0.5, "General", decimalsOfStep(0.25)), "0.50");
  EXPECT_EQ(formatChartTick(10, "General", decimalsOfStep(5)), "10");
  EXPECT_EQ(formatChartTick(0.2, "0%", decimalsOfStep(0.1)), "20%");
  EXPECT_EQ(decimalsOfStep(0.001), 3);
  EXPECT_EQ(decimalsOfStep(std::nan("")), 0);
}

// ---- Scales ----------------------------------------------------------------------------------------

struct ScaleCase {
  std::string name;
  double low, high;
  int maxTicks;
  bool zero;
  double min, max, step;
};

const ScaleCase kScaleCases[] = {
    {"OneTwoFive", 0, 30, 8, true, 0, 30, 5},
    {"StepOfTwo", 0, 13, 8, true, 0, 14, 2},
    {"StepOfOneHundredth", 0.01, 0.07, 10, true, 0, 0.07, 0.01},
    {"NegativeAndPositive", -10, 20, 8, true, -10, 20, 5},
    {"AwayFromZeroWidensTheStepToFit", 95, 105, 6, false, 95, 105, 5},
    {"ZeroIncluded", 95, 105, 8, true, 0, 120, 20},
    {"OneValue", 7, 7, 6, true, 0, 8, 2},
    {"OneValueAwayFromZero", 7, 7, 6, false, 6, 7, 0.2},
    {"AllZero", 0, 0, 6, true, 0, 1, 0.2},
    {"BackwardsRange", 30, 0, 8, true, 0, 30, 5},
    {"HugeClamped", -1e300, 1e300, 6, true, -1e15, 1e15, 5e14},
    {"NotANumber", std::nan(""), 10, 6, true, 0, 10, 2},
    {"TicksBounded", 0, 1e6, 1000, true, 0, 1e6, 50000},
};

class ChartScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(ChartScale, NiceRange) {
  const ScaleCase& c = GetParam();
  const ValueScale scale = niceScale(c.low, c.high, c.maxTicks, c.zero);
  EXPECT_NEAR(scale.min, c.min, std::fabs(c.step) * 1e-9);
  EXPECT_NEAR(scale.max, c.max, std::fabs(c.step) * 1e-9);
  EXPECT_NEAR(scale.step, c.step, std::fabs(c.step) * 1e-9);
  EXPECT_LE(scale.ticks(), std::clamp(c.maxTicks, 2, 50));
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartScale, testing::ValuesIn(kScaleCases), test::caseName);

TEST(ChartScale, ZeroRuleOfLinesAndPoints) {
  EXPECT_TRUE(startsAtZero(10, 30));
  EXPECT_FALSE(startsAtZero(95, 105));
  EXPECT_TRUE(startsAtZero(-5, 5));
  EXPECT_FALSE(startsAtZero(-105, -95));
  EXPECT_TRUE(startsAtZero(-30, -10));
}

// ---- Data table ------------------------------------------------------------------------------------

docx::Chart radar() {
  docx::Chart chart;
  chart.title = "Skills <A&B>";
  chart.numberFormat = "0.0";
  docx::ChartPlot plot;
  plot.kind = docx::ChartKind::other;
  plot.categories = {"Speed", "", "Range"};
  docx::ChartSeries first, second;
  first.name = "Model <1>";
  first.values = {1, 2, 3};
  second.name = "Model 2";
  second.values = {4, docx::kNoValue};
  plot.series = {first, second};
  chart.plots.push_back(plot);
  return chart;
}

std::string tableOf(const docx::Chart& chart) {
  std::string out;
  appendChartTable(out, chart);
  return out;
}

TEST(ChartTable, TitleHeadsAndValuesEscapedAndFormatted) {
  const std::string out = tableOf(radar());
  EXPECT_NE(out.find(">Skills &lt;A&amp;B&gt;</span>"), std::string::npos) << out;
  EXPECT_NE(out.find(">Model &lt;1&gt;</span>"), std::string::npos);
  EXPECT_NE(out.find(">Speed</span>"), std::string::npos);
  EXPECT_NE(out.find(">2</span>"), std::string::npos);  // the unnamed second category by its number
  EXPECT_NE(out.find(">3.0</span>"), std::string::npos);
  EXPECT_NE(out.find(">4.0</span>"), std::string::npos);
  EXPECT_EQ(out.find("<table"), std::string::npos);
  // Three rows and the head, each row a head cell and a cell per series.
  std::size_t rows = 0;
  for (std::size_t at = out.find("display:table-row"); at != std::string::npos; at = out.find("display:table-row", at + 1)) {
    ++rows;
  }
  EXPECT_EQ(rows, 4u);
}

TEST(ChartTable, BoundedRowsAndColumns) {
  docx::Chart chart = radar();
  chart.plots[0].categories.clear();
  docx::ChartSeries many;
  many.name = "Many";
  many.values.assign(docx::kMaxChartPoints, 1.0);
  chart.plots[0].series.assign(40, many);
  const std::string out = tableOf(chart);
  EXPECT_NE(out.find("+28 more<"), std::string::npos);
  EXPECT_NE(out.find("+9950 more rows"), std::string::npos);
  EXPECT_LT(out.size(), 200'000u);
}

TEST(ChartTable, WithoutDataSaysSo) {
  docx::Chart chart;
  EXPECT_EQ(tableOf(chart), "<span style=\"display:block;font-weight:bold;margin-bottom:2px\">Chart</span>"
                            "<span style=\"display:block\">(no data)</span>");
}

}  // namespace
}  // namespace vellumine::render
