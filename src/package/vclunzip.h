// TVCLUnZip: the archive component.  It reads an archive's central directory (ReadZip), keeps it
// while the archive file is unchanged, and writes the selected entries below DestDir (UnZip) or
// reads one into memory (UnZipToString).
// One object is not re-entrant; objects on different threads share nothing.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/archive_file.h"
#include "package/dest_folder.h"
#include "package/kpzipobj.h"
#include "package/zip_directory.h"

namespace vellumine {

struct DecodeBuffers;

class TVCLUnZip {
 public:
  using ProgressEvent = std::function<void()>;
  using WarningEvent = std::function<void(std::string_view message, std::string_view caption)>;

  const std::filesystem::path& ZipName() const { return zipName_; }
  // A different name drops the cached directory and resets the end record; the same name keeps it.
  void SetZipName(const std::filesystem::path& name);
  const std::filesystem::path& DestDir() const { return destDir_; }
  void SetDestDir(const std::filesystem::path& folder);  // a trailing separator is removed

  TOverwriteMode OverwriteMode = TOverwriteMode::Prompt;
  bool DoAll = false;             // select every entry (there is no other selection here)
  bool RecreateDirs = false;      // write entries into their folders instead of all into DestDir
  bool RetainAttributes = true;   // give files and folders the permissions stored in the archive
  bool ReplaceReadOnly = false;   // replace a destination file that is read-only
  TIncompleteZipMode IncompleteZipMode = TIncompleteZipMode::izAssumeMulti;
  bool DoProcessMessages = true;  // call OnProgress while working
  TOEMConvert OEMConvert = TOEMConvert::oemAlways;
  // Limits against decompression bombs, checked before anything is written.
  std::uint64_t MaxTotalUncompressedSize = std::uint64_t{2} << 30;
  std::uint64_t MaxEntries = 65535;

  // Before each entry, each 32 KiB data block and every 10,240 bytes of a recovery scan.
  ProgressEvent OnProgress;
  // What extraction survives: an entry with an unknown compression method.
  WarningEvent OnWarning;

  // Reads the directory unless the one read last is still current.  An incomplete archive leaves
  // an empty directory (UnZip then raises EIncompleteZip); any other error drops the directory,
  // clears ZipName and propagates.
  void ReadZip();
  // Writes the selected entries; returns how many were written.
  int UnZip();
  // The bytes of one entry, read into memory without writing anything.  nullopt when the entry is
  // a folder, encrypted, of an unknown method, declared or found longer than maxBytes, or fails
  // its checksum; a damaged archive throws as UnZip does.
  std::optional<std::string> UnZipToString(std::size_t index, std::uint64_t maxBytes);

  std::size_t Count() const { return entries_.size(); }
  const TZipHeaderInfo& Entry(std::size_t index) const { return entries_.at(index); }
  const TEndCentral& EndCentral() const { return end_; }

 private:
  void ensureDirectory(ArchiveFile& archive);
  // Opens the archive into archive and makes sure the directory is current; drops it on failure.
  void openWithDirectory(std::optional<ArchiveFile>& archive);
  void dropDirectory();
  void progress() const;
  std::vector<std::size_t> selectEntries() const;
  void checkTotalSize(const std::vector<std::size_t>& selected) const;
  std::uint64_t locateEntryData(ArchiveFile& archive, const TZipHeaderInfo& entry) const;
  bool extractFolder(DestinationFolder& destination, const std::string& relative, const TZipHeaderInfo& entry) const;
  bool extractFile(ArchiveFile& archive, DestinationFolder& destination, const std::string& relative,
                   const TZipHeaderInfo& entry, DecodeBuffers& buffers) const;

  std::filesystem::path zipName_;
  std::filesystem::path destDir_;
  std::vector<TZipHeaderInfo> entries_;
  TEndCentral end_;
  bool haveDirectory_ = false;
  FileStamp directoryStamp_;  // the archive file as it was when entries_ was read
};

}  // namespace vellumine
