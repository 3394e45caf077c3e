// A STAND-IN for the format resolver and the table grid, linked by the page writer's tests and
// benchmark only while src/docx has no format_resolver.cpp / table_grid.cpp of its own (CMake
// decides; see tests/support/CMakeLists.txt).  It lays document defaults, the paragraph style's
// basedOn chain, the character style's chain and direct formatting over each other, later
// winning, with no toggle rule, no table style regions and no tints; enough for the writer's
// tests, which set formatting directly.  Delete this file once both units are on main.
#include "docx/format_resolver.h"
#include "docx/table_grid.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <tuple>

#include "text/chartype.h"

namespace vellumine::docx {

#if defined(VELLUMINE_STANDIN_TABLE_GRID)

TableGrid layoutTableGrid(const Table& table, const Document& document) {
  TableGrid grid;
  grid.columnCount = static_cast<int>(table.grid.size());
  // Per grid column: the row and cell of the merge that the column's next continuing cell joins.
  std::map<int, std::pair<std::size_t, std::size_t>> openMerges;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const Row& row = table.rows[r];
    const RowProps& rowProps = document.rowProps[row.props];
    int column = std::max(rowProps.gridBefore.value_or(0), 0);
    grid.gridBefore.push_back(column);
    grid.cells.emplace_back();
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      const CellProps& props = document.cellProps[row.cells[c].props];
      GridCell place;
      place.column = column;
      place.columnSpan = std::max(props.gridSpan.value_or(1), 1);
      const VerticalMerge merge = props.verticalMerge.value_or(VerticalMerge::none);
      auto open = openMerges.find(column);
      if (merge == VerticalMerge::continue_ && open != openMerges.end()) {
        place.covered = true;
        ++grid.cells[open->second.first][open->second.second].rowSpan;
      } else if (merge != VerticalMerge::none) {
        openMerges[column] = {r, c};
      } else if (open != openMerges.end()) {
        openMerges.erase(open);
      }
      grid.cells.back().push_back(place);
      column += place.columnSpan;
    }
    grid.columnCount = std::max(grid.columnCount, column);
  }
  return grid;
}

#endif

#if defined(VELLUMINE_STANDIN_RESOLVER)

namespace {

constexpr int kMaxChain = 16;

GenericFamily genericOf(const Document& document, const std::string& face) {
  if (auto it = document.fonts.byName.find(face); it != document.fonts.byName.end()) {
    switch (it->second.family) {
      case FontFamily::swiss: return GenericFamily::sansSerif;
      case FontFamily::modern: return GenericFamily::monospace;
      case FontFamily::script: return GenericFamily::cursive;
      case FontFamily::decorative: return GenericFamily::fantasy;
      default: break;
    }
  }
  for (std::string_view sans : {"Calibri", "Arial", "Aptos", "Verdana", "Segoe UI", "Tahoma", "Helvetica"}) {
    if (EqualsCaseless(face, sans)) return GenericFamily::sansSerif;
  }
  for (std::string_view mono : {"Courier New", "Consolas"}) {
    if (EqualsCaseless(face, mono)) return GenericFamily::monospace;
  }
  return GenericFamily::serif;
}

class Layers {
 public:
  Layers(const Document& document, const FormatResolver& resolver) : document_(document), resolver_(resolver) {}

  void font(ResolvedFont& into, const FontSlot& slot) const {
    std::string name;
    if (slot.theme != ThemeFont::none) {
      const bool major = slot.theme <= ThemeFont::majorBidi;
      name = major ? document_.theme.major.latin : document_.theme.minor.latin;
    } else if (slot.name) {
      name = *slot.name;
    } else {
      return;
    }
    into.name = name;
    into.generic = genericOf(document_, name);
  }

  std::optional<ResolvedBorder> border(const std::optional<Border>& border) const {
    if (!border) return std::nullopt;
    return ResolvedBorder{border->style, border->widthEighths, border->spacePoints, resolver_.color(border->color)};
  }

  void run(RunFormat& f, const RunProps& p) const {
    font(f.ascii, p.fonts.ascii);
    font(f.hAnsi, p.fonts.hAnsi);
    font(f.eastAsia, p.fonts.eastAsia);
    font(f.complexScript, p.fonts.cs);
    auto set = [](bool& into, const std::optional<bool>& value) {
      if (value) into = *value;
    };
    set(f.bold, p.bold);
    set(f.boldCs, p.boldCs);
    set(f.italic, p.italic);
    set(f.italicCs, p.italicCs);
    set(f.caps, p.caps);
    set(f.smallCaps, p.smallCaps);
    set(f.strike, p.strike);
    set(f.doubleStrike, p.doubleStrike);
    set(f.outline, p.outline);
    set(f.shadow, p.shadow);
    set(f.emboss, p.emboss);
    set(f.imprint, p.imprint);
    set(f.hidden, p.vanish);
    set(f.rtl, p.rtl);
    set(f.complexScriptText, p.complexScript);
    if (p.underline) f.underline = *p.underline;
    if (p.underlineColor) f.underlineColor = resolver_.color(*p.underlineColor);
    if (p.color) f.color = resolver_.color(*p.color);
    if (p.highlight) f.highlight = p.highlight;
    if (p.highlightNone) f.highlight.reset();
    if (p.shading) f.shading = resolver_.color(p.shading->fill);
    if (p.border) f.border = border(p.border);
    if (p.size) f.size = *p.size;
    if (p.sizeCs) f.sizeCs = *p.sizeCs;
    if (p.spacing) f.spacing = *p.spacing;
    if (p.position) f.position = *p.position;
    if (p.scale) f.scale = *p.scale;
    if (p.vertAlign) f.vertAlign = *p.vertAlign;
    if (p.lang) f.lang = *p.lang;
  }

  void paragraph(ParagraphFormat& f, const ParagraphProps& p) const {
    if (p.justification) f.justification = *p.justification;
    if (p.bidi) f.bidi = *p.bidi;
    if (p.indentation.start) f.indentStart = *p.indentation.start;
    if (p.indentation.end) f.indentEnd = *p.indentation.end;
    if (p.indentation.firstLine) f.firstLine = *p.indentation.firstLine;
    if (p.spacing.before) f.spaceBefore = *p.spacing.before;
    if (p.spacing.after) f.spaceAfter = *p.spacing.after;
    if (p.spacing.line) f.line = *p.spacing.line;
    if (p.spacing.lineRule) f.lineRule = *p.spacing.lineRule;
    if (p.contextualSpacing) f.contextualSpacing = *p.contextualSpacing;
    if (p.keepNext) f.keepNext = *p.keepNext;
    if (p.keepLines) f.keepLines = *p.keepLines;
    if (p.pageBreakBefore) f.pageBreakBefore = *p.pageBreakBefore;
    if (p.widowControl) f.widowControl = *p.widowControl;
    if (p.borders.top) f.borders.top = border(p.borders.top);
    if (p.borders.bottom) f.borders.bottom = border(p.borders.bottom);
    if (p.borders.start) f.borders.start = border(p.borders.start);
    if (p.borders.end) f.borders.end = border(p.borders.end);
    if (p.borders.between) f.borders.between = border(p.borders.between);
    if (p.shading) f.shading = resolver_.color(p.shading->fill);
    for (const TabStop& stop : p.tabs) {
      std::erase_if(f.tabs, [&](const TabStop& t) { return t.position == stop.position; });
      if (stop.alignment != TabAlignment::clear) f.tabs.push_back(stop);
    }
    std::sort(f.tabs.begin(), f.tabs.end(), [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    if (p.outlineLevel) f.outlineLevel = *p.outlineLevel;
    if (p.frame) {
      f.dropCap = p.frame->dropCap;
      f.dropCapLines = p.frame->lines;
    }
    if (p.numbering.numId) f.numId = *p.numbering.numId;
    if (p.numbering.level) f.numLevel = *p.numbering.level;
  }

  // The style and its basedOn chain, the base first.
  std::vector<const Style*> chain(const std::string& styleId) const {
    std::vector<const Style*> styles;
    const Style* style = document_.styles.find(styleId);
    while (style != nullptr && static_cast<int>(styles.size()) < kMaxChain &&
           std::find(styles.begin(), styles.end(), style) == styles.end()) {
      styles.push_back(style);
      style = style->basedOn ? document_.styles.find(*style->basedOn) : nullptr;
    }
    std::reverse(styles.begin(), styles.end());
    return styles;
  }

  std::string paragraphStyleId(const ParagraphProps& direct) const {
    if (direct.styleId) return *direct.styleId;
    for (const Style& style : document_.styles.styles) {
      if (style.type == StyleType::paragraph && style.isDefault) return style.styleId;
    }
    return {};
  }

 private:
  const Document& document_;
  const FormatResolver& resolver_;
};

}  // namespace

struct FormatResolver::Impl {
  explicit Impl(const Document& d) : document(d) {}
  const Document& document;
  std::deque<ParagraphFormat> paragraphs;
  std::deque<RunFormat> runs;
  std::map<std::tuple<std::uint32_t, const Style*, std::uint32_t>, const ParagraphFormat*> paragraphCache;
  std::map<std::tuple<std::uint32_t, std::uint32_t, const Style*, std::uint32_t, bool>, const RunFormat*> runCache;
};

FormatResolver::FormatResolver(const Document& document) : impl_(std::make_unique<Impl>(document)) {}
FormatResolver::~FormatResolver() = default;

std::optional<Rgb> FormatResolver::color(const Color& color) const {
  if (color.theme != ThemeColor::none) {
    static constexpr std::array<ThemeColor, 4> kMapped{ThemeColor::dark1, ThemeColor::light1, ThemeColor::dark2,
                                                       ThemeColor::light2};
    ThemeColor slot = color.theme;
    if (slot >= ThemeColor::text1) slot = kMapped[static_cast<std::size_t>(slot) - static_cast<std::size_t>(ThemeColor::text1)];
    const auto index = static_cast<std::size_t>(slot) - 1;
    if (index < impl_->document.theme.colors.size() && impl_->document.theme.colors[index]) {
      return impl_->document.theme.colors[index];
    }
  }
  if (color.isAuto) return std::nullopt;
  return color.rgb;
}

const ParagraphFormat& FormatResolver::paragraph(const Paragraph& paragraph, const CellContext& cell) {
  const auto key = std::make_tuple(paragraph.props, cell.tableStyle, cell.tableProps);
  if (auto it = impl_->paragraphCache.find(key); it != impl_->paragraphCache.end()) return *it->second;
  const Document& document = impl_->document;
  const Layers layers(document, *this);
  const ParagraphProps& direct = document.paragraphProps[paragraph.props];
  ParagraphFormat f;
  layers.paragraph(f, document.styles.defaultParagraph);
  layers.run(f.mark, document.styles.defaultRun);
  f.styleId = layers.paragraphStyleId(direct);
  for (const Style* style : layers.chain(f.styleId)) {
    layers.paragraph(f, style->paragraph);
    layers.run(f.mark, style->run);
  }
  layers.paragraph(f, direct);
  layers.run(f.mark, direct.markRunProps);
  const ParagraphFormat& stored = impl_->paragraphs.emplace_back(std::move(f));
  impl_->paragraphCache.emplace(key, &stored);
  return stored;
}

namespace {

RunFormat runBase(const Document& document, const Layers& layers, const ParagraphProps& direct) {
  RunFormat f;
  layers.run(f, document.styles.defaultRun);
  for (const Style* style : layers.chain(layers.paragraphStyleId(direct))) layers.run(f, style->run);
  return f;
}

}  // namespace

const RunFormat& FormatResolver::run(const Paragraph& paragraph, std::uint32_t runProps, const CellContext& cell) {
  const auto key = std::make_tuple(paragraph.props, runProps, cell.tableStyle, cell.tableProps, false);
  if (auto it = impl_->runCache.find(key); it != impl_->runCache.end()) return *it->second;
  const Document& document = impl_->document;
  const Layers layers(document, *this);
  RunFormat f = runBase(document, layers, document.paragraphProps[paragraph.props]);
  const RunProps& direct = document.runProps[runProps];
  if (direct.styleId) {
    for (const Style* style : layers.chain(*direct.styleId)) layers.run(f, style->run);
  }
  layers.run(f, direct);
  const RunFormat& stored = impl_->runs.emplace_back(std::move(f));
  impl_->runCache.emplace(key, &stored);
  return stored;
}

const RunFormat& FormatResolver::label(const Paragraph& paragraph, const ListLabel& label, const CellContext& cell) {
  const auto key = std::make_tuple(paragraph.props, label.runProps, cell.tableStyle, cell.tableProps, true);
  if (auto it = impl_->runCache.find(key); it != impl_->runCache.end()) return *it->second;
  RunFormat f = this->paragraph(paragraph, cell).mark;
  Layers(impl_->document, *this).run(f, impl_->document.runProps[label.runProps]);
  const RunFormat& stored = impl_->runs.emplace_back(std::move(f));
  impl_->runCache.emplace(key, &stored);
  return stored;
}

ResolvedTable FormatResolver::table(const Table& table) {
  const Document& document = impl_->document;
  const Layers layers(document, *this);
  const TableProps& direct = document.tableProps[table.props];
  const Style* style = direct.styleId ? document.styles.find(*direct.styleId) : nullptr;
  TableProps merged = style != nullptr ? style->table : TableProps{};
  auto over = [](auto& into, const auto& value) {
    if (value) into = value;
  };
  over(merged.width, direct.width);
  over(merged.justification, direct.justification);
  over(merged.indent, direct.indent);
  over(merged.layout, direct.layout);
  over(merged.shading, direct.shading);
  over(merged.cellSpacing, direct.cellSpacing);
  over(merged.bidiVisual, direct.bidiVisual);
  for (auto side : {&TableBorders::top, &TableBorders::start, &TableBorders::bottom, &TableBorders::end,
                    &TableBorders::insideH, &TableBorders::insideV}) {
    over(merged.borders.*side, direct.borders.*side);
  }
  for (auto side : {&CellMargins::top, &CellMargins::start, &CellMargins::bottom, &CellMargins::end}) {
    over(merged.cellMargins.*side, direct.cellMargins.*side);
  }

  ResolvedTable resolved;
  TableFormat& f = resolved.format;
  f.styleId = direct.styleId.value_or("");
  f.width = merged.width.value_or(TableWidth{});
  f.justification = merged.justification.value_or(Justification::start);
  f.indent = merged.indent.value_or(TableWidth{});
  f.layout = merged.layout.value_or(TableLayout::autofit);
  f.cellSpacing = merged.cellSpacing ? merged.cellSpacing->value : 0;
  if (merged.shading) f.shading = color(merged.shading->fill);
  f.bidiVisual = merged.bidiVisual.value_or(false);
  auto edge = [&](const std::optional<Border>& border) { return layers.border(border).value_or(ResolvedBorder{}); };
  f.top = edge(merged.borders.top);
  f.start = edge(merged.borders.start);
  f.bottom = edge(merged.borders.bottom);
  f.end = edge(merged.borders.end);
  f.insideH = edge(merged.borders.insideH);
  f.insideV = edge(merged.borders.insideV);
  if (merged.cellMargins.top) f.cellMarginTop = merged.cellMargins.top->value;
  if (merged.cellMargins.start) f.cellMarginStart = merged.cellMargins.start->value;
  if (merged.cellMargins.bottom) f.cellMarginBottom = merged.cellMargins.bottom->value;
  if (merged.cellMargins.end) f.cellMarginEnd = merged.cellMargins.end->value;

  resolved.grid = layoutTableGrid(table, document);
  const std::size_t lastRow = table.rows.empty() ? 0 : table.rows.size() - 1;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const RowProps& rowProps = document.rowProps[table.rows[r].props];
    RowFormat row;
    row.height = rowProps.height.value_or(0);
    row.heightRule = rowProps.heightRule.value_or(rowProps.height ? HeightRule::atLeast : HeightRule::auto_);
    row.header = rowProps.header.value_or(false);
    row.cantSplit = rowProps.cantSplit.value_or(false);
    row.hidden = rowProps.hidden.value_or(false);
    resolved.rows.push_back(row);
    resolved.cells.emplace_back();
    resolved.contexts.emplace_back();
    for (std::size_t c = 0; c < table.rows[r].cells.size(); ++c) {
      const CellProps& props = document.cellProps[table.rows[r].cells[c].props];
      const GridCell& place = resolved.grid.cells[r][c];
      CellFormat cell;
      cell.width = props.width.value_or(TableWidth{});
      if (props.shading) cell.shading = color(props.shading->fill);
      cell.marginTop = props.margins.top ? props.margins.top->value : f.cellMarginTop;
      cell.marginStart = props.margins.start ? props.margins.start->value : f.cellMarginStart;
      cell.marginBottom = props.margins.bottom ? props.margins.bottom->value : f.cellMarginBottom;
      cell.marginEnd = props.margins.end ? props.margins.end->value : f.cellMarginEnd;
      cell.verticalAlign = props.verticalAlign.value_or(CellAlign::top);
      cell.textDirection = props.textDirection.value_or("");
      const bool lastColumn = place.column + place.columnSpan >= resolved.grid.columnCount;
      const bool bottomRow = r + static_cast<std::size_t>(place.rowSpan) - 1 >= lastRow;
      cell.top = props.borders.top ? edge(props.borders.top) : r == 0 ? f.top : f.insideH;
      cell.bottom = props.borders.bottom ? edge(props.borders.bottom) : bottomRow ? f.bottom : f.insideH;
      cell.start = props.borders.start ? edge(props.borders.start) : place.column == 0 ? f.start : f.insideV;
      cell.end = props.borders.end ? edge(props.borders.end) : lastColumn ? f.end : f.insideV;
      resolved.cells.back().push_back(cell);
      resolved.contexts.back().push_back(CellContext{style, 0, table.props});
    }
  }
  return resolved;
}

#endif

}  // namespace vellumine::docx
