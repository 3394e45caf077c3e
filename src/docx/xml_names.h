// Elements and attributes known by namespace, not by the prefix a writer chose.  After a part is
// parsed, canonicaliseNames renames every element and attribute of a known namespace to this
// program's prefix for it ("w:p", "r:id", "a:blip", "wp:extent"), whatever prefix or default
// namespace the part used, Transitional and Strict URIs alike; every later reader compares those
// names only.  Names of unknown namespaces keep their local name behind the prefix "x:".
//
// In the same walk, each mc:AlternateContent is replaced by the children of its first mc:Choice
// whose Requires prefixes are all understood (kUnderstoodChoices), else of its mc:Fallback; an
// element whose namespace the part declares mc:Ignorable and this program does not know is left
// where it is (readers skip what they do not know).
#pragma once
#include <string_view>

#include <pugixml.hpp>

namespace vellumine::docx {

// The namespaces a Choice may require that the readers understand (by canonical prefix).
inline constexpr std::string_view kUnderstoodChoices[] = {"w", "wp", "a", "pic", "wps", "wpg", "wpc",
                                                          "v", "o", "m", "c", "w14", "wp14"};

// Renames in place; iterative (no recursion), linear in the part.
void canonicaliseNames(pugi::xml_document& part);

// Whether node is the element with this canonical name ("w:p").
inline bool is(const pugi::xml_node& node, const char* canonicalName) {
  return node.type() == pugi::node_element && std::string_view(node.name()) == canonicalName;
}

}  // namespace vellumine::docx
