// Resolved formats as CSS declarations: one row per property of runs, paragraphs and cells.
#include "render/format_css.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::BorderStyle;
using docx::ResolvedBorder;

ResolvedBorder line(BorderStyle style, int eighths, docx::Rgb color, int space = 0) {
  return ResolvedBorder{style, eighths, space, color};
}

// ---- runs ----

struct RunCase {
  std::string name;
  std::function<void(docx::RunFormat&)> edit;
  std::string expected;
};

const RunCase kRunCases[] = {
    {"DefaultRunHasItsSizeOnly", [](auto&) {}, "font-size:10pt;"},
    {"SizeInPoints", [](auto& r) { r.size = 23; }, "font-size:11.5pt;"},
    {"FaceWithItsGenericFamily",
     [](auto& r) { r.ascii = r.hAnsi = {"Calibri", docx::GenericFamily::sansSerif}; },
     "font-family:\"Calibri\",\"DejaVu Sans\",sans-serif;font-size:10pt;"},
    {"EastAsianFaceFollowsTheDesktopFallbackFace",
     [](auto& r) {
       r.ascii = {"Aptos", docx::GenericFamily::sansSerif};
       r.eastAsia = {"SimSun", docx::GenericFamily::serif};
     },
     "font-family:\"Aptos\",\"DejaVu Sans\",\"SimSun\",sans-serif;font-size:10pt;"},
    {"MonospaceFaceFallsBackToTheDesktopMonospace",
     [](auto& r) {
       r.ascii = r.hAnsi = {"Consolas", docx::GenericFamily::monospace};
       r.eastAsia = {"Consolas", docx::GenericFamily::monospace};
       r.complexScript = {"Cambria", docx::GenericFamily::serif};
     },
     "font-family:\"Consolas\",\"DejaVu Sans Mono\",monospace;font-size:10pt;"},
    {"SerifRunLeavesItsEastAsianFaceOut",
     [](auto& r) {
       r.ascii = {"Cambria", docx::GenericFamily::serif};
       r.hAnsi = {"Georgia", docx::GenericFamily::serif};
       r.eastAsia = {"MS Mincho", docx::GenericFamily::serif};
     },
     "font-family:\"Cambria\",\"Georgia\",serif;font-size:10pt;"},
    {"ComplexScriptRunLeadsWithItsFaceAndSize",
     [](auto& r) {
       r.rtl = true;
       r.ascii = {"Arial", docx::GenericFamily::sansSerif};
       r.complexScript = {"Traditional Arabic", docx::GenericFamily::serif};
       r.sizeCs = 28;
       r.boldCs = true;
     },
     "font-family:\"Traditional Arabic\",serif;font-size:14pt;font-weight:bold;direction:rtl;"
     "unicode-bidi:embed;"},
    {"ComplexScriptRunIgnoresLatinBold", [](auto& r) { r.complexScriptText = true; r.bold = true; }, "font-size:10pt;"},
    {"HostileFaceStaysInsideItsString", [](auto& r) { r.ascii = {"x\";}body{color:red", docx::GenericFamily::serif}; },
     "font-family:\"x\\22 \\3B \\7D body\\7B color\\3A red\",serif;font-size:10pt;"},
    {"SymbolFontIsNotNamed",
     [](auto& r) {
       r.ascii = {"Wingdings", docx::GenericFamily::fantasy};
       r.eastAsia = {"SimSun", docx::GenericFamily::serif};
     },
     "font-family:\"SimSun\",serif;font-size:10pt;"},
    {"Bold", [](auto& r) { r.bold = true; }, "font-size:10pt;font-weight:bold;"},
    {"Italic", [](auto& r) { r.italic = true; }, "font-size:10pt;font-style:italic;"},
    {"SingleUnderline", [](auto& r) { r.underline = docx::UnderlineStyle::single; },
     "font-size:10pt;text-decoration-line:underline;"},
    {"DoubleUnderlineWithColour",
     [](auto& r) {
       r.underline = docx::UnderlineStyle::double_;
       r.underlineColor = 0xFF0000;
     },
     "font-size:10pt;text-decoration-line:underline;text-decoration-style:double;text-decoration-color:#FF0000;"},
    {"WavyHeavyUnderline", [](auto& r) { r.underline = docx::UnderlineStyle::wavyHeavy; },
     "font-size:10pt;text-decoration-line:underline;text-decoration-style:wavy;text-decoration-thickness:2px;"},
    {"DottedUnderline", [](auto& r) { r.underline = docx::UnderlineStyle::dotted; },
     "font-size:10pt;text-decoration-line:underline;text-decoration-style:dotted;"},
    {"DashedUnderline", [](auto& r) { r.underline = docx::UnderlineStyle::dashLong; },
     "font-size:10pt;text-decoration-line:underline;text-decoration-style:dashed;"},
    {"Strike", [](auto& r) { r.strike = true; }, "font-size:10pt;text-decoration-line:line-through;"},
    {"DoubleStrike", [](auto& r) { r.doubleStrike = true; },
     "font-size:10pt;text-decoration-line:line-through;text-decoration-style:double;"},
    {"UnderlineAndStrikeTogether",
     [](auto& r) {
       r.underline = docx::UnderlineStyle::single;
       r.strike = true;
     },
     "font-size:10pt;text-decoration-line:underline line-through;"},
    {"Colour", [](auto& r) { r.color = 0x1F4E79; }, "font-size:10pt;color:#1F4E79;"},
    {"HighlightWithAutomaticTextIsBlack", [](auto& r) { r.highlight = 0xFFFF00; },
     "font-size:10pt;color:#000000;background-color:#FFFF00;"},
    {"DarkShadingWithAutomaticTextIsWhite", [](auto& r) { r.shading = 0x1F3864; },
     "font-size:10pt;color:#FFFFFF;background-color:#1F3864;"},
    {"HighlightWinsOverShading",
     [](auto& r) {
       r.shading = 0x000000;
       r.highlight = 0x00FF00;
       r.color = 0x333333;
     },
     "font-size:10pt;color:#333333;background-color:#00FF00;"},
    {"Caps", [](auto& r) { r.caps = true; }, "font-size:10pt;text-transform:uppercase;"},
    {"SmallCaps", [](auto& r) { r.smallCaps = true; }, "font-size:10pt;font-variant:small-caps;"},
    {"CapsWinOverSmallCaps", [](auto& r) { r.caps = r.smallCaps = true; }, "font-size:10pt;text-transform:uppercase;"},
    {"SuperscriptAtTwoThirdsOfTheSize",
     [](auto& r) {
       r.size = 24;
       r.vertAlign = docx::VerticalAlign::superscript;
     },
     "font-size:8pt;vertical-align:super;line-height:0;"},
    {"SubscriptAtTwoThirdsOfTheSize",
     [](auto& r) {
       r.size = 22;
       r.vertAlign = docx::VerticalAlign::subscript;
     },
     "font-size:7.33pt;vertical-align:sub;line-height:0;"},
    {"RaisedText", [](auto& r) { r.position = 6; }, "font-size:10pt;position:relative;top:-3pt;"},
    {"LoweredText", [](auto& r) { r.position = -4; }, "font-size:10pt;position:relative;top:2pt;"},
    {"LetterSpacing", [](auto& r) { r.spacing = 30; }, "font-size:10pt;letter-spacing:2px;"},
    {"CondensedLetterSpacing", [](auto& r) { r.spacing = -15; }, "font-size:10pt;letter-spacing:-1px;"},
    {"HorizontalScale", [](auto& r) { r.scale = 80; }, "font-size:10pt;font-stretch:80%;"},
    {"HorizontalScaleIsClamped", [](auto& r) { r.scale = 600; }, "font-size:10pt;font-stretch:200%;"},
    {"RunBorder", [](auto& r) { r.border = line(BorderStyle::single, 4, 0x000000); },
     "font-size:10pt;border:1px solid #000000;"},
    {"Shadow", [](auto& r) { r.shadow = true; }, "font-size:10pt;text-shadow:0.05em 0.05em 0 #A0A0A0;"},
    {"Outline", [](auto& r) { r.outline = true; }, "font-size:10pt;-webkit-text-stroke:0.03em;"},
};

class FormatCssRun : public testing::TestWithParam<RunCase> {};

TEST_P(FormatCssRun, WritesTheDeclarations) {
  docx::RunFormat run;
  GetParam().edit(run);
  std::string out;
  appendRunCss(out, run);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatCssRun, testing::ValuesIn(kRunCases), test::caseName);

// ---- paragraphs ----

struct ParagraphCase {
  std::string name;
  std::function<void(docx::ParagraphFormat&)> edit;
  std::string expected;
};

// What every paragraph says: its mark's size, single lines of an unknown face, start alignment.
const std::string kPlain = "font-size:10pt;line-height:1.15;text-align:start;direction:ltr;";

std::string plainWith(std::string_view extra) { return kPlain + std::string(extra); }

const ParagraphCase kParagraphCases[] = {
    {"PlainParagraph", [](auto&) {}, kPlain},
    {"MarkFaceAndSize",
     [](auto& p) {
       p.mark.ascii = {"Calibri", docx::GenericFamily::sansSerif};
       p.mark.size = 22;
     },
     "font-family:\"Calibri\",\"DejaVu Sans\",sans-serif;font-size:11pt;line-height:1.22;text-align:start;direction:ltr;"},
    {"CentredParagraph", [](auto& p) { p.justification = docx::Justification::center; },
     "font-size:10pt;line-height:1.15;text-align:center;direction:ltr;"},
    {"EndAlignedParagraph", [](auto& p) { p.justification = docx::Justification::end; },
     "font-size:10pt;line-height:1.15;text-align:end;direction:ltr;"},
    {"JustifiedParagraph", [](auto& p) { p.justification = docx::Justification::both; },
     "font-size:10pt;line-height:1.15;text-align:justify;direction:ltr;"},
    {"DistributedParagraphJustifiesItsLastLine", [](auto& p) { p.justification = docx::Justification::distribute; },
     "font-size:10pt;line-height:1.15;text-align:justify;text-align-last:justify;direction:ltr;"},
    {"RightToLeftParagraph", [](auto& p) { p.bidi = true; },
     "font-size:10pt;line-height:1.15;text-align:start;direction:rtl;"},
    {"Indents",
     [](auto& p) {
       p.indentStart = 720;
       p.indentEnd = 360;
     },
     plainWith("margin-inline-start:48px;margin-inline-end:24px;")},
    {"FirstLineIndent", [](auto& p) { p.firstLine = 360; }, plainWith("text-indent:24px;")},
    {"HangingIndent",
     [](auto& p) {
       p.indentStart = 720;
       p.firstLine = -360;
     },
     plainWith("margin-inline-start:48px;text-indent:-24px;")},
    {"SpaceBeforeIsPaddingSoItAddsToTheSpaceAbove",
     [](auto& p) {
       p.spaceBefore = 240;
       p.spaceAfter = 120;
     },
     plainWith("padding-top:16px;margin-bottom:8px;")},
    {"SpaceBeforeAFilledParagraphIsAMargin",
     [](auto& p) {
       p.spaceBefore = 240;
       p.shading = 0xEEEEEE;
     },
     plainWith("margin-top:16px;background-color:#EEEEEE;")},
    {"DarkFillMakesTextWhite", [](auto& p) { p.shading = 0x203040; },
     plainWith("background-color:#203040;color:#FFFFFF;")},
    {"AutoLineSpacingIsAMultipleOfTheFacesLine",
     [](auto& p) {
       p.mark.ascii = {"Calibri", docx::GenericFamily::sansSerif};
       p.line = 360;
     },
     "font-family:\"Calibri\",\"DejaVu Sans\",sans-serif;font-size:10pt;line-height:1.83;text-align:start;direction:ltr;"},
    {"ExactLineSpacing",
     [](auto& p) {
       p.lineRule = docx::LineRule::exact;
       p.line = 300;
     },
     "font-size:10pt;line-height:20px;text-align:start;direction:ltr;"},
    {"AtLeastBelowTheFacesLineKeepsIt",
     [](auto& p) {
       p.lineRule = docx::LineRule::atLeast;
       p.line = 200;
     },
     kPlain},
    {"AtLeastAboveTheFacesLineIsExact",
     [](auto& p) {
       p.lineRule = docx::LineRule::atLeast;
       p.line = 480;
     },
     "font-size:10pt;line-height:32px;text-align:start;direction:ltr;"},
    {"TopAndBottomBorders",
     [](auto& p) {
       p.borders.top = line(BorderStyle::single, 12, 0x4472C4, 1);
       p.borders.bottom = line(BorderStyle::double_, 4, 0x000000);
     },
     plainWith("border-top:2px solid #4472C4;padding-top:1pt;border-bottom:3px double #000000;padding-bottom:0pt;")},
    {"SideBorderStandsOutsideTheIndent",
     [](auto& p) {
       p.indentStart = 720;
       p.borders.start = line(BorderStyle::single, 12, 0x000000, 3);
     },
     plainWith("margin-inline-start:42px;border-inline-start:2px solid #000000;padding-inline-start:3pt;")},
    {"NoneBorderIsNotDrawn", [](auto& p) { p.borders.top = line(BorderStyle::none, 12, 0); }, kPlain},
    {"BreaksAndKeeps",
     [](auto& p) {
       p.pageBreakBefore = true;
       p.keepNext = true;
       p.keepLines = true;
     },
     plainWith("break-before:page;break-after:avoid;break-inside:avoid;")},
};

class FormatCssParagraph : public testing::TestWithParam<ParagraphCase> {};

TEST_P(FormatCssParagraph, WritesTheDeclarations) {
  docx::ParagraphFormat paragraph;
  GetParam().edit(paragraph);
  std::string out;
  appendParagraphCss(out, paragraph);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatCssParagraph, testing::ValuesIn(kParagraphCases), test::caseName);

// ---- paragraphs sharing one box ----

struct JoinCase {
  std::string name;
  std::function<void(docx::ParagraphFormat&)> edit;
  std::string top, bottom;
};

const JoinCase kJoinCases[] = {
    {"NoBordersNothingToJoin", [](auto&) {}, "", ""},
    {"BoxWithoutBetweenBorder",
     [](auto& p) {
       p.borders.top = p.borders.bottom = line(BorderStyle::single, 4, 0);
       p.spaceBefore = 120;
       p.spaceAfter = 60;
     },
     "margin-top:0;border-top:none;padding-top:8px;", "border-bottom:none;margin-bottom:0;padding-bottom:4px;"},
    {"BetweenBorderSeparatesTheParagraphs",
     [](auto& p) {
       p.borders.top = line(BorderStyle::single, 4, 0);
       p.borders.between = line(BorderStyle::dotted, 8, 0xFF0000, 3);
     },
     "margin-top:0;border-top:1.33px dotted #FF0000;padding-top:4px;", "border-bottom:none;margin-bottom:0;padding-bottom:0px;"},
};

class FormatCssJoin : public testing::TestWithParam<JoinCase> {};

TEST_P(FormatCssJoin, WritesWhatChangesInsideTheBox) {
  docx::ParagraphFormat paragraph;
  GetParam().edit(paragraph);
  std::string top, bottom;
  appendJoinedTopCss(top, paragraph);
  appendJoinedBottomCss(bottom, paragraph);
  EXPECT_EQ(top, GetParam().top);
  EXPECT_EQ(bottom, GetParam().bottom);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatCssJoin, testing::ValuesIn(kJoinCases), test::caseName);

// ---- cells ----

struct CellCase {
  std::string name;
  std::function<void(docx::CellFormat&)> edit;
  std::string expected;
};

const CellCase kCellCases[] = {
    {"DefaultCellHasItsSideMargins", [](auto&) {}, "padding-inline-end:7.2px;padding-inline-start:7.2px;"},
    {"FourEdges",
     [](auto& c) {
       c.top = line(BorderStyle::single, 4, 0x000000);
       c.end = line(BorderStyle::dashed, 8, 0x00FF00);
       c.bottom = line(BorderStyle::double_, 12, 0x0000FF);
       c.start = line(BorderStyle::threeDEmboss, 24, 0x808080);
       c.marginStart = c.marginEnd = 0;
     },
     "border-top:1px solid #000000;border-inline-end:1.33px dashed #00FF00;border-bottom:3px double #0000FF;"
     "border-inline-start:4px ridge #808080;"},
    {"AutomaticBorderColourIsBlack",
     [](auto& c) {
       c.top = ResolvedBorder{BorderStyle::single, 4, 0, std::nullopt};
       c.marginStart = c.marginEnd = 0;
     },
     "border-top:1px solid #000000;"},
    {"AllMargins",
     [](auto& c) {
       c.marginTop = 72;
       c.marginBottom = 36;
     },
     "padding-top:4.8px;padding-inline-end:7.2px;padding-bottom:2.4px;padding-inline-start:7.2px;"},
    {"DarkFillMakesTextWhite",
     [](auto& c) {
       c.shading = 0x1F3864;
       c.marginStart = c.marginEnd = 0;
     },
     "background-color:#1F3864;color:#FFFFFF;"},
    {"CentredVertically",
     [](auto& c) {
       c.verticalAlign = docx::CellAlign::center;
       c.marginStart = c.marginEnd = 0;
     },
     "vertical-align:middle;"},
    {"TextFromBottomToTop",
     [](auto& c) {
       c.textDirection = "btLr";
       c.marginStart = c.marginEnd = 0;
     },
     "writing-mode:vertical-rl;transform:rotate(180deg);"},
};

class FormatCssCell : public testing::TestWithParam<CellCase> {};

TEST_P(FormatCssCell, WritesTheDeclarations) {
  docx::CellFormat cell;
  GetParam().edit(cell);
  std::string out;
  appendCellCss(out, cell);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatCssCell, testing::ValuesIn(kCellCases), test::caseName);

}  // namespace
}  // namespace vellumine::render
