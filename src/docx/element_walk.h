// Every element below an XML element in document order, without recursion: drawings nested in
// groups nested in groups, or diagram shapes in shapes, cost no stack however deep they go.
#pragma once
#include <pugixml.hpp>

namespace vellumine::docx {

// Calls visit(element) for every element below root in document order; visit returns whether to
// walk the element's own content.
template <typename Visit>
void forEachElementBelow(const pugi::xml_node& root, Visit visit) {
  pugi::xml_node node = root.first_child();
  while (node) {
    const bool descend = node.type() == pugi::node_element && visit(node);
    if (descend && node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
}

}  // namespace vellumine::docx
