#include "thumbnailer/atomic_output.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

TEST(WriteFileAtomically, NewAndReplacedFilesHoldTheBytesAndNothingElseIsLeft) {
  const std::string longName(250, 'n');
  struct Row {
    const char* name;
    std::string file;
    const char* earlier;  // null: no earlier file
  };
  const Row rows[] = {{"New", "t.png", nullptr}, {"Replaced", "t.png", "old bytes"}, {"LongName", longName, nullptr}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::TempDir folder;
    const fs::path target = folder.path() / row.file;
    if (row.earlier != nullptr) WriteTextFile(target, row.earlier);
    writeFileAtomically(target, std::string("new\0bytes", 9));
    EXPECT_EQ(ReadWholeFile(target), std::string("new\0bytes", 9));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{row.file});
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
  }
}

TEST(WriteFileAtomically, MissingFolderThrowsAndWritesNothing) {
  test::TempDir folder;
  EXPECT_THROW(writeFileAtomically(folder.path() / "missing" / "t.png", "bytes"), std::runtime_error);
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(WriteFileAtomically, TargetThatIsAFolderIsLeftAndTheTemporaryFileRemoved) {
  test::TempDir folder;
  fs::create_directories(folder.path() / "t.png" / "inside");
  EXPECT_THROW(writeFileAtomically(folder.path() / "t.png", "bytes"), std::runtime_error);
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"t.png"});
  EXPECT_TRUE(fs::is_directory(folder.path() / "t.png" / "inside"));
}

}  // namespace
}  // namespace vellumine
