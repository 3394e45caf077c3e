// Program folders: where the resources are found (beside the executable or in the installed share
// folder) and where the per-user files go (XDG cache and state folders).
#include "app/program_folders.h"

#include <cstdlib>
#include <system_error>

namespace vellumine {

namespace {

namespace fs = std::filesystem;

const fs::path kStartPage = fs::path("lib") / "init.htm";

fs::path homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  return fs::temp_directory_path();
}

// $name when it is set to an absolute path (the XDG rule for relative values), else the fallback
// below the home folder.
fs::path xdgFolder(const char* name, const fs::path& fallbackBelowHome) {
  const char* value = std::getenv(name);
  if (value != nullptr && *value == '/') return value;
  return homeFolder() / fallbackBelowHome;
}

bool holdsStartPage(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / kStartPage, ec);
}

}  // namespace

fs::path executableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path();
  return exe.parent_path();
}

fs::path executablePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path() / "vellumine";
  return exe;
}

ProgramFolders locateProgramFolders(const fs::path& executableFolder) {
  ProgramFolders folders;
  fs::path installed = (executableFolder / ".." / "share" / "vellumine").lexically_normal();
  if (holdsStartPage(executableFolder) || !holdsStartPage(installed)) {
    folders.resources = executableFolder;
  } else {
    folders.resources = installed;
  }
  folders.tmp = xdgFolder("XDG_CACHE_HOME", ".cache") / "vellumine" / "tmp";
  const fs::path state = xdgFolder("XDG_STATE_HOME", fs::path(".local") / "state") / "vellumine";
  folders.recentList = state / "rec.lst";
  folders.readingPlaces = state / "places.lst";
  folders.windowPlace = state / "window.ini";
  return folders;
}

bool createTmpFolder(const ProgramFolders& folders) {
  std::error_code ec;
  fs::create_directories(folders.tmp, ec);
  return fs::is_directory(folders.tmp, ec);
}

}  // namespace vellumine
