// Snippets wrapped in their element and parsed; a snippet that does not parse fails the test that
// wrote it.
#include "support/docx_snippets.h"

#include <gtest/gtest.h>

namespace vellumine::test {

std::string wrapIn(std::string_view name, std::string_view inner) {
  std::string xml;
  xml.reserve(inner.size() + 2 * name.size() + 5);
  xml.append("<").append(name).append(">").append(inner).append("</").append(name).append(">");
  return xml;
}

std::string repeated(std::string_view text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out.append(text);
  return out;
}

ParsedXml::ParsedXml(std::string_view xml) {
  const pugi::xml_parse_result result = document_.load_buffer(xml.data(), xml.size());
  if (!result) ADD_FAILURE() << "snippet is not well-formed (" << result.description() << " at byte " << result.offset
                             << "): " << xml.substr(0, 200);
}

}  // namespace vellumine::test
