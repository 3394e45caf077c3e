// Walks a story's elements in document order with an explicit stack of open elements and builds
// its blocks and inlines: each element is entered (what it starts is recorded, and whether its
// content is walked) and left (what it started is closed).  Block structure lives on a second
// stack of frames (story, table, row, cell, paragraph); content that stands outside any paragraph
// opens one, and marks outside paragraphs wait for the next.  Runs after the names are
// canonicalised (xml_names.h); the property blocks are interned (props_interner.h).
#include "docx/story_reader.h"

#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "docx/drawing_reader.h"
#include "docx/equation_reader.h"
#include "docx/field_stack.h"
#include "docx/xml_names.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

// What an element is to the story.
enum class Tag : std::uint8_t {
  other,  // a wrapper or an element we do not know: its content is read, so no word is lost
  skip,   // property blocks, instructions' data, ruby text: never content
  paragraph, table, row, cell, run, text,
  tab, lineBreak, carriageReturn, symbol, noBreakHyphen, softHyphen, positionalTab, lastRenderedPageBreak,
  footnoteReference, endnoteReference, footnoteRef, endnoteRef, separator, continuationSeparator,
  commentReference, commentRangeStart, commentRangeEnd, bookmarkStart, bookmarkEnd,
  fieldChar, instructionText, simpleField, hyperlink, insertion, deletion, moveFrom, moveTo, drawing,
  math, mathParagraph,
};

struct TagName {
  std::string_view name;
  Tag tag;
};

constexpr TagName kTags[] = {
    {"w:p", Tag::paragraph},
    {"w:tbl", Tag::table},
    {"w:tr", Tag::row},
    {"w:tc", Tag::cell},
    {"w:r", Tag::run},
    {"m:r", Tag::run},
    {"w:t", Tag::text},
    {"w:delText", Tag::text},
    {"m:t", Tag::text},
    {"w:tab", Tag::tab},
    {"w:br", Tag::lineBreak},
    {"w:cr", Tag::carriageReturn},
    {"w:sym", Tag::symbol},
    {"w:noBreakHyphen", Tag::noBreakHyphen},
    {"w:softHyphen", Tag::softHyphen},
    {"w:ptab", Tag::positionalTab},
    {"w:lastRenderedPageBreak", Tag::lastRenderedPageBreak},
    {"w:footnoteReference", Tag::footnoteReference},
    {"w:endnoteReference", Tag::endnoteReference},
    {"w:footnoteRef", Tag::footnoteRef},
    {"w:endnoteRef", Tag::endnoteRef},
    {"w:separator", Tag::separator},
    {"w:continuationSeparator", Tag::continuationSeparator},
    {"w:commentReference", Tag::commentReference},
    {"w:commentRangeStart", Tag::commentRangeStart},
    {"w:commentRangeEnd", Tag::commentRangeEnd},
    {"w:bookmarkStart", Tag::bookmarkStart},
    {"w:bookmarkEnd", Tag::bookmarkEnd},
    {"w:fldChar", Tag::fieldChar},
    {"w:instrText", Tag::instructionText},
    {"w:fldSimple", Tag::simpleField},
    {"w:hyperlink", Tag::hyperlink},
    {"w:ins", Tag::insertion},
    {"w:del", Tag::deletion},
    {"w:moveFrom", Tag::moveFrom},
    {"w:moveTo", Tag::moveTo},
    {"w:drawing", Tag::drawing},
    {"w:pict", Tag::drawing},
    {"w:object", Tag::drawing},
    {"m:oMath", Tag::math},
    {"m:oMathPara", Tag::mathParagraph},
    // Read where they belong (by the element that holds them) or never shown.
    {"w:pPr", Tag::skip},
    {"w:rPr", Tag::skip},
    {"w:tblPr", Tag::skip},
    {"w:tblGrid", Tag::skip},
    {"w:trPr", Tag::skip},
    {"w:tcPr", Tag::skip},
    {"w:tblPrEx", Tag::skip},
    {"w:sectPr", Tag::skip},
    {"w:sdtPr", Tag::skip},
    {"w:sdtEndPr", Tag::skip},
    {"w:customXmlPr", Tag::skip},
    {"w:smartTagPr", Tag::skip},
    {"w:rt", Tag::skip},
    {"w:rubyPr", Tag::skip},
    {"w:fldData", Tag::skip},
    {"w:delInstrText", Tag::skip},
    {"w:annotationRef", Tag::skip},
    {"m:rPr", Tag::skip},
    {"m:ctrlPr", Tag::skip},
};

// The tags by name in an open-addressed table with a cheap hash: this runs for every element of
// every story, and a general-purpose map spends more on hashing and division than the walk itself.
class TagTable {
 public:
  TagTable() {
    for (const TagName& row : kTags) {
      std::size_t slot = hash(row.name.data()) & kMask;
      while (!slots_[slot].name.empty()) slot = (slot + 1) & kMask;
      slots_[slot] = row;
    }
  }

  Tag find(const char* name) const {
    for (std::size_t slot = hash(name) & kMask;; slot = (slot + 1) & kMask) {
      const TagName& row = slots_[slot];
      if (row.name.empty()) return Tag::other;
      if (equals(row.name, name)) return row.tag;
    }
  }

 private:
  static constexpr std::size_t kSize = 256;  // a power of two, well above the number of tags
  static constexpr std::size_t kMask = kSize - 1;

  // FNV-1a over the name's bytes.
  static std::size_t hash(const char* name) {
    std::uint32_t h = 2166136261u;
    for (; *name != '\0'; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 16777619u;
    return h;
  }

  static bool equals(std::string_view known, const char* name) {
    for (char c : known) {
      if (*name++ != c) return false;
    }
    return *name == '\0';
  }

  std::array<TagName, kSize> slots_{};
};

Tag tagOf(const pugi::xml_node& node) {
  static const TagTable table;
  return table.find(node.name());
}

// The property element that leads an element's content (w:pPr in w:p, w:rPr in w:r, ...): writers
// put it first, so only the first few element children are looked at, never a whole paragraph.
pugi::xml_node leadingChild(const pugi::xml_node& node, const char* name) {
  int elements = 0;
  for (pugi::xml_node child = node.first_child(); child && elements < 3; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    if (std::strcmp(child.name(), name) == 0) return child;
    ++elements;
  }
  return pugi::xml_node();
}

// Calls use for each piece of a w:t's text: its text and CDATA children.
template <typename Use>
void forEachTextPiece(const pugi::xml_node& node, Use use) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    const pugi::xml_node_type type = child.type();
    if (type == pugi::node_pcdata || type == pugi::node_cdata) use(std::string_view(child.value()));
  }
}

std::string_view attributeText(const pugi::xml_node& node, const char* name) { return node.attribute(name).value(); }

enum class FrameKind : std::uint8_t { story, table, row, cell, paragraph };

// One open level of block structure.  The pointers stay valid while the frame is open: new blocks,
// rows and cells are only ever added to the innermost frame's own container.
struct Frame {
  FrameKind kind;
  bool implicit = false;  // a paragraph opened for content found outside any
  std::vector<Block>* blocks = nullptr;  // story, cell
  Table* table = nullptr;
  Row* row = nullptr;
  Paragraph* paragraph = nullptr;
};

// What leaving an element closes.
enum class Undo : std::uint8_t { nothing, frame, run, link, change, simpleField };

struct OpenElement {
  pugi::xml_node node;
  Undo undo;
  std::uint32_t value;  // the run formatting to restore, the link or change to end
  std::uint32_t formerValue = kSameRunProps;  // the former run formatting to restore
};

struct PendingTextBox {
  pugi::xml_node content;
  std::size_t index;
};

class StoryBuilder {
 public:
  StoryBuilder(const StoryContext& context, StoryKind kind, std::deque<PendingTextBox>& textBoxes)
      : context_(context), document_(context.document), textBoxes_(textBoxes),
        fields_(context.document.fields, context.document.links) {
    story_.kind = kind;
    frames_.push_back(Frame{FrameKind::story, false, &story_.blocks});
  }

  // The blocks below container, after those read so far.
  void read(const pugi::xml_node& container) { walk(container); }

  Story finish() {
    closeImplicitParagraph();
    placeLeftoverMarks(story_);
    if (context_.sections) {
      document_.sections.push_back(finalSection_ ? std::move(*finalSection_) : SectionProps{});
    }
    return std::move(story_);
  }

 private:
  // ---- The walk ------------------------------------------------------------------------------

  void walk(const pugi::xml_node& container) {
    pugi::xml_node node = container.first_child();
    while (node) {
      const bool descend = node.type() == pugi::node_element && enter(node);
      if (descend && node.first_child()) {
        node = node.first_child();
        continue;
      }
      if (descend) leave();
      node = nextAfter(node);
    }
  }

  // The next node after node's subtree, leaving the open elements passed on the way up.
  pugi::xml_node nextAfter(pugi::xml_node node) {
    for (;;) {
      if (pugi::xml_node next = node.next_sibling()) return next;
      if (open_.empty()) return pugi::xml_node();
      node = open_.back().node;
      leave();
    }
  }

  void open(const pugi::xml_node& node, Undo undo, std::uint32_t value = 0, std::uint32_t formerValue = kSameRunProps) {
    open_.push_back(OpenElement{node, undo, value, formerValue});
  }

  // Reads what node starts; true when its content is to be walked (it is then open).
  bool enter(const pugi::xml_node& node) {
    const Tag tag = tagOf(node);
    switch (tag) {
      case Tag::other: open(node, Undo::nothing); return true;
      case Tag::skip:
        if (open_.empty() && context_.sections && is(node, "w:sectPr")) readFinalSection(node);
        return false;
      case Tag::paragraph: enterParagraph(node); return true;
      case Tag::table: enterTable(node); return true;
      case Tag::row: enterRow(node); return true;
      case Tag::cell: enterCell(node); return true;
      case Tag::run: enterRun(node); return true;
      case Tag::text: forEachTextPiece(node, [this](std::string_view text) { emitText(text); }); return false;
      case Tag::simpleField: enterSimpleField(node); return true;
      case Tag::hyperlink: enterHyperlink(node); return true;
      case Tag::insertion: enterChange(node, ChangeKind::insertion); return true;
      case Tag::deletion: enterChange(node, ChangeKind::deletion); return true;
      case Tag::moveFrom: enterChange(node, ChangeKind::moveFrom); return true;
      case Tag::moveTo: enterChange(node, ChangeKind::moveTo); return true;
      case Tag::math: emitEquation(node, false); return false;
      case Tag::mathParagraph:
        for (const pugi::xml_node& math : node.children("m:oMath")) emitEquation(math, true);
        return false;
      default: readLeaf(node, tag); return false;
    }
  }

  void leave() {
    const OpenElement element = open_.back();
    open_.pop_back();
    switch (element.undo) {
      case Undo::nothing: break;
      case Undo::frame:
        closeImplicitParagraph();
        closeFrame();
        break;
      case Undo::run:
        runProps_ = element.value;
        formerRunProps_ = element.formerValue;
        customMark_ = nullptr;
        break;
      case Undo::link: emitMark(InlineKind::linkEnd, static_cast<std::int32_t>(element.value)); break;
      case Undo::change: emitMark(InlineKind::changeEnd, static_cast<std::int32_t>(element.value)); break;
      case Undo::simpleField: {
        std::vector<FieldMark> marks;
        fields_.endSimple(marks);
        emitFieldMarks(marks);
        break;
      }
    }
  }

  // ---- Blocks --------------------------------------------------------------------------------

  Frame& top() { return frames_.back(); }

  void closeFrame() {
    if (top().kind == FrameKind::paragraph) customMark_ = nullptr;
    if (top().kind == FrameKind::table) --tableDepth_;
    frames_.pop_back();
  }

  void closeImplicitParagraph() {
    while (top().kind == FrameKind::paragraph && top().implicit) closeFrame();
  }

  // Where a new block goes: the innermost story or cell.  A block found directly in a table or a
  // row (a damaged table) goes into its last cell, made when there is none.  Never called while a
  // paragraph is the innermost frame.
  std::vector<Block>& blocksForNewBlock() {
    Frame& frame = top();
    if (frame.kind == FrameKind::table) {
      if (frame.table->rows.empty()) frame.table->rows.emplace_back();
      Row& last = frame.table->rows.back();
      if (last.cells.empty()) last.cells.emplace_back();
      return last.cells.back().blocks;
    }
    if (frame.kind == FrameKind::row) {
      if (frame.row->cells.empty()) frame.row->cells.emplace_back();
      return frame.row->cells.back().blocks;
    }
    return *frame.blocks;
  }

  Paragraph& openParagraph(bool implicit) {
    std::vector<Block>& blocks = blocksForNewBlock();
    blocks.push_back(Block{Paragraph{}});
    Paragraph& paragraph = std::get<Paragraph>(blocks.back().node);
    Frame frame{FrameKind::paragraph, implicit};
    frame.paragraph = &paragraph;
    frames_.push_back(frame);
    paragraph.inlines = std::move(pendingMarks_);
    pendingMarks_.clear();
    return paragraph;
  }

  void enterParagraph(const pugi::xml_node& node) {
    closeImplicitParagraph();
    if (top().kind == FrameKind::paragraph) {  // a paragraph inside a paragraph: its content joins
      open(node, Undo::nothing);
      return;
    }
    Paragraph& paragraph = openParagraph(false);
    const pugi::xml_node pPr = leadingChild(node, "w:pPr");
    paragraph.props = context_.props.paragraph(pPr);
    if (const pugi::xml_node former = pPr.child("w:pPrChange")) {
      paragraph.formerProps = context_.props.paragraph(former.child("w:pPr"));
    }
    paragraph.markChange = readChangeIn(pPr.child("w:rPr"));
    if (const pugi::xml_node sectPr = pPr.child("w:sectPr"); sectPr && context_.sections) {
      paragraph.sectionEnd = addSection(sectPr);
    }
    open(node, Undo::frame);
  }

  // An inserted or deleted paragraph mark (w:pPr/w:rPr/w:ins and its kin) or table row
  // (w:trPr/w:ins, w:del): the first such child of properties.
  std::int32_t readChangeIn(const pugi::xml_node& properties) {
    for (const pugi::xml_node& child : properties.children()) {
      const Tag tag = tagOf(child);
      if (tag == Tag::insertion) return addChange(child, ChangeKind::insertion);
      if (tag == Tag::deletion) return addChange(child, ChangeKind::deletion);
      if (tag == Tag::moveFrom) return addChange(child, ChangeKind::moveFrom);
      if (tag == Tag::moveTo) return addChange(child, ChangeKind::moveTo);
    }
    return -1;
  }

  // An inserted or deleted table cell: w:cellIns or w:cellDel among the cell's properties.
  std::int32_t readCellChange(const pugi::xml_node& tcPr) {
    for (const pugi::xml_node& child : tcPr.children()) {
      if (is(child, "w:cellIns")) return addChange(child, ChangeKind::insertion);
      if (is(child, "w:cellDel")) return addChange(child, ChangeKind::deletion);
    }
    return -1;
  }

  // The body's own w:sectPr (its last one, when a damaged body has more) is its last section.
  void readFinalSection(const pugi::xml_node& sectPr) {
    finalSection_ = readSectionProps(sectPr, *context_.sections, context_.warnings);
  }

  std::int32_t addSection(const pugi::xml_node& sectPr) {
    document_.sections.push_back(readSectionProps(sectPr, *context_.sections, context_.warnings));
    return static_cast<std::int32_t>(document_.sections.size() - 1);
  }

  void enterTable(const pugi::xml_node& node) {
    closeImplicitParagraph();
    const bool tooDeep = tableDepth_ >= kMaxTableDepth;
    if (tooDeep || top().kind == FrameKind::paragraph) {
      // Read as its paragraphs: its rows and cells find no table frame and join what holds them.
      if (tooDeep) {
        context_.warnings.add(WarningKind::deepNesting, "tables nested deeper than 32 levels are read as paragraphs");
      }
      open(node, Undo::nothing);
      return;
    }
    std::vector<Block>& blocks = blocksForNewBlock();
    blocks.push_back(Block{Table{}});
    Table& table = std::get<Table>(blocks.back().node);
    table.props = context_.props.table(leadingChild(node, "w:tblPr"));
    for (const pugi::xml_node& column : leadingChild(node, "w:tblGrid").children("w:gridCol")) {
      table.grid.push_back(readTwips(column.attribute("w:w"), context_.warnings).value_or(0));
    }
    Frame frame{FrameKind::table};
    frame.table = &table;
    frames_.push_back(frame);
    ++tableDepth_;
    open(node, Undo::frame);
  }

  void enterRow(const pugi::xml_node& node) {
    closeImplicitParagraph();
    if (top().kind != FrameKind::table) {
      open(node, Undo::nothing);
      return;
    }
    Row& row = top().table->rows.emplace_back();
    row.props = context_.props.row(leadingChild(node, "w:trPr"));
    row.tablePropsException = context_.props.table(leadingChild(node, "w:tblPrEx"));
    row.change = readChangeIn(leadingChild(node, "w:trPr"));
    Frame frame{FrameKind::row};
    frame.row = &row;
    frames_.push_back(frame);
    open(node, Undo::frame);
  }

  void enterCell(const pugi::xml_node& node) {
    closeImplicitParagraph();
    if (top().kind != FrameKind::row) {
      open(node, Undo::nothing);
      return;
    }
    Cell& cell = top().row->cells.emplace_back();
    const pugi::xml_node tcPr = leadingChild(node, "w:tcPr");
    cell.props = context_.props.cell(tcPr);
    cell.change = readCellChange(tcPr);
    frames_.push_back(Frame{FrameKind::cell, false, &cell.blocks});
    open(node, Undo::frame);
  }

  // ---- Inlines -------------------------------------------------------------------------------

  // A run's formatting, and what it was before a tracked formatting change (w:rPrChange holds
  // the whole former w:rPr), interned alike.
  void enterRun(const pugi::xml_node& node) {
    open(node, Undo::run, runProps_, formerRunProps_);
    const pugi::xml_node rPr = leadingChild(node, "w:rPr");
    runProps_ = context_.props.run(rPr);
    const pugi::xml_node former = rPr.child("w:rPrChange");
    formerRunProps_ = former ? context_.props.run(former.child("w:rPr")) : kSameRunProps;
  }

  // The paragraph content goes into: the open one, or one opened for content found outside any.
  Paragraph& contentParagraph() {
    if (top().kind == FrameKind::paragraph) return *top().paragraph;
    return openParagraph(true);
  }

  void emitContent(InlineKind kind, std::int32_t number, std::string text = std::string()) {
    if (fields_.hidden()) return;
    contentParagraph().inlines.push_back(Inline{kind, runProps_, number, formerRunProps_, std::move(text)});
  }

  void emitEquation(const pugi::xml_node& oMath, bool display) {
    if (fields_.hidden()) return;
    document_.equations.push_back(readEquation(oMath, display));
    emitContent(InlineKind::equation, static_cast<std::int32_t>(document_.equations.size() - 1));
  }

  void emitText(std::string_view text) {
    if (fields_.hidden()) {
      fields_.hiddenText(text);
      return;
    }
    Paragraph& paragraph = contentParagraph();
    if (customMark_ == &paragraph && customMarkIndex_ < paragraph.inlines.size()) {
      // The text after a reference with w:customMarkFollows is the reference's own mark.
      paragraph.inlines[customMarkIndex_].text += text;
      customMark_ = nullptr;
      return;
    }
    if (!paragraph.inlines.empty() && paragraph.inlines.back().kind == InlineKind::text &&
        paragraph.inlines.back().runProps == runProps_ && paragraph.inlines.back().formerRunProps == formerRunProps_) {
      paragraph.inlines.back().text += text;
      return;
    }
    paragraph.inlines.push_back(Inline{InlineKind::text, runProps_, 0, formerRunProps_, std::string(text)});
  }

  // Marks never open a paragraph: outside one they wait for the next (a bookmark between two
  // paragraphs starts in the second).
  void emitMark(InlineKind kind, std::int32_t number, std::string text = std::string()) {
    if (!fields_.hidden()) placeMark(Inline{kind, runProps_, number, formerRunProps_, std::move(text)});
  }

  void placeMark(Inline mark) {
    if (top().kind == FrameKind::paragraph) {
      top().paragraph->inlines.push_back(std::move(mark));
    } else {
      pendingMarks_.push_back(std::move(mark));
    }
  }

  // The field stack gives marks only for fields it shows, even when an instruction starts with them.
  void emitFieldMarks(const std::vector<FieldMark>& marks) {
    for (const FieldMark& mark : marks) {
      placeMark(Inline{mark.kind, runProps_, mark.number, formerRunProps_, std::string()});
    }
  }

  // Marks still waiting when the story ends join its last paragraph.
  void placeLeftoverMarks(Story& story) {
    if (pendingMarks_.empty() || story.blocks.empty()) return;
    if (auto* paragraph = std::get_if<Paragraph>(&story.blocks.back().node)) {
      for (Inline& mark : pendingMarks_) paragraph->inlines.push_back(std::move(mark));
    }
    pendingMarks_.clear();
  }

  void readLeaf(const pugi::xml_node& node, Tag tag) {
    switch (tag) {
      case Tag::tab: emitContent(InlineKind::tab, 0); break;
      case Tag::lineBreak: readBreak(node); break;
      case Tag::carriageReturn: emitContent(InlineKind::lineBreak, 0); break;
      case Tag::symbol: readSymbol(node); break;
      case Tag::noBreakHyphen: emitContent(InlineKind::noBreakHyphen, 0); break;
      case Tag::softHyphen: emitContent(InlineKind::softHyphen, 0); break;
      case Tag::positionalTab: readPositionalTab(node); break;
      case Tag::lastRenderedPageBreak: emitMark(InlineKind::lastRenderedPageBreak, 0); break;
      case Tag::footnoteReference:
        readNoteReference(node, InlineKind::footnoteReference, context_.targets.footnotes);
        break;
      case Tag::endnoteReference:
        readNoteReference(node, InlineKind::endnoteReference, context_.targets.endnotes);
        break;
      case Tag::footnoteRef: emitContent(InlineKind::footnoteRefMark, 0); break;
      case Tag::endnoteRef: emitContent(InlineKind::endnoteRefMark, 0); break;
      case Tag::separator: emitContent(InlineKind::separator, 0); break;
      case Tag::continuationSeparator: emitContent(InlineKind::separator, 1); break;
      case Tag::commentReference: emitContent(InlineKind::commentReference, commentIndex(node)); break;
      case Tag::commentRangeStart: readCommentMark(node, InlineKind::commentStart); break;
      case Tag::commentRangeEnd: readCommentMark(node, InlineKind::commentEnd); break;
      case Tag::bookmarkStart:
        emitMark(InlineKind::bookmarkStart, bookmarkId(node), std::string(attributeText(node, "w:name")));
        break;
      case Tag::bookmarkEnd: emitMark(InlineKind::bookmarkEnd, bookmarkId(node)); break;
      case Tag::fieldChar: readFieldChar(node); break;
      case Tag::instructionText:
        forEachTextPiece(node, [this](std::string_view text) { fields_.instruction(text); });
        break;
      case Tag::drawing: readDrawing(node); break;
      default: break;
    }
  }

  void readBreak(const pugi::xml_node& node) {
    const std::string_view type = attributeText(node, "w:type");
    if (type == "page") {
      emitContent(InlineKind::pageBreak, 0);
    } else if (type == "column") {
      emitContent(InlineKind::columnBreak, 0);
    } else {
      static constexpr EnumName<std::int32_t> kClear[] = {{"none", 0}, {"left", 1}, {"right", 2}, {"all", 3}};
      emitContent(InlineKind::lineBreak,
                  readEnum(node.attribute("w:clear"), std::span<const EnumName<std::int32_t>>(kClear)).value_or(0));
    }
  }

  void readSymbol(const pugi::xml_node& node) {
    const auto code = readHex(node.attribute("w:char"), context_.warnings);
    emitContent(InlineKind::symbol, static_cast<std::int32_t>(code.value_or(0)),
                std::string(attributeText(node, "w:font")));
  }

  void readPositionalTab(const pugi::xml_node& node) {
    static constexpr EnumName<std::int32_t> kAlignment[] = {{"left", 0}, {"center", 1}, {"right", 2}};
    emitContent(InlineKind::positionalTab,
                readEnum(node.attribute("w:alignment"), std::span<const EnumName<std::int32_t>>(kAlignment))
                    .value_or(0));
  }

  static std::int32_t indexIn(const std::unordered_map<std::string, int>& targets, std::string_view id) {
    auto it = targets.find(std::string(id));
    return it == targets.end() ? -1 : it->second;
  }

  void readNoteReference(const pugi::xml_node& node, InlineKind kind,
                         const std::unordered_map<std::string, int>& notes) {
    emitContent(kind, indexIn(notes, attributeText(node, "w:id")));
    const std::string_view follows = attributeText(node, "w:customMarkFollows");
    if (fields_.hidden() || !(follows == "1" || follows == "true" || follows == "on")) return;
    Paragraph& paragraph = *top().paragraph;
    customMark_ = &paragraph;
    customMarkIndex_ = paragraph.inlines.size() - 1;
  }

  std::int32_t commentIndex(const pugi::xml_node& node) {
    return indexIn(context_.targets.comments, attributeText(node, "w:id"));
  }

  // A range of a comment the part does not hold marks nothing.
  void readCommentMark(const pugi::xml_node& node, InlineKind kind) {
    const std::int32_t index = commentIndex(node);
    if (index >= 0) emitMark(kind, index);
  }

  std::int32_t bookmarkId(const pugi::xml_node& node) {
    return readInt(node.attribute("w:id"), context_.warnings).value_or(-1);
  }

  void readFieldChar(const pugi::xml_node& node) {
    const std::string_view type = attributeText(node, "w:fldCharType");
    std::vector<FieldMark> marks;
    if (type == "begin") {
      fields_.begin(marks);
    } else if (type == "separate") {
      fields_.separate(marks);
    } else if (type == "end") {
      fields_.end(marks);
    }
    emitFieldMarks(marks);
  }

  void enterSimpleField(const pugi::xml_node& node) {
    std::vector<FieldMark> marks;
    fields_.beginSimple(attributeText(node, "w:instr"), marks);
    emitFieldMarks(marks);
    open(node, Undo::simpleField);
  }

  void enterHyperlink(const pugi::xml_node& node) {
    if (fields_.hidden()) {
      open(node, Undo::nothing);
      return;
    }
    Link link;
    if (const Relationship* target = context_.relationships.find(attributeText(node, "r:id"))) {
      link.url = target->target;
    }
    link.anchor = attributeText(node, "w:anchor");
    link.tooltip = attributeText(node, "w:tooltip");
    const auto index = static_cast<std::uint32_t>(document_.links.size());
    document_.links.push_back(std::move(link));
    emitMark(InlineKind::linkStart, static_cast<std::int32_t>(index));
    open(node, Undo::link, index);
  }

  std::int32_t addChange(const pugi::xml_node& node, ChangeKind kind) {
    document_.changes.push_back(
        Change{kind, std::string(attributeText(node, "w:author")), std::string(attributeText(node, "w:date"))});
    return static_cast<std::int32_t>(document_.changes.size() - 1);
  }

  void enterChange(const pugi::xml_node& node, ChangeKind kind) {
    if (fields_.hidden()) {
      open(node, Undo::nothing);
      return;
    }
    const std::int32_t index = addChange(node, kind);
    emitMark(InlineKind::changeStart, index);
    open(node, Undo::change, static_cast<std::uint32_t>(index));
  }

  void readDrawing(const pugi::xml_node& node) {
    if (fields_.hidden()) return;
    for (DrawingFound& found : readDrawings(node, context_.relationships, context_.warnings)) {
      if (found.textBoxContent) {
        found.drawing.textBox = static_cast<std::int32_t>(document_.textBoxes.size());
        document_.textBoxes.push_back(Story{StoryKind::textBox, {}});
        textBoxes_.push_back(PendingTextBox{found.textBoxContent, document_.textBoxes.size() - 1});
      }
      document_.drawings.push_back(std::move(found.drawing));
      emitContent(InlineKind::drawing, static_cast<std::int32_t>(document_.drawings.size() - 1));
    }
  }

  const StoryContext& context_;
  Document& document_;
  std::deque<PendingTextBox>& textBoxes_;
  Story story_;
  std::optional<SectionProps> finalSection_;
  FieldStack fields_;
  std::vector<OpenElement> open_;
  std::vector<Frame> frames_;
  std::vector<Inline> pendingMarks_;
  std::uint32_t runProps_ = 0;
  std::uint32_t formerRunProps_ = kSameRunProps;
  int tableDepth_ = 0;
  // A reference whose custom mark follows: the paragraph and the reference's place in it.
  Paragraph* customMark_ = nullptr;
  std::size_t customMarkIndex_ = 0;
};

}  // namespace

struct StoryReader::State {
  State(const StoryContext& context, StoryKind kind)
      : boxContext(context), builder(context, kind, textBoxes) {
    boxContext.sections = nullptr;
  }
  StoryContext boxContext;
  std::deque<PendingTextBox> textBoxes;
  StoryBuilder builder;
};

StoryReader::StoryReader(StoryKind kind, const StoryContext& context)
    : state_(std::make_unique<State>(context, kind)) {}

StoryReader::~StoryReader() = default;

void StoryReader::read(const pugi::xml_node& container) {
  state_->builder.read(container);
  // The text boxes met, and those met in them, while their tree is alive.
  std::deque<PendingTextBox>& textBoxes = state_->textBoxes;
  while (!textBoxes.empty()) {
    const PendingTextBox box = textBoxes.front();
    textBoxes.pop_front();
    StoryBuilder content(state_->boxContext, StoryKind::textBox, textBoxes);
    content.read(box.content);
    state_->boxContext.document.textBoxes[box.index] = content.finish();
  }
}

Story StoryReader::finish() { return state_->builder.finish(); }

Story readStory(const pugi::xml_node& container, StoryKind kind, const StoryContext& context) {
  StoryReader reader(kind, context);
  reader.read(container);
  return reader.finish();
}

}  // namespace vellumine::docx
