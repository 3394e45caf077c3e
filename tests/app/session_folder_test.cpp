#include "app/session_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

TEST(SessionFolder, TwoViewersGetTwoFoldersInsideTmp) {
  test::TempDir tmp;
  SessionFolder first(tmp.path());
  SessionFolder second(tmp.path());
  EXPECT_NE(first.path(), second.path());
  EXPECT_EQ(first.path().parent_path(), tmp.path());
  EXPECT_TRUE(fs::is_directory(first.path()));
  EXPECT_TRUE(fs::is_directory(second.path()));
}

TEST(SessionFolder, RemoveDeletesOnlyItsOwnFolder) {
  test::TempDir tmp;
  SessionFolder second(tmp.path());
  fs::path firstPath;
  {
    SessionFolder first(tmp.path());
    firstPath = first.path();
    std::ofstream(first.path() / "inside.txt") << "x";
  }
  EXPECT_FALSE(fs::exists(firstPath));
  EXPECT_TRUE(fs::is_directory(second.path()));
  EXPECT_TRUE(fs::is_directory(tmp.path()));
}

TEST(SessionFolder, MissingTmpFallsBackToTmpItself) {
  test::TempDir dir;
  SessionFolder session(dir.path() / "absent");
  EXPECT_EQ(session.path(), dir.path() / "absent");
  session.remove();
  EXPECT_TRUE(fs::is_directory(dir.path()));
}

TEST(SessionFolder, AbandonedFoldersGoLiveOnesStay) {
  test::TempDir tmp;
  SessionFolder live(tmp.path());
  fs::path crashed = tmp.path() / "viewer-crashed";
  fs::create_directories(crashed / "Report" / "word");
  std::ofstream(crashed / ".lock") << "";
  fs::path starting = tmp.path() / "viewer-starting";  // no lock file yet: being created
  fs::create_directories(starting);
  fs::path foreign = tmp.path() / "not-a-viewer";
  fs::create_directories(foreign);

  EXPECT_EQ(removeAbandonedSessions(tmp.path()), 1);
  EXPECT_FALSE(fs::exists(crashed));
  EXPECT_TRUE(fs::exists(live.path()));
  EXPECT_TRUE(fs::exists(starting));
  EXPECT_TRUE(fs::exists(foreign));
}

}  // namespace
}  // namespace vellumine
