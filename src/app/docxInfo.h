// Document properties (title, author, creation date from docProps/core.xml) and the four texts
// of the status bar built from them.
#pragma once
#include <filesystem>
#include <string>

namespace vellumine {

struct DocumentProperties {
  std::string title;    // raw bytes of dc:title, UTF-8 as stored
  std::string author;   // raw bytes of dc:creator
  std::string created;  // the date part (first 10 bytes) of dcterms:created
};

// Reads packageFolder/docProps/core.xml; a missing or unreadable part gives empty properties.
DocumentProperties readDocumentProperties(const std::filesystem::path& packageFolder);

// The status-bar cells, decoded for display.
struct StatusTexts {
  std::u16string size;    // " File Size: 12 KB"
  std::u16string title;   // " Title: ..."
  std::u16string author;  // " Author: ..."
  std::u16string date;    // " Date: 2009-04-21"
};

StatusTexts statusTexts(const DocumentProperties& properties, const std::filesystem::path& documentPath);

}  // namespace vellumine
