#include "app/shortcut.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/keyfile.h"
#include "support/test_support.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDocxType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document";
const fs::path kExecutable = "/opt/Vellumine 1.3/bin/vellumine";

// Points HOME and the XDG folders at a fresh temporary folder for one test, and back afterwards.
class ShortcutTest : public ::testing::Test {
 protected:
  ShortcutTest() {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    ::setenv("HOME", (home() / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home() / "data").c_str(), 1);
    fs::create_directories(config());
    folders_ = locateDesktopFolders();
  }
  ~ShortcutTest() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(home(), ec)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      if (saved_[i]) {
        ::setenv(kVariables[i], saved_[i]->c_str(), 1);
      } else {
        ::unsetenv(kVariables[i]);
      }
    }
  }

  const fs::path& home() const { return dir_.path(); }
  fs::path config() const { return home() / "config"; }
  fs::path handler() const { return folders_.applications / "vellumine.desktop"; }
  std::string mimeApps() const { return ReadWholeFile(folders_.mimeAppsList); }
  std::optional<std::string> docxDefault() const {
    return keyFileValue(mimeApps(), "Default Applications", kDocxType);
  }

  test::TempDir dir_;
  DesktopFolders folders_;

 private:
  static constexpr const char* kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(ShortcutTest, FoldersFollowTheXdgVariables) {
  EXPECT_EQ(folders_.applications, home() / "data" / "applications");
  EXPECT_EQ(folders_.mimeAppsList, config() / "mimeapps.list");
  EXPECT_EQ(folders_.desktop, home() / "home" / "Desktop");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // relative values are ignored
  EXPECT_EQ(locateDesktopFolders().mimeAppsList, home() / "home" / ".config" / "mimeapps.list");
}

TEST_F(ShortcutTest, DesktopFolderReadFromUserDirs) {
  WriteTextFile(config() / "user-dirs.dirs",
                "# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
                "XDG_DESKTOP_DIR=\"$HOME/Bureau \\\"1\\\"\"\n");
  EXPECT_EQ(locateDesktopFolders().desktop, home() / "home" / "Bureau \"1\"");
  WriteTextFile(config() / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"/srv/desk\"\n");
  EXPECT_EQ(locateDesktopFolders().desktop, fs::path("/srv/desk"));
  WriteTextFile(config() / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"relative\"\n");
  EXPECT_EQ(locateDesktopFolders().desktop, home() / "home" / "Desktop");
}

TEST_F(ShortcutTest, AssociateTwiceThenDeassociate) {
  EXPECT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Associated);
  EXPECT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Associated);
  EXPECT_EQ(mimeApps(), "[Default Applications]\n" + std::string(kDocxType) + "=vellumine.desktop;\n");
  EXPECT_EQ(keyFileValue(ReadWholeFile(handler()), "Desktop Entry", "Exec"),
            "\"/opt/Vellumine 1.3/bin/vellumine\" %f");

  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::Deassociated);
  EXPECT_EQ(docxDefault(), "");
  EXPECT_FALSE(fs::exists(handler()));
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::AssociatedWithNothing);
}

TEST_F(ShortcutTest, NothingRegistered) {
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::NotRegistered);
  WriteTextFile(folders_.mimeAppsList, "[Default Applications]\ntext/plain=editor.desktop\n");
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::NotRegistered);
  EXPECT_EQ(mimeApps(), "[Default Applications]\ntext/plain=editor.desktop\n");
}

struct OtherProgramCase {
  std::string_view name;
  std::string_view defaultValue;
  std::string_view handlerExec;  // empty: no handler entry of ours
};

const OtherProgramCase kOtherProgramCases[] = {
    {"AnotherDesktopId", "otherviewer.desktop;", ""},
    {"OurIdBesideAnother", "vellumine.desktop;otherviewer.desktop;",
     "\"/opt/Vellumine 1.3/bin/vellumine\" %f"},
    {"OurIdRunningAMovedProgram", "vellumine.desktop;", "\"/old/place/vellumine\" %f"},
    {"OurIdWithoutItsEntry", "vellumine.desktop;", ""},
};

class ShortcutOtherProgram : public ShortcutTest, public ::testing::WithParamInterface<OtherProgramCase> {};

TEST_P(ShortcutOtherProgram, IsLeftAlone) {
  const OtherProgramCase& c = GetParam();
  const std::string list =
      "[Default Applications]\n" + std::string(kDocxType) + "=" + std::string(c.defaultValue) + "\n";
  WriteTextFile(folders_.mimeAppsList, list);
  std::string entry;
  if (!c.handlerExec.empty()) {
    entry = "[Desktop Entry]\nType=Application\nExec=" + std::string(c.handlerExec) + "\n";
    fs::create_directories(folders_.applications);
    WriteTextFile(handler(), entry);
  }
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::OtherProgram);
  EXPECT_EQ(mimeApps(), list);
  EXPECT_EQ(ReadWholeFile(handler()), entry);
}

INSTANTIATE_TEST_SUITE_P(Shortcut, ShortcutOtherProgram, ::testing::ValuesIn(kOtherProgramCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShortcutTest, ProgramMovedAfterAssociating) {
  ASSERT_EQ(associateExtension(folders_, "/old/place/vellumine", ".docx"), AssociateResult::Associated);
  const std::string list = mimeApps();
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::OtherProgram);
  EXPECT_EQ(mimeApps(), list);
  EXPECT_TRUE(fs::exists(handler()));
}

TEST_F(ShortcutTest, OtherEntriesOfMimeappsListKeptByteForByte) {
  const std::string before = "# my associations\r\n[Added Associations]\r\n" + std::string(kDocxType) +
                             "=otherviewer.desktop;\r\n\r\n"
                             "[Default Applications]\r\ntext/plain = editor.desktop\r\n" +
                             std::string(kDocxType) +
                             "=otherviewer.desktop;\r\n"
                             "image/png=viewer.desktop;\r\n\r\n[Removed Associations]\r\n";
  WriteTextFile(folders_.mimeAppsList, before);
  ASSERT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Associated);
  EXPECT_SAME_TEXT(mimeApps(),
                   ReplaceAllText(before, "=otherviewer.desktop;\r\nimage", "=vellumine.desktop;\r\nimage"));
  ASSERT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::Deassociated);
  EXPECT_SAME_TEXT(mimeApps(), ReplaceAllText(before, "=otherviewer.desktop;\r\nimage", "=\r\nimage"));
}

TEST_F(ShortcutTest, ReadOnlyConfigFolderDeniesAndChangesNothing) {
  fs::permissions(config(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Denied);
  EXPECT_FALSE(fs::exists(folders_.mimeAppsList));
  EXPECT_FALSE(fs::exists(handler()));
}

TEST_F(ShortcutTest, ReadOnlyMimeappsListDeniesBothWays) {
  ASSERT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Associated);
  const std::string list = mimeApps();
  fs::permissions(folders_.mimeAppsList,
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(deassociateExtension(folders_, kExecutable, ".docx"), DeassociateResult::Denied);
  EXPECT_EQ(associateExtension(folders_, "/elsewhere/vellumine", ".docx"), AssociateResult::Denied);
  EXPECT_EQ(mimeApps(), list);
  EXPECT_EQ(keyFileValue(ReadWholeFile(handler()), "Desktop Entry", "Exec"),
            "\"/opt/Vellumine 1.3/bin/vellumine\" %f");
}

TEST_F(ShortcutTest, UnreadableMimeappsListIsNeverOverwritten) {
  fs::create_directory(folders_.mimeAppsList);  // exists, but cannot be read as a file
  EXPECT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Denied);
  EXPECT_FALSE(fs::exists(handler()));
}

TEST_F(ShortcutTest, MimeappsListBehindALinkIsWrittenThrough) {
  fs::create_directories(home() / "dotfiles");
  WriteTextFile(home() / "dotfiles" / "mimeapps.list", "[Default Applications]\n");
  fs::create_symlink(home() / "dotfiles" / "mimeapps.list", folders_.mimeAppsList);
  ASSERT_EQ(associateExtension(folders_, kExecutable, ".docx"), AssociateResult::Associated);
  EXPECT_TRUE(fs::is_symlink(folders_.mimeAppsList));
  EXPECT_EQ(ReadWholeFile(home() / "dotfiles" / "mimeapps.list"),
            "[Default Applications]\n" + std::string(kDocxType) + "=vellumine.desktop;\n");
}

TEST_F(ShortcutTest, UnknownExtensionIsRefused) {
  EXPECT_THROW(associateExtension(folders_, kExecutable, ".odt"), std::invalid_argument);
}

TEST_F(ShortcutTest, ShortcutsCreatedTwiceReplaceTheirFile) {
  for (ShortcutFolder where : {ShortcutFolder::Desktop, ShortcutFolder::Programs}) {
    EXPECT_TRUE(createShortcut(folders_, kExecutable, where));
    EXPECT_TRUE(createShortcut(folders_, "/new/place/vellumine", where));
  }
  for (const fs::path& folder : {folders_.desktop, folders_.applications}) {
    ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << folder;
    const std::string entry = ReadWholeFile(folder / "Vellumine.desktop");
    EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Exec"), "\"/new/place/vellumine\"");
    EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Path"), "/new/place");
  }
  EXPECT_NE(fs::status(folders_.desktop / "Vellumine.desktop").permissions() & fs::perms::owner_exec,
            fs::perms::none);
}

TEST_F(ShortcutTest, ShortcutInAReadOnlyFolderIsReported) {
  fs::create_directories(folders_.desktop);
  fs::permissions(folders_.desktop, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(createShortcut(folders_, kExecutable, ShortcutFolder::Desktop));
  EXPECT_FALSE(fs::exists(folders_.desktop / "Vellumine.desktop"));
}

TEST(Shortcut, Messages) {
  EXPECT_EQ(associateMessage(AssociateResult::Associated), "Docx file associated successfully.");
  EXPECT_EQ(associateMessage(AssociateResult::Denied),
            "Association Denied. Please use Administrator account.");
  EXPECT_EQ(deassociateMessage(DeassociateResult::NotRegistered),
            "Docx not registered, no need to de-associated.");
  EXPECT_EQ(deassociateMessage(DeassociateResult::OtherProgram),
            "Docx file associated with other program. Vellumine will not perform de-association.");
  EXPECT_EQ(deassociateMessage(DeassociateResult::AssociatedWithNothing),
            "Docx file associated with nothing, no need to de-associate.");
  EXPECT_EQ(deassociateMessage(DeassociateResult::Deassociated), "De-associated successfully.");
  EXPECT_EQ(deassociateMessage(DeassociateResult::Denied),
            "De-association Denied. Please use Administrator account.");
}

}  // namespace
}  // namespace vellumine
