// The reader over whole packages: the main part found, the companion parts and stories read
// through relationships, sections naming headers and footers, hostile packages read without a
// crash or a loop, large main parts read a slice at a time, and the fixture packages against
// their stored models.
#include "docx/reader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "support/docx_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

namespace fs = std::filesystem;

using test::DocxPackage;
using test::wParagraph;
using test::wRun;
using test::wTextRun;

std::string paragraphsOf(const Story& story) {
  std::string out;
  for (const std::string& line : test::describeParagraphs(story)) out += (out.empty() ? "" : " / ") + line;
  return out;
}

std::string firstWarning(const Warnings& warnings) {
  const std::vector<std::string> lines = warnings.lines();
  return lines.empty() ? std::string() : lines.front();
}

// ---- The main part ---------------------------------------------------------------------------

TEST(Reader, MainPartIsFoundThroughThePackagesRelationships) {
  DocxPackage strict;
  strict.removePart("word/document.xml");
  strict.addPart("doc/main.xml", test::wordPart("w:document", "<w:body>" + wParagraph(wTextRun("moved")) + "</w:body>"));
  strict.addPart("_rels/.rels",
                 R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                 R"(<Relationship Id="a" Type="http://purl.oclc.org/ooxml/officeDocument/relationships/officeDocument" Target="/doc/main.xml"/>)"
                 "</Relationships>");
  Warnings strictWarnings;
  const Document document = test::readPackage(strict, strictWarnings);
  EXPECT_EQ(document.mainPart, "doc/main.xml");
  EXPECT_EQ(paragraphsOf(document.body), R"(text"moved")");
  EXPECT_TRUE(strictWarnings.empty());
}

TEST(Reader, WithoutPackageRelationshipsTheUsualNameIsRead) {
  DocxPackage package(wParagraph(wTextRun("plain")));
  package.addPart("_rels/.rels", "not xml at all");
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(document.mainPart, "word/document.xml");
  EXPECT_EQ(paragraphsOf(document.body), R"(text"plain")");
}

TEST(Reader, AMissingMainPartNamedByTheRelationshipFallsBackWithAWarning) {
  DocxPackage package(wParagraph(wTextRun("fallback")));
  package.addPart("_rels/.rels",
                  R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                  R"(<Relationship Id="a" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/gone.xml"/>)"
                  "</Relationships>");
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(paragraphsOf(document.body), R"(text"fallback")");
  EXPECT_EQ(firstWarning(warnings), "missing part word/gone.xml");
}

TEST(Reader, APackageWithoutAWordDocumentIsRefused) {
  DocxPackage package;
  package.removePart("word/document.xml");
  Warnings warnings;
  try {
    test::readPackage(package, warnings);
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "This package holds no Word document.");
  }
}

// ---- Stories ---------------------------------------------------------------------------------

DocxPackage storiesPackage() {
  const std::string body =
      wParagraph("<w:commentRangeStart w:id=\"5\"/>" + wTextRun("see") + "<w:commentRangeEnd w:id=\"5\"/>" +
                 wRun("<w:commentReference w:id=\"5\"/>") + wRun("<w:footnoteReference w:id=\"2\"/>") +
                 wRun("<w:endnoteReference w:id=\"1\"/>") + wRun("<w:commentReference w:id=\"77\"/>"),
                 "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rH1\"/><w:footerReference w:type=\"default\" "
                 "r:id=\"rF1\"/></w:sectPr>") +
      wParagraph(wTextRun("two")) +
      "<w:sectPr><w:headerReference w:type=\"first\" r:id=\"rH2\"/><w:headerReference w:type=\"default\" "
      "r:id=\"rH1again\"/><w:headerReference w:type=\"even\" r:id=\"rGone\"/></w:sectPr>";
  DocxPackage package(body);
  const std::string main = "word/document.xml";
  package.addRelationship(main, "rH1", "header", "header1.xml")
      .addRelationship(main, "rH1again", "header", "/word/header1.xml")
      .addRelationship(main, "rH2", "header", "header2.xml")
      .addRelationship(main, "rF1", "footer", "footer1.xml")
      .addRelationship(main, "rGone", "header", "header9.xml")
      .addRelationship(main, "rN", "footnotes", "footnotes.xml")
      .addRelationship(main, "rC", "comments", "comments.xml")
      .addRelationship("word/header1.xml", "rPic", "image", "media/logo.png");
  package.addPart("word/header1.xml",
                  test::wordPart("w:hdr", wParagraph(wTextRun("head one") + wRun(std::string(
                      "<w:drawing><wp:inline><wp:extent cx=\"1\" cy=\"1\"/><a:graphic><a:graphicData><pic:pic><pic:blipFill>"
                      "<a:blip r:embed=\"rPic\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>")))));
  package.addPart("word/header2.xml", test::wordPart("w:hdr", wParagraph(wTextRun("head two"))));
  package.addPart("word/footer1.xml", test::wordPart("w:ftr", wParagraph(wTextRun("foot"))));
  package.addPart("word/footnotes.xml",
                  test::wordPart("w:footnotes",
                                 "<w:footnote w:type=\"separator\" w:id=\"-1\">" + wParagraph(wRun("<w:separator/>")) +
                                     "</w:footnote><w:footnote w:id=\"2\">" +
                                     wParagraph(wRun("<w:footnoteRef/>") + wTextRun("note") +
                                                wRun("<w:commentReference w:id=\"5\"/>")) +
                                     "</w:footnote>"));
  // No relationship names the endnotes: the usual name beside the main part is read.
  package.addPart("word/endnotes.xml",
                  test::wordPart("w:endnotes", "<w:endnote w:id=\"1\">" + wParagraph(wTextRun("end")) + "</w:endnote>"));
  package.addPart("word/comments.xml",
                  test::wordPart("w:comments", "<w:comment w:id=\"5\" w:author=\"Ann\" w:initials=\"A\" "
                                               "w:date=\"2024-05-06T07:08:09Z\">" +
                                                   wParagraph(wRun("<w:annotationRef/>") + wTextRun("remark")) +
                                                   "</w:comment>"));
  return package;
}

TEST(Reader, StoriesAreReadAndReferencesResolved) {
  Warnings warnings;
  const Document document = test::readPackage(storiesPackage(), warnings);
  EXPECT_EQ(paragraphsOf(document.body),
            R"(commentStart(0) text"see" commentEnd(0) commentRef(0) footnoteRef(1) endnoteRef(0) commentRef(-1) / text"two")");
  ASSERT_EQ(document.footnotes.size(), 2u);
  EXPECT_EQ(document.footnotes[0].kind, NoteKind::separator);
  EXPECT_EQ(paragraphsOf(document.footnotes[0].story), "separator(0)");
  EXPECT_EQ(document.footnotes[1].id, "2");
  EXPECT_EQ(paragraphsOf(document.footnotes[1].story), R"(footnoteMark text"note" commentRef(0))");
  ASSERT_EQ(document.endnotes.size(), 1u);
  EXPECT_EQ(paragraphsOf(document.endnotes[0].story), R"(text"end")");
  ASSERT_EQ(document.comments.size(), 1u);
  EXPECT_EQ(document.comments[0].author, "Ann");
  EXPECT_EQ(document.comments[0].initials, "A");
  EXPECT_EQ(document.comments[0].date, "2024-05-06T07:08:09Z");
  EXPECT_EQ(paragraphsOf(document.comments[0].story), R"(text"remark")");
}

TEST(Reader, SectionsNameEachHeaderAndFooterPartOnce) {
  Warnings warnings;
  const Document document = test::readPackage(storiesPackage(), warnings);
  ASSERT_EQ(document.sections.size(), 2u);
  EXPECT_EQ(document.sections[0].headers, (std::array<int, 3>{0, -1, -1}));
  EXPECT_EQ(document.sections[0].footers, (std::array<int, 3>{0, -1, -1}));
  EXPECT_EQ(document.sections[1].headers, (std::array<int, 3>{0, 1, 2}));
  ASSERT_EQ(document.headers.size(), 3u);
  EXPECT_EQ(document.headers[0].partName, "word/header1.xml");
  EXPECT_EQ(paragraphsOf(document.headers[0].story), R"(text"head one" drawing(0))");
  EXPECT_EQ(document.drawings.at(0).target, "word/media/logo.png");  // through the header's own relationships
  EXPECT_EQ(paragraphsOf(document.headers[1].story), R"(text"head two")");
  EXPECT_EQ(document.headers[2].partName, "word/header9.xml");
  EXPECT_TRUE(document.headers[2].story.blocks.empty());
  ASSERT_EQ(document.footers.size(), 1u);
  EXPECT_EQ(paragraphsOf(document.footers[0].story), R"(text"foot")");
  EXPECT_EQ(firstWarning(warnings), "missing part word/header9.xml");
}

TEST(Reader, AMissingCompanionNamedByARelationshipIsWarnedAbout) {
  DocxPackage package(wParagraph(wTextRun("a")));
  package.addRelationship("word/document.xml", "rS", "styles", "styles.xml");
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(paragraphsOf(document.body), R"(text"a")");
  EXPECT_EQ(warnings.count(WarningKind::missingPart), 1);
  EXPECT_EQ(firstWarning(warnings), "missing part word/styles.xml");
}

TEST(Reader, TheDocumentBackgroundIsRead) {
  DocxPackage package;
  package.addPart("word/document.xml",
                  test::wordPart("w:document", "<w:background w:color=\"FFEE00\"/><w:body>" + wParagraph(wTextRun("x")) +
                                                   "</w:body>"));
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  ASSERT_TRUE(document.settings.background.has_value());
  EXPECT_EQ(document.settings.background->rgb, 0xFFEE00u);
}

// ---- Hostile packages ------------------------------------------------------------------------

std::string repeated(const std::string& piece, int times) {
  std::string out;
  out.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::string nested(const std::string& open, const std::string& close, int depth, const std::string& inner) {
  return repeated(open, depth) + inner + repeated(close, depth);
}

constexpr int kDeep = 100000;

struct HostileCase {
  std::string name;
  std::function<DocxPackage()> make;
  std::string text;     // the text of every text inline of the body, joined
  WarningKind warning;  // a warning expected (notShown: none)
};

void PrintTo(const HostileCase& row, std::ostream* out) { *out << row.name; }

DocxPackage withBody(const std::string& body) { return DocxPackage(body); }

void appendTexts(const std::vector<Block>& blocks, std::string& out) {
  for (const Block& block : blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block.node)) {
      for (const Inline& item : paragraph->inlines) {
        if (item.kind == InlineKind::text) out += item.text;
      }
      continue;
    }
    for (const Row& row : std::get<Table>(block.node).rows) {
      for (const Cell& cell : row.cells) appendTexts(cell.blocks, out);
    }
  }
}

const HostileCase kHostileCases[] = {
    {"DamageMidPartKeepsTheTextBefore",
     [] { return withBody(wParagraph(wTextRun("before")) + "<w:p><w:r><w:t>half</w:t></w:x>" + wParagraph(wTextRun("after"))); },
     "beforehalf", WarningKind::malformedXml},
    {"DeeplyNestedContentControls",
     [] { return withBody(wParagraph(nested("<w:sdt><w:sdtContent>", "</w:sdtContent></w:sdt>", kDeep, wTextRun("deep")))); },
     "deep", WarningKind::notShown},
    {"DeeplyNestedSmartTags",
     [] { return withBody(wParagraph(nested("<w:smartTag>", "</w:smartTag>", kDeep, wTextRun("deep")))); }, "deep",
     WarningKind::notShown},
    {"DeeplyNestedHyperlinks",
     [] { return withBody(wParagraph(nested("<w:hyperlink w:anchor=\"a\">", "</w:hyperlink>", kDeep, wTextRun("deep")))); },
     "deep", WarningKind::notShown},
    {"DeeplyNestedParagraphs", [] { return withBody(nested("<w:p>", "</w:p>", kDeep, wTextRun("deep"))); }, "deep",
     WarningKind::notShown},
    {"DeeplyNestedTables",
     [] {
       return withBody(nested("<w:tbl><w:tr><w:tc>", "</w:tc></w:tr></w:tbl>", kDeep / 4, wParagraph(wTextRun("deep"))));
     },
     "deep", WarningKind::deepNesting},
    {"DeeplyNestedUnknownElements",
     [] { return withBody(wParagraph(nested("<x:e xmlns:x=\"urn:x\">", "</x:e>", kDeep, wTextRun("deep")))); }, "deep",
     WarningKind::notShown},
    {"DeeplyNestedAlternateContent",
     [] {
       return withBody(wParagraph(nested("<mc:AlternateContent><mc:Fallback>", "</mc:Fallback></mc:AlternateContent>",
                                         kDeep / 2, wTextRun("deep"))));
     },
     "deep", WarningKind::notShown},
    {"ManyFieldsNeverEndedHideOnlyWhatFollowsThem",
     [] {
       return withBody(wParagraph(wTextRun("shown")) +
                       wParagraph(repeated(wRun("<w:fldChar w:fldCharType=\"begin\"/>"), kDeep) + wTextRun("hidden")));
     },
     "shown", WarningKind::notShown},
    {"HugeAttributeValues",
     [] {
       return withBody(wParagraph("<w:bookmarkStart w:id=\"1\" w:name=\"" + std::string(10 << 20, 'n') + "\"/>" +
                                  wTextRun("x", "<w:sz w:val=\"" + std::string(1 << 20, '9') + "\"/>")));
     },
     "x", WarningKind::notShown},
    {"HugeText", [] { return withBody(wParagraph(wTextRun(std::string(8 << 20, 't')))); }, std::string(8 << 20, 't'),
     WarningKind::notShown},
    {"HeaderAndNotesRelationshipsToTheMainPart",
     [] {
       DocxPackage package(
           wParagraph(wTextRun("body"), "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rLoop\"/></w:sectPr>"));
       package.addRelationship("word/document.xml", "rLoop", "header", "document.xml");
       package.addRelationship("word/document.xml", "rLoop2", "footnotes", "document.xml");
       return package;
     },
     "body", WarningKind::notShown},
};

class ReaderHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(ReaderHostile, ReadsWithoutCrashOrLoop) {
  Warnings warnings;
  Document document;
  ASSERT_NO_THROW(document = test::readPackage(GetParam().make(), warnings));
  std::string text;
  appendTexts(document.body.blocks, text);
  EXPECT_TRUE(text == GetParam().text) << text.substr(0, 200);
  if (GetParam().warning != WarningKind::notShown) {
    EXPECT_GE(warnings.count(GetParam().warning), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderHostile, testing::ValuesIn(kHostileCases), test::caseName);

TEST(Reader, TextBoxesNestedDeepAreEachReadOnce) {
  const std::string open = "<w:r><w:pict><v:shape><v:textbox><w:txbxContent><w:p>";
  const std::string close = "</w:p></w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
  Warnings warnings;
  const Document document = test::readPackage(DocxPackage(wParagraph(nested(open, close, 2000, wTextRun("deep")))), warnings);
  ASSERT_EQ(document.textBoxes.size(), 2000u);
  EXPECT_EQ(paragraphsOf(document.textBoxes[0]), "drawing(1)");
  EXPECT_EQ(paragraphsOf(document.textBoxes[1999]), R"(text"deep")");
}

// ---- Large main parts ------------------------------------------------------------------------

// A body of about size bytes whose content crosses every slice boundary: fields from one
// paragraph to the next, bookmarks between paragraphs, a table every so often.
std::string largeBody(std::size_t size, int& paragraphs) {
  std::string body;
  paragraphs = 0;
  for (int n = 0; body.size() < size; ++n) {
    const std::string k = std::to_string(n);
    body += wParagraph(wTextRun("p" + k + " " + std::string(200, 'w')) + wRun("<w:fldChar w:fldCharType=\"begin\"/>") +
                       wRun("<w:instrText>PAGE</w:instrText>") + wRun("<w:fldChar w:fldCharType=\"separate\"/>"));
    body += "<w:bookmarkStart w:id=\"" + k + "\" w:name=\"b" + k + "\"/>";
    body += wParagraph(wTextRun("r" + k) + wRun("<w:fldChar w:fldCharType=\"end\"/>"));
    paragraphs += 2;
    if (n % 10 == 0) {
      body += test::wTable({100}, {test::wRow({test::wCell(wParagraph(wTextRun("c" + k)))})});
      ++paragraphs;
    }
  }
  return body;
}

TEST(ReaderLargeParts, ReadSliceBySliceAsAWhole) {
  int paragraphs = 0;
  const std::string body = largeBody(5u << 20, paragraphs);
  Warnings warnings;
  const Document document = test::readPackage(DocxPackage(body + "<w:sectPr/>"), warnings);
  EXPECT_TRUE(warnings.empty()) << firstWarning(warnings);
  const std::vector<std::string> lines = test::describeParagraphs(document.body);
  ASSERT_EQ(static_cast<int>(lines.size()), paragraphs);
  int n = 0;
  for (std::size_t i = 0; i < lines.size(); ++n) {
    const std::string k = std::to_string(n);
    const std::string field = std::to_string(n);
    ASSERT_EQ(lines[i++], "text\"p" + k + " " + std::string(200, 'w') + "\" fieldStart(" + field + ")") << i;
    ASSERT_EQ(lines[i++], "bookmarkStart(" + k + ")\"b" + k + "\" text\"r" + k + "\" fieldEnd(" + field + ")") << i;
    if (n % 10 == 0) {
      ASSERT_EQ(lines[i++], "text\"c" + k + "\"") << i;
    }
  }
  EXPECT_EQ(document.fields.size(), static_cast<std::size_t>(n));
  EXPECT_EQ(document.sections.size(), 1u);
}

TEST(ReaderLargeParts, DamageInALaterSliceKeepsWhatCameBefore) {
  int paragraphs = 0;
  std::string body = largeBody(3u << 20, paragraphs);
  const std::string bad = "<w:p><w:r><w:t>last words</w:t></w:x>";
  const std::size_t cut = body.find("<w:p>", 2u << 20);
  body.insert(cut, bad);
  DocxPackage package(body);
  // Where the parser finds the fault in the whole part.
  const std::string whole = package.allParts().at("word/document.xml");
  pugi::xml_document parsed;
  const pugi::xml_parse_result result = parsed.load_buffer(whole.data(), whole.size());
  ASSERT_FALSE(result);
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(firstWarning(warnings), "word/document.xml is damaged after byte " + std::to_string(result.offset) +
                                        "; what was read before the damage is shown");
  const std::vector<std::string> lines = test::describeParagraphs(document.body);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().ends_with(R"(text"last words")")) << lines.back();
}

TEST(ReaderLargeParts, APartCutOffIsWarnedAbout) {
  int paragraphs = 0;
  std::string whole = DocxPackage(largeBody(3u << 20, paragraphs)).allParts().at("word/document.xml");
  whole.resize(whole.rfind("<w:p>") + 12);
  DocxPackage package;
  package.addPart("word/document.xml", whole);
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(warnings.count(WarningKind::malformedXml), 1);
  EXPECT_GT(document.body.blocks.size(), static_cast<std::size_t>(paragraphs) / 2);
}

// ---- Whole documents against their stored models ---------------------------------------------

std::vector<std::string> fixturePackages() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(test::fixturesDir() / "packages")) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ReaderFixtures : public testing::TestWithParam<std::string> {};

// Set VELLUMINE_UPDATE_MODEL_DUMPS=1 to write the stored models anew (then read the diff).
TEST_P(ReaderFixtures, GiveTheirStoredModel) {
  Warnings warnings;
  const Document document = readDocument(folderPartSource(test::fixturesDir() / "packages" / GetParam()), warnings);
  std::string model = test::describeDocument(document);
  for (const std::string& line : warnings.lines()) model += "warning " + line + "\n";
  const fs::path stored = test::fixturesDir() / "model" / (GetParam() + ".txt");
  if (std::getenv("VELLUMINE_UPDATE_MODEL_DUMPS") != nullptr) std::ofstream(stored, std::ios::binary) << model;
  std::ifstream in(stored, std::ios::binary);
  ASSERT_TRUE(in) << stored;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_SAME_TEXT(model, expected.str());
}

std::string fixtureName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Packages, ReaderFixtures, testing::ValuesIn(fixturePackages()), fixtureName);

}  // namespace
}  // namespace vellumine::docx
