// Formatting to CSS.  Each function writes the declarations of one kind of element, in a fixed
// order, so equal formats give equal text and share one class (style_sheet.h).  Word's line
// height ("single" is the face's own ascent, descent and gap) comes from a table of the faces
// documents use most, as a multiple of the size.
#include "render/format_css.h"

#include <algorithm>
#include <array>
#include <utility>

#include "docx/symbol_characters.h"
#include "render/css_units.h"
#include "render/html_escape.h"
#include "text/chartype.h"

namespace vellumine::render {

namespace {

using docx::BorderStyle;
using docx::UnderlineStyle;

std::string_view genericName(docx::GenericFamily family) {
  switch (family) {
    case docx::GenericFamily::serif: return "serif";
    case docx::GenericFamily::sansSerif: return "sans-serif";
    case docx::GenericFamily::monospace: return "monospace";
    case docx::GenericFamily::cursive: return "cursive";
    case docx::GenericFamily::fantasy: return "fantasy";
  }
  return "serif";
}

std::string_view borderStyleName(BorderStyle style) {
  switch (style) {
    case BorderStyle::none: return "none";
    case BorderStyle::dotted: return "dotted";
    case BorderStyle::dashed:
    case BorderStyle::dotDash:
    case BorderStyle::dotDotDash:
    case BorderStyle::dashSmallGap:
    case BorderStyle::dashDotStroked: return "dashed";
    case BorderStyle::double_:
    case BorderStyle::triple:
    case BorderStyle::thinThickSmallGap:
    case BorderStyle::thickThinSmallGap:
    case BorderStyle::thinThickThinSmallGap:
    case BorderStyle::thinThickMediumGap:
    case BorderStyle::thickThinMediumGap:
    case BorderStyle::thinThickThinMediumGap:
    case BorderStyle::thinThickLargeGap:
    case BorderStyle::thickThinLargeGap:
    case BorderStyle::thinThickThinLargeGap:
    case BorderStyle::doubleWave: return "double";
    case BorderStyle::threeDEmboss: return "ridge";
    case BorderStyle::threeDEngrave: return "groove";
    case BorderStyle::outset: return "outset";
    case BorderStyle::inset: return "inset";
    case BorderStyle::single:
    case BorderStyle::thick:
    case BorderStyle::wave: return "solid";
  }
  return "solid";
}

bool isDouble(BorderStyle style) { return borderStyleName(style) == "double"; }

// The width a border is drawn with, in hundredths of a px: at least one pixel, and three for a
// double line so that both lines show.
long long borderWidthHundredths(const docx::ResolvedBorder& border) {
  long long width = hundredthsOf(border.widthEighths, 6);
  const long long least = isDouble(border.style) ? 300 : 100;
  return width < least ? least : width;
}

std::string_view underlineStyleName(UnderlineStyle style) {
  switch (style) {
    case UnderlineStyle::double_: return "double";
    case UnderlineStyle::dotted:
    case UnderlineStyle::dottedHeavy: return "dotted";
    case UnderlineStyle::dash:
    case UnderlineStyle::dashedHeavy:
    case UnderlineStyle::dashLong:
    case UnderlineStyle::dashLongHeavy:
    case UnderlineStyle::dotDash:
    case UnderlineStyle::dashDotHeavy:
    case UnderlineStyle::dotDotDash:
    case UnderlineStyle::dashDotDotHeavy: return "dashed";
    case UnderlineStyle::wave:
    case UnderlineStyle::wavyHeavy:
    case UnderlineStyle::wavyDouble: return "wavy";
    default: return "solid";
  }
}

bool isHeavy(UnderlineStyle style) {
  return style == UnderlineStyle::thick || style == UnderlineStyle::dottedHeavy ||
         style == UnderlineStyle::dashedHeavy || style == UnderlineStyle::dashLongHeavy ||
         style == UnderlineStyle::dashDotHeavy || style == UnderlineStyle::dashDotDotHeavy ||
         style == UnderlineStyle::wavyHeavy;
}

bool isComplex(const docx::RunFormat& run) { return run.rtl || run.complexScriptText; }

void appendDecorations(std::string& out, const docx::RunFormat& run) {
  const bool underline = run.underline != UnderlineStyle::none;
  const bool strike = run.strike || run.doubleStrike;
  if (!underline && !strike) return;
  out += "text-decoration-line:";
  if (underline) out += "underline";
  if (underline && strike) out += ' ';
  if (strike) out += "line-through";
  out += ';';
  // One style for both lines: CSS draws every line of an element alike.
  std::string_view style = underline ? underlineStyleName(run.underline) : "solid";
  if (!underline && run.doubleStrike) style = "double";
  if (style != "solid") out.append("text-decoration-style:").append(style).append(";");
  if (underline && isHeavy(run.underline)) out += "text-decoration-thickness:2px;";
  if (underline && run.underlineColor) {
    out += "text-decoration-color:";
    appendColor(out, *run.underlineColor);
    out += ';';
  }
}

// The fill behind the run's text: the highlight, else the shading.
std::optional<docx::Rgb> runFill(const docx::RunFormat& run) { return run.highlight ? run.highlight : run.shading; }

void appendRunColors(std::string& out, const docx::RunFormat& run) {
  const std::optional<docx::Rgb> fill = runFill(run);
  if (run.color) {
    out += "color:";
    appendColor(out, *run.color);
    out += ';';
  } else if (fill) {
    out += isDarkFill(*fill) ? "color:#FFFFFF;" : "color:#000000;";
  }
  if (fill) {
    out += "background-color:";
    appendColor(out, *fill);
    out += ';';
  }
}

// Word draws super- and subscript at two thirds of the size.
void appendSizeAndScript(std::string& out, const docx::RunFormat& run) {
  const long long size = isComplex(run) ? run.sizeCs : run.size;
  out += "font-size:";
  if (run.vertAlign == docx::VerticalAlign::baseline) {
    appendHalfPointsPt(out, size);
    out += ';';
    return;
  }
  appendHundredths(out, hundredthsOf(size * 2, 6));  // half-points * 2/3 / 2 = pt
  out += "pt;vertical-align:";
  out += run.vertAlign == docx::VerticalAlign::superscript ? "super" : "sub";
  out += ";line-height:0;";
}

void appendTextEffects(std::string& out, const docx::RunFormat& run) {
  if (run.shadow) out += "text-shadow:0.05em 0.05em 0 #A0A0A0;";
  else if (run.emboss) out += "text-shadow:-0.04em -0.04em 0 #C8C8C8;";
  else if (run.imprint) out += "text-shadow:0.04em 0.04em 0 #C8C8C8;";
  if (run.outline) out += "-webkit-text-stroke:0.03em;";
}

struct FaceMetric {
  std::string_view face;
  int thousandths;
};

// ascent + descent + line gap over the em, as Word spaces single lines of each face.
constexpr std::array<FaceMetric, 18> kFaceMetrics{{
    {"Aptos", 1200},           {"Arial", 1150},         {"Book Antiqua", 1170},
    {"Calibri", 1221},         {"Calibri Light", 1221}, {"Cambria", 1172},
    {"Candara", 1221},         {"Century Gothic", 1225}, {"Consolas", 1170},
    {"Courier New", 1133},     {"Garamond", 1124},      {"Georgia", 1136},
    {"Helvetica", 1150},       {"Segoe UI", 1330},      {"Tahoma", 1207},
    {"Times New Roman", 1150}, {"Trebuchet MS", 1160},  {"Verdana", 1215},
}};

void appendLineHeight(std::string& out, const docx::ParagraphFormat& p) {
  const docx::RunFormat& mark = p.mark;
  const long long ratio = lineHeightThousandths(mark.ascii.name);
  out += "line-height:";
  switch (p.lineRule) {
    case docx::LineRule::auto_: {
      long long line = p.line < 24 ? 24 : p.line > 24000 ? 24000 : p.line;
      // (line / 240) * ratio / 1000, in hundredths
      appendHundredths(out, hundredthsOf(line * ratio, 240 * 1000));
      break;
    }
    case docx::LineRule::exact:
      appendTwipsPx(out, p.line < 0 ? 0 : p.line);
      break;
    case docx::LineRule::atLeast: {
      // The line of the mark's face at its size, in twips: size/2 pt * 20 * ratio/1000.
      const long long natural = static_cast<long long>(mark.size) * 10 * ratio / 1000;
      if (p.line > natural) {
        appendTwipsPx(out, p.line);
      } else {
        appendHundredths(out, ratio / 10);
      }
      break;
    }
  }
  out += ';';
}

void appendSideBorder(std::string& out, std::string_view side, const std::optional<docx::ResolvedBorder>& border) {
  if (!border || border->style == BorderStyle::none) return;
  appendBorderCss(out, std::string("border-").append(side), *border);
  out.append("padding-").append(side).append(":");
  appendHalfPointsPt(out, static_cast<long long>(border->spacePoints) * 2);
  out += ';';
}

bool visible(const std::optional<docx::ResolvedBorder>& border) {
  return border && border->style != BorderStyle::none;
}

// The start (or end) indent: Word keeps the text at the indent and draws a side border with its
// spacing outside it, in the margin.
void appendIndent(std::string& out, std::string_view property, int indent,
                  const std::optional<docx::ResolvedBorder>& border) {
  long long hundredths = hundredthsOf(indent, 15);
  if (visible(border)) {
    hundredths -= borderWidthHundredths(*border) + hundredthsOf(static_cast<long long>(border->spacePoints) * 4, 3);
  }
  if (hundredths == 0) return;
  out.append(property).append(":");
  appendHundredths(out, hundredths);
  out += "px;";
}

void appendAlignment(std::string& out, docx::Justification justification) {
  switch (justification) {
    case docx::Justification::start: out += "text-align:start;"; break;
    case docx::Justification::center: out += "text-align:center;"; break;
    case docx::Justification::end: out += "text-align:end;"; break;
    case docx::Justification::both: out += "text-align:justify;"; break;
    case docx::Justification::distribute: out += "text-align:justify;text-align-last:justify;"; break;
  }
}

// Space before sits above a top border or a fill (a margin); without either, it is padding, so
// that it adds to the space after the paragraph above as in Word instead of collapsing with it.
void appendSpacing(std::string& out, const docx::ParagraphFormat& p) {
  if (p.spaceBefore > 0) {
    out += visible(p.borders.top) || p.shading ? "margin-top:" : "padding-top:";
    appendTwipsPx(out, p.spaceBefore);
    out += ';';
  }
  if (p.spaceAfter > 0) {
    out += "margin-bottom:";
    appendTwipsPx(out, p.spaceAfter);
    out += ';';
  }
}

void appendCellPadding(std::string& out, const docx::CellFormat& cell) {
  const std::array<std::pair<std::string_view, int>, 4> sides{{{"padding-top:", cell.marginTop},
                                                               {"padding-inline-end:", cell.marginEnd},
                                                               {"padding-bottom:", cell.marginBottom},
                                                               {"padding-inline-start:", cell.marginStart}}};
  for (const auto& [property, twips] : sides) {
    if (twips <= 0) continue;
    out += property;
    appendTwipsPx(out, twips);
    out += ';';
  }
}

void appendTextDirection(std::string& out, std::string_view direction) {
  if (direction == "btLr") {
    out += "writing-mode:vertical-rl;transform:rotate(180deg);";
  } else if (direction == "tbRl" || direction == "tbRlV" || direction == "tbV") {
    out += "writing-mode:vertical-rl;";
  } else if (direction == "tbLrV") {
    out += "writing-mode:vertical-lr;";
  }
}

}  // namespace

int lineHeightThousandths(std::string_view face) {
  for (const FaceMetric& metric : kFaceMetrics) {
    if (EqualsCaseless(metric.face, face)) return metric.thousandths;
  }
  return 1150;
}

void appendBorderCss(std::string& out, std::string_view property, const docx::ResolvedBorder& border) {
  if (border.style == BorderStyle::none) return;
  out.append(property).append(":");
  appendHundredths(out, borderWidthHundredths(border));
  out.append("px ").append(borderStyleName(border.style)).append(" ");
  appendColor(out, border.color.value_or(0));
  out += ';';
}

// The face the desktop shows for a sans or monospace face it lacks (fontconfig's choice on Linux
// desktops, and what word processors there draw); the browser engine's own default for the
// generic family is a different face, so it is named before the generic.
std::string_view desktopFallbackFace(docx::GenericFamily family) {
  switch (family) {
    case docx::GenericFamily::sansSerif: return "DejaVu Sans";
    case docx::GenericFamily::monospace: return "DejaVu Sans Mono";
    default: return {};
  }
}

bool isNamedFace(const docx::ResolvedFont& face) {
  return !face.name.empty() && docx::symbolFaceOf(face.name) == docx::SymbolFace::none;
}

// The run's own faces first: its complex-script face for right-to-left and complex-script text,
// else its Latin faces (ascii, hAnsi).  Then, for a sans or monospace face, the desktop's fallback
// face and the East Asian face (for the characters the faces before it lack; it never takes the
// Latin text, which the fallback face covers); last the generic family.  A face in a symbol font
// is not named: its text is written as Unicode look-alikes, which the font would garble.
void appendFontFamily(std::string& out, const docx::RunFormat& run) {
  std::array<std::string_view, 4> names{};
  std::size_t count = 0;
  const auto add = [&](const docx::ResolvedFont& face) {
    if (!isNamedFace(face) || std::find(names.begin(), names.begin() + count, face.name) != names.begin() + count) return;
    names[count++] = face.name;
  };
  if (isComplex(run)) {
    add(run.complexScript);
  } else {
    add(run.ascii);
    add(run.hAnsi);
  }
  const docx::ResolvedFont* lead = isComplex(run) ? &run.complexScript : isNamedFace(run.ascii) ? &run.ascii : &run.hAnsi;
  docx::GenericFamily generic = lead->generic;
  if (count == 0) {
    add(run.eastAsia);
    generic = run.eastAsia.generic;
  } else if (const std::string_view fallback = desktopFallbackFace(generic); !fallback.empty()) {
    names[count++] = fallback;
    add(run.eastAsia);
  }
  if (count == 0) return;
  for (std::size_t k = 0; k < count; ++k) {
    out += k == 0 ? "font-family:" : ",";
    appendCssString(out, names[k]);
  }
  out.append(",").append(genericName(generic)).append(";");
}

void appendRunCss(std::string& out, const docx::RunFormat& run) {
  appendFontFamily(out, run);
  appendSizeAndScript(out, run);
  if (isComplex(run) ? run.boldCs : run.bold) out += "font-weight:bold;";
  if (isComplex(run) ? run.italicCs : run.italic) out += "font-style:italic;";
  appendDecorations(out, run);
  appendRunColors(out, run);
  if (run.caps) {
    out += "text-transform:uppercase;";
  } else if (run.smallCaps) {
    out += "font-variant:small-caps;";
  }
  if (run.position != 0) {
    out += "position:relative;top:";
    appendHalfPointsPt(out, -static_cast<long long>(run.position));
    out += ';';
  }
  if (run.spacing != 0) {
    out += "letter-spacing:";
    appendTwipsPx(out, run.spacing);
    out += ';';
  }
  if (run.scale != 100 && run.scale > 0) {
    const int percent = run.scale < 50 ? 50 : run.scale > 200 ? 200 : run.scale;
    out += "font-stretch:";
    appendInteger(out, percent);
    out += "%;";
  }
  if (run.border) {
    appendBorderCss(out, "border", *run.border);
  }
  if (run.rtl) out += "direction:rtl;unicode-bidi:embed;";
  appendTextEffects(out, run);
}

void appendParagraphCss(std::string& out, const docx::ParagraphFormat& p) {
  appendFontFamily(out, p.mark);
  out += "font-size:";
  appendHalfPointsPt(out, p.mark.size);
  out += ';';
  appendLineHeight(out, p);
  appendAlignment(out, p.justification);
  out += p.bidi ? "direction:rtl;" : "direction:ltr;";
  appendIndent(out, "margin-inline-start", p.indentStart, p.borders.start);
  appendIndent(out, "margin-inline-end", p.indentEnd, p.borders.end);
  if (p.firstLine != 0) {
    out += "text-indent:";
    appendTwipsPx(out, p.firstLine);
    out += ';';
  }
  appendSpacing(out, p);
  appendSideBorder(out, "top", p.borders.top);
  appendSideBorder(out, "bottom", p.borders.bottom);
  appendSideBorder(out, "inline-start", p.borders.start);
  appendSideBorder(out, "inline-end", p.borders.end);
  if (p.shading) {
    out += "background-color:";
    appendColor(out, *p.shading);
    out += ';';
    if (isDarkFill(*p.shading)) out += "color:#FFFFFF;";
  }
  if (p.pageBreakBefore) out += "break-before:page;";
  if (p.keepNext) out += "break-after:avoid;";
  if (p.keepLines) out += "break-inside:avoid;";
}

bool hasBorders(const docx::ParagraphFormat& p) {
  const docx::ResolvedParagraphBorders& b = p.borders;
  return visible(b.top) || visible(b.bottom) || visible(b.start) || visible(b.end) || visible(b.between);
}

void appendJoinedTopCss(std::string& out, const docx::ParagraphFormat& p) {
  if (!hasBorders(p)) return;
  out += "margin-top:0;";
  if (visible(p.borders.between)) {
    appendBorderCss(out, "border-top", *p.borders.between);
  } else {
    out += "border-top:none;";
  }
  // The space between two paragraphs of one box lies inside it.
  long long padding = hundredthsOf(p.spaceBefore, 15);
  if (visible(p.borders.between)) padding += hundredthsOf(static_cast<long long>(p.borders.between->spacePoints) * 4, 3);
  out += "padding-top:";
  appendHundredths(out, padding);
  out += "px;";
}

void appendJoinedBottomCss(std::string& out, const docx::ParagraphFormat& p) {
  if (!hasBorders(p)) return;
  out += "border-bottom:none;margin-bottom:0;padding-bottom:";
  appendTwipsPx(out, p.spaceAfter > 0 ? p.spaceAfter : 0);
  out += ';';
}

void appendCellCss(std::string& out, const docx::CellFormat& cell) {
  appendBorderCss(out, "border-top", cell.top);
  appendBorderCss(out, "border-inline-end", cell.end);
  appendBorderCss(out, "border-bottom", cell.bottom);
  appendBorderCss(out, "border-inline-start", cell.start);
  appendCellPadding(out, cell);
  if (cell.shading) {
    out += "background-color:";
    appendColor(out, *cell.shading);
    out += ';';
    if (isDarkFill(*cell.shading)) out += "color:#FFFFFF;";
  }
  if (cell.verticalAlign == docx::CellAlign::center) out += "vertical-align:middle;";
  if (cell.verticalAlign == docx::CellAlign::bottom) out += "vertical-align:bottom;";
  appendTextDirection(out, cell.textDirection);
}

}  // namespace vellumine::render
