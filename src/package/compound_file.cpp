// The root of a compound file's directory: the header gives the sector size, the allocation
// table's sectors (the first 109 in the header, the rest in a chain of their own) and the
// directory's first sector; the directory's chain is followed through the allocation table and
// the root's sibling tree walked without recursion.  Every sector number is checked against the
// file's length before it is read, and every chain and walk is bounded by what the file can hold.
#include "package/compound_file.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "package/zip_cursor.h"

namespace vellumine {

namespace {

constexpr std::array<std::uint8_t, kCompoundSignatureSize> kSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                                        0xA1, 0xB1, 0x1A, 0xE1};

// Header fields.
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kByteOrderOfs = 28;
constexpr std::size_t kSectorShiftOfs = 30;
constexpr std::size_t kFatSectorCountOfs = 44;
constexpr std::size_t kFirstDirectorySectorOfs = 48;
constexpr std::size_t kFirstDifatSectorOfs = 68;
constexpr std::size_t kHeaderDifatOfs = 76;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::uint16_t kLittleEndianMark = 0xFFFE;

// Directory entry fields.
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kEntryNameUnits = 32;  // UTF-16 code units, the terminating zero included
constexpr std::size_t kEntryNameLengthOfs = 64;
constexpr std::size_t kEntryTypeOfs = 66;
constexpr std::size_t kEntryLeftOfs = 68;

// Sector numbers above this are markers: end of chain, free, allocation-table sectors.
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;

struct RawEntry {
  CompoundEntry entry;
  std::uint32_t left = 0, right = 0, child = 0;
};

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The entry's UTF-16LE name up to its stored length (or its first zero when the length is out
// of range) as UTF-8.
std::string decodeName(ZipCursor cursor, std::uint16_t lengthBytes) {
  const std::size_t units = lengthBytes >= 2 && lengthBytes <= 2 * kEntryNameUnits ? lengthBytes / 2u - 1 : kEntryNameUnits;
  std::string name;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t code = cursor.u16();
    if (code == 0) break;
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units) {
      ZipCursor ahead = cursor;
      const std::uint32_t low = ahead.u16();
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        cursor = ahead;
        ++i;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
    appendUtf8(name, code);
  }
  return name;
}

class CompoundReader {
 public:
  CompoundReader(ArchiveFile& file, std::span<const std::byte> header, unsigned shift)
      : file_(file), header_(header), shift_(shift), sectorSize_(std::uint64_t{1} << shift) {
    sectorCount_ = file.size() > sectorSize_ ? (file.size() - 1) / sectorSize_ : 0;  // a cut last one counts
  }

  std::vector<CompoundEntry> rootEntries() {
    readAllocationSectors();
    readDirectoryChain();
    std::optional<RawEntry> root = entry(0);
    if (!root || root->entry.type != CompoundEntryType::root) return {};
    return siblings(root->child);
  }

 private:
  std::uint64_t sectorOffset(std::uint32_t sector) const { return (std::uint64_t{sector} + 1) << shift_; }
  std::uint64_t perSector() const { return sectorSize_ / 4; }
  bool inFile(std::uint32_t sector) const { return sector <= kMaxRegularSector && sector < sectorCount_; }

  std::uint32_t headerField(std::size_t offset) const {
    ZipCursor cursor(header_);
    cursor.seek(offset);
    return cursor.u32();
  }

  // The allocation table's sectors, as many as can describe the file's sectors: the header's 109,
  // then the chain of further lists, each ending with the number of the next.  The count bounds
  // the chain, so one that loops stops as one that does not.
  void readAllocationSectors() {
    const std::uint64_t needed = (sectorCount_ + perSector() - 1) / perSector();
    const std::uint64_t wanted = std::min<std::uint64_t>(headerField(kFatSectorCountOfs), needed);
    for (std::size_t i = 0; i < kHeaderDifatEntries && fat_.size() < wanted; ++i) {
      fat_.push_back(headerField(kHeaderDifatOfs + 4 * i));
    }
    std::vector<std::byte> list(sectorSize_);
    std::uint32_t next = headerField(kFirstDifatSectorOfs);
    while (fat_.size() < wanted && inFile(next) && file_.readExactAt(sectorOffset(next), list)) {
      ZipCursor cursor(list);
      for (std::uint64_t i = 0; i + 1 < perSector() && fat_.size() < wanted; ++i) fat_.push_back(cursor.u32());
      cursor.seek(list.size() - 4);
      next = cursor.u32();
    }
  }

  std::optional<std::uint32_t> nextSector(std::uint32_t sector) {
    const std::uint64_t index = sector / perSector();
    if (index >= fat_.size() || !inFile(fat_[index])) return std::nullopt;
    std::array<std::byte, 4> bytes{};
    if (!file_.readExactAt(sectorOffset(fat_[index]) + 4 * (sector % perSector()), bytes)) return std::nullopt;
    return ZipCursor(bytes).u32();
  }

  void readDirectoryChain() {
    std::unordered_set<std::uint32_t> passed;
    std::uint32_t sector = headerField(kFirstDirectorySectorOfs);
    while (inFile(sector) && chain_.size() < kMaxCompoundDirectorySectors && passed.insert(sector).second) {
      chain_.push_back(sector);
      const std::optional<std::uint32_t> next = nextSector(sector);
      if (!next) break;
      sector = *next;
    }
  }

  std::uint64_t entryCount() const { return chain_.size() * (sectorSize_ / kEntrySize); }

  std::optional<RawEntry> entry(std::uint32_t id) {
    if (id >= entryCount()) return std::nullopt;
    const std::uint64_t perDirectorySector = sectorSize_ / kEntrySize;
    std::array<std::byte, kEntrySize> bytes{};
    const std::uint64_t at = sectorOffset(chain_[id / perDirectorySector]) + kEntrySize * (id % perDirectorySector);
    if (!file_.readExactAt(at, bytes)) return std::nullopt;
    ZipCursor cursor(bytes);
    cursor.seek(kEntryNameLengthOfs);
    const std::uint16_t nameLength = cursor.u16();
    RawEntry raw;
    raw.entry.name = decodeName(ZipCursor(bytes), nameLength);
    raw.entry.type = static_cast<CompoundEntryType>(std::to_integer<std::uint8_t>(bytes[kEntryTypeOfs]));
    cursor.seek(kEntryLeftOfs);
    raw.left = cursor.u32();
    raw.right = cursor.u32();
    raw.child = cursor.u32();
    return raw;
  }

  // The entries of one sibling tree, each visited once however its links point.
  std::vector<CompoundEntry> siblings(std::uint32_t first) {
    std::vector<CompoundEntry> found;
    std::vector<bool> visited(entryCount());
    std::vector<std::uint32_t> pending{first};
    while (!pending.empty()) {
      const std::uint32_t id = pending.back();
      pending.pop_back();
      if (id >= visited.size() || visited[id]) continue;
      visited[id] = true;
      std::optional<RawEntry> raw = entry(id);
      if (!raw) continue;
      if (raw->entry.type == CompoundEntryType::stream || raw->entry.type == CompoundEntryType::storage) {
        found.push_back(std::move(raw->entry));
      }
      pending.push_back(raw->right);
      pending.push_back(raw->left);
    }
    return found;
  }

  ArchiveFile& file_;
  std::span<const std::byte> header_;
  unsigned shift_;
  std::uint64_t sectorSize_;
  std::uint64_t sectorCount_ = 0;  // sectors after the header
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> chain_;
};

}  // namespace

bool HasCompoundSignature(std::span<const std::byte> head) {
  if (head.size() < kSignature.size()) return false;
  return std::equal(kSignature.begin(), kSignature.end(), head.begin(),
                    [](std::uint8_t want, std::byte have) { return std::to_integer<std::uint8_t>(have) == want; });
}

std::optional<std::vector<CompoundEntry>> ReadCompoundRoot(ArchiveFile& file) {
  std::array<std::byte, kHeaderSize> header{};
  if (!file.readExactAt(0, header) || !HasCompoundSignature(header)) return std::nullopt;
  ZipCursor cursor(header);
  cursor.seek(kByteOrderOfs);
  const std::uint16_t byteOrder = cursor.u16();
  const std::uint16_t shift = cursor.u16();
  // 512-byte sectors (version 3) or 4096-byte ones (version 4); nothing else is written.
  if (byteOrder != kLittleEndianMark || (shift != 9 && shift != 12)) return std::nullopt;
  static_assert(kSectorShiftOfs == kByteOrderOfs + 2);
  return CompoundReader(file, header, shift).rootEntries();
}

}  // namespace vellumine
