// Substring search over byte strings at memory speed: the converter's passes look for short
// markup needles ("<tc", "</tcPr>") whose first byte ("<", "t") occurs every few bytes, where a
// first-byte scan stops at nearly every position.  These searches test the first and the last
// byte of the needle at sixteen positions at once and compare the rest only where both agree.
#pragma once
#include <cstddef>
#include <string_view>

namespace vellumine {

// 0-based position of the first occurrence of needle that starts at or after from; npos when
// there is none.  An empty needle is found at from (when from <= text.size()).
std::size_t findBytes(std::string_view text, std::string_view needle, std::size_t from = 0);
// The same with ASCII letters compared without case (bytes 128-255 compare exactly).
std::size_t findBytesCaseless(std::string_view text, std::string_view needle, std::size_t from = 0);

// Whether needle occurs in text (an empty needle always does).
inline bool containsBytes(std::string_view text, std::string_view needle) {
  return findBytes(text, needle) != std::string_view::npos;
}

// 0-based position of the last occurrence of needle that starts at or before `at` (npos: the end
// of the text); npos when there is none.
std::size_t rfindBytes(std::string_view text, std::string_view needle,
                       std::size_t at = std::string_view::npos);
std::size_t rfindBytesCaseless(std::string_view text, std::string_view needle,
                               std::size_t at = std::string_view::npos);

// Successive searches for one needle in one text, asked with start positions that never
// decrease: the candidates found in one sixteen-byte step are kept for the next call, so a text
// dense with hits ("w:" in a whole document) costs a few instructions per hit, not a new search.
// The text ahead of the last start position must not change between calls (rewriting in place
// behind it is fine).
class ByteFinder {
 public:
  ByteFinder(std::string_view text, std::string_view needle, bool caseless = false);
  // The first occurrence at or after from (npos: none).
  std::size_t next(std::size_t from);

 private:
  std::string_view text_;
  std::string_view needle_;
  bool caseless_;
  unsigned char firstFold_, firstWant_, lastFold_, lastWant_;
  std::size_t blockStart_ = std::string_view::npos;  // the step whose candidates are kept
  unsigned blockMask_ = 0;
};

}  // namespace vellumine
