// Overlaying property blocks field by field: the resolver's one way of combining document
// defaults, style chains, table style regions, numbering levels and direct formatting.
#include "docx/property_layers.h"

#include <algorithm>

namespace vellumine::docx {
namespace {

template <typename T>
void take(std::optional<T>& base, const std::optional<T>& over) {
  if (over) base = over;
}

void overlayFont(FontSlot& base, const FontSlot& over) {
  if (over.isSet()) base = over;
}

void overlaySpacing(Spacing& base, const Spacing& over) {
  take(base.before, over.before);
  take(base.after, over.after);
  take(base.beforeLines, over.beforeLines);
  take(base.afterLines, over.afterLines);
  take(base.beforeAutospacing, over.beforeAutospacing);
  take(base.afterAutospacing, over.afterAutospacing);
  take(base.line, over.line);
  take(base.lineRule, over.lineRule);
}

void overlayIndentation(Indentation& base, const Indentation& over) {
  take(base.start, over.start);
  take(base.end, over.end);
  take(base.firstLine, over.firstLine);
}

void overlayParagraphBorders(ParagraphBorders& base, const ParagraphBorders& over) {
  take(base.top, over.top);
  take(base.start, over.start);
  take(base.bottom, over.bottom);
  take(base.end, over.end);
  take(base.between, over.between);
  take(base.bar, over.bar);
}

void overlayTableBorders(TableBorders& base, const TableBorders& over) {
  take(base.top, over.top);
  take(base.start, over.start);
  take(base.bottom, over.bottom);
  take(base.end, over.end);
  take(base.insideH, over.insideH);
  take(base.insideV, over.insideV);
}

void overlayCellBorders(CellBorders& base, const CellBorders& over) {
  take(base.top, over.top);
  take(base.start, over.start);
  take(base.bottom, over.bottom);
  take(base.end, over.end);
  take(base.insideH, over.insideH);
  take(base.insideV, over.insideV);
  take(base.topLeftToBottomRight, over.topLeftToBottomRight);
  take(base.topRightToBottomLeft, over.topRightToBottomLeft);
}

void overlayMargins(CellMargins& base, const CellMargins& over) {
  take(base.top, over.top);
  take(base.start, over.start);
  take(base.bottom, over.bottom);
  take(base.end, over.end);
}

bool byPosition(const TabStop& a, const TabStop& b) { return a.position < b.position; }

}  // namespace

void overlayRun(RunProps& base, const RunProps& over) {
  take(base.styleId, over.styleId);
  overlayFont(base.fonts.ascii, over.fonts.ascii);
  overlayFont(base.fonts.hAnsi, over.fonts.hAnsi);
  overlayFont(base.fonts.eastAsia, over.fonts.eastAsia);
  overlayFont(base.fonts.cs, over.fonts.cs);
  take(base.bold, over.bold);
  take(base.boldCs, over.boldCs);
  take(base.italic, over.italic);
  take(base.italicCs, over.italicCs);
  take(base.caps, over.caps);
  take(base.smallCaps, over.smallCaps);
  take(base.strike, over.strike);
  take(base.doubleStrike, over.doubleStrike);
  take(base.outline, over.outline);
  take(base.shadow, over.shadow);
  take(base.emboss, over.emboss);
  take(base.imprint, over.imprint);
  take(base.vanish, over.vanish);
  take(base.webHidden, over.webHidden);
  take(base.specVanish, over.specVanish);
  take(base.rtl, over.rtl);
  take(base.complexScript, over.complexScript);
  take(base.underline, over.underline);
  take(base.underlineColor, over.underlineColor);
  take(base.color, over.color);
  if (over.highlightNone) {
    base.highlight.reset();
    base.highlightNone = true;
  } else if (over.highlight) {
    base.highlight = over.highlight;
    base.highlightNone = false;
  }
  take(base.shading, over.shading);
  take(base.border, over.border);
  take(base.size, over.size);
  take(base.sizeCs, over.sizeCs);
  take(base.spacing, over.spacing);
  take(base.position, over.position);
  take(base.scale, over.scale);
  take(base.kern, over.kern);
  take(base.vertAlign, over.vertAlign);
  take(base.lang, over.lang);
  take(base.langEastAsia, over.langEastAsia);
  take(base.langBidi, over.langBidi);
}

void overlayParagraph(ParagraphProps& base, const ParagraphProps& over) {
  take(base.styleId, over.styleId);
  take(base.keepNext, over.keepNext);
  take(base.keepLines, over.keepLines);
  take(base.pageBreakBefore, over.pageBreakBefore);
  take(base.widowControl, over.widowControl);
  take(base.contextualSpacing, over.contextualSpacing);
  take(base.bidi, over.bidi);
  take(base.suppressLineNumbers, over.suppressLineNumbers);
  take(base.justification, over.justification);
  overlaySpacing(base.spacing, over.spacing);
  overlayIndentation(base.indentation, over.indentation);
  take(base.numbering.numId, over.numbering.numId);
  take(base.numbering.level, over.numbering.level);
  overlayParagraphBorders(base.borders, over.borders);
  take(base.shading, over.shading);
  mergeTabStops(base.tabs, over.tabs);
  take(base.outlineLevel, over.outlineLevel);
  take(base.frame, over.frame);
  overlayRun(base.markRunProps, over.markRunProps);
}

void overlayTable(TableProps& base, const TableProps& over) {
  take(base.styleId, over.styleId);
  take(base.width, over.width);
  take(base.justification, over.justification);
  take(base.indent, over.indent);
  take(base.layout, over.layout);
  overlayTableBorders(base.borders, over.borders);
  take(base.shading, over.shading);
  overlayMargins(base.cellMargins, over.cellMargins);
  take(base.cellSpacing, over.cellSpacing);
  take(base.look, over.look);
  take(base.rowBandSize, over.rowBandSize);
  take(base.columnBandSize, over.columnBandSize);
  take(base.bidiVisual, over.bidiVisual);
  take(base.floating, over.floating);
}

void overlayRow(RowProps& base, const RowProps& over) {
  take(base.height, over.height);
  take(base.heightRule, over.heightRule);
  take(base.header, over.header);
  take(base.cantSplit, over.cantSplit);
  take(base.hidden, over.hidden);
  take(base.gridBefore, over.gridBefore);
  take(base.gridAfter, over.gridAfter);
  take(base.widthBefore, over.widthBefore);
  take(base.widthAfter, over.widthAfter);
  take(base.justification, over.justification);
  take(base.cellSpacing, over.cellSpacing);
}

void overlayCell(CellProps& base, const CellProps& over) {
  take(base.width, over.width);
  take(base.gridSpan, over.gridSpan);
  take(base.verticalMerge, over.verticalMerge);
  take(base.horizontalMerge, over.horizontalMerge);
  overlayCellBorders(base.borders, over.borders);
  take(base.shading, over.shading);
  overlayMargins(base.margins, over.margins);
  take(base.noWrap, over.noWrap);
  take(base.hideMark, over.hideMark);
  take(base.verticalAlign, over.verticalAlign);
  take(base.textDirection, over.textDirection);
}

void mergeTabStops(std::vector<TabStop>& stops, const std::vector<TabStop>& level) {
  const std::size_t count = std::min(level.size(), static_cast<std::size_t>(kMaxTabStops));
  for (std::size_t i = 0; i < count; ++i) {
    const TabStop& stop = level[i];
    auto at = std::lower_bound(stops.begin(), stops.end(), stop, byPosition);
    if (at != stops.end() && at->position == stop.position) {
      *at = stop;
    } else if (stops.size() < 2 * static_cast<std::size_t>(kMaxTabStops)) {
      stops.insert(at, stop);
    }
  }
}

std::vector<TabStop> finalTabStops(const std::vector<TabStop>& stops) {
  std::vector<TabStop> kept;
  for (const TabStop& stop : stops) {
    if (stop.alignment != TabAlignment::clear && static_cast<int>(kept.size()) < kMaxTabStops) kept.push_back(stop);
  }
  return kept;
}

}  // namespace vellumine::docx
