// Numbered paragraphs into list items, and runs of items into ol/ul lists nested by item level.
// Runs after tables and before drop caps and paragraphs, so each item's paragraph still holds its
// numbering properties (numPr with ilvl and numId); the paragraphs are converted later.
#include "convert/docx_list.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/chartype.h"
#include "text/strutil.h"
#include "text/units.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::string_view kNumberingProperties = "<numPr>";
constexpr std::string_view kParagraphStart = "<p>";
constexpr std::string_view kParagraphEnd = "</p>";
constexpr std::string_view kItemStart = "<li>";
constexpr std::string_view kItemEnd = "</li>";

// True when removing every match of "<[^>]+>" would leave anything: a byte outside tags, or a "<"
// that starts no tag ("<>", or no ">" behind it).
bool hasTextOutsideTags(std::string_view paragraph) {
  for (std::size_t at = 0; at < paragraph.size();) {
    if (paragraph[at] != '<') return true;
    if (at + 1 >= paragraph.size() || paragraph[at + 1] == '>') return true;
    std::size_t tagEnd = paragraph.find('>', at + 1);
    if (tagEnd == std::string_view::npos) return true;
    at = tagEnd + 1;
  }
  return false;
}

// ---- list kind ------------------------------------------------------------------------------

// The tags of one list kind.
struct ListTags {
  std::string_view open;
  std::string_view close;
};
constexpr ListTags kOrderedList{"<ol>", "</ol>"};
constexpr ListTags kUnorderedList{"<ul>", "</ul>"};

// "ol" when the first level of the item's numbering definition is "decimal", "ul" for every other
// format and for a definition that is missing.
const ListTags& listKindOf(std::string_view numbering, std::string_view numId) {
  if (numId.empty()) return kUnorderedList;
  // No closing quote after the id: numId 1 also finds a num whose id only begins with 1.
  std::string num = TextBetween(numbering, "<num numId=\"" + std::string(numId), "</num>");
  std::string abstractId = AttrValue(num, "<abstractNumId val");
  if (abstractId.empty()) return kUnorderedList;
  std::string abstract =
      TextBetween(numbering, "<abstractNum abstractNumId=\"" + abstractId, "</abstractNum>");
  return AttrValue(abstract, "<numFmt val") == "decimal" ? kOrderedList : kUnorderedList;
}

// The list kind of a group or block, from the numbering reference of its first item; remembered per
// reference, so a document with thousands of lists reads the numbering part once per definition.
class ListKinds {
 public:
  explicit ListKinds(std::string_view numbering) : numbering_(numbering) {}
  const ListTags& of(std::string_view listText) {
    std::string numId = TextBetween(listText, "<numId val=\"", "\"");
    auto known = kinds_.find(numId);
    if (known != kinds_.end()) return *known->second;
    const ListTags& kind = listKindOf(numbering_, numId);
    kinds_.emplace(std::move(numId), &kind);
    return kind;
  }

 private:
  std::string_view numbering_;
  std::map<std::string, const ListTags*, std::less<>> kinds_;
};

// ---- groups and nesting ----------------------------------------------------------------------

// The level of one item; an item without an ilvl element is at level 0.
int itemLevel(std::string_view item) {
  std::string level = ValAttr(item, "ilvl");
  return level.empty() ? 0 : StrToRoundedInt(level);
}

// Appends the list block "<kind>" + group + "</kind>" with a nested list opened in front of each
// item whose level rises and closed where the level falls back.  The items are the pieces of the
// group up to and including each "</li>".  Each nested list remembers the level it was opened at,
// so a fall closes exactly the lists opened above the new level: a block that starts deeper than it
// goes on, or falls by several steps, stays balanced.
void appendListBlock(std::string& out, std::string_view group, const ListTags& kind) {
  out += kind.open;
  std::vector<int> openedAt;
  std::size_t pieceStart = 0;
  std::size_t pieceEnd = group.find(kItemEnd);
  int previousLevel = pieceEnd == std::string_view::npos ? 0 : itemLevel(group.substr(0, pieceEnd));
  for (; pieceEnd != std::string_view::npos; pieceEnd = group.find(kItemEnd, pieceStart)) {
    std::string_view piece = group.substr(pieceStart, pieceEnd + kItemEnd.size() - pieceStart);
    int level = itemLevel(piece);
    if (level > previousLevel) {
      out += kind.open;
      openedAt.push_back(level);
    } else {
      while (!openedAt.empty() && openedAt.back() > level) {
        out += kind.close;
        openedAt.pop_back();
      }
    }
    previousLevel = level;
    out += piece;
    pieceStart += piece.size();
  }
  for (std::size_t k = 0; k < openedAt.size(); ++k) out += kind.close;
  out += group.substr(pieceStart);
  out += kind.close;
}

struct Span {
  std::size_t begin;
  std::size_t end;
};

// The blanks "\s" matches in the converter's patterns: blank, tab, line feed, form feed, carriage
// return (not the vertical tab).
bool isPatternBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r'; }

std::size_t skipPatternBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && isPatternBlank(text[at])) ++at;
  return at;
}

// The end of the item "<li>.+?</li>" that starts at itemStart (content of at least one byte, up to
// the first end tag), or npos when no end tag follows.
std::size_t findItemEnd(std::string_view text, std::size_t itemStart) {
  std::size_t close = findBytesCaseless(text, kItemEnd, itemStart + kItemStart.size() + 1);
  return close == std::string_view::npos ? close : close + kItemEnd.size();
}

// Every run of consecutive items with the blanks behind each, collected before anything changes:
// the matches of "((<li>.+?</li>\s*)+)", found by a plain scan.  The regex needs backtracking
// stack for every item of a group and gives up (no match at all) on a list of some 200,000 items;
// the scan has no such limit and stops at the first "<li>" that has no end tag behind it, behind
// which no group can start either.
std::vector<Span> findListGroups(std::string_view text) {
  std::vector<Span> groups;
  std::size_t from = 0;
  for (;;) {
    std::size_t start = findBytesCaseless(text, kItemStart, from);
    if (start == std::string_view::npos) break;
    std::size_t itemEnd = findItemEnd(text, start);
    if (itemEnd == std::string_view::npos) break;
    std::size_t groupEnd = skipPatternBlanks(text, itemEnd);
    while (EqualsCaselessAt(text, groupEnd, kItemStart)) {
      itemEnd = findItemEnd(text, groupEnd);
      if (itemEnd == std::string_view::npos) break;
      groupEnd = skipPatternBlanks(text, itemEnd);
    }
    groups.push_back({start, groupEnd});
    from = groupEnd;
  }
  return groups;
}

}  // namespace

void markListItems(Conversion& c) {
  c.hasListItems = false;
  const std::string_view text = c.text;
  std::size_t numPr = text.find(kNumberingProperties);
  if (numPr == std::string_view::npos) return;
  c.hasListItems = true;
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t copied = 0;
  std::size_t previousEnd = 0;
  while (numPr != std::string_view::npos) {
    std::size_t end = text.find(kParagraphEnd, numPr);
    // Numbering properties without a paragraph end behind them: nothing more to wrap.
    if (end == std::string_view::npos) break;
    // The paragraph start is looked for back to the end of the previous numbered paragraph only;
    // properties that stand in no paragraph of their own are left alone.
    std::size_t start = findLastBetween(text, kParagraphStart, previousEnd, numPr);
    if (start != std::string_view::npos && hasTextOutsideTags(text.substr(start, end - start))) {
      out.append(text, copied, start - copied);
      out += "<li>";
      out.append(text, start, end + kParagraphEnd.size() - start);
      out += "</li>";
      copied = end + kParagraphEnd.size();
    }
    previousEnd = end + kParagraphEnd.size();
    numPr = text.find(kNumberingProperties, end);
  }
  out.append(text, copied, std::string_view::npos);
  c.text = std::move(out);
}

void buildLists(Conversion& c) {
  if (!c.hasListItems) return;
  const std::string_view text = c.text;
  std::vector<Span> groups = findListGroups(text);
  if (groups.empty()) return;
  ListKinds kinds(c.numbering);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t copied = 0;
  for (const Span& group : groups) {
    std::string_view groupText = text.substr(group.begin, group.end - group.begin);
    out.append(text, copied, group.begin - copied);
    appendListBlock(out, groupText, kinds.of(groupText));
    copied = group.end;
  }
  out.append(text, copied, std::string_view::npos);
  c.text = std::move(out);
}

}  // namespace vellumine
