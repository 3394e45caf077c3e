// What the units of the page writer share while one page is written: the document, its resolver,
// the style sheet, the note numbers, the ids already given, where the output goes and how deep
// the writer is inside tables and text boxes.  One per page; no unit keeps state of its own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "docx/format_resolver.h"
#include "docx/model.h"
#include "docx/warnings.h"
#include "render/change_authors.h"
#include "render/page_render.h"
#include "render/story_numbers.h"
#include "render/style_sheet.h"
#include "render/word_pages.h"

namespace vellumine::render {

// Tables and text boxes inside each other deeper than this are written as plain paragraphs (a
// table) or an empty box (a text box), so the writer's recursion stays bounded.
inline constexpr int kMaxWriteDepth = docx::kMaxTableDepth + 8;  // deeper than the reader keeps

// The note a back link is waiting to be written in: the note's mark links back to its reference.
struct PendingBackLink {
  bool active = false;
  bool atFirstParagraph = false;  // the note has no mark of its own: the link opens its text
  StoryList list = StoryList::footnotes;
  std::size_t place = 0;
};

// The paper of the section being written, in twips, for drawings placed from the page or its
// margins; unknown until a section is started.  storyTop is where the story being written is
// taken to start on it: the top margin for the body, the header's distance for a header.
struct PaperFrame {
  bool known = false;
  long long width = 0, height = 0;
  long long marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  long long marginHeader = 0, marginFooter = 0;
  long long storyTop = 0;
};

struct PageState {
  PageState(const docx::Document& document, const PageOptions& options, docx::Warnings& warnings)
      : document(document),
        options(options),
        warnings(warnings),
        resolver(document),
        numbers(document.footnotes.size(), document.endnotes.size(), document.comments.size()),
        authorNumbers(numberChangeAuthors(document)),
        textBoxWritten(document.textBoxes.size(), false) {}

  const docx::Document& document;
  const PageOptions& options;
  docx::Warnings& warnings;
  docx::FormatResolver resolver;
  StyleSheet sheet;
  StoryNumbers numbers;

  std::string* out = nullptr;           // where the writer appends
  int depth = 0;                        // tables and text boxes open around what is written
  long long lineWidth = 9360;           // twips: the width the current blocks are laid out in
  std::size_t visibleWritten = 0;       // text, pictures and marks written: tells an empty story
  bool mathUsed = false;                // an equation was written: the page needs the math sheet
  bool shapesUsed = false;              // a shape, group or diagram was written: the shape sheet too
  bool unwrappedUsed = false;           // a drawing out of the text's flow: its sheet too
  // Where drawings out of the flow are placed from: the paragraph being written starts this far
  // (twips) from its column's left edge, on this paper.
  long long paragraphLeft = 0;
  PaperFrame paper;

  std::unordered_set<std::string> bookmarkNames;        // bookmarks whose id is on the page
  std::unordered_map<std::string, int> authorNumbers;   // change author -> 1-based, by first appearance
  std::vector<bool> textBoxWritten;                     // each text box story is written once
  std::unordered_set<std::int32_t> openCommentRanges;   // in the story being written
  PendingBackLink backLink;
  WordPageCounter wordPages;                            // Word's pages, numbered in the body

  bool storiesShown() const { return options.includeStories; }
  bool changesMarked() const { return options.changes == ChangesView::markup; }

  // The colour (1-8) of an author of tracked changes: the palette in turn, by first appearance.
  int authorColour(const std::string& author) const {
    const auto it = authorNumbers.find(author);
    return it == authorNumbers.end() ? 1 : (it->second - 1) % 8 + 1;
  }
};

}  // namespace vellumine::render
