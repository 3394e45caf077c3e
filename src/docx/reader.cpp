// The reader's order over a package: the main part (through the package's relationships), its
// relationships, the companion parts (styles, numbering, theme, settings, font table), the notes
// and comments (their ids first, so references anywhere resolve), the body with its sections, and
// last the headers and footers the sections name.  Each part's tree is freed once its model is
// built, so no two large trees live at once.
#include "docx/reader.h"

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "docx/part_readers.h"
#include "docx/part_slices.h"
#include "docx/props_interner.h"
#include "docx/relationships.h"
#include "docx/story_reader.h"
#include "docx/xml_part.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

constexpr const char* kNoWordDocument = "This package holds no Word document.";

// The size of the slices a large main part is parsed in: their trees stay small beside the
// part's bytes and the model, and warm in the cache while they are read.
constexpr std::size_t kSliceBytes = 1 << 20;

std::string folderOf(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(partName.substr(0, slash + 1));
}

// w:background of the document part: "auto" or a hex colour.
std::optional<Color> readBackground(const pugi::xml_node& background, Warnings& warnings) {
  const pugi::xml_attribute value = background.attribute("w:color");
  if (!value) return std::nullopt;
  Color color;
  if (std::string_view(value.value()) == "auto") {
    color.isAuto = true;
    return color;
  }
  const auto rgb = readHex(value, warnings);
  if (!rgb) return std::nullopt;
  color.rgb = *rgb;
  return color;
}

NoteKind noteKindOf(const pugi::xml_node& note) {
  static constexpr EnumName<NoteKind> kNoteKinds[] = {
      {"separator", NoteKind::separator},
      {"continuationSeparator", NoteKind::continuationSeparator},
      {"continuationNotice", NoteKind::continuationNotice},
  };
  return readEnum(note.attribute("w:type"), std::span<const EnumName<NoteKind>>(kNoteKinds)).value_or(NoteKind::normal);
}

// While a part's stories are read, the interner may key property blocks by the part's bytes
// (props_interner.h); never after the part is gone.
class SourceTextInUse {
 public:
  SourceTextInUse(PropsInterner& props, const XmlPart* part) : props_(props) {
    props_.useSourceText(part ? part->sourceText() : std::string_view());
  }
  ~SourceTextInUse() { props_.useSourceText(std::string_view()); }
  SourceTextInUse(const SourceTextInUse&) = delete;
  SourceTextInUse& operator=(const SourceTextInUse&) = delete;

 private:
  PropsInterner& props_;
};

// A loaded part with its name and relationships; null tree when the part is missing.
struct LoadedPart {
  std::string name;
  std::unique_ptr<XmlPart> xml;
  Relationships relationships;
  pugi::xml_node root() const { return xml ? xml->root() : pugi::xml_node(); }
};

class DocumentReader {
 public:
  DocumentReader(const PartSource& parts, Warnings& warnings)
      : parts_(parts), warnings_(warnings), props_(document_, warnings) {}

  Document read() {
    std::string mainBytes = findMainPart();
    mainRelationships_ = readRelationships(parts_, document_.mainPart, warnings_);
    readCompanions();
    readNotesAndComments();
    readBody(std::move(mainBytes));
    readHeadersAndFooters();
    return std::move(document_);
  }

 private:
  // The main part's name into document_.mainPart, and its bytes.
  std::string findMainPart() {
    const Relationships package = readRelationships(parts_, "", warnings_);
    const Relationship* office = package.firstOfType("officeDocument");
    if (office && !office->external && !office->target.empty()) {
      if (std::optional<std::string> bytes = parts_(office->target)) {
        document_.mainPart = office->target;
        return std::move(*bytes);
      }
      warnings_.add(WarningKind::missingPart, office->target);
    }
    if (std::optional<std::string> bytes = parts_("word/document.xml")) {
      document_.mainPart = "word/document.xml";
      return std::move(*bytes);
    }
    throw std::runtime_error(kNoWordDocument);
  }

  // The companion part of this relationship type from the main part; without such a relationship,
  // the name Word gives it beside the main part, when the package has it.
  LoadedPart loadCompanion(std::string_view type, std::string_view usualName) {
    LoadedPart part;
    const Relationship* relationship = mainRelationships_.firstOfType(type);
    const bool named = relationship && !relationship->external && !relationship->target.empty();
    part.name = named ? relationship->target : folderOf(document_.mainPart) + std::string(usualName);
    std::optional<std::string> bytes = parts_(part.name);
    if (!bytes) {
      if (named) warnings_.add(WarningKind::missingPart, part.name);
      return part;
    }
    part.xml = std::make_unique<XmlPart>(part.name, std::move(*bytes), warnings_);
    part.relationships = readRelationships(parts_, part.name, warnings_);
    return part;
  }

  void readCompanions() {
    document_.styles = readStyles(loadCompanion("styles", "styles.xml").root(), warnings_);
    document_.numbering = readNumbering(loadCompanion("numbering", "numbering.xml").root(), warnings_);
    document_.theme = readTheme(loadCompanion("theme", "theme/theme1.xml").root(), warnings_);
    document_.settings = readSettings(loadCompanion("settings", "settings.xml").root(), warnings_);
    document_.fonts = readFontTable(loadCompanion("fontTable", "fontTable.xml").root(), warnings_);
  }

  StoryContext contextFor(const Relationships& relationships, const HeaderFooterIndex* sections = nullptr) {
    return StoryContext{document_, warnings_, props_, relationships, targets_, sections};
  }

  // The ids of a notes or comments part's children named element, in order: their indexes.
  static void registerIds(const pugi::xml_node& root, const char* element, std::unordered_map<std::string, int>& ids) {
    int index = 0;
    for (const pugi::xml_node& child : root.children(element)) {
      ids.try_emplace(child.attribute("w:id").value(), index++);
    }
  }

  void readNotes(const LoadedPart& part, const char* element, StoryKind kind, std::vector<Note>& notes) {
    const StoryContext context = contextFor(part.relationships);
    const SourceTextInUse source(props_, part.xml.get());
    for (const pugi::xml_node& child : part.root().children(element)) {
      Note note;
      note.id = child.attribute("w:id").value();
      note.kind = noteKindOf(child);
      note.story = readStory(child, kind, context);
      notes.push_back(std::move(note));
    }
  }

  void readComments(const LoadedPart& part) {
    const StoryContext context = contextFor(part.relationships);
    const SourceTextInUse source(props_, part.xml.get());
    for (const pugi::xml_node& child : part.root().children("w:comment")) {
      Comment comment;
      comment.id = child.attribute("w:id").value();
      comment.author = child.attribute("w:author").value();
      comment.initials = child.attribute("w:initials").value();
      comment.date = child.attribute("w:date").value();
      comment.story = readStory(child, StoryKind::comment, context);
      document_.comments.push_back(std::move(comment));
    }
  }

  // All three parts are loaded before any is read: a footnote may refer to a comment.
  void readNotesAndComments() {
    const LoadedPart footnotes = loadCompanion("footnotes", "footnotes.xml");
    const LoadedPart endnotes = loadCompanion("endnotes", "endnotes.xml");
    const LoadedPart comments = loadCompanion("comments", "comments.xml");
    registerIds(footnotes.root(), "w:footnote", targets_.footnotes);
    registerIds(endnotes.root(), "w:endnote", targets_.endnotes);
    registerIds(comments.root(), "w:comment", targets_.comments);
    readNotes(footnotes, "w:footnote", StoryKind::footnote, document_.footnotes);
    readNotes(endnotes, "w:endnote", StoryKind::endnote, document_.endnotes);
    readComments(comments);
  }

  // A main part of a few megabytes is parsed a slice at a time (part_slices.h), so the whole tree
  // never exists at once; a smaller one whole.  Reading stops at the first damaged slice, as it
  // would in the whole part.
  void readBody(std::string bytes) {
    const HeaderFooterIndex headerFooter = [this](bool footer, const std::string& id) {
      return headerFooterIndex(footer, id);
    };
    const StoryContext context = contextFor(mainRelationships_, &headerFooter);
    StoryReader body(StoryKind::body, context);
    const std::optional<PartSlices> slices =
        bytes.size() > 2 * kSliceBytes ? slicePart(bytes, kSliceBytes) : std::nullopt;
    if (!slices) {
      const XmlPart part(document_.mainPart, std::move(bytes), warnings_);
      readBodySlice(part, body);
      document_.body = body.finish();
      return;
    }
    bool damaged = false;
    for (const PartSlices::Range& range : slices->ranges) {
      std::string text;
      text.reserve(slices->head.size() + (range.end - range.begin) + slices->tail.size());
      text.append(slices->head).append(bytes, range.begin, range.end - range.begin).append(slices->tail);
      const long long shift = static_cast<long long>(range.begin) - static_cast<long long>(slices->head.size());
      const XmlPart part(document_.mainPart, std::move(text), warnings_, shift);
      readBodySlice(part, body);
      damaged = part.damaged();
      if (damaged) break;
    }
    if (slices->truncated && !damaged) {
      warnings_.add(WarningKind::malformedXml,
                    document_.mainPart + " is damaged after byte " + std::to_string(bytes.size()));
    }
    document_.body = body.finish();
  }

  void readBodySlice(const XmlPart& part, StoryReader& body) {
    const pugi::xml_node root = part.root();
    if (!backgroundRead_) {
      document_.settings.background = readBackground(root.child("w:background"), warnings_);
      backgroundRead_ = true;
    }
    const pugi::xml_node container = root.child("w:body");
    const SourceTextInUse source(props_, &part);
    body.read(container ? container : root);  // a part without w:body: whatever it holds is read
  }

  // Each header or footer part gets one index, however many sections name it; it is read after
  // the body (readHeadersAndFooters).
  int headerFooterIndex(bool footer, const std::string& id) {
    const Relationship* relationship = mainRelationships_.find(id);
    if (relationship == nullptr || relationship->external || relationship->target.empty()) return -1;
    std::vector<HeaderFooter>& list = footer ? document_.footers : document_.headers;
    auto& known = footer ? footerIndex_ : headerIndex_;
    auto [it, fresh] = known.try_emplace(relationship->target, static_cast<int>(list.size()));
    if (fresh) {
      list.push_back(HeaderFooter{relationship->target, Story{footer ? StoryKind::footer : StoryKind::header, {}}});
    }
    return it->second;
  }

  void readHeaderFooter(HeaderFooter& headerFooter) {
    std::optional<std::string> bytes = parts_(headerFooter.partName);
    if (!bytes) {
      warnings_.add(WarningKind::missingPart, headerFooter.partName);
      return;
    }
    const XmlPart part(headerFooter.partName, std::move(*bytes), warnings_);
    const Relationships relationships = readRelationships(parts_, headerFooter.partName, warnings_);
    const SourceTextInUse source(props_, &part);
    headerFooter.story = readStory(part.root(), headerFooter.story.kind, contextFor(relationships));
  }

  void readHeadersAndFooters() {
    for (HeaderFooter& header : document_.headers) readHeaderFooter(header);
    for (HeaderFooter& footer : document_.footers) readHeaderFooter(footer);
  }

  const PartSource& parts_;
  Warnings& warnings_;
  Document document_;
  PropsInterner props_;
  Relationships mainRelationships_;
  StoryTargets targets_;
  std::unordered_map<std::string, int> headerIndex_, footerIndex_;
  bool backgroundRead_ = false;
};

}  // namespace

Document readDocument(const PartSource& parts, Warnings& warnings) {
  return DocumentReader(parts, warnings).read();
}

}  // namespace vellumine::docx
