// Fragment readers: attribute values, element texts and relationship targets picked out of markup
// by plain substring search (element and attribute names have lost their "w:" before these run).
// Nothing here fails: what is not found gives the empty string.
#pragma once
#include <string>
#include <string_view>

#include "text/textpos.h"

namespace vellumine {

std::string AttrValue(std::string_view fragment, std::string_view name);
std::string ValAttr(std::string_view fragment, std::string_view element);
std::string RelId(std::string_view fragment);
// The Target of the relationship with exactly this Id in the relationship part's text.
std::string RelTarget(std::string_view relationships, std::string_view id);
std::string ElementText(std::string_view fragment, std::string_view element);
std::string EmptyElement(std::string_view fragment, std::string_view element);
// The next whole element at or after position (1-based); position moves past it.
std::string NextElement(std::string_view fragment, TextPos& position);
std::string TagName(std::string_view element);

}  // namespace vellumine
