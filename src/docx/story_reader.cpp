// Walks a story's elements in document order with an explicit stack of open elements and builds
// its blocks and inlines: each element is entered (what it starts is recorded, and whether its
// content is walked) and left (what it started is closed).  Block structure lives on a second
// stack of frames (story, table, row, cell, paragraph); content that stands outside any paragraph
// opens one, and marks outside paragraphs wait for the next.  Runs after the names are
// canonicalised (xml_names.h); the property blocks are interned (props_interner.h).
#include "docx/story_reader.h"

#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "docx/drawing_reader.h"
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

Tag tagOf(const pugi::xml_node& node) {
  static const std::unordered_map<std::string_view, Tag> byName = [] {
    std::unordered_map<std::string_view, Tag> map;
    for (const TagName& row : kTags) map.emplace(row.name, row.tag);
    return map;
  }();
  auto it = byName.find(node.name());
  return it == byName.end() ? Tag::other : it->second;
}

// The text of a w:t: its text and CDATA children.
std::string textOf(const pugi::xml_node& node) {
  std::string text;
  for (const pugi::xml_node& child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  }
  return text;
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
};

struct PendingTextBox {
  pugi::xml_node content;
  std::size_t index;
};

class StoryBuilder {
 public:
  StoryBuilder(const StoryContext& context, std::deque<PendingTextBox>& textBoxes)
      : context_(context), document_(context.document), textBoxes_(textBoxes),
        fields_(context.document.fields, context.document.links) {}

  Story build(const pugi::xml_node& container, StoryKind kind) {
    Story story;
    story.kind = kind;
    frames_.push_back(Frame{FrameKind::story, false, &story.blocks});
    walk(container);
    closeImplicitParagraph();
    placeLeftoverMarks(story);
    if (context_.sections) addFinalSection(container);
    return story;
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

  void open(const pugi::xml_node& node, Undo undo, std::uint32_t value = 0) {
    open_.push_back(OpenElement{node, undo, value});
  }

  // Reads what node starts; true when its content is to be walked (it is then open).
  bool enter(const pugi::xml_node& node) {
    switch (tagOf(node)) {
      case Tag::other: open(node, Undo::nothing); return true;
      case Tag::skip: return false;
      case Tag::paragraph: enterParagraph(node); return true;
      case Tag::table: enterTable(node); return true;
      case Tag::row: enterRow(node); return true;
      case Tag::cell: enterCell(node); return true;
      case Tag::run: enterRun(node); return true;
      case Tag::text: emitText(textOf(node)); return false;
      case Tag::simpleField: enterSimpleField(node); return true;
      case Tag::hyperlink: enterHyperlink(node); return true;
      case Tag::insertion: enterChange(node, ChangeKind::insertion); return true;
      case Tag::deletion: enterChange(node, ChangeKind::deletion); return true;
      case Tag::moveFrom: enterChange(node, ChangeKind::moveFrom); return true;
      case Tag::moveTo: enterChange(node, ChangeKind::moveTo); return true;
      default: readLeaf(node, tagOf(node)); return false;
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
    const pugi::xml_node pPr = node.child("w:pPr");
    paragraph.props = context_.props.paragraph(pPr);
    paragraph.markChange = readMarkChange(pPr);
    if (const pugi::xml_node sectPr = pPr.child("w:sectPr"); sectPr && context_.sections) {
      paragraph.sectionEnd = addSection(sectPr);
    }
    open(node, Undo::frame);
  }

  // An inserted or deleted paragraph mark (w:pPr/w:rPr/w:ins and its kin).
  std::int32_t readMarkChange(const pugi::xml_node& pPr) {
    for (const pugi::xml_node& child : pPr.child("w:rPr").children()) {
      const Tag tag = tagOf(child);
      if (tag == Tag::insertion) return addChange(child, ChangeKind::insertion);
      if (tag == Tag::deletion) return addChange(child, ChangeKind::deletion);
      if (tag == Tag::moveFrom) return addChange(child, ChangeKind::moveFrom);
      if (tag == Tag::moveTo) return addChange(child, ChangeKind::moveTo);
    }
    return -1;
  }

  std::int32_t addSection(const pugi::xml_node& sectPr) {
    document_.sections.push_back(readSectionProps(sectPr, *context_.sections, context_.warnings));
    return static_cast<std::int32_t>(document_.sections.size() - 1);
  }

  // The body's own w:sectPr (its last one) is the last section; a body without one still has it.
  void addFinalSection(const pugi::xml_node& container) {
    pugi::xml_node last;
    for (const pugi::xml_node& child : container.children("w:sectPr")) last = child;
    if (last) {
      addSection(last);
    } else {
      document_.sections.emplace_back();
    }
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
    table.props = context_.props.table(node.child("w:tblPr"));
    for (const pugi::xml_node& column : node.child("w:tblGrid").children("w:gridCol")) {
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
    row.props = context_.props.row(node.child("w:trPr"));
    row.tablePropsException = context_.props.table(node.child("w:tblPrEx"));
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
    cell.props = context_.props.cell(node.child("w:tcPr"));
    frames_.push_back(Frame{FrameKind::cell, false, &cell.blocks});
    open(node, Undo::frame);
  }

  // ---- Inlines -------------------------------------------------------------------------------

  void enterRun(const pugi::xml_node& node) {
    open(node, Undo::run, runProps_);
    runProps_ = context_.props.run(node.child("w:rPr"));
  }

  // The paragraph content goes into: the open one, or one opened for content found outside any.
  Paragraph& contentParagraph() {
    if (top().kind == FrameKind::paragraph) return *top().paragraph;
    return openParagraph(true);
  }

  void emitContent(InlineKind kind, std::int32_t number, std::string text = std::string()) {
    if (fields_.hidden()) return;
    contentParagraph().inlines.push_back(Inline{kind, runProps_, number, std::move(text)});
  }

  void emitText(std::string text) {
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
        paragraph.inlines.back().runProps == runProps_) {
      paragraph.inlines.back().text += text;
      return;
    }
    paragraph.inlines.push_back(Inline{InlineKind::text, runProps_, 0, std::move(text)});
  }

  // Marks never open a paragraph: outside one they wait for the next (a bookmark between two
  // paragraphs starts in the second).
  void emitMark(InlineKind kind, std::int32_t number, std::string text = std::string()) {
    if (!fields_.hidden()) placeMark(Inline{kind, runProps_, number, std::move(text)});
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
    for (const FieldMark& mark : marks) placeMark(Inline{mark.kind, runProps_, mark.number, std::string()});
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
      case Tag::footnoteReference: readNoteReference(node, InlineKind::footnoteReference, context_.targets.footnotes); break;
      case Tag::endnoteReference: readNoteReference(node, InlineKind::endnoteReference, context_.targets.endnotes); break;
      case Tag::footnoteRef: emitContent(InlineKind::footnoteRefMark, 0); break;
      case Tag::endnoteRef: emitContent(InlineKind::endnoteRefMark, 0); break;
      case Tag::separator: emitContent(InlineKind::separator, 0); break;
      case Tag::continuationSeparator: emitContent(InlineKind::separator, 1); break;
      case Tag::commentReference: emitContent(InlineKind::commentReference, commentIndex(node)); break;
      case Tag::commentRangeStart: readCommentMark(node, InlineKind::commentStart); break;
      case Tag::commentRangeEnd: readCommentMark(node, InlineKind::commentEnd); break;
      case Tag::bookmarkStart: emitMark(InlineKind::bookmarkStart, bookmarkId(node), std::string(attributeText(node, "w:name"))); break;
      case Tag::bookmarkEnd: emitMark(InlineKind::bookmarkEnd, bookmarkId(node)); break;
      case Tag::fieldChar: readFieldChar(node); break;
      case Tag::instructionText: fields_.instruction(textOf(node)); break;
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
    emitContent(InlineKind::symbol, static_cast<std::int32_t>(code.value_or(0)), std::string(attributeText(node, "w:font")));
  }

  void readPositionalTab(const pugi::xml_node& node) {
    static constexpr EnumName<std::int32_t> kAlignment[] = {{"left", 0}, {"center", 1}, {"right", 2}};
    emitContent(InlineKind::positionalTab,
                readEnum(node.attribute("w:alignment"), std::span<const EnumName<std::int32_t>>(kAlignment)).value_or(0));
  }

  static std::int32_t indexIn(const std::unordered_map<std::string, int>& targets, std::string_view id) {
    auto it = targets.find(std::string(id));
    return it == targets.end() ? -1 : it->second;
  }

  void readNoteReference(const pugi::xml_node& node, InlineKind kind, const std::unordered_map<std::string, int>& notes) {
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
    if (const Relationship* target = context_.relationships.find(attributeText(node, "r:id"))) link.url = target->target;
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
  FieldStack fields_;
  std::vector<OpenElement> open_;
  std::vector<Frame> frames_;
  std::vector<Inline> pendingMarks_;
  std::uint32_t runProps_ = 0;
  int tableDepth_ = 0;
  // A reference whose custom mark follows: the paragraph and the reference's place in it.
  Paragraph* customMark_ = nullptr;
  std::size_t customMarkIndex_ = 0;
};

}  // namespace

Story readStory(const pugi::xml_node& container, StoryKind kind, const StoryContext& context) {
  std::deque<PendingTextBox> textBoxes;
  Story story = StoryBuilder(context, textBoxes).build(container, kind);
  StoryContext boxContext = context;
  boxContext.sections = nullptr;
  while (!textBoxes.empty()) {
    const PendingTextBox box = textBoxes.front();
    textBoxes.pop_front();
    Story content = StoryBuilder(boxContext, textBoxes).build(box.content, StoryKind::textBox);
    context.document.textBoxes[box.index] = std::move(content);
  }
  return story;
}

}  // namespace vellumine::docx
