// The construct passes that rewrite the document match by match or insert at many places (list
// items, lists, drop caps, links and bookmarks, drawings) and the optimiser, on one document with
// 20,000 hyperlinks, 5,000 list items, 1,000 images and 500 drop caps.  Each pass gets the text it
// would receive in a conversion (the passes before it already run), so its time is its own.
#include <benchmark/benchmark.h>

#include <string>

#include "convert/conversion.h"
#include "convert/ddocx.h"
#include "convert/docx_dropcap.h"
#include "convert/docx_field.h"
#include "convert/docx_img.h"
#include "convert/docx_link.h"
#include "convert/docx_list.h"
#include "convert/wordhtm.h"

namespace vellumine::bench {
namespace {

constexpr int kHyperlinks = 20000;
constexpr int kListItems = 5000;
constexpr int kImages = 1000;
constexpr int kDropCaps = 500;

std::string numberedParagraph(int index, int level) {
  return "<p><pPr><pStyle val=\"ListParagraph\"/><numPr><ilvl val=\"" + std::to_string(level) +
         "\"/><numId val=\"" + std::to_string(1 + index % 2) + "\"/></numPr></pPr><r><rPr><b/></rPr>Item " +
         std::to_string(index) + "</r></p>";
}

std::string linkParagraph(int index) {
  if (index % 4 == 0)
    return "<p><bookmarkStart id=\"" + std::to_string(index) + "\" name=\"_Toc" + std::to_string(index) +
           "\"/><hyperlink anchor=\"_Toc" + std::to_string(index) + "\" history=\"1\"><span>Entry " +
           std::to_string(index) + "</span></hyperlink><bookmarkEnd id=\"" + std::to_string(index) + "\"/></p>";
  return "<p>See <hyperlink r:id=\"rIdL" + std::to_string(index) + "\" history=\"1\"><span style=\"color:#0563C1\">site " +
         std::to_string(index) + "</span></hyperlink>.</p>";
}

std::string drawingParagraph(int index) {
  return "<p><drawing><wp:anchor distT=\"0\" distB=\"0\"><wp:positionH relativeFrom=\"column\"><wp:align>right"
         "</wp:align></wp:positionH><wp:extent cx=\"1828800\" cy=\"914400\"/><wp:docPr id=\"" +
         std::to_string(index) + "\" name=\"Picture\"/><a:graphic><pic:blipFill><a:blip r:embed=\"rIdI" +
         std::to_string(index) + "\"/></pic:blipFill></a:graphic></wp:anchor></drawing> caption</p>";
}

std::string dropCapParagraphs() {
  return "<p><pPr><framePr dropCap=\"drop\" lines=\"3\"/></pPr><r>O</r></p><p><r>nce upon a time</r></p>";
}

// The document text as the construct passes see it (prefixes gone, paragraph starts normalised),
// with its numbering and relationship parts.
void makeDocument(Conversion& c) {
  std::string& text = c.text;
  int links = 0, items = 0, images = 0, dropCaps = 0;
  constexpr int kLevels[] = {0, 1, 1, 0, 0};
  while (links < kHyperlinks || items < kListItems || images < kImages || dropCaps < kDropCaps) {
    for (int k = 0; k < 20 && links < kHyperlinks; ++k) text += linkParagraph(links++);
    for (int k = 0; k < 5 && items < kListItems; ++k, ++items) text += numberedParagraph(items, kLevels[k]);
    text += "<p>between the lists</p>";
    if (images < kImages) text += drawingParagraph(images++);
    if (dropCaps < kDropCaps) {
      text += dropCapParagraphs();
      ++dropCaps;
    }
  }
  c.numbering =
      "<numbering><abstractNum abstractNumId=\"0\"><lvl ilvl=\"0\"><numFmt val=\"decimal\"/></lvl></abstractNum>"
      "<abstractNum abstractNumId=\"1\"><lvl ilvl=\"0\"><numFmt val=\"bullet\"/></lvl></abstractNum>"
      "<num numId=\"1\"><abstractNumId val=\"0\"/></num><num numId=\"2\"><abstractNumId val=\"1\"/></num></numbering>";
  c.relationships = "<Relationships>";
  for (int k = 0; k < kHyperlinks; ++k)
    c.relationships += "<Relationship Id=\"rIdL" + std::to_string(k) +
                       "\" Type=\"http://x/hyperlink\" Target=\"http://example.com/page" + std::to_string(k) +
                       "\" TargetMode=\"External\"/>";
  for (int k = 0; k < kImages; ++k)
    c.relationships += "<Relationship Id=\"rIdI" + std::to_string(k) + "\" Type=\"http://x/image\" Target=\"media/image" +
                       std::to_string(k) + ".png\"/>";
  c.relationships += "</Relationships>";
}

using Pass = void (*)(Conversion&);
constexpr Pass kPasses[] = {markListItems, buildLists, convertDropCaps, convertLinks, convertDrawings, optimize};

void BM_ConstructPass(benchmark::State& state, std::size_t passIndex) {
  Conversion before;
  makeDocument(before);
  for (std::size_t k = 0; k < passIndex; ++k) kPasses[k](before);
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    c.text = before.text;
    c.numbering = before.numbering;
    c.relationships = before.relationships;
    c.hasListItems = before.hasListItems;
    state.ResumeTiming();
    kPasses[passIndex](c);
    benchmark::DoNotOptimize(c.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(before.text.size()));
}

BENCHMARK_CAPTURE(BM_ConstructPass, markListItems, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructPass, buildLists, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructPass, convertDropCaps, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructPass, convertLinks, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructPass, convertDrawings, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructPass, optimize, 5)->Unit(benchmark::kMillisecond);

// Field instructions that never close, 100,000 of them between a field's begin and end markers
// (and the same with one closing instruction at the very end): convertFields on its own.
void BM_HostileFields(benchmark::State& state, bool closedAtTheEnd) {
  std::string text = "<p><fldChar fldCharType=\"begin\"/>";
  for (int i = 0; i < 100000; ++i) text += "<instrText>x";
  if (closedAtTheEnd) text += "</instrText>";
  text += "<fldChar fldCharType=\"end\"/></p>";
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    c.text = text;
    state.ResumeTiming();
    convertFields(c);
    benchmark::DoNotOptimize(c.text.data());
  }
}
BENCHMARK_CAPTURE(BM_HostileFields, unclosed, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileFields, closedAtTheEnd, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine::bench
