// Byte classes for the text layer from one ASCII-only table, so that neither the C library's
// locale nor UTF-8 bytes (128-255) ever change what a letter, digit or blank is.
#include "text/chartype.h"

#include <array>

namespace vellumine {

namespace {

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

constexpr std::array<std::uint8_t, 256> kClasses = buildClassTable();

bool has(unsigned char c, std::uint8_t bits) { return (kClasses[c] & bits) != 0; }

}  // namespace

bool IsAsciiUpper(unsigned char c) { return has(c, kUpper); }
bool IsAsciiLower(unsigned char c) { return has(c, kLower); }
bool IsAsciiLetter(unsigned char c) { return has(c, kUpper | kLower); }
bool IsAsciiDigit(unsigned char c) { return has(c, kDigit); }
bool IsAsciiHexDigit(unsigned char c) { return has(c, kHex); }
bool IsAsciiSpace(unsigned char c) { return has(c, kSpace); }
bool IsAsciiPunct(unsigned char c) { return has(c, kPunct); }
bool IsAsciiControl(unsigned char c) { return has(c, kControl); }
unsigned char AsciiLower(unsigned char c) {
  return IsAsciiUpper(c) ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}
unsigned char AsciiUpper(unsigned char c) {
  return IsAsciiLower(c) ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

}  // namespace vellumine
