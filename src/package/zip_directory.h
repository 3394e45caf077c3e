// Reading an archive's directory: the end record (with its Zip64 locator and record, or the ".zfc"
// file beside the archive), the central-directory entries, and the recovery scan over the local
// headers when the directory cannot be read.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "package/archive_file.h"
#include "package/kpzipobj.h"

namespace vellumine {

// What to make of a file whose end record cannot be found.
enum class TIncompleteZipMode { izAssumeMulti, izAssumeBad, izAssumeNotAZip };

struct DirectoryOptions {
  TIncompleteZipMode incompleteZipMode = TIncompleteZipMode::izAssumeMulti;
  TOEMConvert oemConvert = TOEMConvert::oemAlways;
  std::uint64_t maxEntries = 65535;
  std::function<void()> progress;  // between entries and every 10,240 bytes of a recovery scan
};

struct ZipDirectory {
  TEndCentral end;
  std::vector<TZipHeaderInfo> entries;  // in central-directory order
};

// Throws EIncompleteZip, ENotAZipFile (per incompleteZipMode), EBadZipFile (unreadable directory,
// nothing found by the recovery scan, an all-ones field without its Zip64 value, a broken Zip64
// record) and EPackageTooLarge (more entries than maxEntries).
ZipDirectory ReadZipDirectory(ArchiveFile& archive, const std::filesystem::path& zipName,
                              const DirectoryOptions& options);

}  // namespace vellumine
