#include "text/xmlfrag.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

const char* const kRelationships =
    "<Relationships>"
    "<Relationship Id=\"rId10\" Type=\"t\" Target=\"media/image10.png\"/>"
    "<Relationship Id=\"rId1\" Type=\"t\" Target=\"media/image1.png\"/>"
    "<Relationship Id=\"rId2\" Type=\"h\" Target=\"http://example.com/a?b=1&amp;c\" TargetMode=\"External\"/>"
    "</Relationships>";

struct FragmentCase {
  const char* name;
  std::string actual;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const FragmentCase& c, std::ostream* os) { *os << c.name; }

const FragmentCase kFragmentCases[] = {
    {"AttrValueFound", AttrValue("<tcW w=\"2880\" type=\"dxa\"/>", "type"), "dxa"},
    {"AttrValueAbsent", AttrValue("<tcW w=\"2880\"/>", "type"), ""},
    {"AttrValueMatchesNameTail", AttrValue("<x rw=\"1\" w=\"2\"/>", "w"), "1"},
    {"ValAttrOnlyAttribute", ValAttr("<sz val=\"24\"/>", "sz"), "24"},
    {"ValAttrRunsOnOverFurtherAttributes", ValAttr("<sz val=\"24\" extra=\"1\"/>", "sz"), "24\" extra=\"1"},
    {"ValAttrColorWithTheme", ValAttr("<color val=\"FF0000\" themeColor=\"accent1\"/>", "color"),
     "FF0000\" themeColor=\"accent1"},
    {"ValAttrAbsent", ValAttr("<b/>", "sz"), ""},
    {"ValAttrNeedsExactName", ValAttr("<szCs val=\"20\"/><sz val=\"24\"/>", "sz"), "24"},
    {"RelIdFound", RelId("<hyperlink r:id=\"rId5\" history=\"1\">"), "rId5"},
    {"RelIdAbsent", RelId("<hyperlink anchor=\"x\">"), ""},
    {"RelTargetExactId", RelTarget(kRelationships, "rId1"), "media/image1.png"},
    {"RelTargetLongerId", RelTarget(kRelationships, "rId10"), "media/image10.png"},
    {"RelTargetAsWritten", RelTarget(kRelationships, "rId2"), "http://example.com/a?b=1&amp;c"},
    {"RelTargetUnknown", RelTarget(kRelationships, "rId3"), ""},
    {"ElementTextFound", ElementText("<cp:x><dc:title>My title</dc:title>", "dc:title"), "My title"},
    {"ElementTextWithAttributesNotFound", ElementText("<dc:title a=\"1\">t</dc:title>", "dc:title"), ""},
    {"EmptyElementPrefixMatch", EmptyElement("<wp:extent cx=\"1\" cy=\"2\"/><x/>", "wp:extent"),
     "<wp:extent cx=\"1\" cy=\"2\"/>"},
    {"EmptyElementAbsent", EmptyElement("<a/>", "wp:extent"), ""},
    {"TagNameWithAttributes", TagName("<tcW w=\"0\" type=\"dxa\"/>"), "tcW"},
    {"TagNameEmptyElement", TagName("<noWrap/>"), "noWrap"},
    {"TagNameWithContent", TagName("<tcBorders><top/></tcBorders>"), "tcBorders"},
    {"TagNameNoSpaceNoEnd", TagName("<gridCol"), "gridCol"},
    {"TagNameLineBreakEndsName", TagName("<shd\nval=\"clear\"/>"), "shd"},
};

class XmlFragRead : public ::testing::TestWithParam<FragmentCase> {};
TEST_P(XmlFragRead, PicksTheDescribedText) { EXPECT_EQ(GetParam().actual, GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, XmlFragRead, ::testing::ValuesIn(kFragmentCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> allElements(std::string_view fragment, TextPos start = 1) {
  std::vector<std::string> elements;
  TextPos position = start;
  for (std::string e = NextElement(fragment, position); !e.empty(); e = NextElement(fragment, position)) {
    elements.push_back(e);
    if (elements.size() > 100) break;  // a position that stops moving would loop forever
  }
  return elements;
}

TEST(XmlFrag, NextElementWalksEmptyAndFullElements) {
  EXPECT_EQ(allElements("<a x=\"1\"/><b><c/></b>"),
            (std::vector<std::string>{"<a x=\"1\"/>", "<b><c/></b>"}));
}

TEST(XmlFrag, NextElementTakesTheFirstClosingTag) {
  EXPECT_EQ(allElements("<tcPr><tcW w=\"1\"/><shd val=\"x\"/><vAlign val=\"top\"/></tcPr>", 2),
            (std::vector<std::string>{"<tcW w=\"1\"/>", "<shd val=\"x\"/>", "<vAlign val=\"top\"/>"}));
  EXPECT_EQ(allElements("<b><b>x</b></b>"), (std::vector<std::string>{"<b><b>x</b>"}));
}

TEST(XmlFrag, NextElementStopsAtMissingEnds) {
  TextPos position = 1;
  EXPECT_EQ(NextElement("<b>open", position), "");
  EXPECT_EQ(position, 1);
  EXPECT_EQ(NextElement("<b", position), "");
  EXPECT_EQ(NextElement("no tags", position), "");
  EXPECT_EQ(position, 1);
}

}  // namespace
}  // namespace vellumine
