// Finding the stories: relationship targets resolved inside the package only, and the header and
// footer references of each section.
#include "convert/story_parts.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct ResolveCase {
  std::string_view owner, target, expected;
};

TEST(StoryParts, TargetsResolveInsideThePackageOnly) {
  constexpr ResolveCase kCases[] = {
      {"word/", "footnotes.xml", "word/footnotes.xml"},
      {"word/", "/word/comments.xml", "word/comments.xml"},
      {"word/", "../customXml/item.xml", "customXml/item.xml"},
      {"word/", "./sub/./header1.xml", "word/sub/header1.xml"},
      {"", "footnotes.xml", "footnotes.xml"},
      {"word/", "sub\\footer1.xml", "word/sub/footer1.xml"},
      {"word/", "../../outside.xml", ""},
      {"word/", "/../outside.xml", ""},
      {"word/", "file:///etc/passwd", ""},
      {"word/", "C:/notes.xml", ""},
      {"word/", "", ""},
  };
  for (const ResolveCase& c : kCases) EXPECT_EQ(resolvePartName(c.owner, c.target), c.expected) << c.target;
  EXPECT_EQ(relationshipPartName("word/footnotes.xml"), "word/_rels/footnotes.xml.rels");
  EXPECT_EQ(relationshipKind("http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer"), "footer");
}

TEST(StoryParts, EachSectionShowsItsFirstPageOrDefaultReferences) {
  const std::string document =
      "<w:p><w:pPr><w:sectPr><w:headerReference w:type=\"default\" r:id=\"h1\"/>"
      "<w:headerReference w:type=\"first\" r:id=\"h2\"/><w:footerReference w:type=\"default\" r:id=\"f1\"/>"
      "<w:titlePg/></w:sectPr></w:pPr></w:p>"
      "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"h3\"/><w:titlePg w:val=\"0\"/>"
      "<w:sectPrChange><w:sectPr/></w:sectPrChange></w:sectPr><w:sectPr/>";
  const std::vector<SectionReferences> sections = readSectionReferences(document);
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].shownHeader(), "h2");
  EXPECT_EQ(sections[0].shownFooter(), "");  // a distinct first page without a first-page footer
  EXPECT_EQ(sections[1].shownHeader(), "h3");
  EXPECT_FALSE(sections[1].titlePage);
  EXPECT_EQ(sections[2].shownHeader(), "");
  EXPECT_EQ(referencedHeadersAndFooters(sections), (std::vector<std::string>{"h1", "h2", "f1", "h3"}));
}

}  // namespace
}  // namespace vellumine
