// The chart part: each kind of chart group, the groupings, the caches (numbers, texts, literals,
// multi-level labels) with gaps and counts, series names and colours, the title, axes and legend,
// and the bounds (series, points) and faults (no cache, malformed numbers, no chart at all).
#include "docx/chart_reader.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "docx/xml_part.h"
#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;
using test::wrapIn;

// ---- Snippets -----------------------------------------------------------------------------------

// <c:pt idx="i"><c:v>text</c:v></c:pt>
std::string pt(int index, std::string_view text) {
  return "<c:pt idx=\"" + std::to_string(index) + "\"><c:v>" + std::string(text) + "</c:v></c:pt>";
}

// Points 0.. of texts; an empty text leaves that index out (a gap).
std::string points(const std::vector<std::string>& texts) {
  std::string out;
  for (std::size_t k = 0; k < texts.size(); ++k) {
    if (!texts[k].empty()) out += pt(static_cast<int>(k), texts[k]);
  }
  return out;
}

std::string ptCount(std::size_t count) { return "<c:ptCount val=\"" + std::to_string(count) + "\"/>"; }

std::string numRef(const std::vector<std::string>& values, std::string_view format = "General") {
  return "<c:numRef><c:f>Sheet1!$B$2</c:f><c:numCache><c:formatCode>" + std::string(format) + "</c:formatCode>" +
         ptCount(values.size()) + points(values) + "</c:numCache></c:numRef>";
}

std::string strRef(const std::vector<std::string>& texts) {
  return "<c:strRef><c:f>Sheet1!$A$2</c:f><c:strCache>" + ptCount(texts.size()) + points(texts) +
         "</c:strCache></c:strRef>";
}

std::string seriesName(std::string_view name) { return "<c:tx>" + strRef({std::string(name)}) + "</c:tx>"; }

// A c:ser with its name, categories and values (each left out when empty) and extra children.
std::string ser(int idx, std::string_view name, const std::vector<std::string>& categories,
                const std::vector<std::string>& values, std::string_view extra = {}) {
  std::string out = "<c:ser><c:idx val=\"" + std::to_string(idx) + "\"/><c:order val=\"" + std::to_string(idx) + "\"/>";
  if (!name.empty()) out += seriesName(name);
  out += extra;
  if (!categories.empty()) out += "<c:cat>" + strRef(categories) + "</c:cat>";
  if (!values.empty()) out += "<c:val>" + numRef(values) + "</c:val>";
  return out + "</c:ser>";
}

const std::vector<std::string> kQuarters{"Q1", "Q2", "Q3"};

std::string twoSeries() {
  return ser(0, "North", kQuarters, {"10", "20", "30"}) + ser(1, "South", kQuarters, {"5", "15", "25"});
}

// A chart space whose plot area holds plotAreaContent, with more children of c:chart after it.
std::string chartSpace(std::string_view plotAreaContent, std::string_view chartExtra = {}) {
  return wrapIn("c:chartSpace", wrapIn("c:chart", "<c:autoTitleDeleted val=\"1\"/>" +
                                                      wrapIn("c:plotArea", plotAreaContent) + std::string(chartExtra)));
}

std::string barChart(std::string_view direction, std::string_view grouping, std::string_view series) {
  return "<c:barChart><c:barDir val=\"" + std::string(direction) + "\"/><c:grouping val=\"" + std::string(grouping) +
         "\"/><c:varyColors val=\"0\"/>" + std::string(series) + "<c:gapWidth val=\"80\"/></c:barChart>";
}

std::string group(std::string_view element, std::string_view content) {
  return "<c:" + std::string(element) + ">" + std::string(content) + "</c:" + std::string(element) + ">";
}

bool isGap(double value) { return std::isnan(value); }

// ---- The table --------------------------------------------------------------------------------

struct ChartCase {
  std::string name;
  std::string xml;
  void (*check)(const Chart& chart);
  int malformedNumbers = 0;
  bool cutWarned = false;
};

const ChartPlot& only(const Chart& chart) {
  EXPECT_EQ(chart.plots.size(), 1u);
  return chart.plots.front();
}

const ChartCase kCases[] = {
    {"ClusteredColumns", chartSpace(barChart("col", "clustered", twoSeries())),
     [](const Chart& c) {
       const ChartPlot& p = only(c);
       EXPECT_EQ(p.kind, ChartKind::column);
       EXPECT_EQ(p.grouping, ChartGrouping::clustered);
       EXPECT_EQ(p.gapWidth, 80);
       EXPECT_EQ(p.categories, kQuarters);
       ASSERT_EQ(p.series.size(), 2u);
       EXPECT_EQ(p.series[0].name, "North");
       EXPECT_EQ(p.series[1].values, (std::vector<double>{5, 15, 25}));
     }},
    {"StackedBars", chartSpace(barChart("bar", "stacked", twoSeries())),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::bar);
       EXPECT_EQ(only(c).grouping, ChartGrouping::stacked);
     }},
    {"PercentStackedColumns", chartSpace(barChart("col", "percentStacked", twoSeries())),
     [](const Chart& c) { EXPECT_EQ(only(c).grouping, ChartGrouping::percentStacked); }},
    {"ThreeDimensionalBarsAsBars", chartSpace(group("bar3DChart", "<c:barDir val=\"bar\"/>" + twoSeries())),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::bar);
       EXPECT_EQ(only(c).grouping, ChartGrouping::clustered);
     }},
    {"LineWithoutMarkers",
     chartSpace(group("lineChart", "<c:grouping val=\"standard\"/>" +
                                       ser(0, "Trend", kQuarters, {"1", "2", "3"},
                                           "<c:marker><c:symbol val=\"none\"/></c:marker>"))),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::line);
       EXPECT_EQ(only(c).grouping, ChartGrouping::standard);
       EXPECT_FALSE(only(c).series[0].markers);
     }},
    {"LinePlotMarkersOff", chartSpace(group("lineChart", twoSeries() + "<c:marker val=\"0\"/>")),
     [](const Chart& c) {
       EXPECT_FALSE(only(c).series[0].markers);
       EXPECT_FALSE(only(c).series[1].markers);
     }},
    {"StackedArea", chartSpace(group("areaChart", "<c:grouping val=\"stacked\"/>" + twoSeries())),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::area);
       EXPECT_EQ(only(c).grouping, ChartGrouping::stacked);
     }},
    {"PieVaryingColours",
     chartSpace(group("pieChart", "<c:varyColors val=\"1\"/>" + ser(0, "Share", kQuarters, {"1", "2", "3"}))),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::pie);
       EXPECT_TRUE(only(c).varyColors);
       EXPECT_EQ(c.palette.size(), 18u);
     }},
    {"DoughnutHole",
     chartSpace(group("doughnutChart", ser(0, "Share", kQuarters, {"1", "2", "3"}) + "<c:holeSize val=\"75\"/>")),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::doughnut);
       EXPECT_EQ(only(c).holeSize, 75);
     }},
    {"DoughnutHoleClamped", chartSpace(group("doughnutChart", "<c:holeSize val=\"99999\"/>")),
     [](const Chart& c) { EXPECT_EQ(only(c).holeSize, 90); }},
    {"ScatterWithNumberXValues",
     chartSpace(group("scatterChart",
                      "<c:scatterStyle val=\"lineMarker\"/><c:ser><c:idx val=\"0\"/><c:xVal>" +
                          numRef({"1.5", "2.5", "4"}) + "</c:xVal><c:yVal>" + numRef({"10", "", "30"}) +
                          "</c:yVal></c:ser>")),
     [](const Chart& c) {
       const ChartPlot& p = only(c);
       EXPECT_EQ(p.kind, ChartKind::scatter);
       EXPECT_TRUE(p.categories.empty());
       ASSERT_EQ(p.series.size(), 1u);
       EXPECT_EQ(p.series[0].xValues, (std::vector<double>{1.5, 2.5, 4}));
       ASSERT_EQ(p.series[0].values.size(), 3u);
       EXPECT_TRUE(isGap(p.series[0].values[1]));
       EXPECT_EQ(p.series[0].name, "Series 1");
     }},
    {"ScatterWithTextXValuesAsCategories",
     chartSpace(group("scatterChart", "<c:ser><c:xVal>" + strRef({"a", "b"}) + "</c:xVal><c:yVal>" +
                                          numRef({"1", "2"}) + "</c:yVal></c:ser>")),
     [](const Chart& c) {
       EXPECT_EQ(only(c).categories, (std::vector<std::string>{"a", "b"}));
       EXPECT_TRUE(only(c).series[0].xValues.empty());
     }},
    {"RadarIsOtherWithItsName", chartSpace(group("radarChart", twoSeries())),
     [](const Chart& c) {
       EXPECT_EQ(only(c).kind, ChartKind::other);
       EXPECT_EQ(only(c).typeName, "radarChart");
       EXPECT_EQ(only(c).series.size(), 2u);
     }},
    {"ColumnsAndLineInOneChart",
     chartSpace(barChart("col", "clustered", ser(0, "Sales", kQuarters, {"1", "2", "3"})) +
                group("lineChart", ser(1, "Target", kQuarters, {"2", "2", "2"}))),
     [](const Chart& c) {
       ASSERT_EQ(c.plots.size(), 2u);
       EXPECT_EQ(c.plots[0].kind, ChartKind::column);
       EXPECT_EQ(c.plots[1].kind, ChartKind::line);
       EXPECT_EQ(c.plots[1].series[0].name, "Target");
     }},
    {"LineOnTheSecondAxis",
     chartSpace(barChart("col", "clustered", ser(0, "Sales", kQuarters, {"100", "200", "300"})) +
                group("lineChart", ser(1, "Growth", kQuarters, {"0.1", "0.2", "0.15"}) +
                                       "<c:axId val=\"3\"/><c:axId val=\"4\"/>") +
                "<c:catAx><c:axId val=\"1\"/></c:catAx><c:valAx><c:axId val=\"2\"/></c:valAx>"
                "<c:catAx><c:axId val=\"3\"/><c:delete val=\"1\"/></c:catAx><c:valAx><c:axId val=\"4\"/>"
                "<c:axPos val=\"r\"/><c:title/><c:numFmt formatCode=\"0%\" sourceLinked=\"0\"/></c:valAx>"),
     [](const Chart& c) {
       ASSERT_EQ(c.plots.size(), 2u);
       EXPECT_FALSE(c.plots[0].secondary);
       EXPECT_TRUE(c.plots[1].secondary);
       EXPECT_EQ(c.secondaryNumberFormat, "0%");
       EXPECT_EQ(c.secondaryAxisTitle, "Axis Title");
       EXPECT_TRUE(c.secondaryAxisShown);
       EXPECT_TRUE(c.categoryAxisShown);  // the first category axis's
     }},
    {"OneValueAxisMakesNoSecond",
     chartSpace(barChart("col", "clustered", twoSeries()) + "<c:valAx><c:axId val=\"2\"/></c:valAx>"),
     [](const Chart& c) { EXPECT_FALSE(only(c).secondary); }},
    {"GapsAndOrderOfIndexes",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:val><c:numRef><c:numCache>" + ptCount(5) + pt(3, "4") + pt(0, "1") +
                             "</c:numCache></c:numRef></c:val></c:ser>")),
     [](const Chart& c) {
       const std::vector<double>& v = only(c).series[0].values;
       ASSERT_EQ(v.size(), 5u);
       EXPECT_EQ(v[0], 1);
       EXPECT_TRUE(isGap(v[1]) && isGap(v[2]) && isGap(v[4]));
       EXPECT_EQ(v[3], 4);
     }},
    {"IndexPastCountWithoutCountWidens",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:val><c:numLit>" + pt(2, "7") + "</c:numLit></c:val></c:ser>")),
     [](const Chart& c) {
       const std::vector<double>& v = only(c).series[0].values;
       ASSERT_EQ(v.size(), 3u);
       EXPECT_EQ(v[2], 7);
     }},
    {"LiteralsWithoutIndexesInOrder",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:tx><c:v>Plain</c:v></c:tx><c:cat><c:strLit><c:pt><c:v>x</c:v></c:pt><c:pt><c:v>y</c:v>"
                         "</c:pt></c:strLit></c:cat><c:val><c:numLit><c:pt><c:v>3</c:v></c:pt><c:pt><c:v>4</c:v></c:pt>"
                         "</c:numLit></c:val></c:ser>")),
     [](const Chart& c) {
       EXPECT_EQ(only(c).series[0].name, "Plain");
       EXPECT_EQ(only(c).categories, (std::vector<std::string>{"x", "y"}));
       EXPECT_EQ(only(c).series[0].values, (std::vector<double>{3, 4}));
     }},
    {"NumberCategoriesAsWritten",
     chartSpace(barChart("col", "clustered", "<c:ser><c:cat>" + numRef({"2021", "2022"}) + "</c:cat><c:val>" +
                                                 numRef({"1", "2"}) + "</c:val></c:ser>")),
     [](const Chart& c) { EXPECT_EQ(only(c).categories, (std::vector<std::string>{"2021", "2022"})); }},
    {"MultiLevelCategoriesTakeTheInnerLevel",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:cat><c:multiLvlStrRef><c:multiLvlStrCache>" + ptCount(2) + "<c:lvl>" +
                             pt(0, "Jan") + pt(1, "Feb") + "</c:lvl><c:lvl>" + pt(0, "2024") +
                             "</c:lvl></c:multiLvlStrCache></c:multiLvlStrRef></c:cat><c:val>" + numRef({"1", "2"}) +
                             "</c:val></c:ser>")),
     [](const Chart& c) { EXPECT_EQ(only(c).categories, (std::vector<std::string>{"Jan", "Feb"})); }},
    {"MissingCacheMeansNoData",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:val><c:numRef><c:f>Sheet1!$B$2:$B$4</c:f></c:numRef></c:val></c:ser>")),
     [](const Chart& c) {
       EXPECT_TRUE(only(c).series[0].values.empty());
       EXPECT_FALSE(chartHasData(c));
     }},
    {"MalformedNumbersAreGaps",
     chartSpace(barChart("col", "clustered", ser(0, "S", {}, {"1", "12,5", "inf", "nan", " 7 ", "+2", "1e3"}))),
     [](const Chart& c) {
       const std::vector<double>& v = only(c).series[0].values;
       ASSERT_EQ(v.size(), 7u);
       EXPECT_EQ(v[0], 1);
       EXPECT_TRUE(isGap(v[1]) && isGap(v[2]) && isGap(v[3]));
       EXPECT_EQ(v[4], 7);
       EXPECT_EQ(v[5], 2);
       EXPECT_EQ(v[6], 1000);
       EXPECT_TRUE(chartHasData(c));
     },
     3},
    {"ClaimedMillionPointsCut",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:val><c:numRef><c:numCache>" + ptCount(1'000'000) + pt(0, "1") + pt(999'999, "2") +
                             "</c:numCache></c:numRef></c:val></c:ser>")),
     [](const Chart& c) {
       const std::vector<double>& v = only(c).series[0].values;
       ASSERT_EQ(v.size(), kMaxChartPoints);
       EXPECT_EQ(v[0], 1);
     },
     0, true},
    {"HugeIndexIgnored",
     chartSpace(barChart("col", "clustered",
                         "<c:ser><c:val><c:numLit>" + pt(0, "1") + pt(2'000'000'000, "2") +
                             "<c:pt idx=\"9223372036854775807\"><c:v>4</c:v></c:pt><c:pt idx=\"-4\"><c:v>3</c:v></c:pt>"
                             "</c:numLit></c:val></c:ser>")),
     [](const Chart& c) { EXPECT_EQ(only(c).series[0].values.size(), kMaxChartPoints); }, 0, true},
    {"SeriesPastTheBoundCut",
     chartSpace(barChart("col", "clustered", test::repeated(ser(0, "S", {}, {"1"}), kMaxChartSeries + 10))),
     [](const Chart& c) { EXPECT_EQ(only(c).series.size(), kMaxChartSeries); }, 0, true},
    {"SeriesColoursFromFillsAndDefaults",
     chartSpace(barChart("col", "clustered",
                         ser(0, "A", {}, {"1"}, "<c:spPr><a:solidFill><a:srgbClr val=\"112233\"/></a:solidFill></c:spPr>") +
                             ser(1, "B", {}, {"1"}) + ser(7, "C", {}, {"1"}))),
     [](const Chart& c) {
       EXPECT_EQ(only(c).series[0].color, 0x112233u);
       EXPECT_EQ(only(c).series[1].color, 0xED7D31u);  // the second accent of the built-in palette
       EXPECT_EQ(only(c).series[2].color, c.palette[7]);
     }},
    {"LineColourFromItsOutline",
     chartSpace(group("lineChart", ser(0, "A", {}, {"1"},
                                       "<c:spPr><a:ln w=\"28575\"><a:solidFill><a:srgbClr val=\"C00000\"/></a:solidFill>"
                                       "</a:ln></c:spPr>"))),
     [](const Chart& c) { EXPECT_EQ(only(c).series[0].color, 0xC00000u); }},
    {"NoLineWhenOutlineHasNoFill",
     chartSpace(group("scatterChart", ser(0, "A", {}, {}, "<c:spPr><a:ln><a:noFill/></a:ln></c:spPr>"))),
     [](const Chart& c) { EXPECT_FALSE(only(c).series[0].line); }},
    {"SliceColours",
     chartSpace(group("pieChart", ser(0, "A", kQuarters, {"1", "2", "3"},
                                      "<c:dPt><c:idx val=\"1\"/><c:spPr><a:solidFill><a:srgbClr val=\"00FF00\"/>"
                                      "</a:solidFill></c:spPr></c:dPt><c:dPt><c:idx val=\"x\"/></c:dPt>"))),
     [](const Chart& c) {
       ASSERT_EQ(only(c).series[0].pointColors.size(), 1u);
       EXPECT_EQ(only(c).series[0].pointColors[0].index, 1u);
       EXPECT_EQ(only(c).series[0].pointColors[0].rgb, 0x00FF00u);
     },
     1},
    {"RichTitleAxesAndLegend",
     wrapIn("c:chartSpace",
            wrapIn("c:chart",
                   "<c:title><c:tx><c:rich><a:bodyPr/><a:p><a:r><a:t>Sales </a:t></a:r><a:r><a:t>&amp; costs</a:t>"
                   "</a:r></a:p><a:p><a:r><a:t>2024</a:t></a:r></a:p></c:rich></c:tx></c:title>" +
                       wrapIn("c:plotArea",
                              barChart("col", "clustered", twoSeries()) +
                                  "<c:catAx><c:axId val=\"1\"/><c:delete val=\"1\"/><c:title><c:tx><c:rich><a:p><a:r>"
                                  "<a:t>Quarter</a:t></a:r></a:p></c:rich></c:tx></c:title></c:catAx>"
                                  "<c:valAx><c:axId val=\"2\"/><c:title/><c:numFmt formatCode=\"0.0%\" "
                                  "sourceLinked=\"0\"/></c:valAx>") +
                       "<c:legend><c:legendPos val=\"b\"/></c:legend>")),
     [](const Chart& c) {
       EXPECT_EQ(c.title, "Sales & costs 2024");
       EXPECT_EQ(c.categoryAxisTitle, "Quarter");
       EXPECT_EQ(c.valueAxisTitle, "Axis Title");
       EXPECT_FALSE(c.categoryAxisShown);
       EXPECT_TRUE(c.valueAxisShown);
       EXPECT_EQ(c.numberFormat, "0.0%");
       EXPECT_EQ(c.legend, LegendPosition::bottom);
     }},
    {"LinkedNumberFormatFromTheData",
     chartSpace(barChart("col", "clustered", "<c:ser><c:val>" + numRef({"1"}, "#,##0.00") + "</c:val></c:ser>") +
                "<c:valAx><c:numFmt formatCode=\"General\" sourceLinked=\"1\"/></c:valAx>"),
     [](const Chart& c) { EXPECT_EQ(c.numberFormat, "#,##0.00"); }},
    {"LegendWithoutPositionOnTheRight", chartSpace(barChart("col", "clustered", twoSeries()), "<c:legend/>"),
     [](const Chart& c) { EXPECT_EQ(c.legend, LegendPosition::right); }},
    {"NoLegendNoTitle", chartSpace(barChart("col", "clustered", twoSeries())),
     [](const Chart& c) {
       EXPECT_EQ(c.legend, LegendPosition::none);
       EXPECT_EQ(c.title, "");
     }},
    {"OneSeriesNamesAnUntitledChart",
     wrapIn("c:chartSpace", wrapIn("c:chart", wrapIn("c:plotArea", group("pieChart", ser(0, "Market", kQuarters,
                                                                                          {"1", "2", "3"}))))),
     [](const Chart& c) { EXPECT_EQ(c.title, "Market"); }},
    {"EmptyTitleOfSeveralSeries",
     wrapIn("c:chartSpace", wrapIn("c:chart", "<c:title/>" + wrapIn("c:plotArea", barChart("col", "x", twoSeries())))),
     [](const Chart& c) {
       EXPECT_EQ(c.title, "Chart Title");
       EXPECT_EQ(only(c).grouping, ChartGrouping::clustered);
     }},
    {"EmptyPlotArea", chartSpace(""),
     [](const Chart& c) {
       EXPECT_TRUE(c.plots.empty());
       EXPECT_FALSE(chartHasData(c));
     }},
};

class ChartReader : public testing::TestWithParam<ChartCase> {};

TEST_P(ChartReader, ReadsThePart) {
  const ChartCase& c = GetParam();
  ParsedXml xml(c.xml);
  Warnings warnings;
  const std::optional<Chart> chart = readChart(xml.root(), Theme{}, Settings{}, warnings);
  ASSERT_TRUE(chart.has_value());
  c.check(*chart);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.malformedNumbers) << testing::PrintToString(warnings.lines());
  EXPECT_EQ(warnings.count(WarningKind::notShown), c.cutWarned ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartReader, testing::ValuesIn(kCases), test::caseName);

// ---- Colours through the theme ------------------------------------------------------------------

struct ColorCase {
  std::string name;
  std::string fill;  // the colour element inside a:solidFill
  std::uint32_t expected;
};

Theme officeTheme() {
  Theme theme;
  theme.colors[static_cast<std::size_t>(ThemeColor::accent1) - 1] = 0x4472C4;
  theme.colors[static_cast<std::size_t>(ThemeColor::dark1) - 1] = 0x000000;
  theme.colors[static_cast<std::size_t>(ThemeColor::light1) - 1] = 0xFFFFFF;
  return theme;
}

const ColorCase kColorCases[] = {
    {"SchemeAccent", R"(<a:schemeClr val="accent1"/>)", 0x4472C4},
    {"SchemeTextThroughMapping", R"(<a:schemeClr val="tx1"/>)", 0x000000},
    {"SchemeLighter", R"(<a:schemeClr val="accent1"><a:lumMod val="60000"/><a:lumOff val="40000"/></a:schemeClr>)",
     0x8FAADC},
    {"SchemeDarker", R"(<a:schemeClr val="accent1"><a:lumMod val="75000"/></a:schemeClr>)", 0x2F5597},
    {"SchemeMissingSlotFallsBack", R"(<a:schemeClr val="accent4"/>)", 0xFFC000},
    {"RgbValue", R"(<a:srgbClr val="A1B2C3"/>)", 0xA1B2C3},
    {"SystemColour", R"(<a:sysClr val="windowText" lastClr="101010"/>)", 0x101010},
    {"PresetColour", R"(<a:prstClr val="red"/>)", 0xFF0000},
};

class ChartColors : public testing::TestWithParam<ColorCase> {};

TEST_P(ChartColors, SeriesFill) {
  ParsedXml xml(chartSpace(barChart(
      "col", "clustered",
      ser(3, "A", {}, {"1"}, "<c:spPr><a:solidFill>" + GetParam().fill + "</a:solidFill></c:spPr>"))));
  Warnings warnings;
  Settings settings;
  const std::optional<Chart> chart = readChart(xml.root(), officeTheme(), settings, warnings);
  ASSERT_TRUE(chart.has_value());
  EXPECT_EQ(only(*chart).series[0].color, GetParam().expected) << std::hex << only(*chart).series[0].color;
  EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartColors, testing::ValuesIn(kColorCases), test::caseName);

// ---- Parts ----------------------------------------------------------------------------------------

TEST(ChartReaderPart, NoChartSpaceOrNoChartGivesNothing) {
  Warnings warnings;
  ParsedXml other("<w:document/>");
  EXPECT_FALSE(readChart(other.root(), Theme{}, Settings{}, warnings).has_value());
  ParsedXml empty("<c:chartSpace><c:date1904 val=\"0\"/></c:chartSpace>");
  EXPECT_FALSE(readChart(empty.root(), Theme{}, Settings{}, warnings).has_value());
}

PartSource onePart(std::string name, std::string bytes) {
  return [name, bytes](std::string_view wanted) -> std::optional<std::string> {
    if (wanted == name) return bytes;
    return std::nullopt;
  };
}

constexpr const char* kChartNamespaces =
    R"(xmlns:cx="http://schemas.openxmlformats.org/drawingml/2006/chart" )"
    R"(xmlns:d="http://schemas.openxmlformats.org/drawingml/2006/main")";

TEST(ChartReaderPart, NamesByNamespaceWhateverThePrefix) {
  const std::string part = std::string("<cx:chartSpace ") + kChartNamespaces +
                           "><cx:chart><cx:title><cx:tx><cx:rich><d:p><d:r><d:t>Own prefix</d:t></d:r></d:p></cx:rich>"
                           "</cx:tx></cx:title><cx:plotArea><cx:pieChart><cx:ser><cx:val><cx:numLit><cx:pt idx=\"0\">"
                           "<cx:v>5</cx:v></cx:pt></cx:numLit></cx:val></cx:ser></cx:pieChart></cx:plotArea></cx:chart>"
                           "</cx:chartSpace>";
  Warnings warnings;
  const std::optional<Chart> chart =
      readChartPart(onePart("word/charts/chart1.xml", part), "word/charts/chart1.xml", Theme{}, Settings{}, warnings);
  ASSERT_TRUE(chart.has_value());
  EXPECT_EQ(chart->title, "Own prefix");
  ASSERT_EQ(chart->plots.size(), 1u);
  EXPECT_EQ(chart->plots[0].series[0].values, std::vector<double>{5});
  EXPECT_TRUE(warnings.empty());
}

TEST(ChartReaderPart, MissingPartWarned) {
  Warnings warnings;
  EXPECT_FALSE(readChartPart(onePart("a", "b"), "word/charts/chart9.xml", Theme{}, Settings{}, warnings).has_value());
  EXPECT_EQ(warnings.count(WarningKind::missingPart), 1);
}

TEST(ChartReaderPart, DamagedPartKeepsWhatCameBefore) {
  const std::string part = std::string("<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\">") +
                           "<c:chart><c:plotArea><c:barChart><c:ser><c:val><c:numLit><c:pt idx=\"0\"><c:v>5</c:v></c:pt>" +
                           "<c:pt idx=\"1\"><c:v>6</c:v></c:pt><c:pt idx=";
  Warnings warnings;
  const std::optional<Chart> chart = readChartPart(onePart("c.xml", part), "c.xml", Theme{}, Settings{}, warnings);
  ASSERT_TRUE(chart.has_value());
  ASSERT_EQ(chart->plots.size(), 1u);
  EXPECT_EQ(chart->plots[0].series[0].values, (std::vector<double>{5, 6}));
  EXPECT_EQ(warnings.count(WarningKind::malformedXml), 1);
}

}  // namespace
}  // namespace vellumine::docx
