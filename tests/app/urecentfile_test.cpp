#include "app/urecentfile.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;
using Slots = RecentFileList::Slots;

struct AddCase {
  std::string_view name;
  std::vector<std::string_view> opened;
  Slots expected;
};

const AddCase kAddCases[] = {
    {"ThreeFilesNewestFirst",
     {"/d/A.docx", "/d/B.docx", "/d/C.docx"},
     {"/d/C.docx", "/d/B.docx", "/d/A.docx"}},
    {"ReopenedFileSwapsWithSlotZero",
     {"/d/A.docx", "/d/B.docx", "/d/C.docx", "/d/B.docx"},
     {"/d/B.docx", "/d/C.docx", "/d/A.docx"}},
    {"ReopenedOldestSwapsOnlyTwoSlots", {"/1", "/2", "/3", "/4", "/1"}, {"/1", "/3", "/2", "/4"}},
    {"ReopeningSlotZeroChangesNothing", {"/d/A.docx", "/d/B.docx", "/d/B.docx"}, {"/d/B.docx", "/d/A.docx"}},
    {"NinthFileDropsTheOldest",
     {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
     {"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}},
    {"CaseVariantsTakeTwoSlots", {"/d/Report.docx", "/d/report.docx"}, {"/d/report.docx", "/d/Report.docx"}},
    {"AmpersandKeptInSlot", {"/d/Tom & Jerry.docx"}, {"/d/Tom & Jerry.docx"}},
    {"PathsThatCannotBeOneLineAreNotRecorded",
     {"/d/A.docx", "", "/d/two\nlines.docx", "/d/cr\r.docx", std::string_view("/d/nul\0.docx", 12)},
     {"/d/A.docx"}},
};

class RecentFileListAdd : public ::testing::TestWithParam<AddCase> {};

TEST_P(RecentFileListAdd, SlotsFollowTheOpenedFiles) {
  RecentFileList list;
  for (std::string_view path : GetParam().opened) list.addRecentFile(path);
  EXPECT_EQ(list.slots(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(RecentFileList, RecentFileListAdd, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LoadCase {
  std::string_view name;
  std::string_view fileText;
  Slots expected;
};

const LoadCase kLoadCases[] = {
    {"EightLines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", {"1", "2", "3", "4", "5", "6", "7", "8"}},
    {"FewerLinesLeaveEmptySlots", "/d/a.docx\r\n/d/b.docx", {"/d/a.docx", "/d/b.docx"}},
    {"LinesPastTheEighthIgnored",
     "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10",
     {"1", "2", "3", "4", "5", "6", "7", "8"}},
    {"BlankFileGivesEmptySlots", " \r\n\t\r\n\r\n", {}},
    {"EmptySlotsInTheMiddleKept", "/a\r\n\r\n/c", {"/a", "", "/c"}},
    {"LinesAreNotTrimmed", "\r\n /a \r\n", {"", " /a "}},
    {"LineFeedAndLoneReturnEndLines", "/a\n/b\r/c\r\n/d", {"/a", "/b", "/c", "/d"}},
    {"BytesKeptAsTheyAre", "/d/\xE9t\xC3\xA9.docx", {"/d/\xE9t\xC3\xA9.docx"}},
};

class RecentFileListLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(RecentFileListLoad, SlotsFromFileLines) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "rec.lst", GetParam().fileText);
  RecentFileList list;
  list.addRecentFile("/left/over");
  list.loadRecentList(dir.path() / "rec.lst");
  EXPECT_EQ(list.slots(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(RecentFileList, RecentFileListLoad, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecentFileList, MissingFileGivesEmptySlots) {
  test::TempDir dir;
  RecentFileList list;
  list.addRecentFile("/left/over");
  list.loadRecentList(dir.path() / "rec.lst");
  EXPECT_EQ(list.slots(), Slots{});
}

TEST(RecentFileList, UnreadableFileThrowsAndEmptiesSlots) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "rec.lst");
  RecentFileList list;
  list.addRecentFile("/left/over");
  EXPECT_THROW(list.loadRecentList(dir.path() / "rec.lst"), EInOutError);
  EXPECT_EQ(list.slots(), Slots{});
}

TEST(RecentFileList, SavesEightLinesJoinedByCrLfWithoutFinalBreak) {
  test::TempDir dir;
  RecentFileList list;
  for (std::string_view path : {"/d/A.docx", "/d/B.docx", "/d/C.docx"}) list.addRecentFile(path);
  list.saveRecentList(dir.path() / "rec.lst");
  EXPECT_EQ(ReadWholeFile(dir.path() / "rec.lst"), "/d/C.docx\r\n/d/B.docx\r\n/d/A.docx\r\n\r\n\r\n\r\n\r\n");
}

TEST(RecentFileList, RoundTripKeepsSlotsAndDropsExtraLines) {
  test::TempDir dir;
  const fs::path file = dir.path() / "rec.lst";
  WriteTextFile(file, "1\r\n/\xFF\xFE odd & bytes\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
  RecentFileList first;
  first.loadRecentList(file);
  first.saveRecentList(file);
  EXPECT_EQ(ReadWholeFile(file), "1\r\n/\xFF\xFE odd & bytes\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
  RecentFileList second;
  second.loadRecentList(file);
  EXPECT_EQ(second.slots(), first.slots());
}

TEST(RecentFileList, SaveCreatesTheStateFolderAndKeepsPrivateMode) {
  test::TempDir dir;
  const fs::path file = dir.path() / "state" / "vellumine" / "rec.lst";
  RecentFileList list;
  list.addRecentFile("/d/A.docx");
  list.saveRecentList(file);
  EXPECT_EQ(ReadWholeFile(file), "/d/A.docx\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1)
      << "no temporary file left beside rec.lst";
}

TEST(RecentFileList, SaveIntoAFolderThatIsAFileThrows) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "state", "a file, not a folder");
  RecentFileList list;
  EXPECT_THROW(list.saveRecentList(dir.path() / "state" / "rec.lst"), EInOutError);
}

struct CaptionCase {
  std::string_view name;
  std::string_view path;
  std::string_view caption;
};

const CaptionCase kCaptionCases[] = {
    {"PlainPath", "/d/a.docx", "/d/a.docx"},
    {"AmpersandDoubled", "/d/Tom & Jerry.docx", "/d/Tom && Jerry.docx"},
    {"AmpersandsInARow", "/d/&&x&", "/d/&&&&x&&"},
};

class RecentFileListCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(RecentFileListCaption, CaptionShowsThePathAndLeadsBackToIt) {
  EXPECT_EQ(recentItemCaption(GetParam().path), GetParam().caption);
  EXPECT_EQ(recentItemPath(GetParam().caption), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(RecentFileList, RecentFileListCaption, ::testing::ValuesIn(kCaptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecentFileList, KeyMarkersAddedByTheMenuAreRemoved) {
  EXPECT_EQ(recentItemPath("&/d/Tom && Jerry.docx"), "/d/Tom & Jerry.docx");
  EXPECT_EQ(recentItemPath("/d/a&b.docx"), "/d/ab.docx");
  EXPECT_EQ(recentItemPath("/d/trailing&"), "/d/trailing");
}

}  // namespace
}  // namespace vellumine
