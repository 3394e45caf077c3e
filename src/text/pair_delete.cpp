// Sixteen bytes at a time where the processor can shuffle bytes (SSSE3): the bytes to drop form a
// mask, and each half of the block is packed to its kept bytes with a table-driven shuffle, so a
// dense text costs a few instructions per sixteen bytes instead of a search and a move per hit.
#include "text/pair_delete.h"

#include <array>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VELLUMINE_PACKED_DELETE 1
#endif

namespace vellumine {

namespace {

#if defined(VELLUMINE_PACKED_DELETE)
// For each 8-bit drop mask, the shuffle that moves the kept bytes of an 8-byte half to its front.
constexpr std::array<std::array<std::uint8_t, 16>, 256> makePackTable() {
  std::array<std::array<std::uint8_t, 16>, 256> table{};
  for (unsigned drop = 0; drop < 256; ++drop) {
    unsigned kept = 0;
    for (unsigned k = 0; k < 8; ++k) {
      if ((drop & (1u << k)) == 0) table[drop][kept++] = static_cast<std::uint8_t>(k);
    }
    for (; kept < 16; ++kept) table[drop][kept] = 0x80;  // zero: beyond what is kept
  }
  return table;
}

constexpr auto kPackTable = makePackTable();

const bool kCanShuffle = __builtin_cpu_supports("ssse3");

// Packs [in, ...) block by block while a block and the byte after it are in the text; in and out
// advance, dropFirst carries a pair that straddles two blocks.
__attribute__((target("ssse3"))) void deletePacked(char* data, std::size_t n, char first, char second,
                                                    std::size_t& in, std::size_t& out, unsigned& dropFirst) {
  const __m128i wantFirst = _mm_set1_epi8(first);
  const __m128i wantSecond = _mm_set1_epi8(second);
  for (; in + 17 <= n; in += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + in));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + in + 1));
    const unsigned starts = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(block, wantFirst), _mm_cmpeq_epi8(next, wantSecond))));
    const unsigned drop = starts | (starts << 1) | dropFirst;
    dropFirst = (drop >> 16) & 1u;
    // Stores reach at most in + 16, all of it already loaded; out never passes in.
    if ((drop & 0xFFFFu) == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(data + out), block);
      out += 16;
      continue;
    }
    const unsigned low = drop & 0xFFu;
    const unsigned high = (drop >> 8) & 0xFFu;
    const __m128i lowShuffle = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kPackTable[low].data()));
    const __m128i highShuffle = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kPackTable[high].data()));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(data + out), _mm_shuffle_epi8(block, lowShuffle));
    out += 8 - static_cast<std::size_t>(__builtin_popcount(low));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(data + out),
                     _mm_shuffle_epi8(_mm_srli_si128(block, 8), highShuffle));
    out += 8 - static_cast<std::size_t>(__builtin_popcount(high));
  }
}
#endif

}  // namespace

void DeleteAllPairs(std::string& text, char first, char second) {
  char* data = text.data();
  const std::size_t n = text.size();
  std::size_t in = 0;
  std::size_t out = 0;
  unsigned dropFirst = 0;  // 1: the byte at `in` ends a pair that began in the last block
#if defined(VELLUMINE_PACKED_DELETE)
  if (kCanShuffle) deletePacked(data, n, first, second, in, out, dropFirst);
#endif
  if (dropFirst != 0) ++in;
  while (in < n) {
    if (data[in] == first && in + 1 < n && data[in + 1] == second) {
      in += 2;
    } else {
      data[out++] = data[in++];
    }
  }
  text.resize(out);
}

}  // namespace vellumine
