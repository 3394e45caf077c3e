// Forward and backward substring scans over markup, with and without ASCII case folding, for the
// converter passes that must stay linear on damaged input.
#include "convert/markup_scan.h"

#include "text/bytesearch.h"
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
  return findBytesCaseless(text, needle, from);
}

std::size_t findLastCaseless(std::string_view text, std::string_view needle) {
  if (needle.empty() || needle.size() > text.size()) return npos;
  return rfindBytesCaseless(text, needle);
}

std::size_t ForwardFinder::from(std::size_t position) {
  if (!searched_ || (found_ != npos && found_ < position)) {
    found_ = finder_.next(position);
    searched_ = true;
  }
  return found_;
}

std::size_t findStartTag(std::string_view text, std::string_view name, std::size_t from) {
  for (std::size_t at = findBytes(text, name, from); at != std::string_view::npos;
       at = findBytes(text, name, at + 1)) {
    const std::size_t after = at + name.size();
    if (after >= text.size()) break;
    const char ch = text[after];
    if (ch == ' ' || ch == '>' || ch == '/' || ch == '\t' || ch == '\r' || ch == '\n') return at;
  }
  return std::string_view::npos;
}

std::string_view tagAt(std::string_view text, std::size_t at) {
  const std::size_t end = text.find('>', at);
  return text.substr(at, end == std::string_view::npos ? std::string_view::npos : end + 1 - at);
}

}  // namespace vellumine
