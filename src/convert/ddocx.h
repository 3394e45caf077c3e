// The conversion driver: loads the parts of an extracted package and runs the passes in their
// fixed order over the document text, ending with the HTML page.
#pragma once
#include <string>

#include "convert/conversion.h"

namespace vellumine {

// Reads document.xml, the relationships, styles and numbering parts from c.packageFolder and
// builds the style table.
void loadDocumentParts(Conversion& c);
// Runs every pass in order; c.text holds the finished HTML afterwards.
void convert(Conversion& c);
void initConversion(Conversion& c, bool optimize, bool pageSetting);
void optimize(Conversion& c);
// Adds the page frame (the page div and the body padding rule) to a copy of the finished text.
void applyPageFrame(const Conversion& c, std::string& text);

// Extracted package folder in, framed HTML out: loadDocumentParts, convert, applyPageFrame.
std::string convertPackageFolder(const std::filesystem::path& packageFolder,
                                 const ConversionSettings& settings = {});

}  // namespace vellumine
