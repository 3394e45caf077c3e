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
  // The stories: a footnote and a comment for every block of the body, and one header.  Empty
  // for a package made without them (then the body has no references to any either).
  std::string footnotes;      // word/footnotes.xml
  std::string comments;       // word/comments.xml
  std::string header;         // word/header1.xml
};

// A package whose document part is at least targetBytes long.
GeneratedPackage generatePackage(std::size_t targetBytes, bool withStories = true);

// Writes the parts (and a small image for the drawings) below folder.
void writePackageFolder(const GeneratedPackage& package, const std::filesystem::path& folder);

}  // namespace vellumine::bench
