// A chart drawing on the page: its drawn picture in its place, its data as a table when the pass
// left it one, and the labelled box when it has neither (or names data the document lacks).
#include <string>

#include <gtest/gtest.h>

#include "render/drawing_writer.h"
#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::InlineKind;

docx::Drawing chartDrawing() {
  docx::Drawing d;
  d.kind = docx::DrawingKind::chart;
  d.target = "word/charts/chart1.xml";
  d.widthEmu = 1905000;
  d.heightEmu = 952500;
  return d;
}

struct ChartPageCase {
  std::string name;
  std::string drawn;
  std::int32_t chart;
  std::string expected;  // what the paragraph holds
  int notShown;
};

const ChartPageCase kCases[] = {
    {"DrawnPictureInItsPlace", "word/media/vm-0123456789abcdef.svg", -1,
     "<img src=\"media/vm-0123456789abcdef.svg\" class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"DataAsATable", "", 0,
     "<span class=\"vm-tbx\" style=\"width:200px;min-height:100px;\"><span style=\"display:block;font-weight:bold;"
     "margin-bottom:2px\">Fruit</span><span style=\"display:table;border-collapse:collapse;font-size:9pt\"><span "
     "style=\"display:table-row\"><span style=\"display:table-cell;border:1px solid #BFBFBF;padding:1px 4px;"
     "font-weight:bold\"></span><span style=\"display:table-cell;border:1px solid #BFBFBF;padding:1px 4px;"
     "font-weight:bold\">Kg</span></span><span style=\"display:table-row\"><span style=\"display:table-cell;border:1px "
     "solid #BFBFBF;padding:1px 4px;font-weight:bold\">Apples</span><span style=\"display:table-cell;border:1px solid "
     "#BFBFBF;padding:1px 4px;text-align:right\">2.5</span></span></span></span>",
     0},
    {"NeitherKeepsTheBox", "", -1,
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">chart not shown</span>", 1},
    {"DataTheDocumentLacksKeepsTheBox", "", 7,
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">chart not shown</span>", 1},
};

class ChartOnThePage : public testing::TestWithParam<ChartPageCase> {};

TEST_P(ChartOnThePage, WritesTheChartDrawing) {
  test::DocumentBuilder b;
  docx::Drawing drawing = chartDrawing();
  drawing.drawn = GetParam().drawn;
  drawing.chart = GetParam().chart;
  const int index = b.drawing(drawing);
  docx::Chart chart;
  chart.title = "Fruit";
  docx::ChartPlot plot;
  plot.kind = docx::ChartKind::other;
  plot.categories = {"Apples"};
  docx::ChartSeries series;
  series.name = "Kg";
  series.values = {2.5};
  plot.series.push_back(series);
  chart.plots.push_back(plot);
  b.document().charts.push_back(chart);
  b.body({test::paragraph({test::mark(InlineKind::drawing, index)})});
  docx::Warnings warnings;
  const std::string page = test::renderWholePage(b.document(), &warnings);
  const std::size_t start = page.find("<p class=\"p1\">") + 14;
  EXPECT_SAME_TEXT(page.substr(start, page.find("</p>", start) - start), GetParam().expected);
  EXPECT_EQ(warnings.count(docx::WarningKind::itemNotShown), GetParam().notShown);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartOnThePage, testing::ValuesIn(kCases), test::caseName);

}  // namespace
}  // namespace vellumine::render
