// Elements and attributes known by namespace, not by the prefix a writer chose.  After a part is
// parsed, canonicaliseNames renames every element and attribute of a known namespace to this
// program's prefix for it ("w:p", "r:id", "a:blip", "wp:extent"), whatever prefix or default
// namespace the part used, Transitional and Strict URIs alike; every later reader compares those
// names only.  Names of unknown namespaces keep the prefix they were written with, unless it is
// one of this program's prefixes: then their local name stands behind the prefix "x:".  A prefix
// used without a declaration is kept.
//
// In the same walk, each mc:AlternateContent is replaced by the children of its first mc:Choice
// whose Requires prefixes are all understood (kUnderstoodChoices), else of its mc:Fallback; an
// element whose namespace the part declares mc:Ignorable and this program does not know is left
// where it is (readers skip what they do not know).  Alternate content nested so deep that moving
// its content would cost more than the part is worth (thousands of levels) keeps the chosen branch
// where it is, inside the mc:AlternateContent, with the other branches removed.
#pragma once
#include <string_view>

#include <pugixml.hpp>

namespace vellumine::docx {

// The namespaces a Choice may require that the readers understand (by canonical prefix).
inline constexpr std::string_view kUnderstoodChoices[] = {"w", "wp", "a", "pic", "wps", "wpg", "wpc",
                                                          "v", "o", "m", "c", "w14", "wp14"};

// Renames in place; iterative (no recursion), linear in the part.
void canonicaliseNames(pugi::xml_document& part);

// Whether canonicaliseNames would leave the part as it is, told without walking it: the root
// element declares each namespace under this program's prefix for it (or, for one we do not know,
// under a prefix that is not ours), and afterRootTag (the part's text after the root's start tag)
// holds no other declaration and no mc:AlternateContent.  A mention of either in text answers
// false, never wrongly true.
bool hasCanonicalNames(const pugi::xml_document& part, std::string_view afterRootTag);

// Whether node is the element with this canonical name ("w:p").
inline bool is(const pugi::xml_node& node, const char* canonicalName) {
  return node.type() == pugi::node_element && std::string_view(node.name()) == canonicalName;
}

}  // namespace vellumine::docx
