// Resolver speed over generated documents of 4,096 to 262,144 paragraphs (the 16 MB benchmark
// document holds about a hundred thousand): every run's format resolved by a fresh resolver, every
// list label assigned, and every table resolved with its cells' paragraphs.  Built as a model in
// code, so the numbers are the resolver's alone.  Each reports its complexity in the paragraph count.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "docx/format_resolver.h"
#include "docx/list_labels.h"

namespace vellumine::bench {
namespace {

using namespace docx;

constexpr int kRunsPerParagraph = 6;
constexpr int kRunKinds = 24;
constexpr int kParagraphsPerTable = 64;  // one 4 x 4 table after every 64 paragraphs

void addStyles(Document& d) {
  d.theme.minor.latin = "Calibri";
  d.theme.major.latin = "Calibri Light";
  d.theme.colors[4] = 0x4472C4;
  d.styles.defaultRun.size = 22;
  d.styles.defaultRun.fonts.ascii.theme = ThemeFont::minorHAnsi;
  auto add = [&](StyleType type, const std::string& id, const std::string& basedOn) -> Style& {
    Style style;
    style.type = type;
    style.styleId = id;
    if (!basedOn.empty()) style.basedOn = basedOn;
    d.styles.byId.emplace(id, static_cast<int>(d.styles.styles.size()));
    d.styles.styles.push_back(std::move(style));
    return d.styles.styles.back();
  };
  add(StyleType::paragraph, "Normal", "").isDefault = true;
  Style& heading = add(StyleType::paragraph, "Heading1", "Normal");
  heading.run.size = 32;
  heading.run.bold = true;
  heading.run.fonts.ascii.theme = ThemeFont::majorHAnsi;
  add(StyleType::paragraph, "ListParagraph", "Normal").paragraph.numbering.numId = 1;
  add(StyleType::character, "Strong", "").run.bold = true;
  Style& grid = add(StyleType::table, "Grid", "");
  grid.table.borders.insideH = Border{BorderStyle::single, 4, 0, Color{true}, false, false};
  TableStyleRegion& firstRow = grid.regions[static_cast<std::size_t>(TableRegion::firstRow)];
  firstRow.present = true;
  firstRow.run.bold = true;
  firstRow.cell.shading = Shading{ShadingPattern::clear, 0, Color{true}, Color{false, 0x4472C4}};

  AbstractNumbering list;
  list.id = 1;
  for (int level = 0; level < kListLevelCount; ++level) {
    ListLevel& l = list.levels[static_cast<std::size_t>(level)];
    l.present = true;
    l.format = level % 2 == 0 ? NumberFormat::decimal : NumberFormat::lowerLetter;
    l.text = "%" + std::to_string(level + 1) + ".";
  }
  d.numbering.abstractById[1] = 0;
  d.numbering.abstracts.push_back(list);
  NumberingInstance instance;
  instance.id = 1;
  instance.abstractId = 1;
  d.numbering.instanceById[1] = 0;
  d.numbering.instances.push_back(instance);
}

void addPropertySets(Document& d) {
  for (int kind = 1; kind < kRunKinds; ++kind) {
    RunProps props;
    if (kind % 3 == 0) props.bold = true;
    if (kind % 4 == 0) props.italic = true;
    if (kind % 5 == 0) props.styleId = "Strong";
    if (kind % 7 == 0) props.color = Color{false, static_cast<std::uint32_t>(kind * 0x010203)};
    props.size = 18 + kind % 6 * 2;
    d.runProps.items.push_back(props);
  }
  const char* styles[] = {"Normal", "Heading1", "ListParagraph"};
  for (int i = 0; i < 12; ++i) {
    ParagraphProps props;
    props.styleId = styles[i % 3];
    if (i % 3 == 2) props.numbering.level = i % 4;
    if (i % 5 == 0) props.spacing.after = 120 * i;
    d.paragraphProps.items.push_back(props);
  }
}

Paragraph paragraphAt(int index) {
  Paragraph paragraph;
  paragraph.props = static_cast<std::uint32_t>(1 + index % 12);
  for (int r = 0; r < kRunsPerParagraph; ++r) {
    Inline run;
    run.runProps = static_cast<std::uint32_t>((index * 7 + r * 5) % kRunKinds);
    run.text = "word ";
    paragraph.inlines.push_back(run);
  }
  return paragraph;
}

Table tableAt(Document& d, int index) {
  Table table;
  TableProps props;
  props.styleId = "Grid";
  d.tableProps.items.push_back(props);
  table.props = static_cast<std::uint32_t>(d.tableProps.items.size() - 1);
  for (int r = 0; r < 4; ++r) {
    Row row;
    for (int c = 0; c < 4; ++c) {
      Cell cell;
      cell.blocks.push_back(Block{paragraphAt(index + r * 4 + c)});
      row.cells.push_back(std::move(cell));
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

Document generatedDocument(int paragraphs) {
  Document d;
  addStyles(d);
  addPropertySets(d);
  d.body.blocks.reserve(static_cast<std::size_t>(paragraphs + paragraphs / kParagraphsPerTable));
  for (int i = 0; i < paragraphs; ++i) {
    d.body.blocks.push_back(Block{paragraphAt(i)});
    if (i % kParagraphsPerTable == kParagraphsPerTable - 1) d.body.blocks.push_back(Block{tableAt(d, i)});
  }
  return d;
}

void resolveBlocks(FormatResolver& resolver, const std::vector<Block>& blocks, const CellContext& context,
                   long long& resolved);

void resolveTable(FormatResolver& resolver, const Table& table, long long& resolved) {
  const ResolvedTable formats = resolver.table(table);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    for (std::size_t c = 0; c < table.rows[r].cells.size(); ++c) {
      resolveBlocks(resolver, table.rows[r].cells[c].blocks, formats.contexts[r][c], resolved);
    }
  }
}

void resolveBlocks(FormatResolver& resolver, const std::vector<Block>& blocks, const CellContext& context,
                   long long& resolved) {
  for (const Block& block : blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block.node)) {
      benchmark::DoNotOptimize(&resolver.paragraph(*paragraph, context));
      for (const Inline& run : paragraph->inlines) {
        benchmark::DoNotOptimize(&resolver.run(*paragraph, run.runProps, context));
        ++resolved;
      }
    } else {
      resolveTable(resolver, std::get<Table>(block.node), resolved);
    }
  }
}

void BM_ResolveEveryRun(benchmark::State& state) {
  const Document document = generatedDocument(static_cast<int>(state.range(0)));
  long long runs = 0;
  for (auto _ : state) {
    FormatResolver resolver(document);
    runs = 0;
    resolveBlocks(resolver, document.body.blocks, CellContext{}, runs);
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(BM_ResolveEveryRun)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// Every run with properties of its own (a document written run by run with direct formatting): each
// run is resolved in full, the cost of a cache miss times the run count.
void BM_ResolveDistinctRuns(benchmark::State& state) {
  Document document = generatedDocument(static_cast<int>(state.range(0)));
  int serial = 0;
  for (Block& block : document.body.blocks) {
    auto* paragraph = std::get_if<Paragraph>(&block.node);
    if (paragraph == nullptr) continue;
    for (Inline& run : paragraph->inlines) {
      RunProps props = document.runProps[run.runProps];
      props.spacing = ++serial;
      document.runProps.items.push_back(std::move(props));
      run.runProps = static_cast<std::uint32_t>(document.runProps.items.size() - 1);
    }
  }
  long long runs = 0;
  for (auto _ : state) {
    FormatResolver resolver(document);
    runs = 0;
    resolveBlocks(resolver, document.body.blocks, CellContext{}, runs);
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(BM_ResolveDistinctRuns)->RangeMultiplier(4)->Range(1 << 10, 1 << 14)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_AssignListLabels(benchmark::State& state) {
  const Document original = generatedDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    Document document = original;
    state.ResumeTiming();
    assignListLabels(document);
    benchmark::DoNotOptimize(document.listLabels.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssignListLabels)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine::bench
