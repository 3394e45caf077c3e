// The page's escapes: nothing from a document can close an element, an attribute, a CSS string
// or a path, and what comes out is valid UTF-8 without control characters.
#include "render/html_escape.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::render {
namespace {

enum class Escape { text, attribute, cssString, urlPath, id };

struct EscapeCase {
  std::string name;
  Escape escape;
  std::string input, expected;
};

std::string escaped(Escape escape, std::string_view input) {
  std::string out;
  switch (escape) {
    case Escape::text: appendHtmlText(out, input); break;
    case Escape::attribute: appendHtmlAttribute(out, input); break;
    case Escape::cssString: appendCssString(out, input); break;
    case Escape::urlPath: appendUrlPath(out, input); break;
    case Escape::id: appendIdText(out, input); break;
  }
  return out;
}

const EscapeCase kCases[] = {
    {"TextEscapesMarkupAndAmpersands", Escape::text, "a<b>&c", "a&lt;b&gt;&amp;c"},
    {"TextKeepsQuotes", Escape::text, "\"it's\"", "\"it's\""},
    {"TextEntitiesAreNotReadAsEntities", Escape::text, "&lt;", "&amp;lt;"},
    {"TextLineEndsBecomeBlanks", Escape::text, "a\nb\r\nc", "a b  c"},
    {"TextDropsControlCharacters", Escape::text, std::string("a\x01\x1b\x7f", 4) + std::string(1, '\0') + "b", "ab"},
    {"TextKeepsTabs", Escape::text, "a\tb", "a\tb"},
    {"TextDropsC1Controls", Escape::text, "a\xC2\x85\xC2\x9F" "b", "ab"},
    {"TextKeepsValidUtf8", Escape::text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC2\xA0", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC2\xA0"},
    {"TextLoneContinuationByteBecomesReplacement", Escape::text, "a\x80z", "a\xEF\xBF\xBDz"},
    {"TextTruncatedSequenceBecomesReplacement", Escape::text, "a\xE2\x82", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"TextOverlongFormIsRefused", Escape::text, "\xC0\xBC", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"TextSurrogateIsRefused", Escape::text, "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"TextPastUnicodeIsRefused", Escape::text, "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"AttributeEscapesBothQuotes", Escape::attribute, "a\"b'c", "a&quot;b&#39;c"},
    {"AttributeCannotEndTheTag", Escape::attribute, "x\" onclick=\"y", "x&quot; onclick=&quot;y"},
    {"CssStringKeepsPlainNames", Escape::cssString, "Segoe UI", "\"Segoe UI\""},
    {"CssStringCannotEndTheString", Escape::cssString, "a\"b", "\"a\\22 b\""},
    {"CssStringCannotEndTheSheet", Escape::cssString, "</style>", "\"\\3C \\2F style\\3E \""},
    {"CssStringEscapesBackslashAndBraces", Escape::cssString, "a\\{}", "\"a\\5C \\7B \\7D \""},
    {"CssStringDropsControls", Escape::cssString, "a\nb", "\"ab\""},
    {"CssStringKeepsUtf8", Escape::cssString, "\xE5\xAE\x8B\xE4\xBD\x93", "\"\xE5\xAE\x8B\xE4\xBD\x93\""},
    {"CssStringReplacesInvalidUtf8", Escape::cssString, "a\xFF", "\"a\\FFFD \""},
    {"UrlPathKeepsPlainPaths", Escape::urlPath, "media/image1.png", "media/image1.png"},
    {"UrlPathEncodesBlanksAndQueries", Escape::urlPath, "my pic?.png#x", "my%20pic%3F.png%23x"},
    {"UrlPathCannotNameAScheme", Escape::urlPath, "javascript:alert(1)", "javascript%3Aalert%281%29"},
    {"UrlPathEncodesUtf8Bytes", Escape::urlPath, "\xC3\xA9.png", "%C3%A9.png"},
    {"IdKeepsWordCharacters", Escape::id, "_Toc123-a", "_Toc123-a"},
    {"IdEncodesEverythingElse", Escape::id, "a b.c~", "a~20b~2Ec~7E"},
    {"IdNamesDifferWhenTheirEscapesWouldNot", Escape::id, "~41", "~7E41"},
};

class HtmlEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(HtmlEscape, WritesTheSafeForm) { EXPECT_EQ(escaped(GetParam().escape, GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, HtmlEscape, testing::ValuesIn(kCases), test::caseName);

}  // namespace
}  // namespace vellumine::render
