#include "thumbnailer/atomic_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace vellumine {

namespace {

// Enough of the name to tell whose file it is, short enough that the suffix fits a file name.
constexpr std::size_t kNameKept = 200;

// Writes all of bytes to fd, resuming after a signal or a short write.
bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string pattern = (folder / ("." + target.filename().string().substr(0, kNameKept) + ".XXXXXX")).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot create a file beside " + target.string());
  const bool written = writeAll(fd, bytes);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(pattern.c_str(), target.c_str()) != 0) {
    ::unlink(pattern.c_str());
    throw std::runtime_error("cannot write " + target.string());
  }
}

}  // namespace vellumine
