// Pages leave through writePage sanitised: every hostile row, put in every place of a document
// that the converter copies into the page, comes out inert; a clean page comes out unchanged.
#include "app/page_writer.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
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

TEST(PageWriter, FilesAndStreamsGetTheSanitisedPageAndCleanPagesStayAsTheyAre) {
  test::TempDir dir;
  const std::string clean = convertPackageFolder(fs::path(VELLUMINE_SOURCE_DIR) / "resources" / "sample");
  writePage(dir.path() / "clean.htm", clean);
  EXPECT_EQ(ReadWholeFile(dir.path() / "clean.htm"), clean);

  const std::string hostile = "<p>a<script>alert(1)</script>b</p>";
  writePage(dir.path() / "hostile.htm", hostile);
  EXPECT_EQ(ReadWholeFile(dir.path() / "hostile.htm"), "<p>ab</p>");
  std::FILE* stream = std::fopen((dir.path() / "stream.htm").c_str(), "wb");
  ASSERT_NE(stream, nullptr);
  writePage(stream, hostile);
  std::fclose(stream);
  EXPECT_EQ(ReadWholeFile(dir.path() / "stream.htm"), "<p>ab</p>");
}

}  // namespace
}  // namespace vellumine
