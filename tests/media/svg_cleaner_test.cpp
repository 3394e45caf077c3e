#include "media/svg_cleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumine::media {
namespace {

constexpr std::string_view kOpen = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">";

std::string svgOf(std::string_view content) { return std::string(kOpen) + std::string(content) + "</svg>"; }

struct CleanCase {
  const char* name;
  std::string content;
  std::vector<std::string> kept, removed;
};

// One table for the rule: what could run, embed or fetch goes; drawing stays.
const std::vector<CleanCase> kCleanCases = {
    {"drawing", "<g transform=\"scale(2)\"><path d=\"M0 0L1 1\" fill=\"url(#grad)\" clip-path=\"url( '#c')\"/></g>",
     {"<path d=\"M0 0L1 1\" fill=\"url(#grad)\" clip-path=\"url( '#c')\"/>", "<g transform=\"scale(2)\">"}, {}},
    {"script", "<rect/><script>alert(1)</script><svg:script xmlns:svg=\"http://www.w3.org/2000/svg\">x</svg:script>",
     {"<rect/>"}, {"script", "alert"}},
    {"foreign object", "<foreignObject><div xmlns=\"http://www.w3.org/1999/xhtml\">x</div></foreignObject><rect/>",
     {"<rect/>"}, {"foreignObject", "div"}},
    {"event attributes", "<rect onload=\"x()\" ONCLICK=\"y()\" width=\"2\"/>", {"<rect width=\"2\"/>"}, {"onload", "ONCLICK"}},
    {"external references", "<image xlink:href=\"http://example.com/a.png\"/><use href=\"file:///etc/passwd#x\"/>",
     {"<image/>", "<use/>"}, {"example.com", "passwd"}},
    {"script address", "<a xlink:href=\"javascript:alert(1)\"><rect/></a>", {"<a><rect/></a>"}, {"javascript"}},
    {"fragment and inline picture",
     "<use xlink:href=\"#shape\"/><image xlink:href=\"data:image/png;base64,iVBOR\"/>"
     "<image xlink:href=\"data:image/jpg;base64,/9j/\"/>",
     {"xlink:href=\"#shape\"", "xlink:href=\"data:image/png;base64,iVBOR\"", "xlink:href=\"data:image/jpg;base64,/9j/\""},
     {}},
    {"other data addresses", "<image href=\"data:image/svg+xml;base64,PHN2Zz4=\"/><image href=\"data:text/html,x\"/>",
     {"<image/><image/>"}, {"data:"}},
    {"remote address in style", "<rect style=\"fill:url(http://e.com/x)\"/><rect filter=\"url(a.svg#f)\"/>",
     {"<rect/><rect/>"}, {"e.com", "a.svg"}},
    {"style sheets", "<style>rect{fill:red}</style><style>@import 'x.css';</style><style><![CDATA[g{fill:url(//e.com/p)}]]></style>",
     {"<style>rect{fill:red}</style>"}, {"@import", "e.com"}},
    {"animation", "<a><set attributeName=\"href\" to=\"javascript:x\"/><animate attributeName=\"href\"/></a>",
     {"<a/>"}, {"set", "animate"}},
    {"embedding", "<iframe src=\"x\"/><object data=\"x\"/><embed src=\"x\"/><rect/>", {"<rect/>"}, {"iframe", "object", "embed"}},
    {"comments and instructions", "<!-- note --><?xml-stylesheet href=\"x.css\"?><rect/>", {"<rect/>"}, {"note", "x.css"}},
};

TEST(SvgCleaner, RemovesWhatRunsEmbedsOrFetchesAndKeepsTheDrawing) {
  for (const CleanCase& c : kCleanCases) {
    const std::optional<std::string> clean = cleanSvg(svgOf(c.content));
    ASSERT_TRUE(clean) << c.name;
    EXPECT_EQ(clean->rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u) << c.name << ": " << *clean;
    for (const std::string& kept : c.kept) EXPECT_NE(clean->find(kept), std::string::npos) << c.name << ": " << *clean;
    for (const std::string& removed : c.removed) EXPECT_EQ(clean->find(removed), std::string::npos) << c.name << ": " << *clean;
  }
}

TEST(SvgCleaner, RefusesWhatIsNoSvg) {
  const std::string notSvg[] = {
      "", "<svg", "<html><svg/></html>", "not xml at all", "<svg><g></svg>",
  };
  for (const std::string& text : notSvg) EXPECT_FALSE(cleanSvg(text)) << text;
}

TEST(SvgCleaner, DocumentTypeGoesAndItsEntitiesAreNeverRead) {
  const std::optional<std::string> clean =
      cleanSvg("<!DOCTYPE svg [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><svg><text>&x;</text></svg>");
  ASSERT_TRUE(clean);
  EXPECT_EQ(clean->find("DOCTYPE"), std::string::npos) << *clean;
  EXPECT_EQ(clean->find("root:"), std::string::npos) << *clean;
}

TEST(SvgCleaner, RootIsPutInTheSvgNamespace) {
  const std::pair<std::string, std::string> cases[] = {
      {"<svg width=\"2\"/>",
       "<svg width=\"2\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"/>"},
      {"<svg xmlns=\"urn:other\"/>", "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"/>"},
      {"<s:svg/>", "<s:svg xmlns:s=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"/>"},
  };
  for (const auto& [in, out] : cases) {
    const std::optional<std::string> clean = cleanSvg(in);
    ASSERT_TRUE(clean) << in;
    EXPECT_EQ(*clean, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + out) << in;
  }
}

TEST(SvgCleaner, RefusesTextPastItsBound) {
  std::string huge = svgOf(std::string(kMaxSvgBytes, ' '));
  EXPECT_FALSE(cleanSvg(huge));
}

TEST(SvgCleaner, DeepNestingCostsNoStack) {
  std::string deep;
  constexpr int kDepth = 200'000;
  for (int i = 0; i < kDepth; ++i) deep += "<g onclick=\"x\">";
  for (int i = 0; i < kDepth; ++i) deep += "</g>";
  const std::optional<std::string> clean = cleanSvg(svgOf(deep));
  ASSERT_TRUE(clean);
  EXPECT_EQ(clean->find("onclick"), std::string::npos);
}

}  // namespace
}  // namespace vellumine::media
