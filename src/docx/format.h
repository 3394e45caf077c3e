// Formatting resolved: the final values of a run, a paragraph, a table, a row and a cell once
// document defaults, table style regions, numbering, style chains and direct formatting are laid
// over each other and theme fonts and colours are looked up.  What the page writer reads.
// Colours are 0xRRGGBB; an absent colour means "automatic" (the writer picks black, or white on a
// dark fill).  Lengths stay in Word's units (twips, half-points, eighths of a point).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "docx/properties.h"

namespace vellumine::docx {

using Rgb = std::uint32_t;

struct ResolvedBorder {
  BorderStyle style = BorderStyle::none;   // none: no line
  int widthEighths = 0;
  int spacePoints = 0;
  std::optional<Rgb> color;                // absent: automatic
  friend bool operator==(const ResolvedBorder&, const ResolvedBorder&) = default;
};

// Generic family of a face, for the fallback after it ("Calibri", sans-serif).
enum class GenericFamily : std::uint8_t { serif, sansSerif, monospace, cursive, fantasy };

struct ResolvedFont {
  std::string name;                        // the face, theme fonts looked up; empty: none set
  GenericFamily generic = GenericFamily::serif;
  friend bool operator==(const ResolvedFont&, const ResolvedFont&) = default;
};

struct RunFormat {
  ResolvedFont ascii, hAnsi, eastAsia, complexScript;
  int size = 20;                           // half-points (Word's default 10 pt without defaults)
  int sizeCs = 20;
  bool bold = false, boldCs = false, italic = false, italicCs = false;
  bool caps = false, smallCaps = false, strike = false, doubleStrike = false;
  bool outline = false, shadow = false, emboss = false, imprint = false;
  bool hidden = false;                     // w:vanish: not drawn
  bool rtl = false, complexScriptText = false;
  UnderlineStyle underline = UnderlineStyle::none;
  std::optional<Rgb> underlineColor;       // absent: the text's colour
  std::optional<Rgb> color;
  std::optional<Rgb> highlight;
  std::optional<Rgb> shading;              // the fill behind the text, pattern applied
  std::optional<ResolvedBorder> border;
  int spacing = 0;                         // twips
  int position = 0;                        // half-points
  int scale = 100;                         // percent
  VerticalAlign vertAlign = VerticalAlign::baseline;
  std::string lang;
  friend bool operator==(const RunFormat&, const RunFormat&) = default;
};

struct ResolvedParagraphBorders {
  std::optional<ResolvedBorder> top, start, bottom, end, between, bar;
  friend bool operator==(const ResolvedParagraphBorders&, const ResolvedParagraphBorders&) = default;
};

struct ParagraphFormat {
  std::string styleId;                     // the paragraph's style (the default one when none)
  Justification justification = Justification::start;
  bool bidi = false;
  int indentStart = 0, indentEnd = 0;      // twips
  int firstLine = 0;                       // twips; negative: hanging
  int spaceBefore = 0, spaceAfter = 0;     // twips, autospacing and "lines" turned into twips
  // The space came from w:beforeAutospacing / w:afterAutospacing (14 pt): Word draws none before
  // the first paragraph of a table cell and none after the last.
  bool spaceBeforeAuto = false, spaceAfterAuto = false;
  bool contextualSpacing = false;
  int line = 240;                          // LineRule::auto_: 240ths of a line; else twips
  LineRule lineRule = LineRule::auto_;
  bool keepNext = false, keepLines = false, pageBreakBefore = false, widowControl = true;
  ResolvedParagraphBorders borders;
  std::optional<Rgb> shading;
  std::vector<TabStop> tabs;               // cleared stops removed, by position
  int outlineLevel = 9;                    // 0..8 headings, 9 body text
  DropCap dropCap = DropCap::none;
  int dropCapLines = 1;
  int numId = 0;                           // the numbering that applies (0: none)
  int numLevel = 0;
  RunFormat mark;                          // the paragraph mark's formatting
  friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

// A table's own formatting (table style's whole-table formatting, then w:tblPr).
struct TableFormat {
  std::string styleId;
  TableWidth width;
  Justification justification = Justification::start;
  TableWidth indent;
  TableLayout layout = TableLayout::autofit;
  int cellMarginTop = 0, cellMarginStart = 108, cellMarginBottom = 0, cellMarginEnd = 108;  // twips
  int cellSpacing = 0;                     // twips
  std::optional<Rgb> shading;
  TableLook look;
  int rowBandSize = 1, columnBandSize = 1;
  bool bidiVisual = false;
  ResolvedBorder top, start, bottom, end, insideH, insideV;
};

struct RowFormat {
  int height = 0;                          // twips
  HeightRule heightRule = HeightRule::auto_;
  bool header = false, cantSplit = false, hidden = false;
  Justification justification = Justification::start;
};

// The regions of a table style that apply to a cell, one bit per TableRegion.
using RegionMask = std::uint16_t;

struct CellFormat {
  RegionMask regions = 0;
  TableWidth width;
  std::optional<Rgb> shading;
  int marginTop = 0, marginStart = 108, marginBottom = 0, marginEnd = 108;  // twips
  CellAlign verticalAlign = CellAlign::top;
  bool noWrap = false;
  std::string textDirection;
  // The four edges as drawn, after Word's rule between the cell's, its neighbour's and the
  // table's borders: a shared edge has the same value in both cells.
  ResolvedBorder top, start, bottom, end;
};

}  // namespace vellumine::docx
