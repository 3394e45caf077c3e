// ArchiveFile: the archive opened for one reader operation, read through an 8 KiB buffer at
// explicit positions.  Closed when the object dies, so no archive stays open between operations.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vellumine {

// What identifies one state of the archive file: the directory cache is valid while it is equal.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

class ArchiveFile {
 public:
  // Throws EFOpenError when the path cannot be opened or is not a regular file.
  explicit ArchiveFile(const std::filesystem::path& path);
  ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  std::uint64_t size() const { return stamp_.size; }
  const FileStamp& stamp() const { return stamp_; }

  // Reads up to out.size() bytes at position; fewer only at the end of the file or on a read
  // error.  Requests of at least the buffer's size bypass the buffer.
  std::size_t readAt(std::uint64_t position, std::span<std::byte> out);
  // True when all of out was read.
  bool readExactAt(std::uint64_t position, std::span<std::byte> out) {
    return readAt(position, out) == out.size();
  }

 private:
  std::size_t readDirect(std::uint64_t position, std::span<std::byte> out);

  static constexpr std::size_t kBufferSize = 8192;
  int fd_ = -1;
  FileStamp stamp_;
  std::array<std::byte, kBufferSize> buffer_{};
  std::uint64_t bufferStart_ = 0;
  std::size_t bufferFill_ = 0;
};

}  // namespace vellumine
