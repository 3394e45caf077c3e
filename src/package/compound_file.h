// The directory of a compound file, the sector-based container of older office documents and of
// password-protected new ones: which streams and storages sit directly below its root.  Only the
// directory is read, never a stream's data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "package/archive_file.h"

namespace vellumine {

// The first eight bytes of every compound file.
inline constexpr std::size_t kCompoundSignatureSize = 8;
bool HasCompoundSignature(std::span<const std::byte> head);

// More directory sectors than this (2 million entries with 4 KiB sectors) are not read: no real
// file comes near it, and it bounds the memory a hostile chain can ask for.
inline constexpr std::size_t kMaxCompoundDirectorySectors = std::size_t{1} << 16;

enum class CompoundEntryType : std::uint8_t { unused = 0, storage = 1, stream = 2, root = 5 };

struct CompoundEntry {
  std::string name;  // UTF-8; the stored UTF-16 with unpaired surrogates as U+FFFD
  CompoundEntryType type = CompoundEntryType::unused;
  bool operator==(const CompoundEntry&) const = default;
};

// The streams and storages directly below the root storage, in the order a walk of the root's
// sibling tree meets them.  A damaged directory gives what can be read: a chain ends at a sector
// past the end of the file or at a sector it already passed, and each entry is visited once, so
// the work is linear in the directory.  nullopt when the header is not a compound file's
// (signature, byte order, sector size) or is cut short.
std::optional<std::vector<CompoundEntry>> ReadCompoundRoot(ArchiveFile& file);

}  // namespace vellumine
