// One story of a part into the model: the body, a note, a comment, a header or footer, or a text
// box's content.  The blocks (paragraphs, tables with their rows and cells) and, in paragraphs, the
// flat inlines of model.h; wrappers (w:sdt, w:customXml, w:smartTag, w:dir, w:bdo, unknown
// elements) read as their content at every level.  The walk keeps its own stack, so neither deep
// nesting nor a long part costs call depth; tables deeper than kMaxTableDepth are read as the
// paragraphs of the deepest kept cell.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include <pugixml.hpp>

#include "docx/model.h"
#include "docx/property_reader.h"
#include "docx/props_interner.h"
#include "docx/relationships.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// What references point at, by w:id: the indexes in Document::footnotes, endnotes and comments.
struct StoryTargets {
  std::unordered_map<std::string, int> footnotes, endnotes, comments;
};

struct StoryContext {
  Document& document;
  Warnings& warnings;
  PropsInterner& props;
  const Relationships& relationships;  // of the part the story stands in
  const StoryTargets& targets;
  // The body only: each w:sectPr (in a paragraph's w:pPr, and the body's last) is read into
  // Document::sections with this for its header and footer references.  Null for other stories.
  const HeaderFooterIndex* sections = nullptr;
};

// A story read from one container or from several in turn: the body of a large part comes in
// slices, each a tree of its own (the marks, fields and open structure carry over).
class StoryReader {
 public:
  StoryReader(StoryKind kind, const StoryContext& context);
  ~StoryReader();
  StoryReader(const StoryReader&) = delete;
  StoryReader& operator=(const StoryReader&) = delete;

  // Reads the blocks below container (w:body, w:footnote, w:comment, w:hdr, w:txbxContent, ...)
  // after those read before.  The text boxes met in them, and in those, are added to
  // Document::textBoxes, each read before this returns, while container's tree is alive.
  void read(const pugi::xml_node& container);
  // The story; for the body, its last section (the body's own w:sectPr) is added to
  // Document::sections.
  Story finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The story below one container.
Story readStory(const pugi::xml_node& container, StoryKind kind, const StoryContext& context);

}  // namespace vellumine::docx
