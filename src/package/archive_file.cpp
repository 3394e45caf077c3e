// Opening the archive (regular files only, never blocking on a FIFO) and positional reads through
// one 8 KiB buffer, which serves the many small header reads; data blocks go straight to pread.
#include "package/archive_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "package/zip_errors.h"

namespace vellumine {

namespace {

FileStamp stampOf(const struct stat& st) {
  FileStamp s;
  s.device = static_cast<std::uint64_t>(st.st_dev);
  s.inode = static_cast<std::uint64_t>(st.st_ino);
  s.size = static_cast<std::uint64_t>(st.st_size);
  s.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  s.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  return s;
}

}  // namespace

ArchiveFile::ArchiveFile(const std::filesystem::path& path) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw EFOpenError(path, errno);
  struct stat st {};
  int error = 0;
  if (::fstat(fd_, &st) != 0) {
    error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    error = EINVAL;  // anything that is not a regular file has no coherent length
  }
  if (error != 0) {
    ::close(fd_);
    throw EFOpenError(path, error);
  }
  stamp_ = stampOf(st);
}

ArchiveFile::~ArchiveFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t ArchiveFile::readDirect(std::uint64_t position, std::span<std::byte> out) {
  std::size_t done = 0;
  while (done < out.size() && position + done < stamp_.size) {
    ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t ArchiveFile::readAt(std::uint64_t position, std::span<std::byte> out) {
  if (position >= stamp_.size || out.empty()) return 0;
  if (out.size() >= kBufferSize) return readDirect(position, out);
  bool buffered = position >= bufferStart_ && position + out.size() <= bufferStart_ + bufferFill_;
  if (!buffered) {
    bufferStart_ = position;
    bufferFill_ = readDirect(position, buffer_);
  }
  std::size_t offset = static_cast<std::size_t>(position - bufferStart_);
  std::size_t n = std::min(out.size(), bufferFill_ - offset);
  std::memcpy(out.data(), buffer_.data() + offset, n);
  return n;
}

}  // namespace vellumine
