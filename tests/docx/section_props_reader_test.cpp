// w:sectPr: each row a section property block and every field it must set; header and footer
// references go through a callback that maps "rIdN" to N (footers to N + 100).
#include "docx/property_reader.h"

#include <charconv>

#include <gtest/gtest.h>

#include "support/docx_snippets.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::ParsedXml;

struct SectionCase {
  const char* name;
  const char* inner;
  void (*expect)(SectionProps& p);
  int warnings = 0;
};

int storyIndex(bool footer, const std::string& relationshipId) {
  int number = -1;
  const char* digits = relationshipId.data() + std::min<std::size_t>(3, relationshipId.size());
  if (std::from_chars(digits, relationshipId.data() + relationshipId.size(), number).ec != std::errc()) return -1;
  return footer ? number + 100 : number;
}

const SectionCase kSectionCases[] = {
    {"PagePortrait", R"(<w:pgSz w:w="12240" w:h="15840"/>)", [](SectionProps& p) {
       p.pageWidth = 12240;
       p.pageHeight = 15840;
     }},
    {"PageLandscape", R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)", [](SectionProps& p) {
       p.pageWidth = 16838;
       p.pageHeight = 11906;
       p.landscape = true;
     }},
    {"PageStrictInches", R"(<w:pgSz w:w="8.5in" w:h="11in" w:orient="portrait"/>)", [](SectionProps& p) {
       p.pageWidth = 12240;
       p.pageHeight = 15840;
     }},
    {"PageMalformedWidth", R"(<w:pgSz w:w="A4" w:h="16838"/>)", [](SectionProps& p) { p.pageHeight = 16838; }, 1},
    {"Margins",
     R"(<w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="720" w:footer="708" w:gutter="0"/>)",
     [](SectionProps& p) {
       p.marginTop = p.marginBottom = 1440;
       p.marginRight = p.marginLeft = 1800;
       p.marginHeader = 720;
       p.marginFooter = 708;
       p.marginGutter = 0;
     }},
    {"MarginsStartEndNames", R"(<w:pgMar w:start="100" w:end="200"/>)", [](SectionProps& p) {
       p.marginLeft = 100;
       p.marginRight = 200;
     }},
    {"ColumnsEqual", R"(<w:cols w:num="2" w:space="708"/>)", [](SectionProps& p) {
       p.columns.count = 2;
       p.columns.space = 708;
     }},
    {"ColumnsListed",
     R"(<w:cols w:num="2" w:space="720" w:equalWidth="0"><w:col w:w="3000" w:space="500"/><w:col w:w="5000"/></w:cols>)",
     [](SectionProps& p) {
       p.columns.count = 2;
       p.columns.equalWidth = false;
       p.columns.columns = {{3000, 500}, {5000, 0}};
     }},
    {"ColumnsListedWithoutEqualWidthAreUnequal", R"(<w:cols w:num="2"><w:col w:w="3000"/><w:col w:w="4000"/></w:cols>)",
     [](SectionProps& p) {
       p.columns.count = 2;
       p.columns.equalWidth = false;
       p.columns.columns = {{3000, 0}, {4000, 0}};
     }},
    {"ColumnsSeparator", R"(<w:cols w:num="3" w:sep="1"/>)", [](SectionProps& p) {
       p.columns.count = 3;
       p.columns.separator = true;
     }},
    {"ColumnCountBounded", R"(<w:cols w:num="100000"/>)", [](SectionProps& p) { p.columns.count = 45; }},
    {"StartContinuous", R"(<w:type w:val="continuous"/>)", [](SectionProps& p) { p.start = SectionStart::continuous; }},
    {"TitlePage", R"(<w:titlePg/>)", [](SectionProps& p) { p.titlePage = true; }},
    {"PageNumbers", R"(<w:pgNumType w:start="5" w:fmt="lowerRoman"/>)", [](SectionProps& p) {
       p.pageNumberStart = 5;
       p.pageNumberFormat = "lowerRoman";
     }},
    {"HeadersAndFooters",
     R"(<w:headerReference w:type="default" r:id="rId7"/><w:headerReference w:type="first" r:id="rId8"/>)"
     R"(<w:headerReference w:type="even" r:id="rId9"/><w:footerReference r:id="rId10"/><w:footerReference w:type="first" r:id="rId11"/>)",
     [](SectionProps& p) {
       p.headers = {7, 8, 9};
       p.footers = {110, 111, -1};
     }},
    {"ReferenceTheCallbackCannotRead", R"(<w:headerReference w:type="default" r:id="bad"/>)", [](SectionProps&) {}},
    {"RightToLeftAndCentred", R"(<w:bidi/><w:vAlign w:val="center"/>)", [](SectionProps& p) {
       p.bidi = true;
       p.verticalAlign = CellAlign::center;
     }},
};

class SectionPropsReader : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionPropsReader, ReadsEachPropertyAndNothingElse) {
  const SectionCase& c = GetParam();
  ParsedXml xml(test::sectPr(c.inner));
  Warnings warnings;
  SectionProps expected;
  c.expect(expected);
  EXPECT_EQ(readSectionProps(xml.root(), storyIndex, warnings), expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Rows, SectionPropsReader, testing::ValuesIn(kSectionCases), test::caseName);

TEST(SectionPropsReaderCallback, WithoutACallbackReferencesStayUnset) {
  ParsedXml xml(test::sectPr(R"(<w:headerReference w:type="default" r:id="rId7"/>)"));
  Warnings warnings;
  const SectionProps props = readSectionProps(xml.root(), HeaderFooterIndex(), warnings);
  EXPECT_EQ(props.headers[0], -1);
}

}  // namespace
}  // namespace vellumine::docx
