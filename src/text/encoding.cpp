// UTF-8 bytes to UTF-16 code units for the few texts shown in the window's own controls, and
// document parts made valid UTF-8.  Our own decoder: every ill-formed sequence (overlong form,
// surrogate, beyond U+10FFFF, truncated, stray continuation byte) becomes one U+FFFD per maximal
// invalid subpart, as Unicode recommends and browsers do.
#include "text/encoding.h"

#include <cstdint>
#include <cstring>

namespace vellumine {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The allowed range of the second byte narrows for E0, ED, F0 and F4 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF); every later byte is a plain continuation byte.
bool secondByteFits(unsigned char lead, unsigned char c) {
  switch (lead) {
    case 0xE0: return c >= 0xA0 && c <= 0xBF;
    case 0xED: return c >= 0x80 && c <= 0x9F;
    case 0xF0: return c >= 0x90 && c <= 0xBF;
    case 0xF4: return c >= 0x80 && c <= 0x8F;
    default: return isContinuation(c);
  }
}

int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;  // continuation byte, C0, C1, F5-FF: never a lead byte
}

// One sequence at s[i]: its length in bytes (at least 1) and its code point, or kInvalid for a
// maximal invalid subpart of that length.
constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Sequence {
  std::size_t length;
  char32_t codePoint;
};

Sequence sequenceAt(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const int length = sequenceLength(lead);
  if (length == 1) return {1, lead};
  if (length == 0) return {1, kInvalid};
  char32_t cp = lead & (0xFF >> (length + 1));
  std::size_t k = 1;
  for (; k < static_cast<std::size_t>(length) && i + k < s.size(); ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? !secondByteFits(lead, c) : !isContinuation(c)) break;
    cp = (cp << 6) | (c & 0x3F);
  }
  // A shorter run is one invalid subpart: the byte that broke it starts the next sequence.
  return {k, k < static_cast<std::size_t>(length) ? kInvalid : cp};
}

void appendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// The end of the leading run of ASCII bytes from i, eight at a time where the text allows.
std::size_t asciiRunEnd(std::string_view s, std::size_t i) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  while (i + 8 <= s.size()) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if ((word & kHighBits) != 0) break;
    i += 8;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

}  // namespace

std::u16string Utf8ToWide(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const Sequence sequence = sequenceAt(s, i);
    if (sequence.codePoint == kInvalid) {
      out.push_back(kReplacement);
    } else {
      appendCodePoint(out, sequence.codePoint);
    }
    i += sequence.length;
  }
  return out;
}

std::string ValidUtf8(std::string text) {
  std::string out;  // built only once an invalid subpart turns up
  bool replaced = false;
  std::size_t copied = 0;
  for (std::size_t i = asciiRunEnd(text, 0); i < text.size(); i = asciiRunEnd(text, i)) {
    const Sequence sequence = sequenceAt(text, i);
    if (sequence.codePoint == kInvalid) {
      if (!replaced) out.reserve(text.size() + text.size() / 8);
      replaced = true;
      out.append(text, copied, i - copied).append(kUtf8Replacement);
      copied = i + sequence.length;
    }
    i += sequence.length;
  }
  if (!replaced) return text;
  out.append(text, copied);
  return out;
}

}  // namespace vellumine
