// Resolved formatting as CSS declarations (without braces): what one class of the page's style
// sheet says about a run, a paragraph or a table cell.  Lengths at 96 px to the inch, font sizes
// in pt, every face followed by its generic family.
#pragma once
#include <string>
#include <string_view>

#include "docx/format.h"

namespace vellumine::render {

// A run: face, size, weight, slant, lines, colours, caps, raised and lowered text, spacing,
// scaling and direction.  Automatic colour is left to the paragraph, except on the run's own
// fill, where it is black or white, whichever reads.
void appendRunCss(std::string& out, const docx::RunFormat& run);

// A paragraph: alignment, direction, indents, spacing, line height, borders, shading, breaks,
// and the face and size of its mark (the height of an empty paragraph, the strut of each line).
void appendParagraphCss(std::string& out, const docx::ParagraphFormat& paragraph);

// What changes for a paragraph whose borders it shares with the one before (top: the "between"
// border or none, spacing inside the box) or with the one after (bottom: none).  Empty when the
// paragraph has no borders.
void appendJoinedTopCss(std::string& out, const docx::ParagraphFormat& paragraph);
void appendJoinedBottomCss(std::string& out, const docx::ParagraphFormat& paragraph);
bool hasBorders(const docx::ParagraphFormat& paragraph);

// A table cell: its four edges, margins as padding, fill, vertical alignment, text direction.
void appendCellCss(std::string& out, const docx::CellFormat& cell);

// property:width style colour; nothing for a border of style none.
void appendBorderCss(std::string& out, std::string_view property, const docx::ResolvedBorder& border);

// The face list of a run: the faces of the run's scripts, each once (but the symbol fonts), then
// the generic family; nothing when the run names no face.
void appendFontFamily(std::string& out, const docx::RunFormat& run);

// The height of a face's single line as a multiple of its size, in thousandths (1.15 for faces
// whose metrics are not listed).
int lineHeightThousandths(std::string_view face);

}  // namespace vellumine::render
