// The SIMD substring searches against plain scans: table rows for the edges (needle at the very
// start and end, across the sixteen-byte steps, case folding only for letters), then random texts.
#include "text/bytesearch.h"

#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/chartype.h"

namespace vellumine {
namespace {

using test::caseName;

constexpr std::size_t npos = std::string_view::npos;

struct SearchCase {
  std::string_view name, text, needle;
  std::size_t from, exact, caseless;
};

const std::string kLong = std::string(40, 'x') + "<tcPr>" + std::string(17, 'y') + "</TCPR>";

const SearchCase kSearchCases[] = {
    {"AtTheStart", "<tc>abc", "<tc", 0, 0, 0},
    {"AtTheVeryEnd", "abcdefghijklmnopqrstuvwxyz<tc", "<tc", 0, 26, 26},
    {"CaseOnlyFoldsLetters", "<TC><tc>", "<tc", 0, 4, 0},
    {"FromSkipsAnEarlierHit", "<tc><tc>", "<tc", 1, 4, 4},
    {"FromAtTheEndFindsNothing", "<tc>", "<tc", 4, npos, npos},
    {"NeedleLongerThanTheText", "<t", "<tc>", 0, npos, npos},
    {"EmptyNeedleIsFoundAtFrom", "abc", "", 2, 2, 2},
    {"SingleByteNeedle", "ab>cd", ">", 0, 2, 2},
    {"HighBytesAreNotFolded", "\xC3\xA9<p>\xC3\x89", "\xC3\x89", 0, 5, 5},
    {"AtSymbolIsNoUpperCaseGraveAccent", "`x@x", "@x", 0, 2, 2},
    {"HitAcrossTheSixteenByteStep", kLong, "</tcpr>", 0, npos, 63},
    {"LongTextExactHit", kLong, "<tcPr>", 0, 40, 40},
};

class ByteSearchForward : public testing::TestWithParam<SearchCase> {};
TEST_P(ByteSearchForward, FindsTheFirstOccurrence) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(findBytes(c.text, c.needle, c.from), c.exact);
  EXPECT_EQ(findBytesCaseless(c.text, c.needle, c.from), c.caseless);
}
INSTANTIATE_TEST_SUITE_P(ByteSearch, ByteSearchForward, testing::ValuesIn(kSearchCases), caseName);

TEST(ByteSearch, BackwardSearchFindsTheLastStartAtOrBeforeItsLimit) {
  EXPECT_EQ(rfindBytes(kLong, "x<"), 39u);
  EXPECT_EQ(rfindBytesCaseless(kLong, "</tcpr>"), 63u);
  EXPECT_EQ(rfindBytesCaseless(kLong, "</tcpr>", 62), npos);
  EXPECT_EQ(rfindBytesCaseless("<P><p>", "<p>"), 3u);
  EXPECT_EQ(rfindBytesCaseless("<P><p>", "<p>", 2), 0u);
  EXPECT_EQ(rfindBytes("<P><p>", "<P>", 2), 0u);
  EXPECT_EQ(rfindBytes("ab", "abc"), npos);
}

std::size_t plainFind(std::string_view text, std::string_view needle, std::size_t from, bool caseless) {
  for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
    bool same = true;
    for (std::size_t k = 0; k < needle.size() && same; ++k) {
      const auto a = static_cast<unsigned char>(text[at + k]);
      const auto b = static_cast<unsigned char>(needle[k]);
      same = caseless ? AsciiLower(a) == AsciiLower(b) : a == b;
    }
    if (same) return at;
  }
  return npos;
}

std::size_t plainFindLast(std::string_view text, std::string_view needle, bool caseless) {
  std::size_t last = npos;
  for (std::size_t at = plainFind(text, needle, 0, caseless); at != npos;
       at = plainFind(text, needle, at + 1, caseless)) {
    last = at;
  }
  return last;
}

TEST(ByteSearch, AgreesWithAPlainScanOnRandomTexts) {
  constexpr std::string_view kAlphabet = "<>/tTcC@`\xC3\xA9 ";
  test::RandomText random(2024);
  for (int round = 0; round < 4000; ++round) {
    const std::string text = random.text(149, kAlphabet);
    const std::string needle = random.exactly(1 + random.next() % 4, kAlphabet);
    const std::size_t from = random.next() % (text.size() + 2);
    ASSERT_EQ(findBytes(text, needle, from), plainFind(text, needle, from, false)) << text << " / " << needle;
    ASSERT_EQ(findBytesCaseless(text, needle, from), plainFind(text, needle, from, true)) << text << " / " << needle;
    ASSERT_EQ(rfindBytes(text, needle), plainFindLast(text, needle, false)) << text << " / " << needle;
    ASSERT_EQ(rfindBytesCaseless(text, needle), plainFindLast(text, needle, true)) << text << " / " << needle;
  }
}

// A finder asked again and again, from positions that only grow, as the passes ask it: the
// candidates it keeps from one step must give the same answers as a fresh search each time.
TEST(ByteSearch, FinderAgreesWithAPlainScanOnSuccessiveSearches) {
  constexpr std::string_view kAlphabet = "<<>/ttT:w";
  test::RandomText random(7);
  for (int round = 0; round < 2000; ++round) {
    const std::string text = random.text(299, kAlphabet);
    const std::string needle = random.exactly(1 + random.next() % 3, kAlphabet);
    const bool caseless = (round & 1) != 0;
    ByteFinder finder(text, needle, caseless);
    for (std::size_t from = 0; from <= text.size() + 1; from += 1 + random.next() % 5) {
      const std::size_t expected = plainFind(text, needle, from, caseless);
      ASSERT_EQ(finder.next(from), expected) << text << " / " << needle << " from " << from;
      if (expected != npos && random.next() % 2 == 0) from = expected;  // go on from the hit, as a walk does
    }
  }
}

}  // namespace
}  // namespace vellumine
