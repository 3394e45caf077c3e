#include "text/fileutil.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

TEST(FileUtil, WriteThenReadGivesTheSameBytes) {
  test::TempDir dir;
  std::string bytes("a\r\nb\0c\xEF\xBB\xBF\xFF", 9);
  WriteTextFile(dir.path() / "part.xml", bytes);
  EXPECT_EQ(ReadWholeFile(dir.path() / "part.xml"), bytes);
  EXPECT_EQ(FileSizeOf(dir.path() / "part.xml"), 9);
}

TEST(FileUtil, WriteTruncatesAnExistingFile) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "f", "long old text");
  WriteTextFile(dir.path() / "f", "new");
  EXPECT_EQ(ReadWholeFile(dir.path() / "f"), "new");
}

TEST(FileUtil, ReadOfMissingOrEmptyFileIsEmpty) {
  test::TempDir dir;
  EXPECT_EQ(ReadWholeFile(dir.path() / "missing"), "");
  WriteTextFile(dir.path() / "empty", "");
  EXPECT_EQ(ReadWholeFile(dir.path() / "empty"), "");
}

TEST(FileUtil, ReadOfSomethingThatIsNoFileGivesR) {
  test::TempDir dir;
  EXPECT_EQ(ReadWholeFile(dir.path()), "R");
  // A named pipe would block a plain open forever.
  ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadWholeFile(dir.path() / "pipe"), "R");
}

TEST(FileUtil, ReadOfUnreadableFileGivesR) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  test::TempDir dir;
  fs::path file = dir.path() / "locked";
  WriteTextFile(file, "secret");
  ASSERT_EQ(::chmod(file.c_str(), 0), 0);
  EXPECT_EQ(ReadWholeFile(file), "R");
}

TEST(FileUtil, WriteFailureNamesThePath) {
  test::TempDir dir;
  fs::path target = dir.path() / "no-such-folder" / "doc.html";
  try {
    WriteTextFile(target, "x");
    FAIL() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
}

TEST(FileUtil, FileSizeOfMissingOrFolderIsZero) {
  test::TempDir dir;
  EXPECT_EQ(FileSizeOf(dir.path() / "missing"), 0);
  EXPECT_EQ(FileSizeOf(dir.path()), 0);
}

TEST(FileUtil, ListFolderIncludesDotEntries) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "b.png", "b");
  WriteTextFile(dir.path() / ".hidden", "h");
  std::vector<std::string> names = ListFolder(dir.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", ".hidden", "b.png"}));
  EXPECT_TRUE(ListFolder(dir.path() / "missing").empty());
}

TEST(FileUtil, CopyFolderFilesCopiesEveryFile) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "media");
  WriteTextFile(dir.path() / "media" / "image1.png", "png bytes");
  WriteTextFile(dir.path() / "media" / "image2.jpeg", std::string(70000, 'j'));
  fs::path target = dir.path() / "out" / "media";
  EXPECT_EQ(CopyFolderFiles(dir.path() / "media", target), 1);
  EXPECT_EQ(ReadWholeFile(target / "image1.png"), "png bytes");
  EXPECT_EQ(FileSizeOf(target / "image2.jpeg"), 70000);
}

TEST(FileUtil, CopyFolderFilesOfEmptyOrMissingFolderCreatesNothing) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "media");
  EXPECT_EQ(CopyFolderFiles(dir.path() / "media", dir.path() / "out1"), 0);
  EXPECT_EQ(CopyFolderFiles(dir.path() / "missing", dir.path() / "out2"), 0);
  EXPECT_FALSE(fs::exists(dir.path() / "out1"));
  EXPECT_FALSE(fs::exists(dir.path() / "out2"));
}

TEST(FileUtil, CopyFolderFilesLeavesLinksBehind) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "media");
  WriteTextFile(dir.path() / "outside.txt", "private");
  fs::create_symlink(dir.path() / "outside.txt", dir.path() / "media" / "link.png");
  WriteTextFile(dir.path() / "media" / "real.png", "r");
  EXPECT_EQ(CopyFolderFiles(dir.path() / "media", dir.path() / "out"), 1);
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "real.png"));
  EXPECT_FALSE(fs::exists(dir.path() / "out" / "link.png"));
}

TEST(FileUtil, CopyFileReplacesTargetAndReportsMissingSource) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "a", "new");
  WriteTextFile(dir.path() / "b", "old and longer");
  CopyFile(dir.path() / "a", dir.path() / "b");
  EXPECT_EQ(ReadWholeFile(dir.path() / "b"), "new");
  EXPECT_THROW(CopyFile(dir.path() / "missing", dir.path() / "c"), EInOutError);
}

TEST(FileUtil, SizeTextCountsStartedKilobytes) {
  EXPECT_EQ(SizeText(0), "0 KB");
  EXPECT_EQ(SizeText(-5), "0 KB");
  EXPECT_EQ(SizeText(1), "1 KB");
  EXPECT_EQ(SizeText(1023), "1 KB");
  EXPECT_EQ(SizeText(1024), "2 KB");
  EXPECT_EQ(SizeText(2048), "3 KB");
}

}  // namespace
}  // namespace vellumine
