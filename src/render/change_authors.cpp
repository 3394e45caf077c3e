// The change authors by first appearance.  Stories are walked with an explicit stack of
// (blocks, next index), so cells are met in document order and nesting costs no recursion.
#include "render/change_authors.h"

#include <utility>
#include <vector>

namespace vellumine::render {

namespace {

class AuthorNumbering {
 public:
  explicit AuthorNumbering(const docx::Document& document) : document_(document) {}

  void walkStory(const docx::Story& story) {
    std::vector<std::pair<const std::vector<docx::Block>*, std::size_t>> pending{{&story.blocks, 0}};
    while (!pending.empty()) {
      auto& [blocks, next] = pending.back();
      if (next >= blocks->size()) {
        pending.pop_back();
        continue;
      }
      const docx::Block& block = (*blocks)[next++];
      if (const auto* paragraph = std::get_if<docx::Paragraph>(&block.node)) {
        addParagraph(*paragraph);
        continue;
      }
      const auto& rows = std::get<docx::Table>(block.node).rows;
      // Pushed last first, so the first row's cells come off the stack first.
      for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        for (auto cell = row->cells.rbegin(); cell != row->cells.rend(); ++cell) pending.emplace_back(&cell->blocks, 0);
      }
      for (const docx::Row& row : rows) add(row.change);
    }
  }

  void addEveryChange() {
    for (std::size_t k = 0; k < document_.changes.size(); ++k) add(static_cast<std::int32_t>(k));
  }

  std::unordered_map<std::string, int> take() { return std::move(numbers_); }

 private:
  void addParagraph(const docx::Paragraph& paragraph) {
    for (const docx::Inline& item : paragraph.inlines) {
      if (item.kind == docx::InlineKind::changeStart) add(item.number);
    }
    add(paragraph.markChange);
  }

  void add(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.changes.size()) return;
    const std::string& author = document_.changes[static_cast<std::size_t>(index)].author;
    numbers_.try_emplace(author, static_cast<int>(numbers_.size()) + 1);
  }

  const docx::Document& document_;
  std::unordered_map<std::string, int> numbers_;
};

}  // namespace

std::unordered_map<std::string, int> numberChangeAuthors(const docx::Document& document) {
  AuthorNumbering numbering(document);
  if (document.changes.empty()) return {};
  numbering.walkStory(document.body);
  for (const auto* parts : {&document.headers, &document.footers}) {
    for (const docx::HeaderFooter& part : *parts) numbering.walkStory(part.story);
  }
  for (const auto* notes : {&document.footnotes, &document.endnotes}) {
    for (const docx::Note& note : *notes) numbering.walkStory(note.story);
  }
  for (const docx::Comment& comment : document.comments) numbering.walkStory(comment.story);
  for (const docx::Story& box : document.textBoxes) numbering.walkStory(box);
  numbering.addEveryChange();
  return numbering.take();
}

}  // namespace vellumine::render
