#include "text/units.h"

#include <string>

#include <gtest/gtest.h>

#include "text/wsregex.h"

namespace vellumine {
namespace {

struct ConversionCase {
  const char* input;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.input; }

class UnitsTwips : public ::testing::TestWithParam<ConversionCase> {};
TEST_P(UnitsTwips, RoundsToWholePixels) { EXPECT_EQ(TwipsToPx(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, UnitsTwips,
                         ::testing::Values(ConversionCase{"0", "0"}, ConversionCase{"7", "1"},
                                           ConversionCase{"8", "1"}, ConversionCase{"15", "1"},
                                           ConversionCase{"22", "1"}, ConversionCase{"23", "2"},
                                           ConversionCase{"1440", "96"}, ConversionCase{"-30", "-2"},
                                           ConversionCase{"-7", "1"}, ConversionCase{"37", "2"},
                                           ConversionCase{"52", "3"}, ConversionCase{"" , ""},
                                           ConversionCase{"   ", ""}, ConversionCase{" 30 ", "2"},
                                           // Zero written another way is still no length.
                                           ConversionCase{"00", "0"}, ConversionCase{"-0", "0"},
                                           // A decimal part is rounded with the rest, halves to even.
                                           ConversionCase{"9360.0", "624"}, ConversionCase{"22.5", "2"},
                                           ConversionCase{"37.5", "2"}, ConversionCase{"52.5", "4"},
                                           ConversionCase{"7.5", "1"}, ConversionCase{"-22.5", "-2"},
                                           ConversionCase{".5", "1"}, ConversionCase{" +1440. ", "96"},
                                           // Past nine fraction digits only "above the kept value" counts.
                                           ConversionCase{"37.5000000001", "3"},
                                           ConversionCase{"37.5000000000000", "2"}));

class UnitsHalfPoints : public ::testing::TestWithParam<ConversionCase> {};
TEST_P(UnitsHalfPoints, GivesPixelsWithUnit) {
  EXPECT_EQ(HalfPointsToPx(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, UnitsHalfPoints,
                         ::testing::Values(ConversionCase{"24", "16px"}, ConversionCase{"21", "14px"},
                                           ConversionCase{"22", "15px"}, ConversionCase{"3", "2px"},
                                           ConversionCase{"0", "0px"}, ConversionCase{"-24", "-16px"},
                                           ConversionCase{"24.0", "16px"}, ConversionCase{"22.5", "15px"},
                                           ConversionCase{"21.75", "14px"}, ConversionCase{"-3.75", "-2px"}));

class UnitsWidth : public ::testing::TestWithParam<ConversionCase> {};
TEST_P(UnitsWidth, GivesTheCssLength) { EXPECT_EQ(WidthToCss(GetParam().input), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Cases, UnitsWidth,
    ::testing::Values(ConversionCase{"<tblW w=\"5000\" type=\"pct\"/>", "100%"},
                      ConversionCase{"<tblW w=\"2500\" type=\"pct\"/>", "50%"},
                      ConversionCase{"<tblW w=\"125\" type=\"pct\"/>", "2%"},
                      ConversionCase{"<tblW w=\"25\" type=\"pct\"/>", "0%"},
                      ConversionCase{"<tblW w=\"75\" type=\"pct\"/>", "2%"},
                      ConversionCase{"<tcW w=\"1440\" type=\"dxa\"/>", "96px"},
                      ConversionCase{"<tcW w=\"0\" type=\"dxa\"/>", ""},
                      ConversionCase{"<tcW w=\"0\" type=\"pct\"/>", ""},
                      ConversionCase{"<tcW type=\"auto\"/>", ""},
                      ConversionCase{"<tcW w=\"100\" type=\"auto\"/>", "100"},
                      ConversionCase{"<tcW w=\"100\"/>", "100"},
                      ConversionCase{"<tblW w=\"9360.0\" type=\"dxa\"/>", "624px"},
                      ConversionCase{"<tblW w=\"2500.0\" type=\"pct\"/>", "50%"},
                      ConversionCase{"<tblW w=\"125.0\" type=\"pct\"/>", "2%"},
                      // Only "0" as written means no width; zero written otherwise is a width of 0.
                      ConversionCase{"<tcW w=\"0.0\" type=\"dxa\"/>", "0px"},
                      ConversionCase{"<tcW w=\"00\" type=\"dxa\"/>", "0px"},
                      ConversionCase{"<tcW w=\"100.5\" type=\"auto\"/>", "100.5"}));

class UnitsRoundedInt : public ::testing::TestWithParam<ConversionCase> {};
TEST_P(UnitsRoundedInt, RoundsHalvesToEven) {
  EXPECT_EQ(DecimalText(StrToRoundedInt(GetParam().input)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, UnitsRoundedInt,
                         ::testing::Values(ConversionCase{"0.0", "0"}, ConversionCase{"2.5", "2"},
                                           ConversionCase{"3.5", "4"}, ConversionCase{"-2.5", "-2"},
                                           ConversionCase{"1.49", "1"},
                                           ConversionCase{"2147483647.4", "2147483647"},
                                           ConversionCase{"-2147483648.5", "-2147483648"}));

TEST(Units, RoundedIntRefusesWhatIsNoNumberOrTooLarge) {
  for (const char* bad : {"abc", "", ".", "1e3", "1.2.3", "2147483647.5", "-2147483648.6", "2147483648.0",
                          "0x1", "1.5pt", "- 1"}) {
    try {
      StrToRoundedInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(Units, NearestQuotientRoundsHalvesToEven) {
  EXPECT_EQ(NearestQuotient(5, 2), 2);
  EXPECT_EQ(NearestQuotient(7, 2), 4);
  EXPECT_EQ(NearestQuotient(-5, 2), -2);
  EXPECT_EQ(NearestQuotient(-7, 2), -4);
  EXPECT_EQ(NearestQuotient(-8, 15), -1);
  EXPECT_EQ(NearestQuotient(-7, 15), 0);
  EXPECT_EQ(NearestQuotient(44, 3), 15);
  EXPECT_EQ(NearestQuotient(4294967294LL, 1), 4294967294LL);
  EXPECT_EQ(NearestQuotient(INT64_MAX, INT64_MAX - 1), 1);
}

TEST(Units, DecimalTextWritesEveryLongLong) {
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(-1234567), "-1234567");
  EXPECT_EQ(DecimalText(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(DecimalText(INT64_MAX), "9223372036854775807");
}

TEST(Units, StrToIntAcceptsDecimalIntegersOnly) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt(" -17 "), -17);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad : {"12.5", "", "abc", "1e3", "2147483648", "--1", "+-1", "0x10", "1 2", "-"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(Units, NonNumericValuesRaiseConversionErrors) {
  EXPECT_THROW(TwipsToPx("12.5pt"), EConvertError);
  EXPECT_THROW(TwipsToPx("1.2.3"), EConvertError);
  EXPECT_THROW(TwipsToPx("."), EConvertError);
  EXPECT_THROW(HalfPointsToPx("1e3"), EConvertError);
  EXPECT_THROW(TwipsToPx("2147483648"), EConvertError);  // out of range as before, point or not
  EXPECT_THROW(HalfPointsToPx(""), EConvertError);
  EXPECT_THROW(WidthToCss("<tblW w=\"auto\" type=\"pct\"/>"), EConvertError);
}

TEST(Units, ConvertMatchesToPxRewritesEveryMatch) {
  TWSRegEx rx(preCaseLess | preSingleLine);
  rx.SetPattern("<trHeight val=\"(\\d+)\"/>");
  std::string text = "a<trHeight val=\"1440\"/>b<trHeight val=\"7\"/>c";
  ConvertMatchesToPx(rx, text, 1, "<tr height=\"", "\">");
  EXPECT_EQ(text, "a<tr height=\"96\">b<tr height=\"1\">c");
}

TEST(Units, ConvertMatchesToPxWithoutMatchLeavesTextAlone) {
  TWSRegEx rx(preCaseLess | preSingleLine);
  rx.SetPattern("<gridCol w=\"(\\d+)\"/>");
  std::string text = "no columns <gridCol/>";
  ConvertMatchesToPx(rx, text, 1, "<col width=\"", "\"/>");
  EXPECT_EQ(text, "no columns <gridCol/>");
}

}  // namespace
}  // namespace vellumine
