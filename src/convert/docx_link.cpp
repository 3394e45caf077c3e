// Hyperlink elements into HTML anchors, bookmark starts into named anchors.  Runs after paragraphs,
// runs and tabs, so a hyperlink element encloses finished HTML by now; drawings are still raw and
// are converted next.
#include "convert/docx_link.h"

#include <optional>

#include "convert/markup_scan.h"
#include "convert/relationship_index.h"
#include "text/bytesearch.h"
#include "text/chartype.h"
#include "text/markup_escape.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::string_view kSelfClosingLinkPattern = "<hyperlink[^>]+/>";
constexpr std::string_view kLinkPattern = "<hyperlink[^>]+>(.+?)</hyperlink>";
constexpr std::string_view kBookmarkStartPattern = "<bookmarkStart.+?name=\"(\\w+)\"/>";
constexpr std::string_view kBookmarkAnchor = "<a name=\"$1\"/>";
constexpr std::string_view kBookmarkMarkerPattern = "<bookMark[^>]+/>";

constexpr std::string_view kLinkOpen = "<hyperlink";
constexpr std::string_view kLinkClose = "</hyperlink>";

// Where "<hyperlink[^>]+>(.+?)</hyperlink>" matches next: the start tag needs a byte before its
// ">", the content at least one byte, and the end tag is the first one behind that.  Without any end
// tag behind a start tag no later start tag can match either, so the scan stops there.
std::optional<MatchWindow> findLinkWindow(std::string_view text, std::size_t from) {
  while (from < text.size()) {
    std::size_t start = findBytesCaseless(text, kLinkOpen, from);
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t tagEnd = text.find('>', start + kLinkOpen.size());
    if (tagEnd == std::string_view::npos) return std::nullopt;
    if (tagEnd == start + kLinkOpen.size()) {
      from = start + 1;
      continue;
    }
    std::size_t close = findBytesCaseless(text, kLinkClose, tagEnd + 2);
    if (close == std::string_view::npos) return std::nullopt;
    return MatchWindow{start, close + kLinkClose.size()};
  }
  return std::nullopt;
}

// A character reference at text[at] ("&#106;", "&#x6A", "&colon;", "&Tab;"...) as the browser reads
// it inside an attribute: its byte (0 for a blank or control character, -1 for anything that cannot
// belong to a URL scheme) and its length.
struct DecodedChar {
  int byte;
  std::size_t length;
};

DecodedChar decodeReference(std::string_view text, std::size_t at) {
  static constexpr struct {
    std::string_view name;
    int byte;
  } kNamed[] = {{"&colon;", ':'}, {"&tab;", 0}, {"&newline;", 0}};
  for (const auto& named : kNamed) {
    if (EqualsCaselessAt(text, at, named.name))
      return {named.byte, named.name.size()};
  }
  std::size_t k = at + 1;
  if (k >= text.size() || text[k] != '#') return {-1, 1};
  ++k;
  const bool hex = k < text.size() && (text[k] == 'x' || text[k] == 'X');
  if (hex) ++k;
  long value = 0;
  std::size_t digits = 0;
  for (; k < text.size() && value < 0x10000; ++k, ++digits) {
    unsigned char b = static_cast<unsigned char>(text[k]);
    if (IsAsciiDigit(b)) {
      value = value * (hex ? 16 : 10) + (b - '0');
    } else if (hex && IsAsciiHexDigit(b)) {
      value = value * 16 + (AsciiLower(b) - 'a' + 10);
    } else {
      break;
    }
  }
  if (digits == 0) return {-1, 1};
  if (k < text.size() && text[k] == ';') ++k;
  if (value <= ' ') return {0, k - at};
  return {value < 128 ? static_cast<int>(value) : -1, k - at};
}

// True when the browser would run the address as script: a javascript: or vbscript: scheme,
// however the document spells it (any case, character references, blanks or control bytes inside).
bool isScriptAddress(std::string_view address) {
  std::string scheme;
  for (std::size_t at = 0; at < address.size();) {
    int byte = static_cast<unsigned char>(address[at]);
    std::size_t length = 1;
    if (byte == '&') {
      DecodedChar decoded = decodeReference(address, at);
      byte = decoded.byte;
      length = decoded.length;
    } else if (byte <= ' ') {
      byte = 0;
    }
    at += length;
    if (byte == 0) continue;
    if (byte == ':') return scheme == "javascript" || scheme == "vbscript";
    if (byte < 0 || !IsAsciiLetter(static_cast<unsigned char>(byte)) || scheme.size() >= 10) return false;
    scheme += static_cast<char>(AsciiLower(static_cast<unsigned char>(byte)));
  }
  return false;
}

// The address as it goes between the double quotes of href: a quote that the template expansion
// brought in (a "$1" in a target inserts the link's own markup) must not end the attribute, and a
// script address is dropped, as an unknown relationship would be.
void appendAddress(std::string& out, std::string_view address) {
  if (!isScriptAddress(address)) appendQuotedValue(out, address);
}

// "#" + the anchor attribute, or else the Target of the r:id relationship.
template <class TargetOfId>
std::string hyperlinkAddress(std::string_view hyperlink, const TargetOfId& targetOfId) {
  std::string anchor = AttrValue(hyperlink, "anchor");
  if (!anchor.empty()) return "#" + anchor;
  return targetOfId(RelId(hyperlink));
}

// One hyperlink match into "<a href="target">$1</a>".  The target goes through the template
// expansion of the regex like the rest of the replacement; expanding it on its own gives the same
// text, as the quote that follows it can never complete an escape sequence.
MatchRewriter linkRewriter(const RelationshipIndex& relationships) {
  return [&relationships](const TWSRegEx& regex, std::string& out) {
    std::string target = hyperlinkAddress(regex.MatchedText(), [&relationships](std::string_view id) {
      return relationships.target(id);
    });
    out += "<a href=\"";
    appendAddress(out, regex.ExpandReplacement(target));
    out += "\">";
    out += regex.Submatch(1);
    out += "</a>";
  };
}

std::optional<MatchWindow> findSelfClosingLink(std::string_view text, std::size_t from) {
  return findTagWindow(text, from, kLinkOpen, "/>");
}

// The bookmark pattern stays within one bookmark start: its window ends at the tag's first ">".
std::optional<MatchWindow> findBookmarkStart(std::string_view text, std::size_t from) {
  return findTagWindow(text, from, "<bookmarkStart", "/>");
}

std::optional<MatchWindow> findBookmarkMarker(std::string_view text, std::size_t from) {
  return findTagWindow(text, from, "<bookMark", "/>");
}

void convertHyperlinks(Conversion& c) {
  RelationshipIndex relationships(c.relationships);
  MatchRewriter rewrite = linkRewriter(relationships);
  c.regex.SetPattern(kSelfClosingLinkPattern);
  rewriteMatches(c.regex, c.text, findSelfClosingLink, rewrite);
  c.regex.SetPattern(kLinkPattern);
  rewriteMatches(c.regex, c.text, findLinkWindow, rewrite);
}

void convertBookmarks(Conversion& c) {
  c.regex.SetPattern(kBookmarkStartPattern);
  rewriteMatches(c.regex, c.text, findBookmarkStart, [](const TWSRegEx& regex, std::string& out) {
    out += regex.ExpandReplacement(kBookmarkAnchor);
  });
  c.regex.SetPattern(kBookmarkMarkerPattern);
  rewriteMatches(c.regex, c.text, findBookmarkMarker, [](const TWSRegEx&, std::string&) {});
}

}  // namespace

std::string linkTarget(const Conversion& c, std::string_view hyperlink) {
  return hyperlinkAddress(hyperlink, [&c](std::string_view id) { return RelTarget(c.relationships, id); });
}

void convertLinks(Conversion& c) {
  convertHyperlinks(c);
  convertBookmarks(c);
}

}  // namespace vellumine
