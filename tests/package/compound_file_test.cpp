// ReadCompoundRoot on compound files built sector by sector: what sits at the root, and what a
// damaged header, chain or sibling tree leaves of it.
#include "package/compound_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/compound_builder.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

using test::CompoundBuilder;

struct RootCase {
  std::string name;
  std::string bytes;
  std::optional<std::string> root;  // "name:type ..." in walk order; nullopt: not a compound file
};
void PrintTo(const RootCase& c, std::ostream* os) { *os << c.name; }

// Six streams fill two directory sectors of 512 bytes (the root is the first entry).
CompoundBuilder sixStreams() {
  CompoundBuilder b;
  for (const char16_t* name : {u"A", u"B", u"C", u"D", u"E", u"F"}) b.stream(name);
  return b;
}

constexpr const char* kSix = "A:stream B:stream C:stream D:stream E:stream F:stream";

std::vector<RootCase> rootCases() {
  const std::string six = sixStreams().build();
  return {
      {"StreamsAtTheRoot", CompoundBuilder().stream(u"EncryptionInfo").stream(u"EncryptedPackage").build(),
       "EncryptionInfo:stream EncryptedPackage:stream"},
      {"LargeSectors", CompoundBuilder().largeSectors().stream(u"WordDocument").build(), "WordDocument:stream"},
      {"StorageKeepsItsChildren",
       CompoundBuilder().storage(u"S").stream(u"Inner", u"S").stream(u"Outer").build(), "S:storage Outer:stream"},
      {"NamesAreDecodedFromUtf16",
       CompoundBuilder().stream(u"\x0005Summary").stream(u"Отчёт").stream(u"\U0001F600").stream(u"\xD800x").build(),
       "\x05Summary:stream Отчёт:stream \xF0\x9F\x98\x80:stream \xEF\xBF\xBDx:stream"},
      {"DirectoryOverSeveralSectors", six, kSix},
      // Sector 14000 is described by the 110th allocation sector, listed outside the header.
      {"DirectoryPastTheHeadersAllocationList", sixStreams().directoryAtSector(14000).build(), kSix},
      {"DirectoryChainThatLoops", sixStreams().directoryChainLoops().build(), kSix},
      {"SiblingsThatLoop", sixStreams().siblingsLoop().build(), kSix},
      {"DirectoryStartPastTheEnd", sixStreams().directoryStartPastEnd().build(), ""},
      // Without the allocation table the chain ends after its first sector: the root and A to C.
      {"AllocationSectorPastTheEnd", sixStreams().allocationSectorPastEnd().build(), "A:stream B:stream C:stream"},
      {"FileCutInsideTheDirectory", six.substr(0, six.size() - 256), "A:stream B:stream C:stream D:stream E:stream"},
      {"SectorShiftOutOfRange", CompoundBuilder().sectorShift(20).stream(u"A").build(), std::nullopt},
      {"HeaderCutShort", six.substr(0, 300), std::nullopt},
      {"NoSignature", "PK\x03\x04" + six.substr(4), std::nullopt},
  };
}

class CompoundRoot : public testing::TestWithParam<RootCase> {};

TEST_P(CompoundRoot, ListsWhatCanBeRead) {
  test::TempDir dir;
  WriteTextFile(dir.path() / "file.doc", GetParam().bytes);
  ArchiveFile file(dir.path() / "file.doc");
  const std::optional<std::vector<CompoundEntry>> root = ReadCompoundRoot(file);
  ASSERT_EQ(root.has_value(), GetParam().root.has_value());
  if (!root) return;
  std::string listed;
  for (const CompoundEntry& entry : *root) {
    listed += (listed.empty() ? "" : " ") + entry.name + (entry.type == CompoundEntryType::stream ? ":stream" : ":storage");
  }
  EXPECT_EQ(listed, *GetParam().root);
}

INSTANTIATE_TEST_SUITE_P(CompoundFile, CompoundRoot, testing::ValuesIn(rootCases()), test::caseName);

}  // namespace
}  // namespace vellumine
