// The changes open in a paragraph whose content the view drops (a deletion in the final view, an
// insertion in the original one).  Change marks are flat in the model and may come unbalanced in
// a damaged document: an end without its start is ignored, and what stays open at the end of the
// paragraph is forgotten with it.  Each start and end costs O(1), whatever their number.
#pragma once
#include <cstdint>
#include <unordered_map>

#include "docx/model.h"
#include "render/changes_view.h"

namespace vellumine::render {

class DroppedChanges {
 public:
  DroppedChanges(const docx::Document& document, ChangesView view) : document_(document), view_(view) {}

  // A changeStart or changeEnd inline (anything else is ignored).
  void follow(const docx::Inline& item);

  // Whether the content met now is dropped.
  bool dropping() const { return open_ > 0; }

 private:
  const docx::Document& document_;
  ChangesView view_;
  std::unordered_map<std::int32_t, int> openByChange_;
  long long open_ = 0;
};

// Whether the view drops the change at index (a row, a paragraph mark); false for -1 and an index
// the document does not hold.
bool changeDropped(const docx::Document& document, std::int32_t index, ChangesView view);

}  // namespace vellumine::render
