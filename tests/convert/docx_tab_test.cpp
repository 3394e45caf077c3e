// Tab elements become a blank and a spacer; tab stop definitions are left alone.
#include "convert/docx_tab.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

using test::runPass;

TEST(DocxTab, TabBetweenTwoWordsBecomesABlankAndASpacer) {
  EXPECT_SAME_TEXT(runPass(convertTabs, "<p>one<tab/>two<tab/></p><tab val=\"left\" pos=\"720\"/>"),
                   "<p>one <b class=tab></b>two <b class=tab></b></p><tab val=\"left\" pos=\"720\"/>");
}

}  // namespace
}  // namespace vellumine
