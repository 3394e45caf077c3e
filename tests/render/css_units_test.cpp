// Word's units as CSS numbers: at most two decimals, rounded half away from zero, no locale.
#include "render/css_units.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::render {
namespace {

struct UnitCase {
  std::string name;
  void (*append)(std::string&, long long);
  long long value;
  std::string expected;
};

void color(std::string& out, long long value) { appendColor(out, static_cast<std::uint32_t>(value)); }

const UnitCase kCases[] = {
    {"InchOfTwipsIs96Px", appendTwipsPx, 1440, "96px"},
    {"TwipsKeepTwoDecimals", appendTwipsPx, 1134, "75.6px"},
    {"TwipsRoundHalfAwayFromZero", appendTwipsPx, 1, "0.07px"},
    {"NegativeTwips", appendTwipsPx, -720, "-48px"},
    {"SmallNegativeTwipsKeepTheirSign", appendTwipsPx, -1, "-0.07px"},
    {"HugeTwipsDoNotOverflow", appendTwipsPx, 9'000'000'000'000'000'000LL, "66666666666.67px"},
    {"HalfPointsAsPoints", appendHalfPointsPt, 22, "11pt"},
    {"OddHalfPoints", appendHalfPointsPt, 21, "10.5pt"},
    {"EmuAsPx", appendEmuPx, 1905000, "200px"},
    {"EighthsOfAPointAsPx", appendEighthsPx, 4, "0.67px"},
    {"ColourIsSixUpperCaseDigits", color, 0x1F4E79, "#1F4E79"},
    {"ColourKeepsLeadingZeros", color, 0x0000FF, "#0000FF"},
};

class CssUnits : public testing::TestWithParam<UnitCase> {};

TEST_P(CssUnits, WritesTheCssNumber) {
  std::string out;
  GetParam().append(out, GetParam().value);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CssUnits, testing::ValuesIn(kCases), test::caseName);

struct FillCase {
  std::string name;
  std::uint32_t fill;
  bool dark;
};

const FillCase kFills[] = {
    {"NavyIsDark", 0x1F3864, true},   {"BlackIsDark", 0x000000, true}, {"DarkGreyIsDark", 0x595959, true},
    {"WhiteIsLight", 0xFFFFFF, false}, {"YellowIsLight", 0xFFFF00, false}, {"PaleBlueIsLight", 0xD9E2F3, false},
};

class CssUnitsFill : public testing::TestWithParam<FillCase> {};

TEST_P(CssUnitsFill, TellsWhetherWhiteTextReads) { EXPECT_EQ(isDarkFill(GetParam().fill), GetParam().dark); }

INSTANTIATE_TEST_SUITE_P(Cases, CssUnitsFill, testing::ValuesIn(kFills), test::caseName);

}  // namespace
}  // namespace vellumine::render
