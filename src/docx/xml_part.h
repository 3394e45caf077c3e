// A package part parsed into a tree: its bytes and the pugixml document that points into them,
// kept together because the tree is built in place (names and texts are the bytes themselves).
#pragma once
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "docx/warnings.h"

namespace vellumine::docx {

class XmlPart {
 public:
  // Parses bytes and canonicalises the names (xml_names.h).  A part that stops being well-formed
  // keeps the tree read before the fault and adds one malformedXml warning naming the part and the
  // byte; whitespace-only text is kept (a w:t holding one blank is a word space).
  XmlPart(std::string_view partName, std::string bytes, Warnings& warnings);
  XmlPart(const XmlPart&) = delete;
  XmlPart& operator=(const XmlPart&) = delete;

  // The document element, or a null node for a part with none.
  pugi::xml_node root() const { return document_.document_element(); }

 private:
  std::string bytes_;
  pugi::xml_document document_;
};

}  // namespace vellumine::docx
