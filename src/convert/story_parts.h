// Where the stories of a document beside its main text are stored: footnotes, endnotes and
// comments are named by the relationship types of the main part, headers and footers by the
// relationships a section's properties refer to.  Nothing is found by a fixed file name.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine {

// One story part on disk and the relationship part that resolves its links and pictures.
struct StoryPart {
  std::filesystem::path part;
  std::filesystem::path relationships;
};

// The header or footer references of one section, by relationship id.
struct SectionReferences {
  std::string defaultHeader, firstHeader, defaultFooter, firstFooter;
  bool titlePage = false;  // the section has a distinct first page
  // The ids the page shows for this section's start: the first-page ones when it has a distinct
  // first page, else the default ones.
  std::string_view shownHeader() const { return titlePage ? firstHeader : defaultHeader; }
  std::string_view shownFooter() const { return titlePage ? firstFooter : defaultFooter; }
};

// Every section's references in document order (a section ends with its section properties).
// document is the main part as loaded (names still carry "w:").
std::vector<SectionReferences> readSectionReferences(std::string_view document);
// Every header and footer relationship id the sections refer to, in document order, each once.
std::vector<std::string> referencedHeadersAndFooters(const std::vector<SectionReferences>& sections);

// The last segment of a relationship type: "footnotes" for ".../relationships/footnotes".
std::string_view relationshipKind(std::string_view type);

// Target of an internal relationship resolved against the folder of the part that owns it, as a
// '/'-separated path below the package root; empty when it is external or leaves the package.
std::string resolvePartName(std::string_view ownerFolder, std::string_view target);
// The relationship part of a part: "word/footnotes.xml" -> "word/_rels/footnotes.xml.rels".
std::string relationshipPartName(std::string_view partName);

// The story parts of an extracted package, found through the main part's relationships and its
// sections.  A kind the package does not have stays empty.
struct StorySources {
  std::vector<StoryPart> footnotes, endnotes, comments;  // at most one each in a valid package
  StoryPart header, footer;                              // of the first section; empty paths: none
  std::vector<StoryPart> otherHeadersAndFooters;         // those of later sections, first pages and so on
  bool empty() const;
};

// relationships: the main part's relationship text without "w:"; document: the main part with
// its names in the "w:" form.
StorySources findStorySources(const std::filesystem::path& packageFolder, std::string_view relationships,
                              std::string_view document);

}  // namespace vellumine
