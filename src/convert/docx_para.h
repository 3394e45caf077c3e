// Paragraph elements to HTML paragraphs and headings: the paragraph properties become an inline
// style, the runs get their character formatting, table and list markup between them stays.
#pragma once
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

// The pass over the whole document text.
void convertParagraphs(Conversion& c);

// One paragraph element, from its "<p>" through its "</p>", to its HTML text.
std::string convertParagraph(Conversion& c, std::string_view paragraph, bool inTable);

struct ParagraphStyle {
  std::string css;  // declarations, each ending in ";"; empty for none
  std::string tag;  // "p", or "h1" to "h3" for the style ids 1 to 3
};

// The paragraph properties (the inside of "<pPr>") to CSS and the element name; inside tables
// only font family and size come from the paragraph's style.
ParagraphStyle paragraphStyle(const Conversion& c, std::string_view paragraph, std::string_view properties,
                              bool inTable);

}  // namespace vellumine
