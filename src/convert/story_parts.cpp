// Finding the stories: the main part's relationships name its notes and comments parts by type, and
// each section's properties name its headers and footers by relationship id.  Targets are resolved
// inside the package only; a target that climbs out of it names no story.
#include "convert/story_parts.h"

#include <unordered_map>
#include <unordered_set>

#include "convert/markup_scan.h"
#include "convert/package_parts.h"
#include "text/bytesearch.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;
constexpr std::size_t npos = std::string_view::npos;

// An on/off property: present and not switched off by its value.
bool isOn(std::string_view tag) {
  const std::string val = AttrValue(tag, "w:val");
  return val != "0" && val != "false" && val != "off";
}

void readReferences(std::string_view section, std::string_view name, std::string& defaultId,
                    std::string& firstId) {
  for (std::size_t at = findStartTag(section, name, 0); at != npos; at = findStartTag(section, name, at + 1)) {
    const std::string_view tag = tagAt(section, at);
    const std::string type = AttrValue(tag, "w:type");
    if (type == "default") defaultId = RelId(tag);
    if (type == "first") firstId = RelId(tag);
  }
}

SectionReferences sectionReferences(std::string_view section) {
  SectionReferences refs;
  readReferences(section, "<w:headerReference", refs.defaultHeader, refs.firstHeader);
  readReferences(section, "<w:footerReference", refs.defaultFooter, refs.firstFooter);
  const std::size_t titlePage = findStartTag(section, "<w:titlePg", 0);
  refs.titlePage = titlePage != npos && isOn(tagAt(section, titlePage));
  return refs;
}

// Calls visit with every section-properties block, in order.  A block ends at the first
// "</w:sectPr>" behind its start (a change record inside ends it early; its own references
// stand before it).
template <class Visit>
void forEachSection(std::string_view document, const Visit& visit) {
  constexpr std::string_view kOpen = "<w:sectPr";
  constexpr std::string_view kClose = "</w:sectPr>";
  for (std::size_t at = findStartTag(document, kOpen, 0); at != npos;) {
    const std::string_view tag = tagAt(document, at);
    std::size_t end = at + tag.size();
    if (tag.size() < 2 || tag.substr(tag.size() - 2) != "/>") {
      const std::size_t close = findBytes(document, kClose, end);
      end = close == npos ? document.size() : close + kClose.size();
    }
    visit(document.substr(at, end - at));
    at = findStartTag(document, kOpen, end);
  }
}

// Relationship entries as (Id, Type, Target), internal ones only.
struct Relationship {
  std::string id, kind, target;
};

std::vector<Relationship> internalRelationships(std::string_view relationships) {
  std::vector<Relationship> entries;
  constexpr std::string_view kOpen = "<Relationship ";
  for (std::size_t at = findBytes(relationships, kOpen, 0); at != npos;
       at = findBytes(relationships, kOpen, at + kOpen.size())) {
    const std::string_view tag = tagAt(relationships, at);
    if (AttrValue(tag, " TargetMode") == "External") continue;
    entries.push_back({AttrValue(tag, " Id"), std::string(relationshipKind(AttrValue(tag, " Type"))),
                       AttrValue(tag, " Target")});
  }
  return entries;
}

std::string folderOf(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  return slash == npos ? std::string() : std::string(partName.substr(0, slash + 1));
}

// Resolves relationship targets of the main part into story parts on disk, each part once.
class StoryPartResolver {
 public:
  StoryPartResolver(const fs::path& packageFolder, std::string mainFolder)
      : packageFolder_(packageFolder), mainFolder_(std::move(mainFolder)) {}

  // Empty paths when the target leaves the package or names no file.
  StoryPart resolve(std::string_view target) const {
    const std::string name = resolvePartName(mainFolder_, target);
    if (name.empty()) return {};
    std::error_code ec;
    const fs::path part = findPart(packageFolder_, name);
    if (!fs::is_regular_file(part, ec)) return {};
    return {part, findPart(packageFolder_, relationshipPartName(name))};
  }

 private:
  fs::path packageFolder_;
  std::string mainFolder_;
};

// The package path of the main part, '/'-separated below the package root.
std::string mainPartName(const fs::path& packageFolder) {
  const fs::path document = findMainDocumentParts(packageFolder).document;
  std::error_code ec;
  return fs::relative(document, packageFolder, ec).generic_string();
}

}  // namespace

std::vector<SectionReferences> readSectionReferences(std::string_view document) {
  std::vector<SectionReferences> sections;
  forEachSection(document, [&](std::string_view section) { sections.push_back(sectionReferences(section)); });
  return sections;
}

std::vector<std::string> referencedHeadersAndFooters(const std::vector<SectionReferences>& sections) {
  std::vector<std::string> ids;
  std::unordered_set<std::string> seen;
  for (const SectionReferences& refs : sections) {
    for (const std::string* id : {&refs.defaultHeader, &refs.firstHeader, &refs.defaultFooter, &refs.firstFooter}) {
      if (!id->empty() && seen.insert(*id).second) ids.push_back(*id);
    }
  }
  return ids;
}

std::string_view relationshipKind(std::string_view type) {
  const std::size_t slash = type.rfind('/');
  return slash == npos ? type : type.substr(slash + 1);
}

std::string resolvePartName(std::string_view ownerFolder, std::string_view target) {
  if (target.empty()) return {};
  std::vector<std::string_view> segments;
  auto add = [&segments](std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
      std::size_t slash = path.find_first_of("/\\", start);
      if (slash == npos) slash = path.size();
      const std::string_view segment = path.substr(start, slash - start);
      start = slash + 1;
      if (segment.empty() || segment == ".") continue;
      if (segment != "..") {
        segments.push_back(segment);
      } else if (segments.empty()) {
        return false;  // above the package root
      } else {
        segments.pop_back();
      }
    }
    return true;
  };
  const bool fromRoot = target.front() == '/' || target.front() == '\\';
  if (target.find(':') != npos) return {};  // a scheme or a drive: not a part of this package
  if (!fromRoot && !add(ownerFolder)) return {};
  if (!add(target) || segments.empty()) return {};
  std::string name;
  for (std::string_view segment : segments) {
    if (!name.empty()) name += '/';
    name += segment;
  }
  return name;
}

std::string relationshipPartName(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  const std::string_view name = slash == npos ? partName : partName.substr(slash + 1);
  return folderOf(partName) + "_rels/" + std::string(name) + ".rels";
}

bool StorySources::empty() const {
  return footnotes.empty() && endnotes.empty() && comments.empty() && header.part.empty() &&
         footer.part.empty() && otherHeadersAndFooters.empty();
}

StorySources findStorySources(const fs::path& packageFolder, std::string_view relationships,
                              std::string_view document) {
  StorySources sources;
  if (packageFolder.empty()) return sources;
  std::unordered_map<std::string, std::string> headerOrFooterTargets;
  std::vector<Relationship> noteEntries;
  for (Relationship& entry : internalRelationships(relationships)) {
    if (entry.kind == "header" || entry.kind == "footer") {
      headerOrFooterTargets.try_emplace(entry.id, entry.target);
    } else if (entry.kind == "footnotes" || entry.kind == "endnotes" || entry.kind == "comments") {
      noteEntries.push_back(std::move(entry));
    }
  }
  if (headerOrFooterTargets.empty() && noteEntries.empty()) return sources;

  const StoryPartResolver resolver(packageFolder, folderOf(mainPartName(packageFolder)));
  for (const Relationship& entry : noteEntries) {
    std::vector<StoryPart>& list = entry.kind == "footnotes"  ? sources.footnotes
                                   : entry.kind == "endnotes" ? sources.endnotes
                                                              : sources.comments;
    StoryPart part = resolver.resolve(entry.target);
    if (!part.part.empty()) list.push_back(std::move(part));
  }
  if (headerOrFooterTargets.empty()) return sources;

  auto partOf = [&](std::string_view id) -> StoryPart {
    auto found = headerOrFooterTargets.find(std::string(id));
    return found == headerOrFooterTargets.end() ? StoryPart{} : resolver.resolve(found->second);
  };
  const std::vector<SectionReferences> sections = readSectionReferences(document);
  std::unordered_set<std::string> shown;
  if (!sections.empty()) {
    sources.header = partOf(sections.front().shownHeader());
    sources.footer = partOf(sections.front().shownFooter());
    shown = {sources.header.part.string(), sources.footer.part.string()};
  }
  for (const std::string& id : referencedHeadersAndFooters(sections)) {
    StoryPart part = partOf(id);
    if (!part.part.empty() && shown.insert(part.part.string()).second)
      sources.otherHeadersAndFooters.push_back(std::move(part));
  }
  return sources;
}

}  // namespace vellumine
