// The decoding of attribute values, the address rules and the style rules, one table each.
#include <gtest/gtest.h>

#include "html/char_refs.h"
#include "html/css_policy.h"
#include "html/url_policy.h"

namespace vellumine::html {
namespace {

using namespace std::string_view_literals;

struct DecodeCase {
  std::string_view raw, decoded;
};

const DecodeCase kDecodeCases[] = {
    {"plain", "plain"},
    {"&#106;&#x6A;&#X6a&#0000106x", "jjjjx"},
    {"&#;&#x;&#xg", "&#;&#x;&#xg"},
    {"&#0;&#x110000;&#xD800;", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"&#x80;&#150;", "\xE2\x82\xAC\xE2\x80\x93"},
    {"&colon;&Tab;&NewLine;&sol;&period;&fjlig;", ":\t\n/.fj"},
    {"&colon&amp&lt;&gt", "&colon&<>"},
    {"&ampx &amp= &amp; &notit; &not;", "&ampx &amp= & &notit; \xC2\xAC"},
    {"&unknown; &NotEqualTilde;", "&unknown; &NotEqualTilde;"},
    {"a\0b"sv, "a\xEF\xBF\xBD" "b"},
};

TEST(CharRefs, DecodeAsBrowsersDoInAttributes) {
  for (const DecodeCase& c : kDecodeCases) {
    std::string buffer;
    EXPECT_EQ(decodeAttributeValue(c.raw, buffer), c.decoded) << c.raw;
  }
}

struct UrlCase {
  std::string_view value;
  bool link, source;
};

const UrlCase kUrlCases[] = {
    {"", true, true},
    {"#_Toc1", true, true},
    {"http://example.org/a?b#c", true, false},
    {" HTTPS://example.org/", true, false},
    {"mailto:ann@example.org", true, false},
    {"javascript:alert(1)", false, false},
    {"\x01 java\tscr\nipt:alert(1)", false, false},
    {"ftp://example.org/", false, false},
    {"file:///tmp/x", false, false},
    {"other.docx", false, true},
    {"media/image1.png", false, true},
    {"my_media/a%20b.png?x=1", false, true},
    {"media\\image1.png", false, true},
    {"./media/./image1.png", false, true},
    {"/word/media/image1.png", false, false},
    {"//evil.example/x.png", false, false},
    {"\\\\evil.example\\x.png", false, false},
    {"media/../../x.png", false, false},
    {"media/.%2E/x.png", false, false},
    {"media%2f..%2fx.png", false, false},
    {"C|/x.png", false, false},
    {"C:/x.png", false, false},
    {"media/a:b.png", false, true},
    {"a:b/c.png", false, false},
    {"data:image/png;base64,iVBORw0KGgo=", false, true},
    {"DATA:Image/JPEG;BASE64,/9j/", false, true},
    {"data:image/webp;base64,UklG", false, true},
    {"data:image/svg+xml;base64,PHN2Zy8+", false, false},
    {"data:image/png,raw", false, false},
    {"data:text/html;base64,PHA+", false, false},
};

TEST(UrlPolicy, AllowsLinksToTheWebAndSourcesInTheFolder) {
  for (const UrlCase& c : kUrlCases) {
    EXPECT_EQ(isAllowedLink(c.value), c.link) << "link " << c.value;
    EXPECT_EQ(isAllowedSource(c.value), c.source) << "source " << c.value;
  }
}

struct StyleCase {
  std::string_view css;
  bool inert;
};

const StyleCase kDeclarationCases[] = {
    {"font-family:'Times New Roman';color:#ff0000;margin:0 1px", true},
    {"color:rgb(1,2,3);width:calc(100% - 2px)", true},
    {"font-family:\"a;b\"", true},
    {"background:url(x.png)", false},
    {"background:URL (x.png)", false},
    {"background:\\75 rl(x)", false},
    {"background:\\000055Rl(x)", false},
    {"background:u/**/rl(x)", false},
    {"x:a/*;background:url(x)*/", false},
    {"x:a/* b:\\75 rl(x) */;color:rgb(1,2,3)", false},
    {"x:a/* plain words (and brackets */;color:rgb(1,2,3)", true},
    {"list-style:'x' url(\"a)\")", false},
    {"width:expression(alert(1))", false},
    {"background:-webkit-image-set('a' 1x)", false},
    {"x:y;@import 'a'", false},
    {"color:red(", false},
    {"color:(red))", false},
    {"a{background:url(x)}", false},
    {"font-family:'unclosed(", false},
};

TEST(CssPolicy, DeclarationsThatLoadOrRunAreNotInert) {
  for (const StyleCase& c : kDeclarationCases) EXPECT_EQ(isInertDeclarations(c.css), c.inert) << c.css;
}

// Bytes a legacy multibyte encoding may join to the byte from 0x80 up before them.
const StyleCase kLegacyReadingCases[] = {
    {"a:\x81\\'", false},  {"a:[\x80]", false},  {"p{a:\xFF}", false},  {"p\xA5{a:b}", false},
    {"a:\x7F\\'", true},   {"a:\\\x81'", true}, {"a:\x81 \\'", true}, {"a:\xE6\x98\x8E;b:c", true},
};

TEST(CssPolicy, StructureRightAfterAByteFrom0x80UpReadsOtherwiseInLegacyEncodings) {
  for (const StyleCase& c : kLegacyReadingCases) EXPECT_EQ(styleReadsOtherwiseInLegacyEncodings(c.css), !c.inert) << c.css;
}

struct SheetCase {
  std::string_view css, kept;  // kept: the sheet less its unsafe ranges; "!" when malformed
};

const SheetCase kSheetCases[] = {
    {"p{margin:0}.tab{margin-left:3em}", "p{margin:0}.tab{margin-left:3em}"},
    {"p{color:red;background:url(x);margin:0}", "p{color:red;margin:0}"},
    {"p{color:red;background:url(x)}", "p{color:red;}"},
    {"@import url(x.css);p{a:b}", "p{a:b}"},
    {"@media print{p{background:url(x)}q{a:b}}", "@media print{p{}q{a:b}}"},
    {"@font-face{font-family:x;src:url(x.woff)}", "@font-face{font-family:x;}"},
    {"p{a:b/*url(x)*/}q{c:d}", "p{}q{c:d}"},
    {"a[href^='javascript:']{color:red}b{c:d}", "b{c:d}"},
    {"p{color:red", "!"},
    {"p{color:red}}", "!"},
    {"p{content:'a}", "!"},
    {"/* p{", "!"},
};

TEST(CssPolicy, StyleSheetsLoseWhatLoadsOrRuns) {
  for (const SheetCase& c : kSheetCases) {
    std::vector<ByteRange> unsafe;
    std::string kept;
    if (findUnsafeStyleRanges(c.css, unsafe)) {
      std::size_t copied = 0;
      for (const ByteRange& r : unsafe) {
        kept.append(c.css.substr(copied, r.begin - copied));
        copied = r.end;
      }
      kept.append(c.css.substr(copied));
    } else {
      kept = "!";
    }
    EXPECT_EQ(kept, c.kept) << c.css;
  }
}

}  // namespace
}  // namespace vellumine::html
