// The HTML optimiser: finished HTML in, the same HTML with white space inside tags normalised, runs
// of blanks collapsed and word-processor leftovers (page-break-avoid styles, Mso classes, spacer
// paragraphs, duplicated widths, cell heights) removed.  Runs after the page skeleton is built.
#include "convert/wordhtm.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/chartype.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

constexpr std::string_view kSpacerPattern = "<p [^>]+><span [^>]+>&nbsp;</span></p>";
constexpr std::string_view kSpacerParagraph = "<p ";
constexpr std::string_view kSpacerSpan = "<span ";
constexpr std::string_view kSpacerTail = "&nbsp;</span></p>";

// Whether a tag is open just before position `to`, given that it was (`inside`) just before `from`:
// the last tag boundary in between decides, a ">" closing and a "<" not followed by "!" opening.
// Only the "<" after the last ">" are looked at, each once.
bool insideTagBefore(std::string_view text, std::size_t from, std::size_t to, bool inside) {
  const char* data = text.data();
  const void* close = memrchr(data + from, '>', to - from);
  const std::size_t floor =
      close != nullptr ? static_cast<std::size_t>(static_cast<const char*>(close) - data) + 1 : from;
  for (std::size_t end = to; end > floor;) {
    const void* open = memrchr(data + floor, '<', end - floor);
    if (open == nullptr) break;
    const std::size_t openAt = static_cast<std::size_t>(static_cast<const char*>(open) - data);
    if (openAt + 1 >= text.size() || text[openAt + 1] != '!') return true;
    end = openAt;  // "<!" opens no tag: look further back
  }
  return close != nullptr ? false : inside;
}

// Runs of blanks: a run of two or more blanks keeps one blank; behind ":" or ";" a run of three or
// more goes entirely ("color:   red" -> "color:red").  Tabs and line breaks are not blanks here.
void collapseBlankRuns(std::string& text) {
  std::size_t run = findBytes(text, "  ");
  if (run == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t copyFrom = 0;
  while (run != std::string::npos) {
    const bool afterDeclaration = run > 0 && (text[run - 1] == ':' || text[run - 1] == ';');
    const bool dropWholeRun = afterDeclaration && run + 2 < text.size() && text[run + 2] == ' ';
    out.append(text, copyFrom, (dropWholeRun ? run : run + 1) - copyFrom);
    std::size_t after = text.find_first_not_of(' ', run);
    if (after == std::string::npos) {
      copyFrom = text.size();
      break;
    }
    copyFrom = after;
    run = findBytes(text, "  ", after + 1);
  }
  out.append(text, copyFrom, std::string::npos);
  text = std::move(out);
}

// Where the next empty spacer paragraph (kSpacerPattern) can match.  "<p [^>]+>" and "<span [^>]+>"
// each end at their first ">", so a paragraph start that fails leaves every later "<p " before its
// ">" failing too.
std::optional<MatchWindow> findSpacerParagraph(std::string_view text, std::size_t from) {
  while (from < text.size()) {
    std::size_t start = findBytesCaseless(text, kSpacerParagraph, from);
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t pEnd = text.find('>', start + kSpacerParagraph.size());
    if (pEnd == std::string_view::npos) return std::nullopt;
    if (pEnd == start + kSpacerParagraph.size()) {
      from = start + 1;
      continue;
    }
    std::size_t span = pEnd + 1;
    if (EqualsCaselessAt(text, span, kSpacerSpan)) {
      std::size_t spanEnd = text.find('>', span + kSpacerSpan.size());
      if (spanEnd != std::string_view::npos && spanEnd > span + kSpacerSpan.size() &&
          EqualsCaselessAt(text, spanEnd + 1, kSpacerTail))
        return MatchWindow{start, spanEnd + 1 + kSpacerTail.size()};
    }
    from = pEnd + 1;
  }
  return std::nullopt;
}

// First occurrence of needle at or after from that ends before limit; npos if none.
std::size_t findWithin(std::string_view text, std::string_view needle, std::size_t from, std::size_t limit) {
  if (from >= limit) return std::string_view::npos;
  return text.substr(0, limit).find(needle, from);
}

// Duplicated widths and cell heights: in each tag that holds `marker`, the first `declaration`
// behind the marker is dropped, with its ";" when `toSemicolon` and one comes before the tag's
// end, or else up to the closing "'" of its style attribute.  A declaration with neither before
// the tag's ">" is kept.
void dropDeclarations(std::string& text, std::string_view marker, std::string_view declaration,
                      bool toSemicolon) {
  std::size_t tag = findBytes(text, marker);
  if (tag == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t copyFrom = 0;
  while (tag != std::string::npos) {
    std::size_t tagEnd = text.find('>', tag);
    // A tag that never ends holds no declaration to drop, and no later tag is complete either.
    if (tagEnd == std::string::npos) break;
    std::size_t found = findWithin(text, declaration, tag, tagEnd);
    if (found != std::string::npos) {
      out.append(text, copyFrom, found - copyFrom);
      std::size_t semicolon = toSemicolon ? findWithin(text, ";", found + 5, tagEnd) : std::string::npos;
      std::size_t quote = findWithin(text, "'", found + 5, tagEnd);
      copyFrom = semicolon != std::string::npos ? semicolon + 1 : quote != std::string::npos ? quote : found;
    }
    tag = findBytes(text, marker, tagEnd);
  }
  out.append(text, copyFrom, std::string::npos);
  text = std::move(out);
}

}  // namespace

// White space in tags: inside a tag (from a "<" not followed by "!" to the next ">") line feeds and
// tabs become blanks; comments and declarations ("<!") are not tags.  Same length, so it is done
// in place.
// Only the line feeds and tabs are visited: the tag state at each comes from the boundaries
// between it and the one before, so the text is read once and never byte by byte.
void blankTagWhitespace(std::string& text) {
  constexpr std::size_t npos = std::string::npos;
  // The next line feed and the next tab, each looked for again only once it has been passed.
  std::size_t lineFeed = text.find('\n');
  std::size_t tab = text.find('\t');
  bool inside = false;
  std::size_t known = 0;  // the tag state is `inside` just before this position
  for (std::size_t at = std::min(lineFeed, tab); at != npos; at = std::min(lineFeed, tab)) {
    inside = insideTagBefore(text, known, at, inside);
    if (inside) text[at] = ' ';
    known = at + 1;  // a line feed or tab is no boundary
    if (lineFeed == at) lineFeed = text.find('\n', known);
    if (tab == at) tab = text.find('\t', known);
  }
}

TWordHTM::TWordHTM() : regex_(preCaseLess | preSingleLine) {}

void TWordHTM::cleanHtml(std::string& text) {
  blankTagWhitespace(text);
  collapseBlankRuns(text);
  ReplaceAllInPlace(text, "style='page-break-after:avoid'", "");
  ReplaceAllInPlace(text, " class=MsoNormalTable", "", true);
  regex_.SetPattern(kSpacerPattern);
  rewriteMatches(regex_, text, findSpacerParagraph, [](const TWSRegEx&, std::string& out) { out += "<br>"; });
  dropDeclarations(text, " width=", "width:", true);
  dropDeclarations(text, "<td ", "height:", false);
  ReplaceAllInPlace(text, "MsoNormal", "ms");
}

void optimize(Conversion& c) { TWordHTM().cleanHtml(c.text); }

}  // namespace vellumine
