// Parses a part in place over its own bytes (no copy of a 16 MB document part), keeps what a
// damaged part held before the fault, and renames the tree to the canonical prefixes.  Entities
// other than XML's five are never expanded: pugixml reads no DOCTYPE.
#include "docx/xml_part.h"

#include <algorithm>
#include <utility>

#include "docx/xml_names.h"
#include "text/units.h"
#include "text/xml_encoding.h"

namespace vellumine::docx {

namespace {

// Whitespace-only text is kept (parse_ws_pcdata); the DOCTYPE, comments and processing
// instructions are skipped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata;

}  // namespace

namespace {

// A part in UTF-16 or a legacy encoding (Shift_JIS, windows-1252, ...) becomes UTF-8 before the
// parser sees it; a part in UTF-8 comes back as it is.  An EBCDIC part reads as empty.
std::string asUtf8(std::string_view partName, std::string bytes, Warnings& warnings) {
  try {
    return xmlPartToUtf8(std::move(bytes));
  } catch (const EEncodingError&) {
    warnings.add(WarningKind::unreadablePart, std::string(partName) + " is written in EBCDIC, which this program cannot read");
    return {};
  }
}

}  // namespace

XmlPart::XmlPart(std::string_view partName, std::string bytes, Warnings& warnings, long long offsetInPart)
    : bytes_(asUtf8(partName, std::move(bytes), warnings)) {
  // The parser ends the buffer with a terminator it writes over the last byte; given the string's
  // own terminator as that byte, a part cut off in its text keeps all of it.
  const pugi::xml_parse_result result = document_.load_buffer_inplace(bytes_.data(), bytes_.size() + 1, kParseOptions);
  if (!result) {
    damaged_ = true;
    const long long offset = std::max(0LL, static_cast<long long>(result.offset) + offsetInPart);
    warnings.add(WarningKind::malformedXml, std::string(partName) + " is damaged after byte " + DecimalText(offset));
  }
  const std::optional<std::string_view> afterRootTag = textAfterRootTag(result);
  namesAsWritten_ = afterRootTag && hasCanonicalNames(document_, *afterRootTag);
  if (!namesAsWritten_) canonicaliseNames(document_);
}

// The part's text after its root's start tag, where hasCanonicalNames looks for declarations and
// alternate content: the bytes themselves when the parser read them as UTF-8 in place; nullopt for
// a part it converted (that one is walked).
std::optional<std::string_view> XmlPart::textAfterRootTag(const pugi::xml_parse_result& result) const {
  const pugi::xml_node root = document_.document_element();
  if (result.encoding != pugi::encoding_utf8 || !root) return std::nullopt;
  const pugi::xml_node first = root.first_child();
  if (!first) return std::string_view();
  const std::ptrdiff_t at = first.offset_debug();
  if (at < 0 || static_cast<std::size_t>(at) > bytes_.size()) return std::nullopt;
  return std::string_view(bytes_).substr(static_cast<std::size_t>(at));
}

}  // namespace vellumine::docx
