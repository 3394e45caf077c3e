// convertFields runs after every construct pass: it drops field instructions and turns the field
// markers between the document's first field begin and its last field end into right-floating spans,
// which gives a table of contents its page-number column.  The text between keeps its markup.
#include "convert/docx_field.h"

#include <string_view>

#include "text/strutil.h"

namespace vellumine {

namespace {

constexpr std::string_view kFieldBegin = "<fldChar fldCharType=\"begin\"/>";
constexpr std::string_view kFieldEnd = "<fldChar fldCharType=\"end\"/>";
constexpr std::string_view kFieldSeparate = "<fldChar fldCharType=\"separate\"/>";
constexpr std::string_view kInstruction = "<instrText.+?</instrText>";

// The field markers between the outer begin and end: begins open a float, the rest is cleaned.
std::string convertFieldMiddle(Conversion& c, std::string middle) {
  RegexDeleteAll(c.regex, middle, kInstruction);
  middle = ReplaceAllText(middle, kFieldBegin, "<span style=\"float:right\">");
  middle = ReplaceAllText(middle, kFieldSeparate, "");
  RegexDeleteAll(c.regex, middle, "<span[^>]+></span>");
  RegexDeleteAll(c.regex, middle, "<b [^>]+></b>");
  return middle;
}

}  // namespace

void convertFields(Conversion& c) {
  if (c.text.find("<fldChar") == std::string::npos) return;
  RegexDeleteAll(c.regex, c.text, kInstruction);

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
