// Entry paths (already made safe) into folders and files below the destination.  Folders are
// walked one segment at a time with O_NOFOLLOW, so a symbolic link that is already inside the
// destination cannot carry a write outside it; files are created fresh with O_EXCL.
#include "package/dest_folder.h"

#include <cerrno>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "package/zip_errors.h"

namespace vellumine {

namespace {

constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool shouldReplace(TOverwriteMode mode, const struct stat& existing, std::uint32_t entryDosDateTime) {
  switch (mode) {
    case TOverwriteMode::Always:
      return true;
    case TOverwriteMode::Prompt:
    case TOverwriteMode::Never:
      return false;
    case TOverwriteMode::ifNewer:
      return DosDateTimeToUnix(entryDosDateTime) > existing.st_mtim.tv_sec;
    case TOverwriteMode::ifOlder:
      return DosDateTimeToUnix(entryDosDateTime) < existing.st_mtim.tv_sec;
  }
  return false;
}

}  // namespace

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

std::optional<mode_t> ModeFromAttributes(std::uint8_t hostSystem, std::uint32_t externalAttributes, bool isFolder) {
  constexpr std::uint8_t kHostUnixSystem = 3;
  mode_t unixMode = static_cast<mode_t>(externalAttributes >> 16);
  if (hostSystem != kHostUnixSystem || unixMode == 0) return std::nullopt;
  mode_t permissions = unixMode & 0777 & ~static_cast<mode_t>(S_IWGRP | S_IWOTH);
  return permissions | (isFolder ? S_IRWXU : (S_IRUSR | S_IWUSR));
}

std::int64_t DosDateTimeToUnix(std::uint32_t dosDateTime) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(((dosDateTime >> 25) & 0x7F) + 80);
  tm.tm_mon = static_cast<int>((dosDateTime >> 21) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>((dosDateTime >> 16) & 0x1F);
  tm.tm_hour = static_cast<int>((dosDateTime >> 11) & 0x1F);
  tm.tm_min = static_cast<int>((dosDateTime >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>((dosDateTime & 0x1F) * 2);
  tm.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

DestinationFolder::DestinationFolder(const std::filesystem::path& root) {
  std::filesystem::path folder = root.empty() ? std::filesystem::path(".") : root;
  std::filesystem::create_directories(folder);  // throws filesystem_error
  root_ = UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!root_.valid()) {
    throw std::filesystem::filesystem_error("cannot open folder", folder, std::error_code(errno, std::generic_category()));
  }
}

int DestinationFolder::openFolder(std::string_view relative) {
  if (relative.empty()) return root_.get();
  if (lastFolder_.valid() && relative == lastRelative_) return lastFolder_.get();
  UniqueFd current;
  int parent = root_.get();
  std::size_t pos = 0;
  while (pos < relative.size()) {
    std::size_t end = relative.find('/', pos);
    if (end == std::string_view::npos) end = relative.size();
    std::string segment(relative.substr(pos, end - pos));
    ::mkdirat(parent, segment.c_str(), 0777);  // EEXIST is the common case; openat decides
    current = UniqueFd(::openat(parent, segment.c_str(), kFolderOpenFlags));
    if (!current.valid()) return -1;
    parent = current.get();
    pos = end + 1;
  }
  lastRelative_ = relative;
  lastFolder_ = std::move(current);
  return lastFolder_.get();
}

UniqueFd CreateEntryFile(int folderFd, const std::string& name, TOverwriteMode mode, bool replaceReadOnly,
                         std::uint32_t entryDosDateTime) {
  struct stat existing {};
  if (::fstatat(folderFd, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
    if (!S_ISREG(existing.st_mode)) return {};
    if (!shouldReplace(mode, existing, entryDosDateTime)) return {};
    // Read-only by its mode bits: as root, open() would succeed regardless.
    if ((existing.st_mode & S_IWUSR) == 0 && !replaceReadOnly) return {};
    if (::unlinkat(folderFd, name.c_str(), 0) != 0) return {};
  }
  return UniqueFd(::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
}

void WriteEntryBlock(int fd, std::span<const std::byte> block) {
  while (!block.empty()) {
    ssize_t n = ::write(fd, block.data(), block.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw ECantWriteUCF();
    block = block.subspan(static_cast<std::size_t>(n));
  }
}

void FinishEntryFile(int fd, std::uint32_t dosDateTime, std::optional<mode_t> mode) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(DosDateTimeToUnix(dosDateTime));
  times[1].tv_nsec = 0;
  ::futimens(fd, times);
  if (mode) ::fchmod(fd, *mode);
}

void RemoveEntryFile(int folderFd, const std::string& name) { ::unlinkat(folderFd, name.c_str(), 0); }

}  // namespace vellumine
