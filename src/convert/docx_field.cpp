// convertFields runs after every construct pass: it drops field instructions and turns the field
// markers between the document's first field begin and its last field end into right-floating spans,
// which gives a table of contents its page-number column.  The text between keeps its markup.
#include "convert/docx_field.h"

#include <string_view>

#include "text/bytesearch.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

constexpr std::string_view kFieldBegin = "<fldChar fldCharType=\"begin\"/>";
constexpr std::string_view kFieldEnd = "<fldChar fldCharType=\"end\"/>";
constexpr std::string_view kFieldSeparate = "<fldChar fldCharType=\"separate\"/>";
constexpr std::string_view kInstructionStart = "<instrText";
constexpr std::string_view kInstructionEnd = "</instrText>";

// Deletes what "<instrText.+?</instrText>" matches (letter case ignored, at least one byte
// between), as a scan: an instruction whose end tag never comes ends the search at once, where
// the lazy pattern would read the rest of the text from every later start.
void deleteInstructions(std::string& text) {
  std::size_t start = findBytesCaseless(text, kInstructionStart, 0);
  if (start == std::string::npos) return;
  std::string out;
  std::size_t copied = 0;
  while (start != std::string::npos) {
    const std::size_t end = findBytesCaseless(text, kInstructionEnd, start + kInstructionStart.size() + 1);
    if (end == std::string::npos) break;  // no later start has an end tag either
    if (out.empty()) out.reserve(text.size());
    out.append(text, copied, start - copied);
    copied = end + kInstructionEnd.size();
    start = findBytesCaseless(text, kInstructionStart, copied);
  }
  if (copied == 0) return;
  out.append(text, copied);
  text = std::move(out);
}

// The field markers between the outer begin and end: begins open a float, the rest is cleaned.
std::string convertFieldMiddle(Conversion& c, std::string middle) {
  deleteInstructions(middle);
  middle = ReplaceAllText(middle, kFieldBegin, "<span style=\"float:right\">");
  middle = ReplaceAllText(middle, kFieldSeparate, "");
  RegexDeleteAll(c.regex, middle, "<span[^>]+></span>");
  RegexDeleteAll(c.regex, middle, "<b [^>]+></b>");
  return middle;
}

}  // namespace

void convertFields(Conversion& c) {
  if (c.text.find("<fldChar") == std::string::npos) return;
  deleteInstructions(c.text);

  const std::size_t begin = c.text.find(kFieldBegin);
  if (begin == std::string::npos) return;
  const std::size_t middleStart = begin + kFieldBegin.size();
  // The last end marker that starts behind the first begin marker.
  const std::size_t end = c.text.rfind(kFieldEnd);
  if (end == std::string::npos || end < middleStart) return;

  std::string middle = convertFieldMiddle(c, c.text.substr(middleStart, end - middleStart));
  std::string out;
  out.reserve(c.text.size());
  out.append(c.text, 0, begin);
  out.append(middle);
  out.append(c.text, end + kFieldEnd.size());
  c.text = std::move(out);
}

}  // namespace vellumine
