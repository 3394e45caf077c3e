// Generated WordprocessingML for benchmarks: a realistic mix of headings, styled runs, nested
// lists, tables with merged cells, hyperlinks, images, fields and page set-up, repeated to size.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

namespace vellumine::bench {

struct GeneratedPackage {
  std::string document;       // word/document.xml
  std::string styles;         // word/styles.xml
  std::string numbering;      // word/numbering.xml
  std::string relationships;  // word/_rels/document.xml.rels
};

// A package whose document part is at least targetBytes long.
GeneratedPackage generatePackage(std::size_t targetBytes);

// Writes the parts (and a small image for the drawings) below folder.
void writePackageFolder(const GeneratedPackage& package, const std::filesystem::path& folder);

}  // namespace vellumine::bench
