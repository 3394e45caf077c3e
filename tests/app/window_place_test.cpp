#include "app/window_place.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

constexpr ScreenRect kFullHd{0, 0, 1920, 1040};        // 1920x1080 less a 40-pixel panel
constexpr ScreenRect kLaptop{0, 0, 1280, 680};  // 1280x720 less a 40-pixel panel
constexpr ScreenRect kNarrow{0, 0, 800, 600};
constexpr ScreenRect kRightOfFullHd{1920, 0, 2560, 1400};

struct FirstCase {
  std::string_view name;
  ScreenRect available;
  ScreenRect expected;
};

const FirstCase kFirstCases[] = {
    {"TwoThirdsOfALargeScreenCentred", kFullHd, {320, 173, 1280, 693}},
    {"APageWidthOnASmallScreen", kLaptop, {200, 40, 880, 600}},
    {"AScreenNarrowerThanAPageIsFilled", kNarrow, {0, 0, 800, 600}},
    {"CentredOnASecondScreen", kRightOfFullHd, {1920 + 427, 233, 1706, 933}},
};

class FirstWindowRect : public testing::TestWithParam<FirstCase> {};

TEST_P(FirstWindowRect, FitsAPageAndIsCentred) {
  EXPECT_EQ(firstWindowRect(GetParam().available), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, FirstWindowRect, testing::ValuesIn(kFirstCases), test::caseName);

struct RestoreCase {
  std::string_view name;
  std::vector<ScreenRect> screens;
  std::optional<WindowPlace> saved;
  WindowPlace expected;
};

const RestoreCase kRestoreCases[] = {
    {"NothingSavedOpensOnThePrimaryScreen", {kFullHd}, std::nullopt, {{320, 173, 1280, 693}, false, false}},
    {"APlaceOnTheScreenIsKept", {kFullHd}, WindowPlace{{100, 50, 900, 700}, false, false},
     {{100, 50, 900, 700}, false, false}},
    {"MaximisedAndFullScreenAreKept", {kFullHd}, WindowPlace{{100, 50, 900, 700}, true, true},
     {{100, 50, 900, 700}, true, true}},
    {"APlaceOnTheSecondScreenIsKept", {kFullHd, kRightOfFullHd}, WindowPlace{{2000, 100, 1200, 900}, false, false},
     {{2000, 100, 1200, 900}, false, false}},
    {"APlaceOnAScreenSinceUnpluggedOpensAsAtFirst", {kFullHd},
     WindowPlace{{2000, 100, 1200, 900}, true, false}, {{320, 173, 1280, 693}, true, false}},
    {"APlaceHalfOffTheScreenIsMovedInside", {kFullHd}, WindowPlace{{1500, 600, 800, 600}, false, false},
     {{1120, 440, 800, 600}, false, false}},
    {"ASizeLargerThanTheScreenIsShrunk", {kLaptop}, WindowPlace{{0, 0, 1920, 1080}, false, false},
     {{0, 0, 1280, 680}, false, false}},
    {"ATinySizeIsGrown", {kFullHd}, WindowPlace{{10, 10, 1, 1}, false, false}, {{10, 10, 320, 240}, false, false}},
    {"ExtremeCoordinatesOpenAsAtFirst", {kFullHd}, WindowPlace{{2147483000, 2147483000, 1000, 1000}, false, false},
     {{320, 173, 1280, 693}, false, false}},
    {"NoScreensAtAllGiveAWindowAnyway", {}, std::nullopt, {{72, 84, 880, 600}, false, false}},
};

class ChooseWindowPlace : public testing::TestWithParam<RestoreCase> {};

TEST_P(ChooseWindowPlace, RestoresOnlyWhatIsOnAScreen) {
  EXPECT_EQ(chooseWindowPlace(GetParam().screens, 0, GetParam().saved), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Places, ChooseWindowPlace, testing::ValuesIn(kRestoreCases), test::caseName);

TEST(ChooseWindowPlaceScreens, AFirstWindowGoesToThePrimaryScreen) {
  const WindowPlace place = chooseWindowPlace({kFullHd, kRightOfFullHd}, 1, std::nullopt);
  EXPECT_EQ(place.normal, firstWindowRect(kRightOfFullHd));
}

}  // namespace
}  // namespace vellumine
