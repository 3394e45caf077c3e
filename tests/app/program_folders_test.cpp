#include "app/program_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void addStartPage(const fs::path& folder) {
  fs::create_directories(folder / "lib");
  std::ofstream(folder / "lib" / "init.htm") << "<p>start</p>";
}

TEST(ProgramFolders, XdgFoldersHoldTmpTheRecentListAndTheWindowPlace) {
  ScopedEnv cache("XDG_CACHE_HOME", "/x/cache");
  ScopedEnv state("XDG_STATE_HOME", "/x/state");
  ProgramFolders folders = locateProgramFolders("/opt/v/bin");
  EXPECT_EQ(folders.tmp, fs::path("/x/cache/vellumine/tmp"));
  EXPECT_EQ(folders.recentList, fs::path("/x/state/vellumine/rec.lst"));
  EXPECT_EQ(folders.readingPlaces, fs::path("/x/state/vellumine/places.lst"));
  EXPECT_EQ(folders.windowPlace, fs::path("/x/state/vellumine/window.ini"));
}

TEST(ProgramFolders, UnsetOrRelativeXdgFallsBackToHome) {
  ScopedEnv home("HOME", "/home/ann");
  ScopedEnv cache("XDG_CACHE_HOME", nullptr);
  ScopedEnv state("XDG_STATE_HOME", "relative/state");
  ProgramFolders folders = locateProgramFolders("/opt/v/bin");
  EXPECT_EQ(folders.tmp, fs::path("/home/ann/.cache/vellumine/tmp"));
  EXPECT_EQ(folders.recentList, fs::path("/home/ann/.local/state/vellumine/rec.lst"));
  EXPECT_EQ(folders.windowPlace, fs::path("/home/ann/.local/state/vellumine/window.ini"));
}

TEST(ProgramFolders, ResourcesBesideTheExecutableComeFirst) {
  test::TempDir dir;
  addStartPage(dir.path() / "bin");
  addStartPage(dir.path() / "share" / "vellumine");
  EXPECT_EQ(locateProgramFolders(dir.path() / "bin").resources, dir.path() / "bin");
}

TEST(ProgramFolders, InstalledResourcesInShare) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "bin");
  addStartPage(dir.path() / "share" / "vellumine");
  EXPECT_EQ(locateProgramFolders(dir.path() / "bin").resources, dir.path() / "share" / "vellumine");
}

TEST(ProgramFolders, NoResourcesAnywhereMeansTheExecutableFolder) {
  test::TempDir dir;
  EXPECT_EQ(locateProgramFolders(dir.path() / "bin").resources, dir.path() / "bin");
}

TEST(ProgramFolders, CreateTmpFolderMakesTheWholePath) {
  test::TempDir dir;
  ProgramFolders folders;
  folders.tmp = dir.path() / "cache" / "vellumine" / "tmp";
  EXPECT_TRUE(createTmpFolder(folders));
  EXPECT_TRUE(fs::is_directory(folders.tmp));
  folders.tmp = dir.path() / "file" / "tmp";
  std::ofstream(dir.path() / "file") << "";
  EXPECT_FALSE(createTmpFolder(folders));
}

}  // namespace
}  // namespace vellumine
