// The reader: a package in, the document model out.  Every part is read with an XML parser
// (pugixml); elements are known by their namespace URI, Transitional and Strict alike; of an
// mc:AlternateContent the first Choice the reader understands is taken, else the Fallback.
//
// Nothing the document holds makes the reader fail: a part that stops being well-formed keeps what
// was read before the fault, a malformed number is absent, a missing part is empty; each such
// fault adds a warning.  Only a package without any main document part throws.
#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "docx/model.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// Where the parts come from: a package path ("word/styles.xml", no leading slash) in, the part's
// bytes out, or nullopt when the package has no such part.  A folder for the viewer and the
// CLI, a map in tests and fuzz targets.
using PartSource = std::function<std::optional<std::string>(std::string_view packagePath)>;

// The parts of an extracted package folder.  Paths that would leave the folder ("..", absolute
// names) read as missing.
PartSource folderPartSource(const std::filesystem::path& packageFolder);

// Reads the main document part (found through _rels/.rels, else word/document.xml) and everything
// it refers to: styles, numbering, theme, settings, font table, footnotes, endnotes, comments,
// headers and footers, and the relationships of each.  Throws std::runtime_error when there is no
// main document part at all.
Document readDocument(const PartSource& parts, Warnings& warnings);

}  // namespace vellumine::docx
