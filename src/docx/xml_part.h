// A package part parsed into a tree: its bytes and the pugixml document that points into them,
// kept together because the tree is built in place (names and texts are the bytes themselves).
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "docx/warnings.h"

namespace vellumine::docx {

class XmlPart {
 public:
  // Parses bytes and canonicalises the names (xml_names.h).  A part that stops being well-formed
  // keeps the tree read before the fault and adds one malformedXml warning naming the part and the
  // byte; whitespace-only text is kept (a w:t holding one blank is a word space).  bytes may be a
  // slice of the part with a head before it (part_slices.h): offsetInPart is what turns a byte of
  // bytes into a byte of the part in that warning.
  XmlPart(std::string_view partName, std::string bytes, Warnings& warnings, long long offsetInPart = 0);
  XmlPart(const XmlPart&) = delete;
  XmlPart& operator=(const XmlPart&) = delete;

  // The document element, or a null node for a part with none.
  pugi::xml_node root() const { return document_.document_element(); }
  // Whether the part stopped being well-formed (the tree ends where it did).
  bool damaged() const { return damaged_; }
  // The bytes the tree was parsed in, when equal bytes mean equal content anywhere in the part:
  // parsed in place as UTF-8, and no name renamed (every prefix means one namespace throughout).
  // Empty otherwise.  Nodes' offset_debug() are offsets into it.
  std::string_view sourceText() const { return namesAsWritten_ ? std::string_view(bytes_) : std::string_view(); }

 private:
  std::string bytes_;
  std::optional<std::string_view> textAfterRootTag(const pugi::xml_parse_result& result) const;

  pugi::xml_document document_;
  bool damaged_ = false;
  bool namesAsWritten_ = false;
};

}  // namespace vellumine::docx
