// The forward finder the table, run and paragraph walks share: one scan per needle, and start
// tags of exactly one name when asked for them.
#include "convert/markup_scan.h"

#include <string_view>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

constexpr std::size_t npos = std::string_view::npos;

struct FinderCase {
  std::string_view needle;
  bool caseless;
  ForwardFinder::Match match;
  std::size_t from, found;
};

TEST(MarkupScan, ForwardFinderGivesTheFirstOccurrenceOfItsKindAtEachPosition) {
  constexpr std::string_view kText = "<tcPr><tc>x</tc><TC\tw=1><tc";
  using enum ForwardFinder::Match;
  constexpr FinderCase kCases[] = {
      {"<tc", false, anywhere, 0, 0},  {"<tc", false, anywhere, 1, 6},   {"<tc", false, wholeName, 0, 6},
      {"<tc", false, wholeName, 7, npos}, {"<tc", true, wholeName, 7, 16}, {"<tc", true, anywhere, 17, 24},
      {"</tc>", false, anywhere, 0, 11},
  };
  for (const FinderCase& row : kCases) {
    ForwardFinder finder(kText, row.needle, row.caseless, row.match);
    EXPECT_EQ(finder.from(row.from), row.found) << row.needle << " from " << row.from;
  }
}

TEST(MarkupScan, ForwardFinderReusesAHitThatStillLiesAhead) {
  // "<tc" at the very end is no whole name: nothing follows it.
  ForwardFinder cells("<tc>a</tc><tc>b</tc><tc", "<tc", false, ForwardFinder::Match::wholeName);
  EXPECT_EQ(cells.from(0), 0u);
  EXPECT_EQ(cells.from(0), 0u);
  EXPECT_EQ(cells.from(1), 10u);
  EXPECT_EQ(cells.from(10), 10u);
  EXPECT_EQ(cells.from(11), npos);
  EXPECT_EQ(cells.from(30), npos);
}

}  // namespace
}  // namespace vellumine
