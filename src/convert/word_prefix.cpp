// Renames the prefix of the WordprocessingML namespace to "w:" in one left-to-right pass: only where
// the prefix begins a name (after "<", "</" or a blank inside a tag), never in text content.
#include "convert/word_prefix.h"

#include <array>

namespace vellumine {

namespace {

constexpr std::array<std::string_view, 2> kMainNamespaces{
    "\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"",
    "\"http://purl.oclc.org/ooxml/wordprocessingml/main\""};

}  // namespace

std::string wordNamespacePrefix(std::string_view part) {
  for (std::string_view ns : kMainNamespaces) {
    for (std::size_t at = part.find(ns); at != std::string_view::npos; at = part.find(ns, at + 1)) {
      // xmlns:PREFIX= stands right before the quoted namespace.
      if (at == 0 || part[at - 1] != '=') continue;
      const std::size_t nameEnd = at - 1;
      const std::size_t xmlns = part.rfind("xmlns:", nameEnd);
      if (xmlns == std::string_view::npos || nameEnd - xmlns > 64) continue;
      std::string_view prefix = part.substr(xmlns + 6, nameEnd - xmlns - 6);
      if (!prefix.empty() && prefix.find_first_of(" \t\r\n<>\"") == std::string_view::npos)
        return std::string(prefix);
    }
  }
  return {};
}

void normaliseWordPrefix(std::string& part) {
  const std::string prefix = wordNamespacePrefix(part);
  if (prefix.empty() || prefix == "w") return;
  const std::string qualified = prefix + ":";
  std::string out;
  out.reserve(part.size());
  bool insideTag = false;
  std::size_t i = 0;
  while (i < part.size()) {
    const char ch = part[i];
    const bool nameStart =
        ch == '<' || (insideTag && (ch == '/' || ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'));
    if (ch == '<') insideTag = true;
    if (ch == '>') insideTag = false;
    out += ch;
    ++i;
    if (nameStart && part.compare(i, qualified.size(), qualified) == 0) {
      out += "w:";
      i += qualified.size();
    }
  }
  part = std::move(out);
}

}  // namespace vellumine
