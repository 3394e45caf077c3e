// The running viewer's own folder below tmp.  Its package folders go inside it, so two viewers
// running at once never delete each other's files; it is removed when the viewer closes.
#pragma once
#include <filesystem>

namespace vellumine {

class SessionFolder {
 public:
  // Creates tmpFolder/viewer-XXXXXX and holds a lock on it for the object's life.  Never throws:
  // when the folder cannot be made, path() is tmpFolder itself and loads fail later, when they
  // write their package folder.
  explicit SessionFolder(const std::filesystem::path& tmpFolder);
  ~SessionFolder();
  SessionFolder(const SessionFolder&) = delete;
  SessionFolder& operator=(const SessionFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Deletes the folder with everything in it and releases the lock; tmp stays.
  void remove();

 private:
  std::filesystem::path tmpFolder_;
  std::filesystem::path path_;
  int lockFd_ = -1;
};

// Deletes the session folders below tmpFolder whose viewer no longer runs (nobody holds their
// lock), such as those left by a viewer that crashed.  Returns how many were deleted.
int removeAbandonedSessions(const std::filesystem::path& tmpFolder);

}  // namespace vellumine
