// Finding the parts of an extracted package on disk.  Part names inside a package are
// case-insensitive, so "Word/Document.xml" is the document part as much as "word/document.xml".
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumine {

// The file below folder whose relative path equals relativePath ignoring ASCII case ('/'-separated);
// the exact spelling is preferred.  Returns folder / relativePath when nothing matches.
std::filesystem::path findPart(const std::filesystem::path& folder, std::string_view relativePath);

// The main document part that package relationships (the text of _rels/.rels) name: the Target
// of the ".../officeDocument" relationship without leading '/'.  Empty when there is none, or
// when it holds ".." (nothing outside the package folder is read).
std::string officeDocumentTarget(std::string_view packageRelationships);

struct MainDocumentParts {
  std::filesystem::path document;       // word/document.xml, or the part the package names instead
  std::filesystem::path relationships;  // its relationship part
};

// The main document part and its relationships.  A package without word/document.xml may name
// another main part in its package relationships (_rels/.rels, type ".../officeDocument").
MainDocumentParts findMainDocumentParts(const std::filesystem::path& folder);

}  // namespace vellumine
