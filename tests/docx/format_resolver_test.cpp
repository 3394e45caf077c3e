// The resolver's cascade: document defaults, table style, numbering level, paragraph and character
// style chains and direct formatting for runs and paragraphs, with Word's toggle rule, theme fonts
// and colours, the Normal style's size and justification giving way to a table style's, spacing,
// indentation, tabs, borders and shading; and its cache.
#include "docx/format_resolver.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

Color themed(ThemeColor slot) {
  Color color = test::rgbColor(0x000000);
  color.theme = slot;
  return color;
}

// Defaults of 11 pt in the theme's minor face; Normal (empty), Heading1 (16 pt, bold, accent1,
// major face) with its linked Heading1Char, NotBold (Heading1 with bold off), Strong, Emphasis,
// Marked (yellow highlight); a numbering list 1 whose level 0 indents 720 with a 360 hanging and a
// tab at 720; Indented (start 1440), ListIndented (numbering 1 and start 1440); the table style
// Grid: 10 pt, centred, first row bold white on accent1.
void addBase(test::ModelBuilder& b) {
  Document& d = b.document();
  d.theme.minor.latin = "Calibri";
  d.theme.major.latin = "Calibri Light";
  d.theme.colors[4] = 0x4472C4;
  d.styles.defaultRun.size = 22;
  d.styles.defaultRun.fonts.ascii.theme = ThemeFont::minorHAnsi;
  d.styles.defaultRun.fonts.hAnsi.theme = ThemeFont::minorHAnsi;
  b.addStyle(StyleType::paragraph, "Normal").isDefault = true;
  b.addStyle(StyleType::character, "DefaultParagraphFont").isDefault = true;
  Style& heading = b.addStyle(StyleType::paragraph, "Heading1", "Normal");
  heading.link = "Heading1Char";
  heading.run.size = 32;
  heading.run.bold = true;
  heading.run.color = themed(ThemeColor::accent1);
  heading.run.fonts.ascii.theme = ThemeFont::majorHAnsi;
  heading.paragraph.spacing.before = 480;
  heading.paragraph.outlineLevel = 0;
  Style& headingChar = b.addStyle(StyleType::character, "Heading1Char");
  headingChar.link = "Heading1";
  headingChar.run.bold = true;
  b.addStyle(StyleType::paragraph, "NotBold", "Heading1").run.bold = false;
  b.addStyle(StyleType::character, "Strong").run.bold = true;
  b.addStyle(StyleType::character, "Emphasis").run.italic = true;
  b.addStyle(StyleType::character, "Marked").run.highlight = 0xFFFF00;
  ListLevel& level = b.addLevel(1, 0, NumberFormat::decimal, "%1.");
  level.paragraph.indentation.start = 720;
  level.paragraph.indentation.firstLine = -360;
  level.paragraph.tabs.push_back(TabStop{720, TabAlignment::num, TabLeader::none});
  b.addList(1, 1);
  b.addStyle(StyleType::paragraph, "Indented", "Normal").paragraph.indentation.start = 1440;
  Style& listIndented = b.addStyle(StyleType::paragraph, "ListIndented", "Normal");
  listIndented.paragraph.numbering.numId = 1;
  listIndented.paragraph.indentation.start = 1440;
  Style& grid = b.addStyle(StyleType::table, "Grid");
  grid.run.size = 20;
  grid.paragraph.justification = Justification::center;
  TableStyleRegion& firstRow = grid.regionToWrite(TableRegion::firstRow);
  firstRow.present = true;
  firstRow.run.bold = true;
  firstRow.run.color = test::rgbColor(0xFFFFFF);
}

// What a case resolves: a paragraph and one run in it, in the body or in cell (row, cell) of a
// 2 x 2 table in style Grid.
struct Subject {
  ParagraphProps paragraph;
  RunProps run;
  bool inTable = false;
  int row = 1, cell = 0;
};

struct Resolved {
  ParagraphFormat paragraph;
  RunFormat run;
};

Resolved resolve(test::ModelBuilder& b, const Subject& subject) {
  Document& d = b.document();
  const Paragraph paragraph = b.paragraph(subject.paragraph, {{"text", subject.run}});
  FormatResolver resolver(d);
  CellContext cell;
  if (subject.inTable) {
    TableProps tableProps;
    tableProps.styleId = "Grid";
    const Table table = b.table(tableProps, {{{}, {}}, {{}, {}}});
    const ResolvedTable resolved = resolver.table(table);
    cell = resolved.contexts[static_cast<std::size_t>(subject.row)][static_cast<std::size_t>(subject.cell)];
  }
  return Resolved{resolver.paragraph(paragraph, cell), resolver.run(paragraph, paragraph.inlines[0].runProps, cell)};
}

struct RunExpect {
  std::optional<int> size{};
  std::optional<bool> bold{}, italic{}, hidden{};
  std::optional<std::optional<Rgb>> color{}, highlight{};
  std::optional<std::string> font{};
  std::optional<GenericFamily> generic{};
  std::optional<bool> doubleStrike{};
};

struct RunCase {
  std::string name;
  std::function<void(test::ModelBuilder&, Subject&)> setup;
  RunExpect expected;
};

using B = test::ModelBuilder;
using S = Subject;

const RunCase kRunCases[] = {
    {"DocumentDefaultSize", [](B&, S&) {}, {.size = 22, .bold = false}},
    {"ThemeMinorFontWithItsFamily", [](B&, S&) {}, {.font = "Calibri", .generic = GenericFamily::sansSerif}},
    {"ParagraphStyleSizeColourAndFont", [](B&, S& s) { s.paragraph.styleId = "Heading1"; },
     {.size = 32, .bold = true, .color = std::optional<Rgb>(0x4472C4), .font = "Calibri Light"}},
    {"StrongCharacterStyle", [](B&, S& s) { s.run.styleId = "Strong"; }, {.bold = true}},
    {"StrongInABoldHeadingCancels", [](B&, S& s) { s.paragraph.styleId = "Heading1"; s.run.styleId = "Strong"; },
     {.bold = false}},
    {"LinkedStyleInItsParagraphStyleStaysBold",
     [](B&, S& s) { s.paragraph.styleId = "Heading1"; s.run.styleId = "Heading1Char"; }, {.bold = true}},
    {"LinkedCharacterStyleKeepsItsOwnFormatting",
     [](B& b, S& s) {
       b.styleNamed("Heading1Char").run.fonts.ascii.name = "Consolas";
       b.styleNamed("Heading1Char").run.size = 26;
       s.paragraph.styleId = "Heading1";
       s.run.styleId = "Heading1Char";
     },
     {.size = 26, .bold = true, .font = "Consolas"}},
    {"NearestStyleInTheChainWins", [](B&, S& s) { s.paragraph.styleId = "NotBold"; }, {.size = 32, .bold = false}},
    {"DirectFormattingIsAbsolute",
     [](B&, S& s) { s.paragraph.styleId = "Heading1"; s.run.bold = false; s.run.size = 40; s.run.italic = true; },
     {.size = 40, .bold = false, .italic = true}},
    {"VanishHides", [](B&, S& s) { s.run.vanish = true; }, {.hidden = true}},
    {"DirectFaceWithItsFamily", [](B&, S& s) { s.run.fonts.ascii.name = "Courier New"; },
     {.font = "Courier New", .generic = GenericFamily::monospace}},
    {"ThemeSlotWinsOverTheNameBesideIt",
     [](B&, S& s) { s.run.fonts.ascii.name = "Arial"; s.run.fonts.ascii.theme = ThemeFont::majorAscii; },
     {.font = "Calibri Light"}},
    {"HighlightNoneClearsTheStyles", [](B&, S& s) { s.run.styleId = "Marked"; s.run.highlightNone = true; },
     {.highlight = std::optional<Rgb>()}},
    {"StyleHighlight", [](B&, S& s) { s.run.styleId = "Marked"; }, {.highlight = std::optional<Rgb>(0xFFFF00)}},
    {"AutoColourIsAbsent", [](B&, S& s) { s.run.color = Color{true}; }, {.color = std::optional<Rgb>()}},
    {"TableStyleSizeOverTheDefaults", [](B&, S& s) { s.inTable = true; }, {.size = 20}},
    {"TableStyleSizeOverNormalsTwelve",
     [](B& b, S& s) { b.styleNamed("Normal").run.size = 24; s.inTable = true; }, {.size = 20}},
    {"NormalsOtherSizesWin", [](B& b, S& s) { b.styleNamed("Normal").run.size = 28; s.inTable = true; },
     {.size = 28}},
    {"NormalWinsUnderTheCompatibilitySetting",
     [](B& b, S& s) {
       b.styleNamed("Normal").run.size = 24;
       b.document().settings.overrideTableStyleFontSizeAndJustification = true;
       s.inTable = true;
     },
     {.size = 24}},
    {"OtherParagraphStylesWinOverTheTableStyle", [](B&, S& s) { s.paragraph.styleId = "Heading1"; s.inTable = true; },
     {.size = 32}},
    {"FirstRowRegionBoldAndWhite", [](B&, S& s) { s.inTable = true; s.row = 0; },
     {.bold = true, .color = std::optional<Rgb>(0xFFFFFF)}},
    {"DoubleStrikeIsNoToggle",
     [](B& b, S& s) {
       b.styleNamed("Normal").run.doubleStrike = true;
       b.styleNamed("Strong").run.doubleStrike = true;
       s.run.styleId = "Strong";
     },
     {.doubleStrike = true}},
    {"FirstRowBoldCancelsAgainstABoldStyle", [](B&, S& s) { s.inTable = true; s.row = 0; s.run.styleId = "Strong"; },
     {.bold = false}},
};

class RunCascade : public testing::TestWithParam<RunCase> {};

TEST_P(RunCascade, ResolvesEachLevel) {
  const RunCase& c = GetParam();
  test::ModelBuilder b;
  addBase(b);
  Subject subject;
  c.setup(b, subject);
  const RunFormat run = resolve(b, subject).run;
  const RunExpect& e = c.expected;
  if (e.size) {
    EXPECT_EQ(run.size, *e.size);
  }
  if (e.bold) {
    EXPECT_EQ(run.bold, *e.bold);
  }
  if (e.italic) {
    EXPECT_EQ(run.italic, *e.italic);
  }
  if (e.hidden) {
    EXPECT_EQ(run.hidden, *e.hidden);
  }
  if (e.color) {
    EXPECT_EQ(run.color, *e.color);
  }
  if (e.highlight) {
    EXPECT_EQ(run.highlight, *e.highlight);
  }
  if (e.font) {
    EXPECT_EQ(run.ascii.name, *e.font);
  }
  if (e.generic) {
    EXPECT_EQ(run.ascii.generic, *e.generic);
  }
  if (e.doubleStrike) {
    EXPECT_EQ(run.doubleStrike, *e.doubleStrike);
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, RunCascade, testing::ValuesIn(kRunCases), test::caseName);

struct ParagraphExpect {
  std::optional<int> spaceBefore{}, spaceAfter{}, indentStart{}, firstLine{}, numId{}, outlineLevel{};
  std::optional<bool> beforeAuto{};
  std::optional<Justification> justification{};
  std::optional<std::vector<int>> tabs{};  // positions
  std::optional<bool> hasTopBorder{}, hasBottomBorder{}, markBold{};
  std::optional<std::optional<Rgb>> shading{};
};

struct ParagraphCase {
  std::string name;
  std::function<void(test::ModelBuilder&, Subject&)> setup;
  ParagraphExpect expected;
};

TabStop tab(int position, TabAlignment alignment = TabAlignment::start) {
  return TabStop{position, alignment, TabLeader::none};
}

const ParagraphCase kParagraphCases[] = {
    {"AutospacingIsFourteenPoints", [](B&, S& s) { s.paragraph.spacing.beforeAutospacing = true; s.paragraph.spacing.before = 60; },
     {.spaceBefore = 280, .beforeAuto = true}},
    {"LinesAreHundredthsOfALine", [](B&, S& s) { s.paragraph.spacing.beforeLines = 150; s.paragraph.spacing.before = 60; },
     {.spaceBefore = 360, .beforeAuto = false}},
    {"ZeroLinesLeaveTheTwips", [](B&, S& s) { s.paragraph.spacing.afterLines = 0; s.paragraph.spacing.after = 120; },
     {.spaceAfter = 120}},
    {"NegativeSpacingIsNone", [](B&, S& s) { s.paragraph.spacing.after = -50; }, {.spaceAfter = 0}},
    {"StyleSpacingUnderDirect", [](B&, S& s) { s.paragraph.styleId = "Heading1"; s.paragraph.spacing.after = 60; },
     {.spaceBefore = 480, .spaceAfter = 60, .outlineLevel = 0}},
    {"OwnNumberingIndentsOverTheStyle",
     [](B&, S& s) { s.paragraph.styleId = "Indented"; s.paragraph.numbering.numId = 1; },
     {.indentStart = 720, .firstLine = -360, .numId = 1}},
    {"StylesNumberingIndentsUnderTheStyle", [](B&, S& s) { s.paragraph.styleId = "ListIndented"; },
     {.indentStart = 1440, .firstLine = -360, .numId = 1}},
    {"NumIdZeroRemovesTheStylesNumbering",
     [](B&, S& s) { s.paragraph.styleId = "ListIndented"; s.paragraph.numbering.numId = 0; },
     {.indentStart = 1440, .firstLine = 0, .numId = 0}},
    {"TabsMergeAndClear",
     [](B& b, S& s) {
       b.styleNamed("Normal").paragraph.tabs = {tab(720), tab(1440, TabAlignment::center)};
       s.paragraph.tabs = {tab(2160, TabAlignment::end), tab(720, TabAlignment::clear)};
     },
     {.tabs = std::vector<int>{1440, 2160}}},
    {"StyleClearRemovesTheNumberingsTab",
     [](B& b, S& s) {
       b.styleNamed("ListIndented").paragraph.tabs = {tab(720, TabAlignment::clear)};
       s.paragraph.styleId = "ListIndented";
     },
     {.tabs = std::vector<int>{}}},
    {"NoneBorderRemovesTheStyles",
     [](B& b, S& s) {
       b.styleNamed("Normal").paragraph.borders.top = test::border(BorderStyle::single);
       b.styleNamed("Normal").paragraph.borders.bottom = test::border(BorderStyle::single);
       s.paragraph.borders.top = test::border(BorderStyle::none);
     },
     {.hasTopBorder = false, .hasBottomBorder = true}},
    {"PercentShadingBlended",
     [](B&, S& s) { s.paragraph.shading = Shading{ShadingPattern::percent, 10, Color{true}, Color{true}}; },
     {.shading = std::optional<Rgb>(0xE6E6E6)}},
    {"TableStyleJustificationOverNormalsLeft",
     [](B& b, S& s) { b.styleNamed("Normal").paragraph.justification = Justification::start; s.inTable = true; },
     {.justification = Justification::center}},
    {"NormalsJustificationWinsUnderTheCompatibilitySetting",
     [](B& b, S& s) {
       b.styleNamed("Normal").paragraph.justification = Justification::start;
       b.document().settings.overrideTableStyleFontSizeAndJustification = true;
       s.inTable = true;
     },
     {.justification = Justification::start}},
    {"MarkHasItsOwnFormatting", [](B&, S& s) { s.paragraph.markRunProps.bold = true; }, {.markBold = true}},
};

class ParagraphCascade : public testing::TestWithParam<ParagraphCase> {};

TEST_P(ParagraphCascade, ResolvesEachLevel) {
  const ParagraphCase& c = GetParam();
  test::ModelBuilder b;
  addBase(b);
  Subject subject;
  c.setup(b, subject);
  const ParagraphFormat p = resolve(b, subject).paragraph;
  const ParagraphExpect& e = c.expected;
  if (e.spaceBefore) {
    EXPECT_EQ(p.spaceBefore, *e.spaceBefore);
  }
  if (e.spaceAfter) {
    EXPECT_EQ(p.spaceAfter, *e.spaceAfter);
  }
  if (e.beforeAuto) {
    EXPECT_EQ(p.spaceBeforeAuto, *e.beforeAuto);
  }
  if (e.indentStart) {
    EXPECT_EQ(p.indentStart, *e.indentStart);
  }
  if (e.firstLine) {
    EXPECT_EQ(p.firstLine, *e.firstLine);
  }
  if (e.numId) {
    EXPECT_EQ(p.numId, *e.numId);
  }
  if (e.outlineLevel) {
    EXPECT_EQ(p.outlineLevel, *e.outlineLevel);
  }
  if (e.justification) {
    EXPECT_EQ(p.justification, *e.justification);
  }
  if (e.tabs) {
    std::vector<int> positions;
    for (const TabStop& stop : p.tabs) positions.push_back(stop.position);
    EXPECT_EQ(positions, *e.tabs);
  }
  if (e.hasTopBorder) {
    EXPECT_EQ(p.borders.top.has_value(), *e.hasTopBorder);
  }
  if (e.hasBottomBorder) {
    EXPECT_EQ(p.borders.bottom.has_value(), *e.hasBottomBorder);
  }
  if (e.markBold) {
    EXPECT_EQ(p.mark.bold, *e.markBold);
  }
  if (e.shading) {
    EXPECT_EQ(p.shading, *e.shading);
  }
}

INSTANTIATE_TEST_SUITE_P(Paragraphs, ParagraphCascade, testing::ValuesIn(kParagraphCases), test::caseName);

TEST(FormatResolverCache, OneResultPerKindOfRun) {
  test::ModelBuilder b;
  addBase(b);
  RunProps strong;
  strong.styleId = "Strong";
  const Paragraph first = b.paragraph({}, {{"a", strong}, {"b", {}}});
  Paragraph second = first;  // the same properties, another paragraph
  FormatResolver resolver(b.document());
  const RunFormat& a = resolver.run(first, first.inlines[0].runProps);
  EXPECT_EQ(&resolver.run(second, second.inlines[0].runProps), &a);
  EXPECT_NE(&resolver.run(first, first.inlines[1].runProps), &a);
  EXPECT_TRUE(a.bold);
  EXPECT_FALSE(resolver.run(first, first.inlines[1].runProps).bold);
}

TEST(FormatResolverLabel, MarkFormattingWithTheLevelsOver) {
  test::ModelBuilder b;
  addBase(b);
  RunProps level;
  level.bold = false;
  level.color = test::rgbColor(0x00FF00);
  ListLabel label;
  label.runProps = b.runProps(level);
  ParagraphProps props;
  props.styleId = "Heading1";
  props.markRunProps.italic = true;
  const Paragraph paragraph = b.paragraph(props);
  FormatResolver resolver(b.document());
  const RunFormat& format = resolver.label(paragraph, label);
  EXPECT_EQ(format.size, 32);         // the paragraph style
  EXPECT_TRUE(format.italic);         // the mark
  EXPECT_FALSE(format.bold);          // the level, absolute
  EXPECT_EQ(format.color, Rgb{0x00FF00});
}

}  // namespace
}  // namespace vellumine::docx
