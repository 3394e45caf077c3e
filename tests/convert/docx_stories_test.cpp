// Stories converted by the body's passes: one item per note or comment, separators left out,
// fields showing their stored results.
#include "convert/docx_stories.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

TEST(DocxStories, FieldsKeepTheirResultsOnly) {
  struct Case {
    std::string_view input, expected;
  } constexpr kCases[] = {
      {"<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>"
       "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>",
       "<w:r></w:r><w:r></w:r><w:r></w:r><w:r><w:t>7</w:t></w:r><w:r></w:r>"},
      {"<w:fldChar w:fldCharType=\"begin\"><w:ffData/></w:fldChar>x", "x"},
      {"<w:instrText>unclosed", "unclosed"},
      {"<w:instrTextual/>kept", "<w:instrTextual/>kept"},
  };
  for (const Case& c : kCases) {
    std::string story(c.input);
    keepFieldResults(story);
    EXPECT_EQ(story, c.expected);
  }
}

TEST(DocxStories, EveryItemIsConvertedSeparatorsAreNot) {
  constexpr std::string_view kNs = " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
  StoryTexts texts;
  texts.footnotes.push_back(
      {"<w:footnotes" + std::string(kNs) + "><w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/>"
       "</w:r></w:p></w:footnote><w:footnote w:id=\"1\"><w:p><w:r><w:t>One</w:t></w:r></w:p></w:footnote>"
       "<w:footnote w:id=\"2\"/><w:footnote w:id=\"3\"><w:p><w:r><w:t>Unclosed",
       ""});
  texts.comments.push_back({"<w:comments><w:comment w:id=\"0\" w:author=\"Ann\" w:initials=\"A\" w:date=\"2024\">"
                            "<w:p><w:r><w:t>Note w:this</w:t></w:r></w:p></w:comment></w:comments>",
                            ""});
  texts.header = {"<w:hdr><w:p><w:r><w:t>Head</w:t></w:r></w:p></w:hdr>", ""};
  texts.footer = {"<w:ftr/>", ""};
  Conversion body;
  const Stories stories = convertStories(body, std::move(texts));
  ASSERT_EQ(stories.footnotes.size(), 3u);
  EXPECT_EQ(stories.footnotes[0].id, "1");
  EXPECT_SAME_TEXT(stories.footnotes[0].html, "\r\n<p>One</p>");
  EXPECT_EQ(stories.footnotes[1].html, "");
  EXPECT_EQ(stories.footnotes[2].id, "3");
  ASSERT_EQ(stories.comments.size(), 1u);
  EXPECT_EQ(stories.comments[0].author, "Ann");
  EXPECT_EQ(stories.comments[0].initials, "A");
  EXPECT_SAME_TEXT(stories.comments[0].html, "\r\n<p>Note w:this</p>");
  EXPECT_SAME_TEXT(stories.header, "\r\n<p>Head</p>");
  EXPECT_EQ(stories.footer, "");
}

}  // namespace
}  // namespace vellumine
