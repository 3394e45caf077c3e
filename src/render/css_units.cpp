// Unit conversions for the page writer, in integers: every length becomes hundredths of its CSS
// unit first, so no floating-point text (and no locale) is ever involved.
#include "render/css_units.h"

#include <charconv>

namespace vellumine::render {

namespace {

// Far past any page: keeps the arithmetic below clear of overflow for hostile values.
constexpr long long kLimit = 1'000'000'000'000LL;

long long clamped(long long value) { return value > kLimit ? kLimit : value < -kLimit ? -kLimit : value; }

}  // namespace

void appendInteger(std::string& out, long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendHundredths(std::string& out, long long hundredths) {
  if (hundredths < 0) {
    out += '-';
    hundredths = -hundredths;
  }
  appendInteger(out, hundredths / 100);
  const long long fraction = hundredths % 100;
  if (fraction == 0) return;
  out += '.';
  out += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
}

long long hundredthsOf(long long n, long long d) {
  const long long scaled = clamped(n) * 100;
  return scaled >= 0 ? (scaled + d / 2) / d : -((-scaled + d / 2) / d);
}

void appendTwipsPx(std::string& out, long long twips) {
  appendHundredths(out, hundredthsOf(twips, 15));
  out += "px";
}

void appendHalfPointsPt(std::string& out, long long halfPoints) {
  appendHundredths(out, clamped(halfPoints) * 50);
  out += "pt";
}

void appendEmuPx(std::string& out, long long emu) {
  appendHundredths(out, hundredthsOf(emu, 9525));
  out += "px";
}

void appendEighthsPx(std::string& out, long long eighths) {
  appendHundredths(out, hundredthsOf(eighths, 6));
  out += "px";
}

void appendColor(std::string& out, std::uint32_t rgb) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '#';
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(rgb >> shift) & 0xF];
}

bool isDarkFill(std::uint32_t rgb) {
  const long long r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return (299 * r + 587 * g + 114 * b) < 110 * 1000;
}

}  // namespace vellumine::render
