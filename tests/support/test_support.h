// Helpers shared by the unit tests: text comparison with a readable first difference, passes run
// on a small document text, the rows and names of pass tables, and the locations of fixtures and
// the shared corpus.  (ZipBuilder, the archive writer of the ZIP reader's tests, is beside it.)
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "convert/conversion.h"

namespace vellumine::test {

// Fails with the first differing offset and about 40 bytes of context on both sides.
::testing::AssertionResult SameText(std::string_view actual, std::string_view expected);
#define EXPECT_SAME_TEXT(actual, expected) EXPECT_TRUE(::vellumine::test::SameText((actual), (expected)))

// Runs one pass on a conversion whose document text is docText; returns the rewritten text.
std::string runPass(void (*pass)(Conversion&), std::string docText);

// A main part whose body holds bodyXml (names with "w:"), with this numbering part, converted by
// the whole pass table with the default settings: what the page's body holds, without the line
// breaks the page source gets.
std::string bodyHtmlOf(std::string_view bodyXml, std::string_view numberingXml = {});
// The same XML as the one footnote of a notes part, converted as the stories are: the note's HTML,
// without the line breaks.
std::string footnoteHtmlOf(std::string_view bodyXml);

// One row of a pass table: the case's name (a sentence in CamelCase), the text the pass is given
// and the text it must make of it.
struct PassCase {
  std::string name, input, expected;
};

// Names each test of a parameterised table after its row, for any row type with a `name`:
// INSTANTIATE_TEST_SUITE_P(Cases, Suite, testing::ValuesIn(kCases), test::caseName).
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return std::string(info.param.name);
  }
};
inline constexpr CaseName caseName{};

std::filesystem::path fixturesDir();
std::filesystem::path corpusDir();
// Every .docx below the shared corpus, sorted; empty when the corpus is not beside the checkout.
std::vector<std::filesystem::path> corpusDocuments();
// The name of a test over one corpus document: "<suite>_<name>_<index>", letters and digits only.
std::string corpusTestName(const ::testing::TestParamInfo<std::filesystem::path>& info);

// Reproducible pseudo-random texts for the tests that check a fast routine against a plain one.
class RandomText {
 public:
  explicit RandomText(std::uint32_t seed) : seed_(seed) {}
  std::uint32_t next() {
    seed_ = seed_ * 1664525u + 1013904223u;
    return seed_ >> 8;
  }
  // Up to maxLength bytes (exactly length when fixed), each drawn from alphabet.
  std::string text(std::size_t maxLength, std::string_view alphabet) { return exactly(next() % (maxLength + 1), alphabet); }
  std::string exactly(std::size_t length, std::string_view alphabet) {
    std::string out(length, ' ');
    for (char& ch : out) ch = alphabet[next() % alphabet.size()];
    return out;
  }

 private:
  std::uint32_t seed_;
};

// A fresh, empty folder below the system temp folder, removed when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vellumine::test
