// The chart pass between the reading and the page, on the hand-made package of four charts
// (columns, a pie, lines, and a radar chart the page shows as its data): which drawings get a
// picture, that a part shown twice is drawn once, what a missing or unreadable part leaves, and
// the whole page with its stored copy and the stored picture of the column chart.
#include "app/chart_pass.h"

#include <gtest/gtest.h>

#include "app/document_page.h"
#include "app/page_writer.h"
#include "docx/reader.h"
#include "support/page_support.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

class ChartPass : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy(test::fixturesDir() / "packages" / "charts", package.path(), fs::copy_options::recursive);
  }
  docx::Document read() { return docx::readDocument(docx::folderPartSource(package.path()), warnings); }
  std::size_t mediaFiles() const {
    const fs::path media = package.path() / "word" / "media";
    if (!fs::exists(media)) return 0;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(media), fs::directory_iterator()));
  }

  test::TempDir package;
  docx::Warnings warnings;
};

TEST_F(ChartPass, DrawsEachChartItDrawsAndKeepsTheDataOfTheOther) {
  docx::Document document = read();
  ASSERT_EQ(document.drawings.size(), 4u);
  drawDocumentCharts(document, package.path(), warnings);
  for (std::size_t k = 0; k < 3; ++k) {
    const docx::Drawing& drawing = document.drawings[k];
    EXPECT_TRUE(drawing.drawn.starts_with("word/media/vm-") && drawing.drawn.ends_with(".svg")) << drawing.drawn;
    EXPECT_EQ(drawing.chart, -1);
    const std::string svg = ReadWholeFile(package.path() / drawing.drawn);
    EXPECT_TRUE(svg.starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\"")) << k;
  }
  const docx::Drawing& radar = document.drawings[3];
  EXPECT_TRUE(radar.drawn.empty());
  ASSERT_EQ(radar.chart, 0);
  ASSERT_EQ(document.charts.size(), 1u);
  EXPECT_EQ(document.charts[0].title, "Team skills");
  EXPECT_EQ(mediaFiles(), 3u);
  EXPECT_TRUE(warnings.empty()) << testing::PrintToString(warnings.lines());
}

TEST_F(ChartPass, ThePictureOfTheColumnChartIsTheStoredOne) {
  docx::Document document = read();
  drawDocumentCharts(document, package.path(), warnings);
  EXPECT_TRUE(test::SameStoredFile("charts-chart1.svg", ReadWholeFile(package.path() / document.drawings[0].drawn)));
  // The theme's second accent, a quarter darker, colours the second series.
  EXPECT_NE(ReadWholeFile(package.path() / document.drawings[0].drawn).find("fill=\"#C55A11\""), std::string::npos);
}

TEST_F(ChartPass, APartShownTwiceIsDrawnOnce) {
  docx::Document document = read();
  docx::Drawing again = document.drawings[0];
  again.widthEmu /= 2;
  document.drawings.push_back(again);
  drawDocumentCharts(document, package.path(), warnings);
  EXPECT_EQ(document.drawings[4].drawn, document.drawings[0].drawn);
  EXPECT_EQ(mediaFiles(), 3u);
}

TEST_F(ChartPass, AMissingOrUnreadablePartKeepsTheBox) {
  docx::Document document = read();
  fs::remove(package.path() / "word" / "charts" / "chart2.xml");
  WriteTextFile(package.path() / "word" / "charts" / "chart3.xml", "<w:document xmlns:w=\"urn:x\"/>");
  document.drawings[0].target = "../outside.xml";
  drawDocumentCharts(document, package.path(), warnings);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_TRUE(document.drawings[k].drawn.empty()) << k;
    EXPECT_EQ(document.drawings[k].chart, -1) << k;
  }
  EXPECT_EQ(warnings.count(docx::WarningKind::missingPart), 2);
}

TEST_F(ChartPass, AChartWithoutCacheShowsItsTable) {
  std::string part = ReadWholeFile(package.path() / "word" / "charts" / "chart1.xml");
  // The caches go; the references to the workbook stay.
  for (std::size_t at = part.find("<c:numCache>"); at != std::string::npos; at = part.find("<c:numCache>")) {
    part.erase(at, part.find("</c:numCache>", at) + 13 - at);
  }
  WriteTextFile(package.path() / "word" / "charts" / "chart1.xml", part);
  docx::Document document = read();
  drawDocumentCharts(document, package.path(), warnings);
  EXPECT_TRUE(document.drawings[0].drawn.empty());
  ASSERT_GE(document.drawings[0].chart, 0);
  EXPECT_EQ(document.charts[static_cast<std::size_t>(document.drawings[0].chart)].title, "Sales by quarter");
}

TEST_F(ChartPass, WholePageIsTheStoredOneUntouchedByTheSanitiser) {
  const DocumentPage made = makeDocumentPage(package.path(), PageRequest{});
  EXPECT_TRUE(made.warnings.empty()) << testing::PrintToString(made.warnings);
  EXPECT_EQ(made.notShownCount, 0);
  EXPECT_EQ(made.page.find("not shown"), std::string::npos);
  EXPECT_TRUE(test::SameStoredPage("charts", made.page));
  EXPECT_SAME_TEXT(finishedPage(made.page), made.page);
  // Made again, the same pictures are found and nothing more is written.
  EXPECT_EQ(makeDocumentPage(package.path(), PageRequest{}).page, made.page);
  EXPECT_EQ(mediaFiles(), 3u);
}

}  // namespace
}  // namespace vellumine
