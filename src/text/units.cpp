// Twips, half-points and fiftieths of a percent (as decimal text) to the pixel and percent texts
// written into CSS and HTML attributes.  Integer arithmetic only, rounding halves to even, and
// std::from_chars/to_chars so that no locale ever touches a number.
#include "text/units.h"

#include <charconv>
#include <cstdint>

#include "text/chartype.h"
#include "text/strutil.h"
#include "text/wsregex.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

// Fraction digits past this many only tell whether the number lies above the value of the first
// nine (a sticky last bit below keeps that), so every sum stays below 2^63 whatever the length.
constexpr int kMaxFractionDigits = 9;

[[noreturn]] void throwNotAnInteger(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

DecimalFraction readDecimalOrThrow(std::string_view text) {
  std::optional<DecimalFraction> number = ReadDecimal(text);
  if (!number) throwNotAnInteger(text);
  return *number;
}

}  // namespace

std::optional<DecimalFraction> ReadDecimal(std::string_view text) {
  std::string_view digits = TrimBlanks(text);
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  const std::size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  // The part before the point within a 32-bit integer's range, so that a text without a point
  // reads exactly as StrToInt reads it.
  const long long wholeLimit = negative ? 2147483648LL : 2147483647LL;
  DecimalFraction number;
  for (char ch : whole) {
    if (!IsAsciiDigit(static_cast<unsigned char>(ch))) return std::nullopt;
    number.num = number.num * 10 + (ch - '0');
    if (number.num > wholeLimit) return std::nullopt;
  }
  bool beyond = false;  // a non-zero digit past the ones kept
  int kept = 0;
  for (char ch : fraction) {
    if (!IsAsciiDigit(static_cast<unsigned char>(ch))) return std::nullopt;
    if (kept == kMaxFractionDigits) {
      beyond = beyond || ch != '0';
      continue;
    }
    number.num = number.num * 10 + (ch - '0');
    number.den *= 10;
    ++kept;
  }
  if (beyond) {  // strictly between two kept values: never a tie, and rounded as the exact number
    number.num = number.num * 2 + 1;
    number.den *= 2;
  }
  if (negative) number.num = -number.num;
  return number;
}

int StrToRoundedInt(std::string_view text) {
  const DecimalFraction number = readDecimalOrThrow(text);
  const long long value = NearestQuotient(number.num, number.den);
  if (value < INT32_MIN || value > INT32_MAX) throwNotAnInteger(text);
  return static_cast<int>(value);
}

int StrToInt(std::string_view text) {
  std::string_view digits = TrimBlanks(text);
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  // Digits only: from_chars would also take a second sign, which is no integer text.
  std::int64_t magnitude = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  bool valid = !digits.empty() && IsAsciiDigit(static_cast<unsigned char>(digits.front())) &&
               error == std::errc() && end == digits.data() + digits.size();
  std::int64_t value = negative ? -magnitude : magnitude;
  if (!valid || value < INT32_MIN || value > INT32_MAX) throwNotAnInteger(text);
  return static_cast<int>(value);
}

std::string DecimalText(long long value) {
  char digits[24];  // any long long with its sign
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

long long NearestQuotient(long long num, long long den) {
  long long q = num / den;
  long long r = num % den;
  if (r < 0) {  // floor division, so that 0 <= r < den
    --q;
    r += den;
  }
  long long rest = den - r;  // compare 2r with den without overflow
  if (r > rest || (r == rest && (q % 2 != 0))) ++q;
  return q;
}

std::string TwipsToPx(std::string_view text) {
  if (TrimBlanks(text).empty()) return {};
  const DecimalFraction twips = readDecimalOrThrow(text);
  long long px = NearestQuotient(twips.num, twips.den * twipsPerPixel);
  // A hairline of a few twips still gets one pixel: a non-zero length never vanishes.
  if (px == 0 && twips.num != 0) return "1";
  return DecimalText(px);
}

std::string HalfPointsToPx(std::string_view text) {
  const DecimalFraction halfPoints = readDecimalOrThrow(text);
  return DecimalText(NearestQuotient(2 * halfPoints.num, 3 * halfPoints.den)) + "px";
}

std::string WidthToCss(std::string_view element) {
  std::string w = AttrValue(element, "w");
  if (w.empty() || w == "0") return {};
  std::string type = AttrValue(element, "type");
  if (type == "pct") {
    const DecimalFraction width = readDecimalOrThrow(w);
    return DecimalText(NearestQuotient(width.num, 50 * width.den)) + "%";
  }
  if (type == "dxa") return TwipsToPx(w) + "px";
  return w;
}

void ConvertMatchesToPx(TWSRegEx& regex, std::string& text, int group, std::string_view prefix,
                        std::string_view suffix) {
  regex.SetSubject(text);
  if (!regex.MatchNext()) return;
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t copyFrom = 0;
  do {
    auto start = static_cast<std::size_t>(regex.MatchStart() - 1);
    out.append(text, copyFrom, start - copyFrom);
    out.append(prefix);
    out.append(TwipsToPx(regex.Submatch(group)));
    out.append(suffix);
    copyFrom = static_cast<std::size_t>(regex.MatchEnd() - 1);
  } while (regex.MatchNext());
  out.append(text, copyFrom);
  text = std::move(out);
}

}  // namespace vellumine
