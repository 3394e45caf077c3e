// A format code is read once into a pattern (literal text before and after the number, decimals,
// grouping, percent, exponent); the number is then written with std::to_chars.  Parts of format
// codes charts do not use on values (dates, colours, conditions, more than one section) are left
// out: a code without any digit placeholder reads as "General".
#include "render/chart_number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "text/chartype.h"

namespace vellumine::render {

namespace {

struct NumberPattern {
  bool general = true;
  std::string prefix, suffix;
  int decimals = 0;
  bool grouping = false, percent = false, exponent = false;
};

bool isPlaceholder(char c) { return c == '0' || c == '#' || c == '?'; }

// The literal of a bracket at code[at] ("[$€-407]" -> "€"); at moves past the bracket.
std::string bracketText(std::string_view code, std::size_t& at) {
  const std::size_t close = code.find(']', at);
  const std::string_view inside = code.substr(at + 1, (close == std::string_view::npos ? code.size() : close) - at - 1);
  at = close == std::string_view::npos ? code.size() : close + 1;
  if (!inside.starts_with('$')) return {};
  return std::string(inside.substr(1, inside.find('-') == std::string_view::npos ? std::string_view::npos
                                                                                  : inside.find('-') - 1));
}

NumberPattern readPattern(std::string_view code) {
  NumberPattern pattern;
  if (code.empty() || EqualsCaseless(code, "General")) return pattern;
  bool inNumber = false, afterPoint = false, seenNumber = false;
  std::size_t at = 0;
  while (at < code.size() && code[at] != ';') {
    const char c = code[at];
    std::string literal;
    if (c == '"') {
      const std::size_t close = code.find('"', at + 1);
      literal = std::string(code.substr(at + 1, (close == std::string_view::npos ? code.size() : close) - at - 1));
      at = close == std::string_view::npos ? code.size() : close + 1;
    } else if (c == '\\' && at + 1 < code.size()) {
      literal = std::string(1, code[at + 1]);
      at += 2;
    } else if (c == '[') {
      literal = bracketText(code, at);
    } else if ((c == '_' || c == '*') && at + 1 < code.size()) {
      at += 2;
      if (c == '_') literal = " ";
    } else if (isPlaceholder(c) || (c == '.' && inNumber) || (c == ',' && inNumber)) {
      inNumber = seenNumber = true;
      if (c == '.') afterPoint = true;
      if (c == ',' && !afterPoint) pattern.grouping = true;
      if (isPlaceholder(c) && afterPoint) ++pattern.decimals;
      ++at;
      continue;
    } else if ((c == 'E' || c == 'e') && inNumber && at + 1 < code.size() && (code[at + 1] == '+' || code[at + 1] == '-')) {
      pattern.exponent = true;
      at += 2;
      while (at < code.size() && isPlaceholder(code[at])) ++at;
      continue;
    } else {
      if (c == '%') pattern.percent = true;
      literal = std::string(1, c);
      ++at;
    }
    inNumber = false;
    (seenNumber ? pattern.suffix : pattern.prefix) += literal;
  }
  if (!seenNumber) return NumberPattern{};
  pattern.general = false;
  pattern.decimals = std::min(pattern.decimals, 10);
  return pattern;
}

std::string grouped(std::string digits) {
  const std::size_t point = std::min(digits.find('.'), digits.size());
  std::string out;
  for (std::size_t k = 0; k < point; ++k) {
    if (k > 0 && (point - k) % 3 == 0) out += ',';
    out += digits[k];
  }
  out.append(digits, point, std::string::npos);
  return out;
}

// magnitude with decimals digits, a half rounded up (2.5 -> "3"), as spreadsheets show it.
std::string fixedDigits(double magnitude, int decimals) {
  const double scale = std::pow(10.0, decimals);
  if (magnitude * scale < 1e15) magnitude = std::round(magnitude * scale) / scale;
  char buffer[64];
  const auto result =
      magnitude < 1e15 ? std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals)
                       : std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

std::string generalDigits(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

std::string formatWith(const NumberPattern& pattern, double value, int generalDecimals) {
  if (!std::isfinite(value)) return std::string();
  if (pattern.percent) value *= 100;
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  std::string digits;
  if (pattern.general) {
    digits = generalDecimals > 0 && magnitude < 1e15 ? fixedDigits(magnitude, generalDecimals) : generalDigits(magnitude);
  } else if (pattern.exponent) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, pattern.decimals);
    digits.assign(buffer, result.ptr);
  } else {
    digits = fixedDigits(magnitude, pattern.decimals);
    if (pattern.grouping && digits.find('e') == std::string::npos) digits = grouped(std::move(digits));
  }
  const bool zero = digits.find_first_not_of("0.,") == std::string::npos;
  std::string out = negative && !zero ? "-" : "";
  out += pattern.prefix;
  out += digits;
  out += pattern.suffix;
  return out;
}

}  // namespace

int decimalsOfStep(double step) {
  if (!(step > 0) || !std::isfinite(step)) return 0;
  for (int decimals = 0; decimals < 10; ++decimals) {
    const double scaled = step * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return decimals;
  }
  return 10;
}

std::string formatChartNumber(double value, std::string_view formatCode) {
  return formatWith(readPattern(formatCode), value, 0);
}

std::string formatChartTick(double value, std::string_view formatCode, int decimals) {
  return formatWith(readPattern(formatCode), value, std::clamp(decimals, 0, 10));
}

}  // namespace vellumine::render
