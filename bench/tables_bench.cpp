// Table pass speed: documents of 500 to 8,000 tables of 10 x 10 cells with vertical merges, grid
// spans, row heights and cell properties (2,000 tables is the reference size).  The whole pass and
// its three structural steps are timed on their own, so a step that grows faster than the number
// of tables shows up under its own name.
#include <benchmark/benchmark.h>

#include <string>

#include "convert/conversion.h"
#include "convert/docx_table.h"

namespace vellumine::bench {
namespace {

constexpr int kRows = 10;
constexpr int kColumns = 10;

const char* const kStyles =
    "<styles><style type=\"table\" styleId=\"TableGrid\"><name val=\"Table Grid\"/><tblPr><tblBorders>"
    "<top val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/><left val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<bottom val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/><right val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/>"
    "<insideH val=\"single\" sz=\"4\" space=\"0\" color=\"auto\"/></tblBorders></tblPr></style></styles>";

// Column 1 is merged over rows 1-5 and 6-10, columns 3 and 4 are one spanned cell in every row,
// column 7 is merged over rows 2-4; the other cells carry width, shading and alignment.
std::string tableCell(int row, int column) {
  std::string props = "<tcW w=\"935\" type=\"dxa\"/>";
  if (column == 3) props += "<gridSpan val=\"2\"/>";
  if (column == 1) props += row == 1 || row == 6 ? "<vMerge val=\"restart\"/>" : "<vMerge/>";
  if (column == 7 && row >= 2 && row <= 4) props += row == 2 ? "<vMerge val=\"restart\"/>" : "<vMerge/>";
  if (column % 2 == 0) props += "<shd val=\"clear\" color=\"auto\" fill=\"D9D9D9\"/><vAlign val=\"center\"/>";
  return "<tc><tcPr>" + props + "</tcPr><p><pPr><jc val=\"left\"/></pPr><r><t>cell " + std::to_string(row) + "." +
         std::to_string(column) + "</t></r></p></tc>";
}

std::string tableXml() {
  std::string t = "<tbl><tblPr><tblStyle val=\"TableGrid\"/><tblW w=\"5000\" type=\"pct\"/><jc val=\"center\"/>"
                  "<tblLook val=\"04A0\"/></tblPr><tblGrid>";
  for (int column = 1; column <= kColumns; ++column) t += "<gridCol w=\"935\"/>";
  t += "</tblGrid>";
  for (int row = 1; row <= kRows; ++row) {
    t += "<tr><trPr><trHeight val=\"397\"/></trPr>";
    for (int column = 1; column <= kColumns; ++column) {
      if (column == 4) continue;  // covered by the span of column 3
      t += tableCell(row, column);
    }
    t += "</tr>";
  }
  return t + "</tbl><p><r><t>Between the tables.</t></r></p>";
}

std::string documentWithTables(long long tables) {
  const std::string one = tableXml();
  std::string doc = "<document><body>";
  doc.reserve(one.size() * static_cast<std::size_t>(tables) + 64);
  for (long long i = 0; i < tables; ++i) doc += one;
  return doc + "<sectPr/></body></document>";
}

void runStep(benchmark::State& state, void (*step)(Conversion&)) {
  const std::string doc = documentWithTables(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Conversion c;
    c.styles = kStyles;
    c.text = doc;
    state.ResumeTiming();
    step(c);
    benchmark::DoNotOptimize(c.text.data());
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
  state.counters["MB"] = static_cast<double>(doc.size()) / (1 << 20);
}

void BM_ConvertTables(benchmark::State& state) { runStep(state, convertTables); }
void BM_ConvertTableProperties(benchmark::State& state) { runStep(state, convertTableProperties); }
void BM_ConvertMergedCells(benchmark::State& state) { runStep(state, convertMergedCells); }
void BM_ConvertCellProperties(benchmark::State& state) { runStep(state, convertCellProperties); }

void tableCounts(benchmark::internal::Benchmark* b) {
  for (long long tables : {500, 1000, 2000, 4000, 8000}) b->Arg(tables);
  b->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ConvertTables)->Apply(tableCounts);
BENCHMARK(BM_ConvertTableProperties)->Apply(tableCounts);
BENCHMARK(BM_ConvertMergedCells)->Apply(tableCounts);
BENCHMARK(BM_ConvertCellProperties)->Apply(tableCounts);

}  // namespace
}  // namespace vellumine::bench
