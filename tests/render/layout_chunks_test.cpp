// Long pages in chunks: the height estimates, the classes that keep a chunk's edge away, and on
// whole pages where chunks start and end (never before the first screens, never around a float or
// the blocks it may reach, never across a section), with every block written once, in order.
#include "render/layout_chunks.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"

namespace vellumine::render {
namespace {

using docx::InlineKind;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

constexpr long long kEmuPerPx = 9525;

docx::Drawing picture(long long heightPx, docx::WrapKind wrap = docx::WrapKind::inline_, std::string align = {}) {
  docx::Drawing d;
  d.kind = docx::DrawingKind::picture;
  d.target = "word/media/a.png";
  d.widthEmu = 100 * kEmuPerPx;
  d.heightEmu = heightPx * kEmuPerPx;
  d.wrap = wrap;
  d.horizontalAlign = std::move(align);
  return d;
}

// ---- estimates ----

struct EstimateCase {
  std::string name;
  std::function<docx::Block(DocumentBuilder&)> block;
  long long expected;  // px in a 624 px column (89 characters a line)
};

void PrintTo(const EstimateCase& row, std::ostream* out) { *out << row.name; }

class ChunkEstimate : public testing::TestWithParam<EstimateCase> {};

TEST_P(ChunkEstimate, IsLinesAndDrawings) {
  DocumentBuilder b;
  const docx::Block block = GetParam().block(b);
  EXPECT_EQ(estimatedBlockHeight(b.document(), block, 624), GetParam().expected);
}

const EstimateCase kEstimates[] = {
    {"EmptyParagraphIsOneLine", [](DocumentBuilder&) { return paragraph({}); }, 19 + 8},
    {"ThreeLinesOfText", [](DocumentBuilder&) { return paragraph({text(std::string(200, 'x'))}); }, 3 * 19 + 8},
    {"PictureAddsItsHeight",
     [](DocumentBuilder& b) { return paragraph({mark(InlineKind::drawing, b.drawing(picture(96)))}); }, 19 + 96 + 8},
    {"HugePictureCountsAtMostFourThousand",
     [](DocumentBuilder& b) { return paragraph({mark(InlineKind::drawing, b.drawing(picture(1'000'000)))}); },
     19 + 4000 + 8},
    {"DrawingNumberOutOfRangeIsText", [](DocumentBuilder&) { return paragraph({mark(InlineKind::drawing, 99)}); },
     19 + 8},
    {"TableRowsAreTheirTallestCell",
     [](DocumentBuilder&) {
       return test::table({test::row({test::textCell("a"), test::cell({paragraph({}), paragraph({})})}),
                           test::row({test::textCell(std::string(100, 'x')), test::textCell("b")})});
     },
     // two cells of 312 px (44 characters a line): 2 paragraphs, then 3 lines
     2 * 27 + (3 * 19 + 8)},
    {"EmptyTableIsNothing", [](DocumentBuilder&) { return test::table({}); }, 0},
};

INSTANTIATE_TEST_SUITE_P(Estimates, ChunkEstimate, testing::ValuesIn(kEstimates),
                         [](const auto& info) { return info.param.name; });

// ---- what keeps a block out ----

struct ClassCase {
  std::string html;
  bool floats, margined;
};

TEST(ChunkClasses, AreFoundAsWholeClassNames) {
  const ClassCase cases[] = {
      {"<p class=\"p1 vm-anc\"><span>x</span></p>", true, false},
      {"<p class=\"p1\"><img class=\"vm-pic vm-fl\" src=\"a.png\"></p>", true, false},
      {"<p class=\"p1\"><img class=\"vm-fr vm-pic\" src=\"a.png\"></p>", true, false},
      {"<p class=\"p1 vm-dropcap vm-dropcap-m\">B</p>", true, false},
      {"<p class=\"p1\"><span class=\"vm-fld\" data-field=\"PAGE\">1</span></p>", false, false},
      {"<p class=\"p1\"><span class=\"vm-pb\"></span></p>", false, true},
      {"<p class=\"p1\"><span class=\"vm-pbb\"></span></p>", false, false},
      {"<p class=\"p1\"><img class=\"vm-pic vm-bc\" src=\"a.png\"></p>", false, true},
      {"<p class=\"p1\"><span class=\"vm-math vm-mathd\">x</span><img class=\"vm-fl\"></p>", true, true},
      {"<p class=\"p1\">vm-fl in the text</p>", false, false},
      {"<p class=\"p1\"><span class=\"vm-fl", true, false},
      {"vm-bc", false, false},
      {"", false, false},
  };
  for (const ClassCase& c : cases) {
    const BlockClasses found = blockClassesOf(c.html);
    EXPECT_EQ(found.floats, c.floats) << c.html;
    EXPECT_EQ(found.marginedBox, c.margined) << c.html;
  }
}

// ---- whole pages ----

// Where each numbered paragraph ("<n>.") stands: in a chunk (its number) or outside (-1), in the
// page's order.  Chunks hold plain paragraphs here, so the first "</div>" after a chunk's start
// tag is its end.
struct Placed {
  int paragraph;
  int chunk;
};

std::vector<Placed> placements(const std::string& page) {
  std::vector<Placed> placed;
  int chunk = -1, chunks = 0;
  std::size_t at = page.find("<div id=\"page\"");
  while (at != std::string::npos) {
    const std::size_t open = page.find("<div class=\"vm-chunk\"", at);
    const std::size_t close = chunk >= 0 ? page.find("</div>", at) : std::string::npos;
    const std::size_t number = page.find("#", at);
    const std::size_t next = std::min({open, close, number});
    if (next == std::string::npos) break;
    if (next == open) {
      EXPECT_EQ(chunk, -1) << "a chunk in a chunk";
      chunk = chunks++;
    } else if (next == close) {
      chunk = -1;
    } else {
      placed.push_back({std::stoi(page.substr(number + 1)), chunk});
    }
    at = next + 1;
  }
  return placed;
}

// What a numbered paragraph of longBody is besides its two lines of text.
enum class Kind { plain, floating, margined, pictureLine, pageBreak, endsSection };

// count paragraphs of two lines each, numbered from 0, of the kind kindOf gives.  Margined ones
// have space before over a top border (a top margin); a pictureLine one holds a picture on a line
// of its own and a pageBreak one starts with a page break (boxes with a margin).
docx::Document longBody(int count, const std::function<Kind(int)>& kindOf = [](int) { return Kind::plain; }) {
  DocumentBuilder b;
  std::vector<docx::Block> blocks;
  const int floating = b.drawing(picture(200, docx::WrapKind::square, "left"));
  const int onItsLine = b.drawing(picture(50, docx::WrapKind::topAndBottom, "center"));
  const std::uint32_t margined = b.paragraph([](docx::ParagraphProps& p) {
    p.borders.top = test::border(docx::BorderStyle::single, 4, 0);
    p.spacing.before = 240;
  });
  for (int k = 0; k < count; ++k) {
    const Kind kind = kindOf(k);
    std::vector<docx::Inline> inlines{text("#" + std::to_string(k) + ". " + std::string(120, 'w'))};
    if (kind == Kind::floating) inlines.push_back(mark(InlineKind::drawing, floating));
    if (kind == Kind::pictureLine) inlines.push_back(mark(InlineKind::drawing, onItsLine));
    if (kind == Kind::pageBreak) inlines.insert(inlines.begin(), mark(InlineKind::pageBreak));
    blocks.push_back(paragraph(std::move(inlines), kind == Kind::margined ? margined : 0));
    if (kind == Kind::endsSection) {
      std::get<docx::Paragraph>(blocks.back().node).sectionEnd = static_cast<int>(b.document().sections.size());
      b.section({});
    }
  }
  b.section({});
  b.body(std::move(blocks));
  return b.document();
}

void expectEveryParagraphOnceInOrder(const std::vector<Placed>& placed, int count) {
  ASSERT_EQ(placed.size(), static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) EXPECT_EQ(placed[static_cast<std::size_t>(k)].paragraph, k);
}

int chunkOf(const std::vector<Placed>& placed, int k) { return placed[static_cast<std::size_t>(k)].chunk; }

TEST(ChunkPage, ShortBodyHasNone) {
  const std::string page = test::renderWholePage(longBody(static_cast<int>(LayoutChunks::kLeastBlocks) - 1));
  EXPECT_EQ(page.find("vm-chunk"), std::string::npos);
}

TEST(ChunkPage, LongBodyIsChunkedAfterTheFirstScreens) {
  const int count = 1000;
  const std::string page = test::renderWholePage(longBody(count));
  const std::vector<Placed> placed = placements(page);
  expectEveryParagraphOnceInOrder(placed, count);
  // Two-line paragraphs are estimated at 46 px: the first 2,700 px (59 of them) stay outside.
  for (int k = 0; k < 59; ++k) EXPECT_EQ(chunkOf(placed, k), -1) << k;
  for (int k = 59; k < count - 1; ++k) EXPECT_GE(chunkOf(placed, k), 0) << k;
  // The body's last block stays outside, so that its margin meets the notes' as it would.
  EXPECT_EQ(chunkOf(placed, count - 1), -1);
  // A chunk closes at 1,800 px: 40 paragraphs of 46 px.
  EXPECT_EQ(chunkOf(placed, 59 + 39), 0);
  EXPECT_EQ(chunkOf(placed, 59 + 40), 1);
  EXPECT_NE(page.find("<div class=\"vm-chunk\" style=\"contain-intrinsic-size:auto 1840px\">"), std::string::npos);
  EXPECT_EQ(test::cssRule(page, "vm-chunk"), "content-visibility:auto;overflow-clip-margin:1000px");
}

TEST(ChunkPage, FloatAndTheBlocksItMayReachStayOutside) {
  const int count = 600;
  const std::vector<Placed> placed =
      placements(test::renderWholePage(longBody(count, [](int k) { return k == 300 ? Kind::floating : Kind::plain; })));
  expectEveryParagraphOnceInOrder(placed, count);
  EXPECT_GE(chunkOf(placed, 298), 0);
  for (int k = 300; k <= 340; ++k) EXPECT_EQ(chunkOf(placed, k), -1) << k;
  EXPECT_GE(chunkOf(placed, 341), 0);
  EXPECT_NE(chunkOf(placed, 341), chunkOf(placed, 298));
}

TEST(ChunkPage, NoChunkCrossesASection) {
  const int count = 800;
  const std::string page =
      test::renderWholePage(longBody(count, [](int k) { return k == 400 ? Kind::endsSection : Kind::plain; }));
  const std::vector<Placed> placed = placements(page);
  expectEveryParagraphOnceInOrder(placed, count);
  ASSERT_GE(chunkOf(placed, 399), 0);
  EXPECT_EQ(chunkOf(placed, 400), -1);
  EXPECT_GE(chunkOf(placed, 401), 0);
  EXPECT_NE(chunkOf(placed, 399), chunkOf(placed, 401));
  const std::size_t second = page.find("<div class=\"vm-section", page.find("<div class=\"vm-section") + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(page.find("#400."), second);
  EXPECT_GT(page.find("#401."), second);
}

// A chunk's box keeps the margins inside it from collapsing with those outside: no chunk starts or
// ends just before a block with a margin on top, however long the run of them.
struct MarginCase {
  std::string name;
  Kind kind;
};

class ChunkEdges : public testing::TestWithParam<MarginCase> {};

TEST_P(ChunkEdges, NeverJustAboveABlockWithATopMargin) {
  const int count = 700;
  const auto kindOf = [](int k) { return (k >= 150 && k < 350) || k % 7 == 0 ? GetParam().kind : Kind::plain; };
  const std::vector<Placed> placed = placements(test::renderWholePage(longBody(count, kindOf)));
  expectEveryParagraphOnceInOrder(placed, count);
  int edges = 0;
  for (int k = 1; k < count; ++k) {
    if (chunkOf(placed, k) == chunkOf(placed, k - 1)) continue;
    EXPECT_EQ(kindOf(k), Kind::plain) << "a chunk starts or ends before " << k;
    ++edges;
  }
  EXPECT_GE(edges, 10);
  EXPECT_GE(chunkOf(placed, 250), 0);
}

INSTANTIATE_TEST_SUITE_P(Margins, ChunkEdges,
                         testing::Values(MarginCase{"SpaceBeforeOverABorder", Kind::margined},
                                         MarginCase{"PictureOnItsOwnLine", Kind::pictureLine},
                                         MarginCase{"PageBreak", Kind::pageBreak}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vellumine::render
