// Forward and backward substring search, exact and ASCII-caseless, over byte strings.  With SSE2
// (every x86-64) sixteen candidate starts are tested per step by their first and last byte; the
// bytes between are compared only for the few candidates that pass.  Elsewhere a plain scan.
#include "text/bytesearch.h"

#include <cstdint>
#include <cstring>

#include "text/chartype.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// How one end byte of the needle is recognised: (byte | fold) == want.  For a letter compared
// without case fold is 0x20 and want the lower-case letter; otherwise fold is 0 and want the byte.
struct EndByte {
  unsigned char fold;
  unsigned char want;
};

EndByte endByte(char c, bool caseless) {
  const auto b = static_cast<unsigned char>(c);
  if (caseless && IsAsciiLetter(b)) return {0x20, AsciiLower(b)};
  return {0, b};
}

// The needle's bytes between its first and last (those two are tested already); short middles,
// the common case for markup needles, without a library call.
bool sameMiddle(const char* at, std::string_view middle, bool caseless) {
  if (!caseless && middle.size() > 8) return std::memcmp(at, middle.data(), middle.size()) == 0;
  for (std::size_t k = 0; k < middle.size(); ++k) {
    const auto a = static_cast<unsigned char>(at[k]);
    const auto b = static_cast<unsigned char>(middle[k]);
    if (caseless ? AsciiLower(a) != AsciiLower(b) : a != b) return false;
  }
  return true;
}

// The bytes between the first and the last of a needle of at least two bytes.
std::string_view middleOf(std::string_view needle) {
  return needle.size() > 2 ? needle.substr(1, needle.size() - 2) : std::string_view();
}

bool matchesAt(const char* at, std::string_view needle, EndByte first, EndByte last, bool caseless) {
  const std::size_t m = needle.size();
  return (static_cast<unsigned char>(at[0]) | first.fold) == first.want &&
         (static_cast<unsigned char>(at[m - 1]) | last.fold) == last.want &&
         sameMiddle(at + 1, middleOf(needle), caseless);
}

#if defined(__SSE2__)
// Bit k set when the candidate starting at p + k has the needle's first and last byte.
unsigned candidates(const char* p, std::size_t m, EndByte first, EndByte last) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m - 1));
  const __m128i fa = _mm_or_si128(a, _mm_set1_epi8(static_cast<char>(first.fold)));
  const __m128i fb = _mm_or_si128(b, _mm_set1_epi8(static_cast<char>(last.fold)));
  const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(fa, _mm_set1_epi8(static_cast<char>(first.want))),
                                    _mm_cmpeq_epi8(fb, _mm_set1_epi8(static_cast<char>(last.want))));
  return static_cast<unsigned>(_mm_movemask_epi8(hit));
}
#endif

std::size_t searchForward(std::string_view text, std::string_view needle, std::size_t from, bool caseless) {
  const std::size_t n = text.size();
  const std::size_t m = needle.size();
  if (from > n) return npos;
  if (m == 0) return from;
  if (m > n - from) return npos;
  const EndByte first = endByte(needle.front(), caseless);
  const EndByte last = endByte(needle.back(), caseless);
  const char* data = text.data();
  const std::string_view middle = middleOf(needle);
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen starts i..i+15 read bytes up to i + 15 + m - 1.
  for (; i + 15 + m <= n; i += 16) {
    for (unsigned mask = candidates(data + i, m, first, last); mask != 0; mask &= mask - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (sameMiddle(data + at + 1, middle, caseless)) return at;
    }
  }
#endif
  for (; i + m <= n; ++i) {
    if (matchesAt(data + i, needle, first, last, caseless)) return i;
  }
  return npos;
}

std::size_t searchBackward(std::string_view text, std::string_view needle, std::size_t at, bool caseless) {
  const std::size_t n = text.size();
  const std::size_t m = needle.size();
  if (m > n) return npos;
  std::size_t lastStart = n - m;
  if (at < lastStart) lastStart = at;
  if (m == 0) return lastStart;
  const EndByte first = endByte(needle.front(), caseless);
  const EndByte last = endByte(needle.back(), caseless);
  const char* data = text.data();
  const std::string_view middle = middleOf(needle);
  // Candidate starts still to test: [0, end).
  std::size_t end = lastStart + 1;
#if defined(__SSE2__)
  for (; end >= 16; end -= 16) {
    const std::size_t base = end - 16;
    for (unsigned mask = candidates(data + base, m, first, last); mask != 0;) {
      const unsigned bit = 31u - static_cast<unsigned>(__builtin_clz(mask));
      const std::size_t start = base + bit;
      if (sameMiddle(data + start + 1, middle, caseless)) return start;
      mask &= ~(1u << bit);
    }
  }
#endif
  while (end > 0) {
    --end;
    if (matchesAt(data + end, needle, first, last, caseless)) return end;
  }
  return npos;
}

}  // namespace

ByteFinder::ByteFinder(std::string_view text, std::string_view needle, bool caseless)
    : text_(text), needle_(needle), caseless_(caseless) {
  const EndByte first = endByte(needle.empty() ? '\0' : needle.front(), caseless);
  const EndByte last = endByte(needle.empty() ? '\0' : needle.back(), caseless);
  firstFold_ = first.fold;
  firstWant_ = first.want;
  lastFold_ = last.fold;
  lastWant_ = last.want;
}

std::size_t ByteFinder::next(std::size_t from) {
  const std::size_t n = text_.size();
  const std::size_t m = needle_.size();
  if (m == 0 || from > n || m > n - from) return m == 0 && from <= n ? from : npos;
  const EndByte first{firstFold_, firstWant_};
  const EndByte last{lastFold_, lastWant_};
  const char* data = text_.data();
  const std::string_view middle = middleOf(needle_);
  std::size_t i = from;
#if defined(__SSE2__)
  // Candidates of the kept step at or after from.
  if (blockStart_ != npos && from >= blockStart_ && from - blockStart_ < 16) {
    unsigned mask = blockMask_ & (~0u << (from - blockStart_));
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t at = blockStart_ + static_cast<std::size_t>(__builtin_ctz(mask));
      if (sameMiddle(data + at + 1, middle, caseless_)) {
        blockMask_ = mask;
        return at;
      }
    }
    i = blockStart_ + 16;
  }
  for (; i + 15 + m <= n; i += 16) {
    for (unsigned mask = candidates(data + i, m, first, last); mask != 0; mask &= mask - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (sameMiddle(data + at + 1, middle, caseless_)) {
        blockStart_ = i;
        blockMask_ = mask;
        return at;
      }
    }
  }
#endif
  for (; i + m <= n; ++i) {
    if (matchesAt(data + i, needle_, first, last, caseless_)) return i;
  }
  return npos;
}

std::size_t findBytes(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.size() == 1) return text.find(needle[0], from);  // memchr
  return searchForward(text, needle, from, false);
}

std::size_t findBytesCaseless(std::string_view text, std::string_view needle, std::size_t from) {
  return searchForward(text, needle, from, true);
}

std::size_t rfindBytes(std::string_view text, std::string_view needle, std::size_t at) {
  if (needle.size() == 1) return text.rfind(needle[0], at);
  return searchBackward(text, needle, at, false);
}

std::size_t rfindBytesCaseless(std::string_view text, std::string_view needle, std::size_t at) {
  return searchBackward(text, needle, at, true);
}

}  // namespace vellumine
