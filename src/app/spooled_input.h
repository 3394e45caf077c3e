// A document read from a stream (standard input) kept as a file, because the ZIP reader seeks: the
// end record is read first and the entries after it.  The file lives in a private temporary folder
// of its own and goes with it.
#pragma once
#include <cstdint>
#include <filesystem>

#include "app/temp_package_folder.h"

namespace vellumine {

// No package the reader accepts unpacks to more than this (TVCLUnZip's limit), and an archive is
// never much larger than what it unpacks to; a longer stream is refused instead of filling a disk.
inline constexpr std::uint64_t kMaxSpooledBytes = std::uint64_t{2} << 30;

class SpooledInput {
 public:
  // Copies everything fd holds into "input.docx" of a new temporary folder.  Throws
  // std::runtime_error when the stream holds more than maxBytes or cannot be read or written;
  // nothing is left behind then.
  explicit SpooledInput(int fd, std::uint64_t maxBytes = kMaxSpooledBytes);
  const std::filesystem::path& path() const { return path_; }

 private:
  TemporaryPackageFolder folder_;
  std::filesystem::path path_;
};

}  // namespace vellumine
