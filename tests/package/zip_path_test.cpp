// SafeEntryPath: every way an entry name can try to leave the package folder, and the names
// that must come through unchanged.
#include "package/zip_path.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct PathCase {
  std::string_view name;
  std::string_view entryName;
  std::optional<std::string> expected;  // nullopt: rejected
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

const PathCase kPathCases[] = {
    {"PlainName", "document.xml", "document.xml"},
    {"NestedName", "word/media/image1.png", "word/media/image1.png"},
    {"BackslashIsSeparator", "word\\_rels\\document.xml.rels", "word/_rels/document.xml.rels"},
    {"MixedSeparators", "word\\media/image1.png", "word/media/image1.png"},
    {"FolderEntry", "word/media/", "word/media"},
    {"LeadingSlash", "/etc/passwd", "etc/passwd"},
    {"ManyLeadingSlashes", "///abs//x.xml", "abs/x.xml"},
    {"LeadingBackslash", "\\abs\\x.xml", "abs/x.xml"},
    {"DriveWithBackslash", "C:\\x.xml", "x.xml"},
    {"DriveWithoutSeparator", "C:x.xml", "x.xml"},
    {"DriveOnlyFolder", "C:\\", ""},
    {"ColonLaterIsAName", "word/a:b.xml", "word/a:b.xml"},
    {"DotSegmentsDropped", "./word/./document.xml", "word/document.xml"},
    {"DotsInNamesKept", "word/..hidden/x..y", "word/..hidden/x..y"},
    {"EndsInDot", "word/.", std::nullopt},
    {"ParentAtStart", "../x.xml", std::nullopt},
    {"ParentInside", "word/../../x.xml", std::nullopt},
    {"ParentThatWouldStayInside", "word/../x.xml", std::nullopt},
    {"ParentAtEnd", "word/..", std::nullopt},
    {"ParentWithBackslashes", "..\\x.xml", std::nullopt},
    {"ParentAfterDrive", "C:..\\x.xml", std::nullopt},
    {"ParentAfterRoot", "/../x.xml", std::nullopt},
    {"NulCutsNothing", std::string_view("a\0/../../x", 10), std::nullopt},
    {"Empty", "", ""},
};

class SafeEntryPathCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(SafeEntryPathCases, GivesARelativePathOrRejects) {
  EXPECT_EQ(SafeEntryPath(GetParam().entryName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ZipPath, SafeEntryPathCases, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumine
