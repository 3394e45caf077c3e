// The whole-file routines over POSIX descriptors: a read sizes its buffer from fstat and follows a
// file that grows meanwhile; a write reports the error a delayed write leaves for close.
#include "text/fileutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "text/units.h"

namespace vellumine {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnreadable = "R";

// Closes the descriptor whatever path leaves the scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a delayed write error shows up here).
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string errnoText(int error) { return std::generic_category().message(error); }

[[noreturn]] void throwWriteError(const fs::path& path, int error) {
  throw EInOutError("Cannot write file '" + path.string() + "': " + errnoText(error));
}

bool readAll(int fd, std::string& out) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  out.resize(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
  std::size_t filled = 0;
  for (;;) {
    if (filled == out.size()) out.resize(out.size() + 64 * 1024);  // the file grew meanwhile
    ssize_t n = ::read(fd, out.data() + filled, out.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  out.resize(filled);
  return true;
}

}  // namespace

std::string ReadWholeFile(const fs::path& path) {
  try {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return {};
    if (ec || status.type() != fs::file_type::regular) return kUnreadable;
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return kUnreadable;
    std::string bytes;
    if (!readAll(file.get(), bytes)) return kUnreadable;
    return bytes;
  } catch (...) {
    return kUnreadable;  // no memory for an absurdly large file: unreadable, never a crash
  }
}

void WriteTextFile(const fs::path& path, std::string_view text) {
  FileHandle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) throwWriteError(path, errno);
  std::size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(file.get(), text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throwWriteError(path, errno);
    written += static_cast<std::size_t>(n);
  }
  if (!file.close()) throwWriteError(path, errno);
}

std::int64_t FileSizeOf(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return 0;
  auto size = fs::file_size(path, ec);
  return ec ? 0 : static_cast<std::int64_t>(size);
}

std::vector<std::string> ListFolder(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  names = {".", ".."};
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin() + 2, names.end());
  return names;
}

void CopyFile(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    throw EInOutError("Cannot copy file '" + source.string() + "' to '" + target.string() +
                      "': " + ec.message());
  }
}

// Copies the regular files of a folder (the package's media); symbolic links and sub-folders are
// left behind, so nothing outside the package is ever copied.
int CopyFolderFiles(const fs::path& source, const fs::path& target) {
  std::vector<fs::path> files;
  for (const std::string& name : ListFolder(source)) {
    if (name == "." || name == "..") continue;
    std::error_code ec;
    if (fs::symlink_status(source / name, ec).type() == fs::file_type::regular) files.push_back(source / name);
  }
  if (files.empty()) return 0;
  std::error_code ec;
  fs::create_directories(target, ec);
  if (ec) throw EInOutError("Cannot create folder '" + target.string() + "': " + ec.message());
  for (const fs::path& file : files) CopyFile(file, target / file.filename());
  return 1;
}

std::string SizeText(std::int64_t bytes) {
  if (bytes <= 0) return "0 KB";
  return DecimalText(bytes / 1024 + 1) + " KB";
}

}  // namespace vellumine
