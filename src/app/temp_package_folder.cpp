#include "app/temp_package_folder.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace vellumine {

namespace {

constexpr std::uint64_t kSpareBytes = 16 * 1024 * 1024;  // besides twice the package

bool hasRoomFor(const fs::path& folder, std::uint64_t unpackedBytes) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec) || ::access(folder.c_str(), W_OK | X_OK) != 0) return false;
  struct statvfs space {};
  if (::statvfs(folder.c_str(), &space) != 0) return false;
  const std::uint64_t available = static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
  // Twice the package, so that a package near the size of what is free never fills the folder.
  if (unpackedBytes > (available - std::min(available, kSpareBytes)) / 2) return false;
  return true;
}

}  // namespace

fs::path choosePackageFolderRoot(const char* tmpdir, const std::vector<fs::path>& memoryFolders,
                                 std::uint64_t unpackedBytes, const fs::path& fallback) {
  if (tmpdir != nullptr && *tmpdir != '\0') return tmpdir;
  for (const fs::path& folder : memoryFolders) {
    if (!folder.empty() && hasRoomFor(folder, unpackedBytes)) return folder;
  }
  return fallback;
}

fs::path packageFolderRoot(std::uint64_t unpackedBytes) {
  std::vector<fs::path> memoryFolders;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
    memoryFolders.emplace_back(runtime);
  }
  memoryFolders.emplace_back("/dev/shm");
  std::error_code ec;
  fs::path systemTemporary = fs::temp_directory_path(ec);
  if (ec) systemTemporary = "/tmp";
  return choosePackageFolderRoot(std::getenv("TMPDIR"), memoryFolders, unpackedBytes, systemTemporary);
}

TemporaryPackageFolder::TemporaryPackageFolder(std::uint64_t unpackedBytes, std::string_view prefix) {
  std::string pattern = (packageFolderRoot(unpackedBytes) / (std::string(prefix) + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary package folder");
  path_ = pattern;
}

TemporaryPackageFolder::~TemporaryPackageFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

}  // namespace vellumine
