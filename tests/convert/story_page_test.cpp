// The whole document on the page, end to end from fixture packages: notes, comments, headers and
// footers where a reader looks for them, every added link reaching its target, and the main part
// alone exactly as before when the stories are left out.
#include "convert/story_page.h"

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "convert/docx_page.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

std::string pageOf(const fs::path& package, bool stories = true) {
  ConversionSettings settings;
  settings.includeStories = stories;
  return convertPackageFolder(package, settings);
}

// Every in-page link this page holds that reaches no id or bookmark name.
std::vector<std::string> danglingLinks(const std::string& page) {
  std::set<std::string> targets;
  const std::regex target(R"re(\b(?:id|name)="([^"]*)")re");
  for (std::sregex_iterator it(page.begin(), page.end(), target), end; it != end; ++it) targets.insert((*it)[1]);
  std::vector<std::string> dangling;
  const std::regex link(R"re(href="#([^"]*)")re");
  for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
    if (!targets.contains((*it)[1])) dangling.push_back((*it)[1]);
  }
  return dangling;
}

struct StoryCase {
  std::string_view package;
  std::vector<std::string_view> inOrder;  // fragments that stand on the page in this order
  std::vector<std::string_view> absent;
};

const StoryCase kCases[] = {
    {"stories-notes",
     {"Second note first<sup><a href=\"#fn-1\" id=\"fnref-1\">1</a></sup>",
      "a custom mark<sup><a href=\"#fn-3\" id=\"fnref-3\">*</a></sup>, a missing note<sup>3</sup>",
      "an endnote<sup><a href=\"#en-1\" id=\"enref-1\">i</a></sup>", "<a name=\"fn_1\"/>",
      "<div id=\"vellumine-footnotes\"", "<div id=\"fn-1\">", "<a href=\"#fnref-1\"><sup>1</sup></a> Second note with <a href=\"http://example.com/notes\">a site</a>",
      "First note, see<sup><a href=\"#fn-4\" id=\"fnref-4\">4</a></sup>", "<a href=\"#fnref-3\"><sup>*</sup></a> Custom note.",
      "Note in a note.", "<p> Never referenced.", "<div id=\"vellumine-endnotes\"", "The endnote."},
     {"footnoteReference", "separator", "<footnoteRef"}},
    {"stories-comments",
     {"Plain <span style=\"background-color:#fff2a8\">commented words</span><sup><a href=\"#cm-1\" id=\"cmref-1\">[AB1]</a></sup> end.",
      "<p>Across</p>", "paragraphs<sup><a href=\"#cm-2\"", "<span style=\"background-color:#fff2a8\">inner</span>",
      "<div id=\"vellumine-comments\"", "<a href=\"#cmref-1\">[AB1]</a> <b>Ann &lt;Bee&gt;</b> 2024-03-01 09:30</p>",
      "Remark 7.", "Remark 8.", "Remark 10.", "Remark 9."},
     {"commentRange", "annotationRef", "<span style=\"background-color:#fff2a8\">Across"}},
    {"stories-headers",
     {"<div id=\"vellumine-header\"", "First page header", "First section.", "Second section.",
      "<div id=\"vellumine-footer\"", "<p>Page 7</p>", "Default header", "Later section header"},
     {"PAGE", "fldChar", "outside"}},
};

class StoryPage : public testing::TestWithParam<StoryCase> {};

TEST_P(StoryPage, StoriesStandWhereReadersLookAndEveryLinkLands) {
  const fs::path package = test::fixturesDir() / "packages" / std::string(GetParam().package);
  const std::string page = pageOf(package);
  std::size_t at = 0;
  for (std::string_view fragment : GetParam().inOrder) {
    const std::size_t found = page.find(fragment, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << fragment << "\n" << page;
    at = found + fragment.size();
  }
  for (std::string_view fragment : GetParam().absent) EXPECT_EQ(page.find(fragment), std::string::npos) << fragment;
  EXPECT_TRUE(page.ends_with("</div></body></html>"));
  EXPECT_EQ(danglingLinks(page), std::vector<std::string>());

  // Left out, the page is the main part's alone.
  Conversion c;
  c.packageFolder = package;
  loadDocumentParts(c);
  convert(c);
  std::string bodyOnly = c.text;
  applyPageFrame(c, bodyOnly);
  EXPECT_SAME_TEXT(pageOf(package, false), bodyOnly);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, StoryPage, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<StoryCase>& info) {
                           std::string name(info.param.package);
                           std::erase(name, '-');
                           return name;
                         });

// Damaged stories never cost the body anything: the page is written with the body whole.
TEST(StoryPage, MissingEmptyOrMalformedStoryPartsLeaveTheBodyWhole) {
  const std::string rels =
      "<Relationships><Relationship Id=\"r1\" Type=\"x/footnotes\" Target=\"footnotes.xml\"/>"
      "<Relationship Id=\"r2\" Type=\"x/comments\" Target=\"missing.xml\"/>"
      "<Relationship Id=\"r3\" Type=\"x/endnotes\" Target=\"../../../etc/passwd\"/>"
      "<Relationship Id=\"r4\" Type=\"x/header\" Target=\"header1.xml\"/></Relationships>";
  const std::string body =
      "<w:document><w:body><w:p><w:r><w:t>Body text</w:t></w:r><w:r><w:footnoteReference w:id=\"5\"/></w:r></w:p>"
      "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"r4\"/></w:sectPr></w:body></w:document>";
  using namespace std::string_view_literals;
  for (std::string_view footnotes : {""sv, "<w:footnotes><w:footnote w:id=\"5\"><w:p><w:r><w:t>cut"sv,
                                     "<w:footnote w:id=\"5\""sv, "\x00\xff<<>>\"'"sv, "<w:footnotes/>"sv}) {
    test::TempDir package;
    fs::create_directories(package.path() / "word" / "_rels");
    WriteTextFile(package.path() / "word" / "document.xml", body);
    WriteTextFile(package.path() / "word" / "_rels" / "document.xml.rels", rels);
    WriteTextFile(package.path() / "word" / "footnotes.xml", footnotes);
    WriteTextFile(package.path() / "word" / "header1.xml", "<w:hdr><w:p>");
    const std::string page = pageOf(package.path());
    EXPECT_NE(page.find("Body text<sup>"), std::string::npos) << footnotes;
    EXPECT_TRUE(page.ends_with("</div></body></html>"));
    EXPECT_EQ(danglingLinks(page), std::vector<std::string>());
  }
}

TEST(StoryPage, TenThousandNotesAreAllListed) {
  constexpr int kNotes = 10000;
  Conversion c;
  std::string body = "<w:body>";
  StoryText notes{"<w:footnotes>", ""};
  for (int i = 1; i <= kNotes; ++i) {
    body += "<w:p><w:r><w:t>s</w:t></w:r><w:r><w:footnoteReference w:id=\"" + std::to_string(i) + "\"/></w:r></w:p>";
    notes.part += "<w:footnote w:id=\"" + std::to_string(i) + "\"><w:p><w:r><w:footnoteRef/><w:t>n</w:t></w:r>"
                  "<w:r><w:footnoteReference w:id=\"" + std::to_string(kNotes + 1 - i) + "\"/></w:r></w:p></w:footnote>";
  }
  c.text = body + "</w:body>";
  StoryTexts texts;
  texts.footnotes.push_back(std::move(notes));
  convertDocument(c, std::move(texts));
  EXPECT_NE(c.text.find("<div id=\"fn-10000\">"), std::string::npos);
  EXPECT_EQ(c.text.find("<div id=\"fn-10001\">"), std::string::npos);
  EXPECT_EQ(danglingLinks(c.text), std::vector<std::string>());
}

TEST(StoryPage, DatesReadAsDateAndTime) {
  EXPECT_EQ(displayDate("2015-08-14T13:43:00Z"), "2015-08-14 13:43");
  EXPECT_EQ(displayDate("yesterday"), "yesterday");
  EXPECT_EQ(displayDate("2015-08-14"), "2015-08-14");
}

}  // namespace
}  // namespace vellumine
