// Table resolution in four steps: the table's own properties (style, whole-table region, direct),
// the grid, each row and cell with the style regions its place selects, then each cell edge's
// border chosen along Word's order (cell, style regions, style cell, row exception, table) and the
// shared edges settled between neighbours.
#include "docx/table_format.h"

#include <algorithm>
#include <array>

#include "docx/format_values.h"
#include "docx/property_layers.h"
#include "docx/table_borders.h"
#include "docx/table_regions.h"
#include "docx/theme_values.h"

namespace vellumine::docx {
namespace {

// Word's default cell margins: none above and below, 0.075 inch at the sides.
constexpr int kDefaultSideMargin = 108;

template <typename Props>
const Props& propsAt(const PropsPool<Props>& pool, std::uint32_t index) {
  return index < pool.items.size() ? pool.items[index] : pool.items[0];
}

int twipsOf(const std::optional<TableWidth>& width, int fallback) {
  if (!width) return fallback;
  if (width->type == WidthType::dxa) return std::max(width->value, 0);
  if (width->type == WidthType::nil) return 0;
  return fallback;
}

// How a region reaches the edges of a cell in it: rows span the table's width, columns its height.
enum class RegionShape { table, row, column, cell };

RegionShape shapeOf(TableRegion region) {
  switch (region) {
    case TableRegion::wholeTable: return RegionShape::table;
    case TableRegion::band1Horz:
    case TableRegion::band2Horz:
    case TableRegion::firstRow:
    case TableRegion::lastRow: return RegionShape::row;
    case TableRegion::band1Vert:
    case TableRegion::band2Vert:
    case TableRegion::firstColumn:
    case TableRegion::lastColumn: return RegionShape::column;
    default: return RegionShape::cell;
  }
}

// Which edges of a cell are edges of the table.
struct TableEdges {
  bool top = false, start = false, bottom = false, end = false;
  bool at(Edge edge) const {
    switch (edge) {
      case Edge::top: return top;
      case Edge::start: return start;
      case Edge::bottom: return bottom;
      case Edge::end: return end;
    }
    return false;
  }
};

bool isOuter(RegionShape shape, Edge edge, const TableEdges& table) {
  const bool horizontal = edge == Edge::top || edge == Edge::bottom;
  switch (shape) {
    case RegionShape::table: return table.at(edge);
    case RegionShape::row: return horizontal || table.at(edge);
    case RegionShape::column: return !horizontal || table.at(edge);
    case RegionShape::cell: return true;
  }
  return true;
}

// The border a block of cell borders gives an edge: its own side when the edge is the outer edge
// of the block's region, else the inside border of that direction.
const std::optional<Border>& cellSide(const CellBorders& borders, Edge edge, bool outer) {
  switch (edge) {
    case Edge::top: return outer ? borders.top : borders.insideH;
    case Edge::bottom: return outer ? borders.bottom : borders.insideH;
    case Edge::start: return outer ? borders.start : borders.insideV;
    case Edge::end: return outer ? borders.end : borders.insideV;
  }
  return borders.top;
}

const std::optional<Border>& tableSide(const TableBorders& borders, Edge edge, bool outer) {
  switch (edge) {
    case Edge::top: return outer ? borders.top : borders.insideH;
    case Edge::bottom: return outer ? borders.bottom : borders.insideH;
    case Edge::start: return outer ? borders.start : borders.insideV;
    case Edge::end: return outer ? borders.end : borders.insideV;
  }
  return borders.top;
}

const std::optional<Border>& ownSide(const CellBorders& borders, Edge edge) {
  return cellSide(borders, edge, true);
}

constexpr std::array<Edge, 4> kEdges = {Edge::top, Edge::start, Edge::bottom, Edge::end};

class TableResolver {
 public:
  TableResolver(const Table& table, const Document& document, const Style* tableStyle, const FlatStyle& style)
      : table_(table), document_(document), tableStyle_(tableStyle), style_(style) {}

  ResolvedTable resolve() {
    ResolvedTable resolved;
    mergeTableProps();
    resolved.format = tableFormat();
    resolved.grid = layoutTableGrid(table_, document_);
    headerRows_ = countHeaderRows();
    const std::size_t rows = table_.rows.size();
    resolved.rows.resize(rows);
    resolved.cells.resize(rows);
    resolved.contexts.resize(rows);
    std::vector<std::vector<CellEdges>> edges(rows);
    for (std::size_t r = 0; r < rows; ++r) {
      resolved.rows[r] = rowFormat(table_.rows[r], resolved.format);
      resolveRow(r, resolved, edges[r]);
    }
    const bool spaced = twipsOf(merged_.cellSpacing, 0) > 0;
    settleSharedEdges(resolved.grid, edges, spaced);
    for (std::size_t r = 0; r < rows; ++r) {
      for (std::size_t c = 0; c < edges[r].size(); ++c) {
        CellFormat& cell = resolved.cells[r][c];
        cell.top = edges[r][c][0].border;
        cell.start = edges[r][c][1].border;
        cell.bottom = edges[r][c][2].border;
        cell.end = edges[r][c][3].border;
      }
    }
    return resolved;
  }

 private:
  void mergeTableProps() {
    merged_ = style_.table;
    const TableStyleRegion& whole = style_.regions[static_cast<std::size_t>(TableRegion::wholeTable)];
    if (whole.present) overlayTable(merged_, whole.table);
    overlayTable(merged_, propsAt(document_.tableProps, table_.props));
  }

  TableFormat tableFormat() const {
    TableFormat format;
    if (tableStyle_ != nullptr) format.styleId = tableStyle_->styleId;
    format.width = merged_.width.value_or(TableWidth{});
    format.justification = merged_.justification.value_or(Justification::start);
    format.indent = merged_.indent.value_or(TableWidth{});
    format.layout = merged_.layout.value_or(TableLayout::autofit);
    format.cellMarginTop = twipsOf(merged_.cellMargins.top, 0);
    format.cellMarginStart = twipsOf(merged_.cellMargins.start, kDefaultSideMargin);
    format.cellMarginBottom = twipsOf(merged_.cellMargins.bottom, 0);
    format.cellMarginEnd = twipsOf(merged_.cellMargins.end, kDefaultSideMargin);
    format.cellSpacing = twipsOf(merged_.cellSpacing, 0);
    if (merged_.shading) format.shading = resolveShading(*merged_.shading, document_.theme, document_.settings);
    format.look = merged_.look.value_or(kDefaultTableLook);
    format.rowBandSize = std::max(merged_.rowBandSize.value_or(1), 1);
    format.columnBandSize = std::max(merged_.columnBandSize.value_or(1), 1);
    format.bidiVisual = merged_.bidiVisual.value_or(false);
    format.top = resolvedBorder(merged_.borders.top, document_);
    format.start = resolvedBorder(merged_.borders.start, document_);
    format.bottom = resolvedBorder(merged_.borders.bottom, document_);
    format.end = resolvedBorder(merged_.borders.end, document_);
    format.insideH = resolvedBorder(merged_.borders.insideH, document_);
    format.insideV = resolvedBorder(merged_.borders.insideV, document_);
    return format;
  }

  int countHeaderRows() const {
    int count = 0;
    for (const Row& row : table_.rows) {
      if (!propsAt(document_.rowProps, row.props).header.value_or(false)) break;
      ++count;
    }
    return count;
  }

  RowFormat rowFormat(const Row& row, const TableFormat& table) const {
    RowProps merged = style_.row;
    overlayRow(merged, propsAt(document_.rowProps, row.props));
    RowFormat format;
    format.height = std::max(merged.height.value_or(0), 0);
    format.heightRule = merged.heightRule.value_or(HeightRule::auto_);
    format.header = merged.header.value_or(false);
    format.cantSplit = merged.cantSplit.value_or(false);
    format.hidden = merged.hidden.value_or(false);
    format.justification = merged.justification.value_or(table.justification);
    return format;
  }

  void resolveRow(std::size_t r, ResolvedTable& resolved, std::vector<CellEdges>& rowEdges) {
    const Row& row = table_.rows[r];
    const TableProps& exception = propsAt(document_.tableProps, row.tablePropsException);
    const TableLook look = exception.look.value_or(resolved.format.look);
    const std::size_t cells = row.cells.size();
    resolved.cells[r].resize(cells);
    resolved.contexts[r].resize(cells);
    rowEdges.resize(cells);
    for (std::size_t c = 0; c < cells; ++c) {
      CellPlace place;
      place.row = static_cast<int>(r);
      place.rowCount = static_cast<int>(table_.rows.size());
      place.cell = static_cast<int>(c);
      place.cellCount = static_cast<int>(cells);
      place.headerRows = headerRows_;
      const RegionMask mask = cellRegions(look, resolved.format.rowBandSize, resolved.format.columnBandSize, place);
      const GridCell& gridCell = resolved.grid.cells[r][c];
      TableEdges outer;
      outer.top = r == 0;
      outer.bottom = r + static_cast<std::size_t>(std::max(gridCell.rowSpan, 1)) >= table_.rows.size();
      outer.start = c == 0;
      outer.end = c + 1 == cells;
      const CellProps& direct = propsAt(document_.cellProps, row.cells[c].props);
      resolved.cells[r][c] = cellFormat(direct, mask, resolved.format);
      resolved.contexts[r][c] = CellContext{tableStyle_, mask, table_.props};
      for (std::size_t e = 0; e < kEdges.size(); ++e) {
        rowEdges[c][e] = edgeBorder(direct, exception, mask, kEdges[e], outer);
      }
    }
  }

  CellFormat cellFormat(const CellProps& direct, RegionMask mask, const TableFormat& table) const {
    CellProps merged = style_.cell;
    for (int r = 0; r < kTableRegionCount; ++r) {
      const TableStyleRegion& region = style_.regions[static_cast<std::size_t>(r)];
      if (region.present && (mask & regionBit(static_cast<TableRegion>(r))) != 0) overlayCell(merged, region.cell);
    }
    overlayCell(merged, direct);
    CellFormat format;
    format.regions = mask;
    format.width = merged.width.value_or(TableWidth{});
    if (merged.shading) format.shading = resolveShading(*merged.shading, document_.theme, document_.settings);
    format.marginTop = twipsOf(merged.margins.top, table.cellMarginTop);
    format.marginStart = twipsOf(merged.margins.start, table.cellMarginStart);
    format.marginBottom = twipsOf(merged.margins.bottom, table.cellMarginBottom);
    format.marginEnd = twipsOf(merged.margins.end, table.cellMarginEnd);
    format.verticalAlign = merged.verticalAlign.value_or(CellAlign::top);
    format.noWrap = merged.noWrap.value_or(false);
    format.textDirection = merged.textDirection.value_or(std::string());
    return format;
  }

  // Word's order for one edge: the cell's own border, the style's regions (the last that applies
  // first), the style's cell borders, the row's exception, the table's borders.  The first that
  // sets the edge decides, "none" included.
  EdgeBorder edgeBorder(const CellProps& direct, const TableProps& exception, RegionMask mask, Edge edge,
                        const TableEdges& outer) const {
    if (const auto& own = ownSide(direct.borders, edge)) return {resolvedBorder(own, document_), true};
    for (int r = kTableRegionCount - 1; r >= 0; --r) {
      const auto region = static_cast<TableRegion>(r);
      const TableStyleRegion& block = style_.regions[static_cast<std::size_t>(r)];
      if (!block.present || (mask & regionBit(region)) == 0) continue;
      const auto& side = cellSide(block.cell.borders, edge, isOuter(shapeOf(region), edge, outer));
      if (side) return {resolvedBorder(side, document_), true};
    }
    if (const auto& side = cellSide(style_.cell.borders, edge, outer.at(edge))) {
      return {resolvedBorder(side, document_), true};
    }
    if (const auto& side = tableSide(exception.borders, edge, outer.at(edge))) {
      return {resolvedBorder(side, document_), false};
    }
    return {resolvedBorder(tableSide(merged_.borders, edge, outer.at(edge)), document_), false};
  }

  const Table& table_;
  const Document& document_;
  const Style* tableStyle_;
  const FlatStyle& style_;
  TableProps merged_;
  int headerRows_ = 0;
};

}  // namespace

ResolvedTable resolveTableFormat(const Table& table, const Document& document, const Style* tableStyle,
                                 const FlatStyle& style) {
  return TableResolver(table, document, tableStyle, style).resolve();
}

}  // namespace vellumine::docx
