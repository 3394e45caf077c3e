// The model builder: appends to a Document's styles, numbering, pools and body as the tests ask.
#include "support/model_builder.h"

namespace vellumine::test {

using namespace docx;

Style& ModelBuilder::addStyle(StyleType type, const std::string& id, const std::string& basedOn) {
  Styles& styles = document_.styles;
  Style style;
  style.type = type;
  style.styleId = id;
  style.name = id;
  if (!basedOn.empty()) style.basedOn = basedOn;
  styles.byId.emplace(id, static_cast<int>(styles.styles.size()));
  styles.styles.push_back(std::move(style));
  return styles.styles.back();
}

Style& ModelBuilder::styleNamed(const std::string& id) {
  return document_.styles.styles.at(static_cast<std::size_t>(document_.styles.byId.at(id)));
}

ListLevel& ModelBuilder::addLevel(int abstractId, int level, NumberFormat format, const std::string& text, int start) {
  Numbering& numbering = document_.numbering;
  auto it = numbering.abstractById.find(abstractId);
  if (it == numbering.abstractById.end()) {
    AbstractNumbering abstract;
    abstract.id = abstractId;
    it = numbering.abstractById.emplace(abstractId, static_cast<int>(numbering.abstracts.size())).first;
    numbering.abstracts.push_back(std::move(abstract));
  }
  ListLevel& definition = numbering.abstracts[static_cast<std::size_t>(it->second)].levels[static_cast<std::size_t>(level)];
  definition.present = true;
  definition.format = format;
  definition.text = text;
  definition.start = start;
  return definition;
}

NumberingInstance& ModelBuilder::addList(int numId, int abstractId) {
  Numbering& numbering = document_.numbering;
  NumberingInstance instance;
  instance.id = numId;
  instance.abstractId = abstractId;
  numbering.instanceById[numId] = static_cast<int>(numbering.instances.size());
  numbering.instances.push_back(instance);
  return numbering.instances.back();
}

namespace {

template <typename Props>
std::uint32_t add(PropsPool<Props>& pool, const Props& props) {
  pool.items.push_back(props);
  return static_cast<std::uint32_t>(pool.items.size() - 1);
}

}  // namespace

std::uint32_t ModelBuilder::runProps(const RunProps& props) { return add(document_.runProps, props); }
std::uint32_t ModelBuilder::paragraphProps(const ParagraphProps& props) { return add(document_.paragraphProps, props); }
std::uint32_t ModelBuilder::tableProps(const TableProps& props) { return add(document_.tableProps, props); }
std::uint32_t ModelBuilder::rowProps(const RowProps& props) { return add(document_.rowProps, props); }
std::uint32_t ModelBuilder::cellProps(const CellProps& props) { return add(document_.cellProps, props); }

Paragraph ModelBuilder::paragraph(const ParagraphProps& props, const std::vector<RunSpec>& runs) {
  Paragraph paragraph;
  paragraph.props = paragraphProps(props);
  for (const RunSpec& run : runs) {
    Inline text;
    text.kind = InlineKind::text;
    text.runProps = runProps(run.props);
    text.text = run.text;
    paragraph.inlines.push_back(std::move(text));
  }
  return paragraph;
}

Paragraph& ModelBuilder::addParagraph(const ParagraphProps& props, const std::vector<RunSpec>& runs) {
  document_.body.blocks.push_back(Block{paragraph(props, runs)});
  return std::get<Paragraph>(document_.body.blocks.back().node);
}

Table ModelBuilder::table(const TableProps& props, const std::vector<std::vector<CellProps>>& cells,
                          const std::vector<RowProps>& rows) {
  Table table;
  table.props = tableProps(props);
  for (std::size_t r = 0; r < cells.size(); ++r) {
    Row row;
    if (r < rows.size()) row.props = rowProps(rows[r]);
    for (std::size_t c = 0; c < cells[r].size(); ++c) {
      Cell cell;
      cell.props = cellProps(cells[r][c]);
      const std::string text = "r" + std::to_string(r) + "c" + std::to_string(c);
      cell.blocks.push_back(Block{paragraph({}, {{text, {}}})});
      row.cells.push_back(std::move(cell));
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

Table& ModelBuilder::addTable(const TableProps& props, const std::vector<std::vector<CellProps>>& cells,
                              const std::vector<RowProps>& rows) {
  document_.body.blocks.push_back(Block{table(props, cells, rows)});
  return std::get<Table>(document_.body.blocks.back().node);
}

Border border(BorderStyle style, int widthEighths, std::uint32_t rgb) {
  Border result;
  result.style = style;
  result.widthEighths = widthEighths;
  result.color = rgbColor(rgb);
  return result;
}

Color rgbColor(std::uint32_t rgb) {
  Color color;
  color.isAuto = false;
  color.rgb = rgb;
  return color;
}

Shading fillShading(std::uint32_t rgb) {
  Shading shading;
  shading.pattern = ShadingPattern::clear;
  shading.fill = rgbColor(rgb);
  return shading;
}

}  // namespace vellumine::test
