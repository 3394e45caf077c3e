// Raw ZIP record bytes into TZipHeaderInfo / TEndCentral / LocalHeader.  Every field is read at a
// named offset through ZipCursor (never by overlaying a struct), names are split and converted,
// Zip64 extra blocks are walked within their bounds, and MS-DOS date-times are repaired.
#include "package/kpzipobj.h"

#include "package/oem_names.h"
#include "package/zip_cursor.h"

namespace vellumine {

namespace {

constexpr std::uint16_t kAllOnes16 = 0xFFFF;
constexpr std::uint32_t kAllOnes32 = 0xFFFFFFFF;
constexpr std::uint16_t kZip64ExtraTag = 0x0001;

// Central-directory header.
constexpr std::size_t kCentralVersionMadeByOfs = 4;
constexpr std::size_t kCentralVersionNeededOfs = 6;
constexpr std::size_t kCentralFlagsOfs = 8;
constexpr std::size_t kCentralMethodOfs = 10;
constexpr std::size_t kCentralDateTimeOfs = 12;  // time word, then date word
constexpr std::size_t kCentralCrcOfs = 16;
constexpr std::size_t kCentralCompressedSizeOfs = 20;
constexpr std::size_t kCentralUncompressedSizeOfs = 24;
constexpr std::size_t kCentralNameLengthOfs = 28;
constexpr std::size_t kCentralExtraLengthOfs = 30;
constexpr std::size_t kCentralCommentLengthOfs = 32;
constexpr std::size_t kCentralDiskStartOfs = 34;
constexpr std::size_t kCentralInternalAttrOfs = 36;
constexpr std::size_t kCentralExternalAttrOfs = 38;
constexpr std::size_t kCentralLocalOffsetOfs = 42;

// Local header.
constexpr std::size_t kLocalVersionNeededOfs = 4;
constexpr std::size_t kLocalFlagsOfs = 6;
constexpr std::size_t kLocalMethodOfs = 8;
constexpr std::size_t kLocalDateTimeOfs = 10;
constexpr std::size_t kLocalCrcOfs = 14;
constexpr std::size_t kLocalCompressedSizeOfs = 18;
constexpr std::size_t kLocalUncompressedSizeOfs = 22;
constexpr std::size_t kLocalNameLengthOfs = 26;
constexpr std::size_t kLocalExtraLengthOfs = 28;

// End record.
constexpr std::size_t kEndThisDiskOfs = 4;
constexpr std::size_t kEndCentralDiskOfs = 6;
constexpr std::size_t kEndEntriesThisDiskOfs = 8;
constexpr std::size_t kEndTotalEntriesOfs = 10;
constexpr std::size_t kEndCentralSizeOfs = 12;
constexpr std::size_t kEndCentralOffsetOfs = 16;
constexpr std::size_t kEndCommentLengthOfs = 20;

// Zip64 locator and end record.
constexpr std::size_t kLocatorDiskOfs = 4;
constexpr std::size_t kLocatorEndOffsetOfs = 8;
constexpr std::size_t kLocatorTotalDisksOfs = 16;
constexpr std::size_t kZip64RecordSizeOfs = 4;
constexpr std::size_t kZip64VersionMadeByOfs = 12;
constexpr std::size_t kZip64VersionNeededOfs = 14;
constexpr std::size_t kZip64ThisDiskOfs = 16;
constexpr std::size_t kZip64CentralDiskOfs = 20;
constexpr std::size_t kZip64EntriesThisDiskOfs = 24;
constexpr std::size_t kZip64TotalEntriesOfs = 32;
constexpr std::size_t kZip64CentralSizeOfs = 40;
constexpr std::size_t kZip64CentralOffsetOfs = 48;

// Fields of the MS-DOS date-time, date in the high word.
constexpr std::uint32_t kTwoSecondsMask = 0x1F;
constexpr int kMinutesShift = 5;
constexpr int kHoursShift = 11;
constexpr int kDayShift = 16;
constexpr int kMonthShift = 21;
constexpr int kYearShift = 25;

std::uint32_t readDateTime(ZipCursor& cursor, std::size_t offset) {
  cursor.seek(offset);
  std::uint32_t time = cursor.u16();
  std::uint32_t date = cursor.u16();
  return (date << 16) | time;
}

std::uint32_t field(std::uint32_t value, int shift, std::uint32_t mask) { return (value >> shift) & mask; }

std::uint32_t withField(std::uint32_t value, int shift, std::uint32_t mask, std::uint32_t fieldValue) {
  return (value & ~(mask << shift)) | (fieldValue << shift);
}

// Whether the name is stored in the OEM code page and must be converted.
bool isOemName(std::uint16_t versionMadeBy, std::uint16_t flags, TOEMConvert oemConvert) {
  if ((flags & kFlagUtf8Names) != 0) return false;
  if ((versionMadeBy >> 8) != kHostMsDos) return false;
  switch (oemConvert) {
    case TOEMConvert::oemAlways:
      return true;
    case TOEMConvert::oemFlexible:
      return (versionMadeBy & 0x0B00) != 0x0B00;
    case TOEMConvert::oemNever:
      return false;
  }
  return false;
}

// Reads the Zip64 block's values, in their fixed order, for the fields that need them.
void takeZip64Values(TZipHeaderInfo& entry, ZipCursor block) {
  if (entry.uncompressedSize32 == kAllOnes32) {
    std::uint64_t v = block.u64();
    if (block.ok()) entry.zip64.uncompressedSize = v;
  }
  if (entry.compressedSize32 == kAllOnes32) {
    std::uint64_t v = block.u64();
    if (block.ok()) entry.zip64.compressedSize = v;
  }
  if (entry.relativeOffset32 == kAllOnes32) {
    std::uint64_t v = block.u64();
    if (block.ok()) entry.zip64.relativeOffset = v;
  }
  if (entry.diskNumberStart16 == kAllOnes16) {
    std::uint32_t v = block.u32();
    if (block.ok()) entry.zip64.diskNumberStart = v;
  }
}

}  // namespace

std::uint64_t TZipHeaderInfo::uncompressedSize() const {
  return uncompressedSize32 == kAllOnes32 ? zip64.uncompressedSize.value_or(0) : uncompressedSize32;
}
std::uint64_t TZipHeaderInfo::compressedSize() const {
  return compressedSize32 == kAllOnes32 ? zip64.compressedSize.value_or(0) : compressedSize32;
}
std::uint64_t TZipHeaderInfo::relativeOffset() const {
  return relativeOffset32 == kAllOnes32 ? zip64.relativeOffset.value_or(0) : relativeOffset32;
}
std::uint32_t TZipHeaderInfo::diskNumberStart() const {
  return diskNumberStart16 == kAllOnes16 ? zip64.diskNumberStart.value_or(0) : diskNumberStart16;
}

std::uint64_t TEndCentral::thisDisk() const {
  return zip64End && thisDisk16 == kAllOnes16 ? zip64End->thisDisk : thisDisk16;
}
std::uint64_t TEndCentral::centralDisk() const {
  return zip64End && centralDisk16 == kAllOnes16 ? zip64End->centralDisk : centralDisk16;
}
std::uint64_t TEndCentral::totalEntries() const {
  return zip64End && totalEntries16 == kAllOnes16 ? zip64End->totalEntries : totalEntries16;
}
std::uint64_t TEndCentral::centralSize() const {
  return zip64End && centralSize32 == kAllOnes32 ? zip64End->centralSize : centralSize32;
}
std::uint64_t TEndCentral::centralOffset() const {
  return zip64End && centralOffset32 == kAllOnes32 ? zip64End->centralOffset : centralOffset32;
}

std::uint32_t RepairDosDateTime(std::uint32_t v) {
  if (field(v, 0, kTwoSecondsMask) >= 30) v = withField(v, 0, kTwoSecondsMask, 29);
  if (field(v, kMinutesShift, 0x3F) >= 60) v = withField(v, kMinutesShift, 0x3F, 59);
  if (field(v, kHoursShift, 0x1F) > 23) v = withField(v, kHoursShift, 0x1F, 23);
  if (field(v, kDayShift, 0x1F) == 0) v = withField(v, kDayShift, 0x1F, 1);
  std::uint32_t month = field(v, kMonthShift, 0x0F);
  if (month == 0) v = withField(v, kMonthShift, 0x0F, 1);
  if (month > 12) v = withField(v, kMonthShift, 0x0F, 12);
  if (field(v, kYearShift, 0x7F) >= 120) v = withField(v, kYearShift, 0x7F, 119);
  return v;
}

bool ParseCentralHeader(std::span<const std::byte> bytes, TZipHeaderInfo& entry) {
  ZipCursor c(bytes);
  if (c.u32() != kCentralSignature) return false;
  c.seek(kCentralVersionMadeByOfs);
  entry.versionMadeBy = c.u16();
  c.seek(kCentralVersionNeededOfs);
  entry.versionNeeded = c.u16();
  c.seek(kCentralFlagsOfs);
  entry.flags = c.u16();
  c.seek(kCentralMethodOfs);
  entry.compressionMethod = c.u16();
  entry.modDateTime = RepairDosDateTime(readDateTime(c, kCentralDateTimeOfs));
  c.seek(kCentralCrcOfs);
  entry.crc32 = c.u32();
  c.seek(kCentralCompressedSizeOfs);
  entry.compressedSize32 = c.u32();
  c.seek(kCentralUncompressedSizeOfs);
  entry.uncompressedSize32 = c.u32();
  c.seek(kCentralNameLengthOfs);
  entry.nameLength = c.u16();
  c.seek(kCentralExtraLengthOfs);
  entry.extraLength = c.u16();
  c.seek(kCentralCommentLengthOfs);
  entry.commentLength = c.u16();
  c.seek(kCentralDiskStartOfs);
  entry.diskNumberStart16 = c.u16();
  c.seek(kCentralInternalAttrOfs);
  entry.internalAttributes = c.u16();
  c.seek(kCentralExternalAttrOfs);
  entry.externalAttributes = c.u32();
  c.seek(kCentralLocalOffsetOfs);
  entry.relativeOffset32 = c.u32();
  return c.ok();
}

bool ParseLocalHeader(std::span<const std::byte> bytes, LocalHeader& header) {
  ZipCursor c(bytes);
  header.signature = c.u32();
  c.seek(kLocalVersionNeededOfs);
  header.versionNeeded = c.u16();
  c.seek(kLocalFlagsOfs);
  header.flags = c.u16();
  c.seek(kLocalMethodOfs);
  header.compressionMethod = c.u16();
  header.modDateTime = readDateTime(c, kLocalDateTimeOfs);
  c.seek(kLocalCrcOfs);
  header.crc32 = c.u32();
  c.seek(kLocalCompressedSizeOfs);
  header.compressedSize32 = c.u32();
  c.seek(kLocalUncompressedSizeOfs);
  header.uncompressedSize32 = c.u32();
  c.seek(kLocalNameLengthOfs);
  header.nameLength = c.u16();
  c.seek(kLocalExtraLengthOfs);
  header.extraLength = c.u16();
  return c.ok() && header.signature == kLocalSignature;
}

bool ParseEndRecord(std::span<const std::byte> bytes, TEndCentral& end) {
  ZipCursor c(bytes);
  end.signature = c.u32();
  c.seek(kEndThisDiskOfs);
  end.thisDisk16 = c.u16();
  c.seek(kEndCentralDiskOfs);
  end.centralDisk16 = c.u16();
  c.seek(kEndEntriesThisDiskOfs);
  end.entriesThisDisk16 = c.u16();
  c.seek(kEndTotalEntriesOfs);
  end.totalEntries16 = c.u16();
  c.seek(kEndCentralSizeOfs);
  end.centralSize32 = c.u32();
  c.seek(kEndCentralOffsetOfs);
  end.centralOffset32 = c.u32();
  c.seek(kEndCommentLengthOfs);
  end.commentLength = c.u16();
  return c.ok() && end.signature == kEndSignature;
}

bool ParseZip64Locator(std::span<const std::byte> bytes, TZip64EndLocator& locator) {
  ZipCursor c(bytes);
  locator.signature = c.u32();
  c.seek(kLocatorDiskOfs);
  locator.endDisk = c.u32();
  c.seek(kLocatorEndOffsetOfs);
  locator.endOffset = c.u64();
  c.seek(kLocatorTotalDisksOfs);
  locator.totalDisks = c.u32();
  return c.ok() && locator.signature == kZip64LocatorSignature;
}

bool ParseZip64End(std::span<const std::byte> bytes, TZip64EndCentral& record) {
  ZipCursor c(bytes);
  record.signature = c.u32();
  c.seek(kZip64RecordSizeOfs);
  record.recordSize = c.u64();
  c.seek(kZip64VersionMadeByOfs);
  record.versionMadeBy = c.u16();
  c.seek(kZip64VersionNeededOfs);
  record.versionNeeded = c.u16();
  c.seek(kZip64ThisDiskOfs);
  record.thisDisk = c.u32();
  c.seek(kZip64CentralDiskOfs);
  record.centralDisk = c.u32();
  c.seek(kZip64EntriesThisDiskOfs);
  record.entriesThisDisk = c.u64();
  c.seek(kZip64TotalEntriesOfs);
  record.totalEntries = c.u64();
  c.seek(kZip64CentralSizeOfs);
  record.centralSize = c.u64();
  c.seek(kZip64CentralOffsetOfs);
  record.centralOffset = c.u64();
  return c.ok() && record.signature == kZip64EndSignature;
}

void SetEntryName(TZipHeaderInfo& entry, std::string_view storedName, TOEMConvert oemConvert) {
  std::string name = isOemName(entry.versionMadeBy, entry.flags, oemConvert) ? OemToUtf8(storedName)
                                                                              : std::string(storedName);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  std::size_t slash = name.rfind('/');
  std::size_t split = slash == std::string::npos ? 0 : slash + 1;
  entry.Directory = name.substr(0, split);
  entry.FileName = name.substr(split);
  // The stored length is 16 bits; a converted name can be longer than its stored form.
  entry.nameLength = static_cast<std::uint16_t>(name.size() > 0xFFFF ? 0xFFFF : name.size());
}

void ReadZip64Extra(TZipHeaderInfo& entry, std::span<const std::byte> extra) {
  ZipCursor c(extra);
  while (c.remaining() >= 4) {
    std::uint16_t tag = c.u16();
    std::uint16_t size = c.u16();
    std::span<const std::byte> block = c.bytes(size);
    if (!c.ok()) return;  // a block announcing more bytes than the field holds
    if (tag == kZip64ExtraTag) {
      takeZip64Values(entry, ZipCursor(block));
      return;
    }
  }
}

bool HasZip64ValuesForMarkers(const TZipHeaderInfo& entry) {
  return (entry.uncompressedSize32 != kAllOnes32 || entry.zip64.uncompressedSize) &&
         (entry.compressedSize32 != kAllOnes32 || entry.zip64.compressedSize) &&
         (entry.relativeOffset32 != kAllOnes32 || entry.zip64.relativeOffset) &&
         (entry.diskNumberStart16 != kAllOnes16 || entry.zip64.diskNumberStart);
}

TZipHeaderInfo EntryFromLocalHeader(const LocalHeader& header, std::span<const std::byte> extra,
                                    std::uint64_t position) {
  TZipHeaderInfo entry;
  entry.versionNeeded = header.versionNeeded;
  entry.flags = header.flags;
  entry.compressionMethod = header.compressionMethod;
  entry.modDateTime = RepairDosDateTime(header.modDateTime);
  entry.crc32 = header.crc32;
  entry.compressedSize32 = header.compressedSize32;
  entry.uncompressedSize32 = header.uncompressedSize32;
  entry.extraLength = header.extraLength;
  ReadZip64Extra(entry, extra);  // sizes only: the offset is where the scan found the header
  if (position >= kAllOnes32) {
    entry.relativeOffset32 = kAllOnes32;
    entry.zip64.relativeOffset = position;
  } else {
    entry.relativeOffset32 = static_cast<std::uint32_t>(position);
  }
  entry.centralPosition = position;
  return entry;
}

}  // namespace vellumine
