// Property blocks interned: equal content shares an index (whatever the blanks between elements),
// different content or structure does not, and an absent or empty block is index 0.
#include "docx/props_interner.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct InternCase {
  std::string name;
  std::string first, second;  // the content of two w:rPr elements ("-" for no element)
  bool shared;
  std::uint32_t firstIndex;
};

void PrintTo(const InternCase& row, std::ostream* out) { *out << row.name; }

const InternCase kInternCases[] = {
    {"EqualContentShares", "<w:b/><w:sz w:val=\"24\"/>", "<w:b/><w:sz w:val=\"24\"/>", true, 1},
    {"BlanksBetweenElementsDoNotCount", "<w:b/><w:i/>", "\n  <w:b/>\n  <w:i/>\n", true, 1},
    {"AttributeValueCounts", "<w:sz w:val=\"24\"/>", "<w:sz w:val=\"22\"/>", false, 1},
    {"AttributeNameCounts", "<w:u w:val=\"single\"/>", "<w:u w:color=\"single\"/>", false, 1},
    {"NestingCounts", "<w:a><w:b/></w:a><w:c/>", "<w:a><w:b/><w:c/></w:a>", false, 1},
    {"OrderCounts", "<w:b/><w:i/>", "<w:i/><w:b/>", false, 1},
    {"EmptyIsZero", "", "  ", true, 0},
    {"AbsentIsZero", "-", "", true, 0},
};

class PropsInterning : public testing::TestWithParam<InternCase> {};

TEST_P(PropsInterning, SharesOnlyEqualBlocks) {
  const std::string xml = "<r>" + (GetParam().first == "-" ? "" : "<w:rPr>" + GetParam().first + "</w:rPr>") +
                          "<w:rPr>" + GetParam().second + "</w:rPr></r>";
  pugi::xml_document part;
  ASSERT_TRUE(part.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
  Document document;
  Warnings warnings;
  PropsInterner interner(document, warnings);
  const pugi::xml_node first = GetParam().first == "-" ? pugi::xml_node() : part.first_child().first_child();
  const pugi::xml_node second = part.first_child().last_child();
  const std::uint32_t a = interner.run(first);
  const std::uint32_t b = interner.run(second);
  EXPECT_EQ(a, GetParam().firstIndex);
  EXPECT_EQ(a == b, GetParam().shared);
  EXPECT_EQ(document.runProps.items.size(), 1 + (a != 0) + (b != 0 && b != a));
}

INSTANTIATE_TEST_SUITE_P(Cases, PropsInterning, testing::ValuesIn(kInternCases), test::caseName);

TEST(PropsInterner, EachKindHasItsOwnPool) {
  pugi::xml_document part;
  ASSERT_TRUE(part.load_string("<x><w:b/></x>"));
  Document document;
  Warnings warnings;
  PropsInterner interner(document, warnings);
  const pugi::xml_node block = part.first_child();
  EXPECT_EQ(interner.run(block), 1u);
  EXPECT_EQ(interner.paragraph(block), 1u);
  EXPECT_EQ(interner.table(block), 1u);
  EXPECT_EQ(interner.row(block), 1u);
  EXPECT_EQ(interner.cell(block), 1u);
  EXPECT_EQ(interner.run(block), 1u);
  EXPECT_EQ(document.runProps.items.size(), 2u);
  EXPECT_EQ(document.cellProps.items.size(), 2u);
}

}  // namespace
}  // namespace vellumine::docx
