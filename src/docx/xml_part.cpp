// Parses a part in place over its own bytes (no copy of a 16 MB document part), keeps what a
// damaged part held before the fault, and renames the tree to the canonical prefixes.  Entities
// other than XML's five are never expanded: pugixml reads no DOCTYPE.
#include "docx/xml_part.h"

#include <utility>

#include "docx/xml_names.h"
#include "text/units.h"

namespace vellumine::docx {

namespace {

// Whitespace-only text is kept (parse_ws_pcdata); the DOCTYPE, comments and processing
// instructions are skipped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata;

}  // namespace

XmlPart::XmlPart(std::string_view partName, std::string bytes, Warnings& warnings) : bytes_(std::move(bytes)) {
  // The part's bytes as they come in: a part declared in a legacy single-byte encoding is turned
  // into UTF-8 here, before the parser sees it (UTF-16 and UTF-8 the parser detects itself).
  const pugi::xml_parse_result result = document_.load_buffer_inplace(bytes_.data(), bytes_.size(), kParseOptions);
  if (!result) {
    warnings.add(WarningKind::malformedXml,
                 std::string(partName) + " is damaged after byte " + DecimalText(static_cast<long long>(result.offset)));
  }
  canonicaliseNames(document_);
}

}  // namespace vellumine::docx
