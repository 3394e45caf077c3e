// Arbitrary bytes through the whole converter: a 7-byte header picks the optimise and page-setting
// flags and the lengths of the document, style and numbering parts; the relationships get the rest.
// With the header's third flag the document bytes also stand in for the footnotes, comments and
// header parts, so the stories and their marks run over the same input.  The parts are loaded as
// from a package, converted, and the page frame applied.  A number that is
// not a number ends a conversion with EConvertError, the one failure a document may cause.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "convert/ddocx.h"
#include "convert/docx_page.h"
#include "text/units.h"
#include "text/xml_encoding.h"

namespace {

constexpr std::size_t kHeaderBytes = 7;

// Takes the next part, its length being the little-endian 16-bit value at header[at], clamped.
std::string takePart(const std::uint8_t* header, std::size_t at, const char*& rest, std::size_t& left) {
  const std::size_t wanted = static_cast<std::size_t>(header[at]) | static_cast<std::size_t>(header[at + 1]) << 8;
  const std::size_t length = std::min(wanted, left);
  std::string part(rest, length);
  rest += length;
  left -= length;
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  const char* rest = reinterpret_cast<const char*>(data + kHeaderBytes);
  std::size_t left = size - kHeaderBytes;
  vellumine::PartTexts parts;
  parts.document = takePart(data, 1, rest, left);
  parts.styles = takePart(data, 3, rest, left);
  parts.numbering = takePart(data, 5, rest, left);
  parts.relationships.assign(rest, left);

  vellumine::Conversion c;
  c.settings.optimizeHtml = (data[0] & 1) != 0;
  c.settings.useOriginalPageSetting = (data[0] & 2) != 0;
  c.settings.includeStories = (data[0] & 4) != 0;
  vellumine::StoryTexts stories;
  if (c.settings.includeStories) {
    stories.footnotes.push_back({parts.document, parts.relationships});
    stories.comments.push_back({parts.document, parts.relationships});
    stories.header = {parts.document, parts.relationships};
  }
  try {
    vellumine::loadPartTexts(c, std::move(parts));
    vellumine::convertDocument(c, std::move(stories));
    std::string page = std::move(c.text);
    vellumine::applyPageFrame(c, page);
  } catch (const vellumine::EConvertError&) {
  } catch (const vellumine::EEncodingError&) {
  }
  return 0;
}
