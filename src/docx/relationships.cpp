// Reads a part's relationships and resolves their targets to package paths: "../" steps are
// followed within the package and a target that climbs above its root is refused, so no r:id can
// name a file outside the package folder.
#include "docx/relationships.h"

#include <utility>

#include "docx/xml_part.h"
#include "text/chartype.h"

namespace vellumine::docx {

namespace {

// The name without its prefix: relationship parts use a default namespace of their own.
std::string_view localName(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view lastSegment(std::string_view uri) {
  const std::size_t slash = uri.rfind('/');
  return slash == std::string_view::npos ? uri : uri.substr(slash + 1);
}

// %XX escapes decoded; a '%' not followed by two hex digits stays.
std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = AsciiHexValue(static_cast<unsigned char>(text[i + 1]));
      const int low = AsciiHexValue(static_cast<unsigned char>(text[i + 2]));
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Appends the segments of path to segments, following "." and ".."; false when ".." climbs above
// the root.
bool appendSegments(std::string_view path, std::vector<std::string_view>& segments) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !isSeparator(path[end])) ++end;
    const std::string_view segment = path.substr(start, end - start);
    if (segment == "..") {
      if (segments.empty()) return false;
      segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  return true;
}

}  // namespace

void Relationships::add(std::string id, Relationship relationship) {
  if (byId_.count(id) != 0) return;
  byId_.emplace(std::move(id), items_.size());
  items_.push_back(std::move(relationship));
}

const Relationship* Relationships::find(std::string_view id) const {
  auto it = byId_.find(std::string(id));
  return it == byId_.end() ? nullptr : &items_[it->second];
}

const Relationship* Relationships::firstOfType(std::string_view type) const {
  for (const Relationship& relationship : items_) {
    if (relationship.type == type) return &relationship;
  }
  return nullptr;
}

std::string relationshipsPartOf(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  if (slash == std::string_view::npos) return "_rels/" + std::string(partName) + ".rels";
  return std::string(partName.substr(0, slash + 1)) + "_rels/" + std::string(partName.substr(slash + 1)) + ".rels";
}

std::string resolvePartTarget(std::string_view sourcePart, std::string_view target) {
  const std::string decoded = percentDecoded(target);
  if (decoded.empty()) return std::string();
  std::vector<std::string_view> segments;
  if (!isSeparator(decoded.front())) {
    const std::size_t slash = sourcePart.rfind('/');
    if (slash != std::string_view::npos) appendSegments(sourcePart.substr(0, slash), segments);
  }
  if (!appendSegments(decoded, segments) || segments.empty()) return std::string();
  std::string path;
  for (const std::string_view segment : segments) {
    if (!path.empty()) path += '/';
    path.append(segment);
  }
  return path;
}

Relationships readRelationships(const PartSource& parts, std::string_view partName, Warnings& warnings) {
  Relationships relationships;
  const std::string relsName = relationshipsPartOf(partName);
  std::optional<std::string> bytes = parts(relsName);
  if (!bytes) return relationships;
  const XmlPart part(relsName, std::move(*bytes), warnings);
  for (const pugi::xml_node& node : part.root().children()) {
    if (node.type() != pugi::node_element || localName(node.name()) != "Relationship") continue;
    Relationship relationship;
    relationship.type = std::string(lastSegment(node.attribute("Type").value()));
    const std::string_view target = node.attribute("Target").value();
    relationship.external = std::string_view(node.attribute("TargetMode").value()) == "External";
    relationship.target = relationship.external ? std::string(target) : resolvePartTarget(partName, target);
    relationships.add(node.attribute("Id").value(), std::move(relationship));
  }
  return relationships;
}

}  // namespace vellumine::docx
