// One list number in a level's w:numFmt: decimal with or without a leading zero, Roman numerals up
// to 3999, letters that repeat after z as Word writes them (aa, bb, ... then aaa), ordinals (1st),
// English words (One, First), Chicago marks (*, †, ‡, §, doubled after four), hexadecimal and the
// enclosed digits of Unicode for 1-20.  Numbers a format cannot write fall back to decimal.
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "docx/list_labels.h"

namespace vellumine::docx {
namespace {

// Letters repeat (n - 1) / 26 + 1 times; Word stops at 780 (thirty z).
constexpr int kMaxLetterNumber = 780;
constexpr int kMaxRoman = 3999;
constexpr int kMaxWords = 999999;
constexpr int kMaxChicago = 400;  // a hundred of each mark at most

std::string decimal(int number) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

std::string roman(int number, bool upper) {
  static constexpr std::array<std::pair<int, std::string_view>, 13> kParts = {{
      {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
      {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"},
  }};
  std::string out;
  for (const auto& [value, letters] : kParts) {
    for (; number >= value; number -= value) out += letters;
  }
  if (upper) {
    for (char& c : out) c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string letters(int number, bool upper) {
  const char letter = static_cast<char>((upper ? 'A' : 'a') + (number - 1) % 26);
  return std::string(static_cast<std::size_t>((number - 1) / 26 + 1), letter);
}

std::string_view ordinalSuffix(int number) {
  const int lastTwo = number % 100;
  if (lastTwo >= 11 && lastTwo <= 13) return "th";
  switch (number % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
  }
}

constexpr std::array<std::string_view, 20> kUnits = {
    "Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten",
    "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen",
};
constexpr std::array<std::string_view, 10> kTens = {
    "", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety",
};
constexpr std::array<std::string_view, 20> kOrdinalUnits = {
    "Zeroth", "First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth", "Ninth",
    "Tenth", "Eleventh", "Twelfth", "Thirteenth", "Fourteenth", "Fifteenth", "Sixteenth",
    "Seventeenth", "Eighteenth", "Nineteenth",
};
constexpr std::array<std::string_view, 10> kOrdinalTens = {
    "", "", "Twentieth", "Thirtieth", "Fortieth", "Fiftieth", "Sixtieth", "Seventieth", "Eightieth", "Ninetieth",
};

// 1-99 in words; the last word in its ordinal form when ordinal.
std::string belowHundred(int number, bool ordinal) {
  if (number < 20) return std::string(ordinal ? kOrdinalUnits[number] : kUnits[number]);
  const int tens = number / 10, units = number % 10;
  if (units == 0) return std::string(ordinal ? kOrdinalTens[tens] : kTens[tens]);
  return std::string(kTens[tens]) + "-" + std::string(ordinal ? kOrdinalUnits[units] : kUnits[units]);
}

// 1-999 in words ("One Hundred Twenty-Three").
std::string belowThousand(int number, bool ordinal) {
  const int hundreds = number / 100, rest = number % 100;
  std::string out;
  if (hundreds > 0) {
    out = std::string(kUnits[hundreds]) + " Hundred";
    if (rest == 0) return ordinal ? out + "th" : out;
    out += ' ';
  }
  return out + belowHundred(rest, ordinal);
}

std::string words(int number, bool ordinal) {
  if (number == 0) return std::string(ordinal ? kOrdinalUnits[0] : kUnits[0]);
  const int thousands = number / 1000, rest = number % 1000;
  if (thousands == 0) return belowThousand(rest, ordinal);
  std::string out = belowThousand(thousands, false) + " Thousand";
  if (rest == 0) return ordinal ? out + "th" : out;
  return out + " " + belowThousand(rest, ordinal);
}

std::string chicago(int number) {
  static constexpr std::array<std::string_view, 4> kMarks = {"*", "\xE2\x80\xA0", "\xE2\x80\xA1", "\xC2\xA7"};
  const auto mark = kMarks[static_cast<std::size_t>((number - 1) % 4)];
  std::string out;
  for (int i = 0; i <= (number - 1) / 4; ++i) out += mark;
  return out;
}

std::string hex(int number) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, 16);
  std::string out(buffer, result.ptr);
  for (char& c : out) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// U+2460 (①), U+2474 (⑴), U+2488 (⒈): twenty enclosed numbers each.
std::string enclosed(int number, char32_t first) {
  const char32_t code = first + static_cast<char32_t>(number - 1);
  std::string out;
  out += static_cast<char>(0xE0 | (code >> 12));
  out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (code & 0x3F));
  return out;
}

bool within(int number, int low, int high) { return number >= low && number <= high; }

}  // namespace

std::string formatListNumber(int number, NumberFormat format) {
  switch (format) {
    case NumberFormat::none:
    case NumberFormat::bullet: return {};
    case NumberFormat::decimalZero:
      return within(number, 0, 9) ? "0" + decimal(number) : decimal(number);
    case NumberFormat::upperRoman:
    case NumberFormat::lowerRoman:
      if (within(number, 1, kMaxRoman)) return roman(number, format == NumberFormat::upperRoman);
      break;
    case NumberFormat::upperLetter:
    case NumberFormat::lowerLetter:
      if (within(number, 1, kMaxLetterNumber)) return letters(number, format == NumberFormat::upperLetter);
      break;
    case NumberFormat::ordinal:
      if (number >= 0) return decimal(number) + std::string(ordinalSuffix(number));
      break;
    case NumberFormat::cardinalText:
    case NumberFormat::ordinalText:
      if (within(number, 0, kMaxWords)) return words(number, format == NumberFormat::ordinalText);
      break;
    case NumberFormat::chicago:
      if (within(number, 1, kMaxChicago)) return chicago(number);
      break;
    case NumberFormat::hex:
      if (number >= 0) return hex(number);
      break;
    case NumberFormat::decimalEnclosedCircle:
      if (within(number, 1, 20)) return enclosed(number, 0x2460);
      break;
    case NumberFormat::decimalEnclosedParen:
      if (within(number, 1, 20)) return enclosed(number, 0x2474);
      break;
    case NumberFormat::decimalEnclosedFullstop:
      if (within(number, 1, 20)) return enclosed(number, 0x2488);
      break;
    case NumberFormat::decimal: break;
  }
  return decimal(number);
}

}  // namespace vellumine::docx
