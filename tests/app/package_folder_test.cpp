#include "app/package_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace vellumine {
namespace {

struct NameCase {
  std::string_view name;
  std::string_view documentPath;
  std::string_view expected;
};

const NameCase kNameCases[] = {
    {"ExtensionReplaced", "/work/Q3 Report.docx", "Q3 Report"},
    {"OnlyLastExtension", "/work/a.b.docx", "a.b"},
    {"NoExtensionKept", "/work/Report", "Report"},
    {"DotInFolderIgnored", "/work/v1.2/Report", "Report"},
    {"LeadingDotKept", "/work/.hidden.docx", ".hidden"},
    {"NonLatinName", "/work/Отчёт 2024.docx", "Отчёт 2024"},
    // Names that would leave "", "." or "..": the folder would be tmp itself or its parent.
    {"BareExtensionIsSafe", "/work/.docx", "_"},
    {"TwoDotsIsSafe", "/work/..docx", "_."},
    {"ThreeDotsIsSafe", "/work/...docx", "_.."},
    {"TrailingSlashIsSafe", "/work/folder/", "_"},
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.documentPath; }

class PackageFolderName : public testing::TestWithParam<NameCase> {};

TEST_P(PackageFolderName, FollowsTheDocumentName) {
  EXPECT_EQ(packageFolderName(std::string(GetParam().documentPath)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PackageFolder, PackageFolderName, testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PackageFolder, EveryNameGivesAChildOfTmp) {
  const std::filesystem::path tmp = "/cache/vellumine/tmp/viewer-1";
  for (const NameCase& c : kNameCases) {
    std::filesystem::path folder = packageFolderFor(std::string(c.documentPath), tmp).lexically_normal();
    EXPECT_EQ(folder.parent_path(), tmp) << c.documentPath;
  }
}

}  // namespace
}  // namespace vellumine
