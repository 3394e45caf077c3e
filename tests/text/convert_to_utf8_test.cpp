// convertToUtf8: what iconv makes of each encoding, and what becomes of bytes that do not decode
// (one U+FFFD per code unit, the ASCII byte after a lost lead byte kept, as a browser keeps it).
#include "text/convert_to_utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace vellumine {
namespace {

using namespace std::string_literals;

std::string repeated(const std::string& piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

struct ConversionCase {
  std::string name, input, encoding;
  std::size_t unitBytes;
  std::string expected;
};

const ConversionCase kConversionCases[] = {
    {"ShiftJisPairIsOneCharacter", "\x83\x5C\x82\xA0", "CP932", 1, "\xE3\x82\xBD\xE3\x81\x82"},
    {"LeadByteBeforeAsciiLosesOnlyItself", "\x81'x", "CP932", 1, "\xEF\xBF\xBD'x"},
    {"LeadByteCutOffByTheEnd", "a\x81", "CP932", 1, "a\xEF\xBF\xBD"},
    {"Gb18030SequenceCutShortNearTheEndKeepsTheAscii", "\x97" "5>", "GB18030", 1, "\xEF\xBF\xBD" "5>"},
    {"Big5HkscsCharacter", "\x88\x40", "BIG5-HKSCS", 1, "\xE3\x87\x80"},
    {"Gb18030FourByteSequence", "\x81\x30\x81\x30", "GB18030", 1, "\xC2\x80"},
    {"Windows1252EuroSign", "\x80", "WINDOWS-1252", 1, "\xE2\x82\xAC"},
    {"Iso2022JpShiftsAreRead", "a\x1b$B$\"\x1b(Bb", "ISO-2022-JP", 1, "a\xE3\x81\x82" "b"},
    {"Utf16LoneSurrogateKeepsTheRestAligned", "\x00\xD8" "A\x00"s, "UTF-16LE", 2, "\xEF\xBF\xBD" "A"},
    {"Utf16OddLastByte", "A\x00" "B"s, "UTF-16LE", 2, "A\xEF\xBF\xBD"},
    {"Utf32BeyondUnicode", "\x00\x00\x11\x00" "A\x00\x00\x00"s, "UTF-32LE", 4, "\xEF\xBF\xBD" "A"},
    {"TextLongerThanOneOutputChunk", repeated("\x83\x5C", 50000), "CP932", 1, repeated("\xE3\x82\xBD", 50000)},
    {"InvalidBytesAllOver", repeated("\xFD" "a", 40000), "CP932", 1, repeated("\xEF\xBF\xBD" "a", 40000)},
};

class ConvertToUtf8 : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertToUtf8, GivesUtf8WithReplacementCharacters) {
  const ConversionCase& c = GetParam();
  const std::optional<std::string> converted = convertToUtf8(c.input, c.encoding, c.unitBytes);
  ASSERT_TRUE(converted.has_value());
  EXPECT_SAME_TEXT(*converted, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertToUtf8, testing::ValuesIn(kConversionCases), test::caseName);

TEST(ConvertToUtf8Names, AnEncodingIconvDoesNotKnowGivesNothing) {
  EXPECT_FALSE(convertToUtf8("x", "X-NO-SUCH-ENCODING").has_value());
}

}  // namespace
}  // namespace vellumine
