// The relationship part looked up by Id, for the passes that resolve thousands of references.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vellumine {

// RelTarget for many ids: remembers where the first relationship with each Id starts, so that a
// document with thousands of hyperlinks or pictures does not rescan the relationship part for each.
class RelationshipIndex {
 public:
  // relationships must outlive the index: the index keeps views into it.
  explicit RelationshipIndex(std::string_view relationships);
  // The Target of the relationship with exactly this Id, as RelTarget gives it; empty if unknown.
  std::string target(std::string_view id) const;

 private:
  std::string_view relationships_;
  std::unordered_map<std::string_view, std::size_t> firstEntry_;
};

}  // namespace vellumine
