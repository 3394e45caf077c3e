// wrapHtmlDocument cuts the converted text down to the body (without the body's own section
// properties and closing tags) and wraps it in the page's head with the default style sheet.  The
// page div it closes is opened by applyPageFrame on the copy that is written out.
#include "convert/docx_skeleton.h"

#include <string_view>

#include "text/strutil.h"

namespace vellumine {

namespace {

std::string htmlHead() {
  std::string head;
  // The parts were made UTF-8 when they were loaded, whatever their declarations said.
  head += "<html>\r\n<head><meta charset=\"utf-8\"><title></title>\r\n<style>\r\n";
  head += "p{margin-top:0px;margin-bottom:0px;font-family:'Times New Roman'}\r\n";
  head += "ol,ul{margin-top:0px;margin-bottom:0px;margin-left:1em}\r\n";
  head += "table{border-collapse:collapse;}\r\n";
  head += "td{padding:1 2;border-color:gray;}\r\n";
  head += "blockquote{margin-top:0px;margin-bottom:0px;disply:inline;}\r\n";
  head += ".tab{margin-left:3em}</style></head>";
  return head;
}

// The body from its start tag up to the body's section properties (or the end of the text).
std::string_view bodyText(std::string_view text) {
  const std::size_t body = text.find("<body");
  if (body != std::string_view::npos) text.remove_prefix(body);
  const std::size_t sectPr = text.find("<sectPr");
  if (sectPr != std::string_view::npos) text = text.substr(0, sectPr);
  return text;
}

}  // namespace

void wrapHtmlDocument(Conversion& c) {
  // A line feed followed by a carriage return is stray line-end debris of some writers.
  RegexDeleteAll(c.regex, c.text, "\\n\\r");
  const std::string_view body = bodyText(c.text);
  std::string page = htmlHead();
  page.reserve(page.size() + body.size() + 32);
  page.append(body);
  c.text = ReplaceAllText(page, "<lastRenderedPageBreak/>", "");
  c.text += "</div></body></html>";
}

}  // namespace vellumine
