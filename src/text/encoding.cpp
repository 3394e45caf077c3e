// UTF-8 bytes to UTF-16 code units for the few texts shown in the window's own controls.  Our own
// decoder: every ill-formed sequence (overlong form, surrogate, beyond U+10FFFF, truncated, stray
// continuation byte) becomes one U+FFFD per maximal invalid subpart, as Unicode recommends.
#include "text/encoding.h"

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

void appendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

}  // namespace

std::u16string Utf8ToWide(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    auto lead = static_cast<unsigned char>(s[i]);
    int length = sequenceLength(lead);
    if (length == 1) {
      out.push_back(lead);
      ++i;
      continue;
    }
    if (length == 0) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t cp = lead & (0xFF >> (length + 1));
    std::size_t k = 1;
    for (; k < static_cast<std::size_t>(length) && i + k < s.size(); ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if (k == 1 ? !secondByteFits(lead, c) : !isContinuation(c)) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (k < static_cast<std::size_t>(length)) {
      out.push_back(kReplacement);  // the valid prefix so far is one invalid subpart
    } else {
      appendCodePoint(out, cp);
    }
    i += k;
  }
  return out;
}

}  // namespace vellumine
