// The private package folder of one headless conversion: made when the conversion starts, removed
// with everything in it when the conversion ends, whatever happened.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vellumine {

// Where the folder goes.  $TMPDIR when it is set (the user's choice).  Otherwise the first
// memory-backed folder ($XDG_RUNTIME_DIR, /dev/shm) that is writable and has room for twice the
// unpacked package: the package is read back at once and deleted, so it never needs a disk, and a
// disk file system pays for every file it creates and deletes.  Otherwise the system's temporary
// folder (/tmp).
std::filesystem::path packageFolderRoot(std::uint64_t unpackedBytes);

// The choice itself, with the environment passed in: tmpdir (null or empty: unset), the
// memory-backed candidates in order, and the folder taken when none qualifies.
std::filesystem::path choosePackageFolderRoot(const char* tmpdir,
                                              const std::vector<std::filesystem::path>& memoryFolders,
                                              std::uint64_t unpackedBytes, const std::filesystem::path& fallback);

class TemporaryPackageFolder {
 public:
  // A new folder "<prefix>-XXXXXX" (owner only) below packageFolderRoot(unpackedBytes); the prefix
  // names the program, so a folder left by a killed run says whose it was.
  explicit TemporaryPackageFolder(std::uint64_t unpackedBytes, std::string_view prefix = "vellumine-convert");
  ~TemporaryPackageFolder();
  TemporaryPackageFolder(const TemporaryPackageFolder&) = delete;
  TemporaryPackageFolder& operator=(const TemporaryPackageFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vellumine
