// Every real document of the shared corpus unpacks and converts into a complete page.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "package/unzip_docx.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

class CorpusDocument : public testing::TestWithParam<fs::path> {};

TEST_P(CorpusDocument, ConvertsToACompletePage) {
  test::TempDir package;
  ASSERT_NO_THROW(extractPackage(GetParam(), package.path()));
  std::string page;
  ASSERT_NO_THROW(page = convertPackageFolder(package.path()));
  EXPECT_EQ(page.rfind("<html>", 0), 0u);
  EXPECT_NE(page.find("<div id=\"page\">"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 20), "</div></body></html>");
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusDocument, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusDocument);

}  // namespace
}  // namespace vellumine
