// Drawings the text does not wrap around: where their box is placed from the anchor paragraph for
// each thing a position is measured from, bounded for damaged documents; and on the page, the box
// behind or in front of the text, its paragraph the containing block, its style rules only when
// used.
#include "render/unwrapped_drawing.h"

#include <cstdint>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::DrawingKind;
using docx::InlineKind;
using docx::WrapKind;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

constexpr long long kInch = 914400;  // EMU

// Letter paper with one-inch margins, a 6.5-inch column, the paragraph indented half an inch.
AnchorFrame letter() {
  return AnchorFrame{9360, 720, PaperFrame{true, 12240, 15840, 1440, 1440, 1440, 1440, 720, 720, 1440}};
}

struct Position {
  std::string from, align;
  long long offset = 0;
};

struct PlaceCase {
  std::string name;
  Position horizontal, vertical;
  AnchorFrame frame;
  UnwrappedPlace expected;
  long long width = kInch, height = kInch / 2;
};

void PrintTo(const PlaceCase& row, std::ostream* out) { *out << row.name; }

AnchorFrame paperUnknown() {
  AnchorFrame frame = letter();
  frame.paper.known = false;
  return frame;
}

AnchorFrame inAHeader() {
  AnchorFrame frame = letter();
  frame.paper.storyTop = frame.paper.marginHeader;
  return frame;
}

AnchorFrame hugePaper() {
  AnchorFrame frame = letter();
  frame.paper.width = frame.paper.height = 2'000'000'000;
  frame.columnWidth = 1LL << 40;
  return frame;
}

constexpr long long kMost = std::numeric_limits<std::int64_t>::max();
constexpr long long kLeast = std::numeric_limits<std::int64_t>::min();

const PlaceCase kPlaces[] = {
    {"ColumnOffsetLessTheIndent", {"column", "", kInch}, {"paragraph", "", kInch / 4}, letter(),
     {kInch / 2, kInch / 4, false, false}},
    {"NothingNamedIsTheColumnAndTheParagraph", {"", "", kInch}, {"", "", -kInch / 4}, letter(),
     {kInch / 2, -kInch / 4, false, false}},
    {"RightOfTheMargin", {"margin", "right", 0}, {"paragraph", "", 0}, letter(),
     {6 * kInch + kInch / 2 - kInch - kInch / 2, 0, false, false}},
    {"CentredOnThePage", {"page", "center", 0}, {"page", "center", 0}, letter(),
     {-kInch + (8 * kInch + kInch / 2 - kInch) / 2 - kInch / 2, -kInch + (11 * kInch - kInch / 2) / 2, false, false}},
    {"PageCornerIsAboveTheParagraph", {"page", "", 0}, {"page", "", 0}, letter(),
     {-kInch - kInch / 2, -kInch, false, false}},
    {"InTheLeftMargin", {"leftMargin", "right", 0}, {"topMargin", "", 0}, letter(),
     {-kInch - kInch / 2, -kInch, false, false}},
    {"InTheRightAndBottomMargins", {"rightMargin", "", 10}, {"bottomMargin", "", 20}, letter(),
     {6 * kInch + kInch / 2 + 10 - kInch / 2, 9 * kInch + 20, false, false}},
    {"AtTheFootOfTheMargin", {"insideMargin", "left", 0}, {"margin", "bottom", 0}, letter(),
     {-kInch - kInch / 2, 9 * kInch - kInch / 2, false, false}},
    {"HeaderStartsAtItsDistance", {"page", "", 0}, {"page", "", kInch / 4}, inAHeader(),
     {-kInch - kInch / 2, -kInch / 4, false, false}},
    {"HeaderAboveTheMargin", {"margin", "", 0}, {"margin", "top", 0}, inAHeader(),
     {-kInch / 2, kInch / 2, false, false}},
    {"CharacterAndLineStayInTheLine", {"character", "", 12700}, {"line", "", -12700}, letter(),
     {12700, -12700, true, true}},
    {"AlignedInTheLineIsNotMoved", {"character", "center", 12700}, {"line", "top", 5}, letter(), {0, 0, true, true}},
    {"PaperUnknownIsTheColumnAndTheParagraph", {"page", "", kInch}, {"page", "", kInch}, paperUnknown(),
     {kInch / 2, kInch, false, false}},
    {"HostileOffsetsStayWithinAPage", {"column", "", kMost}, {"paragraph", "", kLeast}, letter(),
     {12240 * 635, -15840 * 635, false, false}},
    {"HostileOffsetsInTheLineToo", {"character", "", kLeast}, {"line", "", kMost}, letter(),
     {-12240 * 635, 15840 * 635, true, true}},
    {"HostilePaperStaysWithinTheLargestPaper", {"page", "", kMost / 2}, {"bottomMargin", "", 0}, hugePaper(),
     {31680 * 635, 31680 * 635, false, false}},
    {"HostileSizeAligned", {"margin", "right", 0}, {"margin", "bottom", 0}, letter(),
     {-12240 * 635, -15840 * 635, false, false}, kMost, kMost},
};

class UnwrappedPlacement : public testing::TestWithParam<PlaceCase> {};

TEST_P(UnwrappedPlacement, PlacesTheBoxFromItsParagraph) {
  const PlaceCase& row = GetParam();
  docx::Drawing drawing;
  drawing.wrap = WrapKind::behindText;
  drawing.horizontalFrom = row.horizontal.from;
  drawing.horizontalAlign = row.horizontal.align;
  drawing.horizontalOffsetEmu = row.horizontal.offset;
  drawing.verticalFrom = row.vertical.from;
  drawing.verticalAlign = row.vertical.align;
  drawing.verticalOffsetEmu = row.vertical.offset;
  const UnwrappedPlace place = placeUnwrapped(drawing, row.width, row.height, row.frame);
  EXPECT_EQ(place.xEmu, row.expected.xEmu);
  EXPECT_EQ(place.yEmu, row.expected.yEmu);
  EXPECT_EQ(place.xInLine, row.expected.xInLine);
  EXPECT_EQ(place.yInLine, row.expected.yInLine);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwrappedPlacement, testing::ValuesIn(kPlaces), test::caseName);

// ---- on the page ----

docx::Drawing picture(WrapKind wrap) {
  docx::Drawing d;
  d.kind = DrawingKind::picture;
  d.target = "word/media/logo.png";
  d.widthEmu = 1905000;  // 200 px
  d.heightEmu = 952500;  // 100 px
  d.wrap = wrap;
  return d;
}

struct PageCase {
  std::string name;
  std::function<int(DocumentBuilder&)> build;  // the drawing's index
  std::uint32_t (*props)(DocumentBuilder&);     // the anchor paragraph's properties
  std::string paragraph;                        // the anchor paragraph as written, up to its text
};

void PrintTo(const PageCase& row, std::ostream* out) { *out << row.name; }

std::uint32_t plain(DocumentBuilder&) { return 0; }
std::uint32_t indented(DocumentBuilder& b) {
  return b.paragraph([](docx::ParagraphProps& p) { p.indentation.start = 1440; });
}

const PageCase kPages[] = {
    {"BehindTheTextFromThePage",
     [](DocumentBuilder& b) {
       docx::Drawing d = picture(WrapKind::behindText);
       d.horizontalFrom = d.verticalFrom = "page";
       return b.drawing(d);
     },
     plain,
     "<p class=\"p1 vm-anc\"><span class=\"vm-behind\" style=\"left:-96px;top:-96px;\"><img src=\"media/logo.png\" "
     "class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\"></span>"},
    {"InFrontOfTheTextFromAnIndentedParagraph",
     [](DocumentBuilder& b) {
       docx::Drawing d = picture(WrapKind::inFrontOfText);
       d.horizontalFrom = "column";
       d.horizontalAlign = "right";
       d.verticalFrom = "paragraph";
       d.verticalOffsetEmu = 95250;
       return b.drawing(d);
     },
     indented,
     "<p class=\"p1 vm-anc\"><span class=\"vm-front\" style=\"left:328px;top:10px;\"><img src=\"media/logo.png\" "
     "class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\"></span>"},
    {"FromTheCharacterAndLineStaysInTheLine",
     [](DocumentBuilder& b) {
       docx::Drawing d = picture(WrapKind::behindText);
       d.horizontalFrom = "character";
       d.horizontalOffsetEmu = 95250;
       d.verticalFrom = "line";
       d.verticalOffsetEmu = -95250;
       return b.drawing(d);
     },
     plain,
     "<p class=\"p1 vm-anc\"><span class=\"vm-behind\" style=\"margin-left:10px;margin-top:-10px;\"><img "
     "src=\"media/logo.png\" class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\"></span>"},
    {"TextBoxInFrontHoldsItsStory",
     [](DocumentBuilder& b) {
       docx::Drawing d;
       d.kind = DrawingKind::textBox;
       d.widthEmu = 952500;
       d.wrap = WrapKind::inFrontOfText;
       d.textBox = b.textBox({paragraph({text("boxed")})});
       return b.drawing(d);
     },
     plain,
     "<div class=\"p1 vm-anc\"><span class=\"vm-front\" style=\"left:0px;top:0px;\"><span class=\"vm-tbx\" "
     "style=\"width:100px;\"><p class=\"p1\"><span class=\"r1\">boxed</span></p>\n</span></span>"},
    {"WrappedDrawingStaysInTheFlow",
     [](DocumentBuilder& b) {
       docx::Drawing d = picture(WrapKind::square);
       d.horizontalAlign = "left";
       return b.drawing(d);
     },
     plain,
     "<p class=\"p1\"><img src=\"media/logo.png\" class=\"vm-pic vm-fl\" alt=\"\" style=\"width:200px;height:100px;\">"},
};

class UnwrappedOnThePage : public testing::TestWithParam<PageCase> {};

TEST_P(UnwrappedOnThePage, WritesTheBoxInItsParagraph) {
  DocumentBuilder b;
  const int index = GetParam().build(b);
  b.body({paragraph({mark(InlineKind::drawing, index), text("words")}, GetParam().props(b))});
  const std::string body = test::renderBody(b.document());
  EXPECT_EQ(body.substr(0, GetParam().paragraph.size()), GetParam().paragraph);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwrappedOnThePage, testing::ValuesIn(kPages), test::caseName);

TEST(UnwrappedOnThePage, RulesOnlyWhenABoxIsWritten) {
  for (WrapKind wrap : {WrapKind::inline_, WrapKind::square, WrapKind::behindText, WrapKind::inFrontOfText}) {
    DocumentBuilder b;
    const int index = b.drawing(picture(wrap));
    b.body({paragraph({mark(InlineKind::drawing, index)})});
    const std::string page = test::renderWholePage(b.document());
    const bool unwrapped = wrap == WrapKind::behindText || wrap == WrapKind::inFrontOfText;
    EXPECT_EQ(test::cssRule(page, "vm-anc"), unwrapped ? "position:relative" : "(no rule)");
    EXPECT_EQ(test::cssRule(page, "vm-behind"), unwrapped ? "z-index:-1;pointer-events:none" : "(no rule)");
    EXPECT_EQ(page.find("isolation:isolate") != std::string::npos, unwrapped);
  }
}

TEST(UnwrappedOnThePage, GroupIsPlacedByItsFrameOnce) {
  DocumentBuilder b;
  docx::Drawing first = picture(WrapKind::behindText);
  first.place = docx::GroupPlace{true, 2, 0, 0, 2857500, 952500};  // 300 x 100 px
  first.horizontalAlign = "right";
  docx::Drawing second = first;
  second.place = docx::GroupPlace{true, 0, 952500, 0, 2857500, 952500};
  const int a = b.drawing(first);
  const int c = b.drawing(second);
  b.body({paragraph({mark(InlineKind::drawing, a), mark(InlineKind::drawing, c)})});
  const std::string body = test::renderBody(b.document());
  // The 624 px column less the group's 300 px.
  const std::string opening =
      "<p class=\"p1 vm-anc\"><span class=\"vm-behind\" style=\"left:324px;top:0px;\"><span class=\"vm-grp\"";
  EXPECT_EQ(body.substr(0, opening.size()), opening);
  std::size_t boxes = 0;
  for (std::size_t at = body.find("vm-behind"); at != std::string::npos; at = body.find("vm-behind", at + 1)) ++boxes;
  EXPECT_EQ(boxes, 1u);
}

TEST(UnwrappedOnThePage, FooterIsPlacedFromItsLastLine) {
  DocumentBuilder b;
  docx::Drawing d = picture(WrapKind::behindText);
  d.horizontalFrom = d.verticalFrom = "page";
  d.verticalOffsetEmu = 9144000;  // an inch above the paper's foot: 960 px down
  const int index = b.drawing(d);
  docx::SectionProps section;
  section.footers[0] = b.footer({paragraph({mark(InlineKind::drawing, index), text("page")})});
  b.section(section);
  b.body({paragraph({text("body")})});
  const std::string page = test::renderWholePage(b.document());
  // The footer's line is taken to stand 12 pt above its distance (48 px) from the foot: 992 px.
  EXPECT_NE(page.find("<span class=\"vm-behind\" style=\"left:-96px;top:-32px;\">"), std::string::npos);
}

TEST(UnwrappedOnThePage, SheetPlacingFromThePageIsAPageTall) {
  DocumentBuilder b;
  docx::Drawing fromPage = picture(WrapKind::behindText);
  fromPage.verticalFrom = "margin";
  docx::Drawing fromParagraph = picture(WrapKind::inFrontOfText);
  fromParagraph.verticalFrom = "paragraph";
  const int first = b.drawing(fromPage);
  const int second = b.drawing(fromParagraph);
  b.section(docx::SectionProps{});
  b.section(docx::SectionProps{});
  docx::Paragraph title = test::para({mark(InlineKind::drawing, first), text("Title")});
  title.sectionEnd = 0;
  b.body({test::block(std::move(title)), paragraph({mark(InlineKind::drawing, second), text("Text")})});
  const std::string page = test::renderWholePage(b.document());
  const std::size_t firstSheet = page.find("<div class=\"vm-section\"");
  const std::size_t secondSheet = page.find("<div class=\"vm-section\"", firstSheet + 1);
  ASSERT_NE(secondSheet, std::string::npos);
  EXPECT_NE(page.find("style=\"width:816px;min-height:1056px;padding:", firstSheet), std::string::npos);
  EXPECT_LT(page.find("min-height:1056px", firstSheet), secondSheet);
  EXPECT_EQ(page.find("min-height:1056px", secondSheet), std::string::npos);
}

TEST(UnwrappedOnThePage, SectionPaperPlacesFromThePage) {
  DocumentBuilder b;
  docx::SectionProps section;
  section.marginLeft = 720;
  section.marginTop = 2160;
  b.section(section);
  docx::Drawing d = picture(WrapKind::behindText);
  d.horizontalFrom = d.verticalFrom = "page";
  const int index = b.drawing(d);
  b.body({paragraph({mark(InlineKind::drawing, index)})});
  EXPECT_NE(test::renderBody(b.document()).find("style=\"left:-48px;top:-144px;\""), std::string::npos);
}

}  // namespace
}  // namespace vellumine::render
