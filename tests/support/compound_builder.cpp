// Writes compound files as the published layout describes them: a header with the first 109
// allocation-table sector numbers, the allocation table, further lists of its sectors when there
// are more, and the directory, whose entries link each parent's children as a chain of right
// siblings.  Nothing here uses the reader's constants.
#include "support/compound_builder.h"

#include <algorithm>
#include <stdexcept>

namespace vellumine::test {

namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kAllocationSector = 0xFFFFFFFD;
constexpr std::uint32_t kListSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kHeaderLists = 109;

void put16(std::string& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::size_t at, std::uint32_t v) {
  put16(out, at, v & 0xFFFF);
  put16(out, at + 2, v >> 16);
}

std::uint32_t ceilDiv(std::uint64_t a, std::uint64_t b) { return static_cast<std::uint32_t>((a + b - 1) / b); }

}  // namespace

CompoundBuilder& CompoundBuilder::stream(std::u16string name, std::u16string storage) {
  std::size_t parent = 0;
  if (!storage.empty()) {
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == storage; });
    if (found == entries_.end()) throw std::logic_error("CompoundBuilder: add the storage first");
    parent = static_cast<std::size_t>(found - entries_.begin());
  }
  entries_.push_back({std::move(name), 2, parent});
  return *this;
}
CompoundBuilder& CompoundBuilder::storage(std::u16string name) {
  entries_.push_back({std::move(name), 1, 0});
  return *this;
}
CompoundBuilder& CompoundBuilder::largeSectors() { return sectorShift(12); }
CompoundBuilder& CompoundBuilder::directoryAtSector(std::uint32_t sector) {
  directoryAt_ = sector;
  return *this;
}
CompoundBuilder& CompoundBuilder::sectorShift(std::uint16_t shift) {
  shift_ = shift;
  return *this;
}
CompoundBuilder& CompoundBuilder::directoryChainLoops() {
  chainLoops_ = true;
  return *this;
}
CompoundBuilder& CompoundBuilder::directoryStartPastEnd() {
  startPastEnd_ = true;
  return *this;
}
CompoundBuilder& CompoundBuilder::allocationSectorPastEnd() {
  allocationPastEnd_ = true;
  return *this;
}
CompoundBuilder& CompoundBuilder::siblingsLoop() {
  siblingsLoop_ = true;
  return *this;
}

std::string CompoundBuilder::build() const {
  // An unusable shift still gets a file of 512-byte sectors: the header is what is under test.
  const std::size_t size = shift_ == 12 ? 4096 : 512;
  const std::uint32_t perSector = static_cast<std::uint32_t>(size / 4);
  const std::uint32_t directorySectors = ceilDiv(entries_.size(), size / 128);
  // Allocation sectors first, then their further lists, free sectors, the directory.
  std::uint32_t tables = 1, lists = 0, directoryStart = 0;
  for (int settle = 0; settle < 4; ++settle) {
    directoryStart = std::max(directoryAt_, tables + lists);
    tables = ceilDiv(directoryStart + directorySectors, perSector);
    lists = tables > kHeaderLists ? ceilDiv(tables - kHeaderLists, perSector - 1) : 0;
  }
  const std::uint32_t sectors = directoryStart + directorySectors;
  std::string file((std::size_t{sectors} + 1) * size, '\0');
  const auto sectorAt = [&](std::uint32_t sector) { return (std::size_t{sector} + 1) * size; };

  // The header.
  const std::string signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  file.replace(0, signature.size(), signature);
  put16(file, 24, 0x3E);
  put16(file, 26, shift_ == 12 ? 4 : 3);
  put16(file, 28, 0xFFFE);
  put16(file, 30, shift_);
  put16(file, 32, 6);
  put32(file, 40, shift_ == 12 ? directorySectors : 0);
  put32(file, 44, tables);
  put32(file, 48, startPastEnd_ ? sectors + 100 : directoryStart);
  put32(file, 56, 4096);
  put32(file, 60, kEndOfChain);
  put32(file, 68, lists > 0 ? tables : kEndOfChain);
  put32(file, 72, lists);
  for (std::uint32_t i = 0; i < kHeaderLists; ++i) put32(file, 76 + 4 * i, i < tables ? i : kFree);
  if (allocationPastEnd_) put32(file, 76, sectors + 100);

  // The lists of allocation sectors past the header's 109.
  for (std::uint32_t l = 0; l < lists; ++l) {
    const std::size_t at = sectorAt(tables + l);
    for (std::uint32_t i = 0; i + 1 < perSector; ++i) {
      const std::uint32_t table = kHeaderLists + l * (perSector - 1) + i;
      put32(file, at + 4 * i, table < tables ? table : kFree);
    }
    put32(file, at + size - 4, l + 1 < lists ? tables + l + 1 : kEndOfChain);
  }

  // The allocation table.
  for (std::uint32_t s = 0; s < tables * perSector; ++s) {
    std::uint32_t next = kFree;
    if (s < tables) {
      next = kAllocationSector;
    } else if (s < tables + lists) {
      next = kListSector;
    } else if (s >= directoryStart && s < sectors) {
      next = s + 1 < sectors ? s + 1 : (chainLoops_ ? directoryStart : kEndOfChain);
    }
    put32(file, sectorAt(s / perSector) + 4 * (s % perSector), next);
  }

  // The directory: every parent's children as a chain of right siblings.
  std::vector<std::uint32_t> child(entries_.size(), kNoEntry), right(entries_.size(), kNoEntry),
      left(entries_.size(), kNoEntry);
  for (std::size_t i = entries_.size(); i-- > 1;) {
    right[i] = child[entries_[i].parent];
    child[entries_[i].parent] = static_cast<std::uint32_t>(i);
  }
  if (siblingsLoop_ && child[0] != kNoEntry) {
    std::uint32_t last = child[0];
    while (right[last] != kNoEntry) last = right[last];
    right[last] = child[0];
    left[child[0]] = 0;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::size_t at = sectorAt(directoryStart + static_cast<std::uint32_t>(i / (size / 128))) + 128 * (i % (size / 128));
    const std::u16string& name = entries_[i].name;
    for (std::size_t c = 0; c < name.size() && c < 31; ++c) put16(file, at + 2 * c, name[c]);
    put16(file, at + 64, static_cast<std::uint32_t>(2 * (std::min<std::size_t>(name.size(), 31) + 1)));
    file[at + 66] = static_cast<char>(entries_[i].type);
    put32(file, at + 68, left[i]);
    put32(file, at + 72, right[i]);
    put32(file, at + 76, child[i]);
    put32(file, at + 116, kEndOfChain);
  }
  return file;
}

}  // namespace vellumine::test
