#include "text/pair_delete.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

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
  std::uint32_t seed = 11;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text(next() % 120, ' ');
    const bool sparse = round % 3 == 0;
    for (char& ch : text) ch = sparse && next() % 8 != 0 ? 'a' : kAlphabet[next() % kAlphabet.size()];
    ASSERT_EQ(deleted(text, 'w', ':'), deletedOneByOne(text, 'w', ':')) << text;
  }
}

}  // namespace
}  // namespace vellumine
