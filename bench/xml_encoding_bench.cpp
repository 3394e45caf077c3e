// Making document parts UTF-8: the generated document as the UTF-8 it is (one scan, no copy), the
// same document stored as UTF-16 and as Shift_JIS with Japanese text in every run (converted
// through iconv), and the worst case for the converter's loop, a part where every other byte does
// not decode.  Each over 1, 4 and 16 MB, so that work above linear shows.
#include <benchmark/benchmark.h>

#include <string>

#include "docgen.h"
#include "text/convert_to_utf8.h"
#include "text/strutil.h"
#include "text/xml_encoding.h"

namespace vellumine::bench {
namespace {

std::string utf16Part(std::size_t bytes) {
  const std::string utf8 = generatePackage(bytes / 2, false).document;
  std::string part = "\xFF\xFE";
  for (char c : utf8) {  // the generated text is ASCII
    part += c;
    part += '\0';
  }
  return part;
}

// Every run's text in Japanese, stored in Shift_JIS ("\x83\x5C\x82\xA0" is two characters).
std::string shiftJisPart(std::size_t bytes) {
  std::string part = ReplaceAllText(generatePackage(bytes, false).document, "<w:t>", "<w:t>\x83\x5C\x82\xA0");
  return ReplaceAllText(part, "encoding=\"UTF-8\"", "encoding=\"Shift_JIS\"");
}

std::string halfUndecodablePart(std::size_t bytes) {
  std::string part = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
  while (part.size() < bytes) part += "\xFDx";
  return part;
}

void runConversion(benchmark::State& state, const std::string& part) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string copy = part;
    state.ResumeTiming();
    std::string text = xmlPartToUtf8(std::move(copy));
    benchmark::DoNotOptimize(text.data());
  }
  state.SetComplexityN(static_cast<int64_t>(part.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(part.size()));
}

void BM_Utf8Part(benchmark::State& state) {
  runConversion(state, generatePackage(static_cast<std::size_t>(state.range(0)), false).document);
}

void BM_Utf16Part(benchmark::State& state) { runConversion(state, utf16Part(static_cast<std::size_t>(state.range(0)))); }

void BM_ShiftJisPart(benchmark::State& state) {
  runConversion(state, shiftJisPart(static_cast<std::size_t>(state.range(0))));
}

void BM_HalfUndecodablePart(benchmark::State& state) {
  runConversion(state, halfUndecodablePart(static_cast<std::size_t>(state.range(0))));
}

BENCHMARK(BM_Utf8Part)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16Part)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisPart)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfUndecodablePart)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine::bench
