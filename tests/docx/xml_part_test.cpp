// A part's bytes into a tree: damage keeps what came before it with one warning naming the part
// and the byte, blank text is kept, UTF-16 is read, entities beyond XML's own are not expanded.
#include "docx/xml_part.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

constexpr const char* kDeclared = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)";

// The texts of every w:t in the part, joined by '|'.
std::string texts(const XmlPart& part) {
  std::string out;
  for (const pugi::xpath_node& t : part.root().select_nodes("//w:t")) out += std::string(t.node().child_value()) + "|";
  return out;
}

struct PartCase {
  std::string name;
  std::string bytes;
  std::string texts;
  std::string warning;  // the malformedXml line, or empty for none
};

void PrintTo(const PartCase& row, std::ostream* out) { *out << row.name; }

std::string utf16le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

const PartCase kPartCases[] = {
    {"WellFormed", std::string(kDeclared) + "<w:t>a</w:t><w:t>b</w:t></w:document>", "a|b|", ""},
    {"BlankOnlyTextIsKept", std::string(kDeclared) + "<w:t xml:space=\"preserve\"> </w:t>\n<w:t>\t</w:t></w:document>",
     " |\t|", ""},
    {"DamageKeepsWhatCameBefore", std::string(kDeclared) + "<w:t>kept</w:t><w:t>also</w:t><w:x></w:y><w:t>lost</w:t>",
     // The fault is the end tag's name, 120 bytes in.
     "kept|also|", "word/document.xml is damaged after byte 120; what was read before the damage is shown"},
    {"TruncatedPart", std::string(kDeclared) + "<w:t>kept</w:t><w:t>cut", "kept|cut|",
     "word/document.xml is damaged after byte 105; what was read before the damage is shown"},  // its last byte
    {"EmptyPart", "", "", "word/document.xml is damaged after byte 0; what was read before the damage is shown"},
    {"Utf16WithByteOrderMark", utf16le(std::string(kDeclared) + "<w:t>wide</w:t></w:document>"), "wide|", ""},
    {"EntitiesOfADoctypeAreNotExpanded",
     "<!DOCTYPE d [<!ENTITY big \"BIGBIGBIG\">]>" + std::string(kDeclared) + "<w:t>&big;&amp;</w:t></w:document>",
     "&big;&|", ""},
};

class XmlParts : public testing::TestWithParam<PartCase> {};

TEST_P(XmlParts, AreReadAsFarAsTheyGo) {
  Warnings warnings;
  const XmlPart part("word/document.xml", GetParam().bytes, warnings);
  EXPECT_EQ(texts(part), GetParam().texts);
  const std::vector<std::string> lines = warnings.lines();
  EXPECT_EQ(lines.empty() ? std::string() : lines.front(), GetParam().warning);
  EXPECT_EQ(part.damaged(), !GetParam().warning.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlParts, testing::ValuesIn(kPartCases), test::caseName);

TEST(XmlPart, DamageInASliceIsReportedAtItsPlaceInThePart) {
  Warnings warnings;
  const XmlPart part("word/document.xml", std::string(kDeclared) + "<w:t>a</w:x>", warnings, 1000);
  EXPECT_TRUE(part.damaged());
  // The end tag's name is 91 bytes into the slice.
  EXPECT_EQ(warnings.lines().at(0), "word/document.xml is damaged after byte 1091; what was read before the damage is shown");
}

TEST(XmlPart, NamesAreCanonicalised) {
  Warnings warnings;
  const XmlPart part("word/document.xml",
                     R"(<d xmlns="http://purl.oclc.org/ooxml/wordprocessingml/main"><t>x</t></d>)", warnings);
  EXPECT_STREQ(part.root().name(), "w:d");
  EXPECT_STREQ(part.root().first_child().name(), "w:t");
}

}  // namespace
}  // namespace vellumine::docx
