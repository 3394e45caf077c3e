// Per-user files: read with a missing file told apart from an unreadable one, and replaced in one
// step (the bytes go to a temporary file in the same folder, which is renamed over the old file, so
// readers see either the old or the new contents, never a mix).  Also the mode-bit check that
// decides, before anything is written, whether a file may be changed.
#include "app/user_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void throwWriteError(const fs::path& path, int error) {
  throw EInOutError("Cannot write file '" + path.string() + "': " + std::generic_category().message(error));
}

// A link is written through to its target; anything else is written where it is.
fs::path resolveTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target;
}

bool writeAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// The temporary file of one replacement; removed unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : name_(target.string() + ".XXXXXX") {
    fd_ = ::mkstemp(name_.data());
    created_ = fd_ >= 0;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (created_ && !renamed_) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  bool renameTo(const fs::path& target) {
    renamed_ = ::rename(name_.c_str(), target.c_str()) == 0;
    return renamed_;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool created_ = false;
  bool renamed_ = false;
};

mode_t modeFor(const fs::path& target, mode_t newMode) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  return newMode;
}

bool modeDeniesWriting(const fs::path& path, int accessMode) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return true;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::access(path.c_str(), accessMode) != 0;
}

// The folder that a new file below path would be created in: the nearest one that exists.
fs::path nearestExistingFolder(fs::path folder) {
  std::error_code ec;
  while (!folder.empty() && !fs::exists(folder, ec) && folder != folder.parent_path()) {
    folder = folder.parent_path();
  }
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

FileRead ReadUserFile(const fs::path& path, std::string& bytes, std::size_t limit) {
  bytes.clear();
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return FileRead::Missing;
  if (ec || status.type() != fs::file_type::regular) return FileRead::Unreadable;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileRead::Unreadable;
  char block[64 * 1024];
  bool failed = false;
  while (bytes.size() < limit) {
    ssize_t n = ::read(fd, block, std::min(sizeof block, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed = n < 0;
      break;
    }
    bytes.append(block, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (failed) bytes.clear();
  return failed ? FileRead::Unreadable : FileRead::Read;
}

void ReplaceFileContents(const fs::path& path, std::string_view bytes, mode_t newMode) {
  const fs::path target = resolveTarget(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (ec) throwWriteError(path, ec.value());
  const mode_t mode = modeFor(target, newMode);

  TemporaryFile temporary(target);
  if (!temporary.opened()) throwWriteError(path, errno);
  if (!writeAll(temporary.fd(), bytes)) throwWriteError(path, errno);
  if (::fchmod(temporary.fd(), mode) != 0) throwWriteError(path, errno);
  if (::fsync(temporary.fd()) != 0) throwWriteError(path, errno);
  if (!temporary.close()) throwWriteError(path, errno);
  if (!temporary.renameTo(target)) throwWriteError(path, errno);
}

bool DeniesWriting(const fs::path& path) {
  const fs::path target = resolveTarget(path);
  std::error_code ec;
  if (fs::exists(target, ec)) {
    if (modeDeniesWriting(target, W_OK)) return true;
    return target.has_parent_path() && modeDeniesWriting(target.parent_path(), W_OK | X_OK);
  }
  return modeDeniesWriting(nearestExistingFolder(target.parent_path()), W_OK | X_OK);
}

}  // namespace vellumine
