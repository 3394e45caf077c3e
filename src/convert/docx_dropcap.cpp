// Drop-cap paragraphs into left-floating divs.  Runs before the paragraph pass: the paragraph still
// starts with the "<p>" that pre-cleaning left and ends with "</p>".
#include "convert/docx_dropcap.h"

#include <string_view>

#include "convert/markup_scan.h"

namespace vellumine {

namespace {

constexpr std::string_view kDropCapFrame = "<framePr dropCap=\"";
constexpr std::string_view kNextDropCapFrame = "<framePr dropCap=";
constexpr std::string_view kParagraphStart = "<p>";
constexpr std::string_view kParagraphEnd = "</p>";
constexpr std::string_view kFloatOpen = "<div style=\"float:left\">";
constexpr std::string_view kFloatClose = "</div>";

}  // namespace

void convertDropCaps(Conversion& c) {
  const std::string_view text = c.text;
  std::size_t frame = text.find(kDropCapFrame);
  if (frame == std::string_view::npos) return;
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t copied = 0;
  while (frame != std::string_view::npos) {
    // The paragraph that holds the frame; a start before `copied` belongs to a paragraph already
    // wrapped (the frame stands outside any paragraph of its own) and is not wrapped twice.
    std::size_t start = findLastBetween(text, kParagraphStart, copied, frame);
    std::size_t end = text.find(kParagraphEnd, frame);
    // A frame without a paragraph end behind it has nothing to wrap, and neither has any later one.
    if (end == std::string_view::npos) break;
    end += kParagraphEnd.size();
    if (start != std::string_view::npos) {
      out.append(text, copied, start - copied);
      out += kFloatOpen;
      out.append(text, start, end - start);
      out += kFloatClose;
      copied = end;
    }
    frame = text.find(kNextDropCapFrame, end);
  }
  out.append(text, copied, std::string_view::npos);
  c.text = std::move(out);
}

}  // namespace vellumine
