// Pages leave through writePage declared UTF-8 and sanitised: every hostile row, put in every
// place of a document that the converter copies into the page, comes out inert; so does style
// written to be read in the encoding a document declares, in every place that becomes style, in
// the body and the stories, whatever the declaration says; a clean page comes out unchanged.
#include "app/page_writer.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "html/charset_declaration.h"
#include "support/active_content.h"
#include "support/hostile_markup.h"
#include "support/test_support.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPayload = "PAYLOAD";

// One place of a document the converter copies from; PAYLOAD marks it in one of the parts.
struct Placement {
  std::string_view name;
  std::string_view declaration, paragraph, relationships, styles;
};

constexpr std::string_view kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr std::string_view kPlainParagraph = "<w:p><w:r><w:t>text</w:t></w:r></w:p>";
constexpr std::string_view kNoRelationships = "";
constexpr std::string_view kNoStyles = "";

const Placement kPlacements[] = {
    {"RunText", kUtf8, "<w:p><w:r><w:t>PAYLOAD</w:t></w:r></w:p>", kNoRelationships, kNoStyles},
    {"FontName", kUtf8, "<w:p><w:r><w:rPr><w:rFonts w:ascii=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>",
     kNoRelationships, kNoStyles},
    {"Colour", kUtf8, "<w:p><w:r><w:rPr><w:color w:val=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>",
     kNoRelationships, kNoStyles},
    {"Shading", kUtf8, "<w:p><w:r><w:rPr><w:shd w:val=\"clear\" w:fill=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>",
     kNoRelationships, kNoStyles},
    {"StyleId", kUtf8, "<w:p><w:pPr><w:pStyle w:val=\"PAYLOAD\"/></w:pPr><w:r><w:t>x</w:t></w:r></w:p>",
     kNoRelationships,
     "<w:style w:type=\"paragraph\" w:styleId=\"PAYLOAD\"><w:rPr><w:color w:val=\"FF0000\"/></w:rPr></w:style>"},
    {"StyleFontName", kUtf8, "<w:p><w:pPr><w:pStyle w:val=\"S\"/></w:pPr><w:r><w:t>x</w:t></w:r></w:p>",
     kNoRelationships,
     "<w:style w:type=\"paragraph\" w:styleId=\"S\"><w:rPr><w:rFonts w:ascii=\"PAYLOAD\"/></w:rPr></w:style>"},
    {"BookmarkName", kUtf8, "<w:p><w:bookmarkStart w:id=\"0\" w:name=\"PAYLOAD\"/><w:r><w:t>x</w:t></w:r></w:p>",
     kNoRelationships, kNoStyles},
    {"LinkAnchor", kUtf8, "<w:p><w:hyperlink w:anchor=\"PAYLOAD\"><w:r><w:t>x</w:t></w:r></w:hyperlink></w:p>",
     kNoRelationships, kNoStyles},
    {"LinkTarget", kUtf8, "<w:p><w:hyperlink r:id=\"rL\"><w:r><w:t>x</w:t></w:r></w:hyperlink></w:p>",
     "<Relationship Id=\"rL\" Type=\"x/hyperlink\" Target=\"PAYLOAD\" TargetMode=\"External\"/>", kNoStyles},
    {"ImageTarget", kUtf8,
     "<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"9525\" cy=\"9525\"/><a:graphic><a:graphicData><pic:pic>"
     "<pic:blipFill><a:blip r:embed=\"rI\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline>"
     "</w:drawing></w:r></w:p>",
     "<Relationship Id=\"rI\" Type=\"x/image\" Target=\"PAYLOAD\"/>", kNoStyles},
    {"XmlEncoding", "<?xml version=\"1.0\" encoding=\"PAYLOAD\"?>", kPlainParagraph, kNoRelationships, kNoStyles},
};

std::string filled(std::string_view part, std::string_view payload) {
  return ReplaceAllText(std::string(part), std::string(kPayload), std::string(payload));
}

void writePackage(const fs::path& folder, const Placement& place, std::string_view payload) {
  fs::create_directories(folder / "word" / "_rels");
  WriteTextFile(folder / "word" / "document.xml",
                filled(place.declaration, payload) +
                    "<w:document xmlns:w=\"w\" xmlns:r=\"r\" xmlns:wp=\"wp\" xmlns:a=\"a\" xmlns:pic=\"pic\"><w:body>" +
                    filled(place.paragraph, payload) + "<w:sectPr/></w:body></w:document>");
  WriteTextFile(folder / "word" / "_rels" / "document.xml.rels",
                std::string(kUtf8) + "<Relationships>" + filled(place.relationships, payload) + "</Relationships>");
  WriteTextFile(folder / "word" / "styles.xml", std::string(kUtf8) + "<w:styles>" + filled(place.styles, payload) + "</w:styles>");
}

class HostileDocuments : public testing::TestWithParam<test::HostileMarkup> {};

TEST_P(HostileDocuments, ComeOutInertFromEveryPlace) {
  test::TempDir dir;
  for (const Placement& place : kPlacements) {
    SCOPED_TRACE(place.name);
    const fs::path package = dir.path() / std::string(place.name);
    writePackage(package, place, GetParam().markup);
    const std::string converted = convertPackageFolder(package);
    if (place.name == "RunText") {
      ASSERT_FALSE(test::findActiveContent(converted).empty()) << "the row never reaches the page";
    }
    const fs::path page = package / "page.htm";
    writePage(page, converted);
    const std::string written = ReadWholeFile(page);
    for (const std::string& finding : test::findActiveContent(written)) ADD_FAILURE() << finding << "\nin: " << written;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileDocuments, testing::ValuesIn(test::hostileMarkup()),
                         [](const auto& info) { return std::string(info.param.name); });

// Documents that name an encoding, or leave it open, with style that a browser reading the page in
// that encoding takes apart otherwise: a lead byte there swallows the backslash of an escaped
// quote, so what UTF-8 reads as a comment holds live style that loads.
struct DeclaredEncoding {
  std::string_view name;
  std::string_view label;  // empty: the parts have no declaration
  std::string_view lead;   // bytes that, with a backslash after them, are one character in it
};

const DeclaredEncoding kDeclaredEncodings[] = {
    {"ShiftJis", "Shift_JIS", "\x81"},        {"ShiftJisAliasWindows31J", "Windows-31J", "\x83"},
    {"ShiftJisAliasCsShiftJis", "csShiftJIS", "\x81"}, {"Big5", "Big5", "\xA5"},
    {"Big5Hkscs", "Big5-HKSCS", "\xA5"},      {"Gbk", "GBK", "\x81"},
    {"Gb18030", "GB18030", "\x95"},           {"Gb2312", "GB2312", "\x81"},
    // Read as UTF-8: Japanese text whose last byte is a Shift_JIS lead byte, the page once left
    // for the browser to guess.
    {"UnknownLabel", "x-no-such-encoding", "\xE3\x81\x81"}, {"NoDeclaration", "", "\xE3\x81\x81"},
    {"Utf8", "UTF-8", "\xE3\x81\x81"},
};

enum class Story { Body, Footnote, Comment, Header };

// A place of a document whose value the converter writes into style; PAYLOAD marks it.
struct StylePlace {
  std::string_view name;
  Story story;
  std::string_view paragraph, styles;
};

constexpr std::string_view kColourParagraph = "<w:p><w:r><w:rPr><w:color w:val=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>";

const StylePlace kStylePlaces[] = {
    {"FontName", Story::Body, "<w:p><w:r><w:rPr><w:rFonts w:ascii=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>", ""},
    {"Colour", Story::Body, kColourParagraph, ""},
    {"Highlight", Story::Body, "<w:p><w:r><w:rPr><w:highlight w:val=\"PAYLOAD\"/></w:rPr><w:t>x</w:t></w:r></w:p>", ""},
    {"Alignment", Story::Body, "<w:p><w:pPr><w:jc w:val=\"PAYLOAD\"/></w:pPr><w:r><w:t>x</w:t></w:r></w:p>", ""},
    {"BorderColour", Story::Body,
     "<w:p><w:pPr><w:pBdr><w:top w:val=\"single\" w:sz=\"4\" w:space=\"1\" w:color=\"PAYLOAD\"/></w:pBdr></w:pPr>"
     "<w:r><w:t>x</w:t></w:r></w:p>", ""},
    {"StyleColour", Story::Body, "<w:p><w:pPr><w:pStyle w:val=\"S\"/></w:pPr><w:r><w:t>x</w:t></w:r></w:p>",
     "<w:style w:type=\"paragraph\" w:styleId=\"S\"><w:rPr><w:color w:val=\"PAYLOAD\"/></w:rPr></w:style>"},
    {"StyleFontName", Story::Body, "<w:p><w:pPr><w:pStyle w:val=\"S\"/></w:pPr><w:r><w:t>x</w:t></w:r></w:p>",
     "<w:style w:type=\"paragraph\" w:styleId=\"S\"><w:rPr><w:rFonts w:ascii=\"PAYLOAD\"/></w:rPr></w:style>"},
    {"FootnoteColour", Story::Footnote, kColourParagraph, ""},
    {"CommentColour", Story::Comment, kColourParagraph, ""},
    {"HeaderColour", Story::Header, kColourParagraph, ""},
};

std::string declarationOf(const DeclaredEncoding& encoding) {
  if (encoding.label.empty()) return {};
  return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding.label) + "\" standalone=\"yes\"?>\r\n";
}

std::string styleBreakingPayload(std::string_view lead) {
  const std::string escapedQuote = std::string(lead) + "\\'";
  return "x:" + escapedQuote + "/*';background:url(https://evil.example/x.png);y:'*/" + escapedQuote;
}

// The story's part, its relationship from the main part and what the main part's text refers to.
struct StoryPartFiles {
  std::string_view file, relationshipType, open, close, bodyReference;
};

StoryPartFiles storyFiles(Story story) {
  switch (story) {
    case Story::Footnote:
      return {"footnotes.xml", "footnotes", "<w:footnotes xmlns:w=\"w\"><w:footnote w:id=\"1\">",
              "</w:footnote></w:footnotes>", "<w:p><w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>"};
    case Story::Comment:
      return {"comments.xml", "comments", "<w:comments xmlns:w=\"w\"><w:comment w:id=\"1\" w:author=\"A\">",
              "</w:comment></w:comments>", "<w:p><w:r><w:commentReference w:id=\"1\"/></w:r></w:p>"};
    case Story::Header:
      return {"header1.xml", "header", "<w:hdr xmlns:w=\"w\">", "</w:hdr>", ""};
    case Story::Body:
      break;
  }
  return {};
}

void writeEncodedPackage(const fs::path& folder, const DeclaredEncoding& encoding, const StylePlace& place) {
  const std::string declaration = declarationOf(encoding);
  const std::string paragraph = filled(place.paragraph, styleBreakingPayload(encoding.lead));
  const StoryPartFiles story = storyFiles(place.story);
  fs::create_directories(folder / "word" / "_rels");
  std::string relationships;
  if (!story.file.empty()) {
    relationships = "<Relationship Id=\"rS\" Type=\"x/" + std::string(story.relationshipType) + "\" Target=\"" +
                    std::string(story.file) + "\"/>";
    WriteTextFile(folder / "word" / std::string(story.file),
                  declaration + std::string(story.open) + paragraph + std::string(story.close));
  }
  const std::string headerReference = place.story == Story::Header ? "<w:headerReference w:type=\"default\" r:id=\"rS\"/>" : "";
  WriteTextFile(folder / "word" / "document.xml",
                declaration + "<w:document xmlns:w=\"w\" xmlns:r=\"r\"><w:body>" +
                    (place.story == Story::Body ? paragraph : std::string(story.bodyReference)) + "<w:sectPr>" +
                    headerReference + "</w:sectPr></w:body></w:document>");
  WriteTextFile(folder / "word" / "_rels" / "document.xml.rels", declaration + "<Relationships>" + relationships + "</Relationships>");
  WriteTextFile(folder / "word" / "styles.xml",
                declaration + "<w:styles>" + filled(place.styles, styleBreakingPayload(encoding.lead)) + "</w:styles>");
}

class EncodedDocuments : public testing::TestWithParam<DeclaredEncoding> {};

TEST_P(EncodedDocuments, ComeOutUtf8AndInertFromEveryPlaceOfStyle) {
  constexpr std::string_view kDeclaredHead = "<html>\r\n<head><meta charset=\"utf-8\">";
  test::TempDir dir;
  for (const StylePlace& place : kStylePlaces) {
    SCOPED_TRACE(place.name);
    const fs::path package = dir.path() / std::string(place.name);
    writeEncodedPackage(package, GetParam(), place);
    const std::string converted = convertPackageFolder(package);
    ASSERT_NE(converted.find("evil.example"), std::string::npos) << "the style never reaches the page:\n" << converted;
    const fs::path page = package / "page.htm";
    writePage(page, converted);
    const std::string written = ReadWholeFile(page);
    EXPECT_EQ(written.substr(0, kDeclaredHead.size()), kDeclaredHead);
    for (const std::string& finding : test::findActiveContent(written)) ADD_FAILURE() << finding << "\nin: " << written;
  }
}

INSTANTIATE_TEST_SUITE_P(Encodings, EncodedDocuments, testing::ValuesIn(kDeclaredEncodings),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever engine made the page, it leaves declared UTF-8 first and with no other declaration.
struct WrittenCase {
  std::string_view name;
  std::string input, expected;
};

const std::string kMeta(html::kUtf8Declaration);

const WrittenCase kWrittenCases[] = {
    {"OldContentTypeGivesWayToTheDeclaration",
     "<html>\r\n<head><title></title>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"/>\r\n"
     "<style>\r\np{}</style></head><body>x</body></html>",
     "<html>\r\n<head>" + kMeta + "<title></title>\r\n\r\n<style>\r\np{}</style></head><body>x</body></html>"},
    {"PageOfAnotherEngineWithItsOwnDeclarationStays",
     "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"UTF-8\">\n<title>t</title>",
     "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"UTF-8\">\n<title>t</title>"},
    {"PageOfAnotherEngineWithALegacyDeclaration",
     "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"big5\">\n<title>t</title>",
     "<!DOCTYPE html>\n<html>\n<head>" + kMeta + "\n\n<title>t</title>"},
};

class PageWriterDeclaration : public testing::TestWithParam<WrittenCase> {};

TEST_P(PageWriterDeclaration, PageLeavesDeclaredUtf8) {
  test::TempDir dir;
  writePage(dir.path() / "page.htm", GetParam().input);
  EXPECT_SAME_TEXT(ReadWholeFile(dir.path() / "page.htm"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageWriterDeclaration, testing::ValuesIn(kWrittenCases), test::caseName);

TEST(PageWriter, FilesAndStreamsGetTheSanitisedPageAndCleanPagesStayAsTheyAre) {
  test::TempDir dir;
  const std::string clean = convertPackageFolder(test::fixturesDir() / "packages" / "sample");
  writePage(dir.path() / "clean.htm", clean);
  EXPECT_EQ(ReadWholeFile(dir.path() / "clean.htm"), clean);

  const std::string hostile = "<p>a<script>alert(1)</script>b</p>";
  writePage(dir.path() / "hostile.htm", hostile);
  EXPECT_EQ(ReadWholeFile(dir.path() / "hostile.htm"), kMeta + "<p>ab</p>");
  std::FILE* stream = std::fopen((dir.path() / "stream.htm").c_str(), "wb");
  ASSERT_NE(stream, nullptr);
  writePage(stream, hostile);
  std::fclose(stream);
  EXPECT_EQ(ReadWholeFile(dir.path() / "stream.htm"), kMeta + "<p>ab</p>");
}

}  // namespace
}  // namespace vellumine
