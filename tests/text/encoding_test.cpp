#include "text/encoding.h"

#include <string>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct DecodeCase {
  const char* name;
  std::string input;
  std::u16string expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

const DecodeCase kDecodeCases[] = {
    {"Empty", "", u""},
    {"Ascii", "Title 1", u"Title 1"},
    {"TwoBytes", "\xC3\xA9", u"\u00E9"},
    {"ThreeBytes", "\xE2\x82\xAC", u"\u20AC"},
    {"FourBytesBecomeSurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"HighestCodePoint", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"OverlongTwoBytes", "\xC0\xAF", u"\uFFFD\uFFFD"},
    {"OverlongThreeBytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
    {"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"BeyondUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"F5NeverLeads", "\xF5\x80", u"\uFFFD\uFFFD"},
    {"StrayContinuation", "a\x80" "b", u"a\uFFFDb"},
    {"TruncatedAtEnd", "a\xE2\x82", u"a\uFFFD"},
    {"TruncatedBeforeAscii", "\xE2\x82z", u"\uFFFDz"},
    {"TruncatedFourBytes", "\xF0\x9F\x98" "A", u"\uFFFDA"},
    {"ZeroByteKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
};

class EncodingDecode : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(EncodingDecode, GivesUtf16WithReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, EncodingDecode, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ValidUtf8 keeps valid text byte for byte and replaces as Utf8ToWide reads; the ASCII runs are
// skipped eight bytes at a time, so invalid bytes sit on both sides of those steps here.
struct RepairCase {
  const char* name;
  std::string input;
  std::string expected;
};

void PrintTo(const RepairCase& c, std::ostream* os) { *os << c.name; }

const RepairCase kRepairCases[] = {
    {"EmptyStaysEmpty", "", ""},
    {"ValidTextStays", "<w:t>\xE6\x98\x8E\xE6\x9C\x9D \xF0\x9F\x98\x80 caf\xC3\xA9</w:t>",
     "<w:t>\xE6\x98\x8E\xE6\x9C\x9D \xF0\x9F\x98\x80 caf\xC3\xA9</w:t>"},
    {"LeadByteOfAnotherEncodingBecomesOneReplacement", "x:\x81\\'", "x:\xEF\xBF\xBD\\'"},
    {"InvalidByteAtTheStart", "\xFF" "abc", "\xEF\xBF\xBD" "abc"},
    {"InvalidByteAtTheEnd", "abc\xFE", "abc\xEF\xBF\xBD"},
    {"InvalidByteAfterEightAsciiBytes", "abcdefgh\x80ijklmnop", "abcdefgh\xEF\xBF\xBDijklmnop"},
    {"InvalidByteAsTheEighthByte", "abcdefg\x80" "abcdefgh", "abcdefg\xEF\xBF\xBD" "abcdefgh"},
    {"TruncatedSequenceKeepsTheAsciiAfterIt", "\xE3\x81<p>", "\xEF\xBF\xBD<p>"},
    {"SurrogateIsThreeReplacements", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"OverlongSlashIsTwoReplacements", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"ValidAndInvalidAlternate", "\xC3\xA9\x81\xC3\xA9\x81", "\xC3\xA9\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD"},
};

class EncodingRepair : public ::testing::TestWithParam<RepairCase> {};
TEST_P(EncodingRepair, ReplacesEachInvalidSubpartAndKeepsTheRest) {
  EXPECT_EQ(ValidUtf8(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, EncodingRepair, ::testing::ValuesIn(kRepairCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumine
