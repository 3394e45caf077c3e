// Which changes the view drops, for a paragraph's inlines and for rows and paragraph marks.
#include "render/dropped_changes.h"

namespace vellumine::render {

bool changeDropped(const docx::Document& document, std::int32_t index, ChangesView view) {
  if (index < 0 || static_cast<std::size_t>(index) >= document.changes.size()) return false;
  return !changeKept(document.changes[static_cast<std::size_t>(index)].kind, view);
}

void DroppedChanges::follow(const docx::Inline& item) {
  if (view_ == ChangesView::markup) return;
  if (item.kind == docx::InlineKind::changeStart) {
    if (!changeDropped(document_, item.number, view_)) return;
    ++openByChange_[item.number];
    ++open_;
    return;
  }
  if (item.kind != docx::InlineKind::changeEnd) return;
  auto it = openByChange_.find(item.number);
  if (it == openByChange_.end() || it->second == 0) return;
  --it->second;
  --open_;
}

}  // namespace vellumine::render
