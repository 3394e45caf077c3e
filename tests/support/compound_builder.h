// CompoundBuilder: compound files written sector by sector from the published layout, for the
// directory reader's and the sniffer's tests.  Streams and storages are named; their data is
// never read, so streams are empty.  The mutators name the fault they plant, so a test row reads
// as "a compound file whose <fault>".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vellumine::test {

class CompoundBuilder {
 public:
  // Below the root, or below the storage added earlier under that name.
  CompoundBuilder& stream(std::u16string name, std::u16string storage = {});
  CompoundBuilder& storage(std::u16string name);
  CompoundBuilder& largeSectors();                           // 4096 bytes a sector (version 4)
  CompoundBuilder& directoryAtSector(std::uint32_t sector);  // free sectors before the directory

  // Faults.
  CompoundBuilder& sectorShift(std::uint16_t shift);  // written as given
  CompoundBuilder& directoryChainLoops();             // the last directory sector leads to the first
  CompoundBuilder& directoryStartPastEnd();
  CompoundBuilder& allocationSectorPastEnd();         // the header's first allocation-table sector
  CompoundBuilder& siblingsLoop();  // the last root child leads to the first, the first to the root

  std::string build() const;

 private:
  struct Entry {
    std::u16string name;
    std::uint8_t type = 0;
    std::size_t parent = 0;  // the root's index is 0
  };
  std::vector<Entry> entries_{{u"Root Entry", 5, 0}};
  std::uint16_t shift_ = 9;
  std::uint32_t directoryAt_ = 0;
  bool chainLoops_ = false;
  bool startPastEnd_ = false;
  bool allocationPastEnd_ = false;
  bool siblingsLoop_ = false;
};

}  // namespace vellumine::test
