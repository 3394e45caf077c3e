// Parts whose WordprocessingML prefix is not "w:" are read as if it were.
#include "convert/word_prefix.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

TEST(WordPrefix, PrefixIsReadFromTheNamespaceDeclaration) {
  EXPECT_EQ(wordNamespacePrefix("<ns0:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"),
            "ns0");
  EXPECT_EQ(wordNamespacePrefix("<w:document xmlns:w=\"http://purl.oclc.org/ooxml/wordprocessingml/main\">"), "w");
  EXPECT_EQ(wordNamespacePrefix("<document xmlns=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"), "");
}

TEST(WordPrefix, NamesAreRenamedButTextContentIsNot) {
  std::string part =
      "<ns0:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\n"
      "<ns0:p><ns0:r><ns0:t>ns0:literal</ns0:t></ns0:r></ns0:p><ns0:pgSz ns0:w=\"12240\"\n ns0:h=\"1\"/>"
      "</ns0:document>";
  normaliseWordPrefix(part);
  EXPECT_SAME_TEXT(part,
                   "<w:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\n"
                   "<w:p><w:r><w:t>ns0:literal</w:t></w:r></w:p><w:pgSz w:w=\"12240\"\n w:h=\"1\"/></w:document>");
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
