// List numbers in each format of a level, with the ranges past which Word falls back to decimal.
#include <string>

#include <gtest/gtest.h>

#include "docx/list_labels.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct NumberCase {
  std::string name;
  int number;
  NumberFormat format;
  std::string expected;
};

const NumberCase kNumberCases[] = {
    {"Decimal", 7, NumberFormat::decimal, "7"},
    {"NegativeDecimal", -3, NumberFormat::decimal, "-3"},
    {"DecimalZeroPadsOneDigit", 3, NumberFormat::decimalZero, "03"},
    {"DecimalZeroLeavesTwoDigits", 12, NumberFormat::decimalZero, "12"},
    {"UpperRoman", 1994, NumberFormat::upperRoman, "MCMXCIV"},
    {"LowerRomanFour", 4, NumberFormat::lowerRoman, "iv"},
    {"RomanAtItsLimit", 3999, NumberFormat::upperRoman, "MMMCMXCIX"},
    {"RomanPastItsLimitIsDecimal", 4000, NumberFormat::upperRoman, "4000"},
    {"RomanZeroIsDecimal", 0, NumberFormat::lowerRoman, "0"},
    {"UpperLetterA", 1, NumberFormat::upperLetter, "A"},
    {"UpperLetterZ", 26, NumberFormat::upperLetter, "Z"},
    {"LettersDoubleAfterZ", 27, NumberFormat::upperLetter, "AA"},
    {"LettersRepeatTheSameLetter", 28, NumberFormat::lowerLetter, "bb"},
    {"LettersTripleAfterZz", 53, NumberFormat::lowerLetter, "aaa"},
    {"LettersAtWordsLimit", 780, NumberFormat::lowerLetter, std::string(30, 'z')},
    {"LettersPastTheLimitAreDecimal", 781, NumberFormat::lowerLetter, "781"},
    {"LetterZeroIsDecimal", 0, NumberFormat::upperLetter, "0"},
    {"OrdinalFirst", 1, NumberFormat::ordinal, "1st"},
    {"OrdinalSecond", 2, NumberFormat::ordinal, "2nd"},
    {"OrdinalThird", 3, NumberFormat::ordinal, "3rd"},
    {"OrdinalEleventh", 11, NumberFormat::ordinal, "11th"},
    {"OrdinalTwelfth", 12, NumberFormat::ordinal, "12th"},
    {"OrdinalTwentyFirst", 21, NumberFormat::ordinal, "21st"},
    {"OrdinalHundredAndSecond", 102, NumberFormat::ordinal, "102nd"},
    {"OrdinalHundredAndThirteenth", 113, NumberFormat::ordinal, "113th"},
    {"CardinalTextTwentyOne", 21, NumberFormat::cardinalText, "Twenty-One"},
    {"CardinalTextHundred", 100, NumberFormat::cardinalText, "One Hundred"},
    {"CardinalTextHundredTwentyThree", 123, NumberFormat::cardinalText, "One Hundred Twenty-Three"},
    {"CardinalTextThousandOne", 1001, NumberFormat::cardinalText, "One Thousand One"},
    {"OrdinalTextFirst", 1, NumberFormat::ordinalText, "First"},
    {"OrdinalTextTwelfth", 12, NumberFormat::ordinalText, "Twelfth"},
    {"OrdinalTextTwentieth", 20, NumberFormat::ordinalText, "Twentieth"},
    {"OrdinalTextTwentyFirst", 21, NumberFormat::ordinalText, "Twenty-First"},
    {"OrdinalTextHundredth", 100, NumberFormat::ordinalText, "One Hundredth"},
    {"ChicagoAsterisk", 1, NumberFormat::chicago, "*"},
    {"ChicagoDagger", 2, NumberFormat::chicago, "\xE2\x80\xA0"},
    {"ChicagoDoubledAfterFour", 5, NumberFormat::chicago, "**"},
    {"ChicagoSectionsDoubled", 8, NumberFormat::chicago, "\xC2\xA7\xC2\xA7"},
    {"HexUpperCase", 255, NumberFormat::hex, "FF"},
    {"EnclosedCircleOne", 1, NumberFormat::decimalEnclosedCircle, "\xE2\x91\xA0"},
    {"EnclosedCircleTwenty", 20, NumberFormat::decimalEnclosedCircle, "\xE2\x91\xB3"},
    {"EnclosedCirclePastTwentyIsDecimal", 21, NumberFormat::decimalEnclosedCircle, "21"},
    {"EnclosedParen", 3, NumberFormat::decimalEnclosedParen, "\xE2\x91\xB6"},
    {"EnclosedFullstop", 2, NumberFormat::decimalEnclosedFullstop, "\xE2\x92\x89"},
    {"NoneWritesNothing", 5, NumberFormat::none, ""},
    {"BulletWritesNoNumber", 5, NumberFormat::bullet, ""},
};

class ListNumberFormat : public testing::TestWithParam<NumberCase> {};

TEST_P(ListNumberFormat, WritesAsWordWrites) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(formatListNumber(c.number, c.format), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, ListNumberFormat, testing::ValuesIn(kNumberCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
