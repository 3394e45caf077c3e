// Entry names into relative paths below the package folder.  Archives come from anywhere: a name
// may climb out with "..", start at the root or a drive, or hide a NUL that the file system would
// cut the path at.  Every written path is built from the result of SafeEntryPath.
#include "package/zip_path.h"

namespace vellumine {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string_view withoutDrive(std::string_view name) {
  if (name.size() >= 2 && name[1] == ':') name.remove_prefix(2);
  return name;
}

}  // namespace

std::optional<std::string> SafeEntryPath(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  name = withoutDrive(name);
  std::string path;
  path.reserve(name.size());
  std::size_t pos = 0;
  while (pos <= name.size()) {
    std::size_t end = pos;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    std::string_view segment = name.substr(pos, end - pos);
    if (segment == "..") return std::nullopt;
    if (segment == "." && end == name.size()) return std::nullopt;  // "word/." names no file
    if (!segment.empty() && segment != ".") {
      if (!path.empty()) path += '/';
      path += segment;
    }
    pos = end + 1;
  }
  return path;
}

}  // namespace vellumine
