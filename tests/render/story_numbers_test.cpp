// Notes and comments numbered by first reference: places, marks and ids.
#include "render/story_numbers.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::render {

void PrintTo(const StoryReference& r, std::ostream* os) {
  *os << "{place " << r.place << ", mark \"" << r.mark << "\", first " << r.first << "}";
}

namespace {

struct Reference {
  StoryList list;
  long long index;
  std::string custom;
};

struct NumberCase {
  std::string name;
  std::vector<Reference> references;
  std::vector<StoryReference> expected;
};

const NumberCase kCases[] = {
    {"FootnotesInOrderOfFirstReference",
     {{StoryList::footnotes, 2, ""}, {StoryList::footnotes, 0, ""}},
     {{1, "1", true}, {2, "2", true}}},
    {"EndnotesInLowerRomanNumerals",
     {{StoryList::endnotes, 0, ""}, {StoryList::endnotes, 1, ""}, {StoryList::endnotes, 2, ""},
      {StoryList::endnotes, 3, ""}},
     {{1, "i", true}, {2, "ii", true}, {3, "iii", true}, {4, "iv", true}}},
    {"SecondReferenceKeepsTheMarkAndCarriesNoId",
     {{StoryList::footnotes, 1, ""}, {StoryList::footnotes, 1, ""}},
     {{1, "1", true}, {1, "1", false}}},
    {"CustomMarkTakesNoNumber",
     {{StoryList::footnotes, 0, "*"}, {StoryList::footnotes, 1, ""}},
     {{1, "*", true}, {2, "1", true}}},
    {"MissingNoteGetsANumberButNoPlace",
     {{StoryList::footnotes, -1, ""}, {StoryList::footnotes, 7, ""}, {StoryList::footnotes, 0, ""}},
     {{0, "1", false}, {0, "2", false}, {1, "3", true}}},
    {"ListsCountOnTheirOwn",
     {{StoryList::footnotes, 0, ""}, {StoryList::comments, 0, ""}, {StoryList::endnotes, 0, ""}},
     {{1, "1", true}, {1, "1", true}, {1, "i", true}}},
};

class StoryNumbersReference : public testing::TestWithParam<NumberCase> {};

TEST_P(StoryNumbersReference, NumbersEachReference) {
  StoryNumbers numbers(3, 4, 2);
  std::vector<StoryReference> got;
  for (const Reference& r : GetParam().references) got.push_back(numbers.refer(r.list, r.index, r.custom));
  EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoryNumbersReference, testing::ValuesIn(kCases), test::caseName);

TEST(StoryNumbers, UnreferencedItemsAreListedLastWithoutAMark) {
  StoryNumbers numbers(4, 0, 0);
  numbers.refer(StoryList::footnotes, 2, "");
  const auto all = [](std::size_t) { return true; };
  EXPECT_TRUE(numbers.listUnreferenced(StoryList::footnotes, [](std::size_t index) { return index != 0; }));
  EXPECT_EQ(numbers.order(StoryList::footnotes), (std::vector<std::size_t>{2, 1, 3}));
  EXPECT_TRUE(numbers.referencedAt(StoryList::footnotes, 1));
  EXPECT_FALSE(numbers.referencedAt(StoryList::footnotes, 2));
  EXPECT_TRUE(numbers.listUnreferenced(StoryList::footnotes, all));
  EXPECT_EQ(numbers.order(StoryList::footnotes), (std::vector<std::size_t>{2, 1, 3, 0}));
  EXPECT_FALSE(numbers.listUnreferenced(StoryList::footnotes, all));
}

struct RomanCase {
  std::string name;
  int number;
  std::string expected;
};

const RomanCase kRomans[] = {{"Four", 4, "iv"}, {"Nine", 9, "ix"}, {"FortyNine", 49, "xlix"},
                             {"Largest", 3999, "mmmcmxcix"}, {"PastTheLargestIsDecimal", 4000, "4000"},
                             {"ZeroIsDecimal", 0, "0"}};

class StoryNumbersRoman : public testing::TestWithParam<RomanCase> {};

TEST_P(StoryNumbersRoman, WritesTheNumeral) { EXPECT_EQ(romanNumeral(GetParam().number), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, StoryNumbersRoman, testing::ValuesIn(kRomans), test::caseName);

TEST(StoryNumbers, IdsByPlace) {
  std::string out;
  StoryNumbers::appendItemId(out, StoryList::endnotes, 3);
  out += ' ';
  StoryNumbers::appendReferenceId(out, StoryList::comments, 12);
  EXPECT_EQ(out, "en-3 cmref-12");
}

}  // namespace
}  // namespace vellumine::render
