// Renames every element and attribute of a part to this program's prefix for its namespace, in one
// iterative walk that keeps the namespace declarations in scope on a stack, and replaces each
// mc:AlternateContent by the branch it chooses.  Writers pick their own prefixes ("ns0:p", a default
// namespace), and Strict documents use other URIs for the same vocabularies; after this walk the
// readers compare names only.
#include "docx/xml_names.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vellumine::docx {

namespace {

struct KnownNamespace {
  std::string_view uri;
  const char* prefix;
};

// Transitional and Strict URIs of the vocabularies the readers know, and the extensions that Word
// writes beside them (known so that a Choice requiring them can be judged, and their elements are
// told apart from unknown ones).
constexpr KnownNamespace kKnownNamespaces[] = {
    {"http://schemas.openxmlformats.org/wordprocessingml/2006/main", "w"},
    {"http://purl.oclc.org/ooxml/wordprocessingml/main", "w"},
    {"http://schemas.openxmlformats.org/officeDocument/2006/relationships", "r"},
    {"http://purl.oclc.org/ooxml/officeDocument/relationships", "r"},
    {"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing", "wp"},
    {"http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing", "wp"},
    {"http://schemas.openxmlformats.org/drawingml/2006/main", "a"},
    {"http://purl.oclc.org/ooxml/drawingml/main", "a"},
    {"http://schemas.openxmlformats.org/drawingml/2006/picture", "pic"},
    {"http://purl.oclc.org/ooxml/drawingml/picture", "pic"},
    {"http://schemas.openxmlformats.org/drawingml/2006/chart", "c"},
    {"http://purl.oclc.org/ooxml/drawingml/chart", "c"},
    {"http://schemas.openxmlformats.org/drawingml/2006/diagram", "dgm"},
    {"http://purl.oclc.org/ooxml/drawingml/diagram", "dgm"},
    {"http://schemas.openxmlformats.org/drawingml/2006/lockedCanvas", "lc"},
    {"http://purl.oclc.org/ooxml/drawingml/lockedCanvas", "lc"},
    {"http://schemas.openxmlformats.org/officeDocument/2006/math", "m"},
    {"http://purl.oclc.org/ooxml/officeDocument/math", "m"},
    {"http://schemas.openxmlformats.org/officeDocument/2006/sharedTypes", "s"},
    {"http://purl.oclc.org/ooxml/officeDocument/sharedTypes", "s"},
    {"http://schemas.openxmlformats.org/markup-compatibility/2006", "mc"},
    {"http://schemas.openxmlformats.org/schemaLibrary/2006/main", "sl"},
    {"urn:schemas-microsoft-com:vml", "v"},
    {"urn:schemas-microsoft-com:office:office", "o"},
    {"urn:schemas-microsoft-com:office:word", "w10"},
    {"http://schemas.microsoft.com/office/word/2010/wordprocessingShape", "wps"},
    {"http://schemas.microsoft.com/office/word/2010/wordprocessingGroup", "wpg"},
    {"http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas", "wpc"},
    {"http://schemas.microsoft.com/office/word/2010/wordprocessingInk", "wpi"},
    {"http://schemas.microsoft.com/office/word/2010/wordml", "w14"},
    {"http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing", "wp14"},
    {"http://schemas.microsoft.com/office/word/2012/wordml", "w15"},
    {"http://schemas.microsoft.com/office/word/2006/wordml", "wne"},
    {"http://schemas.microsoft.com/office/drawing/2010/main", "a14"},
    {"http://schemas.microsoft.com/office/drawing/2008/diagram", "dsp"},
    {"http://schemas.microsoft.com/office/drawing/2014/chartex", "cx"},
};

// Whether prefix is one of ours.
bool isCanonicalPrefix(std::string_view prefix) {
  return std::any_of(std::begin(kKnownNamespaces), std::end(kKnownNamespaces),
                     [prefix](const KnownNamespace& known) { return prefix == known.prefix; });
}

// nullptr for a namespace the readers do not know.
const char* canonicalPrefixOf(std::string_view uri) {
  for (const KnownNamespace& known : kKnownNamespaces) {
    if (known.uri == uri) return known.prefix;
  }
  return nullptr;
}

// The prefix given to a namespace we do not know when the part wrote it under one of ours.
constexpr const char* kUnknownPrefix = "x";

// The prefixes in scope.  A declaration pushes a binding that hides the one of the same prefix
// below it until the declaring element is left; the map points at the binding in force, so a
// lookup costs one hash whatever the depth.
class NamespaceScope {
 public:
  struct Binding {
    std::string_view prefix;  // "" for the default namespace
    const char* canonical;    // nullptr: an unknown namespace
    int hidden;               // the binding this one hides, -1 none
  };

  void bind(std::string_view prefix, std::string_view uri) {
    ++version_;
    auto [it, fresh] = current_.try_emplace(prefix, -1);
    bindings_.push_back(Binding{prefix, canonicalPrefixOf(uri), it->second});
    it->second = static_cast<int>(bindings_.size()) - 1;
  }

  std::size_t mark() const { return bindings_.size(); }

  void restore(std::size_t mark) {
    if (bindings_.size() > mark) ++version_;
    while (bindings_.size() > mark) {
      const Binding& top = bindings_.back();
      // Erased rather than left at -1: the key's text belongs to the element being left.
      if (top.hidden < 0) {
        current_.erase(top.prefix);
      } else {
        current_[top.prefix] = top.hidden;
      }
      bindings_.pop_back();
    }
  }

  // Changes whenever a binding is made or undone.
  std::uint64_t version() const { return version_; }

  const Binding* find(std::string_view prefix) const {
    auto it = current_.find(prefix);
    if (it == current_.end()) return nullptr;
    return &bindings_[static_cast<std::size_t>(it->second)];
  }

 private:
  std::vector<Binding> bindings_;
  std::unordered_map<std::string_view, int> current_;
  std::uint64_t version_ = 0;
};

// The prefix of a name ("" when it has none) and whether it has one, found without measuring the
// whole name: this runs for every element and attribute of a 16 MB part.
struct WrittenPrefix {
  std::string_view prefix;
  bool present;
};

WrittenPrefix writtenPrefixOf(const char* name) {
  for (const char* at = name; *at != '\0'; ++at) {
    if (*at == ':') return {std::string_view(name, static_cast<std::size_t>(at - name)), true};
  }
  return {std::string_view(), false};
}

bool isDeclaration(const char* name) {
  return name[0] == 'x' && name[1] == 'm' && name[2] == 'l' && name[3] == 'n' && name[4] == 's' &&
         (name[5] == '\0' || name[5] == ':');
}

// Binds the xmlns attributes of element.
void bindDeclarations(const pugi::xml_node& element, NamespaceScope& scope) {
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const char* name = attribute.name();
    if (!isDeclaration(name)) continue;
    scope.bind(name[5] == '\0' ? std::string_view() : std::string_view(name + 6), attribute.value());
  }
}

// Whether names written with this prefix, bound to this canonical prefix (nullptr: a namespace the
// readers do not know), stay as written: ours under our prefix, or another's under a prefix that
// is not one of ours.
bool staysAsWritten(std::string_view written, const char* canonical) {
  return canonical ? written == canonical : !isCanonicalPrefix(written);
}

// The canonical prefix for names written with this prefix, or nullptr when they stay as written.
// An undeclared prefix stays: "w:p" without xmlns:w is read as the writer plainly meant.
const char* prefixFor(std::string_view written, const NamespaceScope& scope) {
  if (written == "xml" || written == "xmlns") return nullptr;
  const NamespaceScope::Binding* binding = scope.find(written);
  if (binding == nullptr || staysAsWritten(written, binding->canonical)) return nullptr;
  return binding->canonical ? binding->canonical : kUnknownPrefix;
}

// prefixFor with the last answer kept: nearly every name of a part has the prefix of the name
// before it, so most lookups are a compare of a few bytes.
class PrefixLookup {
 public:
  explicit PrefixLookup(const NamespaceScope& scope) : scope_(scope) {}

  const char* operator()(std::string_view written) {
    if (version_ == scope_.version() && written == std::string_view(text_, length_)) return result_;
    const char* result = prefixFor(written, scope_);
    if (written.size() <= sizeof text_) {
      std::copy(written.begin(), written.end(), text_);
      length_ = written.size();
      version_ = scope_.version();
      result_ = result;
    }
    return result;
  }

 private:
  const NamespaceScope& scope_;
  char text_[16] = {};
  std::size_t length_ = 0;
  std::uint64_t version_ = ~std::uint64_t{0};
  const char* result_ = nullptr;
};

// Renames to prefix + the local part of name; nothing when prefix is null.
template <typename Node>
void rename(Node& node, const char* name, WrittenPrefix written, const char* prefix, std::string& buffer) {
  if (prefix == nullptr) return;
  buffer.assign(prefix);
  buffer += ':';
  buffer.append(written.present ? name + written.prefix.size() + 1 : name);
  node.set_name(buffer.c_str());
}

void renameElementAndAttributes(pugi::xml_node& element, PrefixLookup& lookup, std::string& buffer) {
  const char* name = element.name();
  const WrittenPrefix written = writtenPrefixOf(name);
  rename(element, name, written, lookup(written.prefix), buffer);
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const char* attributeName = attribute.name();
    const WrittenPrefix attributePrefix = writtenPrefixOf(attributeName);
    // Unprefixed attributes are in no namespace; declarations keep their names.
    if (!attributePrefix.present || isDeclaration(attributeName)) continue;
    rename(attribute, attributeName, attributePrefix, lookup(attributePrefix.prefix), buffer);
  }
}

// Whether every prefix that a Choice's Requires names is one the readers understand.
bool choiceUnderstood(const pugi::xml_node& choice, const NamespaceScope& scope) {
  std::string_view required = choice.attribute("Requires").value();
  if (required.empty()) required = choice.attribute("mc:Requires").value();
  bool any = false;
  while (!required.empty()) {
    const std::size_t start = required.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) break;
    required.remove_prefix(start);
    const std::size_t end = std::min(required.find_first_of(" \t\r\n"), required.size());
    const NamespaceScope::Binding* binding = scope.find(required.substr(0, end));
    if (binding == nullptr || binding->canonical == nullptr) return false;
    const std::string_view canonical = binding->canonical;
    if (std::find(std::begin(kUnderstoodChoices), std::end(kUnderstoodChoices), canonical) ==
        std::end(kUnderstoodChoices)) {
      return false;
    }
    any = true;
    required.remove_prefix(end);
  }
  return any;
}

// Deletes a subtree leaf by leaf: pugixml frees a removed node's children recursively, which
// 100,000 levels of nesting would turn into a stack overflow.
void removeSubtree(pugi::xml_node node) {
  pugi::xml_node current = node;
  for (;;) {
    while (current.first_child()) current = current.first_child();
    if (current == node) break;
    pugi::xml_node parent = current.parent();
    parent.remove_child(current);
    current = parent;
  }
  node.parent().remove_child(node);
}

// One mc:AlternateContent being walked: the branch taken so far (null until one is).
struct Alternative {
  pugi::xml_node content;
  pugi::xml_node chosen;
};

// One element entered by the walk and what to undo when it is left.
struct OpenElement {
  pugi::xml_node node;
  std::size_t scopeMark;
  bool alternative;  // an mc:AlternateContent: its chosen branch replaces it when it is left
};

class Canonicaliser {
 public:
  void run(pugi::xml_document& part) {
    pugi::xml_node node = part.first_child();
    while (node) {
      bool descend = false;
      if (node.type() == pugi::node_element) descend = enter(node);
      if (descend && node.first_child()) {
        node = node.first_child();
        continue;
      }
      if (descend) leave();
      node = nextAfter(node);
    }
  }

 private:
  // Renames node and says whether its content is walked (a branch not taken is not).
  bool enter(pugi::xml_node node) {
    moveBudget_ += kMoveBudgetPerElement;
    const std::size_t mark = scope_.mark();
    if (node.first_attribute()) bindDeclarations(node, scope_);
    renameElementAndAttributes(node, lookup_, buffer_);
    const char* written = node.name();
    if (written[0] != 'm' || written[1] != 'c' || written[2] != ':') {  // not mc: (most elements)
      open_.push_back(OpenElement{node, mark, false});
      return true;
    }
    const std::string_view name = written;
    if ((name == "mc:Choice" || name == "mc:Fallback") && !alternatives_.empty() &&
        alternatives_.back().content == node.parent()) {
      Alternative& alternative = alternatives_.back();
      const bool take = !alternative.chosen && (name == "mc:Fallback" || choiceUnderstood(node, scope_));
      if (!take) {
        scope_.restore(mark);
        return false;
      }
      alternative.chosen = node;
    }
    const bool isAlternative = name == "mc:AlternateContent";
    if (isAlternative) alternatives_.push_back(Alternative{node, pugi::xml_node()});
    open_.push_back(OpenElement{node, mark, isAlternative});
    return true;
  }

  // Leaves the innermost open element; an mc:AlternateContent gives its place to the chosen
  // branch's children (already walked, so they are not walked again).
  void leave() {
    const OpenElement element = open_.back();
    open_.pop_back();
    scope_.restore(element.scopeMark);
    if (!element.alternative) return;
    pugi::xml_node chosen = alternatives_.back().chosen;
    alternatives_.pop_back();
    if (chosen && !affordMove(chosen)) {
      keepInPlace(element.node, chosen);
      return;
    }
    pugi::xml_node parent = element.node.parent();
    if (chosen) {
      while (pugi::xml_node child = chosen.first_child()) parent.insert_move_before(child, element.node);
    }
    pendingRemoval_ = element.node;
  }

  // pugixml checks each move by walking up from the place moved to, so moving costs the depth of
  // the mc:AlternateContent.  The moves of a part may cost a budget that grows with the part;
  // past it (alternate content nested thousands deep), the chosen branch stays where it is.
  bool affordMove(const pugi::xml_node& chosen) {
    std::size_t children = 0;
    for (pugi::xml_node child = chosen.first_child(); child; child = child.next_sibling()) ++children;
    const std::size_t cost = (open_.size() + 1) * children;
    if (cost > moveBudget_) return false;
    moveBudget_ -= cost;
    return true;
  }

  // The branches not taken go; the mc:AlternateContent and the chosen branch stay around its
  // content, which readers walk through as through any element they do not know.
  void keepInPlace(const pugi::xml_node& alternative, const pugi::xml_node& chosen) {
    pugi::xml_node child = alternative.first_child();
    while (child) {
      const pugi::xml_node next = child.next_sibling();
      if (child != chosen) removeSubtree(child);
      child = next;
    }
  }

  // The node the walk visits after node's subtree: its next sibling, or that of the nearest open
  // ancestor, leaving each ancestor passed on the way up.
  pugi::xml_node nextAfter(pugi::xml_node node) {
    for (;;) {
      pugi::xml_node next = node.next_sibling();
      flushRemoval();
      if (next) return next;
      if (open_.empty()) return pugi::xml_node();
      node = open_.back().node;
      leave();
    }
  }

  void flushRemoval() {
    if (pendingRemoval_) removeSubtree(pendingRemoval_);
    pendingRemoval_ = pugi::xml_node();
  }

  NamespaceScope scope_;
  PrefixLookup lookup_{scope_};
  std::vector<OpenElement> open_;
  std::vector<Alternative> alternatives_;
  pugi::xml_node pendingRemoval_;
  std::string buffer_;
  static constexpr std::size_t kMoveBudgetPerElement = 16;
  std::size_t moveBudget_ = 1 << 20;
};

}  // namespace

bool hasCanonicalNames(const pugi::xml_document& part, std::string_view afterRootTag) {
  const pugi::xml_node root = part.document_element();
  for (pugi::xml_attribute attribute = root.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const char* name = attribute.name();
    if (!isDeclaration(name)) continue;
    const std::string_view prefix = name[5] == '\0' ? std::string_view() : std::string_view(name + 6);
    const char* canonical = canonicalPrefixOf(attribute.value());
    if (prefix.empty() ? canonical != nullptr : !staysAsWritten(prefix, canonical)) return false;
  }
  return afterRootTag.find("xmlns") == std::string_view::npos &&
         afterRootTag.find("AlternateContent") == std::string_view::npos;
}

void canonicaliseNames(pugi::xml_document& part) {
  Canonicaliser canonicaliser;
  canonicaliser.run(part);
}

}  // namespace vellumine::docx
