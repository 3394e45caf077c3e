// Charts of the largest size the reader keeps (10,000 points a series): reading the part, and
// drawing it as columns, lines and a scatter chart; the SVG's size is reported beside the time.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "docx/chart_reader.h"
#include "docx/xml_part.h"
#include "render/chart_svg.h"

namespace {

namespace docx = vellumine::docx;

constexpr std::size_t kPoints = 10'000;

// A chart part of the kind given (its c: element name) with series of kPoints cached values.
std::string chartPart(const char* kind, int series) {
  std::string part =
      "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"><c:chart><c:plotArea><c:";
  part += kind;
  part += '>';
  // A scatter chart's series hold x values and y values; the others categories and values.
  const bool scatter = std::string_view(kind) == "scatterChart";
  const std::string labels = scatter ? "c:xVal" : "c:cat", values = scatter ? "c:yVal" : "c:val";
  for (int s = 0; s < series; ++s) {
    part += "<c:ser><c:idx val=\"" + std::to_string(s) + "\"/><" + labels + "><c:numRef><c:numCache><c:ptCount val=\"10000\"/>";
    for (std::size_t k = 0; k < kPoints; ++k) part += "<c:pt idx=\"" + std::to_string(k) + "\"><c:v>" + std::to_string(k) + "</c:v></c:pt>";
    part += "</c:numCache></c:numRef></" + labels + "><" + values + "><c:numRef><c:numCache><c:ptCount val=\"10000\"/>";
    for (std::size_t k = 0; k < kPoints; ++k) {
      part += "<c:pt idx=\"" + std::to_string(k) + "\"><c:v>" + std::to_string((k * 37 + s * 11) % 1000) + ".5</c:v></c:pt>";
    }
    part += "</c:numCache></c:numRef></" + values + "></c:ser>";
  }
  part += "</c:";
  part += kind;
  part += "></c:plotArea><c:legend/></c:chart></c:chartSpace>";
  return part;
}

docx::Chart readPart(const std::string& bytes) {
  docx::Warnings warnings;
  const docx::XmlPart part("word/charts/chart1.xml", bytes, warnings);
  return docx::readChart(part.root(), docx::Theme{}, docx::Settings{}, warnings).value_or(docx::Chart{});
}

void BM_ReadChart(benchmark::State& state) {
  const std::string bytes = chartPart("barChart", static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(readPart(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadChart)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void drawBench(benchmark::State& state, const char* kind) {
  const docx::Chart chart = readPart(chartPart(kind, static_cast<int>(state.range(0))));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string svg = vellumine::render::drawChartSvg(chart, 960, 540).value_or(std::string());
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
}

void BM_DrawColumns(benchmark::State& state) { drawBench(state, "barChart"); }
void BM_DrawLines(benchmark::State& state) { drawBench(state, "lineChart"); }
void BM_DrawScatter(benchmark::State& state) { drawBench(state, "scatterChart"); }
BENCHMARK(BM_DrawColumns)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLines)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawScatter)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
