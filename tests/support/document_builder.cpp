// The document builder: pools searched linearly (test documents hold a handful of property sets),
// everything else appended.
#include "support/document_builder.h"

#include <algorithm>
#include <utility>

namespace vellumine::test {

namespace {

template <typename Props>
std::uint32_t intern(docx::PropsPool<Props>& pool, const Props& props) {
  const auto found = std::find(pool.items.begin(), pool.items.end(), props);
  if (found != pool.items.end()) return static_cast<std::uint32_t>(found - pool.items.begin());
  pool.items.push_back(props);
  return static_cast<std::uint32_t>(pool.items.size() - 1);
}

template <typename Item>
int append(std::vector<Item>& items, Item item) {
  items.push_back(std::move(item));
  return static_cast<int>(items.size() - 1);
}

}  // namespace

DocumentBuilder::DocumentBuilder() { document_.mainPart = "word/document.xml"; }

std::uint32_t DocumentBuilder::run(const docx::RunProps& props) { return intern(document_.runProps, props); }
std::uint32_t DocumentBuilder::paragraph(const docx::ParagraphProps& props) {
  return intern(document_.paragraphProps, props);
}
std::uint32_t DocumentBuilder::table(const docx::TableProps& props) { return intern(document_.tableProps, props); }
std::uint32_t DocumentBuilder::row(const docx::RowProps& props) { return intern(document_.rowProps, props); }
std::uint32_t DocumentBuilder::cell(const docx::CellProps& props) { return intern(document_.cellProps, props); }

int DocumentBuilder::link(std::string url, std::string anchor, std::string tooltip) {
  return append(document_.links, docx::Link{std::move(url), std::move(anchor), std::move(tooltip)});
}

int DocumentBuilder::change(docx::ChangeKind kind, std::string author, std::string date) {
  return append(document_.changes, docx::Change{kind, std::move(author), std::move(date)});
}

int DocumentBuilder::field(std::string type, std::string argument) {
  return append(document_.fields, docx::Field{std::move(type), std::move(argument)});
}

int DocumentBuilder::drawing(docx::Drawing drawing) { return append(document_.drawings, std::move(drawing)); }

int DocumentBuilder::footnote(std::vector<docx::Block> blocks, docx::NoteKind kind) {
  docx::Note note{std::to_string(document_.footnotes.size() + 1), kind, {docx::StoryKind::footnote, std::move(blocks)}};
  return append(document_.footnotes, std::move(note));
}

int DocumentBuilder::endnote(std::vector<docx::Block> blocks) {
  docx::Note note{std::to_string(document_.endnotes.size() + 1), docx::NoteKind::normal,
                  {docx::StoryKind::endnote, std::move(blocks)}};
  return append(document_.endnotes, std::move(note));
}

int DocumentBuilder::comment(std::string author, std::string initials, std::string date,
                             std::vector<docx::Block> blocks) {
  docx::Comment comment{std::to_string(document_.comments.size()), std::move(author), std::move(initials),
                        std::move(date), {docx::StoryKind::comment, std::move(blocks)}};
  return append(document_.comments, std::move(comment));
}

int DocumentBuilder::header(std::vector<docx::Block> blocks) {
  docx::HeaderFooter part{"word/header" + std::to_string(document_.headers.size() + 1) + ".xml",
                          {docx::StoryKind::header, std::move(blocks)}};
  return append(document_.headers, std::move(part));
}

int DocumentBuilder::footer(std::vector<docx::Block> blocks) {
  docx::HeaderFooter part{"word/footer" + std::to_string(document_.footers.size() + 1) + ".xml",
                          {docx::StoryKind::footer, std::move(blocks)}};
  return append(document_.footers, std::move(part));
}

int DocumentBuilder::textBox(std::vector<docx::Block> blocks) {
  return append(document_.textBoxes, docx::Story{docx::StoryKind::textBox, std::move(blocks)});
}

int DocumentBuilder::listLabel(docx::ListLabel label) { return append(document_.listLabels, std::move(label)); }

docx::Inline text(std::string text, std::uint32_t runProps) {
  return docx::Inline{docx::InlineKind::text, runProps, 0, docx::kSameRunProps, std::move(text)};
}

docx::Inline mark(docx::InlineKind kind, std::int32_t number, std::string text, std::uint32_t runProps) {
  return docx::Inline{kind, runProps, number, docx::kSameRunProps, std::move(text)};
}

docx::Paragraph para(std::vector<docx::Inline> inlines, std::uint32_t props) {
  docx::Paragraph paragraph;
  paragraph.props = props;
  paragraph.inlines = std::move(inlines);
  return paragraph;
}

docx::Block paragraph(std::vector<docx::Inline> inlines, std::uint32_t props) {
  return docx::Block{para(std::move(inlines), props)};
}

docx::Block block(docx::Paragraph paragraph) { return docx::Block{std::move(paragraph)}; }

docx::Block table(std::vector<docx::Row> rows, std::vector<int> grid, std::uint32_t props) {
  docx::Table t;
  t.props = props;
  t.grid = std::move(grid);
  t.rows = std::move(rows);
  return docx::Block{std::move(t)};
}

docx::Row row(std::vector<docx::Cell> cells, std::uint32_t props) {
  docx::Row r;
  r.props = props;
  r.cells = std::move(cells);
  return r;
}

docx::Cell cell(std::vector<docx::Block> blocks, std::uint32_t props) {
  docx::Cell c;
  c.props = props;
  c.blocks = std::move(blocks);
  return c;
}

docx::Cell textCell(std::string content, std::uint32_t props) {
  return cell({paragraph({text(std::move(content))})}, props);
}

docx::Border border(docx::BorderStyle style, int widthEighths, std::uint32_t value, int spacePoints) {
  docx::Border b;
  b.style = style;
  b.widthEighths = widthEighths;
  b.spacePoints = spacePoints;
  b.color = rgb(value);
  return b;
}

docx::Color rgb(std::uint32_t value) {
  docx::Color color;
  color.rgb = value;
  return color;
}

}  // namespace vellumine::test
