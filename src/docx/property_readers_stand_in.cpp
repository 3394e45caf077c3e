// STAND-IN, to be deleted when the property and companion-part readers land: the smallest bodies
// of property_reader.h and part_readers.h that let the reader link and run.  Every block reads as
// empty, except that a section's header and footer references are followed, so that the reader's
// headers and footers are read.
#include "docx/part_readers.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

RunProps readRunProps(const pugi::xml_node&, Warnings&) { return {}; }
ParagraphProps readParagraphProps(const pugi::xml_node&, Warnings&) { return {}; }
TableProps readTableProps(const pugi::xml_node&, Warnings&) { return {}; }
RowProps readRowProps(const pugi::xml_node&, Warnings&) { return {}; }
CellProps readCellProps(const pugi::xml_node&, Warnings&) { return {}; }

SectionProps readSectionProps(const pugi::xml_node& sectPr, const HeaderFooterIndex& headerFooter, Warnings&) {
  SectionProps section;
  for (const pugi::xml_node& child : sectPr.children()) {
    const std::string_view name = child.name();
    const bool footer = name == "w:footerReference";
    if (!footer && name != "w:headerReference") continue;
    const std::string_view type = child.attribute("w:type").value();
    const std::size_t slot = type == "first" ? 1 : type == "even" ? 2 : 0;
    (footer ? section.footers : section.headers)[slot] = headerFooter(footer, child.attribute("r:id").value());
  }
  return section;
}

Styles readStyles(const pugi::xml_node&, Warnings&) { return {}; }
Numbering readNumbering(const pugi::xml_node&, Warnings&) { return {}; }
Theme readTheme(const pugi::xml_node&, Warnings&) { return {}; }
Settings readSettings(const pugi::xml_node&, Warnings&) { return {}; }
FontTable readFontTable(const pugi::xml_node&, Warnings&) { return {}; }

}  // namespace vellumine::docx
