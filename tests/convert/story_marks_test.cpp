// Marks of references, numbered in the order of first reference, and comment ranges marked
// within one paragraph.
#include "convert/story_marks.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

StoryItem item(std::string id, std::string html, std::string initials = {}) {
  StoryItem story;
  story.id = std::move(id);
  story.html = std::move(html);
  story.initials = std::move(initials);
  return story;
}

TEST(StoryMarks, ReferencesBecomeNumberedLinksAndRangesGetABackground) {
  Stories stories;
  stories.footnotes = {item("1", "<p><footnoteRef/> one</p>"), item("2", "<p><footnoteRef/> two</p>")};
  stories.endnotes = {item("1", "<p>no mark</p>")};
  stories.comments = {item("0", "<p><annotationRef/>c</p>", "A<")};
  struct Case {
    std::string_view input, expected;
  } constexpr kCases[] = {
      {"a<footnoteReference id=\"2\"/>b<footnoteReference id=\"1\"/>c<footnoteReference id=\"2\"/>",
       "a<sup><a href=\"#fn-1\" id=\"fnref-1\">1</a></sup>b<sup><a href=\"#fn-2\" id=\"fnref-2\">2</a></sup>"
       "c<sup><a href=\"#fn-1\">1</a></sup>"},
      {"x<endnoteReference id=\"1\"/><footnoteReference id=\"77\"/>",
       "x<sup><a href=\"#en-1\" id=\"enref-1\">i</a></sup><sup>3</sup>"},
      {"<p>a <commentRangeStart id=\"0\"/>b <span>c</span><commentRangeEnd id=\"0\"/><commentReference id=\"0\"/></p>",
       "<p>a <span style=\"background-color:#fff2a8\">b </span><span><span style=\"background-color:#fff2a8\">c</span>"
       "</span><sup><a href=\"#cm-1\" id=\"cmref-1\">[A&lt;1]</a></sup></p>"},
      {"<p><commentRangeStart id=\"0\"/>a</p><p>b<commentRangeEnd id=\"0\"/></p>", "<p>a</p><p>b</p>"},
      {"<commentRangeEnd id=\"0\"/>x<commentRangeStart id=\"0\"/>y", "xy"},
      {"<footnoteReference customMarkFollows=\"1\" vellumineMark=\"&amp;\" id=\"1\"/>",
       "<sup><a href=\"#fn-2\">&amp;</a></sup>"},
  };
  StoryLists lists(stories);
  std::vector<std::string_view> shown;
  for (const Case& c : kCases) shown.push_back(c.input);
  lists.number(shown);
  MarkWriter writer(lists);
  for (const Case& c : kCases) EXPECT_SAME_TEXT(writer.rewrite(c.input), c.expected);

  EXPECT_SAME_TEXT(writer.rewriteNote(stories.footnotes[1].html, lists.footnotes, 1),
                   "<p><a href=\"#fnref-1\"><sup>1</sup></a> two</p>");
  EXPECT_SAME_TEXT(writer.rewriteNote(stories.endnotes[0].html, lists.endnotes, 1),
                   "<p><a href=\"#enref-1\"><sup>i</sup></a> no mark</p>");
  EXPECT_SAME_TEXT(writer.rewrite(stories.comments[0].html), "<p>c</p>");
}

TEST(StoryMarks, NotesReferencedOnlyFromNotesAreNumberedAfterTheirReferrer) {
  Stories stories;
  stories.footnotes = {item("1", "<p>first<footnoteReference id=\"3\"/></p>"), item("2", "<p>unreferenced</p>"),
                       item("3", "<p>loop<footnoteReference id=\"1\"/><footnoteReference id=\"3\"/></p>")};
  StoryLists lists(stories);
  lists.number({"<footnoteReference id=\"1\"/>"});
  ASSERT_EQ(lists.footnotes.order(), (std::vector<std::size_t>{0, 2, 1}));
  EXPECT_EQ(lists.footnotes.markAt(2), "2");
  EXPECT_EQ(lists.footnotes.markAt(3), "");
  EXPECT_FALSE(lists.footnotes.referencedAt(3));
}

TEST(StoryMarks, CustomMarkTextMovesIntoItsReference) {
  struct Case {
    std::string_view input, expected;
  } constexpr kCases[] = {
      {"<w:r><w:footnoteReference w:customMarkFollows=\"1\" w:id=\"4\"/><w:t>\"*\"</w:t></w:r><w:r><w:t>x</w:t></w:r>",
       "<w:r><w:footnoteReference w:customMarkFollows=\"1\" w:id=\"4\" w:vellumineMark=\"&quot;*&quot;\"/></w:r>"
       "<w:r><w:t>x</w:t></w:r>"},
      {"<w:r><w:footnoteReference w:customMarkFollows=\"0\" w:id=\"4\"/><w:t>1</w:t></w:r>",
       "<w:r><w:footnoteReference w:customMarkFollows=\"0\" w:id=\"4\"/><w:t>1</w:t></w:r>"},
      {"<w:r><w:footnoteReference w:customMarkFollows=\"1\" w:id=\"4\"/></w:r><w:r><w:t>next run</w:t></w:r>",
       "<w:r><w:footnoteReference w:customMarkFollows=\"1\" w:id=\"4\"/></w:r><w:r><w:t>next run</w:t></w:r>"},
      {"text w:customMarkFollows=\"1\" w:customMarkFollows=\"1\"", "text w:customMarkFollows=\"1\" w:customMarkFollows=\"1\""},
  };
  for (const Case& c : kCases) {
    std::string document(c.input);
    moveCustomMarks(document);
    EXPECT_SAME_TEXT(document, c.expected);
  }
}

TEST(StoryMarks, VisibleContentIsTextOrAPicture) {
  EXPECT_FALSE(hasVisibleContent("\r\n<p>&#160;</p><p> </p>"));
  EXPECT_FALSE(hasVisibleContent("<p"));
  EXPECT_TRUE(hasVisibleContent("<p><img src=\"media/a.png\"/></p>"));
  EXPECT_TRUE(hasVisibleContent("<p>x</p>"));
}

}  // namespace
}  // namespace vellumine
