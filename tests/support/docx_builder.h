// Small WordprocessingML snippets and in-memory packages for the model reader's tests, and the
// model written out as text for comparisons and stored expected outputs.  Snippets are element
// text ("<w:r>...</w:r>"); a DocxPackage wraps a body in a main part with every namespace declared
// and writes the relationship parts from what was added.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "docx/model.h"
#include "docx/reader.h"

namespace vellumine::test {

// ---- Snippets --------------------------------------------------------------------------------

// <name attributes>content</name>, or <name attributes/> for empty content.  attributes is
// written as given (`w:val="1"`).
std::string element(std::string_view name, std::string_view attributes = {}, std::string_view content = {});
std::string wText(std::string_view text);  // <w:t xml:space="preserve">, text escaped
std::string wRun(std::string_view content, std::string_view rPr = {});
std::string wTextRun(std::string_view text, std::string_view rPr = {});  // a run of one w:t
std::string wParagraph(std::string_view content, std::string_view pPr = {});
std::string wCell(std::string_view content, std::string_view tcPr = {});
std::string wRow(const std::vector<std::string>& cells, std::string_view trPr = {});
// A table with a grid of these column widths (twips) and these rows.
std::string wTable(const std::vector<int>& grid, const std::vector<std::string>& rows, std::string_view tblPr = {});
// The runs of a complex field: begin, the instruction, separate and the result's runs (no
// separate when result is nullptr), end.
std::string wComplexField(std::string_view instruction, const char* result);

// The namespace declarations of a Transitional main part.
std::string_view wordNamespaces();
// A part's root element with every namespace declared: wordPart("w:footnotes", notes).
std::string wordPart(std::string_view rootName, std::string_view content);

// ---- Packages --------------------------------------------------------------------------------

// The relationship type URI of a short type ("image" -> ".../relationships/image").
std::string relationshipType(std::string_view type);

class DocxPackage {
 public:
  // A package whose main part, word/document.xml, holds body inside w:body.
  explicit DocxPackage(std::string_view body = {});

  DocxPackage& addPart(std::string name, std::string bytes);
  DocxPackage& removePart(std::string_view name);
  // A relationship of source ("word/document.xml"; "" for the package's own), by short type.
  DocxPackage& addRelationship(std::string source, std::string id, std::string_view type, std::string target,
                               bool external = false);

  // The parts, the relationship parts written from what was added (a part added by name wins).
  docx::PartSource source() const;
  std::map<std::string, std::string, std::less<>> allParts() const;

 private:
  struct Rel {
    std::string id, type, target;
    bool external;
  };
  std::map<std::string, std::string, std::less<>> parts_;
  std::map<std::string, std::vector<Rel>, std::less<>> relationships_;
};

// readDocument over the package.
docx::Document readPackage(const DocxPackage& package, docx::Warnings& warnings);

// ---- The model as text -----------------------------------------------------------------------

// A paragraph's inlines on one line: `text"Hello" tab fieldStart(0) text"x"@2` (@N: run props).
std::string describeInlines(const docx::Paragraph& paragraph);
// Every paragraph of a story, depth first through tables, one line each.
std::vector<std::string> describeParagraphs(const docx::Story& story);
// The whole model (blocks indented under their tables, rows and cells; then sections, notes,
// comments, headers, footers, text boxes, drawings, links, fields, changes), for stored expected
// outputs.  Property contents are not written, only their pool indexes.
std::string describeDocument(const docx::Document& document);

}  // namespace vellumine::test
