// The cleaning walks the parsed tree once, iteratively (a hostile file nests deeper than any
// stack), deciding by local names compared without case: "svg:script" is a script too.
#include "media/svg_cleaner.h"

#include <pugixml.hpp>

#include <array>
#include <vector>

#include "text/chartype.h"

namespace vellumine::media {

namespace {

// Elements that run, embed or fetch something, or change other attributes over time (an
// animation can set an href to a script address).
constexpr std::array<std::string_view, 14> kRemovedElements = {
    "script", "foreignObject", "iframe", "object", "embed", "audio", "video", "handler",
    "listener", "animate", "animateMotion", "animateTransform", "set", "discard"};

// Inline pictures the metafile libraries write for the metafile's own bitmaps (libemf2svg names
// JPEG "image/jpg").
constexpr std::array<std::string_view, 4> kInlinePictures = {"data:image/png;", "data:image/jpeg;", "data:image/jpg;",
                                                             "data:image/gif;"};

std::string_view localName(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isRemovedElement(std::string_view name) {
  const std::string_view local = localName(name);
  for (std::string_view removed : kRemovedElements) {
    if (EqualsCaseless(local, removed)) return true;
  }
  return false;
}

bool containsCaseless(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    if (EqualsCaseless(text.substr(i, part.size()), part)) return true;
  }
  return false;
}

bool isInlinePicture(std::string_view value) {
  for (std::string_view prefix : kInlinePictures) {
    if (value.size() >= prefix.size() && EqualsCaseless(value.substr(0, prefix.size()), prefix)) return true;
  }
  return false;
}

// Every url( in the text names a fragment of the file (url(#clip1), url('#g')).
bool onlyFragmentUrls(std::string_view text) {
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t at = std::string_view::npos;
    for (std::size_t i = from; i + 4 <= text.size(); ++i) {
      if (EqualsCaseless(text.substr(i, 4), "url(")) {
        at = i;
        break;
      }
    }
    if (at == std::string_view::npos) return true;
    std::size_t next = at + 4;
    while (next < text.size() && (text[next] == ' ' || text[next] == '\'' || text[next] == '"')) ++next;
    if (next >= text.size() || text[next] != '#') return false;
    from = next;
  }
  return true;
}

bool isKeptAttribute(std::string_view name, std::string_view value) {
  const std::string_view local = localName(name);
  if (local.size() >= 2 && EqualsCaseless(local.substr(0, 2), "on")) return false;
  if (EqualsCaseless(local, "href") || EqualsCaseless(local, "src")) {
    return (!value.empty() && value.front() == '#') || isInlinePicture(value);
  }
  if (containsCaseless(value, "javascript:") || containsCaseless(value, "@import")) return false;
  return onlyFragmentUrls(value);
}

bool isStyleSheet(std::string_view name) { return EqualsCaseless(localName(name), "style"); }

void cleanAttributes(pugi::xml_node element) {
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute;) {
    const pugi::xml_attribute next = attribute.next_attribute();
    if (!isKeptAttribute(attribute.name(), attribute.value())) element.remove_attribute(attribute);
    attribute = next;
  }
}

// A style sheet stays when it loads nothing.
bool isInertStyleSheet(pugi::xml_node style) {
  std::string all;
  for (pugi::xml_node child = style.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) all += child.value();
  }
  return !containsCaseless(all, "@import") && onlyFragmentUrls(all);
}

bool isRemoved(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_element:
      return isRemovedElement(node.name()) || (isStyleSheet(node.name()) && !isInertStyleSheet(node));
    case pugi::node_pi:
    case pugi::node_declaration:
    case pugi::node_doctype:
    case pugi::node_comment: return true;
    default: return false;
  }
}

// Depth-first over the tree with an explicit stack of nodes still to visit.
void cleanTree(pugi::xml_node root) {
  std::vector<pugi::xml_node> pending{root};
  while (!pending.empty()) {
    pugi::xml_node element = pending.back();
    pending.pop_back();
    cleanAttributes(element);
    for (pugi::xml_node child = element.first_child(); child;) {
      const pugi::xml_node next = child.next_sibling();
      if (isRemoved(child)) {
        element.remove_child(child);
      } else if (child.type() == pugi::node_element) {
        pending.push_back(child);
      }
      child = next;
    }
  }
}

// A browser draws an SVG file only when its root is in the SVG namespace; libwmf leaves the
// declaration out, and the xlink prefix of inline pictures undeclared.
void declareNamespaces(pugi::xml_node root) {
  const std::string_view name = root.name();
  const std::size_t colon = name.find(':');
  const std::string prefixAttribute =
      colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
  for (const auto& [attribute, uri] : {std::pair<std::string, const char*>{prefixAttribute, "http://www.w3.org/2000/svg"},
                                       {"xmlns:xlink", "http://www.w3.org/1999/xlink"}}) {
    pugi::xml_attribute declared = root.attribute(attribute.c_str());
    if (!declared) declared = root.append_attribute(attribute.c_str());
    declared = uri;
  }
}

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};

}  // namespace

std::optional<std::string> cleanSvg(std::string_view svg) {
  if (svg.size() > kMaxSvgBytes) return std::nullopt;
  pugi::xml_document document;
  // Neither entities of a document type nor external files are ever read by pugixml.
  const unsigned parseOptions = pugi::parse_default & ~pugi::parse_doctype & ~pugi::parse_pi & ~pugi::parse_comments;
  if (!document.load_buffer(svg.data(), svg.size(), parseOptions)) return std::nullopt;
  const pugi::xml_node root = document.document_element();
  if (!root || !EqualsCaseless(localName(root.name()), "svg")) return std::nullopt;
  cleanTree(root);
  declareNamespaces(root);
  StringWriter out;
  out.text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  if (out.text.size() > kMaxSvgBytes) return std::nullopt;
  return std::move(out.text);
}

}  // namespace vellumine::media
