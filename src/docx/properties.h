// Formatting as a document writes it: the property blocks of runs, paragraphs, tables, rows, cells
// and sections, each property absent until an element sets it.  Styles, numbering levels, table
// style regions and direct formatting all use these same structs; the resolver (format_resolver.h)
// lays them over each other and turns them into final values (format.h).
//
// Units are Word's and are kept as read: lengths in twips (1/1440 inch) unless a field says
// otherwise, font sizes in half-points, border widths in eighths of a point, drawing sizes in EMU
// (914400 per inch).  Strict documents' lengths with units ("12pt", "1in") are converted to these by
// the reader; a malformed number is absent.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellumine::docx {

// ---- Colours ---------------------------------------------------------------------------------

// The theme colour slots a document may name (w:themeColor, w:themeFill, a:schemeClr).  The first
// twelve are the theme part's own slots, in the order of a:clrScheme; the last four are the names
// that the settings' colour mapping turns into slots.
enum class ThemeColor : std::uint8_t {
  none,
  dark1, light1, dark2, light2,
  accent1, accent2, accent3, accent4, accent5, accent6,
  hyperlink, followedHyperlink,
  text1, background1, text2, background2,
};

// A colour as written: "auto", a hex RGB value, or a theme slot with its tint and shade
// (0-255 each, 255: none).  When a theme slot is named, rgb holds the value written beside it (Word
// writes both); the theme wins when the theme part has the slot.
struct Color {
  bool isAuto = false;
  std::uint32_t rgb = 0;  // 0xRRGGBB
  ThemeColor theme = ThemeColor::none;
  std::uint8_t themeTint = 255;
  std::uint8_t themeShade = 255;
  friend bool operator==(const Color&, const Color&) = default;
};

// ---- Borders and shading ----------------------------------------------------------------------

// w:val of a border.  Art borders (apples, ...) read as single.
enum class BorderStyle : std::uint8_t {
  none,  // "none" and "nil": no border, and it overrides a border below it
  single, thick, double_, dotted, dashed, dotDash, dotDotDash, triple,
  thinThickSmallGap, thickThinSmallGap, thinThickThinSmallGap,
  thinThickMediumGap, thickThinMediumGap, thinThickThinMediumGap,
  thinThickLargeGap, thickThinLargeGap, thinThickThinLargeGap,
  wave, doubleWave, dashSmallGap, dashDotStroked, threeDEmboss, threeDEngrave, outset, inset,
};

struct Border {
  BorderStyle style = BorderStyle::none;
  int widthEighths = 0;   // w:sz, eighths of a point
  int spacePoints = 0;    // w:space, points
  Color color{true};      // "auto" when not written
  bool shadow = false;
  bool frame = false;
  friend bool operator==(const Border&, const Border&) = default;
};

// w:shd: a pattern (val) of colour over fill.  Only "clear" and "solid" and the percentages matter
// on screen; other patterns are drawn as their fill.
enum class ShadingPattern : std::uint8_t {
  clear, solid, nil, percent, other,
};

struct Shading {
  ShadingPattern pattern = ShadingPattern::clear;
  int percent = 0;        // for ShadingPattern::percent: 5..95
  Color color{true};      // the pattern's colour
  Color fill{true};       // the background
  friend bool operator==(const Shading&, const Shading&) = default;
};

// ---- Runs -------------------------------------------------------------------------------------

// The theme's font slots (w:asciiTheme and its kin).
enum class ThemeFont : std::uint8_t {
  none,
  majorAscii, majorHAnsi, majorEastAsia, majorBidi,
  minorAscii, minorHAnsi, minorEastAsia, minorBidi,
};

// w:rFonts: one font per script slot; a theme slot wins over the name in the same element.
struct FontSlot {
  std::optional<std::string> name;
  ThemeFont theme = ThemeFont::none;
  bool isSet() const { return name.has_value() || theme != ThemeFont::none; }
  friend bool operator==(const FontSlot&, const FontSlot&) = default;
};

struct RunFonts {
  FontSlot ascii, hAnsi, eastAsia, cs;
  friend bool operator==(const RunFonts&, const RunFonts&) = default;
};

enum class UnderlineStyle : std::uint8_t {
  none, single, words, double_, thick, dotted, dottedHeavy, dash, dashedHeavy, dashLong,
  dashLongHeavy, dotDash, dashDotHeavy, dotDotDash, dashDotDotHeavy, wave, wavyHeavy, wavyDouble,
};

enum class VerticalAlign : std::uint8_t { baseline, superscript, subscript };

// w:rPr.  The on/off properties are "toggle" properties in Word's sense for bold, italic, caps,
// smallCaps, strike, outline, shadow, emboss, imprint and vanish (not doubleStrike; see the resolver).
struct RunProps {
  std::optional<std::string> styleId;  // w:rStyle (direct formatting only)
  RunFonts fonts;
  std::optional<bool> bold, boldCs, italic, italicCs;
  std::optional<bool> caps, smallCaps, strike, doubleStrike;
  std::optional<bool> outline, shadow, emboss, imprint;
  std::optional<bool> vanish, webHidden, specVanish;
  std::optional<bool> rtl, complexScript;   // w:rtl, w:cs
  std::optional<UnderlineStyle> underline;
  std::optional<Color> underlineColor;
  std::optional<Color> color;
  std::optional<std::uint32_t> highlight;   // 0xRRGGBB of the named highlight colour
  bool highlightNone = false;               // w:highlight w:val="none" (clears one below)
  std::optional<Shading> shading;
  std::optional<Border> border;             // w:bdr
  std::optional<int> size, sizeCs;          // half-points
  std::optional<int> spacing;               // twips between characters
  std::optional<int> position;              // half-points raised (negative: lowered)
  std::optional<int> scale;                 // w:w, percent of the normal width
  std::optional<int> kern;                  // half-points
  std::optional<VerticalAlign> vertAlign;
  std::optional<std::string> lang, langEastAsia, langBidi;
  friend bool operator==(const RunProps&, const RunProps&) = default;
};

// ---- Paragraphs -------------------------------------------------------------------------------

enum class Justification : std::uint8_t {
  start,       // "left" and "start": the start side (right in a right-to-left paragraph)
  center,
  end,         // "right" and "end"
  both,        // justified
  distribute,  // justified, the last line too
};

enum class LineRule : std::uint8_t { auto_, exact, atLeast };

enum class TabAlignment : std::uint8_t { start, center, end, decimal, bar, num, clear };
enum class TabLeader : std::uint8_t { none, dot, hyphen, underscore, heavy, middleDot };

struct TabStop {
  int position = 0;  // twips from the start indent's origin (the text margin)
  TabAlignment alignment = TabAlignment::start;
  TabLeader leader = TabLeader::none;
  friend bool operator==(const TabStop&, const TabStop&) = default;
};

struct Spacing {
  std::optional<int> before, after;          // twips
  std::optional<int> beforeLines, afterLines;  // hundredths of a line
  std::optional<bool> beforeAutospacing, afterAutospacing;
  std::optional<int> line;                   // auto: 240ths of a line; exact/atLeast: twips
  std::optional<LineRule> lineRule;
  friend bool operator==(const Spacing&, const Spacing&) = default;
};

struct Indentation {
  std::optional<int> start, end;   // w:left/w:start, w:right/w:end (twips)
  std::optional<int> firstLine;    // twips; negative for w:hanging
  friend bool operator==(const Indentation&, const Indentation&) = default;
};

struct NumberingRef {
  std::optional<int> numId;   // 0 removes numbering that a style gives
  std::optional<int> level;   // w:ilvl, 0..8
  friend bool operator==(const NumberingRef&, const NumberingRef&) = default;
};

struct ParagraphBorders {
  std::optional<Border> top, start, bottom, end, between, bar;
  friend bool operator==(const ParagraphBorders&, const ParagraphBorders&) = default;
};

enum class DropCap : std::uint8_t { none, drop, margin };

// w:framePr: only drop caps are drawn as such; other frames flow with the text.
struct FrameProps {
  DropCap dropCap = DropCap::none;
  int lines = 1;
  friend bool operator==(const FrameProps&, const FrameProps&) = default;
};

// w:pPr.  tabs lists the stops this level sets, TabAlignment::clear rows included: the resolver
// adds each level's stops to those below and removes the cleared positions.
struct ParagraphProps {
  std::optional<std::string> styleId;  // w:pStyle (direct formatting only)
  std::optional<bool> keepNext, keepLines, pageBreakBefore, widowControl;
  std::optional<bool> contextualSpacing, bidi, suppressLineNumbers;
  std::optional<Justification> justification;
  Spacing spacing;
  Indentation indentation;
  NumberingRef numbering;
  ParagraphBorders borders;
  std::optional<Shading> shading;
  std::vector<TabStop> tabs;
  std::optional<int> outlineLevel;     // 0..8; 9 is body text
  std::optional<FrameProps> frame;
  RunProps markRunProps;               // w:pPr/w:rPr: the paragraph mark's own formatting
  friend bool operator==(const ParagraphProps&, const ParagraphProps&) = default;
};

// ---- Tables -----------------------------------------------------------------------------------

enum class WidthType : std::uint8_t { auto_, dxa, pct, nil };

// w:tblW, w:tcW, w:tblInd, cell margins: twips for dxa, fiftieths of a percent for pct.
struct TableWidth {
  WidthType type = WidthType::auto_;
  int value = 0;
  friend bool operator==(const TableWidth&, const TableWidth&) = default;
};

struct TableBorders {
  std::optional<Border> top, start, bottom, end, insideH, insideV;
  friend bool operator==(const TableBorders&, const TableBorders&) = default;
};

struct CellMargins {
  std::optional<TableWidth> top, start, bottom, end;
  friend bool operator==(const CellMargins&, const CellMargins&) = default;
};

// w:tblLook, from its attributes or its hex value (0x0020 firstRow, 0x0040 lastRow, 0x0080
// firstColumn, 0x0100 lastColumn, 0x0200 noHBand, 0x0400 noVBand).
struct TableLook {
  bool firstRow = false, lastRow = false, firstColumn = false, lastColumn = false;
  bool noHBand = false, noVBand = false;
  friend bool operator==(const TableLook&, const TableLook&) = default;
};

enum class TableLayout : std::uint8_t { autofit, fixed };

struct TableProps {
  std::optional<std::string> styleId;   // w:tblStyle (direct formatting only)
  std::optional<TableWidth> width;
  std::optional<Justification> justification;
  std::optional<TableWidth> indent;
  std::optional<TableLayout> layout;
  TableBorders borders;
  std::optional<Shading> shading;
  CellMargins cellMargins;
  std::optional<TableWidth> cellSpacing;
  std::optional<TableLook> look;
  std::optional<int> rowBandSize, columnBandSize;
  std::optional<bool> bidiVisual;
  std::optional<bool> floating;         // w:tblpPr present
  friend bool operator==(const TableProps&, const TableProps&) = default;
};

enum class HeightRule : std::uint8_t { auto_, atLeast, exact };

struct RowProps {
  std::optional<int> height;            // twips
  std::optional<HeightRule> heightRule;
  std::optional<bool> header, cantSplit, hidden;
  std::optional<int> gridBefore, gridAfter;
  std::optional<TableWidth> widthBefore, widthAfter;
  std::optional<Justification> justification;
  std::optional<TableWidth> cellSpacing;
  friend bool operator==(const RowProps&, const RowProps&) = default;
};

enum class VerticalMerge : std::uint8_t { none, restart, continue_ };
enum class CellAlign : std::uint8_t { top, center, bottom };

struct CellBorders {
  std::optional<Border> top, start, bottom, end, insideH, insideV, topLeftToBottomRight,
      topRightToBottomLeft;
  friend bool operator==(const CellBorders&, const CellBorders&) = default;
};

struct CellProps {
  std::optional<TableWidth> width;
  std::optional<int> gridSpan;
  std::optional<VerticalMerge> verticalMerge;
  std::optional<VerticalMerge> horizontalMerge;   // w:hMerge (old documents)
  CellBorders borders;
  std::optional<Shading> shading;
  CellMargins margins;
  std::optional<bool> noWrap, hideMark;
  std::optional<CellAlign> verticalAlign;
  std::optional<std::string> textDirection;       // "btLr", "tbRl", ... as written
  friend bool operator==(const CellProps&, const CellProps&) = default;
};

// ---- Sections ---------------------------------------------------------------------------------

enum class SectionStart : std::uint8_t { nextPage, continuous, evenPage, oddPage, nextColumn };
enum class HeaderFooterType : std::uint8_t { default_, first, even };

struct Column {
  int width = 0;   // twips
  int space = 0;   // twips after it
  friend bool operator==(const Column&, const Column&) = default;
};

struct Columns {
  int count = 1;
  int space = 720;       // twips between equal columns
  bool equalWidth = true;
  bool separator = false;
  std::vector<Column> columns;  // when !equalWidth
  friend bool operator==(const Columns&, const Columns&) = default;
};

// w:sectPr.  Header and footer references hold indexes into Document::headers/footers (-1: none of
// that type in this section; the previous section's applies, as Word links them).
struct SectionProps {
  SectionStart start = SectionStart::nextPage;
  std::optional<int> pageWidth, pageHeight;   // twips; absent: the page writer's default (Letter)
  bool landscape = false;
  std::optional<int> marginTop, marginRight, marginBottom, marginLeft;
  std::optional<int> marginHeader, marginFooter, marginGutter;
  Columns columns;
  bool titlePage = false;                     // w:titlePg: a first-page header and footer
  std::array<int, 3> headers{-1, -1, -1};     // by HeaderFooterType
  std::array<int, 3> footers{-1, -1, -1};
  std::optional<int> pageNumberStart;
  std::optional<std::string> pageNumberFormat;  // w:pgNumType w:fmt as written
  bool bidi = false;
  std::optional<CellAlign> verticalAlign;
  friend bool operator==(const SectionProps&, const SectionProps&) = default;
};

}  // namespace vellumine::docx
