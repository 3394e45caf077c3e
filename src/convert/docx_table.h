// The table pass: every table of the document text becomes an HTML table with its attributes,
// column widths, row heights, cell styles and row and column spans.
#pragma once

#include "convert/conversion.h"

namespace vellumine {

// The whole pass: the three structural steps below, then row heights, grid columns and the
// renames of the remaining table, row and cell tags.
void convertTables(Conversion& c);

// Each table property block becomes the attributes of its table start tag (width, style borders,
// cell spacing, alignment, background); the block itself is dropped.
void convertTableProperties(Conversion& c);

// Vertical merges become a row-span marker on the first cell (the cells below disappear); grid
// spans become a colspan attribute.  Merges are counted per table, nested tables included.
void convertMergedCells(Conversion& c);

// Each cell property block becomes the style attribute of its cell start tag.
void convertCellProperties(Conversion& c);

}  // namespace vellumine
