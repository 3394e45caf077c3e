// The conversion driver: loads the parts of an extracted package and runs the passes in their
// fixed order over the document text, ending with the HTML page.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "convert/conversion.h"
#include "convert/docx_stories.h"

namespace vellumine {

// One row of the pass table: the step text reported before the pass (empty: none), the pass's
// name (for benchmarks and messages) and the pass itself (null: the row only reports).
struct ConversionStep {
  std::string_view stepText;
  std::string_view passName;
  void (*run)(Conversion&);
};

// The passes in their fixed order (benchmarks time them one by one).
std::span<const ConversionStep> conversionSteps();

// Reads document.xml, the relationships, styles and numbering parts from c.packageFolder and
// builds the style table.
void loadDocumentParts(Conversion& c);

// The bytes of the parts a conversion reads, as stored in the package.
struct PartTexts {
  std::string document, relationships, styles, numbering;
};
// What loadDocumentParts does once the parts are read: each part made UTF-8 (xmlPartToUtf8, which
// throws EEncodingError for a part it cannot read), the prefix brought to "w:", "w:" removed from
// the names of the companion parts, the style table built.
void loadPartTexts(Conversion& c, PartTexts parts);
// Runs every pass in order; c.text holds the finished HTML afterwards.
void convert(Conversion& c);
// convert, and unless c.settings leave them out, the stories around it: footnotes, endnotes,
// comments, headers and footers, read from c.packageFolder (or given) and set on the page.
void convertDocument(Conversion& c);
void convertDocument(Conversion& c, StoryTexts stories);
// The pass table's first row: c.flags back to their starting values (see ConversionFlags).
void initConversion(Conversion& c);

// Extracted package folder in, framed HTML out: loadDocumentParts, convertDocument, applyPageFrame.
std::string convertPackageFolder(const std::filesystem::path& packageFolder,
                                 const ConversionSettings& settings = {});

}  // namespace vellumine
