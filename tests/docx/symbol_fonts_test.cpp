// The symbol fonts' characters as Unicode look-alikes.
#include "docx/symbol_fonts.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct SymbolCase {
  std::string name, font;
  long long code;
  std::string expected;
};

const SymbolCase kCases[] = {
    {"SymbolBulletInThePrivateRange", "Symbol", 0xF0B7, "\u2022"},
    {"SymbolLettersAreGreek", "Symbol", 0x61, "\u03B1"},
    {"SymbolCapitalOmega", "Symbol", 0x57, "\u03A9"},
    {"SymbolFontNameIsCaseless", "SYMBOL", 0xF0AE, "\u2192"},
    {"SymbolUnknownCode", "Symbol", 0xF080, "\uFFFD"},
    {"WingdingsSmallSquareBullet", "Wingdings", 0xF0A7, "\u25AA"},
    {"WingdingsArrowBullet", "Wingdings", 0xF0D8, "\u27A2"},
    {"WingdingsCheckMark", "Wingdings", 0xF0FC, "\u2713"},
    {"WingdingsBallotBoxWithCheck", "Wingdings", 0xFE, "\u2611"},
    {"WingdingsCircledDigit", "Wingdings", 0x83, "\u2462"},
    {"WingdingsCodeOutOfRange", "Wingdings", 0x1F600, "\uFFFD"},
    {"TextFontCodeIsUnicode", "Arial", 0x20AC, "\u20AC"},
    {"TextFontCodeInThePrivateRange", "Calibri", 0xF041, "A"},
    {"TextFontAstralCode", "Segoe UI Emoji", 0x1F600, "\U0001F600"},
    {"ControlCodeIsRefused", "Arial", 0x7, "\uFFFD"},
    {"SurrogateIsRefused", "Arial", 0xD800, "\uFFFD"},
    {"NegativeCodeIsRefused", "Arial", -5, "\uFFFD"},
    {"PastUnicodeIsRefused", "Arial", 0x110000, "\uFFFD"},
};

class SymbolFonts : public testing::TestWithParam<SymbolCase> {};

TEST_P(SymbolFonts, GivesTheLookAlike) { EXPECT_EQ(symbolText(GetParam().font, GetParam().code), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, SymbolFonts, testing::ValuesIn(kCases), test::caseName);

struct TextCase {
  std::string name, font, text, expected;
};

const TextCase kTexts[] = {
    {"SymbolTextBecomesGreek", "Symbol", "abg", "\u03B1\u03B2\u03B3"},
    {"SymbolTextKeepsCharactersBeyondItsTable", "Symbol", "p\u4E2D", "\u03C0\u4E2D"},
    {"SymbolTextInThePrivateRange", "Symbol", "\uF0B7", "\u2022"},
    {"WingdingsTextBecomesSigns", "Wingdings", "l\u00FC", "\u25CF\u2713"},
    {"OtherFontsTextIsUnchanged", "Times New Roman", "abc", "abc"},
    {"BrokenUtf8PassesAsItIs", "Symbol", "a\xE2\x82", "\u03B1\xE2\x82"},
};

class SymbolFontsText : public testing::TestWithParam<TextCase> {};

TEST_P(SymbolFontsText, GivesTheLookAlikes) {
  EXPECT_EQ(symbolFontText(GetParam().font, GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SymbolFontsText, testing::ValuesIn(kTexts), test::caseName);

}  // namespace
}  // namespace vellumine::docx
