#include "app/outline_tree.h"

namespace vellumine {

std::vector<int> outlineParents(const std::vector<int>& levels) {
  std::vector<int> parents(levels.size(), -1);
  std::vector<int> open;  // the headings still able to take children, highest level first
  for (int k = 0; k < static_cast<int>(levels.size()); ++k) {
    while (!open.empty() && levels[static_cast<std::size_t>(open.back())] >= levels[static_cast<std::size_t>(k)]) {
      open.pop_back();
    }
    if (!open.empty()) parents[static_cast<std::size_t>(k)] = open.back();
    open.push_back(k);
  }
  return parents;
}

}  // namespace vellumine
