// Plain scans over markup for the passes whose patterns would make a regex engine rescan the rest
// of the text from every candidate start (unclosed elements in damaged documents): forward and
// backward searches, and the left-to-right rewrite that hands the regex only the window a scan
// found, so an unclosed or runaway tag costs one look ahead instead of one look per start.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/bytesearch.h"
#include "text/wsregex.h"

namespace vellumine {

// The substring searches themselves are text/bytesearch's (findBytes, findBytesCaseless, ...), the
// caseless compare is text/chartype's EqualsCaseless.

// The first start tag of exactly this name ("<w:footnote", not "<w:footnotes") at or after from:
// the name followed by a blank, "/" or ">"; npos if none.  Case is compared.
std::size_t findStartTag(std::string_view text, std::string_view name, std::size_t from);
// Whether a name that stops before pos ends there as a start tag's name: the tag closes or an
// attribute follows ("<tc" before ">" or " w=1", not before "Pr>").
bool endsTagName(std::string_view text, std::size_t pos);
// The tag that starts at at, through its ">" (to the end of the text when it never closes).
std::string_view tagAt(std::string_view text, std::size_t at);

// Last occurrence of needle that starts at or before `at` and not before `floor`; npos if none.
std::size_t findLastBetween(std::string_view text, std::string_view needle, std::size_t floor,
                            std::size_t at);

// A forward search asked with non-decreasing start positions: an occurrence found once is reused
// while it still lies ahead, so a whole walk costs one scan of the text per needle however many
// times it asks.
class ForwardFinder {
 public:
  // What counts as an occurrence: any, or only a start tag of exactly the needle's name, as
  // endsTagName tells it ("<tc" finds "<tc>" and "<tc w=1>" but not "<tcPr>").
  enum class Match { anywhere, wholeName };

  ForwardFinder(std::string_view text, std::string_view needle, bool caseless,
                Match match = Match::anywhere)
      : text_(text), needleSize_(needle.size()), wholeName_(match == Match::wholeName),
        finder_(text, needle, caseless) {}
  // The first occurrence at or after position (npos if none); position never decreases.
  std::size_t from(std::size_t position);

 private:
  std::size_t search(std::size_t position);

  std::string_view text_;
  std::size_t needleSize_;
  bool wholeName_;
  ByteFinder finder_;
  std::size_t found_ = std::string_view::npos;
  bool searched_ = false;
};

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

// Element `prefix`...`closer` that cannot run past the first ">" behind the prefix: the window from
// the prefix through that ">", when at least one byte stands between the prefix and the closer and
// the tag ends with closer.  Skips every candidate that shares the tag end of a failed one.
std::optional<MatchWindow> findTagWindow(std::string_view text, std::size_t from,
                                         std::string_view prefix, std::string_view closer);

}  // namespace vellumine
