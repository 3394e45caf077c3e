// Forward and backward substring scans over markup, with and without ASCII case folding, and the
// window rewrite of the match-by-match passes (links, bookmarks, drawings, spacer paragraphs):
// each pass states where its pattern can match, the regex works inside that window only, and the
// text is copied left to right around the matches, so the pass stays linear even when a damaged
// document holds thousands of unclosed tags.
#include "convert/markup_scan.h"

#include "text/bytesearch.h"
#include "text/chartype.h"

namespace vellumine {

namespace {
constexpr std::size_t npos = std::string_view::npos;
}  // namespace

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

bool endsTagName(std::string_view text, std::size_t pos) {
  return pos < text.size() && (text[pos] == '>' || IsAsciiSpace(static_cast<unsigned char>(text[pos])));
}

std::string_view tagAt(std::string_view text, std::size_t at) {
  const std::size_t end = text.find('>', at);
  return text.substr(at, end == std::string_view::npos ? std::string_view::npos : end + 1 - at);
}

std::size_t findLastBetween(std::string_view text, std::string_view needle, std::size_t floor,
                            std::size_t at) {
  if (floor > at || floor >= text.size()) return std::string_view::npos;
  // Only occurrences that start in [floor, at] count; they may end behind `at`.
  std::string_view window = text.substr(floor, at - floor + needle.size());
  std::size_t found = window.rfind(needle);
  return found == std::string_view::npos ? found : floor + found;
}

std::size_t ForwardFinder::from(std::size_t position) {
  if (!searched_ || (found_ != npos && found_ < position)) {
    found_ = search(position);
    searched_ = true;
  }
  return found_;
}

std::size_t ForwardFinder::search(std::size_t position) {
  for (std::size_t at = finder_.next(position); at != npos; at = finder_.next(at + 1)) {
    if (!wholeName_ || endsTagName(text_, at + needleSize_)) return at;
  }
  return npos;
}

std::optional<MatchWindow> findTagWindow(std::string_view text, std::size_t from,
                                         std::string_view prefix, std::string_view closer) {
  while (from < text.size()) {
    std::size_t start = findBytesCaseless(text, prefix, from);
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t tagEnd = text.find('>', start + prefix.size());
    if (tagEnd == std::string_view::npos) return std::nullopt;
    // At least one byte between the prefix and the closer, and the tag ends with the closer.
    if (tagEnd >= start + prefix.size() + closer.size() &&
        text.compare(tagEnd + 1 - closer.size(), closer.size(), closer) == 0)
      return MatchWindow{start, tagEnd + 1};
    // Every later candidate before tagEnd ends its tag at the same ">" with even less room before
    // it, so none of them can match either.
    from = tagEnd + 1;
  }
  return std::nullopt;
}

namespace {

// Anchors the regex at the start of its subject while a rewrite runs.  A window starts where the
// match must start; unanchored, the regex would try every later start inside the window too, which
// for a long window full of candidate starts is quadratic again.
class AnchoredWhileInScope {
 public:
  explicit AnchoredWhileInScope(TWSRegEx& regex) : regex_(regex), options_(regex.Options()) {
    regex_.SetOptions(options_ | preAnchored);
  }
  ~AnchoredWhileInScope() { regex_.SetOptions(options_); }
  AnchoredWhileInScope(const AnchoredWhileInScope&) = delete;
  AnchoredWhileInScope& operator=(const AnchoredWhileInScope&) = delete;

 private:
  TWSRegEx& regex_;
  TWSRegExOptions options_;
};

}  // namespace

void rewriteMatches(TWSRegEx& regex, std::string& text, const WindowFinder& find,
                    const MatchRewriter& rewrite) {
  AnchoredWhileInScope anchored(regex);
  std::string out;
  bool rewritten = false;
  std::size_t copied = 0;
  std::size_t from = 0;
  while (std::optional<MatchWindow> window = find(text, from)) {
    from = window->end;
    regex.SetSubject(text.substr(window->begin, window->end - window->begin));
    if (!regex.Match()) continue;
    if (!rewritten) {
      out.reserve(text.size() + text.size() / 8);
      rewritten = true;
    }
    // The one place where the regex's 1-based positions become offsets into the text.
    const std::size_t matchBegin = window->begin + static_cast<std::size_t>(regex.MatchStart() - 1);
    const std::size_t matchEnd = window->begin + static_cast<std::size_t>(regex.MatchEnd() - 1);
    out.append(text, copied, matchBegin - copied);
    rewrite(regex, out);
    copied = matchEnd;
    from = matchEnd;
  }
  if (!rewritten) return;
  out.append(text, copied, std::string::npos);
  text = std::move(out);
}

}  // namespace vellumine
