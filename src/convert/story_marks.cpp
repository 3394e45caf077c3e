// References to notes and comments, read and rewritten in one left-to-right pass over each HTML
// text.  The references are the unknown elements the conversion leaves in place; four forward
// searches find them all, so a page without any costs four scans.
#include "convert/story_marks.h"

#include <array>
#include <cstring>
#include <deque>
#include <optional>
#include <unordered_set>
#include <utility>

#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/markup_escape.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kRangeBackground = "<span style=\"background-color:#fff2a8\">";

enum class TokenType { reference, noteMark, rangeStart, rangeEnd, commentMark };

struct Token {
  TokenType type;
  StoryKind kind;
  std::size_t begin, end;  // the tag
  std::string_view tag;
};

bool endsName(std::string_view text, std::size_t at) {
  if (at >= text.size()) return true;
  const char ch = text[at];
  return ch == '/' || ch == '>' || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

bool followedBy(std::string_view text, std::size_t at, std::string_view word) {
  return text.compare(at, word.size(), word) == 0 && endsName(text, at + word.size());
}

// The reference elements of one HTML text, in order.
class TokenFinder {
 public:
  explicit TokenFinder(std::string_view text)
      : text_(text),
        finders_{ForwardFinder(text, "<footnoteRef", false), ForwardFinder(text, "<endnoteRef", false),
                 ForwardFinder(text, "<comment", false), ForwardFinder(text, "<annotationRef", false)} {}

  std::optional<Token> next() {
    for (;;) {
      std::size_t best = npos;
      std::size_t which = 0;
      for (std::size_t k = 0; k < finders_.size(); ++k) {
        const std::size_t at = finders_[k].from(from_);
        if (at < best) {
          best = at;
          which = k;
        }
      }
      if (best == npos) return std::nullopt;
      from_ = best + 1;
      if (std::optional<Token> token = classify(which, best)) {
        from_ = token->end;
        return token;
      }
    }
  }

 private:
  static constexpr std::array<std::string_view, 4> kPrefixes{"<footnoteRef", "<endnoteRef", "<comment",
                                                              "<annotationRef"};

  std::optional<Token> classify(std::size_t which, std::size_t at) const {
    const std::size_t after = at + kPrefixes[which].size();
    std::optional<std::pair<TokenType, StoryKind>> type;
    if (which < 2) {
      const StoryKind kind = which == 0 ? StoryKind::footnote : StoryKind::endnote;
      if (followedBy(text_, after, "erence")) type = {{TokenType::reference, kind}};
      if (endsName(text_, after)) type = {{TokenType::noteMark, kind}};
    } else if (which == 2) {
      if (followedBy(text_, after, "Reference")) type = {{TokenType::reference, StoryKind::comment}};
      if (followedBy(text_, after, "RangeStart")) type = {{TokenType::rangeStart, StoryKind::comment}};
      if (followedBy(text_, after, "RangeEnd")) type = {{TokenType::rangeEnd, StoryKind::comment}};
    } else if (endsName(text_, after)) {
      type = {{TokenType::commentMark, StoryKind::comment}};
    }
    if (!type) return std::nullopt;
    const std::string_view tag = tagAt(text_, at);
    return Token{type->first, type->second, at, at + tag.size(), tag};
  }

  std::string_view text_;
  std::array<ForwardFinder, 4> finders_;
  std::size_t from_ = 0;
};

bool isOn(std::string_view value) { return value == "1" || value == "true" || value == "on"; }

constexpr std::string_view kMarkAttribute = "vellumineMark";

// A reference's custom mark, as moveCustomMarks put it into the reference.
std::string customMark(const Token& token) {
  if (token.type != TokenType::reference || token.kind == StoryKind::comment) return {};
  if (!isOn(AttrValue(token.tag, "customMarkFollows"))) return {};
  return AttrValue(token.tag, kMarkAttribute);
}

// The custom mark behind the reference tag that ends at tagEnd: the first text element of the run,
// [begin, end) of that element and the mark itself.
struct CustomMark {
  std::size_t begin, end;
  std::string_view text;
};

std::optional<CustomMark> findCustomMark(std::string_view document, std::size_t tagEnd) {
  const std::size_t runEnd = findBytes(document, "</w:r>", tagEnd);
  const std::size_t textAt = findStartTag(document, "<w:t", tagEnd);
  if (textAt == npos || textAt > runEnd) return std::nullopt;
  const std::size_t textStart = textAt + tagAt(document, textAt).size();
  const std::size_t close = findBytes(document, "</w:t>", textStart);
  if (close == npos || close > runEnd) return std::nullopt;
  return CustomMark{textAt, close + 6, document.substr(textStart, close - textStart)};
}

std::string romanNumeral(int number) {
  static constexpr std::array<std::pair<int, std::string_view>, 13> kDigits{{{1000, "m"}, {900, "cm"}, {500, "d"},
      {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}}};
  std::string out;
  for (const auto& [value, digits] : kDigits) {
    for (; number >= value; number -= value) out += digits;
  }
  return out;
}

// The block elements that bound a paragraph on the page.
bool isBlockTagAt(std::string_view text, std::size_t lt) {
  static constexpr std::array<std::string_view, 19> kBlocks{"p",  "h1",    "h2",    "h3", "h4", "h5", "h6",
                                                            "div", "table", "tbody", "tr", "td", "th", "ol",
                                                            "ul",  "li",    "blockquote", "hr", "section"};
  std::size_t at = lt + 1;
  if (at < text.size() && text[at] == '/') ++at;
  for (std::string_view name : kBlocks) {
    if (text.compare(at, name.size(), name) == 0 && endsName(text, at + name.size())) return true;
  }
  return false;
}

// For each comment range that starts at a position: whether its end lies ahead in the same
// paragraph.  Asked with non-decreasing positions; each paragraph is read once.
class ParagraphRanges {
 public:
  explicit ParagraphRanges(std::string_view text) : text_(text) {}

  bool endsInParagraph(std::string_view id, std::size_t at) {
    if (at >= paragraphEnd_) readParagraph(at);
    auto end = ends_.find(std::string(id));
    return end != ends_.end() && end->second > at;
  }

 private:
  void readParagraph(std::size_t at) {
    ends_.clear();
    std::size_t lt = at;
    for (;;) {
      const void* found = std::memchr(text_.data() + lt + 1, '<', text_.size() - lt - 1);
      if (found == nullptr) {
        lt = text_.size();
        break;
      }
      lt = static_cast<const char*>(found) - text_.data();
      if (isBlockTagAt(text_, lt)) break;
      if (followedBy(text_, lt, "<commentRangeEnd"))
        ends_[AttrValue(tagAt(text_, lt), "id")] = lt;
      if (lt + 1 >= text_.size()) break;
    }
    paragraphEnd_ = lt;
  }

  std::string_view text_;
  std::size_t paragraphEnd_ = 0;
  std::unordered_map<std::string, std::size_t> ends_;  // id -> its last end in the paragraph
};

// Appends html, each stretch of text (not a tag, not only blanks) on a light background.
void appendHighlighted(std::string& out, std::string_view html) {
  std::size_t at = 0;
  while (at < html.size()) {
    if (html[at] == '<') {
      const std::size_t end = html.find('>', at);
      const std::size_t stop = end == npos ? html.size() : end + 1;
      out.append(html.substr(at, stop - at));
      at = stop;
      continue;
    }
    const std::size_t next = html.find('<', at);
    const std::string_view text = html.substr(at, (next == npos ? html.size() : next) - at);
    if (text.find_first_not_of(" \t\r\n") == npos) {
      out.append(text);
    } else {
      out.append(kRangeBackground).append(text).append("</span>");
    }
    at += text.size();
  }
}

// Where a back-link goes into a note without a note mark: inside its first paragraph.
std::size_t firstParagraphContent(std::string_view html) {
  const std::size_t first = html.find_first_not_of(" \t\r\n");
  if (first == npos || html[first] != '<') return 0;
  const bool paragraph = followedBy(html, first, "<p") ||
                         (html.compare(first, 2, "<h") == 0 && first + 2 < html.size() &&
                          html[first + 2] >= '1' && html[first + 2] <= '6' && endsName(html, first + 3));
  if (!paragraph) return 0;
  const std::size_t end = html.find('>', first);
  return end == npos ? 0 : end + 1;
}

}  // namespace

StoryList::StoryList(StoryKind kind, const std::vector<StoryItem>& items) : kind_(kind), items_(items) {
  for (std::size_t i = 0; i < items.size(); ++i) firstIndex_.try_emplace(items[i].id, i);
}

std::string StoryList::numberMark(int number) const {
  if (kind_ == StoryKind::endnote && number < 4000) return romanNumeral(number);
  return std::to_string(number);
}

bool StoryList::reference(std::string_view id, std::string_view custom) {
  auto found = firstIndex_.find(std::string(id));
  if (found == firstIndex_.end()) {
    if (!danglingMarks_.contains(std::string(id)))
      danglingMarks_.emplace(id, custom.empty() ? numberMark(nextNumber_++) : std::string(custom));
    return false;
  }
  auto [place, isNew] = place_.try_emplace(found->second, order_.size() + 1);
  if (isNew) {
    order_.push_back(found->second);
    marks_.emplace_back();
    referenced_.push_back(false);
  }
  const std::size_t at = place->second - 1;
  if (!referenced_[at]) {
    referenced_[at] = true;
    marks_[at] = custom.empty() ? numberMark(nextNumber_++) : std::string(custom);
  }
  return isNew;
}

void StoryList::listUnreferenced() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (place_.try_emplace(i, order_.size() + 1).second) {
      order_.push_back(i);
      marks_.emplace_back();
      referenced_.push_back(false);
    }
  }
}

std::size_t StoryList::placeOf(std::string_view id) const {
  auto found = firstIndex_.find(std::string(id));
  if (found == firstIndex_.end()) return 0;
  auto place = place_.find(found->second);
  return place == place_.end() ? 0 : place->second;
}

std::string StoryList::markOf(std::string_view id) const {
  if (const std::size_t place = placeOf(id); place != 0) return markAt(place);
  auto dangling = danglingMarks_.find(std::string(id));
  return dangling == danglingMarks_.end() ? std::string() : dangling->second;
}

std::string StoryList::itemId(std::size_t place) const {
  static constexpr std::array<std::string_view, 3> kPrefixes{"fn-", "en-", "cm-"};
  return std::string(kPrefixes[static_cast<std::size_t>(kind_)]) + std::to_string(place);
}

std::string StoryList::referenceId(std::size_t place) const {
  static constexpr std::array<std::string_view, 3> kPrefixes{"fnref-", "enref-", "cmref-"};
  return std::string(kPrefixes[static_cast<std::size_t>(kind_)]) + std::to_string(place);
}

StoryLists::StoryLists(const Stories& stories)
    : footnotes(StoryKind::footnote, stories.footnotes),
      endnotes(StoryKind::endnote, stories.endnotes),
      comments(StoryKind::comment, stories.comments) {}

StoryList& StoryLists::of(StoryKind kind) {
  return kind == StoryKind::footnote ? footnotes : kind == StoryKind::endnote ? endnotes : comments;
}

void StoryLists::number(const std::vector<std::string_view>& shown) {
  // Items wait here between being listed and being read: no recursion, each item read once.
  std::deque<std::pair<StoryList*, std::size_t>> waiting;
  auto read = [&](std::string_view text) {
    TokenFinder tokens(text);
    while (std::optional<Token> token = tokens.next()) {
      if (token->type != TokenType::reference) continue;
      StoryList& list = of(token->kind);
      const std::string id = AttrValue(token->tag, "id");
      if (list.reference(id, customMark(*token))) waiting.emplace_back(&list, list.placeOf(id));
    }
  };
  for (std::string_view html : shown) read(html);
  for (;;) {
    while (!waiting.empty()) {
      auto [list, place] = waiting.front();
      waiting.pop_front();
      read(list->item(list->order()[place - 1]).html);
    }
    // What nobody referenced is listed too, and read for the references it holds.
    bool listedMore = false;
    for (StoryList* list : {&footnotes, &endnotes, &comments}) {
      const std::size_t before = list->order().size();
      list->listUnreferenced();
      for (std::size_t place = before + 1; place <= list->order().size(); ++place) {
        waiting.emplace_back(list, place);
        listedMore = true;
      }
    }
    if (!listedMore) break;
  }
}

std::string MarkWriter::rewrite(std::string_view html) { return rewriteText(html, nullptr, StoryKind::comment); }

std::string MarkWriter::rewriteNote(std::string_view html, const StoryList& list, std::size_t place) {
  std::string backLink;
  const std::string mark = list.markAt(place);
  if (!mark.empty()) {
    const bool linked = list.referencedAt(place);
    backLink = linked ? "<a href=\"#" + list.referenceId(place) + "\"><sup>" : std::string("<sup>");
    appendEscaped(backLink, mark);
    backLink += linked ? "</sup></a>" : "</sup>";
  }
  const std::size_t marksBefore = backLinksWritten_;
  std::string out = rewriteText(html, &backLink, list.kind());
  // A note mark stands where the document put it, followed by the note's own text; a note
  // without one gets its mark at the start, and a blank after it.
  if (backLinksWritten_ == marksBefore && !backLink.empty()) out.insert(firstParagraphContent(out), backLink + " ");
  return out;
}

std::string MarkWriter::rewriteText(std::string_view html, const std::string* backLink, StoryKind noteKind) {
  std::string out;
  out.reserve(html.size() + html.size() / 16 + 64);
  ParagraphRanges ranges(html);
  std::unordered_set<std::string> openRanges;
  bool backLinkWritten = false;
  std::size_t copied = 0;
  TokenFinder tokens(html);
  while (std::optional<Token> token = tokens.next()) {
    const std::string_view gap = html.substr(copied, token->begin - copied);
    if (openRanges.empty()) {
      out.append(gap);
    } else {
      appendHighlighted(out, gap);
    }
    copied = token->end;
    const std::string id = AttrValue(token->tag, "id");
    switch (token->type) {
      case TokenType::reference:
        writeReference(out, lists_.of(token->kind), id, customMark(*token));
        break;
      case TokenType::noteMark:
        if (backLink != nullptr && token->kind == noteKind && !backLinkWritten) {
          out += *backLink;
          backLinkWritten = true;
          ++backLinksWritten_;
        }
        break;
      case TokenType::rangeStart:
        if (ranges.endsInParagraph(id, token->begin)) openRanges.insert(id);
        break;
      case TokenType::rangeEnd:
        openRanges.erase(id);
        break;
      case TokenType::commentMark:
        break;
    }
  }
  const std::string_view rest = html.substr(copied);
  if (openRanges.empty()) {
    out.append(rest);
  } else {
    appendHighlighted(out, rest);
  }
  return out;
}

void MarkWriter::writeReference(std::string& out, StoryList& list, const std::string& id, std::string_view custom) {
  list.reference(id, custom);  // already numbered when the lists were filled; a no-op then
  const std::size_t place = list.placeOf(id);
  std::string mark(custom.empty() ? list.markOf(id) : std::string(custom));
  if (list.kind() == StoryKind::comment) {
    std::string initials;
    if (place != 0) appendEscaped(initials, list.item(list.order()[place - 1]).initials);
    mark = "[" + initials + mark + "]";
  }
  out += "<sup>";
  if (place != 0) {
    out.append("<a href=\"#").append(list.itemId(place)).append("\"");
    const std::string referenceId = list.referenceId(place);
    if (referenceIdsWritten_.insert(referenceId).second) out.append(" id=\"").append(referenceId).append("\"");
    out += ">";
  }
  out.append(mark);
  if (place != 0) out += "</a>";
  out += "</sup>";
}

void moveCustomMarks(std::string& document) {
  constexpr std::string_view kCustom = "w:customMarkFollows=\"";
  std::size_t at = findBytes(document, kCustom);
  if (at == npos) return;
  std::string out;
  std::size_t copied = 0;
  for (; at != npos; at = findBytes(document, kCustom, at + 1)) {
    // A reference tag is short: its start stands a few attributes before (a bounded look back,
    // so that a text full of the attribute name stays linear).
    constexpr std::size_t kLookBack = 256;
    const std::size_t floor = at > kLookBack ? at - kLookBack : 0;
    const std::size_t tagStart = std::string_view(document).substr(floor, at - floor).rfind('<');
    const std::string_view tag = tagStart == npos ? std::string_view() : tagAt(document, floor + tagStart);
    const bool reference = tag.starts_with("<w:footnoteReference") || tag.starts_with("<w:endnoteReference");
    if (!reference || floor + tagStart < copied || !tag.ends_with("/>") ||
        !isOn(AttrValue(tag, "w:customMarkFollows")))
      continue;
    const std::size_t tagEnd = floor + tagStart + tag.size();
    const std::optional<CustomMark> mark = findCustomMark(document, tagEnd);
    if (!mark) continue;
    out.append(document, copied, tagEnd - 2 - copied);
    out.append(" w:").append(kMarkAttribute).append("=\"");
    for (char ch : mark->text) {
      if (ch == '"') {
        out += "&quot;";
      } else {
        out += ch;
      }
    }
    out.append("\"/>");
    out.append(document, tagEnd, mark->begin - tagEnd);
    copied = mark->end;
    at = mark->end;
  }
  if (copied == 0) return;
  out.append(document, copied);
  document = std::move(out);
}

bool hasVisibleContent(std::string_view html) {
  std::size_t at = 0;
  while (at < html.size()) {
    if (html[at] == '<') {
      if (html.compare(at, 4, "<img") == 0) return true;
      const std::size_t end = html.find('>', at);
      if (end == npos) return false;
      at = end + 1;
      continue;
    }
    if (html.compare(at, 6, "&#160;") == 0) {
      at += 6;
    } else if (html.compare(at, 6, "&nbsp;") == 0) {
      at += 6;
    } else if (html[at] == ' ' || html[at] == '\t' || html[at] == '\r' || html[at] == '\n') {
      ++at;
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace vellumine
