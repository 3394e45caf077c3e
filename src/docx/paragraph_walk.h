// Every paragraph of a story in reading order, and every story of a document, without recursion:
// a table's cells are walked with an explicit stack, so tables nested in tables cost no stack.
#pragma once
#include <vector>

#include "docx/model.h"

namespace vellumine::docx {

// Calls visit(Paragraph&) for each paragraph of story, cells' paragraphs where their table stands.
template <typename Visit>
void forEachParagraph(Story& story, Visit visit) {
  std::vector<Block*> stack;
  for (auto it = story.blocks.rbegin(); it != story.blocks.rend(); ++it) stack.push_back(&*it);
  while (!stack.empty()) {
    Block* block = stack.back();
    stack.pop_back();
    if (auto* paragraph = std::get_if<Paragraph>(&block->node)) {
      visit(*paragraph);
      continue;
    }
    // Pushed in reverse so that they pop in reading order.
    Table& table = std::get<Table>(block->node);
    for (auto row = table.rows.rbegin(); row != table.rows.rend(); ++row) {
      for (auto cell = row->cells.rbegin(); cell != row->cells.rend(); ++cell) {
        for (auto inner = cell->blocks.rbegin(); inner != cell->blocks.rend(); ++inner) stack.push_back(&*inner);
      }
    }
  }
}

// Calls visit(Story&) for the body, then the notes, comments, headers, footers and text boxes.
template <typename Visit>
void forEachStory(Document& document, Visit visit) {
  visit(document.body);
  for (Note& note : document.footnotes) visit(note.story);
  for (Note& note : document.endnotes) visit(note.story);
  for (Comment& comment : document.comments) visit(comment.story);
  for (HeaderFooter& header : document.headers) visit(header.story);
  for (HeaderFooter& footer : document.footers) visit(footer.story);
  for (Story& textBox : document.textBoxes) visit(textBox);
}

}  // namespace vellumine::docx
