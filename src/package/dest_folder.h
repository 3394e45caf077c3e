// The destination side of extraction: folders below the package folder opened without following
// symbolic links, entry files created under the overwrite rule, their time and permissions.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace vellumine {

// What happens to a file already at an entry's destination.  Prompt has nobody to ask here and
// keeps the file, as Never does.
enum class TOverwriteMode { Prompt, Always, Never, ifNewer, ifOlder };

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// The permission bits an entry's external attributes give on this system, or nullopt to keep the
// defaults.  Only Unix-host attributes carry a mode; of it only the permission bits are kept
// (never a file type, set-uid, set-gid or sticky bit), group and others never get write access,
// and the owner can always read and write a file and enter, change and remove a folder.
std::optional<mode_t> ModeFromAttributes(std::uint8_t hostSystem, std::uint32_t externalAttributes, bool isFolder);

// Seconds since the epoch for an MS-DOS date-time, read as local time.
std::int64_t DosDateTimeToUnix(std::uint32_t dosDateTime);

class DestinationFolder {
 public:
  // Creates root with its missing parents; an empty root is the current folder.  Throws
  // std::filesystem::filesystem_error when it cannot be created or opened.
  explicit DestinationFolder(const std::filesystem::path& root);

  // The folder at relative (a path from SafeEntryPath), created with its parents when missing.
  // -1 when it cannot be made or a part of it is not a real folder (a file, a symbolic link).
  int openFolder(std::string_view relative);

 private:
  UniqueFd root_;
  std::string lastRelative_;  // entries come grouped by folder: keep the last one open
  UniqueFd lastFolder_;
};

// Creates the entry file name in folderFd under the overwrite rule.  Invalid when the entry is to
// be skipped: the file exists and is kept, is read-only (without replaceReadOnly), is not a
// regular file, or cannot be created.  A replaced file is unlinked first, so a hard link or a
// link planted at the destination is never written through.
UniqueFd CreateEntryFile(int folderFd, const std::string& name, TOverwriteMode mode, bool replaceReadOnly,
                         std::uint32_t entryDosDateTime);
// Writes all of block; throws ECantWriteUCF on a short write.
void WriteEntryBlock(int fd, std::span<const std::byte> block);
// Sets the modification time and, when given, the permission bits.
void FinishEntryFile(int fd, std::uint32_t dosDateTime, std::optional<mode_t> mode);
void RemoveEntryFile(int folderFd, const std::string& name);

}  // namespace vellumine
