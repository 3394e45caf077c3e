// w:tblPr, w:trPr and w:tcPr read into TableProps, RowProps and CellProps: widths with their
// type, borders by edge, shading, cell margins, the style look (attributes or hex value), row
// heights, grid spans and merges.  Spans and grid counts are bounded so a table grid built from
// them stays small however large the numbers written.
#include <algorithm>

#include "docx/property_elements.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// The most grid columns one cell may span or a row may skip.  Word's tables have at most 63
// columns; the bound leaves room for other writers' wider grids while keeping a grid of
// span-sized rows small.
constexpr int kMaxGridSpan = 1024;
// Word's tallest row: 22 inches.
constexpr int kMaxRowHeight = 31680;

constexpr EnumName<TableLayout> kLayouts[] = {
    {"autofit", TableLayout::autofit},
    {"fixed", TableLayout::fixed},
};

constexpr EnumName<HeightRule> kHeightRules[] = {
    {"auto", HeightRule::auto_},
    {"atLeast", HeightRule::atLeast},
    {"exact", HeightRule::exact},
};

constexpr EnumName<VerticalMerge> kMerges[] = {
    {"restart", VerticalMerge::restart},
    {"continue", VerticalMerge::continue_},
};

// "both" (justified vertically) has nothing to spread in a cell and reads as top.
constexpr EnumName<CellAlign> kCellAligns[] = {
    {"top", CellAlign::top},
    {"center", CellAlign::center},
    {"bottom", CellAlign::bottom},
    {"both", CellAlign::top},
};

// w:tblLook's hex value: one bit per flag.
struct LookBit {
  const char* attribute;
  std::uint32_t bit;
  bool TableLook::*flag;
};
constexpr LookBit kLookBits[] = {
    {"w:firstRow", 0x0020, &TableLook::firstRow},       {"w:lastRow", 0x0040, &TableLook::lastRow},
    {"w:firstColumn", 0x0080, &TableLook::firstColumn}, {"w:lastColumn", 0x0100, &TableLook::lastColumn},
    {"w:noHBand", 0x0200, &TableLook::noHBand},         {"w:noVBand", 0x0400, &TableLook::noVBand},
};

// ---- shared by the three blocks ----

template <typename Props, std::optional<bool> Props::*field>
void readSwitch(const pugi::xml_node& child, Props& props, Warnings&) {
  props.*field = readOnOff(child);
}

template <typename Props, std::optional<TableWidth> Props::*field>
void readWidth(const pugi::xml_node& child, Props& props, Warnings& warnings) {
  if (auto width = readTableWidth(child, warnings)) props.*field = *width;
}

template <typename Props, std::optional<Justification> Props::*field>
void readJustify(const pugi::xml_node& child, Props& props, Warnings&) {
  if (auto justification = readJustification(child)) props.*field = *justification;
}

template <typename Props>
void readShadingElement(const pugi::xml_node& child, Props& props, Warnings& warnings) {
  props.shading = readShading(child, warnings);
}

// A grid count (w:gridBefore, w:gridAfter) or span, clamped into [low, kMaxGridSpan].
std::optional<int> readGridCount(const pugi::xml_node& child, int low, Warnings& warnings) {
  auto count = readInt(valAttr(child), warnings);
  if (!count) return std::nullopt;
  return std::clamp(*count, low, kMaxGridSpan);
}

// ---- w:tblPr ----

void readTableStyle(const pugi::xml_node& child, TableProps& props, Warnings&) {
  props.styleId = valAttr(child).value();
}

void readLayout(const pugi::xml_node& child, TableProps& props, Warnings&) {
  if (auto layout = readEnum<TableLayout>(child.attribute("w:type"), kLayouts)) props.layout = *layout;
}

void readTableBorders(const pugi::xml_node& child, TableProps& props, Warnings& warnings) {
  TableBorders& borders = props.borders;
  for (pugi::xml_node side = child.first_child(); side; side = side.next_sibling()) {
    std::optional<Border>* slot = nullptr;
    switch (edgeOf(side)) {
      case Edge::top: slot = &borders.top; break;
      case Edge::start: slot = &borders.start; break;
      case Edge::bottom: slot = &borders.bottom; break;
      case Edge::end: slot = &borders.end; break;
      case Edge::insideH: slot = &borders.insideH; break;
      case Edge::insideV: slot = &borders.insideV; break;
      default: break;
    }
    if (slot) *slot = readBorder(side, warnings);
  }
}

void readTableCellMargins(const pugi::xml_node& child, TableProps& props, Warnings& warnings) {
  props.cellMargins = readCellMargins(child, warnings);
}

// The hex value first, then each flag attribute over it (Word writes both, and they agree).
void readLook(const pugi::xml_node& child, TableProps& props, Warnings& warnings) {
  TableLook look;
  if (auto bits = readHex(valAttr(child), warnings)) {
    for (const LookBit& row : kLookBits) look.*row.flag = (*bits & row.bit) != 0;
  }
  for (const LookBit& row : kLookBits) {
    if (auto on = readOnOffAttribute(child.attribute(row.attribute))) look.*row.flag = *on;
  }
  props.look = look;
}

template <std::optional<int> TableProps::*field>
void readBandSize(const pugi::xml_node& child, TableProps& props, Warnings& warnings) {
  if (auto size = readInt(valAttr(child), warnings)) props.*field = std::max(*size, 1);
}

void readFloating(const pugi::xml_node&, TableProps& props, Warnings&) { props.floating = true; }

constexpr ChildReader<TableProps> kTableReaders[] = {
    {"w:bidiVisual", readSwitch<TableProps, &TableProps::bidiVisual>},
    {"w:jc", readJustify<TableProps, &TableProps::justification>},
    {"w:shd", readShadingElement<TableProps>},
    {"w:tblBorders", readTableBorders},
    {"w:tblCellMar", readTableCellMargins},
    {"w:tblCellSpacing", readWidth<TableProps, &TableProps::cellSpacing>},
    {"w:tblInd", readWidth<TableProps, &TableProps::indent>},
    {"w:tblLayout", readLayout},
    {"w:tblLook", readLook},
    {"w:tblStyle", readTableStyle},
    {"w:tblStyleColBandSize", readBandSize<&TableProps::columnBandSize>},
    {"w:tblStyleRowBandSize", readBandSize<&TableProps::rowBandSize>},
    {"w:tblW", readWidth<TableProps, &TableProps::width>},
    {"w:tblpPr", readFloating},
};
static_assert(sortedByName(kTableReaders));

// ---- w:trPr ----

// Without w:hRule Word reads the height as a minimum.
void readRowHeight(const pugi::xml_node& child, RowProps& props, Warnings& warnings) {
  if (auto height = readTwips(valAttr(child), warnings)) props.height = std::clamp(*height, 0, kMaxRowHeight);
  props.heightRule = readEnum<HeightRule>(child.attribute("w:hRule"), kHeightRules).value_or(HeightRule::atLeast);
}

template <std::optional<int> RowProps::*field>
void readRowGrid(const pugi::xml_node& child, RowProps& props, Warnings& warnings) {
  if (auto count = readGridCount(child, 0, warnings)) props.*field = *count;
}

constexpr ChildReader<RowProps> kRowReaders[] = {
    {"w:cantSplit", readSwitch<RowProps, &RowProps::cantSplit>},
    {"w:gridAfter", readRowGrid<&RowProps::gridAfter>},
    {"w:gridBefore", readRowGrid<&RowProps::gridBefore>},
    {"w:hidden", readSwitch<RowProps, &RowProps::hidden>},
    {"w:jc", readJustify<RowProps, &RowProps::justification>},
    {"w:tblCellSpacing", readWidth<RowProps, &RowProps::cellSpacing>},
    {"w:tblHeader", readSwitch<RowProps, &RowProps::header>},
    {"w:trHeight", readRowHeight},
    {"w:wAfter", readWidth<RowProps, &RowProps::widthAfter>},
    {"w:wBefore", readWidth<RowProps, &RowProps::widthBefore>},
};
static_assert(sortedByName(kRowReaders));

// ---- w:tcPr ----

void readGridSpan(const pugi::xml_node& child, CellProps& props, Warnings& warnings) {
  if (auto span = readGridCount(child, 1, warnings)) props.gridSpan = *span;
}

// A merge element without a value (or with an unknown one) continues the merge above or before.
template <std::optional<VerticalMerge> CellProps::*field>
void readMerge(const pugi::xml_node& child, CellProps& props, Warnings&) {
  props.*field = readEnum<VerticalMerge>(valAttr(child), kMerges).value_or(VerticalMerge::continue_);
}

void readCellBorders(const pugi::xml_node& child, CellProps& props, Warnings& warnings) {
  CellBorders& borders = props.borders;
  for (pugi::xml_node side = child.first_child(); side; side = side.next_sibling()) {
    std::optional<Border>* slot = nullptr;
    switch (edgeOf(side)) {
      case Edge::top: slot = &borders.top; break;
      case Edge::start: slot = &borders.start; break;
      case Edge::bottom: slot = &borders.bottom; break;
      case Edge::end: slot = &borders.end; break;
      case Edge::insideH: slot = &borders.insideH; break;
      case Edge::insideV: slot = &borders.insideV; break;
      case Edge::tl2br: slot = &borders.topLeftToBottomRight; break;
      case Edge::tr2bl: slot = &borders.topRightToBottomLeft; break;
      default: break;
    }
    if (slot) *slot = readBorder(side, warnings);
  }
}

void readCellMarginsElement(const pugi::xml_node& child, CellProps& props, Warnings& warnings) {
  props.margins = readCellMargins(child, warnings);
}

void readCellAlign(const pugi::xml_node& child, CellProps& props, Warnings&) {
  if (auto align = readEnum<CellAlign>(valAttr(child), kCellAligns)) props.verticalAlign = *align;
}

void readTextDirection(const pugi::xml_node& child, CellProps& props, Warnings&) {
  if (auto val = valAttr(child)) props.textDirection = val.value();
}

constexpr ChildReader<CellProps> kCellReaders[] = {
    {"w:gridSpan", readGridSpan},
    {"w:hMerge", readMerge<&CellProps::horizontalMerge>},
    {"w:hideMark", readSwitch<CellProps, &CellProps::hideMark>},
    {"w:noWrap", readSwitch<CellProps, &CellProps::noWrap>},
    {"w:shd", readShadingElement<CellProps>},
    {"w:tcBorders", readCellBorders},
    {"w:tcMar", readCellMarginsElement},
    {"w:tcW", readWidth<CellProps, &CellProps::width>},
    {"w:textDirection", readTextDirection},
    {"w:vAlign", readCellAlign},
    {"w:vMerge", readMerge<&CellProps::verticalMerge>},
};
static_assert(sortedByName(kCellReaders));

}  // namespace

TableProps readTableProps(const pugi::xml_node& tblPr, Warnings& warnings) {
  TableProps props;
  readChildren<TableProps>(tblPr, kTableReaders, props, warnings);
  return props;
}

RowProps readRowProps(const pugi::xml_node& trPr, Warnings& warnings) {
  RowProps props;
  readChildren<RowProps>(trPr, kRowReaders, props, warnings);
  return props;
}

CellProps readCellProps(const pugi::xml_node& tcPr, Warnings& warnings) {
  CellProps props;
  readChildren<CellProps>(tcPr, kCellReaders, props, warnings);
  return props;
}

}  // namespace vellumine::docx
