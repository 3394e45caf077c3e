#include "thumbnailer/stored_thumbnail.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "png body";
const std::string kJpeg = std::string("\xff\xd8\xff\xe0", 4) + "jpeg body";
const std::string kMetafile = std::string("\x01\x00\x00\x00", 4) + " EMF body";

TEST(RasterTypeOf, ToldByTheFirstBytes) {
  const std::pair<std::string, RasterType> rows[] = {
      {kPng, RasterType::png},         {kJpeg, RasterType::jpeg},
      {kMetafile, RasterType::unknown}, {"", RasterType::unknown},
      {kPng.substr(0, 7), RasterType::unknown}, {"\xff\xd8", RasterType::unknown},
  };
  for (const auto& [bytes, type] : rows) EXPECT_EQ(rasterTypeOf(bytes), type) << bytes;
}

std::string relationshipTo(const std::string& target) {
  return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/"
         "metadata/thumbnail\" Target=\"" + target + "\"/></Relationships>";
}

struct StoredRow {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // package path, bytes
  std::optional<std::string> expected;
};

TEST(FindStoredThumbnail, RelationshipFirstThenTheConventionalNames) {
  const std::vector<StoredRow> rows = {
      {"RelatedPng", {{"_rels/.rels", relationshipTo("docProps/t.png")}, {"docProps/t.png", kPng}}, kPng},
      {"RelatedFromTheRoot", {{"_rels/.rels", relationshipTo("/docProps/t.png")}, {"docProps/t.png", kPng}}, kPng},
      {"RelatedJpegBeforeConventionalPng",
       {{"_rels/.rels", relationshipTo("docProps/t.jpeg")}, {"docProps/t.jpeg", kJpeg}, {"docProps/thumbnail.png", kPng}},
       kJpeg},
      {"RelatedMetafileGivesWayToConventionalPng",
       {{"_rels/.rels", relationshipTo("docProps/thumbnail.emf")}, {"docProps/thumbnail.emf", kMetafile},
        {"docProps/thumbnail.png", kPng}},
       kPng},
      {"RelationshipOutsideThePackage", {{"_rels/.rels", relationshipTo("../outside.png")}}, std::nullopt},
      {"ConventionalPng", {{"docProps/thumbnail.png", kPng}}, kPng},
      {"ConventionalJpeg", {{"docProps/thumbnail.jpeg", kJpeg}}, kJpeg},
      {"ConventionalJpg", {{"docProps/thumbnail.jpg", kJpeg}}, kJpeg},
      {"TypeByContentNotName", {{"docProps/thumbnail.png", kJpeg}}, kJpeg},
      {"MetafileOnly", {{"docProps/thumbnail.wmf", kMetafile}}, std::nullopt},
      {"PngNameHoldingText", {{"docProps/thumbnail.png", "text"}}, std::nullopt},
      {"DamagedRelationships", {{"_rels/.rels", "<Relationships"}, {"docProps/thumbnail.png", kPng}}, kPng},
      {"Nothing", {}, std::nullopt},
  };
  for (const StoredRow& row : rows) {
    SCOPED_TRACE(row.name);
    test::TempDir package;
    WriteTextFile(package.path() / "outside.png", kPng);  // what the escaping target would reach
    fs::create_directories(package.path() / "pkg");
    for (const auto& [name, bytes] : row.files) {
      fs::create_directories((package.path() / "pkg" / name).parent_path());
      WriteTextFile(package.path() / "pkg" / name, bytes);
    }
    EXPECT_EQ(findStoredThumbnail(package.path() / "pkg"), row.expected);
  }
}

TEST(FindStoredThumbnail, OversizedPartIsNotRead) {
  test::TempDir package;
  fs::create_directories(package.path() / "docProps");
  WriteTextFile(package.path() / "docProps" / "thumbnail.png", kPng + std::string(kMaximumStoredThumbnailBytes, 'x'));
  EXPECT_EQ(findStoredThumbnail(package.path()), std::nullopt);
}

}  // namespace
}  // namespace vellumine
