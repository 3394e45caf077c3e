// The cache is the converted file itself: its name is the source's plus the converted extension,
// and it only ever appears whole (written under a temporary name, then renamed).
#include "media/converted_picture.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "media/picture_converter.h"
#include "text/fileutil.h"

namespace vellumine::media {

namespace fs = std::filesystem;

namespace {

// The first bytes of a file, as many as the format test needs.
std::string firstBytes(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return {};
  std::string bytes(kPictureSignatureBytes, '\0');
  const ssize_t read = ::read(fd, bytes.data(), bytes.size());
  ::close(fd);
  bytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return bytes;
}

bool isPlainFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(file, ec));
}

// A sink writing everything to fd.
ByteSink fileSink(int fd) {
  return [fd](std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  };
}

// Converts bytes into a temporary file beside target, renamed to target on success.
// The converted file is as readable as its source (mkstemp makes it the owner's alone), so a copied
// media folder keeps one mode.
bool convertInto(const fs::path& source, const fs::path& target, std::string_view bytes, PictureFormat format,
                 const RunLimits& limits) {
  std::string temporary = target.string() + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);  // not for a program another thread starts
  if (fd < 0) return false;
  struct stat sourceStatus {};
  if (::stat(source.c_str(), &sourceStatus) == 0) ::fchmod(fd, sourceStatus.st_mode & 0666);
  const ByteSink sink = fileSink(fd);
  const RunOutcome outcome = runBounded([&] { return convertPicture(bytes, format, sink); }, limits);
  ::close(fd);
  std::error_code ec;
  const bool written = outcome == RunOutcome::succeeded && fs::file_size(temporary, ec) > 0 && !ec;
  if (written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace

ConvertedPicture convertPictureFile(const fs::path& source, const PictureLimits& limits) {
  if (!isPlainFile(source)) return {};
  const PictureFormat format = pictureFormatOf(firstBytes(source));
  if (format == PictureFormat::other) return {};
  fs::path target = source;
  target += ".";
  target += convertedExtension(format);
  if (isPlainFile(target)) return {PictureState::converted, target};
  std::error_code ec;
  if (fs::exists(fs::symlink_status(target, ec))) return {PictureState::failed, {}};  // a folder or link by that name
  const std::uintmax_t size = fs::file_size(source, ec);
  if (ec || size > limits.maxInputBytes) return {PictureState::failed, {}};
  const std::string bytes = ReadWholeFile(source);
  if (bytes.size() != size) return {PictureState::failed, {}};
  if (!convertInto(source, target, bytes, format, limits.run)) return {PictureState::failed, {}};
  return {PictureState::converted, target};
}

}  // namespace vellumine::media
