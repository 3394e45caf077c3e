// preClean strips the "w:" prefix from element and attribute names, the text-run wrappers,
// paragraph and row attributes, proofing and smart-tag markup from document.xml before the
// structural passes run; reformat puts a line break before every p, t and d tag of the finished
// HTML so that the page source reads one block a line.
#include "convert/docx_clean.h"

#include <cstring>

#include "convert/markup_scan.h"
#include "convert/word_prefix.h"
#include "text/bytesearch.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A tag rewrite of the form  open [^>]+ >  ("<t [^>]+>"): open compared without ASCII case, as the
// shared regex compares, at least one body byte, the body ending at the first ">".  Written as a
// scan, in place: every replacement is shorter than what it replaces, and these run over the whole
// untouched document, where a regex stops at every "<".
struct TagRule {
  std::string_view open;
  bool slashEndsBody;  // the body is [^>/]+: a "/" before the ">" means no match at this start
  bool selfClosing;    // the body is followed by "/>" ("<proofErr[^>]+/>")
  std::string_view replacement;
};

constexpr TagRule kTextStart{"<t ", false, false, ""};
constexpr TagRule kParagraphStart{"<p ", true, false, "<p>"};
constexpr TagRule kRowStart{"<tr ", false, false, "<tr>"};
constexpr TagRule kProofingMark{"<proofErr", false, true, ""};
constexpr TagRule kSmartTagStart{"<smartTag", false, false, ""};

bool ruleMatches(std::string_view text, const TagRule& rule, std::size_t body, std::size_t end,
                 ForwardFinder& slashes) {
  if (rule.selfClosing) return end >= body + 2 && text[end - 1] == '/';
  if (end == body) return false;
  return !rule.slashEndsBody || slashes.from(body) >= end;
}

void applyTagRule(std::string& text, const TagRule& rule) {
  const std::string_view source = text;  // read ahead of the write position: still the original
  char* data = text.data();
  ForwardFinder tagEnds(source, ">", false);
  ForwardFinder slashes(source, "/", false);
  std::size_t write = 0;
  std::size_t read = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = findBytesCaseless(source, rule.open, from);
    if (at == npos) break;
    const std::size_t body = at + rule.open.size();
    const std::size_t end = tagEnds.from(body);
    if (end == npos) break;  // no ">" ahead: no later start can match either
    if (!ruleMatches(source, rule, body, end, slashes)) {
      from = at + 1;
      continue;
    }
    std::memmove(data + write, data + read, at - read);
    write += at - read;
    std::memcpy(data + write, rule.replacement.data(), rule.replacement.size());
    write += rule.replacement.size();
    read = end + 1;
    from = read;
  }
  if (read == 0) return;
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

}  // namespace

void preClean(Conversion& c) {
  // The passes are written against unprefixed names; text and attribute values keep their "w:".
  stripWordPrefix(c.text);
  ReplaceAllInPlace(c.text, "<t>", "");
  applyTagRule(c.text, kTextStart);
  applyTagRule(c.text, kParagraphStart);
  applyTagRule(c.text, kRowStart);
  ReplaceAllInPlace(c.text, "</t>", "");
  applyTagRule(c.text, kProofingMark);
  applyTagRule(c.text, kSmartTagStart);
  ReplaceAllInPlace(c.text, "</smartTag>", "");
}

void reformat(Conversion& c) {
  RegexReplaceAll(c.regex, c.text, "<(?=[ptd])", "\r\n<");
}

}  // namespace vellumine
