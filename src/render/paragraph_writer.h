// The content of one paragraph: its list label, then its inlines in one loop (runs as spans of
// their format's class, links, fields, changes and comment ranges as elements around them, notes'
// and comments' marks, bookmarks, breaks, symbols, pictures and text boxes), tabs laid out by
// tab_layout.  The paragraph's own element is the block writer's.
#pragma once
#include "docx/format.h"
#include "docx/format_resolver.h"
#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

struct ParagraphContent {
  bool visible = false;         // anything shown: an empty paragraph needs a line of its own
  bool endsWithBreak = false;   // a line break last: the line after it needs a break of its own
};

ParagraphContent writeParagraphContent(PageState& state, const docx::Paragraph& paragraph,
                                       const docx::ParagraphFormat& format, const docx::CellContext& cell);

// Whether anything of the paragraph would be shown (its label or an inline not hidden).
bool hasVisibleContent(PageState& state, const docx::Paragraph& paragraph, const docx::CellContext& cell);

// Whether the paragraph holds a text box, whose paragraphs and tables cannot stand inside a <p>.
bool holdsBlocks(const docx::Document& document, const docx::Paragraph& paragraph);

// Whether a change takes content away (a deletion, a move's old place): <del>, not <ins>.
bool removesContent(const docx::Change& change);

// ` class="vm-ins|vm-del [vm-move] vm-auN" title="Inserted by Ann, 2024-05-03 10:12"`: the
// change's look in its author's colour, with who and when.
void appendChangeAttributes(std::string& out, const PageState& state, const docx::Change& change);
// Its two halves, for an element with classes of its own: "vm-ins vm-au0" (no leading blank)
// and ` title="..."`.
void appendChangeClasses(std::string& out, const PageState& state, const docx::Change& change);
void appendChangeTitle(std::string& out, const docx::Change& change);

// The start tag of a tracked change: <ins> or <del> with the attributes above.
std::string changeStartTag(const PageState& state, const docx::Change& change);

// "2015-08-14T13:43:00Z" as "2015-08-14 13:43"; any other text as it is.
std::string displayDate(std::string_view date);

}  // namespace vellumine::render
