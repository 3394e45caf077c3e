// The caseless compare folds ASCII letters only: the bytes of UTF-8 sequences compare exactly.
#include "text/chartype.h"

#include <string_view>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct CompareCase {
  std::string_view text;
  std::size_t at;
  std::string_view needle;
  bool equal;
};

TEST(CharType, CaselessCompareFoldsAsciiLettersOnly) {
  constexpr CompareCase kCases[] = {
      {"<TcPr>", 0, "<tcpr>", true},
      {"x<TD ", 1, "<td ", true},
      {"\xC3\xA9", 0, "\xC3\x89", false},  // é and É in UTF-8: no folding beyond ASCII
      {"[", 0, "{", false},                // 0x5B and 0x7B differ by the case bit but are no letters
      {"@", 0, "`", false},
      {"abc", 1, "bcd", false},            // runs past the end
      {"abc", 4, "", false},               // starts past the end
      {"abc", 3, "", true},
  };
  for (const CompareCase& row : kCases) {
    EXPECT_EQ(EqualsCaselessAt(row.text, row.at, row.needle), row.equal) << row.text << " at " << row.at;
  }
  EXPECT_TRUE(EqualsCaseless("Word/Document.XML", "word/document.xml"));
  EXPECT_FALSE(EqualsCaseless("word", "words"));
}

}  // namespace
}  // namespace vellumine
