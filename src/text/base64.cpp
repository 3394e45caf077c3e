// Base64 encoding: three bytes become four characters of the 64-letter alphabet; a last group of
// one or two bytes is padded with "=".  The text is sized once and filled left to right.
#include "text/base64.h"

#include <cstdint>

namespace vellumine {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::uint32_t byteAt(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

}  // namespace

void AppendBase64(std::string& out, std::string_view bytes) {
  std::size_t at = out.size();
  out.resize(at + Base64Length(bytes.size()));
  char* dest = out.data() + at;
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group = byteAt(bytes, i) << 16 | byteAt(bytes, i + 1) << 8 | byteAt(bytes, i + 2);
    *dest++ = kAlphabet[group >> 18 & 63];
    *dest++ = kAlphabet[group >> 12 & 63];
    *dest++ = kAlphabet[group >> 6 & 63];
    *dest++ = kAlphabet[group & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest == 0) return;
  const std::uint32_t group = byteAt(bytes, i) << 16 | (rest == 2 ? byteAt(bytes, i + 1) << 8 : 0);
  *dest++ = kAlphabet[group >> 18 & 63];
  *dest++ = kAlphabet[group >> 12 & 63];
  *dest++ = rest == 2 ? kAlphabet[group >> 6 & 63] : '=';
  *dest = '=';
}

}  // namespace vellumine
