// The command line of vellumine-thumbnailer: `-s SIZE INPUT OUTPUT`, as a file manager's
// thumbnailer entry calls it (Exec=vellumine-thumbnailer -s %s %i %o).
#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellumine {

// The largest side of a thumbnail, in pixels.  File managers ask for 128, 256, 512 and 1024; less
// than 16 shows nothing, more than 1024 is a picture, not a thumbnail.
inline constexpr int kMinimumThumbnailSize = 16;
inline constexpr int kMaximumThumbnailSize = 1024;

struct ThumbnailArguments {
  int size = 0;
  std::filesystem::path input;
  std::filesystem::path output;
};

// A command line the program cannot act on; the message says why.
class ThumbnailUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// arguments: the command line without the program name.  -s may come anywhere before or between
// the two paths; "--" ends the options, so a file called "-x" can still be named.  Throws
// ThumbnailUsageError for a missing or malformed size, a size outside 16..1024, an unknown
// option, or not exactly two paths.
ThumbnailArguments parseThumbnailArguments(const std::vector<std::string>& arguments);

}  // namespace vellumine
