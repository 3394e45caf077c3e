// Documents built in code for the page writer's tests and benchmarks: property sets interned
// into the document's pools, inlines and blocks made by small functions, and everything an
// inline refers to (links, changes, drawings, notes, comments, headers, list labels) added through
// the builder, which returns its index.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "docx/model.h"

namespace vellumine::test {

class DocumentBuilder {
 public:
  DocumentBuilder();

  docx::Document& document() { return document_; }

  // An index in the pool for these properties (an equal set already there is reused).
  std::uint32_t run(const docx::RunProps& props);
  std::uint32_t paragraph(const docx::ParagraphProps& props);
  std::uint32_t table(const docx::TableProps& props);
  std::uint32_t row(const docx::RowProps& props);
  std::uint32_t cell(const docx::CellProps& props);
  // The same for a set made by edit from the empty one: b.run([](docx::RunProps& p) { p.bold = true; }).
  std::uint32_t run(const std::function<void(docx::RunProps&)>& edit) { return run(made(edit)); }
  std::uint32_t paragraph(const std::function<void(docx::ParagraphProps&)>& edit) { return paragraph(made(edit)); }
  std::uint32_t table(const std::function<void(docx::TableProps&)>& edit) { return table(made(edit)); }
  std::uint32_t row(const std::function<void(docx::RowProps&)>& edit) { return row(made(edit)); }
  std::uint32_t cell(const std::function<void(docx::CellProps&)>& edit) { return cell(made(edit)); }

  int link(std::string url, std::string anchor = {}, std::string tooltip = {});
  int change(docx::ChangeKind kind, std::string author, std::string date = {});
  int field(std::string type, std::string argument = {});
  int drawing(docx::Drawing drawing);
  int footnote(std::vector<docx::Block> blocks, docx::NoteKind kind = docx::NoteKind::normal);
  int endnote(std::vector<docx::Block> blocks);
  int comment(std::string author, std::string initials, std::string date, std::vector<docx::Block> blocks);
  int header(std::vector<docx::Block> blocks);
  int footer(std::vector<docx::Block> blocks);
  int textBox(std::vector<docx::Block> blocks);
  int listLabel(docx::ListLabel label);
  void section(docx::SectionProps props) { document_.sections.push_back(std::move(props)); }
  void body(std::vector<docx::Block> blocks) { document_.body.blocks = std::move(blocks); }

 private:
  template <typename Props>
  static Props made(const std::function<void(Props&)>& edit) {
    Props props;
    edit(props);
    return props;
  }

  docx::Document document_;
};

docx::Inline text(std::string text, std::uint32_t runProps = 0);
// Any other inline: its kind, number and text as the model holds them.
docx::Inline mark(docx::InlineKind kind, std::int32_t number = 0, std::string text = {}, std::uint32_t runProps = 0);

docx::Paragraph para(std::vector<docx::Inline> inlines, std::uint32_t props = 0);
docx::Block paragraph(std::vector<docx::Inline> inlines, std::uint32_t props = 0);
docx::Block block(docx::Paragraph paragraph);
docx::Block table(std::vector<docx::Row> rows, std::vector<int> grid = {}, std::uint32_t props = 0);
docx::Row row(std::vector<docx::Cell> cells, std::uint32_t props = 0);
docx::Cell cell(std::vector<docx::Block> blocks, std::uint32_t props = 0);
// A cell holding one paragraph of text.
docx::Cell textCell(std::string text, std::uint32_t props = 0);

docx::Border border(docx::BorderStyle style, int widthEighths, std::uint32_t rgb, int spacePoints = 0);
docx::Color rgb(std::uint32_t value);

}  // namespace vellumine::test
