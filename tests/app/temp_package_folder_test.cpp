#include "app/temp_package_folder.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(PackageFolderRoot, TmpdirIsTheUsersChoice) {
  TempDir memory;
  EXPECT_EQ(choosePackageFolderRoot("/somewhere/else", {memory.path()}, 10, "/tmp"), "/somewhere/else");
}

TEST(PackageFolderRoot, FirstMemoryFolderWithRoomWins) {
  TempDir first;
  TempDir second;
  EXPECT_EQ(choosePackageFolderRoot(nullptr, {first.path(), second.path()}, 4096, "/tmp"), first.path());
  EXPECT_EQ(choosePackageFolderRoot("", {first.path() / "missing", second.path()}, 4096, "/tmp"), second.path());
}

TEST(PackageFolderRoot, PackageTooLargeForTheMemoryFoldersGoesToTheFallback) {
  TempDir memory;
  const std::uint64_t huge = std::uint64_t{1} << 62;
  EXPECT_EQ(choosePackageFolderRoot(nullptr, {memory.path()}, huge, "/tmp"), "/tmp");
}

TEST(PackageFolderRoot, ReadOnlyFolderIsPassedOver) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  TempDir memory;
  fs::permissions(memory.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(choosePackageFolderRoot(nullptr, {memory.path()}, 1, "/tmp"), "/tmp");
  fs::permissions(memory.path(), fs::perms::owner_all);
}

TEST(TemporaryPackageFolder, IsPrivateAndGoneWithEverythingInIt) {
  fs::path made;
  {
    TemporaryPackageFolder folder(1024);
    made = folder.path();
    ASSERT_TRUE(fs::is_directory(made));
    EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::create_directories(made / "word" / "media");
    std::ofstream(made / "word" / "document.xml") << "<document/>";
  }
  EXPECT_FALSE(fs::exists(made));
}

// The folder's name says which program made it: the converter's by default, another's when asked.
TEST(TemporaryPackageFolder, NameStartsWithTheProgramsPrefix) {
  struct Row {
    const char* prefix;  // null: the default
    const char* expected;
  };
  const Row rows[] = {{nullptr, "vellumine-convert-"}, {"vellumine-thumbnailer", "vellumine-thumbnailer-"}};
  for (const Row& row : rows) {
    const TemporaryPackageFolder folder = row.prefix == nullptr ? TemporaryPackageFolder(0) : TemporaryPackageFolder(0, row.prefix);
    const std::string name = folder.path().filename().string();
    EXPECT_EQ(name.rfind(row.expected, 0), 0u) << name;
    EXPECT_EQ(name.size(), std::string(row.expected).size() + 6) << name;
  }
}

}  // namespace
}  // namespace vellumine
