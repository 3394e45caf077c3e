#include "app/drawn_picture.h"

#include <cstdint>
#include <system_error>

#include "text/fileutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

std::uint64_t fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hexOf(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return out;
}

// "word/" for "word/document.xml"; nullopt for a folder with "." or ".." steps or an absolute one.
std::optional<std::string_view> mainPartFolder(std::string_view mainPart) {
  const std::size_t slash = mainPart.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view() : mainPart.substr(0, slash + 1);
  std::size_t from = 0;
  while (from < folder.size()) {
    const std::size_t end = folder.find('/', from);
    const std::string_view step = folder.substr(from, end - from);
    if (step.empty() || step == "." || step == "..") return std::nullopt;
    from = end + 1;
  }
  return folder;
}

}  // namespace

std::optional<std::string> storeDrawnPicture(const fs::path& packageFolder, std::string_view mainPart,
                                             std::string_view svg) {
  const std::optional<std::string_view> folder = mainPartFolder(mainPart);
  if (!folder) return std::nullopt;
  std::string name(*folder);
  name += "media/vm-";
  name += hexOf(fnv1a(svg));
  name += ".svg";
  const fs::path file = packageFolder / fs::path(name);
  std::error_code error;
  if (fs::is_regular_file(file, error) && ReadWholeFile(file) == svg) return name;
  fs::create_directories(file.parent_path(), error);
  try {
    WriteTextFile(file, svg);
  } catch (const EInOutError&) {
    return std::nullopt;
  }
  return name;
}

}  // namespace vellumine
