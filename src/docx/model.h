// The document model: what the reader (reader.h) makes of a package and what the page writer
// (src/render) and every later view read.  Plain structs, no HTML, no XML: the body and every story
// (notes, comments, headers, footers, text boxes) as blocks (paragraphs and tables, tables holding
// rows, cells and blocks again) and, inside paragraphs, a flat sequence of inlines.
//
// Inlines are flat on purpose: hyperlinks, fields, bookmarks, comment ranges and tracked changes
// are start and end marks in the sequence, not containers, so a paragraph is walked in one loop
// without recursion, and a range that Word lets cross a paragraph (a field, a comment, a bookmark)
// needs nothing special.  Marks may come unbalanced in a damaged document; readers of the model
// close what is open at the end of a paragraph and ignore an end without a start.
//
// Formatting is stored as read (properties.h) and interned: a run or paragraph holds an index into
// the document's pools, 0 being the empty property set.  Final values come from the resolver.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "docx/chart.h"
#include "docx/numbering.h"
#include "docx/properties.h"
#include "docx/diagram.h"
#include "docx/shape_look.h"
#include "docx/styles.h"
#include "docx/theme.h"

namespace vellumine::docx {

// The most tables inside tables the reader keeps; the content of deeper ones is read as the
// paragraphs of the deepest kept cell (so text is never lost and recursion stays bounded).
inline constexpr int kMaxTableDepth = 32;

// A pool of distinct property sets.  Index 0 is always the empty set.
template <typename Props>
struct PropsPool {
  std::vector<Props> items{Props{}};
  const Props& operator[](std::uint32_t index) const { return items[index]; }
};

// ---- Inlines ----------------------------------------------------------------------------------

enum class InlineKind : std::uint8_t {
  text,              // text: the run's text (UTF-8), w:t, and w:delText inside a deletion
  tab,               // w:tab in a run
  positionalTab,     // w:ptab; number: 0 start, 1 center, 2 end (alignment)
  lineBreak,         // w:br, w:cr; number: 0 none, 1 left, 2 right, 3 all (w:clear)
  pageBreak,         // w:br w:type="page"
  columnBreak,       // w:br w:type="column"
  lastRenderedPageBreak,  // where Word last broke the page (a mark, never drawn as a break)
  noBreakHyphen,     // w:noBreakHyphen
  softHyphen,        // w:softHyphen
  symbol,            // w:sym; text: the font, number: the character code (as written, hex read)
  drawing,           // a picture, shape, chart or text box; number: index in Document::drawings
  footnoteReference, // number: index in Document::footnotes (-1 when the note is missing);
                     // text: the custom mark when w:customMarkFollows
  endnoteReference,  // the same for Document::endnotes
  footnoteRefMark,   // w:footnoteRef inside a note: the note's own number
  endnoteRefMark,
  separator,         // w:separator, w:continuationSeparator (in separator notes)
  commentReference,  // number: index in Document::comments (-1 when missing)
  commentStart,      // w:commentRangeStart; number: index in Document::comments
  commentEnd,
  bookmarkStart,     // text: the name; number: w:id
  bookmarkEnd,       // number: w:id
  linkStart,         // number: index in Document::links (w:hyperlink, HYPERLINK fields)
  linkEnd,
  fieldStart,        // number: index in Document::fields; the inlines up to fieldEnd are its
  fieldEnd,          //   stored result; instructions and field data are never inlines
  changeStart,       // number: index in Document::changes (w:ins, w:del, w:moveFrom, w:moveTo)
  changeEnd,
  equation,          // m:oMath: number: index in Document::equations
};

// formerRunProps of a run without a formatting change (w:rPrChange).
inline constexpr std::uint32_t kSameRunProps = 0xFFFFFFFFu;

// One inline.  runProps is the run's direct formatting (index in Document::runProps) for every kind
// that stands in a run, 0 otherwise; formerRunProps the formatting a tracked formatting change
// replaced (the w:rPr inside w:rPrChange), or kSameRunProps when there was none.
struct Inline {
  InlineKind kind = InlineKind::text;
  std::uint32_t runProps = 0;
  std::int32_t number = 0;
  std::uint32_t formerRunProps = kSameRunProps;  // here it fills the padding before text
  std::string text;
};

// ---- Blocks -----------------------------------------------------------------------------------

// formerProps of a paragraph without a formatting change (w:pPrChange).
inline constexpr std::uint32_t kSameParagraphProps = 0xFFFFFFFFu;

struct Paragraph {
  std::uint32_t props = 0;          // index in Document::paragraphProps
  // The formatting a tracked formatting change replaced (the w:pPr inside w:pPrChange, index in
  // Document::paragraphProps), or kSameParagraphProps.
  std::uint32_t formerProps = kSameParagraphProps;
  std::vector<Inline> inlines;
  std::int32_t sectionEnd = -1;     // ends section N (index in Document::sections) when >= 0
  std::int32_t markChange = -1;     // an inserted or deleted paragraph mark: index in changes
  // Set by the resolver (assignListLabels): index in Document::listLabels, -1 for no label.
  std::int32_t listLabel = -1;
};

struct Block;

struct Cell {
  std::uint32_t props = 0;          // index in Document::cellProps
  std::int32_t change = -1;         // an inserted or deleted cell (w:tcPr/w:cellIns, w:cellDel): index in changes
  std::vector<Block> blocks;
};

struct Row {
  std::uint32_t props = 0;          // index in Document::rowProps
  std::uint32_t tablePropsException = 0;  // w:tblPrEx: index in Document::tableProps, 0 none
  std::int32_t change = -1;         // an inserted or deleted row (w:trPr/w:ins, w:del): index in changes
  std::vector<Cell> cells;
};

struct Table {
  std::uint32_t props = 0;          // index in Document::tableProps
  std::vector<int> grid;            // w:tblGrid column widths, twips
  std::vector<Row> rows;
};

struct Block {
  std::variant<Paragraph, Table> node;
};

enum class StoryKind : std::uint8_t {
  body, footnote, endnote, comment, header, footer, textBox,
};

struct Story {
  StoryKind kind = StoryKind::body;
  std::vector<Block> blocks;
};

// ---- What inlines refer to --------------------------------------------------------------------

struct Link {
  std::string url;      // an external target as written (the writer decides what it may show)
  std::string anchor;   // w:anchor: a bookmark of this document
  std::string tooltip;
};

// A field's instruction, read and never shown.  type is the first word, upper case ("PAGE",
// "REF", "TOC", "HYPERLINK", ...); argument the rest, trimmed.
struct Field {
  std::string type;
  std::string argument;
};

enum class ChangeKind : std::uint8_t { insertion, deletion, moveFrom, moveTo };

struct Change {
  ChangeKind kind = ChangeKind::insertion;
  std::string author;
  std::string date;     // as written (ISO 8601)
};

enum class NoteKind : std::uint8_t { normal, separator, continuationSeparator, continuationNotice };

struct Note {
  std::string id;       // w:id as written
  NoteKind kind = NoteKind::normal;
  Story story;
};

struct Comment {
  std::string id;
  std::string author, initials, date;
  Story story;
};

struct HeaderFooter {
  std::string partName;  // package path, "word/header1.xml"
  Story story;
};

enum class DrawingKind : std::uint8_t { picture, textBox, shape, group, chart, smartArt, object, unknown };

enum class WrapKind : std::uint8_t { inline_, square, tight, through, topAndBottom, behindText, inFrontOfText };

// A drawing (w:drawing, w:pict, w:object).  target is the package path of the picture, chart or
// preview image ("word/media/image1.png"), resolved through the relationships of the part it
// stands in; empty when there is none or it lies outside the package.
struct Drawing {
  DrawingKind kind = DrawingKind::unknown;
  std::int64_t widthEmu = 0, heightEmu = 0;
  std::string target;
  std::string description, title;       // alternative text
  int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;  // a:srcRect, 1/1000 percent
  WrapKind wrap = WrapKind::inline_;
  // Where an anchored drawing stands: an alignment ("left", "right", "center", "inside",
  // "outside"; vertically "top", "bottom", "center", ...) or, when empty, an offset, measured
  // from what relativeFrom names in the words of wp:positionH/wp:positionV ("column", "margin",
  // "page", "character", "leftMargin", ...; "paragraph", "line", "topMargin", ...).  VML's
  // positions are read into the same words ("text" is the column or the paragraph).
  std::string horizontalAlign;
  std::int64_t horizontalOffsetEmu = 0;
  std::string horizontalFrom;
  std::string verticalAlign;
  std::int64_t verticalOffsetEmu = 0;
  std::string verticalFrom;
  std::int32_t textBox = -1;            // index in Document::textBoxes for a text box's content
  // A picture of a format the browser does not show that could not be converted for the page
  // (app/picture_pass.h): its box stands in for it, said once in the pass's own warning.
  bool notConverted = false;
  // The picture drawn for a chart, shape or diagram by the passes between reading and writing
  // (app/): a package path like target ("word/charts/chart1.xml.svg"), shown in the drawing's
  // place; empty while nothing was drawn for it.
  std::string drawn;
  // A chart the page does not draw (a kind without a drawing, or no values to plot) whose data it
  // shows instead: its index in Document::charts, set by the chart pass (app/chart_pass.h).
  std::int32_t chart = -1;
  ShapeLook look;                       // a shape's or text box's geometry, fill and outline
  GroupPlace place;                     // where a member of a group lies in the group's frame
  std::int32_t diagram = -1;            // a diagram's shapes or words: index in Document::diagrams
};

// The label the numbering gives a paragraph (list_labels.h fills these).
struct ListLabel {
  std::string text;                     // "3.2.1", "a)", the bullet character, ... (UTF-8)
  LevelSuffix suffix = LevelSuffix::tab;
  std::uint32_t runProps = 0;           // the level's w:rPr, index in Document::runProps
  int numId = 0;
  int level = 0;
  bool bullet = false;
};

// ---- Equations --------------------------------------------------------------------------------

// An equation (m:oMath) as a tree of nodes kept in one vector, each node before its children, so
// that it is read and written with explicit stacks.  A structure's parts are groups that say which
// part they are (role): a fraction's numerator and denominator, a script's base and scripts...
enum class MathKind : std::uint8_t {
  group,          // a row of pieces: m:oMath, m:e, m:num, m:den, m:sub, m:sup, m:deg, m:fName, m:lim
  text,           // m:t; text; plain when upright (m:nor, m:sty="p" or "b"), bold for "b" and "bi"
  fraction,       // m:f; flag: no bar (m:type="noBar"); linear: m:type="lin"
  subscript,      // m:sSub
  superscript,    // m:sSup
  subSuperscript, // m:sSubSup
  preScript,      // m:sPre
  radical,        // m:rad; flag: degree hidden
  nary,           // m:nary; text: the operator; flag: limits under and over (m:limLoc="undOvr")
  delimiter,      // m:d; open, separator, close: the characters (UTF-8, may be empty)
  matrix,         // m:m, its rows groups of role row, their cells groups of role base
  accent,         // m:acc; text: the accent character
  bar,            // m:bar; flag: under (m:pos="bot")
  equationArray,  // m:eqArr: its rows groups of role base
  function,       // m:func
  limitLower,     // m:limLow
  limitUpper,     // m:limUpp
  groupChar,      // m:groupChr; text: the character; flag: above (m:pos="top")
  box,            // m:box, m:borderBox (flag), m:phant
};

enum class MathRole : std::uint8_t { none, base, numerator, denominator, sub, sup, degree, name, limit, row };

struct MathNode {
  MathKind kind = MathKind::group;
  MathRole role = MathRole::none;
  bool flag = false;
  bool plain = false;
  bool bold = false;    // text of a bold style (m:sty "b", "bi")
  bool linear = false;
  std::int32_t parent = -1;
  std::string text;
  std::string open, separator, close;
};

struct Equation {
  bool display = false;          // in m:oMathPara: a line of its own
  std::vector<MathNode> nodes;   // nodes[0] is the root group
};

// ---- The document -----------------------------------------------------------------------------

struct Document {
  std::string mainPart;                 // "word/document.xml" or as the package names it
  Story body;
  std::vector<SectionProps> sections;   // in body order; the last is the body's final w:sectPr
  Styles styles;
  Numbering numbering;
  Theme theme;
  Settings settings;
  FontTable fonts;

  std::vector<Note> footnotes, endnotes;
  std::vector<Comment> comments;
  std::vector<HeaderFooter> headers, footers;
  std::vector<Story> textBoxes;
  std::vector<Drawing> drawings;
  std::vector<Link> links;
  std::vector<Field> fields;
  std::vector<Change> changes;
  std::vector<Equation> equations;
  std::vector<Diagram> diagrams;        // filled between reading and writing (app/shape_pass.h)
  std::vector<ListLabel> listLabels;
  std::vector<Chart> charts;            // charts shown as their data (Drawing::chart)

  PropsPool<RunProps> runProps;
  PropsPool<ParagraphProps> paragraphProps;
  PropsPool<TableProps> tableProps;
  PropsPool<RowProps> rowProps;
  PropsPool<CellProps> cellProps;
};

}  // namespace vellumine::docx
