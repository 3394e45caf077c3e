#include "app/delTree.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

class DelTree : public testing::Test {
 protected:
  test::TempDir dir;
  fs::path tmp = dir.path() / "tmp";
  fs::path outside = dir.path() / "outside";

  void SetUp() override {
    touch(outside / "keep.txt");
    fs::create_directories(tmp);
  }
};

TEST_F(DelTree, DeletesTheWholeTree) {
  fs::path package = tmp / "Report";
  touch(package / "word" / "document.xml");
  touch(package / "word" / "media" / "image1.png");
  touch(package / "docProps" / "core.xml");
  // A read-only folder as an archive may recreate it.
  fs::permissions(package / "word" / "media", fs::perms::owner_read | fs::perms::owner_exec);

  EXPECT_TRUE(deleteFolderTree(package, tmp));
  EXPECT_FALSE(fs::exists(package));
  EXPECT_TRUE(fs::is_directory(tmp));
}

TEST_F(DelTree, MissingFolderCountsAsDeleted) {
  EXPECT_TRUE(deleteFolderTree(tmp / "never-made", tmp));
}

TEST_F(DelTree, RefusesEverythingNotStrictlyInsideTmp) {
  touch(tmp / "a" / "file");
  const fs::path refused[] = {tmp, tmp / ".", tmp / "..", tmp / "a" / ".." / "..", tmp / "", outside,
                              dir.path(), fs::path()};
  for (const fs::path& folder : refused) {
    EXPECT_FALSE(deleteFolderTree(folder, tmp)) << folder;
  }
  EXPECT_TRUE(fs::exists(tmp / "a" / "file"));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
}

TEST_F(DelTree, NeverFollowsALinkOutOfTmp) {
  fs::path package = tmp / "Report";
  touch(package / "word" / "document.xml");
  fs::create_directory_symlink(outside, package / "word" / "escape");
  fs::create_symlink(outside / "keep.txt", package / "linked.txt");

  EXPECT_TRUE(deleteFolderTree(package, tmp));
  EXPECT_FALSE(fs::exists(package));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
}

TEST_F(DelTree, APackageFolderThatIsALinkLosesOnlyTheLink) {
  fs::create_directory_symlink(outside, tmp / "Report");
  EXPECT_TRUE(deleteFolderTree(tmp / "Report", tmp));
  EXPECT_FALSE(fs::exists(fs::symlink_status(tmp / "Report")));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
}

TEST_F(DelTree, AFolderReachedThroughALinkOutOfTmpIsRefused) {
  fs::create_directory_symlink(outside, tmp / "door");
  touch(outside / "inner" / "file");
  EXPECT_FALSE(deleteFolderTree(tmp / "door" / "inner", tmp));
  EXPECT_TRUE(fs::exists(outside / "inner" / "file"));
}

TEST_F(DelTree, TmpGivenThroughALinkStillWorks) {
  fs::create_directory_symlink(tmp, dir.path() / "tmp-link");
  touch(tmp / "Report" / "word" / "document.xml");
  EXPECT_TRUE(deleteFolderTree(dir.path() / "tmp-link" / "Report", dir.path() / "tmp-link"));
  EXPECT_FALSE(fs::exists(tmp / "Report"));
}

}  // namespace
}  // namespace vellumine
