// readPageSetup takes the page size and the margins from the document text (after preClean) into
// the conversion's page geometry; applyPageFrame puts the page div and the body
// padding rule built from that geometry into a copy of the finished HTML.
#include "convert/docx_page.h"

#include <string>
#include <utility>

#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/strutil.h"
#include "text/units.h"

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

// Runs the shared regex's pattern, which starts with prefix (ASCII case ignored) and cannot run
// past the ">" of its tag, over each tag that starts with prefix until one matches: the same first
// match as over the whole text, without copying the whole text into the regex.
bool matchFirstTag(Conversion& c, std::string_view prefix) {
  ByteFinder starts(c.text, prefix, true);
  ForwardFinder tagEnds(c.text, ">", false);
  for (std::size_t at = starts.next(0); at != std::string_view::npos; at = starts.next(at + 1)) {
    const std::size_t end = tagEnds.from(at);
    if (end == std::string_view::npos) {
      // No ">" from here on: the rest is one subject, and the regex tries every later start in it.
      c.regex.SetSubject(c.text.substr(at));
      return c.regex.Match();
    }
    c.regex.SetSubject(c.text.substr(at, end - at));
    if (c.regex.Match()) return true;
  }
  return false;
}

void readPageSize(Conversion& c) {
  c.regex.SetPattern("<pgSz w=\"(\\d+)\" h=\"(\\d+)\"");
  const bool found = matchFirstTag(c, "<pgSz w=\"");
  c.pageWidth = TwipsToPx(found ? c.regex.Submatch(1) : std::string(kDefaultPageWidth));
  c.pageHeight = TwipsToPx(found ? c.regex.Submatch(2) : std::string(kDefaultPageHeight));
}

void readPageMargins(Conversion& c) {
  c.regex.SetPattern("<pgMar top=\"(\\d+)\" right=\"(\\d+)\" bottom=\"(\\d+)\" left=\"(\\d+)\"");
  const bool found = matchFirstTag(c, "<pgMar top=\"");
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
  c.pageWidth = twoThirds(c.pageWidth);
  c.marginLeft = twoThirds(c.marginLeft);
  c.marginRight = twoThirds(c.marginRight);
  c.marginTop = twoThirds(c.marginTop);
}

void applyPageFrame(const Conversion& c, std::string& text) {
  constexpr std::string_view kPageStart = "<div id=\"page\">";
  constexpr std::size_t npos = std::string::npos;
  std::size_t pageAt = npos;  // just after the body start tag
  if (const std::size_t body = text.find("<body"); body != npos) {
    if (const std::size_t bodyEnd = text.find('>', body); bodyEnd != npos) pageAt = bodyEnd + 1;
  }
  // The page div ends at a ">" and never holds "</style>", so the style end is the same whether it
  // is looked for before or after the div goes in; where both go at one place, the div comes first.
  const std::size_t ruleAt = text.find("</style>");
  const std::string rule = "body{padding:" + c.marginTop + " " + c.marginRight + " " + c.marginBottom +
                           " " + c.marginLeft + ";border:none;}" + "#page{width:" + c.pageWidth +
                           "; margin:auto;}";
  struct Insertion {
    std::size_t at;
    std::string_view piece;
  };
  Insertion first{pageAt, kPageStart};
  Insertion second{ruleAt, rule};
  if (second.at < first.at) std::swap(first, second);
  // Built once, left to right: two inserts would move the whole page twice.
  std::string framed;
  framed.reserve(text.size() + kPageStart.size() + rule.size());
  std::size_t copied = 0;
  for (const Insertion& insertion : {first, second}) {
    if (insertion.at == npos) continue;
    framed.append(text, copied, insertion.at - copied);
    framed.append(insertion.piece);
    copied = insertion.at;
  }
  framed.append(text, copied);
  text = std::move(framed);
}

}  // namespace vellumine
