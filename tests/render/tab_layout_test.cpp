// Which stop each tab reaches and how wide its box is, for text estimated between the tabs.
#include "render/tab_layout.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::render {

void PrintTo(const TabBox& box, std::ostream* os) {
  *os << "{kind " << static_cast<int>(box.kind) << ", width " << box.width << ", leader "
      << static_cast<int>(box.leader) << "}";
}

namespace {

using docx::TabAlignment;
using docx::TabLeader;
using docx::TabStop;

struct TabCase {
  std::string name;
  std::vector<TabStop> stops;
  int indentStart, firstLine;
  std::vector<TabStretch> stretches;  // one more than tabs
  std::vector<TabMark> tabs;
  std::vector<TabBox> expected;
};

constexpr TabBoxKind kTo = TabBoxKind::toStop;

const TabCase kCases[] = {
    {"DefaultStopsEveryHalfInch", {}, 0, 0, {{300}, {0}}, {{}}, {{kTo, 720}}},
    {"TextPastAStopGoesToTheNextOne", {}, 0, 0, {{900}, {0}}, {{}}, {{kTo, 1440}}},
    {"LeadingTabIsASpacer", {}, 0, 0, {{0}, {5000}}, {{}}, {{kTo, 720}}},
    {"EachTabFromWhereTheLastEnded", {}, 0, 0, {{100}, {100}, {0}}, {{}, {}}, {{kTo, 720}, {kTo, 720}}},
    {"SetStopBeforeDefaults", {{2000, TabAlignment::start, TabLeader::none}}, 0, 0, {{100}, {0}}, {{}}, {{kTo, 2000}}},
    {"DefaultStopsOnlyAfterTheLastSetStop",
     {{1000, TabAlignment::start, TabLeader::none}}, 0, 0, {{1100}, {0}}, {{}}, {{kTo, 1440}}},
    {"RightStopWithDotLeaderHoldsTheTextAfterIt",
     {{9000, TabAlignment::end, TabLeader::dot}}, 0, 0, {{2000}, {200}}, {{}},
     {{TabBoxKind::beforeStop, 9000, TabLeader::dot}}},
    {"BoxStartsAtTheIndentedFirstLine",
     {{9000, TabAlignment::end, TabLeader::dot}}, 720, 0, {{2000}, {200}}, {{}},
     {{TabBoxKind::beforeStop, 8280, TabLeader::dot}}},
    {"HangingIndentIsAStop", {}, 720, -360, {{100}, {0}}, {{}}, {{kTo, 360}}},
    {"TextPastTheHangingIndentGoesOn", {}, 720, -360, {{500}, {0}}, {{}}, {{kTo, 1080}}},
    {"CentreStopCentresTheTextAfterIt",
     {{4000, TabAlignment::center, TabLeader::none}}, 0, 0, {{100}, {1000}}, {{}},
     {{TabBoxKind::centredOnStop, 4500}}},
    {"DecimalStopLinesUpThePoint",
     {{4000, TabAlignment::decimal, TabLeader::none}}, 0, 0, {{100}, {800, 300}}, {{}},
     {{TabBoxKind::decimalOnStop, 4300}}},
    {"BarAndClearedStopsDoNotStopText",
     {{1000, TabAlignment::bar, TabLeader::none}, {1200, TabAlignment::clear, TabLeader::none}}, 0, 0, {{100}, {0}},
     {{}}, {{kTo, 720}}},
    {"TabAfterARightStopStartsAtThatStop",
     {{3000, TabAlignment::end, TabLeader::none}, {5000, TabAlignment::start, TabLeader::hyphen}}, 0, 0,
     {{100}, {400}, {0}}, {{}, {}}, {{TabBoxKind::beforeStop, 3000}, {kTo, 2000, TabLeader::hyphen}}},
    {"PositionalTabToTheEnd", {}, 0, 0, {{100}, {0}}, {{true, 2}}, {{TabBoxKind::beforeStop, 9360}}},
    {"PositionalTabToTheCentre", {}, 0, 0, {{100}, {600}}, {{true, 1}}, {{TabBoxKind::centredOnStop, 4980}}},
    {"StopBehindTheLineStartGivesAnEmptyBox", {}, 720, 0, {{100}, {0}}, {{true, 0}}, {{kTo, 0}}},
};

class TabLayout : public testing::TestWithParam<TabCase> {};

TEST_P(TabLayout, ChoosesTheStopAndSizesTheBox) {
  const TabCase& c = GetParam();
  TabContext context;
  context.stops = c.stops;
  context.indentStart = c.indentStart;
  context.firstLine = c.firstLine;
  context.lineWidth = 9360;
  EXPECT_EQ(layOutTabs(context, c.stretches, c.tabs), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TabLayout, testing::ValuesIn(kCases), test::caseName);

struct WidthCase {
  std::string name;
  std::string text;
  int halfPoints;
  long long expected;
};

const WidthCase kWidths[] = {
    {"LowerCaseIsHalfAnEm", "ab", 20, 200},
    {"UpperCaseIsWider", "AB", 20, 260},
    {"BlanksAreNarrow", "  ", 20, 100},
    {"IdeographsAreAFullEm", "\xE4\xB8\xAD\xE6\x96\x87", 20, 400},
    {"AccentedLettersAreLikeLetters", "\xC3\xA9", 20, 110},
    {"HugeSizeIsWordsLargest", "a", 2'000'000'000, 16380},
};

class TabLayoutWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(TabLayoutWidth, EstimatesTheText) {
  EXPECT_EQ(estimateTextWidth(GetParam().text, GetParam().halfPoints), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TabLayoutWidth, testing::ValuesIn(kWidths), test::caseName);

}  // namespace
}  // namespace vellumine::render
