// Forward and backward substring search, exact and ASCII-caseless, over byte strings.  With SSE2
// (every x86-64) sixteen candidate starts are tested per step by their first and last byte; the
// bytes between are compared only for the few candidates that pass.  Elsewhere a plain scan.
#include "text/bytesearch.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "text/chartype.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VELLUMINE_WIDE_STEPS 1  // AVX2 steps of 32 starts, chosen at run time
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
  if (caseless) return EqualsCaseless(std::string_view(at, middle.size()), middle);
  if (middle.size() > 8) return std::memcmp(at, middle.data(), middle.size()) == 0;
  for (std::size_t k = 0; k < middle.size(); ++k) {
    if (at[k] != middle[k]) return false;
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

// The starts from i on one at a time: the tail too short for a sixteen-byte step, or the whole
// search without SSE2.  A first byte that is not folded is looked for with memchr, so a short
// text (one run, one property block) is not walked byte by byte.
std::size_t searchTail(std::string_view text, std::string_view needle, std::size_t i, EndByte first, EndByte last,
                       bool caseless) {
  const std::size_t m = needle.size();
  if (m > text.size() || i > text.size() - m) return npos;
  const char* data = text.data();
  const std::size_t starts = text.size() - m + 1;  // one past the last start
  if (first.fold == 0) {
    while (i < starts) {
      const void* hit = std::memchr(data + i, first.want, starts - i);
      if (hit == nullptr) return npos;
      i = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
      if (matchesAt(data + i, needle, first, last, caseless)) return i;
      ++i;
    }
    return npos;
  }
  for (; i < starts; ++i) {
    if (matchesAt(data + i, needle, first, last, caseless)) return i;
  }
  return npos;
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

// The steps the forward searches take: Width starts at a time, from i on, while a whole step fits
// in the text.  Returns the first start where the whole needle matches (npos: none in the steps)
// and leaves i at the first start not tested; kept gets the step of the match and its candidate
// bits from the match on, so that ByteFinder can go on from there.
struct Step {
  std::size_t start = npos;
  unsigned mask = 0;
};

template <std::size_t Width, unsigned (*Candidates)(const char*, std::size_t, EndByte, EndByte)>
std::size_t stepForward(std::string_view text, std::string_view needle, std::size_t& i, EndByte first, EndByte last,
                        bool caseless, Step& kept) {
  const char* data = text.data();
  const std::size_t n = text.size();
  const std::size_t m = needle.size();
  const std::string_view middle = middleOf(needle);
  for (; i + Width - 1 + m <= n; i += Width) {
    for (unsigned mask = Candidates(data + i, m, first, last); mask != 0; mask &= mask - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (sameMiddle(data + at + 1, middle, caseless)) {
        kept = {i, mask};
        return at;
      }
    }
  }
  return npos;
}

std::size_t narrowSteps(std::string_view text, std::string_view needle, std::size_t& i, EndByte first, EndByte last,
                        bool caseless, Step& kept) {
  return stepForward<16, candidates>(text, needle, i, first, last, caseless, kept);
}
#endif

#if defined(VELLUMINE_WIDE_STEPS)
__attribute__((target("avx2"))) unsigned wideCandidates(const char* p, std::size_t m, EndByte first, EndByte last) {
  const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + m - 1));
  const __m256i fa = _mm256_or_si256(a, _mm256_set1_epi8(static_cast<char>(first.fold)));
  const __m256i fb = _mm256_or_si256(b, _mm256_set1_epi8(static_cast<char>(last.fold)));
  const __m256i hit =
      _mm256_and_si256(_mm256_cmpeq_epi8(fa, _mm256_set1_epi8(static_cast<char>(first.want))),
                       _mm256_cmpeq_epi8(fb, _mm256_set1_epi8(static_cast<char>(last.want))));
  return static_cast<unsigned>(_mm256_movemask_epi8(hit));
}

// flatten: the step loop and the candidate test are compiled into this function, for AVX2.
__attribute__((target("avx2"), flatten)) std::size_t wideSteps(std::string_view text, std::string_view needle,
                                                               std::size_t& i, EndByte first, EndByte last,
                                                               bool caseless, Step& kept) {
  return stepForward<32, wideCandidates>(text, needle, i, first, last, caseless, kept);
}

// VELLUMINE_SEARCH_STEPS=16 keeps the SSE2 steps on a processor with AVX2, so that the tests can
// check both kinds of step on one machine.
bool wideStepsWanted() {
  const char* steps = std::getenv("VELLUMINE_SEARCH_STEPS");
  return steps == nullptr || std::strcmp(steps, "16") != 0;
}

const bool kWideSteps = __builtin_cpu_supports("avx2") && wideStepsWanted();
#endif

// The forward steps this machine takes best, and how many starts one step tests.
std::size_t steps(std::string_view text, std::string_view needle, std::size_t& i, EndByte first, EndByte last,
                  bool caseless, Step& kept) {
#if defined(VELLUMINE_WIDE_STEPS)
  if (kWideSteps) return wideSteps(text, needle, i, first, last, caseless, kept);
#endif
#if defined(__SSE2__)
  return narrowSteps(text, needle, i, first, last, caseless, kept);
#else
  (void)text, (void)needle, (void)i, (void)first, (void)last, (void)caseless, (void)kept;
  return npos;
#endif
}

std::size_t stepWidth() {
#if defined(VELLUMINE_WIDE_STEPS)
  if (kWideSteps) return 32;
#endif
  return 16;
}

std::size_t searchForward(std::string_view text, std::string_view needle, std::size_t from, bool caseless) {
  const std::size_t n = text.size();
  const std::size_t m = needle.size();
  if (from > n) return npos;
  if (m == 0) return from;
  if (m > n - from) return npos;
  const EndByte first = endByte(needle.front(), caseless);
  const EndByte last = endByte(needle.back(), caseless);
  std::size_t i = from;
  Step kept;
  const std::size_t at = steps(text, needle, i, first, last, caseless, kept);
  if (at != npos) return at;
  return searchTail(text, needle, i, first, last, caseless);
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
  std::size_t i = from;
  // Candidates of the kept step at or after from.
  const std::size_t width = stepWidth();
  if (blockStart_ != npos && from >= blockStart_ && from - blockStart_ < width) {
    const char* data = text_.data();
    const std::string_view middle = middleOf(needle_);
    unsigned mask = blockMask_ & (~0u << (from - blockStart_));
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t at = blockStart_ + static_cast<std::size_t>(__builtin_ctz(mask));
      if (sameMiddle(data + at + 1, middle, caseless_)) {
        blockMask_ = mask;
        return at;
      }
    }
    i = blockStart_ + width;
  }
  Step kept;
  const std::size_t at = steps(text_, needle_, i, first, last, caseless_, kept);
  if (at != npos) {
    blockStart_ = kept.start;
    blockMask_ = kept.mask;
    return at;
  }
  return searchTail(text_, needle_, i, first, last, caseless_);
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
