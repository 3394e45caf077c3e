// Substring routines over byte strings (1-based positions, 0 = not found), the regex shorthands
// and MergeAdjacentElements.  Every routine that rebuilds a text does it in one left-to-right
// pass into a reserved buffer.
#include "text/strutil.h"

#include <algorithm>
#include <cstring>

#include "text/bytesearch.h"
#include "text/pair_delete.h"
#include "text/chartype.h"
#include "text/wsregex.h"

namespace vellumine {

namespace {

using Size = std::string_view::size_type;
constexpr Size npos = std::string_view::npos;

TextPos length(std::string_view s) { return static_cast<TextPos>(s.size()); }

// The copy rules: a start below 1 counts as 1 (the count is kept), a count past the end stops at
// the end, a start past the end or a count of 0 or less gives "".
std::string copyText(std::string_view s, TextPos from, TextPos count) {
  if (from < 1) from = 1;
  if (from > length(s) || count <= 0) return {};
  auto start = static_cast<Size>(from - 1);
  return std::string(s.substr(start, static_cast<Size>(std::min<TextPos>(count, length(s) - from + 1))));
}

bool equalsAt(std::string_view s, Size at, std::string_view sub, bool ignoreCase) {
  if (ignoreCase) return EqualsCaselessAt(s, at, sub);
  return at <= s.size() && s.size() - at >= sub.size() && s.compare(at, sub.size(), sub) == 0;
}

// 0-based index of the first occurrence at or after `at` whose start is at most lastStart;
// npos when none.  An empty needle is never found.
Size findFrom(std::string_view s, std::string_view sub, Size at, bool ignoreCase, Size lastStart = npos) {
  if (sub.empty() || at >= s.size() || s.size() - at < sub.size()) return npos;
  lastStart = std::min(lastStart, s.size() - sub.size());
  if (lastStart < at) return npos;
  // Only the stretch where an occurrence may lie is searched.
  std::string_view window = s.substr(0, lastStart + sub.size());
  return ignoreCase ? findBytesCaseless(window, sub, at) : findBytes(window, sub, at);
}

TextPos toPos(Size index) { return index == npos ? 0 : static_cast<TextPos>(index) + 1; }

}  // namespace

std::string StrLeft(std::string_view s, TextPos n) { return copyText(s, 1, n); }

std::string StrRight(std::string_view s, TextPos n) {
  if (n <= 0) return {};
  if (n >= length(s)) return std::string(s);
  return std::string(s.substr(s.size() - static_cast<Size>(n)));
}

std::string StrMid(std::string_view s, TextPos from, TextPos count) {
  return copyText(s, from, count == 0 ? length(s) : count);
}

std::string StrFrom(std::string_view s, TextPos from) { return copyText(s, from, length(s)); }

TextPos PosIn(std::string_view s, std::string_view sub) { return PosFrom(s, sub, 1, false); }

TextPos PosFrom(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase) {
  if (from < 1) from = 1;
  if (from > length(s)) return 0;
  return toPos(findFrom(s, sub, static_cast<Size>(from - 1), ignoreCase));
}

// The occurrence must lie wholly before position limit (and wholly inside s).
TextPos PosWithin(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase, TextPos limit) {
  if (from < 1) from = 1;
  TextPos lastStart = limit - length(sub);
  if (sub.empty() || lastStart < from || from > length(s)) return 0;
  return toPos(findFrom(s, sub, static_cast<Size>(from - 1), ignoreCase, static_cast<Size>(lastStart - 1)));
}

TextPos PosLast(std::string_view s, std::string_view sub, TextPos from, bool ignoreCase) {
  if (from == 0 || from > length(s)) from = length(s);
  if (from < 1 || sub.empty()) return 0;
  if (!ignoreCase) return toPos(s.rfind(sub, static_cast<Size>(from - 1)));
  // The last occurrence that starts before position `from` (it may run past it).
  return toPos(rfindBytesCaseless(s, sub, static_cast<Size>(from - 1)));
}

TextPos PosFirstOf(std::string_view s, std::string_view a, std::string_view b, TextPos from,
                   std::string_view c) {
  if (from < 1) from = 1;
  // Position by position (not three whole-text searches), so that a caller walking the text with
  // it does linear work in total.  The needles usually share their first byte ("<"): memchr then
  // jumps from candidate to candidate.
  std::string_view needles[] = {a, b, c};
  bool sharedFirst = !a.empty() && !b.empty() && !c.empty() && a[0] == b[0] && b[0] == c[0];
  for (auto p = static_cast<Size>(from - 1); p < s.size(); ++p) {
    if (sharedFirst) {
      const void* hit = std::memchr(s.data() + p, a[0], s.size() - p);
      if (!hit) return 0;
      p = static_cast<Size>(static_cast<const char*>(hit) - s.data());
    }
    for (std::string_view needle : needles) {
      if (!needle.empty() && s[p] == needle[0] && equalsAt(s, p, needle, false)) return toPos(p);
    }
  }
  return 0;
}

std::string_view ViewBetween(std::string_view s, std::string_view open, std::string_view close) {
  std::size_t p = findBytes(s, open);
  if (p == npos) return {};
  p += open.size();
  if (p >= s.size()) return {};
  std::size_t q = findBytes(s, close, p);
  if (q == npos || q <= p) return {};
  return s.substr(p, q - p);
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsAsciiSpace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && IsAsciiSpace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string TextBetween(std::string_view s, std::string_view open, std::string_view close, bool ignoreCase) {
  if (!ignoreCase) return std::string(ViewBetween(s, open, close));
  TextPos p = PosFrom(s, open, 1, ignoreCase);
  if (p == 0) return {};
  p += length(open);
  TextPos q = PosFrom(s, close, p, ignoreCase);
  if (q == 0 || q <= p) return {};
  return copyText(s, p, q - p);
}

std::string SpanOfFrom(std::string_view s, std::string_view open, std::string_view close, TextPos from) {
  TextPos p = PosFrom(s, open, from, false);
  if (p == 0) return {};
  TextPos q = PosFrom(s, close, p + length(open), false);
  if (q == 0) return {};
  return copyText(s, p, q + length(close) - p);
}

std::string SpanOf(std::string_view s, std::string_view open, std::string_view close) {
  return SpanOfFrom(s, open, close, 1);
}

std::string ReplaceAllText(std::string_view s, std::string_view oldText, std::string_view newText,
                           bool ignoreCase) {
  if (oldText.empty()) return std::string(s);
  ByteFinder finder(s, oldText, ignoreCase);
  Size hit = finder.next(0);
  if (hit == npos) return std::string(s);
  std::string out;
  out.reserve(s.size() + (newText.size() > oldText.size() ? s.size() / 4 : 0));
  Size copyFrom = 0;
  while (hit != npos) {
    out.append(s, copyFrom, hit - copyFrom);
    out.append(newText);
    copyFrom = hit + oldText.size();
    hit = finder.next(copyFrom);
  }
  out.append(s, copyFrom);
  return out;
}

void ReplaceAllInPlace(std::string& text, std::string_view oldText, std::string_view newText,
                       bool ignoreCase) {
  if (newText.size() > oldText.size()) {
    text = ReplaceAllText(text, oldText, newText, ignoreCase);
    return;
  }
  if (oldText.empty()) return;
  if (newText.empty() && !ignoreCase && oldText.size() == 2 && oldText[0] != oldText[1]) {
    DeleteAllPairs(text, oldText[0], oldText[1]);
    return;
  }
  ByteFinder finder(text, oldText, ignoreCase);
  Size hit = finder.next(0);
  if (hit == npos) return;
  char* data = text.data();
  if (newText.size() == oldText.size()) {  // nothing moves: each occurrence is overwritten
    for (; hit != npos; hit = finder.next(hit + oldText.size())) {
      std::memcpy(data + hit, newText.data(), newText.size());
    }
    return;
  }
  // The write position never passes the read position, so the bytes still to be searched are
  // the original ones.
  Size write = hit;
  Size read = hit;
  while (hit != npos) {
    if (hit > read) {
      std::memmove(data + write, data + read, hit - read);
      write += hit - read;
    }
    std::memcpy(data + write, newText.data(), newText.size());
    write += newText.size();
    read = hit + oldText.size();
    hit = finder.next(read);
  }
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

std::vector<std::string> SplitText(std::string_view s, std::string_view sep) {
  std::vector<std::string> items;
  Size pieceStart = 0;
  for (Size hit = findFrom(s, sep, 0, false); hit != npos; hit = findFrom(s, sep, pieceStart, false)) {
    items.emplace_back(s.substr(pieceStart, hit - pieceStart));
    pieceStart = hit + sep.size();
  }
  items.emplace_back(s.substr(pieceStart));
  return items;
}

std::string JoinList(const std::vector<std::string>& list, std::string_view sep) {
  std::string out;
  Size total = 0;
  for (const auto& item : list) total += item.size() + sep.size();
  out.reserve(total);
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (k > 0) out.append(sep);
    out.append(list[k]);
  }
  return out;
}

std::string JoinArray(const std::vector<std::string>& items, std::string_view sep) { return JoinList(items, sep); }

void AppendRange(std::string& buffer, TextPos& fill, std::string_view src, TextPos first, TextPos last) {
  first = std::max<TextPos>(first, 1);
  last = std::min(last, length(src));
  if (last < first) return;
  if (fill < 1) fill = 1;
  TextPos count = last - first + 1;
  TextPos newFill = fill + count;
  // The buffer's length is its writable room and must stay at least fill; resize() grows the
  // storage geometrically underneath, so a long run of appends stays linear.
  if (length(buffer) < newFill) buffer.resize(static_cast<Size>(newFill + 1024));
  std::copy_n(src.data() + (first - 1), count, buffer.data() + (fill - 1));
  fill = newFill;
}

void RegexReplaceAll(TWSRegEx& regex, std::string& text, std::string_view pattern,
                     std::string_view replacement) {
  regex.SetPattern(pattern);
  regex.ReplaceAllIn(text, replacement);
}

void RegexDeleteAll(TWSRegEx& regex, std::string& text, std::string_view pattern) {
  RegexReplaceAll(regex, text, pattern, {});
}

namespace {

bool isLineBlank(char c) { return c == '\t' || c == '\n' || c == '\r'; }

// Scans s for elements <tag ...>..</tag> followed (after tabs and line ends only) by an element
// with a byte-identical opening tag, and drops the closing tag, the blanks and the second opening
// tag.  Positions are 0-based here.
class ElementMerger {
 public:
  ElementMerger(std::string_view s, std::string_view tag)
      : s_(s), openNeedle_("<" + std::string(tag)), closeNeedle_("</" + std::string(tag) + ">") {
    out_.reserve(s.size());
  }

  std::string run() {
    Size start = 0;
    for (;;) {
      Size open = s_.find(openNeedle_, start);
      if (open == npos) break;
      Size openEnd = s_.find('>', open + 1);
      if (openEnd == npos) break;  // an unclosed tag ends the work: nothing further can merge
      ++openEnd;
      Size close = s_.find(closeNeedle_, openEnd);
      // Without a closing tag here there is none after any later opening tag either.
      if (close == npos) break;
      start = mergeFollowers(s_.substr(open, openEnd - open), close);
    }
    out_.append(s_, copyFrom_);
    return std::move(out_);
  }

 private:
  // Returns where the search for the next opening tag resumes.
  Size mergeFollowers(std::string_view openTag, Size close) {
    for (;;) {
      Size q = close + closeNeedle_.size();
      while (q < s_.size() && isLineBlank(s_[q])) ++q;
      if (q + 1 >= s_.size() || s_[q] != '<') return q;
      if (s_[q + 1] == '/') return q + 1;
      Size tagEnd = s_.find('>', q + 1);
      if (tagEnd == npos) return q;
      ++tagEnd;
      if (s_.substr(q, tagEnd - q) != openTag) return q;
      out_.append(s_, copyFrom_, close - copyFrom_);
      copyFrom_ = tagEnd;
      close = s_.find(closeNeedle_, tagEnd);
      if (close == npos) return q;
    }
  }

  std::string_view s_;
  std::string openNeedle_, closeNeedle_;
  std::string out_;
  Size copyFrom_ = 0;
};

}  // namespace

std::string MergeAdjacentElements(std::string_view s, std::string_view tag) {
  return ElementMerger(s, tag).run();
}

}  // namespace vellumine
