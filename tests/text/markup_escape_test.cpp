// Each escape turns exactly the bytes that could end its place in the markup into entities.
#include "text/markup_escape.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

TEST(MarkupEscape, ElementContentLosesItsAngleBracketsOnly) {
  std::string out = "<b>";
  appendEscaped(out, "a<script>\"x\" & y</script>");
  EXPECT_EQ(out, "<b>a&lt;script&gt;\"x\" & y&lt;/script&gt;");
}

TEST(MarkupEscape, AttributeValueLosesItsDoubleQuotesOnly) {
  std::string out = "href=\"";
  appendQuotedValue(out, "x\" onclick=\"y<'z'>&amp;");
  EXPECT_EQ(out, "href=\"x&quot; onclick=&quot;y<'z'>&amp;");
}

}  // namespace
}  // namespace vellumine
