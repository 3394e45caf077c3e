#include "app/user_file.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kReadOnlyFile = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr fs::perms kReadOnlyFolder =
    kReadOnlyFile | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

class UserFileTest : public ::testing::Test {
 protected:
  ~UserFileTest() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.path(), ec)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
  }
  test::TempDir dir_;
};

TEST_F(UserFileTest, ReadTellsMissingFromUnreadable) {
  std::string bytes = "stale";
  EXPECT_EQ(ReadUserFile(dir_.path() / "none", bytes), FileRead::Missing);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(ReadUserFile(dir_.path(), bytes), FileRead::Unreadable);
  WriteTextFile(dir_.path() / "list", "R");
  EXPECT_EQ(ReadUserFile(dir_.path() / "list", bytes), FileRead::Read);
  EXPECT_EQ(bytes, "R");
}

TEST_F(UserFileTest, ReadStopsAtTheLimit) {
  WriteTextFile(dir_.path() / "big", std::string(200000, 'x'));
  std::string bytes;
  EXPECT_EQ(ReadUserFile(dir_.path() / "big", bytes, 70000), FileRead::Read);
  EXPECT_EQ(bytes.size(), 70000u);
}

TEST_F(UserFileTest, ReplaceKeepsModeAndLeavesNoTemporaryFile) {
  const fs::path file = dir_.path() / "mimeapps.list";
  WriteTextFile(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  ReplaceFileContents(file, "new", 0644);
  EXPECT_EQ(ReadWholeFile(file), "new");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(UserFileTest, FailedReplaceLeavesTheOldFile) {
  const fs::path target = dir_.path() / "target";
  fs::create_directories(target / "inside");  // a rename cannot put a file over a non-empty folder
  EXPECT_THROW(ReplaceFileContents(target, "new"), EInOutError);
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(UserFileTest, WritingDeniedByModeBits) {
  const fs::path open = dir_.path() / "open";
  const fs::path locked = dir_.path() / "locked";
  fs::create_directories(open);
  fs::create_directories(locked);
  WriteTextFile(open / "writable", "x");
  WriteTextFile(open / "read-only", "x");
  fs::permissions(open / "read-only", kReadOnlyFile);
  fs::permissions(locked, kReadOnlyFolder);

  EXPECT_FALSE(DeniesWriting(open / "writable"));
  EXPECT_FALSE(DeniesWriting(open / "new"));
  EXPECT_FALSE(DeniesWriting(open / "a" / "b" / "new"));
  EXPECT_TRUE(DeniesWriting(open / "read-only"));
  EXPECT_TRUE(DeniesWriting(locked / "new"));
  EXPECT_TRUE(DeniesWriting(locked / "a" / "b" / "new"));
}

}  // namespace
}  // namespace vellumine
