// Word tables to HTML tables.  Runs right after pre-cleaning (element names have lost "w:", row
// start tags their attributes): table and cell property blocks become attributes and styles of
// <table> and <td>, vertical merges and grid spans become row and column spans, the grid becomes
// <col> elements.  The paragraphs inside the cells are left to the paragraph and run passes.
#include "convert/docx_table.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "convert/docx_css.h"
#include "convert/docx_style.h"
#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/strutil.h"
#include "text/units.h"
#include "text/wsregex.h"
#include "text/xmlfrag.h"

namespace vellumine {
namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr std::string_view kTablePropsStart = "<tblPr>";
constexpr std::string_view kTablePropsEnd = "</tblPr>";
constexpr std::string_view kTableBordersStart = "<tblBorders>";
constexpr std::string_view kTableBordersEnd = "</tblBorders>";
constexpr std::string_view kCellPropsStart = "<tcPr>";
constexpr std::string_view kCellPropsEnd = "</tcPr>";
constexpr std::string_view kSpanStart = "<gridSpan val=\"";

// ---------------------------------------------------------------------------------------------
// Scanning helpers

// Rebuilds a text left to right: gaps of the source are copied with AppendRange and new pieces are
// added between them, so a structural step writes the document once into one presized buffer.
class TextBuilder {
 public:
  explicit TextBuilder(std::string_view source) : source_(source) {
    buffer_.reserve(source.size() + source.size() / 8 + 64);
    buffer_.resize(source.size() + 1);  // the first write always fits, even for an empty source
  }

  // Copies source[from, to), 0-based with the end excluded.
  void copy(std::size_t from, std::size_t to) {
    if (to > from) {
      AppendRange(buffer_, fill_, source_, static_cast<TextPos>(from) + 1, static_cast<TextPos>(to));
    }
  }
  void add(std::string_view piece) {
    if (!piece.empty()) AppendRange(buffer_, fill_, piece, 1, static_cast<TextPos>(piece.size()));
  }
  std::string finish() {
    buffer_.resize(static_cast<std::size_t>(fill_ - 1));
    return std::move(buffer_);
  }

 private:
  std::string_view source_;
  std::string buffer_;
  TextPos fill_ = 1;
};

// True when text holds the start tag of the named element at pos ("<tc>", "<tc colspan=...>", but
// not "<tcPr>").
bool isStartTag(std::string_view text, std::size_t pos, std::string_view open) {
  return text.compare(pos, open.size(), open) == 0 && endsTagName(text, pos + open.size());
}

// The last start tag of the named element that begins in text[low, before); npos when there is
// none.  The search never goes below low: what lies there has been written out already, and a
// search to the start of the text for every property block would be quadratic.
std::size_t findLastStartTag(std::string_view text, std::string_view open, std::size_t low,
                             std::size_t before) {
  if (before <= low) return npos;
  std::string_view region = text.substr(low, before - low);
  std::size_t searchEnd = region.size();
  while (searchEnd > 0) {
    std::size_t hit = region.rfind(open, searchEnd - 1);
    if (hit == npos) return npos;
    if (endsTagName(text, low + hit + open.size())) return low + hit;
    searchEnd = hit;
  }
  return npos;
}

void appendAll(std::string& text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) text += piece;
}

// A lazy "<x.+?</x>" rewrite applied only to the text up to the last closing tag (the shared regex
// is caseless, so the closing tag is found caselessly too).  No match can end beyond it, and each
// start tag left open after it would otherwise send the regex to the end of the text once.
template <typename Rewrite>
void rewriteUpToLastClose(std::string& text, std::string_view closeTag, Rewrite rewrite) {
  TextPos last = PosLast(text, closeTag, 0, true);
  if (last == 0) return;  // nothing can match
  std::size_t cut = static_cast<std::size_t>(last) - 1 + closeTag.size();
  if (cut >= text.size()) {
    rewrite(text);
    return;
  }
  // The tail is set aside and put back, so the head is rewritten without a copy of its own.
  std::string tail = text.substr(cut);
  text.resize(cut);
  rewrite(text);
  text += tail;
}

// ---------------------------------------------------------------------------------------------
// Table property blocks

// What a table property block gives its table start tag.
struct TableStartTag {
  std::string width;       // ' width="..."' from the last width element, or empty
  std::string attributes;  // the other attributes, in the order their elements stand
};

// The start-tag attributes of each table style, looked up once per style id: styleBody searches
// the whole styles text, and a long document names the same style in hundreds of tables.
class TableStyleLookup {
 public:
  explicit TableStyleLookup(const Conversion& c) : c_(c) {}
  const std::string& attributesOf(const std::string& id) {
    auto it = cache_.find(id);
    if (it == cache_.end()) it = cache_.emplace(id, tableStyleAttributes(styleBody(c_, id))).first;
    return it->second;
  }

 private:
  const Conversion& c_;
  std::unordered_map<std::string, std::string> cache_;
};

struct TableReading {
  const Conversion& c;
  TableStyleLookup& styles;
  TableStartTag tag;
};

void addTableStyle(TableReading& r, std::string_view element) {
  std::string id = AttrValue(element, "val");
  r.tag.attributes += ' ';
  if (!id.empty()) r.tag.attributes += r.styles.attributesOf(id);
}

void addCellSpacing(TableReading& r, std::string_view element) {
  const std::string w = AttrValue(element, "w");
  appendAll(r.tag.attributes, {" cellspacing=\"", TwipsToPx(w.empty() ? std::string_view("0") : w), "\""});
}

void setTableWidth(TableReading& r, std::string_view element) {
  std::string width = WidthToCss(element);
  r.tag.width.clear();
  if (!width.empty()) appendAll(r.tag.width, {" width=\"", width, "\""});
}

void addAlignment(TableReading& r, std::string_view element) {
  std::string align = AttrValue(element, "val");
  if (!align.empty()) appendAll(r.tag.attributes, {" align=\"", align, "\""});
}

// Table shading counts only when it is not "clear"; the cell rule below reads the fill always.
void addTableBackground(TableReading& r, std::string_view element) {
  std::string fill = AttrValue(element, "val") != "clear" ? AttrValue(element, "fill") : "";
  if (fill == "auto") fill = r.c.autoShadeColour;
  if (!fill.empty()) appendAll(r.tag.attributes, {" bgcolor=\"", fill, "\""});
}

struct TablePropertyRule {
  std::string_view name;
  void (*apply)(TableReading&, std::string_view element);
};
constexpr std::array kTablePropertyRules{
    TablePropertyRule{"tblStyle", addTableStyle},   TablePropertyRule{"tblCellSpacing", addCellSpacing},
    TablePropertyRule{"tblW", setTableWidth},       TablePropertyRule{"jc", addAlignment},
    TablePropertyRule{"shd", addTableBackground},
};

void applyTableProperty(TableReading& r, std::string_view tag) {
  const std::string name = TagName(tag);
  for (const TablePropertyRule& rule : kTablePropertyRules) {
    if (name == rule.name) {
      rule.apply(r, tag);
      return;
    }
  }
}

// The table's own border block, read from here to its own end tag; the walk goes on after that
// end tag.  A property-change record can hold a second border block: taking the first block of
// the text again would send the walk back to it for ever.
std::size_t addBorderBlock(TableReading& r, std::string_view block, std::size_t contentStart) {
  std::size_t end = block.find(kTableBordersEnd, contentStart);
  std::string_view borders =
      end == npos ? std::string_view() : block.substr(contentStart, end - contentStart);
  r.tag.attributes += ' ';
  r.tag.attributes += tableStyleAttributes(borders);
  return end == npos ? contentStart : end + kTableBordersEnd.size();
}

// Walks the block tag by tag, from each "<" through the next ">".
TableStartTag readTableProperties(const Conversion& c, TableStyleLookup& styles, std::string_view block) {
  TableReading r{c, styles, {}};
  std::size_t tagStart = block.find('<');
  while (tagStart != npos) {
    std::size_t tagEnd = block.find('>', tagStart);
    if (tagEnd == npos) break;  // a tag cut off by the end of the block
    std::string_view tag = block.substr(tagStart, tagEnd + 1 - tagStart);
    std::size_t next = tagEnd + 1;
    if (tag == kTableBordersStart) {
      next = addBorderBlock(r, block, next);
    } else {
      applyTableProperty(r, tag);
    }
    tagStart = block.find('<', next);
  }
  return std::move(r.tag);
}

// ---------------------------------------------------------------------------------------------
// Merged and spanned cells

enum class MergeKind { none, start, continuation };

// The colspan of a grid span: as written, but a span with a decimal part ("2.0") as the whole
// number the merge count takes (StrToRoundedInt).
std::string colspanOf(std::string_view span) {
  if (span.find('.') == npos) return std::string(span);
  const std::optional<DecimalFraction> number = ReadDecimal(span);
  return number ? DecimalText(NearestQuotient(number->num, number->den)) : std::string(span);
}

// One cell start tag of the document, with what the merge step needs to rewrite it.
struct CellScan {
  std::size_t start = 0;            // the "<" of the start tag
  std::size_t contentStart = npos;  // just after the start tag; npos when the tag never ends
  std::size_t end = npos;           // just after "</tc>"; npos for a cell that is never closed
  MergeKind merge = MergeKind::none;
  bool hasSpan = false;
  std::string_view span;           // the grid span value as written
  int rowSpan = -1;                // index of the row span count of a counted merge start
  bool inChangeRecord = false;     // inside the cell's record of its former properties
};

// The state of one table (or of the document level) while the text is read.
struct TableScan {
  bool rowOpen = false;
  bool rowHasMerge = false;
  int openCell = -1;
  std::vector<int> rowCells;  // the cells of the open row, in order
  // Grid column -> row span count of the latest merge start in that column of this table.
  std::unordered_map<long long, int> lastStartInColumn;
};

// Reads the text once, keeping a stack of the tables it is in, and finds every cell with its
// merge and span.  A row's merges are counted when the row ends, against the merge starts of the
// same table only: a nested table counts its own merges and never lends a span to its parent.
class MergeScanner {
 public:
  explicit MergeScanner(std::string_view text) : text_(text) { tables_.emplace_back(); }

  void run() {
    for (std::size_t at = text_.find('<'); at != npos; at = text_.find('<', at + 1)) readTag(at);
    while (!tables_.empty()) {
      endRow(tables_.back());
      tables_.pop_back();
    }
  }

  std::vector<CellScan> cells;
  std::vector<int> rowSpans;  // one count per merge start found in a row, starting at 1

 private:
  // Dispatches on the byte after "<" (or "</") first: most tags of a document are paragraphs and
  // runs, and they are passed over without a single comparison of names.
  void readTag(std::size_t at) {
    const char first = byteAt(at + 1);
    if (first == 't') {
      readStartTag(at);
    } else if (first == '/' && byteAt(at + 2) == 't') {
      readEndTag(at);
    } else if (first == 'v' && text_.compare(at, 7, "<vMerge") == 0) {
      noteMerge(at);
    } else if (first == 'g' && text_.compare(at, kSpanStart.size(), kSpanStart) == 0) {
      noteSpan(at);
    }
  }

  void readStartTag(std::size_t at) {
    // Tables with a property block have had their start tag renamed by convertTableProperties.
    if (isStartTag(text_, at, "<tbl") || isStartTag(text_, at, "<table")) {
      tables_.emplace_back();
    } else if (isStartTag(text_, at, "<tr")) {
      endRow(tables_.back());
      tables_.back().rowOpen = true;
    } else if (isStartTag(text_, at, "<tc")) {
      startCell(at);
    } else if (text_.compare(at, 11, "<tcPrChange") == 0) {
      setChangeRecord(true);
    }
  }

  void readEndTag(std::size_t at) {
    if (text_.compare(at, 6, "</tbl>") == 0) {
      if (tables_.size() > 1) {  // a stray end tag at document level closes nothing
        endRow(tables_.back());
        tables_.pop_back();
      }
    } else if (text_.compare(at, 5, "</tr>") == 0) {
      endRow(tables_.back());
    } else if (text_.compare(at, 5, "</tc>") == 0) {
      endCell(at);
    } else if (text_.compare(at, 13, "</tcPrChange>") == 0) {
      setChangeRecord(false);
    }
  }

  char byteAt(std::size_t pos) const { return pos < text_.size() ? text_[pos] : '\0'; }

  CellScan* openCell() {
    int index = tables_.back().openCell;
    return index < 0 ? nullptr : &cells[static_cast<std::size_t>(index)];
  }

  void startCell(std::size_t at) {
    TableScan& table = tables_.back();
    CellScan cell;
    cell.start = at;
    // The tag ends at the next ">" unless a "<" comes first; stopping there keeps this search
    // within the stretch the main loop reads anyway.
    std::size_t tagEnd = text_.find_first_of("<>", at + 3);
    if (tagEnd != npos && text_[tagEnd] == '>') cell.contentStart = tagEnd + 1;
    table.openCell = static_cast<int>(cells.size());  // a cell still open is left unclosed
    if (table.rowOpen) table.rowCells.push_back(table.openCell);
    cells.push_back(cell);
  }

  void endCell(std::size_t at) {
    if (CellScan* cell = openCell()) cell->end = at + 5;
    tables_.back().openCell = -1;
  }

  void setChangeRecord(bool inside) {
    if (CellScan* cell = openCell()) cell->inChangeRecord = inside;
  }

  // The cell's first merge element decides; one in the record of former properties does not.
  void noteMerge(std::size_t at) {
    CellScan* cell = openCell();
    if (cell == nullptr || cell->merge != MergeKind::none || cell->inChangeRecord) return;
    if (text_.compare(at, 9, "<vMerge/>") == 0) {
      cell->merge = MergeKind::continuation;
    } else if (text_.compare(at, 8, "<vMerge ") == 0) {
      cell->merge = MergeKind::start;  // whatever its value
    } else {
      return;
    }
    if (tables_.back().rowOpen) tables_.back().rowHasMerge = true;
  }

  // The value runs to the next double quote; one that is missing, or a "<" or ">" before it,
  // leaves the cell without a span rather than copying markup into an attribute.
  void noteSpan(std::size_t at) {
    CellScan* cell = openCell();
    if (cell == nullptr || cell->hasSpan || cell->inChangeRecord) return;
    std::size_t valueStart = at + kSpanStart.size();
    std::size_t quote = text_.find_first_of("\"<>", valueStart);
    if (quote == npos || text_[quote] != '"') return;
    cell->hasSpan = true;
    cell->span = text_.substr(valueStart, quote - valueStart);
  }

  // Counts the merges of a row that holds one: each cell begins one grid column after the
  // previous one ended, and a continuation belongs to the latest merge start in its column.
  void endRow(TableScan& table) {
    if (table.rowHasMerge) {
      long long column = 0;
      for (int index : table.rowCells) {
        CellScan& cell = cells[static_cast<std::size_t>(index)];
        ++column;
        if (cell.merge == MergeKind::start) {
          cell.rowSpan = static_cast<int>(rowSpans.size());
          rowSpans.push_back(1);
          table.lastStartInColumn[column] = cell.rowSpan;
        } else if (cell.merge == MergeKind::continuation) {
          auto found = table.lastStartInColumn.find(column);
          if (found != table.lastStartInColumn.end()) ++rowSpans[static_cast<std::size_t>(found->second)];
        }
        if (cell.hasSpan) column += static_cast<long long>(StrToRoundedInt(cell.span)) - 1;
      }
    }
    table.rowOpen = false;
    table.rowHasMerge = false;
    table.rowCells.clear();
    table.openCell = -1;
  }

  std::string_view text_;
  std::vector<TableScan> tables_;  // the document level first, the innermost table last
};

// ---------------------------------------------------------------------------------------------
// Cell property blocks

void addCellWidth(const Conversion&, std::string_view element, std::string& style) {
  std::string w = AttrValue(element, "w");
  if (w.empty() || w == "0") return;
  appendAll(style, {"width:", TwipsToPx(w), "px;"});
}

// Only pure white is left out, and only when written in capitals as the word processor does.
void addCellBackground(const Conversion& c, std::string_view element, std::string& style) {
  std::string fill = AttrValue(element, "fill");
  if (fill == "auto") fill = c.autoShadeColour;
  if (fill.empty() || fill == "FFFFFF") return;
  if (fill.size() == 6) fill.insert(0, 1, '#');
  appendAll(style, {"background-color:", fill, ";"});
}

void addVerticalAlignment(const Conversion&, std::string_view element, std::string& style) {
  std::string align = AttrValue(element, "val");
  if (align.empty()) {
    style += "vertical-align:top;";
  } else {
    if (align == "center") align = "middle";  // CSS centres a cell's content vertically as "middle"
    appendAll(style, {" vertical-align:", align, ";"});
  }
}

void addCellBorders(const Conversion&, std::string_view element, std::string& style) {
  style += bordersToCss(TextBetween(element, "Borders>", "Borders>"));
}

void addCellMargins(const Conversion&, std::string_view element, std::string& style) {
  style += cellMarginsToCss(element);
}

struct CellPropertyRule {
  std::string_view name;
  void (*apply)(const Conversion&, std::string_view element, std::string& style);
};
constexpr std::array kCellPropertyRules{
    CellPropertyRule{"tcW", addCellWidth},         CellPropertyRule{"shd", addCellBackground},
    CellPropertyRule{"vAlign", addVerticalAlignment}, CellPropertyRule{"tcBorders", addCellBorders},
    CellPropertyRule{"tcMar", addCellMargins},
};

// The CSS of one cell property block, element by element.
std::string cellStyle(const Conversion& c, std::string_view block) {
  std::string style;
  std::size_t first = block.find('<');
  if (first == npos) return style;
  TextPos position = static_cast<TextPos>(first) + 1;
  for (;;) {
    const TextPos before = position;
    std::string element = NextElement(block, position);
    if (element.empty() || position <= before) break;
    const std::string name = TagName(element);
    for (const CellPropertyRule& rule : kCellPropertyRules) {
      if (name == rule.name) {
        rule.apply(c, element, style);
        break;
      }
    }
  }
  return style;
}

// ---------------------------------------------------------------------------------------------
// Property blocks into their owners' start tags

// Where one kind of property block stands: its own start and end tag, the start tag of the element
// that owns it, and what ends the stretch in which the block's end tag must come for the block to
// count as closed (any occurrence of `stop`, a start tag of exactly `stopTag`).
struct PropertyBlockKind {
  std::string_view start, end;
  std::string_view owner;
  std::string_view stop, stopTag;
};
// A table's block must close before its grid and its rows; a cell's before its cell ends or the
// next cell starts.
constexpr PropertyBlockKind kTableBlocks{kTablePropsStart, kTablePropsEnd, "<tbl", "<tblGrid", "<tr"};
constexpr PropertyBlockKind kCellBlocks{kCellPropsStart, kCellPropsEnd, "<tc", "</tc>", "<tc"};

// Moves each closed block of one kind into the start tag of its owner (the last owner start tag
// between the previous block and this one): the owner's name is replaced by what ownerTag makes of
// the block's content, the new name with its attributes, and the block itself goes.  Positions
// only move forward, so the walk reads the text once per needle.
template <typename OwnerTag>
void moveBlocksIntoOwners(Conversion& c, const PropertyBlockKind& kind, const OwnerTag& ownerTag) {
  const std::string_view text = c.text;
  if (findBytes(text, kind.start) == npos) return;
  TextBuilder out(text);
  ForwardFinder blockEnds(text, kind.end, false);
  ForwardFinder stops(text, kind.stop, false);
  ForwardFinder stopTags(text, kind.stopTag, false, ForwardFinder::Match::wholeName);
  std::size_t copyFrom = 0;
  std::size_t searchFrom = 0;
  for (;;) {
    const std::size_t block = findBytes(text, kind.start, searchFrom);
    if (block == npos) break;
    const std::size_t content = block + kind.start.size();
    const std::size_t end = blockEnds.from(content);
    if (end == npos) break;  // never closed: it and the rest of the text stay as they are
    if (stops.from(content) < end || stopTags.from(content) < end) {
      searchFrom = content;  // not closed before its owner goes on: left as it stands
      continue;
    }
    const std::size_t after = end + kind.end.size();
    searchFrom = after;
    const std::size_t owner = findLastStartTag(text, kind.owner, copyFrom, block);
    if (owner == npos) {  // no owner start tag of its own: left as it stands
      out.copy(copyFrom, after);
      copyFrom = after;
      continue;
    }
    out.copy(copyFrom, owner + 1);  // through the "<" of the owner's start tag
    out.add(ownerTag(text.substr(content, end - content)));
    out.copy(owner + kind.owner.size(), block);  // the rest of the start tag, and what precedes the block
    copyFrom = after;
  }
  out.copy(copyFrom, text.size());
  c.text = out.finish();
}

// ---------------------------------------------------------------------------------------------
// Row heights and grid columns

void convertRowHeights(Conversion& c) {
  rewriteUpToLastClose(c.text, "</trPr>", [&c](std::string& text) {
    c.regex.SetPattern("<tr[^>]*><trPr><trHeight val=\"(\\d+)\".+?</trPr>");
    ConvertMatchesToPx(c.regex, text, 1, "<tr height=\"", "\">");
  });
}

void deleteClosedBlocks(Conversion& c, std::string_view pattern, std::string_view closeTag) {
  rewriteUpToLastClose(c.text, closeTag,
                       [&c, pattern](std::string& text) { RegexDeleteAll(c.regex, text, pattern); });
}

void convertGridColumns(Conversion& c) {
  c.regex.SetPattern("<gridCol w=\"(\\d+)\"/>");
  ConvertMatchesToPx(c.regex, c.text, 1, "<col width=\"", "\"/>");
}

void replaceAll(Conversion& c, std::string_view oldText, std::string_view newText) {
  ReplaceAllInPlace(c.text, oldText, newText);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void convertTables(Conversion& c) {
  convertTableProperties(c);
  convertMergedCells(c);
  if (c.flags.cellPropertiesEnabled) {
    convertCellProperties(c);
  } else {
    deleteClosedBlocks(c, "<tcPr.+?</tcPr>", kCellPropsEnd);
  }
  replaceAll(c, "><rowspan", " rowspan");  // the merge marker joins its cell's start tag
  replaceAll(c, "<tc ", "<td ");
  convertRowHeights(c);
  deleteClosedBlocks(c, "<trPr.+?</trPr>", "</trPr>");
  replaceAll(c, "tc>", "td>");
  replaceAll(c, "tbl>", "table>");
  // Some writers give the table start tag namespace attributes; without a property block nothing
  // above has renamed it, and a browser would not see a table.
  replaceAll(c, "<tbl ", "<table ");
  convertGridColumns(c);
  replaceAll(c, "<tblGrid>", "");
  replaceAll(c, "</tblGrid>", "");
}

void convertTableProperties(Conversion& c) {
  TableStyleLookup styles(c);
  moveBlocksIntoOwners(c, kTableBlocks, [&c, &styles](std::string_view content) {
    const TableStartTag tag = readTableProperties(c, styles, content);
    return "table" + tag.width + tag.attributes;
  });
}

void convertMergedCells(Conversion& c) {
  const std::string_view text = c.text;
  if (findBytes(text, "<vMerge") == npos && findBytes(text, "<gridSpan") == npos) return;
  MergeScanner scan(text);
  scan.run();
  // Continuations are dropped only in a document where some merge start was counted.
  const bool dropContinuations = !scan.rowSpans.empty();
  TextBuilder out(text);
  std::size_t copyFrom = 0;
  for (const CellScan& cell : scan.cells) {
    if (cell.start < copyFrom) continue;  // inside a cell that was dropped
    if (cell.merge == MergeKind::continuation && dropContinuations && cell.end != npos) {
      out.copy(copyFrom, cell.start);  // the continuation disappears with its content
      copyFrom = cell.end;
      continue;
    }
    if (cell.hasSpan) {
      out.copy(copyFrom, cell.start + 3);  // through "<tc"
      out.add(" colspan=\"");
      out.add(colspanOf(cell.span));
      out.add("\"");
      copyFrom = cell.start + 3;
    }
    if (cell.rowSpan >= 0 && cell.contentStart != npos) {
      out.copy(copyFrom, cell.contentStart);
      out.add("<rowspan=\"");
      out.add(DecimalText(scan.rowSpans[static_cast<std::size_t>(cell.rowSpan)]));
      out.add("\">");
      copyFrom = cell.contentStart;
    }
  }
  if (copyFrom == 0) return;  // nothing to rewrite
  out.copy(copyFrom, text.size());
  c.text = out.finish();
}

void convertCellProperties(Conversion& c) {
  moveBlocksIntoOwners(c, kCellBlocks, [&c](std::string_view content) {
    std::string tag = "tc";
    const std::string style = cellStyle(c, content);
    if (!style.empty()) appendAll(tag, {" style=\"", style, "\""});
    return tag;
  });
}

}  // namespace vellumine
