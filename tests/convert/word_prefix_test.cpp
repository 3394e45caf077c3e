// Parts whose WordprocessingML prefix is not "w:" are read as if it were.
#include "convert/word_prefix.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;

TEST(WordPrefix, PrefixIsReadFromTheNamespaceDeclaration) {
  EXPECT_EQ(wordNamespacePrefix("<ns0:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"),
            "ns0");
  EXPECT_EQ(wordNamespacePrefix("<w:document xmlns:w=\"http://purl.oclc.org/ooxml/wordprocessingml/main\">"), "w");
  EXPECT_EQ(wordNamespacePrefix("<document xmlns=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"), "");
}

TEST(WordPrefix, NamesAreRenamedButTextAndValuesAreNot) {
  std::string part =
      "<ns0:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\n"
      "<ns0:p><ns0:r><ns0:t>ns0:literal</ns0:t></ns0:r></ns0:p><ns0:pgSz ns0:w=\"12240\"\n ns0:h=\"x ns0:y\"/>"
      "</ns0:document>";
  normaliseWordPrefix(part);
  EXPECT_SAME_TEXT(part,
                   "<w:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\n"
                   "<w:p><w:r><w:t>ns0:literal</w:t></w:r></w:p><w:pgSz w:w=\"12240\"\n w:h=\"x ns0:y\"/></w:document>");
}

// "w:" goes where it begins a name and nowhere else.
const PassCase kStripCases[] = {
    {"ElementAndEndTagNames", "<w:p><w:r/></w:p>", "<p><r/></p>"},
    {"AttributeNamesAfterAnyBlank", "<w:x w:a=\"1\"\tw:b=\"2\"\r\nw:c='3'/>", "<x a=\"1\"\tb=\"2\"\r\nc='3'/>"},
    {"TextContentKeepsIt", "<w:t>as shown below: w:p</w:t>", "<t>as shown below: w:p</t>"},
    {"DoubleQuotedValueKeepsIt", "<w:x w:val=\"a w:b\"/>", "<x val=\"a w:b\"/>"},
    {"SingleQuotedValueKeepsIt", "<w:x w:val='a w:b \"w:c' w:d=\"1\"/>", "<x val='a w:b \"w:c' d=\"1\"/>"},
    {"CommentKeepsIt", "<!-- <w:p w:a=\"1\"> --><w:p/>", "<!-- <w:p w:a=\"1\"> --><p/>"},
    {"CdataKeepsIt", "<![CDATA[<w:p> w:x]]><w:p/>", "<![CDATA[<w:p> w:x]]><p/>"},
    {"ProcessingInstructionKeepsIt", "<?w:pi w:a?><w:p/>", "<?w:pi w:a?><p/>"},
    {"UnterminatedTagEndsAtNextTag", "<w:x w:a <w:y w:b>text w:c", "<x a <y b>text w:c"},
    {"ValueRunningIntoNextTagEndsTheTag", "<w:x w:a=\"open <w:y w:b=\"1\">w:t", "<x a=\"open <y b=\"1\">w:t"},
    {"UnclosedCommentRunsToTheEnd", "<w:p/><!-- <w:p>", "<p/><!-- <w:p>"},
    {"OtherPrefixesStay", "<wp:x a:w=\"1\" ww:b=\"2\"/>", "<wp:x a:w=\"1\" ww:b=\"2\"/>"},
    // Blanks that end a tag go, wherever the tag ends; blanks anywhere else stay.
    {"BlankBeforeSelfClosingEnd", "<w:ilvl w:val=\"0\" /><w:b />", "<ilvl val=\"0\"/><b/>"},
    {"SeveralBlanksTabAndLineBreakBeforeEnd", "<w:i  \t\r\n/><w:u w:val=\"none\"\n/>", "<i/><u val=\"none\"/>"},
    {"BlankBeforeStartAndEndTagClose", "<w:rPr ></w:rPr\t>", "<rPr></rPr>"},
    {"BlanksBetweenAttributesStay", "<w:x  w:a=\"1\"\n w:b=\"2\"/>", "<x  a=\"1\"\n b=\"2\"/>"},
    {"SlashAndBracketInTextStay", "<w:t>a / > b />\n</w:t>", "<t>a / > b />\n</t>"},
    {"SlashAndBracketInValueStay", "<w:x w:val=\"a />\" />", "<x val=\"a />\"/>"},
    {"BlankBeforeSlashNotEndingTheTagStays", "<w:x / w:a=\"1\"/>", "<x / a=\"1\"/>"},
    {"DeclarationAndCommentKeepTheirBlanks", "<?xml version=\"1.0\" ?><!-- a /> --><w:p />",
     "<?xml version=\"1.0\" ?><!-- a /> --><p/>"},
    {"UnclosedTagKeepsTrailingBlanks", "<w:x w:a=\"1\" ", "<x a=\"1\" "},
};

class WordPrefixStrip : public testing::TestWithParam<PassCase> {};
TEST_P(WordPrefixStrip, StripsNameStartsOnly) {
  std::string part(GetParam().input);
  stripWordPrefix(part);
  EXPECT_SAME_TEXT(part, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, WordPrefixStrip, testing::ValuesIn(kStripCases), caseName);

bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The rule written out byte by byte into a new string, for the in-place walk to agree with.
std::string strippedOneByOne(std::string_view part) {
  std::string out;
  std::size_t at = 0;
  auto name = [&] {
    if (part.substr(at, 2) == "w:") at += 2;
  };
  while (at < part.size()) {
    if (part[at] != '<') {
      out += part[at++];
      continue;
    }
    bool opaque = false;
    for (auto [open, close] : {std::pair{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}}) {
      if (part.substr(at).starts_with(open)) {
        const std::size_t end = part.find(close, at + std::string_view(open).size());
        const std::size_t stop = end == std::string_view::npos ? part.size() : end + std::string_view(close).size();
        out += part.substr(at, stop - at);
        at = stop;
        opaque = true;
        break;
      }
    }
    if (opaque) continue;
    out += part[at++];
    if (at < part.size() && part[at] == '/') out += part[at++];
    name();
    char quote = 0;
    while (at < part.size() && part[at] != '<') {
      const char ch = part[at++];
      out += ch;
      if (quote != 0) {
        if (ch == quote) quote = 0;
      } else if (ch == '"' || ch == '\'') {
        quote = ch;
      } else if (ch == '>') {
        break;
      } else if (isBlank(ch)) {
        std::size_t after = at;
        while (after < part.size() && isBlank(part[after])) ++after;
        const std::string_view rest = part.substr(after);
        if (rest.starts_with(">") || rest.starts_with("/>")) {
          out.pop_back();  // the blanks end the tag
          at = after;
        } else {
          out += part.substr(at, after - at);
          at = after;
          name();
        }
      }
    }
  }
  return out;
}

TEST(WordPrefix, InPlaceWalkAgreesWithOneByOneOnRandomTexts) {
  test::RandomText random(2024);
  constexpr std::string_view kPieces[] = {"<", ">", "</", "w:", "w:", "w:", " ", "\t", "\"", "'", "x",
                                          "abcdefghij", "<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "/",
                                          "/>", " />", "\n", " \r\n"};
  for (int round = 0; round < 4000; ++round) {
    std::string part;
    const std::uint32_t pieces = random.next() % 200;
    for (std::uint32_t k = 0; k < pieces; ++k) part += kPieces[random.next() % std::size(kPieces)];
    const std::string expected = strippedOneByOne(part);
    stripWordPrefix(part);
    ASSERT_EQ(part, expected);
  }
}

TEST(WordPrefix, UsualPrefixIsLeftAsItIs) {
  const std::string original =
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:p/></w:document>";
  std::string part = original;
  normaliseWordPrefix(part);
  EXPECT_EQ(part, original);
}

}  // namespace
}  // namespace vellumine
