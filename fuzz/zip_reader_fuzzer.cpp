// Fuzz target for the package reader: the input is an archive, extracted into a scratch package
// folder.  An odd first byte turns a missing end record into a recovery scan.  Anything written
// beside the package folder, or a file its owner cannot remove, ends the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "package/vclunzip.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path root = fs::temp_directory_path() / ("vellumine-zip-fuzz-" + std::to_string(::getpid()));
  const fs::path archive = root / "in.docx";
  const fs::path out = root / "pkg";
  fs::remove_all(root);
  fs::create_directories(root);
  std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  vellumine::TVCLUnZip unzip;
  unzip.IncompleteZipMode = size > 0 && (data[0] & 1) ? vellumine::TIncompleteZipMode::izAssumeBad
                                                       : vellumine::TIncompleteZipMode::izAssumeMulti;
  unzip.MaxTotalUncompressedSize = 64 << 20;  // keeps each run short; the limit itself is tested
  try {
    unzip.SetZipName(archive);
    unzip.OverwriteMode = vellumine::TOverwriteMode::Always;
    unzip.ReadZip();
    unzip.DoAll = true;
    unzip.SetDestDir(out);
    unzip.RecreateDirs = true;
    unzip.UnZip();
  } catch (const std::exception&) {
    // every failure of a damaged archive is an exception; only crashes and escapes are findings
  }
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.path() != archive && entry.path() != out) std::abort();
  }
  fs::remove_all(root);  // throws (and so ends the run) when an extracted file cannot be removed
  return 0;
}
