// The driver: the pass table run over whole fixture packages.
#include "convert/ddocx.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/units.h"

namespace vellumine {
namespace {

// Documents that stopped with "is not a valid integer value", now read as the same document written
// the usual way would be.
struct OpeningCase {
  std::string_view name;
  std::string body, numbering;
  std::string_view expected;
};

constexpr std::string_view kDecimalNumbering =
    "<w:numbering xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:abstractNum "
    "w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"decimal\"/></w:lvl></w:abstractNum>"
    "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num></w:numbering>";

// The run's language gives the item a later '"/>' for a level value to run on to.
std::string listItem(std::string_view levelTag, std::string_view text) {
  return "<w:p><w:pPr><w:numPr>" + std::string(levelTag) + "<w:numId w:val=\"1\" /></w:numPr></w:pPr><w:r><w:rPr>"
         "<w:lang w:val=\"en-GB\"/></w:rPr><w:t>" + std::string(text) + "</w:t></w:r></w:p>";
}

std::string table(std::string_view tableWidth, std::string_view cellProperties) {
  return "<w:tbl><w:tblPr><w:tblW w:w=\"" + std::string(tableWidth) + "\" w:type=\"dxa\"/></w:tblPr><w:tr><w:tc>"
         "<w:tcPr>" + std::string(cellProperties) + "</w:tcPr><w:p><w:r><w:t>cell</w:t></w:r></w:p></w:tc></w:tr></w:tbl>";
}

const OpeningCase kOpeningCases[] = {
    // The level was read on to the item's next '"/>': "'0" /><numId val="1" /></numPr>...".
    {"ListLevelWithABlankBeforeTheSlash",
     listItem("<w:ilvl w:val=\"0\" />", "one") + listItem("<w:ilvl w:val=\"1\"\n/>", "two") +
         "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:t>after</w:t></w:r></w:p>",
     std::string(kDecimalNumbering),
     "<ol><li><p>one</p></li><ol><li><p>two</p></li></ol></ol><p style=\"text-align:center;\">after</p>"},
    {"ListLevelWithADecimalPart", listItem("<w:ilvl w:val=\"0.0\"/>", "one") + listItem("<w:ilvl w:val=\"1.0\"/>", "two"),
     std::string(kDecimalNumbering), "<ol><li><p>one</p></li><ol><li><p>two</p></li></ol></ol>"},
    {"TableAndCellWidthsWithADecimalPart", table("9360.0", "<w:tcW w:w=\"4680.0\" w:type=\"dxa\"/>"), "",
     "<table width=\"624px\"><tr><td style=\"width:312px;\"><p>cell</p></td></tr></table>"},
    {"ColumnSpanWithADecimalPart", table("0", "<w:gridSpan w:val=\"2.0\"/>"), "",
     "<table><tr><td colspan=\"2\"><p>cell</p></td></tr></table>"},
};

class DdocxOpening : public testing::TestWithParam<OpeningCase> {};
TEST_P(DdocxOpening, ConvertsAsWrittenTheUsualWay) {
  std::string html;
  ASSERT_NO_THROW(html = test::bodyHtmlOf(GetParam().body, GetParam().numbering));
  EXPECT_SAME_TEXT(html, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Documents, DdocxOpening, testing::ValuesIn(kOpeningCases), test::caseName);

// A value that is no number at all still stops the conversion, with the value in the message.
TEST(Ddocx, TableWidthThatIsNoNumberStillFails) {
  try {
    test::bodyHtmlOf(table("wide", ""));
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'wide' is not a valid integer value");
  }
}

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
