// Documents built in code for the tests of the model's units: styles, numbering definitions,
// property sets interned in the document's pools, paragraphs with runs, and tables, without any
// XML.  The references returned stay valid until the next call that adds the same kind of thing.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "docx/model.h"

namespace vellumine::test {

// A run of text with its direct formatting.
struct RunSpec {
  std::string text;
  docx::RunProps props;
};

class ModelBuilder {
 public:
  docx::Document& document() { return document_; }

  // A style of this type and id (based on basedOn unless empty), indexed in Styles::byId.
  docx::Style& addStyle(docx::StyleType type, const std::string& id, const std::string& basedOn = "");

  // The style with this id (it must exist), to change it after it was added.
  docx::Style& styleNamed(const std::string& id);

  // Level `level` of abstract list abstractId (made when missing), present, with its format, text
  // and start.
  docx::ListLevel& addLevel(int abstractId, int level, docx::NumberFormat format, const std::string& text,
                            int start = 1);
  // A numbering instance numId over abstractId.
  docx::NumberingInstance& addList(int numId, int abstractId);

  // Property sets added to the document's pools; each call adds one and returns its index.
  std::uint32_t runProps(const docx::RunProps& props);
  std::uint32_t paragraphProps(const docx::ParagraphProps& props);
  std::uint32_t tableProps(const docx::TableProps& props);
  std::uint32_t rowProps(const docx::RowProps& props);
  std::uint32_t cellProps(const docx::CellProps& props);

  // A paragraph with these runs (each an Inline::text with its interned properties).
  docx::Paragraph paragraph(const docx::ParagraphProps& props = {}, const std::vector<RunSpec>& runs = {});
  // The same, appended to the body.
  docx::Paragraph& addParagraph(const docx::ParagraphProps& props = {}, const std::vector<RunSpec>& runs = {});

  // A table of rows of cells, each cell one paragraph holding its row and column ("r0c1").
  // rows may be shorter than cells (rows without properties).
  docx::Table table(const docx::TableProps& props, const std::vector<std::vector<docx::CellProps>>& cells,
                    const std::vector<docx::RowProps>& rows = {});
  docx::Table& addTable(const docx::TableProps& props, const std::vector<std::vector<docx::CellProps>>& cells,
                        const std::vector<docx::RowProps>& rows = {});

 private:
  docx::Document document_;
};

// A border of this style, width (eighths of a point) and colour (0xRRGGBB).
docx::Border border(docx::BorderStyle style, int widthEighths = 4, std::uint32_t rgb = 0x000000);
// A solid colour.
docx::Color rgbColor(std::uint32_t rgb);
// A clear shading with this fill.
docx::Shading fillShading(std::uint32_t rgb);

}  // namespace vellumine::test
