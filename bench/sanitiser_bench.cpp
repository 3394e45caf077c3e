// The sanitiser's speed: the framed page of the generated 1, 4 and 16 MB documents (a clean page,
// so every byte is read and nothing is rewritten), the same page with a removal in every
// paragraph, and hostile pages that would expose any work above linear: 100,000 unclosed tags,
// 100,000 attributes in one tag, deep nesting, long runs of stray '<'.
#include <benchmark/benchmark.h>

#include <string>

#include "convert/ddocx.h"
#include "convert/docx_page.h"
#include "docgen.h"
#include "html/html_sanitiser.h"
#include "text/strutil.h"

namespace vellumine::bench {
namespace {

std::string generatedPage(std::size_t documentBytes) {
  const GeneratedPackage package = generatePackage(documentBytes);
  Conversion c;
  PartTexts parts{package.document, package.relationships, package.styles, package.numbering};
  loadPartTexts(c, std::move(parts));
  convert(c);
  std::string page = std::move(c.text);
  applyPageFrame(c, page);
  return page;
}

void runSanitiser(benchmark::State& state, const std::string& page) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string copy = page;
    state.ResumeTiming();
    std::string safe = html::sanitisePage(std::move(copy));
    benchmark::DoNotOptimize(safe.data());
  }
  state.SetComplexityN(static_cast<int64_t>(page.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_SanitiseGeneratedPage(benchmark::State& state) {
  const std::string page = generatedPage(static_cast<std::size_t>(state.range(0)));
  state.counters["page_MB"] = static_cast<double>(page.size()) / (1 << 20);
  runSanitiser(state, page);
}
BENCHMARK(BM_SanitiseGeneratedPage)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Every paragraph carries a handler to remove: the rebuilt page is copied piece by piece.
void BM_SanitiseGeneratedPageWithRemovals(benchmark::State& state) {
  const std::string page = ReplaceAllText(generatedPage(static_cast<std::size_t>(state.range(0))), "<p ", "<p onclick=x ");
  runSanitiser(state, page);
}
BENCHMARK(BM_SanitiseGeneratedPageWithRemovals)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

std::string repeated(std::string_view piece, std::int64_t times) {
  std::string out;
  out.reserve(piece.size() * static_cast<std::size_t>(times));
  for (std::int64_t i = 0; i < times; ++i) out += piece;
  return out;
}

void BM_UnclosedTags(benchmark::State& state) {
  runSanitiser(state, repeated("<div><b><script>x</script><svg>", state.range(0)));
}
BENCHMARK(BM_UnclosedTags)->RangeMultiplier(2)->Range(25000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_AttributesInOneTag(benchmark::State& state) {
  runSanitiser(state, "<img" + repeated(" a=1 onerror=x src=\"http://e/\"", state.range(0) / 3) + ">");
}
BENCHMARK(BM_AttributesInOneTag)->RangeMultiplier(2)->Range(25000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_DeepNesting(benchmark::State& state) {
  const std::int64_t depth = state.range(0);
  runSanitiser(state, repeated("<div><span style=\"color:red\">", depth) + repeated("<svg><math>", depth) +
                          repeated("</math></svg>", depth) + repeated("</span></div>", depth));
}
BENCHMARK(BM_DeepNesting)->RangeMultiplier(2)->Range(25000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_StrayLessThans(benchmark::State& state) {
  runSanitiser(state, repeated("<", state.range(0)) + "<script>x</script>" + repeated("<<!--", state.range(0)));
}
BENCHMARK(BM_StrayLessThans)->RangeMultiplier(2)->Range(25000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine::bench
