// Attribute values, element texts and relationship targets picked out of markup fragments by
// plain, case-sensitive substring search (names have lost their "w:" before these run).
// What is not found gives the empty string.
#include "text/xmlfrag.h"

#include "text/strutil.h"

namespace vellumine {

namespace {

bool endsTagName(std::string_view element, std::size_t k) {
  char c = element[k];
  if (c == '>' || c == ' ' || c == '\t' || c == '\n' || c == '\r') return true;
  return c == '/' && k + 1 < element.size() && element[k + 1] == '>';
}

}  // namespace

std::string AttrValue(std::string_view fragment, std::string_view name) {
  return TextBetween(fragment, std::string(name) + "=\"", "\"");
}

// The value ends at the first quote followed by "/>", so further attributes after val come along
// (‹FF0000" themeColor="accent1›); callers rely on that text as it is.
std::string ValAttr(std::string_view fragment, std::string_view element) {
  return TextBetween(fragment, "<" + std::string(element) + " val=\"", "\"/>");
}

std::string RelId(std::string_view fragment) { return TextBetween(fragment, "r:id=\"", "\""); }

std::string RelTarget(std::string_view relationships, std::string_view id) {
  // The closing quote is part of the needle, so rId1 never finds rId10.
  std::string entry = TextBetween(relationships, "<Relationship Id=\"" + std::string(id) + "\"", ">");
  return TextBetween(entry, "Target=\"", "\"");
}

std::string ElementText(std::string_view fragment, std::string_view element) {
  return TextBetween(fragment, "<" + std::string(element) + ">", "</" + std::string(element) + ">");
}

std::string EmptyElement(std::string_view fragment, std::string_view element) {
  return SpanOf(fragment, "<" + std::string(element), "/>");
}

std::string NextElement(std::string_view fragment, TextPos& position) {
  TextPos p = PosFrom(fragment, "<", position);
  if (p == 0) return {};
  TextPos g = PosFrom(fragment, ">", p);
  if (g == 0) return {};
  if (fragment[static_cast<std::size_t>(g - 2)] == '/') {
    position = g;
    return StrMid(fragment, p, g - p + 1);
  }
  std::string name = TagName(fragment.substr(static_cast<std::size_t>(p - 1)));
  std::string closeTag = "</" + name + ">";
  TextPos c = PosFrom(fragment, closeTag, p + 1);
  if (c == 0) return {};
  TextPos end = c + static_cast<TextPos>(closeTag.size());
  position = end;
  return StrMid(fragment, p, end - p);
}

std::string TagName(std::string_view element) {
  std::size_t start = !element.empty() && element[0] == '<' ? 1 : 0;
  std::size_t k = start;
  while (k < element.size() && !endsTagName(element, k)) ++k;
  return std::string(element.substr(start, k - start));
}

}  // namespace vellumine
