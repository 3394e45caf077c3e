// Tables on the page.  The resolver gives the table's, rows' and cells' formats and the grid;
// here they become one <table> (collapsed borders: a shared edge is equal in both cells), a
// <colgroup> of the grid's columns, header rows in a <thead> and one <td> per drawn cell with its
// spans.  Widths in twips become px, fiftieths of a percent become percent.
#include "render/table_writer.h"

#include <algorithm>
#include <span>
#include <vector>

#include "render/block_writer.h"
#include "render/css_units.h"
#include "render/dropped_changes.h"
#include "render/paragraph_writer.h"

namespace vellumine::render {

namespace {

using docx::TableWidth;
using docx::WidthType;

// A width as CSS, or false for "auto" (and nil, and a malformed value).
bool appendWidth(std::string& out, const TableWidth& width) {
  if (width.type == WidthType::dxa && width.value > 0) {
    appendTwipsPx(out, width.value);
    return true;
  }
  if (width.type == WidthType::pct && width.value > 0) {
    appendHundredths(out, hundredthsOf(width.value, 50));
    out += '%';
    return true;
  }
  return false;
}

long long gridWidth(const docx::Table& table) {
  long long sum = 0;
  for (int width : table.grid) sum += std::max(width, 0);
  return sum;
}

// The table's own declarations; nothing for a table of automatic width and no other setting.
void appendTableStyle(std::string& out, const docx::Table& table, const docx::TableFormat& format) {
  std::string style;
  std::string width;
  if (appendWidth(width, format.width)) {
    style.append("width:").append(width).append(";");
  } else if (format.layout == docx::TableLayout::fixed && gridWidth(table) > 0) {
    style += "width:";
    appendTwipsPx(style, gridWidth(table));
    style += ';';
  }
  if (format.layout == docx::TableLayout::fixed) style += "table-layout:fixed;";
  switch (format.justification) {
    case docx::Justification::center: style += "margin-inline:auto;"; break;
    case docx::Justification::end: style += "margin-inline-start:auto;"; break;
    default:
      if (format.indent.type == WidthType::dxa && format.indent.value != 0) {
        style += "margin-inline-start:";
        appendTwipsPx(style, format.indent.value);
        style += ';';
      }
      break;
  }
  if (format.bidiVisual) style += "direction:rtl;";
  if (format.cellSpacing > 0) {
    style += "border-collapse:separate;border-spacing:";
    appendTwipsPx(style, format.cellSpacing);
    style += ';';
  }
  if (format.shading) {
    style += "background-color:";
    appendColor(style, *format.shading);
    style += ';';
  }
  if (style.empty()) return;
  out.append(" style=\"").append(style).append("\"");
}

void appendColumns(std::string& out, const docx::Table& table, int columnCount) {
  if (table.grid.empty() || columnCount <= 0) return;
  out += "<colgroup>";
  for (int column = 0; column < columnCount; ++column) {
    const auto index = static_cast<std::size_t>(column);
    if (index < table.grid.size() && table.grid[index] > 0) {
      out += "<col style=\"width:";
      appendTwipsPx(out, table.grid[index]);
      out += "\">";
    } else {
      out += "<col>";
    }
  }
  out += "</colgroup>";
}

class TableWriter {
 public:
  TableWriter(PageState& state, const docx::Table& table)
      : state_(state), out_(*state.out), table_(table), resolved_(state.resolver.table(table)) {}

  void write() {
    out_ += "<table class=\"vm-tbl\"";
    appendTableStyle(out_, table_, resolved_.format);
    out_ += '>';
    appendColumns(out_, table_, resolved_.grid.columnCount);
    std::size_t row = 0;
    const std::size_t rows = table_.rows.size();
    std::size_t headerRows = 0;
    while (headerRows < rows && headerRows < resolved_.rows.size() && resolved_.rows[headerRows].header) ++headerRows;
    if (headerRows > 0) {
      out_ += "<thead>";
      for (; row < headerRows; ++row) writeRow(row);
      out_ += "</thead>";
    }
    if (row < rows) {
      out_ += "<tbody>";
      for (; row < rows; ++row) writeRow(row);
      out_ += "</tbody>";
    }
    out_ += "</table>\n";
  }

 private:
  void writeRow(std::size_t row) {
    const docx::RowFormat format = row < resolved_.rows.size() ? resolved_.rows[row] : docx::RowFormat{};
    const std::int32_t change = table_.rows[row].change;
    if (format.hidden || changeDropped(state_.document, change, state_.options.changes)) return;
    out_ += "<tr";
    if (format.cantSplit) out_ += " data-cant-split=\"1\"";  // kept whole on one page
    if (state_.changesMarked() && change >= 0 && static_cast<std::size_t>(change) < state_.document.changes.size()) {
      appendChangeAttributes(out_, state_, state_.document.changes[static_cast<std::size_t>(change)]);
    }
    if (format.height > 0 && format.heightRule != docx::HeightRule::auto_) {
      out_ += " style=\"height:";
      appendTwipsPx(out_, format.height);
      out_ += '"';
    }
    out_ += '>';
    const auto& grid = resolved_.grid;
    const int before = row < grid.gridBefore.size() ? grid.gridBefore[row] : 0;
    if (before > 0) {
      out_ += "<td class=\"vm-gap\" colspan=\"";
      appendInteger(out_, before);
      out_ += "\"></td>";
    }
    const std::vector<docx::Cell>& cells = table_.rows[row].cells;
    const WordPageCounter::Row outer = state_.wordPages.enterRow();
    for (std::size_t cell = 0; cell < cells.size(); ++cell) writeCell(row, cell);
    state_.wordPages.leaveRow(outer);
    out_ += "</tr>\n";
  }

  void writeCell(std::size_t row, std::size_t cell) {
    const auto& gridCells = resolved_.grid.cells;
    const docx::GridCell place =
        row < gridCells.size() && cell < gridCells[row].size() ? gridCells[row][cell] : docx::GridCell{};
    const std::int32_t change = table_.rows[row].cells[cell].change;
    if (place.covered || changeDropped(state_.document, change, state_.options.changes)) return;
    const bool known = row < resolved_.cells.size() && cell < resolved_.cells[row].size();
    const docx::CellFormat format = known ? resolved_.cells[row][cell] : docx::CellFormat{};
    const bool hasContext = row < resolved_.contexts.size() && cell < resolved_.contexts[row].size();
    const docx::CellContext context = hasContext ? resolved_.contexts[row][cell] : docx::CellContext{};

    // An inserted or deleted cell keeps its own class and takes the change's beside it.
    const bool marked = state_.changesMarked() && change >= 0 &&
                        static_cast<std::size_t>(change) < state_.document.changes.size();
    out_ += "<td class=\"";
    appendClassName(out_, state_.sheet.cellClass(format));
    if (marked) {
      out_ += ' ';
      appendChangeClasses(out_, state_, state_.document.changes[static_cast<std::size_t>(change)]);
    }
    out_ += '"';
    if (place.columnSpan > 1) {
      out_ += " colspan=\"";
      appendInteger(out_, place.columnSpan);
      out_ += '"';
    }
    if (place.rowSpan > 1) {
      out_ += " rowspan=\"";
      appendInteger(out_, place.rowSpan);
      out_ += '"';
    }
    if (marked) appendChangeTitle(out_, state_.document.changes[static_cast<std::size_t>(change)]);
    out_ += '>';
    const long long savedWidth = state_.lineWidth;
    state_.lineWidth = cellWidth(place, format);
    state_.wordPages.enterCell();
    writeBlocks(state_, table_.rows[row].cells[cell].blocks, context);
    state_.wordPages.leaveCell();
    state_.lineWidth = savedWidth;
    out_ += "</td>";
  }

  // The width a cell's text is laid out in (twips), for positional tabs.
  long long cellWidth(const docx::GridCell& place, const docx::CellFormat& format) const {
    long long width = 0;
    for (int k = 0; k < place.columnSpan; ++k) {
      const auto column = static_cast<std::size_t>(place.column + k);
      if (place.column + k >= 0 && column < table_.grid.size()) width += std::max(table_.grid[column], 0);
    }
    if (width == 0 && format.width.type == WidthType::dxa) width = format.width.value;
    return std::max<long long>(width - format.marginStart - format.marginEnd, 0);
  }

  PageState& state_;
  std::string& out_;
  const docx::Table& table_;
  docx::ResolvedTable resolved_;
};

// Too deep inside other tables: the cells' paragraphs one after another, tables inside them
// walked with a stack of their own, so no depth of nesting costs recursion.
void writeFlattened(PageState& state, const docx::Table& table) {
  state.warnings.add(docx::WarningKind::deepNesting, "tables nested too deeply are shown as paragraphs");
  struct Pending {
    std::span<const docx::Block> blocks;
    std::size_t next = 0;
  };
  std::vector<Pending> stack;
  const auto pushCells = [&stack](const docx::Table& t) {
    for (auto r = t.rows.rbegin(); r != t.rows.rend(); ++r) {
      for (auto c = r->cells.rbegin(); c != r->cells.rend(); ++c) stack.push_back({c->blocks, 0});
    }
  };
  pushCells(table);
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == top.blocks.size()) {
      stack.pop_back();
      continue;
    }
    const docx::Block& block = top.blocks[top.next++];
    if (const auto* inner = std::get_if<docx::Table>(&block.node)) {
      pushCells(*inner);
    } else {
      writeBlocks(state, std::span<const docx::Block>(&block, 1), {});
    }
  }
}

}  // namespace

void writeTable(PageState& state, const docx::Table& table) {
  if (table.rows.empty()) return;
  if (state.depth >= kMaxWriteDepth) {
    writeFlattened(state, table);
    return;
  }
  ++state.depth;
  TableWriter(state, table).write();
  --state.depth;
}

}  // namespace vellumine::render
