// Forward and backward substring scans over markup, with and without ASCII case folding, for the
// converter passes that must stay linear on damaged input.
#include "convert/markup_scan.h"

#include "text/chartype.h"

namespace vellumine {

namespace {
constexpr std::size_t npos = std::string_view::npos;
}  // namespace

bool equalsCaseless(std::string_view text, std::size_t at, std::string_view needle) {
  if (at > text.size() || text.size() - at < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (AsciiLower(static_cast<unsigned char>(text[at + i])) !=
        AsciiLower(static_cast<unsigned char>(needle[i]))) {
      return false;
    }
  }
  return true;
}

std::size_t findCaseless(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : npos;
  const unsigned char first = static_cast<unsigned char>(needle[0]);
  if (!IsAsciiLetter(first)) {
    // Markup needles start with '<': jump from one to the next.
    for (std::size_t at = text.find(needle[0], from); at != npos; at = text.find(needle[0], at + 1)) {
      if (equalsCaseless(text, at, needle)) return at;
    }
    return npos;
  }
  for (std::size_t at = from; at < text.size(); ++at) {
    if (equalsCaseless(text, at, needle)) return at;
  }
  return npos;
}

std::size_t findLastCaseless(std::string_view text, std::string_view needle) {
  if (needle.empty() || needle.size() > text.size()) return npos;
  const unsigned char first = static_cast<unsigned char>(needle[0]);
  std::size_t at = text.size() - needle.size();
  for (;;) {
    if (!IsAsciiLetter(first)) {
      at = text.rfind(needle[0], at);
      if (at == npos) return npos;
    }
    if (equalsCaseless(text, at, needle)) return at;
    if (at == 0) return npos;
    --at;
  }
}

std::size_t ForwardFinder::from(std::size_t position) {
  if (!searched_ || (found_ != npos && found_ < position)) {
    found_ = caseless_ ? findCaseless(text_, needle_, position) : text_.find(needle_, position);
    searched_ = true;
  }
  return found_;
}

}  // namespace vellumine
