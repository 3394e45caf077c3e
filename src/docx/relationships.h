// The relationships of a part (its _rels/<name>.rels): what r:id attributes point at.  Internal
// targets are resolved to package paths against the part's folder; one that would leave the package
// is refused (empty target).  External targets (links, linked pictures) are kept as written.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "docx/reader.h"
#include "docx/warnings.h"

namespace vellumine::docx {

struct Relationship {
  std::string type;     // the last segment of the type URI: "styles", "image", "hyperlink", ...
  std::string target;   // a package path ("word/media/image1.png"), or as written when external
  bool external = false;
};

class Relationships {
 public:
  // Adds a relationship; of two with the same id the first is kept.
  void add(std::string id, Relationship relationship);
  // The relationship with this id, or null.
  const Relationship* find(std::string_view id) const;
  // The first relationship of this type (by the type's last segment), or null.
  const Relationship* firstOfType(std::string_view type) const;
  bool empty() const { return items_.empty(); }

 private:
  std::vector<Relationship> items_;
  std::unordered_map<std::string, std::size_t> byId_;
};

// "_rels/.rels" for the package itself (""), "word/_rels/document.xml.rels" for "word/document.xml".
std::string relationshipsPartOf(std::string_view partName);

// target resolved against the folder of sourcePart ("" for the package root): "../media/x.png"
// from "word/document.xml" is "media/x.png", "/word/media/x.png" is taken from the root,
// percent escapes are decoded.  Empty when the target leaves the package or names no part.
std::string resolvePartTarget(std::string_view sourcePart, std::string_view target);

// The relationships of partName ("" for the package's own); none when its .rels part is missing.
Relationships readRelationships(const PartSource& parts, std::string_view partName, Warnings& warnings);

}  // namespace vellumine::docx
