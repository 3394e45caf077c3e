// The model reader's speed: a generated package (docgen, with its footnotes, comments and header)
// of 1, 4 and 16 MB of document XML read into the model (parts parsed, names canonicalised,
// stories built, property sets interned), and the main part's parse and canonicalisation alone,
// so that a slower walk shows up apart from the parser.  MB/s is of document XML.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "docgen.h"
#include "docx/reader.h"
#include "docx/xml_part.h"

namespace vellumine::bench {
namespace {

// The parts as the viewer's package folder holds them.
std::map<std::string, std::string, std::less<>> partsOf(const GeneratedPackage& package) {
  return {
      {"word/document.xml", package.document},
      {"word/styles.xml", package.styles},
      {"word/numbering.xml", package.numbering},
      {"word/_rels/document.xml.rels", package.relationships},
      {"word/footnotes.xml", package.footnotes},
      {"word/comments.xml", package.comments},
      {"word/header1.xml", package.header},
  };
}

void BM_ReadDocument(benchmark::State& state) {
  const GeneratedPackage package = generatePackage(static_cast<std::size_t>(state.range(0)));
  const auto parts = partsOf(package);
  const docx::PartSource source = [&parts](std::string_view name) -> std::optional<std::string> {
    auto it = parts.find(name);
    if (it == parts.end()) return std::nullopt;
    return it->second;
  };
  for (auto _ : state) {
    docx::Warnings warnings;
    docx::Document document = docx::readDocument(source, warnings);
    benchmark::DoNotOptimize(document.body.blocks.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK(BM_ReadDocument)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Unit(benchmark::kMillisecond);

void BM_ParseMainPart(benchmark::State& state) {
  const GeneratedPackage package = generatePackage(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    docx::Warnings warnings;
    const docx::XmlPart part("word/document.xml", package.document, warnings);
    benchmark::DoNotOptimize(part.root().first_child());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(package.document.size()));
}
BENCHMARK(BM_ParseMainPart)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine::bench
