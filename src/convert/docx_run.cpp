// Runs (after pre-cleaning: "<r>", an optional "<rPr>..</rPr>", the text, "</r>") to HTML.
// convertRuns works on one paragraph's content for the paragraph pass: toggles become b, i, u, sub
// and sup (an underline "none" is none), font/size/colour/highlight become a span.  finishRuns, after the paragraph pass, strips
// the run markup left in the whole document text and merges neighbouring identical spans.
#include "convert/docx_run.h"

#include <algorithm>
#include <vector>

#include "convert/docx_css.h"
#include "convert/markup_scan.h"
#include "text/bytesearch.h"
#include "text/chartype.h"
#include "text/strutil.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A run with its properties is what "<r[^>]*><rPr>.*?</rPr>(.+?)</r>" matches (ASCII case
// ignored, "." taking line breaks too).  The properties may be empty ("<rPr></rPr>", as some
// writers leave them): a pattern that wanted one byte there would run on to the next run's
// "</rPr>" and swallow the text between.
struct RunExtent {
  std::size_t start = npos;
  std::size_t textStart = npos;  // just after "</rPr>": what the pattern's group 1 captures
  std::size_t end = npos;        // just after "</r>"
};

// Finds the runs that pattern matches, left to right, in linear time: the pattern's lazy parts
// end at the first "</rPr>" and the first "</r>" after it, so plain scans give the same matches,
// and a content full of unclosed runs costs one scan instead of one per run start.
class RunScanner {
 public:
  explicit RunScanner(std::string_view content)
      : content_(content), tagEnd_(content, ">", false),
        propsEnd_(content, "</rPr>", true),
        runEnd_(content, "</r>", true) {}

  RunExtent next(std::size_t from) {
    for (std::size_t start = findBytesCaseless(content_, "<r", from); start != npos;
         start = findBytesCaseless(content_, "<r", start + 1)) {
      std::size_t tagEnd = tagEnd_.from(start + 2);
      if (tagEnd == npos) break;  // no later start has a tag end either
      if (!EqualsCaselessAt(content_, tagEnd + 1, "<rPr>")) continue;
      std::size_t propsEnd = propsEnd_.from(tagEnd + 1 + 5);  // ".*?": empty properties too
      if (propsEnd == npos) break;
      std::size_t runEnd = runEnd_.from(propsEnd + 6 + 1);
      if (runEnd == npos) break;
      return {start, propsEnd + 6, runEnd + 4};
    }
    return {};
  }

 private:
  std::string_view content_;
  ForwardFinder tagEnd_;
  ForwardFinder propsEnd_;
  ForwardFinder runEnd_;
};

std::string fontDeclaration(std::string_view font, std::string_view size) {
  std::string css;
  if (!font.empty() && !size.empty()) {
    css.append("font:normal ").append(size).append(" '").append(font).append("';");
    return css;
  }
  if (!font.empty()) css.append("font-family:'").append(font).append("';");
  if (!size.empty()) css.append("font-size:").append(size).append(";");
  return css;
}

// Deletes every match of pattern in the text before limit; the tail from limit on is kept.  The
// callers pass the end of the last place a match can end, so that starts beyond it, which could
// only fail after scanning to the end of the text, are never tried.
void deleteMatchesBefore(Conversion& c, std::string_view pattern, std::size_t limit) {
  if (limit == npos) return;
  // The tail is set aside and put back, so the head is rewritten without a copy of its own.
  std::string tail = c.text.substr(limit);
  c.text.resize(limit);
  RegexDeleteAll(c.regex, c.text, pattern);
  c.text += tail;
}

// wrapOnMarker, where a marker that begins with unless marks no run ("<u val=\"none\"" is an
// underline that draws nothing); an empty unless skips nothing.
void wrapMarkedRuns(std::string& content, std::string_view marker, std::string_view name,
                    std::string_view unless) {
  const auto nextMarker = [&](std::size_t from) {
    std::size_t at = findBytes(content, marker, from);
    while (at != npos && !unless.empty() && content.compare(at, unless.size(), unless) == 0) {
      at = findBytes(content, marker, at + 1);
    }
    return at;
  };
  std::size_t markerAt = nextMarker(0);
  if (markerAt == npos) return;
  struct Insertion {
    std::size_t at;
    bool opening;
  };
  std::vector<Insertion> insertions;
  ForwardFinder propsEnd(content, "</rPr>", false);
  while (markerAt != npos) {
    std::size_t runEnd = findBytes(content, "</r>", markerAt);
    if (runEnd == npos) break;
    std::size_t propsAt = propsEnd.from(markerAt);
    if (propsAt != npos) insertions.push_back({propsAt + 6, true});
    insertions.push_back({runEnd, false});
    markerAt = nextMarker(runEnd);
  }
  if (insertions.empty()) return;
  // Runs without their own "</rPr>" can put an opening tag behind a later closing one; keep the
  // text order, and at one position the opening tag first.
  std::stable_sort(insertions.begin(), insertions.end(),
                   [](const Insertion& a, const Insertion& b) { return a.at < b.at; });
  std::string open = "<";
  open.append(name).append(">");
  std::string close = "</";
  close.append(name).append(">");
  std::string out;
  out.reserve(content.size() + insertions.size() * close.size());
  std::size_t copied = 0;
  for (const Insertion& insertion : insertions) {
    out.append(content, copied, insertion.at - copied);
    out += insertion.opening ? open : close;
    copied = insertion.at;
  }
  out.append(content, copied);
  content = std::move(out);
}

}  // namespace

void wrapOnMarker(std::string& content, std::string_view marker, std::string_view name) {
  wrapMarkedRuns(content, marker, name, {});
}

void wrapToggle(std::string& content, std::string_view name) {
  std::string marker = "<";
  marker.append(name).append("/>");
  wrapOnMarker(content, marker, name);
}

RunSpan runSpan(std::string_view run, std::string_view paragraphCss) {
  std::string_view font = ViewBetween(run, "<rFonts ascii=\"", "\"");
  std::string_view colour = ViewBetween(run, "<color val=\"", "\"/>");
  std::string_view size = ViewBetween(run, "<sz val=\"", "\"/>");
  if (size.empty()) size = ViewBetween(run, "<szCs val=\"", "\"/>");
  std::string_view highlight = ViewBetween(run, "<highlight val=\"", "\"/>");

  std::string css;
  std::string fontCss = fontDeclaration(font, fontSizeToPx(size));
  if (!fontCss.empty() && !containsBytes(paragraphCss, fontCss)) css += fontCss;
  if (!colour.empty()) {
    std::string colourCss = "color:#";
    colourCss.append(colour).append(";");
    if (!containsBytes(paragraphCss, colourCss)) css += colourCss;
  }
  if (!highlight.empty()) css.append("background-color:").append(highlight).append(";");
  if (css.empty()) return {};
  return {"<span style=\"" + css + "\">", "</span>"};
}

void convertRuns(std::string& content, std::string_view paragraphCss) {
  wrapToggle(content, "b");
  wrapToggle(content, "i");
  wrapMarkedRuns(content, "<u val", "u", "<u val=\"none\"");
  wrapOnMarker(content, "val=\"subscript\"", "sub");
  wrapOnMarker(content, "val=\"superscript\"", "sup");

  RunScanner scanner(content);
  RunExtent run = scanner.next(0);
  if (run.start == npos) return;
  std::string out;
  out.reserve(content.size() + content.size() / 2);
  std::size_t copied = 0;
  // Each run the scanner finds (see RunExtent): its text, in the run's span if it needs one,
  // replaces the whole run.  The text goes in as it stands, and so do the values read from the
  // run's properties.
  for (; run.start != npos; run = scanner.next(run.end)) {
    out.append(content, copied, run.start - copied);
    const std::string_view whole = std::string_view(content).substr(run.start, run.end - run.start);
    const RunSpan span = runSpan(whole, paragraphCss);
    out += span.open;
    out.append(content, run.textStart, run.end - 4 - run.textStart);
    out += span.close;
    copied = run.end;
  }
  out.append(content, copied);
  content = std::move(out);
}

void finishRuns(Conversion& c) {
  std::size_t lastPropsEnd = rfindBytesCaseless(c.text, "</rPr>");
  deleteMatchesBefore(c, "<rPr>.*?</rPr>", lastPropsEnd == npos ? npos : lastPropsEnd + 6);
  std::size_t lastTagEnd = c.text.rfind('>');
  deleteMatchesBefore(c, "<r[^>]*>", lastTagEnd == npos ? npos : lastTagEnd + 1);
  ReplaceAllInPlace(c.text, "</r>", "", true);  // what the caseless regex "</r>" deletes
  c.text = MergeAdjacentElements(c.text, "span");
}

}  // namespace vellumine
