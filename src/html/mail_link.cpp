// The fields of a mail link and the ranges that take the refused ones out.  One pass over the
// link; each name is decoded at most as far as the longest allowed name.  The separators '?' and
// '&' always stand for a whole piece of the written value (a byte, &amp;, &quest; or a numeric
// reference), so every range here falls between pieces and maps to written bytes exactly.
#include "html/mail_link.h"

#include <algorithm>
#include <array>
#include <string>

#include "html/url_policy.h"
#include "text/chartype.h"

namespace vellumine::html {

namespace {

constexpr std::array<std::string_view, 4> kAllowedNames = {"subject", "body", "cc", "bcc"};
constexpr std::size_t kLongestAllowedName = 7;

struct MailField {
  std::size_t separator;  // the '?' or '&' before it
  std::size_t end;        // the next separator, or the end of the link
  bool allowed;
};

// "%61" is 'a' to a mail program: a name is compared with its escapes decoded once.  Past the
// longest allowed name it cannot be allowed, whatever the rest holds.
bool isAllowedName(std::string_view field) {
  const std::string_view written = field.substr(0, field.find('='));
  std::string name;
  for (std::size_t i = 0; i < written.size() && name.size() <= kLongestAllowedName; ++i) {
    const int high = i + 2 < written.size() ? AsciiHexValue(static_cast<unsigned char>(written[i + 1])) : -1;
    const int low = high >= 0 ? AsciiHexValue(static_cast<unsigned char>(written[i + 2])) : -1;
    if (written[i] == '%' && low >= 0) {
      name += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      name += written[i];
    }
  }
  return std::any_of(kAllowedNames.begin(), kAllowedNames.end(),
                     [&](std::string_view allowed) { return EqualsCaseless(name, allowed); });
}

std::vector<MailField> readFields(std::string_view url, std::size_t from) {
  std::vector<MailField> fields;
  for (std::size_t p = url.find_first_of("?&", from); p != std::string_view::npos;) {
    const std::size_t next = url.find_first_of("?&", p + 1);
    const std::size_t end = next == std::string_view::npos ? url.size() : next;
    fields.push_back({p, end, isAllowedName(url.substr(p + 1, end - p - 1))});
    p = next;
  }
  return fields;
}

// Ranges in url's offsets, in order, adjacent ones joined.
std::vector<ByteRange> refusedRanges(const std::vector<MailField>& fields, std::size_t urlSize,
                                     bool firstSeparatorIsOneByte) {
  std::vector<ByteRange> ranges;
  const auto add = [&](std::size_t begin, std::size_t end) {
    if (!ranges.empty() && ranges.back().end == begin) {
      ranges.back().end = end;
    } else if (begin < end) {
      ranges.push_back({begin, end});
    }
  };
  const auto firstKept = std::find_if(fields.begin(), fields.end(), [](const MailField& f) { return f.allowed; });
  if (firstKept == fields.end()) {
    if (!fields.empty()) add(fields.front().separator, urlSize);
    return ranges;
  }
  if (firstKept != fields.begin()) {
    const std::size_t first = fields.front().separator;
    if (firstSeparatorIsOneByte) {
      add(first + 1, firstKept->separator + 1);
    } else {
      add(first, firstKept->separator);
    }
  }
  for (auto f = firstKept + 1; f != fields.end(); ++f) {
    if (!f->allowed) add(f->separator, f->end);
  }
  return ranges;
}

}  // namespace

std::vector<ByteRange> refusedMailFieldRanges(std::string_view url, std::span<const std::size_t> rawStart) {
  if (linkScheme(url) != "mailto") return {};
  const std::vector<MailField> fields = readFields(url, url.find(':') + 1);
  if (std::all_of(fields.begin(), fields.end(), [](const MailField& f) { return f.allowed; })) return {};
  const auto written = [&](std::size_t at) { return rawStart.empty() ? at : rawStart[at]; };
  const std::size_t first = fields.front().separator;
  std::vector<ByteRange> ranges = refusedRanges(fields, url.size(), written(first + 1) - written(first) == 1);
  for (ByteRange& r : ranges) r = {written(r.begin), written(r.end)};
  return ranges;
}

}  // namespace vellumine::html
