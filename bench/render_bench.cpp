// The faithful page written from a document model built in code, as large as the generated
// benchmark documents of 1, 4 and 16 MB (the same mix of blocks, counted as docgen counts them):
// headings, styled runs, lists with labels, tables with merged cells, links and bookmarks,
// pictures, fields with tabs, a footnote and a comment for every block.  Only the writer is timed;
// the model is built once per size.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "docgen.h"
#include "docx/model.h"
#include "docx/warnings.h"
#include "render/page_render.h"
#include "support/document_builder.h"

namespace {

using vellumine::docx::InlineKind;
using vellumine::test::DocumentBuilder;
using vellumine::test::mark;
using vellumine::test::paragraph;
using vellumine::test::text;
namespace docx = vellumine::docx;

// How many blocks the generated document part of this size holds (each has one table).
std::size_t blocksFor(std::size_t bytes) {
  const std::string document = vellumine::bench::generatePackage(bytes).document;
  std::size_t blocks = 0;
  for (std::size_t at = document.find("<w:tbl>"); at != std::string::npos; at = document.find("<w:tbl>", at + 1)) {
    ++blocks;
  }
  return blocks;
}

struct Formats {
  std::uint32_t plain, bold, italic, underline, arial, highlight, superscript, heading[3];
  std::uint32_t body, list[2], quote;
  std::uint32_t merged, spanned, centred, continued, grid, tall;
};

Formats makeFormats(DocumentBuilder& b) {
  Formats f{};
  f.plain = b.run([](docx::RunProps& p) { p.size = 22; p.fonts.ascii.name = "Calibri"; });
  f.bold = b.run([](docx::RunProps& p) { p.size = 22; p.bold = true; });
  f.italic = b.run([](docx::RunProps& p) { p.size = 22; p.italic = true; });
  f.underline = b.run([](docx::RunProps& p) { p.underline = docx::UnderlineStyle::single; });
  f.arial = b.run([](docx::RunProps& p) {
    p.fonts.ascii.name = p.fonts.hAnsi.name = "Arial";
    p.color = vellumine::test::rgb(0x1F4E79);
    p.size = 24;
  });
  f.highlight = b.run([](docx::RunProps& p) { p.highlight = 0xFFFF00; });
  f.superscript = b.run([](docx::RunProps& p) { p.vertAlign = docx::VerticalAlign::superscript; });
  for (int level = 0; level < 3; ++level) {
    f.heading[level] = b.paragraph([&](docx::ParagraphProps& p) {
      p.outlineLevel = level;
      p.markRunProps.size = 32 - 4 * level;
      p.keepNext = true;
    });
  }
  f.body = b.paragraph([](docx::ParagraphProps& p) {
    p.spacing.before = p.spacing.after = 120;
    p.spacing.line = 276;
    p.indentation.start = 720;
    p.indentation.firstLine = 360;
    p.justification = docx::Justification::both;
  });
  for (int level = 0; level < 2; ++level) {
    f.list[level] = b.paragraph([&](docx::ParagraphProps& p) {
      p.styleId = "ListParagraph";
      p.indentation.start = 720 * (level + 1);
      p.indentation.firstLine = -360;
      p.contextualSpacing = true;
    });
  }
  f.quote = b.paragraph([](docx::ParagraphProps& p) { p.styleId = "Quote"; });
  f.merged = b.cell([](docx::CellProps& p) {
    p.verticalMerge = docx::VerticalMerge::restart;
    p.shading = docx::Shading{docx::ShadingPattern::clear, 0, docx::Color{true}, vellumine::test::rgb(0xD9E2F3)};
  });
  f.spanned = b.cell([](docx::CellProps& p) { p.gridSpan = 2; });
  f.centred = b.cell([](docx::CellProps& p) { p.verticalAlign = docx::CellAlign::center; });
  f.continued = b.cell([](docx::CellProps& p) { p.verticalMerge = docx::VerticalMerge::continue_; });
  f.grid = b.table([](docx::TableProps& p) {
    p.width = docx::TableWidth{docx::WidthType::pct, 5000};
    p.borders.top = p.borders.insideH = vellumine::test::border(docx::BorderStyle::single, 4, 0);
  });
  f.tall = b.row([](docx::RowProps& p) { p.height = 400; });
  return f;
}

void addBlock(DocumentBuilder& b, const Formats& f, int n, std::vector<docx::Block>& body) {
  const std::string k = std::to_string(n);
  body.push_back(paragraph({text("Section " + k, f.bold)}, f.heading[n % 3]));
  auto styled = [&](int m) {
    return paragraph({text("Paragraph " + std::to_string(m) + " opens with plain words, then ", f.plain),
                      text("a bold phrase", f.bold), text(", ", f.plain), text("an italic one", f.italic),
                      text(", ", f.plain), text("underlined words", f.underline), text(" and coloured Arial text", f.arial),
                      text(" highlighted", f.highlight), text("2", f.superscript),
                      text(" before the paragraph ends with a longer tail of ordinary prose.", f.plain)},
                     f.body);
  };
  body.push_back(styled(n));
  for (const auto& [level, words] : std::vector<std::pair<int, std::string>>{
           {0, "First item"}, {1, "Nested item one"}, {1, "Nested item two"}, {0, "Second item"}}) {
    docx::Paragraph item = vellumine::test::para({text(words, f.plain)}, f.list[level]);
    item.listLabel = b.listLabel(docx::ListLabel{level == 0 ? "1." : "a)", docx::LevelSuffix::tab, 0, 1, level, false});
    body.push_back(vellumine::test::block(std::move(item)));
  }
  auto cell = [&](std::string content, std::uint32_t props) {
    return vellumine::test::cell({paragraph({text(std::move(content), f.bold)}, f.quote)}, props);
  };
  std::vector<docx::Row> rows{vellumine::test::row({cell("Merged", f.merged), cell("Spanned heading", f.spanned)}, f.tall)};
  for (int r = 0; r < 2; ++r) {
    rows.push_back(vellumine::test::row({cell("", f.continued), cell("Cell", f.centred), cell("Value " + std::to_string(r), 0)}));
  }
  body.push_back(vellumine::test::table(std::move(rows), {2000, 2000, 2000}, f.grid));
  body.push_back(styled(n + 1));
  const int external = b.link("https://example.org/");
  const int internal = b.link("", "_Toc" + k);
  body.push_back(paragraph({mark(InlineKind::linkStart, external), text("an external link", f.underline),
                            mark(InlineKind::linkEnd, external), text(" and ", f.plain),
                            mark(InlineKind::linkStart, internal), text("an internal one", f.plain),
                            mark(InlineKind::linkEnd, internal), mark(InlineKind::bookmarkStart, n, "_Toc" + k),
                            mark(InlineKind::bookmarkEnd, n)}));
  docx::Drawing picture;
  picture.kind = docx::DrawingKind::picture;
  picture.target = "word/media/image1.png";
  picture.widthEmu = 1905000;
  picture.heightEmu = 952500;
  picture.wrap = docx::WrapKind::topAndBottom;
  picture.horizontalAlign = "center";
  body.push_back(paragraph({mark(InlineKind::drawing, b.drawing(picture))}));
  const int field = b.field("PAGE");
  body.push_back(paragraph({text("Page ", f.plain), mark(InlineKind::fieldStart, field), text("1", f.plain),
                            mark(InlineKind::fieldEnd, field), mark(InlineKind::tab), text("after a tab", f.plain)}));
  body.push_back(paragraph({}));
  const int note = b.footnote({paragraph({mark(InlineKind::footnoteRefMark, 0, "", f.superscript),
                                          text(" Note " + k + " with ", f.plain), text("an italic source", f.italic)})});
  const int comment = b.comment("Ann Reviewer", "AR", "2026-12-08T10:00:00Z",
                                {paragraph({text("Please check block " + k + ".", f.plain)})});
  body.push_back(paragraph({text("A sentence with a note", f.plain), mark(InlineKind::footnoteReference, note, "", f.superscript),
                            text(" and ", f.plain), mark(InlineKind::commentStart, comment),
                            text("a commented phrase", f.plain), mark(InlineKind::commentEnd, comment),
                            mark(InlineKind::commentReference, comment), text(".", f.plain)}));
}

const docx::Document& documentFor(std::size_t bytes) {
  static std::map<std::size_t, DocumentBuilder> built;
  auto [it, added] = built.try_emplace(bytes);
  if (added) {
    DocumentBuilder& b = it->second;
    const Formats formats = makeFormats(b);
    const int header = b.header({paragraph({text("Generated report")})});
    docx::SectionProps& section = b.document().sections.emplace_back();
    section.pageWidth = 11906;
    section.pageHeight = 16838;
    section.headers = {header, -1, -1};
    std::vector<docx::Block> body;
    const std::size_t blocks = blocksFor(bytes);
    for (std::size_t n = 0; n < blocks; ++n) addBlock(b, formats, static_cast<int>(n), body);
    b.body(std::move(body));
  }
  return it->second.document();
}

void BM_RenderPage(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  const docx::Document& document = documentFor(bytes);
  const vellumine::render::PageOptions options{true, "Generated"};
  std::size_t pageBytes = 0;
  for (auto _ : state) {
    docx::Warnings warnings;
    const std::string page = vellumine::render::renderPage(document, options, warnings);
    pageBytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetComplexityN(static_cast<std::int64_t>(bytes));
  state.counters["page_MB"] = static_cast<double>(pageBytes) / (1 << 20);
}

BENCHMARK(BM_RenderPage)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 16 << 20)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
