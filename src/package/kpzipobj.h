// The records of a ZIP archive as the reader keeps them: TZipHeaderInfo (one central-directory
// entry), TEndCentral (the end record with its optional Zip64 locator and record), the local header,
// and the parsers that fill them from raw bytes.  Nothing here touches a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vellumine {

inline constexpr std::uint32_t kCentralSignature = 0x02014B50;      // "PK" 1 2
inline constexpr std::uint32_t kLocalSignature = 0x04034B50;        // "PK" 3 4
inline constexpr std::uint32_t kEndSignature = 0x06054B50;          // "PK" 5 6
inline constexpr std::uint32_t kZip64EndSignature = 0x06064B50;     // "PK" 6 6
inline constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;  // "PK" 6 7

inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kEndRecordSize = 22;
inline constexpr std::size_t kZip64LocatorSize = 20;
inline constexpr std::size_t kZip64EndSize = 56;
// The end record plus the longest comment it can announce: the whole search window.
inline constexpr std::size_t kEndSearchWindow = kEndRecordSize + 65535;

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr std::uint16_t kFlagUtf8Names = 0x0800;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;
inline constexpr std::uint8_t kHostMsDos = 0;
inline constexpr std::uint8_t kHostUnix = 3;

// When entry names are taken as OEM (CP437) text and converted.
enum class TOEMConvert { oemAlways, oemNever, oemFlexible };

// The values of an entry's Zip64 extended-information block, each present only when the
// matching header field holds its all-ones marker.
struct TZip64Values {
  std::optional<std::uint64_t> uncompressedSize;
  std::optional<std::uint64_t> compressedSize;
  std::optional<std::uint64_t> relativeOffset;
  std::optional<std::uint32_t> diskNumberStart;
};

// One entry of the central directory.  The *32/*16 members are the header fields as stored; the
// accessors give the usable values, taking the Zip64 value where a field holds its marker.
class TZipHeaderInfo {
 public:
  std::uint16_t versionMadeBy = 0;  // high byte: host system
  std::uint16_t versionNeeded = 0;
  std::uint16_t flags = 0;
  std::uint16_t compressionMethod = 0;
  std::uint32_t modDateTime = 0;  // MS-DOS date (high word) and time (low word), repaired
  std::uint32_t crc32 = 0;
  std::uint32_t compressedSize32 = 0;
  std::uint32_t uncompressedSize32 = 0;
  std::uint16_t nameLength = 0;  // length of Directory + FileName
  std::uint16_t extraLength = 0;
  std::uint16_t commentLength = 0;
  std::uint16_t diskNumberStart16 = 0;
  std::uint16_t internalAttributes = 0;
  std::uint32_t externalAttributes = 0;
  std::uint32_t relativeOffset32 = 0;  // of the local header
  std::uint64_t centralPosition = 0;   // where this entry's central record starts
  std::string FileName;                // after the last "/"
  std::string Directory;               // up to and including the last "/", or empty
  TZip64Values zip64;

  std::uint64_t uncompressedSize() const;
  std::uint64_t compressedSize() const;
  std::uint64_t relativeOffset() const;
  std::uint32_t diskNumberStart() const;

  std::uint8_t hostSystem() const { return static_cast<std::uint8_t>(versionMadeBy >> 8); }
  bool encrypted() const { return (flags & kFlagEncrypted) != 0; }
  bool hasDataDescriptor() const { return (flags & kFlagDataDescriptor) != 0; }
  bool isFolder() const { return FileName.empty(); }
  std::string name() const { return Directory + FileName; }
};

// A local header's fixed part.
struct LocalHeader {
  std::uint32_t signature = 0;
  std::uint16_t versionNeeded = 0;
  std::uint16_t flags = 0;
  std::uint16_t compressionMethod = 0;
  std::uint32_t modDateTime = 0;
  std::uint32_t crc32 = 0;
  std::uint32_t compressedSize32 = 0;
  std::uint32_t uncompressedSize32 = 0;
  std::uint16_t nameLength = 0;
  std::uint16_t extraLength = 0;
};

struct TZip64EndLocator {
  std::uint32_t signature = 0;
  std::uint32_t endDisk = 0;
  std::uint64_t endOffset = 0;  // of the Zip64 end record
  std::uint32_t totalDisks = 0;
};

struct TZip64EndCentral {
  std::uint32_t signature = 0;
  std::uint64_t recordSize = 0;
  std::uint16_t versionMadeBy = 0;
  std::uint16_t versionNeeded = 0;
  std::uint32_t thisDisk = 0;
  std::uint32_t centralDisk = 0;
  std::uint64_t entriesThisDisk = 0;
  std::uint64_t totalEntries = 0;
  std::uint64_t centralSize = 0;
  std::uint64_t centralOffset = 0;
};

// The end-of-central-directory record.  Accessors take the Zip64 record's value for a field that
// holds 0xFFFF / 0xFFFFFFFF when that record was read.
class TEndCentral {
 public:
  std::uint32_t signature = 0;
  std::uint16_t thisDisk16 = 0;
  std::uint16_t centralDisk16 = 0;
  std::uint16_t entriesThisDisk16 = 0;
  std::uint16_t totalEntries16 = 0;
  std::uint32_t centralSize32 = 0;
  std::uint32_t centralOffset32 = 0;
  std::uint16_t commentLength = 0;
  std::uint64_t commentPosition = 0;
  std::optional<TZip64EndLocator> zip64Locator;
  std::optional<TZip64EndCentral> zip64End;

  std::uint64_t thisDisk() const;
  std::uint64_t centralDisk() const;
  std::uint64_t totalEntries() const;
  std::uint64_t centralSize() const;
  std::uint64_t centralOffset() const;
};

// Clamps each out-of-range field of an MS-DOS date-time (seconds/2 29, minutes 59, hours 23,
// day and month at least 1, month at most 12, year at most 2099); a valid value is kept.
std::uint32_t RepairDosDateTime(std::uint32_t dosDateTime);

// Fixed-part parsers; false when the bytes are short or the signature is wrong.
bool ParseCentralHeader(std::span<const std::byte> bytes, TZipHeaderInfo& entry);
bool ParseLocalHeader(std::span<const std::byte> bytes, LocalHeader& header);
bool ParseEndRecord(std::span<const std::byte> bytes, TEndCentral& end);
bool ParseZip64Locator(std::span<const std::byte> bytes, TZip64EndLocator& locator);
bool ParseZip64End(std::span<const std::byte> bytes, TZip64EndCentral& record);

// Turns the stored name into Directory and FileName: "\" becomes "/", OEM names are converted.
void SetEntryName(TZipHeaderInfo& entry, std::string_view storedName, TOEMConvert oemConvert);
// Walks the extra field's blocks and takes, from the Zip64 block, the values whose header
// fields hold their marker.  Malformed blocks end the walk.
void ReadZip64Extra(TZipHeaderInfo& entry, std::span<const std::byte> extra);
// True when every field that holds its all-ones marker has its Zip64 value.
bool HasZip64ValuesForMarkers(const TZipHeaderInfo& entry);
// An entry as the recovery scan knows it: from the local header (and its extra field) found at
// position.  The name is set separately.
TZipHeaderInfo EntryFromLocalHeader(const LocalHeader& header, std::span<const std::byte> extra,
                                    std::uint64_t position);

}  // namespace vellumine
