// readPageSetup takes the page size, the margins and the XML encoding from the document text (after
// preClean) into the conversion's page geometry; applyPageFrame puts the page div and the body
// padding rule built from that geometry into a copy of the finished HTML.
#include "convert/docx_page.h"

#include "convert/ddocx.h"

#include "text/strutil.h"
#include "text/units.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

// A document without a page-size or page-margin element of the form below gets a US Letter page
// with one-inch margins, as if those twips had been read.
constexpr std::string_view kDefaultPageWidth = "12240";
constexpr std::string_view kDefaultPageHeight = "15840";
constexpr std::string_view kDefaultMargin = "1440";

// The page frame scales the horizontal measures and the top margin to two thirds.
std::string twoThirds(std::string_view pixels) {
  return std::to_string(NearestQuotient(StrToInt(pixels) * 2LL, 3));
}

void readPageSize(Conversion& c) {
  c.regex.SetPattern("<pgSz w=\"(\\d+)\" h=\"(\\d+)\"");
  c.regex.SetSubject(c.text);
  const bool found = c.regex.Match();
  c.pageWidth = TwipsToPx(found ? c.regex.Submatch(1) : std::string(kDefaultPageWidth));
  c.pageHeight = TwipsToPx(found ? c.regex.Submatch(2) : std::string(kDefaultPageHeight));
}

void readPageMargins(Conversion& c) {
  c.regex.SetPattern("<pgMar top=\"(\\d+)\" right=\"(\\d+)\" bottom=\"(\\d+)\" left=\"(\\d+)\"");
  c.regex.SetSubject(c.text);
  const bool found = c.regex.Match();
  auto margin = [&](int group) {
    return TwipsToPx(found ? c.regex.Submatch(group) : std::string(kDefaultMargin));
  };
  c.marginTop = margin(1);
  c.marginRight = margin(2);
  c.marginBottom = margin(3);
  c.marginLeft = margin(4);
}

}  // namespace

void readPageSetup(Conversion& c) {
  readPageSize(c);
  readPageMargins(c);
  c.regex.SetSubject(std::string());  // release the copy of the document text
  c.documentEncoding = AttrValue(c.text, "encoding");
  c.pageWidth = twoThirds(c.pageWidth);
  c.marginLeft = twoThirds(c.marginLeft);
  c.marginRight = twoThirds(c.marginRight);
  c.marginTop = twoThirds(c.marginTop);
}

void applyPageFrame(const Conversion& c, std::string& text) {
  const std::size_t body = text.find("<body");
  if (body != std::string::npos) {
    const std::size_t bodyEnd = text.find('>', body);
    if (bodyEnd != std::string::npos) text.insert(bodyEnd + 1, "<div id=\"page\">");
  }
  const std::string rule = "body{padding:" + c.marginTop + " " + c.marginRight + " " + c.marginBottom +
                           " " + c.marginLeft + ";border:none;}" + "#page{width:" + c.pageWidth +
                           "; margin:auto;}";
  const std::size_t styleEnd = text.find("</style>");
  if (styleEnd != std::string::npos) text.insert(styleEnd, rule);
}

}  // namespace vellumine
