// TVCLUnZip on archives built byte by byte: damaged and hostile archives end with the expected
// class and message, damaged entries stay off the disk, and nothing lands outside DestDir.
#include "package/vclunzip.h"

#include <csignal>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "package/package_workspace.h"
#include "package/zip_errors.h"
#include "support/zip_builder.h"

namespace vellumine {
namespace {

using test::Method;
using test::PackageWorkspace;
using test::ZipBuilder;

std::string sample(std::size_t size) {
  std::string s;
  s.reserve(size);
  std::uint32_t x = 12345;
  while (s.size() < size) {
    x = x * 1103515245 + 12345;
    s += static_cast<char>('a' + (x >> 16) % 26);
  }
  return s;
}

mode_t modeOf(const std::filesystem::path& p) {
  struct stat st {};
  ::lstat(p.c_str(), &st);
  return st.st_mode;
}

std::time_t mtimeOf(const std::filesystem::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mtim.tv_sec;
}

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

ZipBuilder oneEntry() { return ZipBuilder().add("word/document.xml", sample(5000)); }

// ---------------------------------------------------------------------------------------------
// Damaged and hostile archives: the operation ends with this class and message, and no file is
// left below the package folder.

struct DamagedCase {
  std::string_view name;
  std::string (*archive)();
  std::string_view exceptionClass;
  std::string_view message;
  void (*configure)(TVCLUnZip&) = nullptr;
  std::optional<BadZipCheck> check = std::nullopt;  // the check that finds an EBadZipFile
};
void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

const DamagedCase kDamagedCases[] = {
    {"TenByteTextFile", [] { return std::string("Vellumine\n"); }, "EIncompleteZip", "Incomplete Zip File"},
    {"TextFileWithoutEndRecord", [] { return sample(300); }, "EIncompleteZip", "Incomplete Zip File"},
    {"TruncatedInsideEndRecord",
     [] {
       std::string a = oneEntry().build();
       return a.substr(0, a.size() - 10);
     },
     "EIncompleteZip", "Incomplete Zip File"},
    // The end record sits one byte before the 65,557-byte search window.
    {"CommentOneByteTooLong", [] { return oneEntry().comment(std::string(65536, 'c')).build(); }, "EIncompleteZip",
     "Incomplete Zip File"},
    {"NotAZipWhenTold", [] { return sample(300); }, "ENotAZipFile", "Not a valid zip file!",
     [](TVCLUnZip& u) { u.IncompleteZipMode = TIncompleteZipMode::izAssumeNotAZip; }},
    {"RecoveryScanFindsNothing", [] { return sample(300); }, "EBadZipFile", "Not a valid zip file!",
     [](TVCLUnZip& u) { u.IncompleteZipMode = TIncompleteZipMode::izAssumeBad; }, BadZipCheck::noEntriesFound},
    {"CentralAndLocalSignaturesBroken",
     [] { return oneEntry().localSignatureBroken().centralSignatureBroken().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::noEntriesFound},
    {"AllOnesSizeWithoutZip64", [] { return oneEntry().allOnesSizeWithoutZip64().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::zip64ValuesMissing},
    {"AllOnesOffsetWithoutZip64", [] { return oneEntry().allOnesOffsetWithoutZip64().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::zip64ValuesMissing},
    {"AllOnesDiskWithoutZip64", [] { return oneEntry().allOnesDiskWithoutZip64().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::zip64ValuesMissing},
    {"Zip64RecordMissing", [] { return oneEntry().zip64RecordMissing().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::zip64EndRecordMissing},
    {"DirectoryRunsIntoEndRecord", [] { return oneEntry().centralSizeGrownBy(1).build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::directoryPastEndRecord},
    {"Zip64DirectoryRunsIntoItsRecord", [] { return oneEntry().zip64().centralSizeGrownBy(1).build(); },
     "EBadZipFile", "Not a valid zip file!", nullptr, BadZipCheck::directoryPastEndRecord},
    {"LocalHeaderInsideDirectory", [] { return oneEntry().localOffsetAtDirectory().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::localHeaderPastDirectory},
    {"LocalNameDiffers", [] { return oneEntry().localNameDiffers().build(); }, "EBadZipFile", "Not a valid zip file!",
     nullptr, BadZipCheck::localHeaderDiffers},
    {"LocalSignatureBroken", [] { return oneEntry().localSignatureBroken().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::localHeaderUnreadable},
    {"LocalMethodDiffers", [] { return oneEntry().localMethodDiffers().build(); }, "EBadZipFile",
     "Not a valid zip file!", nullptr, BadZipCheck::localHeaderDiffers},
    {"CompressedSizePastEnd", [] { return oneEntry().compressedSizePastEnd().build(); }, "EFatalUnzipError",
     "Premature end of file reached"},
    {"DeflateStreamCutShort", [] { return oneEntry().deflateStreamCutShort().build(); }, "EFatalUnzipError",
     "Premature end of file reached"},
    {"CorruptDeflate", [] { return oneEntry().corruptDeflate().build(); }, "EZCompressionError", "error"},
    {"EntryCountOverflow", [] { return oneEntry().entryCount(65536).build(); }, "EPackageTooLarge",
     "The package has more entries than the reader accepts"},
    // Two entries of 1.5 GiB each, declared through Zip64 sizes: refused at the 2 GiB default.
    {"DeclaredSizesPastDefaultLimit",
     [] {
       return ZipBuilder()
           .add("a.bin", "x", Method::Stored)
           .declaredUncompressedSize(std::uint64_t{3} << 29)
           .add("b.bin", "y", Method::Stored)
           .declaredUncompressedSize(std::uint64_t{3} << 29)
           .build();
     },
     "EPackageTooLarge", "The package unpacks to more data than the extraction limit allows"},
    {"DeclaredSizesPastSmallLimit", [] { return ZipBuilder().add("a.txt", "eleven byte").build(); },
     "EPackageTooLarge", "The package unpacks to more data than the extraction limit allows",
     [](TVCLUnZip& u) { u.MaxTotalUncompressedSize = 10; }},
    {"MoreEntriesThanSmallLimit",
     [] { return ZipBuilder().add("a", "1").add("b", "2").add("c", "3").build(); }, "EPackageTooLarge",
     "The package has more entries than the reader accepts", [](TVCLUnZip& u) { u.MaxEntries = 2; }},
};

class DamagedArchive : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedArchive, EndsWithItsErrorAndLeavesNoFile) {
  const DamagedCase& c = GetParam();
  PackageWorkspace ws(c.archive());
  try {
    ws.extract(c.configure ? std::function<void(TVCLUnZip&)>(c.configure) : nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& e) {
    EXPECT_EQ(test::ExceptionClassOf(e), c.exceptionClass);
    EXPECT_EQ(std::string_view(e.what()), c.message);
    if (const auto* bad = dynamic_cast<const EBadZipFile*>(&e)) {
      ASSERT_TRUE(c.check.has_value()) << "a row of EBadZipFile names its check";
      EXPECT_EQ(bad->check, *c.check);
    }
  }
  EXPECT_TRUE(ws.files().empty());
  EXPECT_TRUE(ws.strayEntries().empty());
}

INSTANTIATE_TEST_SUITE_P(VCLUnZip, DamagedArchive, ::testing::ValuesIn(kDamagedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VCLUnZip, LimitsRefuseBeforeTheDestinationExists) {
  PackageWorkspace ws(ZipBuilder().add("a.txt", "eleven byte").build());
  EXPECT_THROW(ws.extract([](TVCLUnZip& u) { u.MaxTotalUncompressedSize = 10; }), EPackageTooLarge);
  EXPECT_FALSE(std::filesystem::exists(ws.out()));
}

TEST(VCLUnZip, MissingArchiveReportsTheOpenError) {
  test::TempDir dir;
  std::filesystem::path missing = dir.path() / "gone.docx";
  TVCLUnZip unzip;
  unzip.SetZipName(missing);
  try {
    unzip.UnZip();
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing.string() + "\". No such file or directory");
  }
}

// ---------------------------------------------------------------------------------------------
// Archives that extract.

TEST(VCLUnZip, EmptyFileIsAnEmptyArchive) {
  PackageWorkspace ws("");
  EXPECT_EQ(ws.extract(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(ws.out()));
  EXPECT_TRUE(ws.files().empty());
}

TEST(VCLUnZip, StoredAndDeflatedEntriesComeOutWhole) {
  std::string big = sample(200000);  // several 32 KiB blocks in and out
  PackageWorkspace ws(ZipBuilder()
                          .add("[Content_Types].xml", "<Types/>", Method::Stored)
                          .add("word/document.xml", big)
                          .add("word/media/image1.png", big, Method::Stored)
                          .build());
  EXPECT_EQ(ws.extract(), 3);
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"[Content_Types].xml", "word/document.xml", "word/media/image1.png"}));
  EXPECT_EQ(ws.read("[Content_Types].xml"), "<Types/>");
  EXPECT_EQ(ws.read("word/document.xml"), big);
  EXPECT_EQ(ws.read("word/media/image1.png"), big);
}

TEST(VCLUnZip, Zip64FieldsAreRead) {
  PackageWorkspace ws(ZipBuilder().add("a.xml", sample(1000)).add("b/c.xml", "c", Method::Stored).zip64().build());
  EXPECT_EQ(ws.extract(), 2);
  EXPECT_EQ(ws.read("a.xml"), sample(1000));
  EXPECT_EQ(ws.read("b/c.xml"), "c");
}

TEST(VCLUnZip, DataDescriptorEntriesAndEmptyDeflatedEntries) {
  PackageWorkspace ws(ZipBuilder()
                          .add("described.xml", sample(3000))
                          .withDataDescriptor()
                          .add("empty.xml", "")
                          .emptyDeflatedWithoutData()
                          .build());
  EXPECT_EQ(ws.extract(), 2);
  EXPECT_EQ(ws.read("described.xml"), sample(3000));
  EXPECT_TRUE(ws.exists("empty.xml"));
  EXPECT_EQ(ws.read("empty.xml"), "");
}

TEST(VCLUnZip, CommentOf65535BytesStillFindsTheEndRecord) {
  PackageWorkspace ws(oneEntry().comment(std::string(65535, 'c')).build());
  EXPECT_EQ(ws.extract(), 1);
}

TEST(VCLUnZip, TheEndRecordNearestTheEndWins) {
  // The comment holds a second end record that announces only the first of the two entries.
  ZipBuilder two = ZipBuilder().add("first.xml", "1").add("second.xml", "2");
  std::string announcingOne = ZipBuilder(two).entryCount(1).endRecord();
  PackageWorkspace ws(two.comment(announcingOne).build());
  EXPECT_EQ(ws.extract(), 1);
  EXPECT_EQ(ws.files(), std::vector<std::string>{"first.xml"});
}

TEST(VCLUnZip, FolderEntriesCreateFolders) {
  PackageWorkspace ws(ZipBuilder().addFolder("word/").addFolder("word/empty/").add("word/a.xml", "a").build());
  EXPECT_EQ(ws.extract(), 3);
  EXPECT_TRUE(std::filesystem::is_directory(ws.out() / "word/empty"));
}

// ---------------------------------------------------------------------------------------------
// Entry names: where each lands, or that it is skipped (not written, not counted).

struct NameCase {
  std::string_view name;
  std::string entryName;
  std::string landsAt;  // empty: skipped
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

const NameCase kNameCases[] = {
    {"ForwardSlashes", "word/media/image1.png", "word/media/image1.png"},
    {"Backslashes", "word\\media\\image1.png", "word/media/image1.png"},
    {"LeadingBackslash", "\\abs\\x.xml", "abs/x.xml"},
    {"LeadingSlash", "/etc/x.xml", "etc/x.xml"},
    {"Drive", "C:\\x.xml", "x.xml"},
    {"ParentAtStart", "../evil.xml", ""},
    {"ParentInside", "word/../../evil.xml", ""},
    {"ParentWithBackslashes", "..\\..\\evil.xml", ""},
    {"ParentAfterDrive", "C:..\\evil.xml", ""},
    {"ParentAsFileName", "word/..", ""},
};

class EntryName : public ::testing::TestWithParam<NameCase> {};

TEST_P(EntryName, LandsBelowThePackageFolderOrNowhere) {
  const NameCase& c = GetParam();
  PackageWorkspace ws(ZipBuilder().add(c.entryName, "x").add("keep.xml", "k").build());
  std::vector<std::string> expected = {"keep.xml"};
  if (!c.landsAt.empty()) expected.push_back(c.landsAt);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ws.extract(), static_cast<int>(expected.size()));
  EXPECT_EQ(ws.files(), expected);
  EXPECT_TRUE(ws.strayEntries().empty());
}

INSTANTIATE_TEST_SUITE_P(VCLUnZip, EntryName, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VCLUnZip, SymbolicLinkInsideTheDestinationIsNotFollowed) {
  PackageWorkspace ws(ZipBuilder().add("word/x.xml", "x").add("keep.xml", "k").build());
  std::filesystem::create_directories(ws.out());
  std::filesystem::create_directory(ws.root() / "outside");
  std::filesystem::create_directory_symlink(ws.root() / "outside", ws.out() / "word");
  EXPECT_EQ(ws.extract(), 1);
  EXPECT_TRUE(std::filesystem::is_empty(ws.root() / "outside"));
  EXPECT_EQ(ws.read("keep.xml"), "k");
}

// ---------------------------------------------------------------------------------------------
// Damaged entries are dropped; the others are written and the operation succeeds.

struct DroppedCase {
  std::string_view name;
  ZipBuilder& (*fault)(ZipBuilder&);
};
void PrintTo(const DroppedCase& c, std::ostream* os) { *os << c.name; }

const DroppedCase kDroppedCases[] = {
    {"CrcMismatch", [](ZipBuilder& b) -> ZipBuilder& { return b.crcMismatch(); }},
    {"DeclaredSizeSmaller", [](ZipBuilder& b) -> ZipBuilder& { return b.declaredSizeSmaller(); }},
    {"Encrypted", [](ZipBuilder& b) -> ZipBuilder& { return b.encrypted(); }},
    {"UnknownMethod", [](ZipBuilder& b) -> ZipBuilder& { return b.compressionMethod(99); }},
};

class DroppedEntry : public ::testing::TestWithParam<DroppedCase> {};

TEST_P(DroppedEntry, IsAbsentWhileTheOthersAreWritten) {
  ZipBuilder b;
  b.add("before.xml", "b").add("bad.xml", sample(4000));
  GetParam().fault(b).add("after.xml", "a", Method::Stored);
  PackageWorkspace ws(b.build());
  EXPECT_EQ(ws.extract(), 2);
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"after.xml", "before.xml"}));
}

TEST_P(DroppedEntry, IsNotReadIntoMemoryEither) {
  ZipBuilder b;
  b.add("bad.xml", sample(4000));
  PackageWorkspace ws(GetParam().fault(b).build());
  TVCLUnZip unzip;
  unzip.SetZipName(ws.archive());
  unzip.ReadZip();
  EXPECT_EQ(unzip.UnZipToString(0, 1 << 20), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(VCLUnZip, DroppedEntry, ::testing::ValuesIn(kDroppedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VCLUnZip, UnZipToStringReadsOneEntryUpToTheLimitAndWritesNothing) {
  const std::string big = sample(100000);
  PackageWorkspace ws(
      ZipBuilder().add("stored.xml", "plain", Method::Stored).add("deflated.xml", big).addFolder("word/").build());
  TVCLUnZip unzip;
  unzip.SetZipName(ws.archive());
  unzip.ReadZip();
  EXPECT_EQ(unzip.UnZipToString(0, 5), "plain");
  EXPECT_EQ(unzip.UnZipToString(1, big.size()), big);
  EXPECT_EQ(unzip.UnZipToString(1, big.size() - 1), std::nullopt);
  EXPECT_EQ(unzip.UnZipToString(2, 100), std::nullopt);  // a folder
  EXPECT_FALSE(std::filesystem::exists(ws.out()));
  EXPECT_TRUE(ws.strayEntries().empty());
}

TEST(VCLUnZip, UnknownMethodIsReportedAsAWarning) {
  PackageWorkspace ws(ZipBuilder().add("odd.bin", "x", Method::Stored).compressionMethod(12).add("a", "a").build());
  std::vector<std::string> warnings;
  EXPECT_EQ(ws.extract([&warnings](TVCLUnZip& u) {
              u.OnWarning = [&warnings](std::string_view message, std::string_view caption) {
                warnings.push_back(std::string(message) + "|" + std::string(caption));
              };
            }),
            1);
  EXPECT_EQ(warnings, std::vector<std::string>{"Unknown Compression Method|Zip Error"});
}

// ---------------------------------------------------------------------------------------------
// The destination: existing files, times, permissions, a full disk.

TEST(VCLUnZip, ShortWriteEndsWithCantWriteAndRemovesThePartialFile) {
  // A file-size limit makes write() fail part-way, as a full disk would.
  PackageWorkspace ws(ZipBuilder().add("small.xml", "s").add("big.xml", sample(100000)).build());
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit limited = saved;
  limited.rlim_cur = 50000;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &limited);
  std::string what;
  try {
    ws.extract();
  } catch (const ECantWriteUCF& e) {
    what = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(what, "Cant write uncompressed file");
  EXPECT_EQ(ws.files(), std::vector<std::string>{"small.xml"});
}

TEST(VCLUnZip, ReadOnlyFileAtTheDestinationIsKept) {
  PackageWorkspace ws(ZipBuilder().add("locked.xml", "new").add("open.xml", "new").build());
  std::filesystem::create_directories(ws.out());
  std::ofstream(ws.out() / "locked.xml") << "old";
  std::ofstream(ws.out() / "open.xml") << "old";
  ::chmod((ws.out() / "locked.xml").c_str(), 0444);
  EXPECT_EQ(ws.extract(), 1);
  EXPECT_EQ(ws.read("locked.xml"), "old");
  EXPECT_EQ(ws.read("open.xml"), "new");
  EXPECT_EQ(modeOf(ws.out() / "locked.xml") & 0777, 0444u);
}

TEST(VCLUnZip, ReplaceReadOnlyReplacesIt) {
  PackageWorkspace ws(ZipBuilder().add("locked.xml", "new").build());
  std::filesystem::create_directories(ws.out());
  std::ofstream(ws.out() / "locked.xml") << "old";
  ::chmod((ws.out() / "locked.xml").c_str(), 0444);
  EXPECT_EQ(ws.extract([](TVCLUnZip& u) { u.ReplaceReadOnly = true; }), 1);
  EXPECT_EQ(ws.read("locked.xml"), "new");
}

TEST(VCLUnZip, FileTimeIsTheEntryTimeAsLocalTime) {
  PackageWorkspace ws(ZipBuilder().add("a.xml", "a").add("zero.xml", "z").dosDateTime(0).build());
  EXPECT_EQ(ws.extract(), 2);
  EXPECT_EQ(mtimeOf(ws.out() / "a.xml"), localTime(2020, 6, 15, 13, 45, 20));
  EXPECT_EQ(mtimeOf(ws.out() / "zero.xml"), localTime(1980, 1, 1, 0, 0, 0));
}

struct ModeCase {
  std::string_view name;
  std::string entryName;
  std::uint32_t stored;  // the Unix mode in the archive
  mode_t expected;       // type and permission bits on disk
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

const ModeCase kModeCases[] = {
    {"PlainFile", "f.xml", 0100640, S_IFREG | 0640},
    {"SetUidDropped", "f.xml", 0104755, S_IFREG | 0755},
    {"SymbolicLinkBecomesFile", "f.xml", 0120777, S_IFREG | 0755},
    {"DeviceBecomesFile", "f.xml", 0020666, S_IFREG | 0644},
    {"NoPermissionsStillOwnerReadWrite", "f.xml", 0100000 | 0004, S_IFREG | 0604},
    {"GroupAndOthersNeverWrite", "f.xml", 0100666, S_IFREG | 0644},
    {"ReadOnlyStaysOwnerWritable", "f.xml", 0100444, S_IFREG | 0644},
    {"FolderStaysOwnerWritable", "d/", 040500, S_IFDIR | 0700},
    {"FolderStickyDropped", "d/", 041777, S_IFDIR | 0755},
};

class UnixMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(UnixMode, KeepsOnlyPermissionBitsTheOwnerCanUndo) {
  const ModeCase& c = GetParam();
  PackageWorkspace ws(ZipBuilder().add(c.entryName, c.entryName.back() == '/' ? "" : "data").unixMode(c.stored).build());
  EXPECT_EQ(ws.extract(), 1);
  EXPECT_EQ(modeOf(ws.out() / c.entryName), c.expected);
}

INSTANTIATE_TEST_SUITE_P(VCLUnZip, UnixMode, ::testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Directory reading: recovery, fallbacks, the cache, progress.

TEST(VCLUnZip, BrokenCentralDirectoryIsRecoveredFromLocalHeaders) {
  PackageWorkspace ws(ZipBuilder().add("a.xml", "a").add("b.xml", sample(2000)).centralSignatureBroken().build());
  EXPECT_EQ(ws.extract(), 2);
  EXPECT_EQ(ws.read("b.xml"), sample(2000));
}

TEST(VCLUnZip, CentralOffsetPastEndIsRecoveredFromLocalHeaders) {
  PackageWorkspace ws(ZipBuilder().add("a.xml", "a").add("b.xml", "b").centralOffsetPastEnd().build());
  EXPECT_EQ(ws.extract(), 2);
}

TEST(VCLUnZip, MissingEndRecordWithAssumeBadScansAndTakesTheCentralEntries) {
  // The mode exists only in the central entry: it shows that the central pass corrected the scan.
  PackageWorkspace ws(ZipBuilder().add("a.xml", "a").unixMode(0100600).add("b.xml", "b").withoutEndRecord().build());
  EXPECT_EQ(ws.extract([](TVCLUnZip& u) { u.IncompleteZipMode = TIncompleteZipMode::izAssumeBad; }), 2);
  EXPECT_EQ(modeOf(ws.out() / "a.xml") & 0777, 0600u);
}

TEST(VCLUnZip, RebuiltEndRecordCountsTheScannedEntries) {
  PackageWorkspace ws(ZipBuilder().add("a.xml", "a").add("b.xml", "b").add("c.xml", "c").withoutEndRecord().build());
  TVCLUnZip unzip;
  unzip.IncompleteZipMode = TIncompleteZipMode::izAssumeBad;
  unzip.SetZipName(ws.archive());
  unzip.ReadZip();
  EXPECT_EQ(unzip.Count(), 3u);
  EXPECT_EQ(unzip.EndCentral().totalEntries(), 3u);
  EXPECT_EQ(unzip.Entry(2).name(), "c.xml");
}

TEST(VCLUnZip, ZfcFileBesideTheArchiveSuppliesTheEndRecord) {
  ZipBuilder b = ZipBuilder().add("a.xml", "a").add("b.xml", "b");
  PackageWorkspace ws(ZipBuilder(b).withoutEndRecord().build());
  std::ofstream(ws.root() / "doc.zfc", std::ios::binary) << b.endRecord();
  EXPECT_EQ(ws.extract(), 2);
}

TEST(VCLUnZip, ReadZipAbsorbsAnIncompleteArchiveAndUnZipRaisesIt) {
  PackageWorkspace ws(sample(100));
  TVCLUnZip unzip;
  unzip.SetZipName(ws.archive());
  EXPECT_NO_THROW(unzip.ReadZip());
  EXPECT_EQ(unzip.Count(), 0u);
  EXPECT_EQ(unzip.ZipName(), ws.archive());
  EXPECT_THROW(unzip.UnZip(), EIncompleteZip);
}

TEST(VCLUnZip, ReadZipClearsZipNameOnOtherErrors) {
  PackageWorkspace ws(oneEntry().allOnesSizeWithoutZip64().build());
  TVCLUnZip unzip;
  unzip.SetZipName(ws.archive());
  EXPECT_THROW(unzip.ReadZip(), EBadZipFile);
  EXPECT_TRUE(unzip.ZipName().empty());
}

TEST(VCLUnZip, DirectoryIsReadAgainOnlyWhenTheArchiveOrItsNameChanges) {
  PackageWorkspace ws(ZipBuilder().add("a", "a").add("b", "b").add("c", "c").build());
  int calls = 0;
  TVCLUnZip unzip;
  unzip.OnProgress = [&calls] { ++calls; };
  unzip.SetZipName(ws.archive());
  unzip.ReadZip();
  EXPECT_EQ(calls, 3);  // once before each central entry
  unzip.ReadZip();
  unzip.SetZipName(ws.archive());
  unzip.ReadZip();
  EXPECT_EQ(calls, 3);
  std::filesystem::last_write_time(ws.archive(), std::filesystem::last_write_time(ws.archive()) - std::chrono::hours(1));
  unzip.ReadZip();
  EXPECT_EQ(calls, 6);
  unzip.SetZipName(ws.root() / "other.docx");
  EXPECT_EQ(unzip.Count(), 0u);
}

TEST(VCLUnZip, ProgressRunsBeforeEachEntryAndEachBlock) {
  // 100,000 stored bytes are four 32 KiB blocks.
  PackageWorkspace ws(ZipBuilder().add("big.bin", sample(100000), Method::Stored).build());
  int calls = 0;
  ws.extract([&calls](TVCLUnZip& u) { u.OnProgress = [&calls] { ++calls; }; });
  EXPECT_EQ(calls, 1 + 1 + 4);  // directory entry, extracted entry, blocks
}

TEST(VCLUnZip, RecoveryScanReportsProgressEvery10240Bytes) {
  PackageWorkspace ws(std::string(102400, '\0'));
  int calls = 0;
  EXPECT_THROW(ws.extract([&calls](TVCLUnZip& u) {
                 u.IncompleteZipMode = TIncompleteZipMode::izAssumeBad;
                 u.OnProgress = [&calls] { ++calls; };
               }),
               EBadZipFile);
  EXPECT_EQ(calls, 10);
}

TEST(VCLUnZip, DestDirLosesItsTrailingSeparatorAndIsCreatedWithParents) {
  PackageWorkspace ws(oneEntry().build());
  TVCLUnZip unzip;
  unzip.SetDestDir(ws.out() / "a/b/");
  EXPECT_EQ(unzip.DestDir(), ws.out() / "a/b");
  unzip.SetZipName(ws.archive());
  unzip.DoAll = true;
  unzip.RecreateDirs = true;
  EXPECT_EQ(unzip.UnZip(), 1);
  EXPECT_TRUE(std::filesystem::exists(ws.out() / "a/b/word/document.xml"));
}

TEST(VCLUnZip, WithoutRecreateDirsEveryFileGoesIntoDestDir) {
  PackageWorkspace ws(ZipBuilder().addFolder("word/").add("word/media/i.png", "i").add("x.xml", "x").build());
  TVCLUnZip unzip;
  unzip.SetZipName(ws.archive());
  unzip.SetDestDir(ws.out());
  unzip.DoAll = true;
  EXPECT_EQ(unzip.UnZip(), 2);
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"i.png", "x.xml"}));
}

}  // namespace
}  // namespace vellumine
