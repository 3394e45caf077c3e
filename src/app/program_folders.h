// The folders the viewer works in: the read-only resources installed beside the executable and the
// per-user folders it writes (package folders below tmp/, the recent list, the reading places, the
// window's place).
#pragma once
#include <filesystem>

namespace vellumine {

struct ProgramFolders {
  std::filesystem::path resources;      // holds lib/init.htm, help.htm and Examples/
  std::filesystem::path tmp;            // package folders live below it
  std::filesystem::path recentList;     // rec.lst
  std::filesystem::path readingPlaces;  // places.lst: where the reader was in each document
  std::filesystem::path windowPlace;    // window.ini; empty: the window's place is not remembered
};

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path executableFolder();

// The running executable itself (from /proc/self/exe); ./vellumine when that cannot be read.
std::filesystem::path executablePath();

// Resources: executableFolder itself when it holds lib/init.htm, else ../share/vellumine beside it
// when that does (the installed layout), else executableFolder.  tmp, rec.lst, places.lst and
// window.ini follow the XDG base-directory variables: $XDG_CACHE_HOME/vellumine/tmp and
// $XDG_STATE_HOME/vellumine/ (rec.lst, places.lst, window.ini), with ~/.cache and ~/.local/state
// when a variable is unset or not absolute.
ProgramFolders locateProgramFolders(const std::filesystem::path& executableFolder);

// Creates the tmp folder (and the folders above it) when missing.  Returns false on failure,
// which start-up does not report: a later load fails when it writes its package folder.
bool createTmpFolder(const ProgramFolders& folders);

}  // namespace vellumine
