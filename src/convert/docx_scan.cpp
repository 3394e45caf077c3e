// Window scans for the match-by-match passes (links, bookmarks, drawings) and the rewrite loop that
// copies the document text left to right around the matches.  Each pass states where its pattern
// can match; the regex then works inside that window only, so the whole pass stays linear even when
// a damaged document holds thousands of unclosed tags.
#include "convert/docx_scan.h"

#include "text/xmlfrag.h"

namespace vellumine {

std::size_t findLastBetween(std::string_view text, std::string_view needle, std::size_t floor,
                            std::size_t at) {
  if (floor > at || floor >= text.size()) return std::string_view::npos;
  // Only occurrences that start in [floor, at] count; they may end behind `at`.
  std::string_view window = text.substr(floor, at - floor + needle.size());
  std::size_t found = window.rfind(needle);
  return found == std::string_view::npos ? found : floor + found;
}

std::optional<MatchWindow> findTagWindow(std::string_view text, std::size_t from,
                                         std::string_view prefix, std::string_view closer) {
  while (from < text.size()) {
    std::size_t start = findCaseless(text, prefix, from);
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

RelationshipIndex::RelationshipIndex(std::string_view relationships) : relationships_(relationships) {
  static constexpr std::string_view kEntryOpen = "<Relationship Id=\"";
  for (std::size_t at = relationships.find(kEntryOpen); at != std::string_view::npos;
       at = relationships.find(kEntryOpen, at + kEntryOpen.size())) {
    std::size_t idBegin = at + kEntryOpen.size();
    std::size_t idEnd = relationships.find('"', idBegin);
    if (idEnd == std::string_view::npos) break;
    firstEntry_.try_emplace(relationships.substr(idBegin, idEnd - idBegin), at);
  }
}

std::string RelationshipIndex::target(std::string_view id) const {
  auto entry = firstEntry_.find(id);
  if (entry == firstEntry_.end()) return {};
  // The first entry with this Id starts the rest of the part, so RelTarget finds it at once.
  return RelTarget(relationships_.substr(entry->second), id);
}

}  // namespace vellumine
