#include "app/reading_places.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "app/user_file.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file) {
  std::string bytes;
  EXPECT_EQ(ReadUserFile(file, bytes), FileRead::Read);
  return bytes;
}

TEST(ReadingPlaces, SavedPlacesReadBackMostRecentFirst) {
  test::TempDir dir;
  const fs::path file = dir.path() / "state" / "places.lst";
  ReadingPlaces places;
  EXPECT_TRUE(places.remember("/d/a.docx", {12, 40.5, 0, 1.5}));
  EXPECT_TRUE(places.remember("/d/tab\there.docx", {3, -8, 16, 0.75}));
  places.save(file);
  EXPECT_EQ(fileText(file), "3\t-8\t16\t0.75\t/d/tab\there.docx\n12\t40.5\t0\t1.5\t/d/a.docx\n");

  ReadingPlaces read;
  read.load(file);
  EXPECT_EQ(read.size(), 2u);
  EXPECT_EQ(read.find("/d/a.docx"), (ReadingPlace{12, 40.5, 0, 1.5}));
  EXPECT_EQ(read.find("/d/tab\there.docx"), (ReadingPlace{3, -8, 16, 0.75}));
  EXPECT_FALSE(read.find("/d/other.docx"));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ReadingPlaces, KeepsTheFiftyMostRecentAndMovesAReopenedOneToTheFront) {
  ReadingPlaces places;
  for (int i = 0; i < 60; ++i) places.remember("/d/" + std::to_string(i), {i, 0, 0, 1});
  EXPECT_EQ(places.size(), kReadingPlacesKept);
  EXPECT_FALSE(places.find("/d/9"));
  EXPECT_TRUE(places.find("/d/10"));

  places.remember("/d/10", {99, 0, 0, 1});  // read again: newest, one entry
  places.remember("/d/60", {60, 0, 0, 1});
  EXPECT_EQ(places.size(), kReadingPlacesKept);
  EXPECT_EQ(places.find("/d/10")->block, 99);
  EXPECT_FALSE(places.find("/d/11"));  // the oldest went, not the one read again
}

TEST(ReadingPlaces, PathsALineCannotHoldAreNotRecordedAndValuesAreBroughtIntoRange) {
  ReadingPlaces places;
  for (std::string_view path : {std::string_view(""), std::string_view("/d/a\nb"), std::string_view("/d/a\rb"),
                                std::string_view("/d/a\0b", 6)}) {
    EXPECT_FALSE(places.remember(std::string(path), {})) << path;
  }
  EXPECT_EQ(places.size(), 0u);
  places.remember("/d/x", {-5, 1e300, -3, 40});
  EXPECT_EQ(places.find("/d/x"), (ReadingPlace{0, 1e9, 0, 5.0}));
}

struct LoadCase {
  std::string_view name;
  std::string_view text;
  std::vector<std::pair<std::string_view, int>> kept;  // document and block of each place read
};

const LoadCase kLoadCases[] = {
    {"GoodLines", "1\t2\t3\t1\t/a\n4\t5\t6\t2\t/b\n", {{"/a", 1}, {"/b", 4}}},
    {"LastLineWithoutBreak", "1\t2\t3\t1\t/a", {{"/a", 1}}},
    {"DamagedLinesCostOnlyThemselves", "x\t2\t3\t1\t/bad\n1\t2\t3\t1\t/a\n\n1\t2\t3\n", {{"/a", 1}}},
    {"MissingPath", "1\t2\t3\t1\t\n", {}},
    {"ZoomOutOfRange", "1\t2\t3\t9\t/z\n1\t2\t3\tnan\t/n\n", {}},
    {"NegativeBlock", "-1\t2\t3\t1\t/b\n", {}},
    {"TrailingGarbageInANumber", "1x\t2\t3\t1\t/b\n", {}},
    {"FirstOfTwoLinesForOneDocumentWins", "7\t0\t0\t1\t/a\n8\t0\t0\t1\t/a\n", {{"/a", 7}}},
};

class ReadingPlacesLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(ReadingPlacesLoad, KeepsTheLinesThatRead) {
  test::TempDir dir;
  const fs::path file = dir.path() / "places.lst";
  ReplaceFileContents(file, GetParam().text);
  ReadingPlaces places;
  places.remember("/stale", {});  // load replaces what was there
  places.load(file);
  EXPECT_EQ(places.size(), GetParam().kept.size());
  for (const auto& [document, block] : GetParam().kept) {
    const auto place = places.find(document);
    ASSERT_TRUE(place) << document;
    EXPECT_EQ(place->block, block) << document;
  }
}

INSTANTIATE_TEST_SUITE_P(ReadingPlaces, ReadingPlacesLoad, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadingPlaces, AMissingFileGivesNone) {
  test::TempDir dir;
  ReadingPlaces places;
  places.load(dir.path() / "none.lst");
  EXPECT_EQ(places.size(), 0u);
}

TEST(ReadingPlaceKey, TwoSpellingsOfOneFileShareAKey) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "docs");
  ReplaceFileContents(dir.path() / "docs" / "a.docx", "x");
  fs::create_symlink(dir.path() / "docs", dir.path() / "link");
  const std::string key = readingPlaceKey(dir.path() / "docs" / "a.docx");
  EXPECT_EQ(readingPlaceKey(dir.path() / "docs" / ".." / "docs" / "./a.docx"), key);
  EXPECT_EQ(readingPlaceKey(dir.path() / "link" / "a.docx"), key);
  EXPECT_TRUE(fs::path(readingPlaceKey("relative/b.docx")).is_absolute());
}

}  // namespace
}  // namespace vellumine
