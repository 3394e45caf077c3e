#include "text/pair_delete.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

// The reference: a left-to-right scan that drops each occurrence.
std::string deletedOneByOne(const std::string& text, char first, char second) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == first && at + 1 < text.size() && text[at + 1] == second) {
      ++at;
      continue;
    }
    out += text[at];
  }
  return out;
}

std::string deleted(std::string text, char first, char second) {
  DeleteAllPairs(text, first, second);
  return text;
}

TEST(PairDelete, WorkedExamples) {
  EXPECT_EQ(deleted("<w:p><w:r w:rsidR=\"1\">", 'w', ':'), "<p><r rsidR=\"1\">");
  EXPECT_EQ(deleted("ww::w", 'w', ':'), "w:w");  // one pass: what a deletion joins stays
  EXPECT_EQ(deleted("w:", 'w', ':'), "");
  EXPECT_EQ(deleted("w", 'w', ':'), "w");
  EXPECT_EQ(deleted("", 'w', ':'), "");
}

// Pairs at every place a sixteen-byte block can cut them, and blocks with no pair at all.
TEST(PairDelete, AgreesWithOneByOneOnRandomTexts) {
  constexpr std::string_view kAlphabet = "w:w:x<";
  test::RandomText random(11);
  for (int round = 0; round < 3000; ++round) {
    // Every third text mostly of bytes that are no part of a pair: blocks with nothing to drop.
    const std::string text = random.text(119, round % 3 == 0 ? "aaaaaaaaaaaaaaw:" : kAlphabet);
    ASSERT_EQ(deleted(text, 'w', ':'), deletedOneByOne(text, 'w', ':')) << text;
  }
}

}  // namespace
}  // namespace vellumine
