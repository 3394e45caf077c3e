// The parts of a package folder: found by package path (in any case), and never outside the
// folder, whatever the path or a link inside the folder says.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "docx/reader.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

struct FolderCase {
  std::string name;
  std::string path;
  std::optional<std::string> expected;
};

void PrintTo(const FolderCase& row, std::ostream* out) { *out << row.name; }

const FolderCase kFolderCases[] = {
    {"PlainPath", "word/document.xml", "main"},
    {"OtherCase", "Word/Media/IMAGE1.PNG", "png"},
    {"MissingPart", "word/styles.xml", std::nullopt},
    {"EmptyPath", "", std::nullopt},
    {"AbsolutePath", "/etc/hostname", std::nullopt},
    {"ClimbingPath", "../outside.txt", std::nullopt},
    {"ClimbingInside", "word/../../outside.txt", std::nullopt},
    {"DotSegment", "word/./document.xml", std::nullopt},
    {"Backslash", "word\\document.xml", std::nullopt},
    {"AFolderIsNoPart", "word", std::nullopt},
    {"LinkLeavingTheFolder", "word/link.xml", std::nullopt},
    {"LinkInsideTheFolder", "word/inner.xml", "main"},
};

class FolderParts : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderParts, AreFoundOnlyInside) {
  test::TempDir root;
  const fs::path package = root.path() / "package";
  writeFile(package / "word" / "document.xml", "main");
  writeFile(package / "word" / "media" / "image1.png", "png");
  writeFile(root.path() / "outside.txt", "secret");
  fs::create_symlink(root.path() / "outside.txt", package / "word" / "link.xml");
  fs::create_symlink(package / "word" / "document.xml", package / "word" / "inner.xml");
  EXPECT_EQ(folderPartSource(package)(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderParts, testing::ValuesIn(kFolderCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
