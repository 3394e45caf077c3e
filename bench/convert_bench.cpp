// Conversion speed over a generated document of 1, 4 and 16 MB of document XML (MB/s is reported by
// bytes processed): the faithful page whole (model read, lists numbered, page written and
// sanitised), the exact page (pass table and stories), and each pass on its own on the 4 MB
// document, so a pass that grows faster than the text shows up under its own name.
#include <benchmark/benchmark.h>

#include <string>

#include <map>
#include <optional>

#include "app/page_writer.h"
#include "convert/ddocx.h"
#include "docx/list_labels.h"
#include "docx/reader.h"
#include "render/page_render.h"
#include "convert/docx_page.h"
#include "convert/word_prefix.h"
#include "html/html_sanitiser.h"
#include "text/strutil.h"
#include "text/heap_tuning.h"
#include "docgen.h"

namespace vellumine::bench {
namespace {

// The parts as loadDocumentParts leaves them: companion names without "w:", the style table built.
void loadGenerated(Conversion& c, const GeneratedPackage& package) {
  loadPartTexts(c, {package.document, package.relationships, package.styles, package.numbering});
}

// As both programs do at start: the texts of one pass reuse the pages of the last.
const bool kHeapTuned = (KeepLargeTextsInHeap(), true);

// The stories of a generated package as the converter reads them from its folder.
StoryTexts storiesOf(const GeneratedPackage& package) {
  StoryTexts texts;
  if (package.footnotes.empty()) return texts;
  texts.footnotes.push_back({package.footnotes, ""});
  texts.comments.push_back({package.comments, ""});
  texts.header = {package.header, ""};
  return texts;
}

// The whole document; range(1): 0 a document without stories, 1 with a footnote and a comment
// per block and a header, 2 that document with its stories left out (the main part's page).
void BM_Convert(benchmark::State& state) {
  const bool withStories = state.range(1) != 0;
  const GeneratedPackage package = generatePackage(static_cast<std::size_t>(state.range(0)), withStories);
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    c.settings.includeStories = state.range(1) != 2;
    loadGenerated(c, package);
    StoryTexts stories = storiesOf(package);
    state.ResumeTiming();
    convertDocument(c, std::move(stories));
    benchmark::DoNotOptimize(c.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK(BM_Convert)
    ->ArgsProduct({benchmark::CreateRange(1 << 20, 16 << 20, 4), {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// The faithful page as the programs write it, from the package's parts to the sanitised page;
// range(1): 1 with the footnote, comment and header parts, 0 without.
void BM_FaithfulPage(benchmark::State& state) {
  const GeneratedPackage package = generatePackage(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
  std::map<std::string, std::string, std::less<>> parts{{"word/document.xml", package.document},
                                                        {"word/styles.xml", package.styles},
                                                        {"word/numbering.xml", package.numbering},
                                                        {"word/_rels/document.xml.rels", package.relationships}};
  if (!package.footnotes.empty()) {
    parts.insert({{"word/footnotes.xml", package.footnotes}, {"word/comments.xml", package.comments},
                  {"word/header1.xml", package.header}});
  }
  const docx::PartSource source = [&parts](std::string_view name) -> std::optional<std::string> {
    const auto it = parts.find(name);
    if (it == parts.end()) return std::nullopt;
    return it->second;
  };
  for (auto _ : state) {
    docx::Warnings warnings;
    docx::Document document = docx::readDocument(source, warnings);
    docx::assignListLabels(document);
    std::string page = finishedPage(render::renderPage(document, render::PageOptions{}, warnings));
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK(BM_FaithfulPage)
    ->ArgsProduct({benchmark::CreateRange(1 << 20, 16 << 20, 4), {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The exact page as the programs write it, framed, on the 16 MB document; range(0): 1 through the
// sanitiser as every written page goes, 0 without it (what the sanitiser adds to the whole).
void BM_WrittenPage(benchmark::State& state) {
  const GeneratedPackage package = generatePackage(16 << 20, false);
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    loadGenerated(c, package);
    state.ResumeTiming();
    convertDocument(c, StoryTexts{});
    std::string page = std::move(c.text);
    applyPageFrame(c, page);
    if (state.range(0) != 0) page = html::sanitisePage(std::move(page));
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK(BM_WrittenPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The "w:" prefix struck from names only (markup walked, text and values kept) beside the plain
// deletion of every "w:" that it replaced, on the 16 MB document.
void BM_WordPrefix(benchmark::State& state, bool namesOnly) {
  const GeneratedPackage package = generatePackage(16 << 20, false);
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = package.document;
    state.ResumeTiming();
    if (namesOnly) {
      stripWordPrefix(text);
    } else {
      ReplaceAllInPlace(text, "w:", "");
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK_CAPTURE(BM_WordPrefix, names, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordPrefix, everywhere, false)->Unit(benchmark::kMillisecond);

// The text each pass receives, made once by running the passes before it.
void BM_Pass(benchmark::State& state, std::size_t stepIndex) {
  const GeneratedPackage package = generatePackage(4 << 20, false);
  Conversion before;
  loadGenerated(before, package);
  const auto steps = conversionSteps();
  for (std::size_t i = 0; i < stepIndex; ++i) {
    if (steps[i].run != nullptr) steps[i].run(before);
  }
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    loadGenerated(c, package);
    c.text = before.text;
    c.pageWidth = before.pageWidth;
    c.styleTable = before.styleTable;
    c.hasListItems = before.hasListItems;
    state.ResumeTiming();
    steps[stepIndex].run(c);
    benchmark::DoNotOptimize(c.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(before.text.size()));
}

const bool kPassBenchmarksRegistered = [] {
  const auto steps = conversionSteps();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].run == nullptr) continue;
    const std::string name = "BM_Pass/" + std::to_string(i) + "/" + std::string(steps[i].passName);
    benchmark::RegisterBenchmark(name.c_str(), BM_Pass, i)->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace vellumine::bench
