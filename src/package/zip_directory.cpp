// The archive file into its directory: find the end record in the last 65,557 bytes, follow the
// Zip64 locator, read the central entries in order, and fall back to scanning local headers when a
// central header does not read.  Every position is a uint64 checked against the archive size
// before it is read, so a hostile offset only ever leads to a failed read, never a wild one.
#include "package/zip_directory.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>

#include "package/zip_errors.h"

namespace vellumine {

namespace {

constexpr std::uint64_t kExeScanStart = 14000;  // self-extracting archives: skip the program
constexpr std::uint64_t kScanProgressStep = 10240;
constexpr std::size_t kScanBlockSize = 65536;
constexpr std::uint64_t kDataDescriptorSize = 16;
constexpr std::size_t kLocalSignatureProbe = 6;  // signature and version-needed field

// a + b, or nullopt when the sum wraps.
std::optional<std::uint64_t> checkedAdd(std::uint64_t a, std::uint64_t b) {
  if (a + b < a) return std::nullopt;
  return a + b;
}

bool hasExeExtension(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return ext == ".EXE";
}

bool isEndSignatureAt(const std::vector<std::byte>& tail, std::size_t i) {
  static constexpr std::array<std::byte, 4> kSig = {std::byte{'P'}, std::byte{'K'}, std::byte{5}, std::byte{6}};
  return std::memcmp(tail.data() + i, kSig.data(), kSig.size()) == 0;
}

bool isLocalSignatureAt(const std::byte* p) {
  return p[0] == std::byte{'P'} && p[1] == std::byte{'K'} && p[2] == std::byte{3} && p[3] == std::byte{4} &&
         std::to_integer<unsigned>(p[5]) < 10;
}

// The end record rebuilt after a recovery scan: disk 0, the entries found, the directory where
// the scan stopped.  Values too wide for the classic fields go into a Zip64 record.
TEndCentral rebuiltEndRecord(std::uint64_t entries, std::uint64_t centralOffset) {
  TEndCentral end;
  end.signature = kEndSignature;
  TZip64EndCentral wide;
  wide.signature = kZip64EndSignature;
  wide.totalEntries = wide.entriesThisDisk = entries;
  wide.centralOffset = centralOffset;
  end.totalEntries16 = end.entriesThisDisk16 = static_cast<std::uint16_t>(std::min<std::uint64_t>(entries, 0xFFFF));
  end.centralOffset32 = static_cast<std::uint32_t>(std::min<std::uint64_t>(centralOffset, 0xFFFFFFFF));
  if (entries >= 0xFFFF || centralOffset >= 0xFFFFFFFF) end.zip64End = wide;
  return end;
}

class DirectoryReader {
 public:
  DirectoryReader(ArchiveFile& archive, const std::filesystem::path& zipName, const DirectoryOptions& options)
      : archive_(archive), zipName_(zipName), options_(options) {}

  ZipDirectory read() {
    std::optional<TEndCentral> end = endRecordOrFallback();
    if (!end) {
      runRecoveryScanOrFail();
      return std::move(directory_);
    }
    directory_.end = *end;
    std::uint64_t total = end->totalEntries();
    checkEntryCount(total);
    if (!readCentralEntries(end->centralOffset(), total)) {
      runRecoveryScanOrFail();
    } else if (total > 0 && !endRecordElsewhere_) {
      checkConsistency(*end);
    }
    return std::move(directory_);
  }

 private:
  void progress() const {
    if (options_.progress) options_.progress();
  }

  void checkEntryCount(std::uint64_t count) const {
    if (count > options_.maxEntries) throw EPackageTooLarge(kTooManyEntriesMessage, options_.maxEntries, count);
  }

  // The end record of one file: the last end signature in the search window, its Zip64 record,
  // the disk check.  An empty file is an empty archive.
  static std::optional<TEndCentral> findEndRecord(ArchiveFile& file) {
    if (file.size() == 0) return TEndCentral{};
    if (file.size() < kEndRecordSize) return std::nullopt;
    std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(kEndSearchWindow, file.size()));
    std::uint64_t tailStart = file.size() - tailSize;
    std::vector<std::byte> tail(tailSize);
    if (!file.readExactAt(tailStart, tail)) return std::nullopt;
    for (std::size_t i = tailSize - kEndRecordSize + 1; i-- > 0;) {
      if (tail[i] != std::byte{'P'} || !isEndSignatureAt(tail, i)) continue;
      TEndCentral end;
      ParseEndRecord(std::span<const std::byte>(tail).subspan(i, kEndRecordSize), end);
      end.commentPosition = tailStart + i + kEndRecordSize;
      readZip64Records(file, tailStart + i, end);
      if (end.thisDisk() < end.centralDisk()) return std::nullopt;
      return end;
    }
    return std::nullopt;
  }

  // A locator right before the end record leads to the Zip64 record, which must then be whole.
  static void readZip64Records(ArchiveFile& file, std::uint64_t endPosition, TEndCentral& end) {
    if (endPosition < kZip64LocatorSize) return;
    std::array<std::byte, kZip64LocatorSize> locatorBytes{};
    TZip64EndLocator locator;
    if (!file.readExactAt(endPosition - kZip64LocatorSize, locatorBytes) ||
        !ParseZip64Locator(locatorBytes, locator)) {
      return;
    }
    std::array<std::byte, kZip64EndSize> recordBytes{};
    TZip64EndCentral record;
    if (!file.readExactAt(locator.endOffset, recordBytes) || !ParseZip64End(recordBytes, record)) {
      throw EBadZipFile(BadZipCheck::zip64EndRecordMissing, locator.endOffset);
    }
    end.zip64Locator = locator;
    end.zip64End = record;
  }

  // The archive's own end record, else the one kept in a ".zfc" file beside it; without either,
  // what the incomplete-archive mode says.
  std::optional<TEndCentral> endRecordOrFallback() {
    if (std::optional<TEndCentral> end = findEndRecord(archive_)) return end;
    std::filesystem::path keptEnd = zipName_;
    keptEnd.replace_extension(".zfc");
    std::error_code ec;
    if (keptEnd != zipName_ && std::filesystem::is_regular_file(keptEnd, ec)) {
      try {
        ArchiveFile file(keptEnd);
        if (std::optional<TEndCentral> end = findEndRecord(file)) {
          endRecordElsewhere_ = true;
          return end;
        }
      } catch (const EFOpenError&) {
        // unreadable: as if it were not there
      }
    }
    switch (options_.incompleteZipMode) {
      case TIncompleteZipMode::izAssumeMulti:
        throw EIncompleteZip();
      case TIncompleteZipMode::izAssumeNotAZip:
        throw ENotAZipFile();
      case TIncompleteZipMode::izAssumeBad:
        break;
    }
    return std::nullopt;
  }

  // One central header at position (fixed part, name, extra field); moves position past its
  // comment.  False when it does not read or runs past the end of the archive.
  bool readCentralHeader(std::uint64_t& position, TZipHeaderInfo& entry) {
    std::array<std::byte, kCentralHeaderSize> fixed{};
    if (!archive_.readExactAt(position, fixed) || !ParseCentralHeader(fixed, entry)) return false;
    std::optional<std::uint64_t> next =
        checkedAdd(position, kCentralHeaderSize + std::uint64_t{entry.nameLength} + entry.extraLength + entry.commentLength);
    if (!next || *next > archive_.size()) return false;
    std::uint16_t storedNameLength = entry.nameLength;
    std::string name(storedNameLength, '\0');
    std::vector<std::byte> extra(entry.extraLength);
    if (!archive_.readExactAt(position + kCentralHeaderSize, std::as_writable_bytes(std::span(name))) ||
        !archive_.readExactAt(position + kCentralHeaderSize + storedNameLength, extra)) {
      return false;
    }
    SetEntryName(entry, name, options_.oemConvert);
    ReadZip64Extra(entry, extra);
    if (!HasZip64ValuesForMarkers(entry)) throw EBadZipFile(BadZipCheck::zip64ValuesMissing, position);
    entry.centralPosition = position;
    position = *next;
    return true;
  }

  // The central headers from the directory's offset, in order; false at the first that does not read.
  bool readCentralEntries(std::uint64_t position, std::uint64_t total) {
    directory_.entries.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(total, archive_.size() / kCentralHeaderSize)));
    for (std::uint64_t i = 0; i < total; ++i) {
      progress();
      TZipHeaderInfo entry;
      if (!readCentralHeader(position, entry)) return false;
      directory_.entries.push_back(std::move(entry));
    }
    return true;
  }

  // A directory that reads must agree with its end record: it ends at or before the record
  // (the Zip64 one when there is one), and every entry's local header starts before it.  A
  // directory that overlaps the record, or an entry whose data would be read out of the
  // directory, means the archive was cut, patched or crafted.
  void checkConsistency(const TEndCentral& end) const {
    const std::uint64_t record = end.zip64Locator ? end.zip64Locator->endOffset
                                                  : end.commentPosition - std::min<std::uint64_t>(end.commentPosition, kEndRecordSize);
    const std::optional<std::uint64_t> directoryEnd = checkedAdd(end.centralOffset(), end.centralSize());
    if (!directoryEnd || *directoryEnd > record) throw EBadZipFile(BadZipCheck::directoryPastEndRecord, end.centralOffset());
    for (const TZipHeaderInfo& entry : directory_.entries) {
      if (entry.relativeOffset() >= end.centralOffset())
        throw EBadZipFile(BadZipCheck::localHeaderPastDirectory, entry.centralPosition);
    }
  }

  void runRecoveryScanOrFail() {
    directory_.entries.clear();
    if (!recoveryScan()) {
      directory_ = {};
      throw EBadZipFile(BadZipCheck::noEntriesFound);
    }
  }

  // The first local signature from the scan start, or nullopt.
  std::optional<std::uint64_t> findFirstLocalHeader() {
    std::uint64_t position = hasExeExtension(zipName_) ? kExeScanStart : 0;
    std::uint64_t nextProgress = position;
    std::vector<std::byte> block(kScanBlockSize);
    while (position < archive_.size()) {
      std::size_t n = archive_.readAt(position, block);
      if (n < kLocalSignatureProbe) return std::nullopt;
      std::size_t candidates = n - kLocalSignatureProbe + 1;  // the probe must fit the block
      for (std::size_t i = 0; i < candidates; ++i) {
        while (position + i >= nextProgress) {
          progress();
          nextProgress += kScanProgressStep;
        }
        if (isLocalSignatureAt(block.data() + i)) return position + i;
      }
      position += candidates;
    }
    return std::nullopt;
  }

  // One local header at position, appended as an entry; the position after its data, or
  // nullopt when no header reads there.
  std::optional<std::uint64_t> readLocalEntry(std::uint64_t position) {
    std::array<std::byte, kLocalHeaderSize> fixed{};
    LocalHeader header;
    if (!archive_.readExactAt(position, fixed) || !ParseLocalHeader(fixed, header)) return std::nullopt;
    std::string name(header.nameLength, '\0');
    std::vector<std::byte> extra(header.extraLength);
    if (!archive_.readExactAt(position + kLocalHeaderSize, std::as_writable_bytes(std::span(name))) ||
        !archive_.readExactAt(position + kLocalHeaderSize + header.nameLength, extra)) {
      return std::nullopt;
    }
    TZipHeaderInfo entry = EntryFromLocalHeader(header, extra, position);
    SetEntryName(entry, name, options_.oemConvert);
    if (!HasZip64ValuesForMarkers(entry)) throw EBadZipFile(BadZipCheck::zip64ValuesMissing, position);
    checkEntryCount(directory_.entries.size() + 1);
    std::uint64_t headerEnd = position + kLocalHeaderSize + header.nameLength + header.extraLength;
    std::uint64_t trailer = entry.hasDataDescriptor() ? kDataDescriptorSize : 0;
    std::optional<std::uint64_t> next = checkedAdd(headerEnd, entry.compressedSize());
    if (next) next = checkedAdd(*next, trailer);
    directory_.entries.push_back(std::move(entry));
    return next ? std::min(*next, archive_.size()) : archive_.size();
  }

  // The recovery scan: consecutive local headers from the first signature, a rebuilt end record,
  // and the central headers found after them correcting what the local headers said.
  bool recoveryScan() {
    std::optional<std::uint64_t> first = findFirstLocalHeader();
    if (!first) return false;
    std::uint64_t position = *first;
    while (std::optional<std::uint64_t> next = readLocalEntry(position)) position = *next;
    directory_.end = rebuiltEndRecord(directory_.entries.size(), position);
    correctFromCentralDirectory(position);
    return !directory_.entries.empty();
  }

  void correctFromCentralDirectory(std::uint64_t position) {
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < directory_.entries.size(); ++i) byName.emplace(directory_.entries[i].name(), i);
    for (std::size_t i = 0; i < directory_.entries.size(); ++i) {
      progress();
      TZipHeaderInfo central;
      if (!readCentralHeader(position, central)) return;
      auto found = byName.find(central.name());
      if (found == byName.end()) continue;
      TZipHeaderInfo& scanned = directory_.entries[found->second];
      central.relativeOffset32 = scanned.relativeOffset32;
      central.zip64.relativeOffset = scanned.zip64.relativeOffset;
      scanned = std::move(central);
    }
  }

  ArchiveFile& archive_;
  const std::filesystem::path& zipName_;
  const DirectoryOptions& options_;
  ZipDirectory directory_;
  bool endRecordElsewhere_ = false;  // read from the ".zfc" file: its position says nothing here
};

}  // namespace

ZipDirectory ReadZipDirectory(ArchiveFile& archive, const std::filesystem::path& zipName,
                              const DirectoryOptions& options) {
  return DirectoryReader(archive, zipName, options).read();
}

}  // namespace vellumine
