// TVCLUnZip: an archive path into files below DestDir.  The directory is read once per archive
// state; extraction then walks it in central-directory order, checks each local header against
// its central entry, and keeps every entry whose data or checksum is wrong off the disk.
#include "package/vclunzip.h"

#include <array>
#include <optional>
#include <string>

#include <sys/stat.h>

#include "package/entry_decoder.h"
#include "package/zip_errors.h"
#include "package/zip_path.h"

namespace vellumine {

namespace {

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) { return a + b < a ? UINT64_MAX : a + b; }

std::filesystem::path withoutTrailingSeparator(std::filesystem::path folder) {
  std::string text = folder.string();
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text;
}

// The stored name of a local header, converted as the central entry's name was.
std::string localEntryName(const TZipHeaderInfo& entry, std::string_view storedName, TOEMConvert oemConvert) {
  TZipHeaderInfo named;
  named.versionMadeBy = entry.versionMadeBy;
  named.flags = entry.flags;
  SetEntryName(named, storedName, oemConvert);
  return named.name();
}

}  // namespace

void TVCLUnZip::SetZipName(const std::filesystem::path& name) {
  // Compared exactly: file names here are case-sensitive, so "A.docx" and "a.docx" are two files.
  if (name == zipName_) return;
  dropDirectory();
  zipName_ = name;
}

void TVCLUnZip::SetDestDir(const std::filesystem::path& folder) { destDir_ = withoutTrailingSeparator(folder); }

void TVCLUnZip::progress() const {
  if (DoProcessMessages && OnProgress) OnProgress();
}

void TVCLUnZip::dropDirectory() {
  entries_.clear();
  end_ = TEndCentral{};
  haveDirectory_ = false;
}

void TVCLUnZip::ensureDirectory(ArchiveFile& archive) {
  if (haveDirectory_ && archive.stamp() == directoryStamp_) return;
  dropDirectory();
  DirectoryOptions options{IncompleteZipMode, OEMConvert, MaxEntries, [this] { progress(); }};
  ZipDirectory directory = ReadZipDirectory(archive, zipName_, options);
  entries_ = std::move(directory.entries);
  end_ = directory.end;
  directoryStamp_ = archive.stamp();
  haveDirectory_ = true;
}

void TVCLUnZip::ReadZip() {
  try {
    ArchiveFile archive(zipName_);
    ensureDirectory(archive);
  } catch (const EIncompleteZip&) {
    dropDirectory();
  } catch (...) {
    dropDirectory();
    zipName_.clear();
    throw;
  }
}

std::vector<std::size_t> TVCLUnZip::selectEntries() const {
  std::vector<std::size_t> selected;
  if (!DoAll) return selected;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].isFolder() || RecreateDirs) selected.push_back(i);
  }
  return selected;
}

void TVCLUnZip::checkTotalSize(const std::vector<std::size_t>& selected) const {
  std::uint64_t total = 0;
  for (std::size_t i : selected) total = saturatingAdd(total, entries_[i].uncompressedSize());
  if (total > MaxTotalUncompressedSize) throw EPackageTooLarge(kPackageTooLargeMessage, MaxTotalUncompressedSize, total);
}

// Reads the entry's local header, checks it against the central entry and returns where the
// data starts.  Throws EBadZipFile for a missing or contradicting header and EFatalUnzipError
// when the data would run past the end of the archive.
std::uint64_t TVCLUnZip::locateEntryData(ArchiveFile& archive, const TZipHeaderInfo& entry) const {
  std::uint64_t offset = entry.relativeOffset();
  std::array<std::byte, kLocalHeaderSize> fixed{};
  LocalHeader header;
  if (!archive.readExactAt(offset, fixed) || !ParseLocalHeader(fixed, header))
    throw EBadZipFile(BadZipCheck::localHeaderUnreadable, offset);
  std::string storedName(header.nameLength, '\0');
  if (!archive.readExactAt(offset + kLocalHeaderSize, std::as_writable_bytes(std::span(storedName)))) {
    throw EBadZipFile(BadZipCheck::localHeaderUnreadable, offset);
  }
  // Sizes and CRC may legitimately differ (data descriptors; some writers fill them in anyway),
  // but a different method or name means the two headers describe different data.
  if (header.compressionMethod != entry.compressionMethod ||
      localEntryName(entry, storedName, OEMConvert) != entry.name()) {
    throw EBadZipFile(BadZipCheck::localHeaderDiffers, offset);
  }
  std::uint64_t dataStart = offset + kLocalHeaderSize + header.nameLength + header.extraLength;
  if (entry.compressedSize() > archive.size() || dataStart > archive.size() - entry.compressedSize()) {
    throw EFatalUnzipError();
  }
  return dataStart;
}

bool TVCLUnZip::extractFolder(DestinationFolder& destination, const std::string& relative,
                              const TZipHeaderInfo& entry) const {
  int folder = destination.openFolder(relative);
  if (folder < 0) return false;
  if (RetainAttributes && !relative.empty()) {
    if (std::optional<mode_t> mode = ModeFromAttributes(entry.hostSystem(), entry.externalAttributes, true)) {
      ::fchmod(folder, *mode);
    }
  }
  return true;
}

bool TVCLUnZip::extractFile(ArchiveFile& archive, DestinationFolder& destination, const std::string& relative,
                            const TZipHeaderInfo& entry, DecodeBuffers& buffers) const {
  std::uint64_t dataStart = locateEntryData(archive, entry);
  std::size_t slash = relative.rfind('/');
  std::string folderPart = slash == std::string::npos ? std::string() : relative.substr(0, slash);
  std::string fileName = slash == std::string::npos ? relative : relative.substr(slash + 1);
  int folder = destination.openFolder(folderPart);
  if (folder < 0 || entry.encrypted()) return false;  // no password is ever supplied
  if (!IsSupportedMethod(entry.compressionMethod)) {
    if (OnWarning) OnWarning(kUnknownMethodMessage, kUnknownMethodCaption);
    return false;
  }
  UniqueFd file = CreateEntryFile(folder, fileName, OverwriteMode, ReplaceReadOnly, entry.modDateTime);
  if (!file.valid()) return false;
  DecodeResult result;
  try {
    result = DecodeEntry(
        archive, dataStart, entry, buffers, [&](std::span<const std::byte> block) { WriteEntryBlock(file.get(), block); },
        [this] { progress(); });
  } catch (const EBiggerThanUncompressed&) {
    RemoveEntryFile(folder, fileName);
    return false;
  } catch (...) {
    RemoveEntryFile(folder, fileName);  // a half-written part is worse than a missing one
    throw;
  }
  if (result.crc != entry.crc32 || result.written != entry.uncompressedSize()) {
    RemoveEntryFile(folder, fileName);
    return false;
  }
  std::optional<mode_t> mode;
  if (RetainAttributes) mode = ModeFromAttributes(entry.hostSystem(), entry.externalAttributes, false);
  FinishEntryFile(file.get(), RepairDosDateTime(entry.modDateTime), mode);
  return true;
}

void TVCLUnZip::openWithDirectory(std::optional<ArchiveFile>& archive) {
  try {
    archive.emplace(zipName_);
    ensureDirectory(*archive);
  } catch (...) {
    dropDirectory();
    throw;
  }
}

int TVCLUnZip::UnZip() {
  std::optional<ArchiveFile> archive;
  openWithDirectory(archive);
  std::vector<std::size_t> selected = selectEntries();
  checkTotalSize(selected);
  DestinationFolder destination(destDir_);
  DecodeBuffers buffers;
  int written = 0;
  for (std::size_t index : selected) {
    progress();
    const TZipHeaderInfo& entry = entries_[index];
    std::optional<std::string> relative = SafeEntryPath(RecreateDirs ? entry.name() : entry.FileName);
    if (!relative) continue;  // a name that would leave DestDir is never written
    bool done = entry.isFolder() ? extractFolder(destination, *relative, entry)
                                 : !relative->empty() && extractFile(*archive, destination, *relative, entry, buffers);
    if (done) ++written;
  }
  return written;
}

std::optional<std::string> TVCLUnZip::UnZipToString(std::size_t index, std::uint64_t maxBytes) {
  std::optional<ArchiveFile> archive;
  openWithDirectory(archive);
  const TZipHeaderInfo& entry = entries_.at(index);
  if (entry.isFolder() || entry.encrypted() || !IsSupportedMethod(entry.compressionMethod) ||
      entry.uncompressedSize() > maxBytes) {
    return std::nullopt;
  }
  const std::uint64_t dataStart = locateEntryData(*archive, entry);
  DecodeBuffers buffers;
  std::string bytes;
  DecodeResult result;
  try {
    result = DecodeEntry(
        *archive, dataStart, entry, buffers,
        [&](std::span<const std::byte> block) { bytes.append(reinterpret_cast<const char*>(block.data()), block.size()); },
        [this] { progress(); });
  } catch (const EBiggerThanUncompressed&) {
    return std::nullopt;
  }
  if (result.crc != entry.crc32 || result.written != entry.uncompressedSize()) return std::nullopt;
  return bytes;
}

}  // namespace vellumine
