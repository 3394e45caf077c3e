// The driver: the pass table run over whole fixture packages.
#include "convert/ddocx.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

TEST(Ddocx, StepTextsAreReportedInOrder) {
  test::TempDir dir;
  std::vector<std::string> steps;
  Conversion c;
  c.packageFolder = dir.path();
  c.showStep = [&](std::string_view s) { steps.emplace_back(s); };
  loadDocumentParts(c);
  convert(c);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), "Preparing conversion");
  EXPECT_EQ(steps.back(), "Done");
}

// The settings are the inputs; the flags are what the table's rows make of them.
TEST(Ddocx, PassTableSetsTheFlagsFromTheSettings) {
  test::TempDir dir;
  for (bool chosen : {false, true}) {
    Conversion c;
    c.packageFolder = dir.path();
    c.settings.optimizeHtml = chosen;
    c.settings.useOriginalPageSetting = chosen;
    c.flags.cellPropertiesEnabled = false;  // initConversion puts it back
    loadDocumentParts(c);
    convert(c);
    EXPECT_EQ(c.flags.optimizeHtml, chosen);
    EXPECT_EQ(c.flags.useOriginalPageSetting, chosen);
    EXPECT_TRUE(c.flags.cellPropertiesEnabled);
  }
}

TEST(Ddocx, EmptyPackageStillGivesTheFramedSkeleton) {
  test::TempDir dir;
  const std::string page = convertPackageFolder(dir.path());
  EXPECT_NE(page.find("<title></title>"), std::string::npos);
  EXPECT_NE(page.find("#page{width:544; margin:auto;}</style>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 20), "</div></body></html>");
}

TEST(Ddocx, SampleKeepsItsTextAndTheFrameStaysOutOfTheDocumentText) {
  const auto sample = test::fixturesDir() / "packages" / "sample";
  Conversion c;
  c.packageFolder = sample;
  loadDocumentParts(c);
  convert(c);
  EXPECT_NE(c.text.find("vellumine-convert"), std::string::npos);
  EXPECT_EQ(c.text.find("<div id=\"page\">"), std::string::npos);
  const std::string page = convertPackageFolder(sample);
  EXPECT_NE(page.find("<div id=\"page\">"), std::string::npos);
  EXPECT_NE(page.find("body{padding:64 64 96 64;border:none;}#page{width:544; margin:auto;}"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
