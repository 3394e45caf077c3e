// Paragraphs ("<p>" .. "</p>" after pre-cleaning) to HTML p and h1-h3 elements with inline style.
// Runs after the table, list and drop-cap passes: the walk goes from paragraph to paragraph and
// table boundary, converts each paragraph on its own, and copies everything between them as it
// stands.  What remains of run markup afterwards is the run clean-up's.
#include "convert/docx_para.h"

#include <algorithm>
#include <unordered_map>

#include "convert/docx_css.h"
#include "convert/docx_run.h"
#include "convert/docx_style.h"
#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/strutil.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kEmptyParagraph = "<p>&#160;</p>";
// The paragraph keeps slots 0 to 8 of a style record; slot 9 (background) is not a paragraph's.
constexpr std::size_t kParagraphSlots = 9;

// The first style-table entry of every style id: the lookup of findStyle over the whole table,
// in constant time, for a pass that looks up one style per paragraph.
class StyleIndex {
 public:
  explicit StyleIndex(const Conversion& c) {
    for (std::size_t i = 0; i < c.styleTable.size(); ++i) {
      first_.try_emplace(c.styleTable[i].styleId, static_cast<int>(i));
    }
  }
  int find(std::string_view id) const {
    auto it = first_.find(id);
    return it == first_.end() ? -1 : it->second;
  }

 private:
  std::unordered_map<std::string_view, int> first_;
};

ParagraphStyle styleWith(const Conversion& c, const StyleIndex* index, std::string_view paragraph,
                         std::string_view properties, bool inTable) {
  std::string_view borders = ViewBetween(properties, "<pBdr>", "</pBdr>");
  std::string borderCss = borders.empty() ? std::string() : bordersToCss(borders);
  StyleSlots slots;
  readStyleProperties(c, properties, false, slots);

  ParagraphStyle style{{}, "p"};
  std::string_view styleId = ViewBetween(paragraph, "<pStyle val=\"", "\"");
  if (styleId.size() == 1 && styleId[0] >= '1' && styleId[0] <= '3') style.tag.assign("h").append(styleId);
  if (!styleId.empty()) {
    int entry = index != nullptr ? index->find(styleId)
                                 : findStyle(c, styleId, static_cast<int>(c.styleTable.size()) - 1);
    // Inside tables the table decides the box; only the font comes from the paragraph's style.
    if (entry != -1) inheritStyleProperties(c, slots, entry, !inTable);
  }
  for (std::size_t k = 0; k < kParagraphSlots; ++k) style.css += slots[k];
  style.css += borderCss;
  return style;
}

bool isBlank(std::string_view text) {
  for (char ch : text) {
    if (static_cast<unsigned char>(ch) > ' ') return false;  // blanks and control characters
  }
  return true;
}

// Appends the HTML of one paragraph ("<p>...</p>") to out.
void appendConverted(Conversion& c, const StyleIndex* index, std::string_view paragraph, bool inTable,
                     std::string& out) {
  std::string_view properties = ViewBetween(paragraph, "<pPr>", "</pPr>");
  std::string content(properties.empty() ? ViewBetween(paragraph, ">", "</p>")
                                         : ViewBetween(paragraph, "</pPr>", "</p>"));
  if (isBlank(content)) {
    out += containsBytes(paragraph, "<section/>") ? std::string_view("<section/>") : kEmptyParagraph;
    return;
  }

  // The run properties of the paragraph mark format nothing that is shown.
  properties = properties.substr(0, findBytes(properties, "<rPr"));
  ParagraphStyle style{{}, "p"};
  if (!properties.empty()) style = styleWith(c, index, paragraph, properties, inTable);

  convertRuns(content, style.css);

  if (containsBytes(paragraph, "<pict")) out += "<pict>";
  out.append("<").append(style.tag);
  if (!style.css.empty()) out.append(" style=\"").append(style.css).append("\"");
  out.append(">").append(content).append("</").append(style.tag).append(">");
}

std::string convertWith(Conversion& c, const StyleIndex* index, std::string_view paragraph, bool inTable) {
  std::string html;
  appendConverted(c, index, paragraph, inTable, html);
  return html;
}

// Every "<p ...attributes.../>" becomes an empty HTML paragraph (what "<p [^>]+/>" matches,
// ASCII case ignored), found with plain scans: a start whose tag never closes costs one scan.
void replaceSelfClosingParagraphs(std::string& text) {
  std::size_t start = findBytesCaseless(text, "<p ", 0);
  if (start == npos) return;
  ForwardFinder tagEnd(text, ">", false);
  std::string out;
  std::size_t copied = 0;
  while (start != npos) {
    std::size_t end = tagEnd.from(start + 3);
    if (end == npos) break;
    // At least one attribute byte, then "/>".
    if (end >= start + 5 && text[end - 1] == '/') {
      if (out.empty()) out.reserve(text.size() + text.size() / 8);
      out.append(text, copied, start - copied);
      out += kEmptyParagraph;
      copied = end + 1;
      start = findBytesCaseless(text, "<p ", copied);
    } else {
      start = findBytesCaseless(text, "<p ", start + 1);
    }
  }
  if (copied == 0) return;
  out.append(text, copied);
  text = std::move(out);
}

// The next paragraph start, table start or table end at or after a position, whichever comes
// first, for a walk whose positions only grow: each of the three is searched once through the text.
class BoundaryFinder {
 public:
  explicit BoundaryFinder(std::string_view text)
      : paragraphs_(text, "<p>", false), tableStarts_(text, "<table", false), tableEnds_(text, "</table", false) {}
  std::size_t next(std::size_t from) {
    return std::min({paragraphs_.from(from), tableStarts_.from(from), tableEnds_.from(from)});
  }

 private:
  ForwardFinder paragraphs_;
  ForwardFinder tableStarts_;
  ForwardFinder tableEnds_;
};

}  // namespace

ParagraphStyle paragraphStyle(const Conversion& c, std::string_view paragraph, std::string_view properties,
                              bool inTable) {
  return styleWith(c, nullptr, paragraph, properties, inTable);
}

std::string convertParagraph(Conversion& c, std::string_view paragraph, bool inTable) {
  return convertWith(c, nullptr, paragraph, inTable);
}

void convertParagraphs(Conversion& c) {
  replaceSelfClosingParagraphs(c.text);
  const std::string& text = c.text;
  BoundaryFinder boundaries(text);
  std::size_t hit = boundaries.next(0);
  if (hit == npos) return;

  const StyleIndex index(c);
  ForwardFinder paragraphEnd(text, "</p>", false);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  out.append(text, 0, hit);
  std::size_t copied = hit;
  bool inTable = false;
  while (hit != npos) {
    std::size_t next = boundaries.next(hit + 3);
    if (text[hit + 1] == 'p') {
      std::size_t close = paragraphEnd.from(hit);
      if (close == npos) break;  // an unclosed paragraph: the rest stays as it is
      std::size_t end = close + 4;
      if (next == npos || next >= end) {
        appendConverted(c, &index, std::string_view(text).substr(hit, end - hit), inTable, out);
        copied = end;
      } else {
        // A text box or table inside the paragraph: its leading text is kept as it stands (the
        // run clean-up strips its run markup) and the walk goes on with the inner paragraphs.
        out.append(text, copied, next - copied);
        copied = next;
      }
    } else {
      inTable = text[hit + 1] == 't';  // not a nesting count: an inner table's end clears it
    }
    if (next != npos && next > copied) {
      out.append(text, copied, next - copied);
      copied = next;
    }
    hit = next;
  }
  out.append(text, copied);
  c.text = std::move(out);
}

}  // namespace vellumine
