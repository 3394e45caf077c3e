// Spooling a stream into a file: read in 64 KiB blocks and written as read, so memory stays small
// whatever the document's size; the count is checked against the limit before each write.
#include "app/spooled_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellumine {

namespace {

// A pipe tells nothing of its length; this is what the spool folder is chosen for then (a
// memory-backed folder only when it has room for about that much).
constexpr std::uint64_t kPipeSizeGuess = 64 << 20;
constexpr std::size_t kBlockSize = 64 * 1024;

std::uint64_t expectedSize(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return static_cast<std::uint64_t>(info.st_size);
  return kPipeSizeGuess;
}

std::runtime_error systemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

// Closes the descriptor on every way out of spool().
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

void writeAll(int fd, const char* data, std::size_t size, const std::filesystem::path& path) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw systemError("cannot write standard input to " + path.string());
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

void spool(int input, const std::filesystem::path& path, std::uint64_t maxBytes) {
  FileDescriptor output{::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
  if (output.fd < 0) throw systemError("cannot create " + path.string());
  std::vector<char> block(kBlockSize);
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = ::read(input, block.data(), block.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw systemError("cannot read standard input");
    if (n == 0) break;
    total += static_cast<std::uint64_t>(n);
    if (total > maxBytes) {
      throw std::runtime_error("standard input holds more than " + std::to_string(maxBytes) +
                               " bytes, the most a document may unpack to");
    }
    writeAll(output.fd, block.data(), static_cast<std::size_t>(n), path);
  }
  if (::close(output.fd) != 0) {
    output.fd = -1;
    throw systemError("cannot write standard input to " + path.string());
  }
  output.fd = -1;
}

}  // namespace

SpooledInput::SpooledInput(int fd, std::uint64_t maxBytes)
    : folder_(expectedSize(fd)), path_(folder_.path() / "input.docx") {
  spool(fd, path_, maxBytes);
}

}  // namespace vellumine
