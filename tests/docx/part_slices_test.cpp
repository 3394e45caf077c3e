// A main part cut between its body's children: the slices cover the body's content exactly, each
// starts at a child of the body, and markup that looks like tags (comments, CDATA, quoted '>',
// instructions, a DOCTYPE) moves no boundary.
#include "docx/part_slices.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct SliceCase {
  std::string name;
  std::string part;
  std::vector<std::string> slices;  // the text of each slice
  std::string head, tail;
  bool truncated;
};

void PrintTo(const SliceCase& row, std::ostream* out) { *out << row.name; }

constexpr const char* kHead = "<?xml version=\"1.0\"?><w:document a=\"1\"><w:body>";

const SliceCase kSliceCases[] = {
    {"OneChildPerSlice", std::string(kHead) + "<w:p>1</w:p><w:p>2</w:p><w:sectPr/></w:body></w:document>",
     {"<w:p>1</w:p>", "<w:p>2</w:p>", "<w:sectPr/>"}, kHead, "</w:body></w:document>", false},
    {"NestedContentStaysWithItsChild",
     std::string(kHead) + "<w:tbl><w:tr><w:tc><w:p>a</w:p></w:tc></w:tr></w:tbl><w:p/></w:body></w:document>",
     {"<w:tbl><w:tr><w:tc><w:p>a</w:p></w:tc></w:tr></w:tbl>", "<w:p/>"}, kHead, "</w:body></w:document>", false},
    {"MarkupThatLooksLikeTags",
     std::string(kHead) + "<w:p v=\"a>b\" w='<w:p>'><!-- <w:p> --><![CDATA[</w:p><w:p>]]><?pi <w:p>?></w:p>"
                          "<w:p/></w:body></w:document>",
     {"<w:p v=\"a>b\" w='<w:p>'><!-- <w:p> --><![CDATA[</w:p><w:p>]]><?pi <w:p>?></w:p>", "<w:p/>"}, kHead,
     "</w:body></w:document>", false},
    {"OtherPrefixesAndADoctype",
     "<!DOCTYPE d [<!ENTITY e \"<x>\">]><ns0:document><ns0:body><ns0:p/><ns0:p/></ns0:body></ns0:document>",
     {"<ns0:p/>", "<ns0:p/>"}, "<!DOCTYPE d [<!ENTITY e \"<x>\">]><ns0:document><ns0:body>",
     "</ns0:body></ns0:document>", false},
    {"TextBetweenChildrenGoesWithTheOneBefore", std::string(kHead) + "<w:p/>\r\n<w:p/>\r\n</w:body></w:document>",
     {"<w:p/>\r\n", "<w:p/>\r\n"}, kHead, "</w:body></w:document>", false},
    {"CutOffPart", std::string(kHead) + "<w:p>1</w:p><w:p>2</w", {"<w:p>1</w:p>", "<w:p>2</w"}, kHead,
     "</w:body></w:document>", true},
};

class PartSlicing : public testing::TestWithParam<SliceCase> {};

TEST_P(PartSlicing, CutsBetweenTheBodysChildren) {
  // A slice size of one byte: every child of the body starts a slice.
  const std::optional<PartSlices> slices = slicePart(GetParam().part, 1);
  ASSERT_TRUE(slices.has_value());
  std::vector<std::string> texts;
  for (const PartSlices::Range& range : slices->ranges) {
    texts.push_back(GetParam().part.substr(range.begin, range.end - range.begin));
  }
  EXPECT_EQ(texts, GetParam().slices);
  EXPECT_EQ(slices->head, GetParam().head);
  EXPECT_EQ(slices->tail, GetParam().tail);
  EXPECT_EQ(slices->truncated, GetParam().truncated);
}

INSTANTIATE_TEST_SUITE_P(Cases, PartSlicing, testing::ValuesIn(kSliceCases), test::caseName);

TEST(PartSlices, SlicesHoldWholeChildrenUpToTheirSize) {
  std::string part = kHead;
  for (int i = 0; i < 100; ++i) part += "<w:p><w:r><w:t>" + std::string(50, 'a') + "</w:t></w:r></w:p>";
  part += "</w:body></w:document>";
  const std::optional<PartSlices> slices = slicePart(part, 1000);
  ASSERT_TRUE(slices.has_value());
  ASSERT_GT(slices->ranges.size(), 3u);
  std::size_t expectedBegin = std::string_view(kHead).size();
  for (const PartSlices::Range& range : slices->ranges) {
    EXPECT_EQ(range.begin, expectedBegin);
    EXPECT_EQ(part.compare(range.begin, 5, "<w:p>"), 0);
    EXPECT_LT(range.end - range.begin, 1000u + 80u);  // the size, and at most the child that passes it
    expectedBegin = range.end;
  }
  EXPECT_EQ(expectedBegin, part.size() - std::string_view("</w:body></w:document>").size());
}

TEST(PartSlices, PartsWithoutABodyOrInWideEncodingsAreNotSliced) {
  EXPECT_FALSE(slicePart("<w:document><w:other/></w:document>", 1).has_value());
  EXPECT_FALSE(slicePart("<w:document><w:body/></w:document>", 1).has_value());
  EXPECT_FALSE(slicePart(std::string("\xFF\xFE<\0w\0", 6), 1).has_value());
  EXPECT_FALSE(slicePart("", 1).has_value());
  EXPECT_FALSE(slicePart("<w:document><w:x><w:body><w:p/></w:body></w:x></w:document>", 1).has_value());
}

}  // namespace
}  // namespace vellumine::docx
