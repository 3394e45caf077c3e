// Case-insensitive part lookup in an extracted package, and the main document part as named by
// the package relationships when the usual word/document.xml is absent.
#include "convert/package_parts.h"

#include <string>
#include <system_error>

#include "text/chartype.h"
#include "text/fileutil.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

// The entry of folder named name, ignoring case; empty when there is none.
std::filesystem::path findEntry(const std::filesystem::path& folder, std::string_view name) {
  std::error_code ec;
  if (std::filesystem::exists(folder / std::string(name), ec)) return folder / std::string(name);
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsCaseless(it->path().filename().string(), name)) return it->path();
  }
  return {};
}

}  // namespace

std::string officeDocumentTarget(std::string_view packageRelationships) {
  const std::string_view rels = packageRelationships;
  std::size_t at = 0;
  while ((at = rels.find("<Relationship ", at)) != std::string_view::npos) {
    const std::size_t tagEnd = rels.find('>', at);
    if (tagEnd == std::string_view::npos) break;
    const std::string_view tag = rels.substr(at, tagEnd - at);
    at = tagEnd;
    const std::string type = AttrValue(tag, " Type");
    if (type.size() < 15 || type.compare(type.size() - 15, 15, "/officeDocument") != 0) continue;
    std::string target = AttrValue(tag, " Target");
    while (!target.empty() && target.front() == '/') target.erase(0, 1);
    // A part outside the package is never read.
    if (target.find("..") != std::string::npos) return {};
    return target;
  }
  return {};
}

std::filesystem::path findPart(const std::filesystem::path& folder, std::string_view relativePath) {
  std::filesystem::path current = folder;
  std::size_t start = 0;
  while (start <= relativePath.size()) {
    std::size_t slash = relativePath.find('/', start);
    if (slash == std::string_view::npos) slash = relativePath.size();
    const std::string_view name = relativePath.substr(start, slash - start);
    if (!name.empty()) {
      std::filesystem::path next = findEntry(current, name);
      if (next.empty()) return folder / std::string(relativePath);
      current = std::move(next);
    }
    start = slash + 1;
  }
  return current;
}

MainDocumentParts findMainDocumentParts(const std::filesystem::path& folder) {
  std::error_code ec;
  MainDocumentParts parts{findPart(folder, "word/document.xml"),
                          findPart(folder, "word/_rels/document.xml.rels")};
  if (std::filesystem::exists(parts.document, ec)) return parts;
  const std::string target = officeDocumentTarget(ReadWholeFile(findPart(folder, "_rels/.rels")));
  if (target.empty()) return parts;
  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  parts.document = findPart(folder, target);
  parts.relationships = findPart(folder, dir + "_rels/" + name + ".rels");
  return parts;
}

}  // namespace vellumine
