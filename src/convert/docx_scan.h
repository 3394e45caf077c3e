// Plain scans that tell where a pattern can match next, and the left-to-right rewrite built on
// them.  The regex only ever sees the window a scan hands it, so an unclosed or runaway tag in a
// damaged document costs one look ahead instead of one look per candidate start.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "convert/markup_scan.h"
#include "text/wsregex.h"

namespace vellumine {

// [begin, end) of the document text that holds the next match, 0-based.
struct MatchWindow {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The window of the next match at or after `from`; nullopt when no match follows.
using WindowFinder = std::function<std::optional<MatchWindow>(std::string_view text, std::size_t from)>;
// Appends the replacement of regex's current match to out.
using MatchRewriter = std::function<void(const TWSRegEx& regex, std::string& out)>;

// Rebuilds text in one pass: each window that `find` reports is handed to regex (its pattern
// already set), which must match at the window's start; that match is replaced by what `rewrite`
// appends, and the search goes on behind it.  A window without a match there is copied unchanged.
// The regex's options are the caller's again afterwards.
void rewriteMatches(TWSRegEx& regex, std::string& text, const WindowFinder& find,
                    const MatchRewriter& rewrite);

// Last occurrence of needle that starts at or before `at` and not before `floor`; npos if none.
std::size_t findLastBetween(std::string_view text, std::string_view needle, std::size_t floor,
                            std::size_t at);
// Element `prefix`...`closer` that cannot run past the first ">" behind the prefix: the window from
// the prefix through that ">", when at least one byte stands between the prefix and the closer and
// the tag ends with closer.  Skips every candidate that shares the tag end of a failed one.
std::optional<MatchWindow> findTagWindow(std::string_view text, std::size_t from,
                                         std::string_view prefix, std::string_view closer);

// RelTarget for many ids: remembers where the first relationship with each Id starts, so that a
// document with thousands of hyperlinks or pictures does not rescan the relationship part for each.
class RelationshipIndex {
 public:
  explicit RelationshipIndex(std::string_view relationships);
  // The Target of the relationship with exactly this Id, as RelTarget gives it; empty if unknown.
  std::string target(std::string_view id) const;

 private:
  std::string_view relationships_;
  std::unordered_map<std::string_view, std::size_t> firstEntry_;
};

}  // namespace vellumine
