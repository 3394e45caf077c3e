// Byte classification for the text layer, and the caseless byte compare built on it: ASCII only,
// never the C library's locale (Qt sets the locale at start-up).  Bytes 128-255 are never letters,
// digits or blanks, so UTF-8 sequences pass through every classification and case folding
// untouched.  Inline: the scans of every pass call these once per byte.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vellumine {

namespace chartype_detail {

enum : std::uint8_t {
  kUpper = 1 << 0,
  kLower = 1 << 1,
  kDigit = 1 << 2,
  kHex = 1 << 3,
  kSpace = 1 << 4,
  kPunct = 1 << 5,
  kControl = 1 << 6,
};

constexpr std::array<std::uint8_t, 256> buildClassTable() {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    std::uint8_t bits = 0;
    if (c >= 'A' && c <= 'Z') bits |= kUpper;
    if (c >= 'a' && c <= 'z') bits |= kLower;
    if (c >= '0' && c <= '9') bits |= kDigit | kHex;
    if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) bits |= kHex;
    if (c == ' ' || (c >= '\t' && c <= '\r')) bits |= kSpace;
    if ((c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
        (c >= '{' && c <= '~'))
      bits |= kPunct;
    if (c < 0x20 || c == 0x7F) bits |= kControl;
    // 128-255: never letters, digits, blanks, punctuation or controls (pieces of UTF-8).
    t[static_cast<std::size_t>(c)] = bits;
  }
  return t;
}

inline constexpr std::array<std::uint8_t, 256> kClasses = buildClassTable();

constexpr bool has(unsigned char c, std::uint8_t bits) { return (kClasses[c] & bits) != 0; }

}  // namespace chartype_detail

constexpr bool IsAsciiUpper(unsigned char c) { return chartype_detail::has(c, chartype_detail::kUpper); }
constexpr bool IsAsciiLower(unsigned char c) { return chartype_detail::has(c, chartype_detail::kLower); }
constexpr bool IsAsciiLetter(unsigned char c) {
  return chartype_detail::has(c, chartype_detail::kUpper | chartype_detail::kLower);
}
constexpr bool IsAsciiDigit(unsigned char c) { return chartype_detail::has(c, chartype_detail::kDigit); }
constexpr bool IsAsciiHexDigit(unsigned char c) { return chartype_detail::has(c, chartype_detail::kHex); }
// blank, \t \n \v \f \r
constexpr bool IsAsciiSpace(unsigned char c) { return chartype_detail::has(c, chartype_detail::kSpace); }
constexpr bool IsAsciiPunct(unsigned char c) { return chartype_detail::has(c, chartype_detail::kPunct); }
constexpr bool IsAsciiControl(unsigned char c) { return chartype_detail::has(c, chartype_detail::kControl); }
constexpr unsigned char AsciiLower(unsigned char c) {
  return IsAsciiUpper(c) ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}
constexpr unsigned char AsciiUpper(unsigned char c) {
  return IsAsciiLower(c) ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

// The value of a hexadecimal digit (either case), -1 for any other byte.
constexpr int AsciiHexValue(unsigned char c) {
  if (IsAsciiDigit(c)) return c - '0';
  return IsAsciiHexDigit(c) ? AsciiLower(c) - 'a' + 10 : -1;
}

// Whether a and b hold the same bytes, ASCII letters compared without case (bytes 128-255 exactly).
constexpr bool EqualsCaseless(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(static_cast<unsigned char>(a[i])) != AsciiLower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}
// Whether text holds needle at position at, compared as EqualsCaseless does; false past the end.
constexpr bool EqualsCaselessAt(std::string_view text, std::size_t at, std::string_view needle) {
  return at <= text.size() && text.size() - at >= needle.size() &&
         EqualsCaseless(text.substr(at, needle.size()), needle);
}

}  // namespace vellumine
