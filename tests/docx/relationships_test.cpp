// Relationships: targets resolved against the part's folder and kept inside the package, external
// ones as written, types by their last segment, the first of two equal ids.
#include "docx/relationships.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct TargetCase {
  std::string name;
  std::string source, target, expected;
};

void PrintTo(const TargetCase& row, std::ostream* out) { *out << row.name; }

const TargetCase kTargetCases[] = {
    {"BesideThePart", "word/document.xml", "media/image1.png", "word/media/image1.png"},
    {"UpOneFolder", "word/document.xml", "../customXml/item1.xml", "customXml/item1.xml"},
    {"FromThePackageRoot", "word/document.xml", "/word/media/x.png", "word/media/x.png"},
    {"OfThePackageItself", "", "word/document.xml", "word/document.xml"},
    {"DotSegmentsFollowed", "word/document.xml", "./media/../media/./a.png", "word/media/a.png"},
    {"BackslashesAreSeparators", "word/document.xml", "media\\b.png", "word/media/b.png"},
    {"PercentEscapesDecoded", "word/document.xml", "media/image%201.png", "word/media/image 1.png"},
    {"BrokenEscapeKept", "word/document.xml", "media/100%.png", "word/media/100%.png"},
    {"LeavingThePackageIsRefused", "word/document.xml", "../../etc/passwd", ""},
    {"LeavingFromTheRootIsRefused", "word/document.xml", "/../x.png", ""},
    {"EscapedClimbIsRefused", "word/document.xml", "%2E%2E/%2E%2E/x", ""},
    {"EmptyTargetNamesNoPart", "word/document.xml", "", ""},
    {"FolderOnlyNamesNoPart", "word/document.xml", "..", ""},
};

class RelationshipTargets : public testing::TestWithParam<TargetCase> {};

TEST_P(RelationshipTargets, ResolveInsideThePackage) {
  EXPECT_EQ(resolvePartTarget(GetParam().source, GetParam().target), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RelationshipTargets, testing::ValuesIn(kTargetCases), test::caseName);

TEST(Relationships, PartNamesOfRelationshipParts) {
  EXPECT_EQ(relationshipsPartOf(""), "_rels/.rels");
  EXPECT_EQ(relationshipsPartOf("word/document.xml"), "word/_rels/document.xml.rels");
  EXPECT_EQ(relationshipsPartOf("word/sub/header1.xml"), "word/sub/_rels/header1.xml.rels");
}

TEST(Relationships, AreReadFromTheirPart) {
  const std::map<std::string, std::string, std::less<>> parts{
      {"word/_rels/document.xml.rels",
       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/a.png"/>)"
       R"(<Relationship Id="rId2" Type="http://purl.oclc.org/ooxml/officeDocument/relationships/hyperlink" Target="https://x.org/a b" TargetMode="External"/>)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
       R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="../../up.xml"/>)"
       R"(<Other Id="rId4" Target="ignored.xml"/></Relationships>)"}};
  const PartSource source = [&parts](std::string_view name) -> std::optional<std::string> {
    auto it = parts.find(name);
    return it == parts.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  Warnings warnings;
  const Relationships relationships = readRelationships(source, "word/document.xml", warnings);
  ASSERT_NE(relationships.find("rId1"), nullptr);
  EXPECT_EQ(relationships.find("rId1")->type, "image");  // the first of two equal ids
  EXPECT_EQ(relationships.find("rId1")->target, "word/media/a.png");
  ASSERT_NE(relationships.find("rId2"), nullptr);
  EXPECT_TRUE(relationships.find("rId2")->external);
  EXPECT_EQ(relationships.find("rId2")->target, "https://x.org/a b");
  ASSERT_NE(relationships.firstOfType("styles"), nullptr);
  EXPECT_EQ(relationships.firstOfType("styles")->target, "");  // rId3, whose target leaves
  EXPECT_EQ(relationships.find("rId4"), nullptr);
  EXPECT_TRUE(readRelationships(source, "word/header1.xml", warnings).empty());
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace vellumine::docx
