// The fields of a mail link and the ranges that take the refused ones out: one pass over the
// link, each name decoded at most as far as the longest allowed name.  The separators '?' and
// '&' always stand for a whole piece of the written value (a byte, &amp;, &quest; or a numeric
// reference), so every range here falls between pieces and maps to written bytes exactly.
#include "html/mail_link.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "html/url_policy.h"
#include "text/chartype.h"

namespace vellumine::html {

namespace {

constexpr std::array<std::string_view, 4> kAllowedNames = {"subject", "body", "cc", "bcc"};
constexpr std::size_t kLongestAllowedName = 7;

// "%61" is 'a' to a mail program: a name is compared with its escapes decoded once.  Past the
// longest allowed name it cannot be allowed, whatever the rest holds.
bool isAllowedName(std::string_view field) {
  std::string name;
  for (std::size_t i = 0; i < field.size() && field[i] != '=' && name.size() <= kLongestAllowedName; ++i) {
    const int high = i + 2 < field.size() ? AsciiHexValue(static_cast<unsigned char>(field[i + 1])) : -1;
    const int low = high >= 0 ? AsciiHexValue(static_cast<unsigned char>(field[i + 2])) : -1;
    if (field[i] == '%' && low >= 0) {
      name += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      name += field[i];
    }
  }
  return std::any_of(kAllowedNames.begin(), kAllowedNames.end(),
                     [&](std::string_view allowed) { return EqualsCaseless(name, allowed); });
}

// The refused ranges in the written value's offsets, in order, adjacent ones joined.
class RefusedRanges {
 public:
  explicit RefusedRanges(std::span<const std::size_t> rawStart) : rawStart_(rawStart) {}

  void add(std::size_t begin, std::size_t end) {
    begin = written(begin);
    end = written(end);
    if (!ranges_.empty() && ranges_.back().end == begin) {
      ranges_.back().end = end;
    } else if (begin < end) {
      ranges_.push_back({begin, end});
    }
  }

  bool isOneWrittenByte(std::size_t at) const { return written(at + 1) - written(at) == 1; }
  std::vector<ByteRange> take() { return std::move(ranges_); }

 private:
  std::size_t written(std::size_t at) const { return rawStart_.empty() ? at : rawStart_[at]; }

  std::span<const std::size_t> rawStart_;
  std::vector<ByteRange> ranges_;
};

}  // namespace

std::vector<ByteRange> refusedMailFieldRanges(std::string_view url, std::span<const std::size_t> rawStart) {
  if (linkScheme(url) != "mailto") return {};
  RefusedRanges refused(rawStart);
  const std::size_t first = url.find_first_of("?&", url.find(':') + 1);
  bool kept = false;
  for (std::size_t p = first; p != std::string_view::npos;) {
    const std::size_t next = url.find_first_of("?&", p + 1);
    const std::size_t end = next == std::string_view::npos ? url.size() : next;
    if (isAllowedName(url.substr(p + 1, end - p - 1))) {
      // The fields before the first kept one go; so does the first separator, unless it can stay.
      if (!kept && p != first) {
        if (refused.isOneWrittenByte(first)) {
          refused.add(first + 1, p + 1);
        } else {
          refused.add(first, p);
        }
      }
      kept = true;
    } else if (kept) {
      refused.add(p, end);
    }
    p = next;
  }
  if (!kept && first != std::string_view::npos) refused.add(first, url.size());
  return refused.take();
}

}  // namespace vellumine::html
