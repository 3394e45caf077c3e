// The parts of an extracted package folder for the reader.  A package path is checked before it
// touches the file system (no "..", no absolute or empty names), and the file found must lie inside
// the folder once links are followed; a part named in other case than on disk is found too, since
// package part names compare without case.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "docx/reader.h"
#include "text/chartype.h"

namespace vellumine::docx {

namespace {

namespace fs = std::filesystem;

// Whether every segment of the path is a plain name.
bool isPlainPackagePath(std::string_view path) {
  if (path.empty() || path.front() == '/') return false;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view segment = path.substr(start, slash - start);
    if (segment.empty() || segment == "." || segment == ".." || segment.find('\\') != std::string_view::npos ||
        segment.find('\0') != std::string_view::npos) {
      return false;
    }
    start = slash + 1;
  }
  return true;
}

// The entry of folder named name without regard to ASCII case, or an empty path.
fs::path entryWithoutCase(const fs::path& folder, std::string_view name) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (EqualsCaseless(it->path().filename().native(), name)) return it->path();
  }
  return fs::path();
}

// The file for path below folder, matched segment by segment without case when the exact name is
// missing.
fs::path locate(const fs::path& folder, std::string_view path) {
  fs::path exact = folder / fs::path(std::string(path));
  std::error_code error;
  if (fs::exists(exact, error)) return exact;
  fs::path current = folder;
  std::size_t start = 0;
  while (start < path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    current = entryWithoutCase(current, path.substr(start, slash - start));
    if (current.empty()) return current;
    start = slash + 1;
  }
  return current;
}

bool isInside(const fs::path& file, const fs::path& folder) {
  std::error_code error;
  const fs::path realFile = fs::canonical(file, error);
  if (error) return false;
  const fs::path realFolder = fs::canonical(folder, error);
  if (error) return false;
  auto [folderEnd, fileAt] = std::mismatch(realFolder.begin(), realFolder.end(), realFile.begin(), realFile.end());
  return folderEnd == realFolder.end() && fileAt != realFile.end();
}

std::optional<std::string> readFile(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(file, error);
  std::ifstream in(file, std::ios::binary);
  if (error || !in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

PartSource folderPartSource(const std::filesystem::path& packageFolder) {
  return [packageFolder](std::string_view packagePath) -> std::optional<std::string> {
    if (!isPlainPackagePath(packagePath)) return std::nullopt;
    const fs::path file = locate(packageFolder, packagePath);
    if (file.empty() || !isInside(file, packageFolder)) return std::nullopt;
    return readFile(file);
  };
}

}  // namespace vellumine::docx
