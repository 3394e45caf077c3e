// Session folders: one private folder per running viewer below tmp, marked live by an flock()
// on its ".lock" file, so a later viewer can tell a crashed viewer's leftovers from a live one.
#include "app/session_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <system_error>

#include "app/delTree.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "viewer-";
constexpr const char* kLockName = ".lock";
constexpr const char* kNewLockName = ".lock-new";

// Locks a fresh file under a scratch name and only then renames it to ".lock", so a viewer that
// looks at this folder meanwhile sees either no lock file (and leaves the folder alone) or a
// held one.
int createHeldLock(const fs::path& folder) {
  fs::path fresh = folder / kNewLockName;
  int fd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || std::rename(fresh.c_str(), (folder / kLockName).c_str()) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool isAbandoned(const fs::path& folder) {
  int fd = ::open((folder / kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;  // no lock yet: a viewer may be creating it
  bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

}  // namespace

SessionFolder::SessionFolder(const fs::path& tmpFolder) : tmpFolder_(tmpFolder), path_(tmpFolder) {
  std::string pattern = (tmpFolder / (std::string(kPrefix) + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) return;
  lockFd_ = createHeldLock(pattern);
  if (lockFd_ < 0) {
    std::error_code ec;
    fs::remove_all(pattern, ec);
    return;
  }
  path_ = pattern;
}

SessionFolder::~SessionFolder() { remove(); }

void SessionFolder::remove() {
  if (lockFd_ < 0) return;
  deleteFolderTree(path_, tmpFolder_);
  ::close(lockFd_);
  lockFd_ = -1;
}

int removeAbandonedSessions(const fs::path& tmpFolder) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(tmpFolder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code statusEc;
    if (!fs::is_directory(it->symlink_status(statusEc))) continue;
    if (!it->path().filename().string().starts_with(kPrefix)) continue;
    if (isAbandoned(it->path()) && deleteFolderTree(it->path(), tmpFolder)) ++removed;
  }
  return removed;
}

}  // namespace vellumine
