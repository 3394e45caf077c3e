// Parts found in an extracted package whatever the letter case of their names, and a main part
// named by the package relationships.
#include "convert/package_parts.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

TEST(PackageParts, PartNamesAreFoundWhateverTheirLetterCase) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Word" / "_Rels");
  WriteTextFile(dir.path() / "Word" / "Document.XML", "<w:body>x</w:body>");
  WriteTextFile(dir.path() / "Word" / "_Rels" / "document.xml.rels", "<w:a Id=\"r\"/>");
  WriteTextFile(dir.path() / "Word" / "STYLES.xml", "<w:styles/>");
  Conversion c;
  c.packageFolder = dir.path();
  loadDocumentParts(c);
  EXPECT_EQ(c.text, "<w:body>x</w:body>");
  EXPECT_EQ(c.relationships, "<a Id=\"r\"/>");
  EXPECT_EQ(c.styles, "<styles/>");
  EXPECT_EQ(c.numbering, "");
  EXPECT_EQ(findPart(dir.path(), "word/styles.xml"), dir.path() / "Word" / "STYLES.xml");
}

TEST(PackageParts, MainPartNamedByPackageRelationshipsIsReadWhenDocumentXmlIsAbsent) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "_rels");
  std::filesystem::create_directories(dir.path() / "word" / "_rels");
  WriteTextFile(dir.path() / "_rels" / ".rels",
                "<Relationships><Relationship Type=\"http://x/core-properties\" Target=\"docProps/core.xml\" "
                "Id=\"rId2\" /><Relationship Type=\"http://x/relationships/officeDocument\" "
                "Target=\"/word/document2.xml\" Id=\"rId1\" /></Relationships>");
  WriteTextFile(dir.path() / "word" / "document2.xml", "<w:body>two</w:body>");
  WriteTextFile(dir.path() / "word" / "_rels" / "document2.xml.rels", "<Relationship Id=\"rId9\"/>");
  Conversion c;
  c.packageFolder = dir.path();
  loadDocumentParts(c);
  EXPECT_EQ(c.text, "<w:body>two</w:body>");
  EXPECT_EQ(c.relationships, "<Relationship Id=\"rId9\"/>");
  EXPECT_EQ(findMainDocumentParts(dir.path()).relationships,
            dir.path() / "word" / "_rels" / "document2.xml.rels");
}

}  // namespace
}  // namespace vellumine
