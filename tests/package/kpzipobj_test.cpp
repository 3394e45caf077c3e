// The record helpers: date-time repair, Zip64 extra blocks, entry names (split, separators,
// OEM conversion).
#include "package/kpzipobj.h"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

constexpr std::uint32_t dos(std::uint32_t yearsSince1980, std::uint32_t month, std::uint32_t day, std::uint32_t hour,
                            std::uint32_t minute, std::uint32_t twoSeconds) {
  return (yearsSince1980 << 25) | (month << 21) | (day << 16) | (hour << 11) | (minute << 5) | twoSeconds;
}

struct DateCase {
  std::string_view name;
  std::uint32_t stored;
  std::uint32_t repaired;
};
void PrintTo(const DateCase& c, std::ostream* os) { *os << c.name; }

const DateCase kDateCases[] = {
    {"ValidKept", dos(40, 6, 15, 13, 45, 10), dos(40, 6, 15, 13, 45, 10)},
    {"LastValidValuesKept", dos(119, 12, 31, 23, 59, 29), dos(119, 12, 31, 23, 59, 29)},
    {"AllZeroBecomesJanuaryFirst1980", 0, dos(0, 1, 1, 0, 0, 0)},
    {"TwoSecondsThirty", dos(40, 6, 15, 13, 45, 30), dos(40, 6, 15, 13, 45, 29)},
    {"MinutesSixty", dos(40, 6, 15, 13, 60, 10), dos(40, 6, 15, 13, 59, 10)},
    {"HoursTwentyFour", dos(40, 6, 15, 24, 45, 10), dos(40, 6, 15, 23, 45, 10)},
    {"DayZero", dos(40, 6, 0, 13, 45, 10), dos(40, 6, 1, 13, 45, 10)},
    {"MonthZero", dos(40, 0, 15, 13, 45, 10), dos(40, 1, 15, 13, 45, 10)},
    {"MonthThirteen", dos(40, 13, 15, 13, 45, 10), dos(40, 12, 15, 13, 45, 10)},
    {"Year2100", dos(120, 6, 15, 13, 45, 10), dos(119, 6, 15, 13, 45, 10)},
    {"EveryFieldAtOnce", dos(127, 15, 0, 31, 63, 31), dos(119, 12, 1, 23, 59, 29)},
};

class DosDateTime : public ::testing::TestWithParam<DateCase> {};

TEST_P(DosDateTime, ClampsOnlyTheBadFields) { EXPECT_EQ(RepairDosDateTime(GetParam().stored), GetParam().repaired); }

INSTANTIATE_TEST_SUITE_P(Kpzipobj, DosDateTime, ::testing::ValuesIn(kDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::byte> le(std::initializer_list<std::pair<std::uint64_t, int>> fields) {
  std::vector<std::byte> out;
  for (auto [value, width] : fields) {
    for (int i = 0; i < width; ++i) out.push_back(std::byte(static_cast<unsigned char>(value >> (8 * i))));
  }
  return out;
}

TEST(Kpzipobj, Zip64BlockGivesValuesOnlyForMarkedFieldsInOrder) {
  TZipHeaderInfo entry;
  entry.uncompressedSize32 = 0xFFFFFFFF;
  entry.compressedSize32 = 1234;
  entry.relativeOffset32 = 0xFFFFFFFF;
  entry.diskNumberStart16 = 0xFFFF;
  // An unrelated block first, then the Zip64 block: uncompressed size, offset, disk.
  auto extra = le({{0x5455, 2}, {1, 2}, {9, 1}, {1, 2}, {20, 2}, {5000000000, 8}, {7000000000, 8}, {3, 4}});
  ReadZip64Extra(entry, extra);
  EXPECT_EQ(entry.uncompressedSize(), 5000000000u);
  EXPECT_EQ(entry.compressedSize(), 1234u);
  EXPECT_EQ(entry.relativeOffset(), 7000000000u);
  EXPECT_EQ(entry.diskNumberStart(), 3u);
  EXPECT_TRUE(HasZip64ValuesForMarkers(entry));
}

TEST(Kpzipobj, ShortZip64BlockLeavesTheMarkedFieldWithoutValue) {
  TZipHeaderInfo entry;
  entry.uncompressedSize32 = 0xFFFFFFFF;
  entry.compressedSize32 = 0xFFFFFFFF;
  ReadZip64Extra(entry, le({{1, 2}, {8, 2}, {42, 8}}));
  EXPECT_EQ(entry.uncompressedSize(), 42u);
  EXPECT_FALSE(HasZip64ValuesForMarkers(entry));
}

TEST(Kpzipobj, BlockLongerThanTheExtraFieldIsIgnored) {
  TZipHeaderInfo entry;
  entry.uncompressedSize32 = 0xFFFFFFFF;
  ReadZip64Extra(entry, le({{1, 2}, {200, 2}, {42, 8}}));
  EXPECT_FALSE(HasZip64ValuesForMarkers(entry));
}

struct NameCase {
  std::string_view name;
  std::uint16_t versionMadeBy;
  std::uint16_t flags;
  TOEMConvert convert;
  std::string stored;
  std::string directory;
  std::string fileName;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

const NameCase kNameCases[] = {
    {"NestedPart", 20, 0, TOEMConvert::oemAlways, "word/media/image1.png", "word/media/", "image1.png"},
    {"BackslashesBecomeSlashes", 20, 0, TOEMConvert::oemAlways, "word\\_rels\\a.rels", "word/_rels/", "a.rels"},
    {"FolderEntry", 20, 0, TOEMConvert::oemAlways, "word/", "word/", ""},
    {"TopLevel", 20, 0, TOEMConvert::oemAlways, "[Content_Types].xml", "", "[Content_Types].xml"},
    {"DosNameIsOem", 20, 0, TOEMConvert::oemAlways, "m\x81nze.xml", "", "m\xC3\xBCnze.xml"},
    {"Utf8FlagKeepsBytes", 20, 0x0800, TOEMConvert::oemAlways, "m\xC3\xBCnze.xml", "", "m\xC3\xBCnze.xml"},
    {"UnixNameKeepsBytes", 0x0314, 0, TOEMConvert::oemAlways, "m\xC3\xBCnze.xml", "", "m\xC3\xBCnze.xml"},
    {"OemNeverKeepsBytes", 20, 0, TOEMConvert::oemNever, "m\x81nze.xml", "", "m\x81nze.xml"},
    {"OemUpperRange", 20, 0, TOEMConvert::oemFlexible, "\xE1\xFF", "", "\xC3\x9F\xC2\xA0"},
};

class EntryNameSplit : public ::testing::TestWithParam<NameCase> {};

TEST_P(EntryNameSplit, GivesDirectoryAndFileName) {
  const NameCase& c = GetParam();
  TZipHeaderInfo entry;
  entry.versionMadeBy = c.versionMadeBy;
  entry.flags = c.flags;
  SetEntryName(entry, c.stored, c.convert);
  EXPECT_EQ(entry.Directory, c.directory);
  EXPECT_EQ(entry.FileName, c.fileName);
  EXPECT_EQ(entry.nameLength, c.directory.size() + c.fileName.size());
}

INSTANTIATE_TEST_SUITE_P(Kpzipobj, EntryNameSplit, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumine
