// One scan of the relationship part records where each Id first stands; a lookup then hands
// RelTarget the part from that entry on, so its answer is the one a scan of the whole part gives.
#include "convert/relationship_index.h"

#include "text/xmlfrag.h"

namespace vellumine {

RelationshipIndex::RelationshipIndex(std::string_view relationships) : relationships_(relationships) {
  static constexpr std::string_view kEntryOpen = "<Relationship Id=\"";
  for (std::size_t at = relationships.find(kEntryOpen); at != std::string_view::npos;
       at = relationships.find(kEntryOpen, at + kEntryOpen.size())) {
    std::size_t idBegin = at + kEntryOpen.size();
    std::size_t idEnd = relationships.find('"', idBegin);
    if (idEnd == std::string_view::npos) break;
    firstEntry_.try_emplace(relationships.substr(idBegin, idEnd - idBegin), at);
  }
}

std::string RelationshipIndex::target(std::string_view id) const {
  auto entry = firstEntry_.find(id);
  if (entry == firstEntry_.end()) return {};
  // The first entry with this Id starts the rest of the part, so RelTarget finds it at once.
  return RelTarget(relationships_.substr(entry->second), id);
}

}  // namespace vellumine
