#include "app/docxInfo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

#include "docx_writer.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct CoreCase {
  std::string_view name;
  std::string core;
  std::string_view title, author, created;
};

const CoreCase kCoreCases[] = {
    {"AllThree", test::coreXml("Q3 Report", "Ann Smith", "2009-04-21T08:12:00Z"), "Q3 Report",
     "Ann Smith", "2009-04-21"},
    {"EntitiesStayAsWritten", test::coreXml("R&amp;D", "A &lt;B&gt;", "2020-01-02T00:00:00Z"),
     "R&amp;D", "A &lt;B&gt;", "2020-01-02"},
    {"TitleWithAttributeIsNotFound",
     "<dc:title xml:lang=\"en\">Hidden</dc:title><dc:creator>Bo</dc:creator>", "", "Bo", ""},
    {"CreatedWithoutTypeIsNotFound", "<dcterms:created>2009-04-21T08:12:00Z</dcterms:created>", "",
     "", ""},
    {"ShortCreatedKeptWhole", test::coreXml("", "", "2009"), "", "", "2009"},
    {"EmptyPart", "", "", "", ""},
};

void PrintTo(const CoreCase& c, std::ostream* os) { *os << c.name; }

class DocxInfoCore : public testing::TestWithParam<CoreCase> {};

TEST_P(DocxInfoCore, ReadsTheThreeProperties) {
  test::TempDir dir;
  writeFile(dir.path() / "docProps" / "core.xml", GetParam().core);
  DocumentProperties properties = readDocumentProperties(dir.path());
  EXPECT_EQ(properties.title, GetParam().title);
  EXPECT_EQ(properties.author, GetParam().author);
  EXPECT_EQ(properties.created, GetParam().created);
}

INSTANTIATE_TEST_SUITE_P(DocxInfo, DocxInfoCore, testing::ValuesIn(kCoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocxInfo, MissingCorePartGivesEmptyProperties) {
  test::TempDir dir;
  DocumentProperties properties = readDocumentProperties(dir.path());
  EXPECT_EQ(properties.title, "");
  EXPECT_EQ(properties.author, "");
  EXPECT_EQ(properties.created, "");
}

struct SizeCase {
  std::size_t bytes;
  std::u16string_view expected;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.bytes << " bytes"; }

class DocxInfoSize : public testing::TestWithParam<SizeCase> {};

TEST_P(DocxInfoSize, CountsStartedKilobytes) {
  test::TempDir dir;
  writeFile(dir.path() / "doc.docx", std::string(GetParam().bytes, 'x'));
  EXPECT_EQ(statusTexts({}, dir.path() / "doc.docx").size, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(DocxInfo, DocxInfoSize,
                         testing::Values(SizeCase{0, u" File Size: 0 KB"}, SizeCase{1, u" File Size: 1 KB"},
                                         SizeCase{1024, u" File Size: 2 KB"},
                                         SizeCase{2047, u" File Size: 2 KB"},
                                         SizeCase{2048, u" File Size: 3 KB"}),
                         [](const auto& info) { return "Bytes" + std::to_string(info.param.bytes); });

TEST(DocxInfo, StatusTextsDecodeUtf8AndKeepTheDate) {
  DocumentProperties properties{"\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82", "Jos\xC3\xA9", "2009-04-21"};
  StatusTexts texts = statusTexts(properties, "/no/such/document.docx");
  EXPECT_EQ(texts.title, u" Title: Отчёт");
  EXPECT_EQ(texts.author, u" Author: José");
  EXPECT_EQ(texts.date, u" Date: 2009-04-21");
  EXPECT_EQ(texts.size, u" File Size: 0 KB");
}

TEST(DocxInfo, EmptyPropertiesGiveTheBareLabels) {
  StatusTexts texts = statusTexts({}, "/no/such/document.docx");
  EXPECT_EQ(texts.title, u" Title: ");
  EXPECT_EQ(texts.author, u" Author: ");
  EXPECT_EQ(texts.date, u" Date: ");
}

}  // namespace
}  // namespace vellumine
