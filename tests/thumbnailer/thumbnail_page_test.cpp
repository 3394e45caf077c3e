#include "thumbnailer/thumbnail_page.h"

#include <string>

#include <gtest/gtest.h>

#include "thumbnailer/thumbnail_limits.h"

namespace vellumine {
namespace {

struct CropRow {
  const char* name;
  std::string page;
  double width, height;
};

std::string section(const std::string& width, const std::string& height) {
  return "<div class=\"vm-section\" data-page-width=\"" + width + "\" data-page-height=\"" + height + "\">";
}

TEST(FirstPageCrop, PageShapeOfTheFirstSection) {
  const CropRow rows[] = {
      {"A4", section("793.7", "1122.52"), 793.7, 1122.52},
      {"Letter", section("816", "1056"), 816, 1056},
      {"FirstSectionCounts", section("600", "800") + section("1000", "500"), 600, 800},
      {"LandscapeIsSquared", section("1056", "816"), 1056, 1056},
      {"StripIsCutAtOneAndAHalf", section("400", "2000"), 400, 600},
      {"NoSectionIsLetter", "<p>text</p>", 816, 1056},
      {"MalformedWidthIsLetter", section("wide", "1056"), 816, 1056},
      {"UnitAfterNumberIsLetter", section("816px", "1056"), 816, 1056},
      {"TinyPageIsLetter", section("10", "20"), 816, 1056},
      {"HugePageIsLetter", section("100000", "100000"), 816, 1056},
      {"HeightMissingIsLetter", "<div data-page-width=\"600\">", 816, 1056},
  };
  for (const CropRow& row : rows) {
    SCOPED_TRACE(row.name);
    const PageCrop crop = firstPageCrop(row.page);
    EXPECT_DOUBLE_EQ(crop.width, row.width);
    EXPECT_DOUBLE_EQ(crop.height, row.height);
  }
}

TEST(ThumbnailPage, OwnStyleGoesLastInTheHeadAndTheDocumentStays) {
  const std::string page = "<html><head><style>p{}</style></head><body><p>x</p></body></html>";
  const std::string styled = thumbnailPage(page);
  const std::size_t own = styled.find("<style>html{background:#FFFFFF}");
  ASSERT_NE(own, std::string::npos);
  EXPECT_EQ(styled.find("</head>"), own + styled.size() - page.size());
  std::string without = styled;
  without.erase(own, styled.size() - page.size());
  EXPECT_EQ(without, page);
}

TEST(ThumbnailPage, PageWithoutHeadGetsTheStyleInFront) {
  const std::string styled = thumbnailPage("<p>x</p>");
  EXPECT_EQ(styled.rfind("<style>", 0), 0u);
  EXPECT_EQ(styled.substr(styled.size() - 8), "<p>x</p>");
}

struct LimitRow {
  const char* name;
  const char* value;
  long long milliseconds;
};

TEST(ThumbnailTimeLimit, VariableOrTwoSeconds) {
  const LimitRow rows[] = {
      {"Unset", nullptr, 2000},     {"Empty", "", 2000},           {"Set", "60000", 60000},
      {"One", "1", 1},              {"Zero", "0", 2000},           {"Letters", "10s", 2000},
      {"Negative", "-5", 2000},     {"TenMinutes", "600000", 600000}, {"Longer", "600001", 2000},
      {"Overflowing", "99999999999999999999999", 2000},
  };
  for (const LimitRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(thumbnailTimeLimit(row.value).count(), row.milliseconds);
  }
}

}  // namespace
}  // namespace vellumine
