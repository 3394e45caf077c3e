#include "app/outline_tree.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct OutlineCase {
  std::string_view name;
  std::vector<int> levels;
  std::vector<int> parents;
};

const OutlineCase kOutlineCases[] = {
    {"None", {}, {}},
    {"FlatHeadingsAllAtTheTop", {1, 1, 1}, {-1, -1, -1}},
    {"ChaptersAndSections", {1, 2, 2, 1, 2}, {-1, 0, 0, -1, 3}},
    {"DeepThenBackUpTwoLevels", {1, 2, 3, 2, 3, 1}, {-1, 0, 1, 0, 3, -1}},
    {"SkippedLevelGoesUnderTheNearerHeading", {1, 3, 2}, {-1, 0, 0}},
    {"StartingBelowTheTopLevel", {2, 3, 1, 2}, {-1, 0, -1, 2}},
    {"LowerLevelAfterDeeperOnesFindsItsPlace", {1, 2, 4, 3}, {-1, 0, 1, 1}},
};

class OutlineTree : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(OutlineTree, EachHeadingGoesUnderTheNearestHigherOneAbove) {
  EXPECT_EQ(outlineParents(GetParam().levels), GetParam().parents);
}

INSTANTIATE_TEST_SUITE_P(OutlineTree, OutlineTree, ::testing::ValuesIn(kOutlineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OutlineTree, AHundredThousandNestedLevelsAreWalkedWithoutRecursion) {
  std::vector<int> levels;
  for (int k = 0; k < 100000; ++k) levels.push_back(k + 1);
  levels.push_back(1);
  const std::vector<int> parents = outlineParents(levels);
  EXPECT_EQ(parents[99999], 99998);
  EXPECT_EQ(parents.back(), -1);
}

}  // namespace
}  // namespace vellumine
