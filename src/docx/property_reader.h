// Property blocks read from their elements (after canonicaliseNames): w:rPr, w:pPr, w:tblPr,
// w:trPr, w:tcPr, w:sectPr.  The same functions read styles, numbering levels, table style regions
// and direct formatting.  An element or attribute that is absent leaves the property absent; one
// whose value is malformed does too, and adds a WarningKind::malformedNumber warning.  Values are
// read in both the Transitional and the Strict forms (on/off as "1"/"on"/"true", lengths with or
// without units).  A null node gives the empty block.
#pragma once
#include <functional>
#include <string>

#include <pugixml.hpp>

#include "docx/properties.h"
#include "docx/warnings.h"

namespace vellumine::docx {

RunProps readRunProps(const pugi::xml_node& rPr, Warnings& warnings);
ParagraphProps readParagraphProps(const pugi::xml_node& pPr, Warnings& warnings);
TableProps readTableProps(const pugi::xml_node& tblPr, Warnings& warnings);
RowProps readRowProps(const pugi::xml_node& trPr, Warnings& warnings);
CellProps readCellProps(const pugi::xml_node& tcPr, Warnings& warnings);

// A header or footer reference's relationship id to its index in Document::headers or footers
// (-1 when it cannot be read).
using HeaderFooterIndex = std::function<int(bool footer, const std::string& relationshipId)>;

SectionProps readSectionProps(const pugi::xml_node& sectPr, const HeaderFooterIndex& headerFooter,
                              Warnings& warnings);

}  // namespace vellumine::docx
