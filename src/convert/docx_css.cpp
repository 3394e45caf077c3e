// Box properties of paragraphs, styles, tables and cells (border blocks, cell margins, indentation,
// spacing) to CSS declaration text.  Every length goes through pixelsOf, which also reads the
// unit-carrying lengths of Strict documents; none of these routines touches the document text.
#include "convert/docx_css.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

#include "text/chartype.h"
#include "text/strutil.h"
#include "text/units.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

// A length with a unit, as Strict documents write it: "-?digits(.digits)?unit".  Kept as the exact
// fraction of twips num / den, so that rounding happens once, at the final division.
struct TwipsFraction {
  long long num = 0;
  long long den = 1;
};

struct UnitFactor {
  std::string_view unit;
  long long num;  // twips per unit = num / den
  long long den;
};

constexpr std::array<UnitFactor, 6> kUnits{{
    {"pt", 20, 1},
    {"in", 1440, 1},
    {"pc", 240, 1},
    {"pi", 240, 1},
    {"cm", 72000, 127},  // 1440 / 2.54
    {"mm", 7200, 127},
}};

// At most 12 digits in all and 6 after the point keep every product below 2^63.
constexpr int kMaxDigits = 12;
constexpr int kMaxFractionDigits = 6;

std::optional<TwipsFraction> universalMeasure(std::string_view s) {
  if (s.size() < 3) return std::nullopt;
  std::string_view unitText = s.substr(s.size() - 2);
  const UnitFactor* factor = nullptr;
  for (const UnitFactor& u : kUnits) {
    if (u.unit == unitText) factor = &u;
  }
  if (factor == nullptr) return std::nullopt;
  std::string_view number = s.substr(0, s.size() - 2);
  bool negative = !number.empty() && number.front() == '-';
  if (negative) number.remove_prefix(1);
  long long mantissa = 0;
  long long scale = 1;
  int digits = 0;
  int fractionDigits = 0;
  bool inFraction = false;
  for (char ch : number) {
    if (ch == '.' && !inFraction && digits > 0) {
      inFraction = true;
      continue;
    }
    if (!IsAsciiDigit(static_cast<unsigned char>(ch))) return std::nullopt;
    if (++digits > kMaxDigits) return std::nullopt;
    if (inFraction && ++fractionDigits > kMaxFractionDigits) return std::nullopt;
    mantissa = mantissa * 10 + (ch - '0');
    if (inFraction) scale *= 10;
  }
  if (digits == 0 || (inFraction && fractionDigits == 0)) return std::nullopt;
  TwipsFraction result;
  result.num = (negative ? -mantissa : mantissa) * factor->num;
  result.den = scale * factor->den;
  return result;
}

// The side elements of border and margin blocks, in the order their declarations are written.
constexpr std::array<std::string_view, 4> kSides{"top", "left", "right", "bottom"};

// The CSS line style that draws a border style of the document; a style CSS has no line for (the
// waves, the art borders) is drawn solid rather than dropped as an invalid declaration.
std::string_view borderStyle(std::string_view val) {
  struct StyleName {
    std::string_view val, css;
  };
  static constexpr std::array<StyleName, 15> kStyles{{
      {"single", "solid"}, {"thick", "solid"}, {"dotted", "dotted"}, {"dashed", "dashed"},
      {"dashSmallGap", "dashed"}, {"dotDash", "dashed"}, {"dotDotDash", "dashed"},
      {"dashDotStroked", "dashed"}, {"double", "double"}, {"triple", "double"},
      {"threeDEmboss", "ridge"}, {"threeDEngrave", "groove"}, {"inset", "inset"}, {"outset", "outset"},
      {"none", "none"},
  }};
  for (const StyleName& style : kStyles) {
    if (val == style.val) return style.css;
  }
  if (val.starts_with("thinThick") || val.starts_with("thickThin")) return "double";
  return "solid";
}

}  // namespace

std::string pixelsOf(std::string_view length) {
  std::string_view value = TrimBlanks(length);
  if (value.empty()) return {};
  if (ReadDecimal(value)) return TwipsToPx(value);  // "9360", "9360.0"
  std::optional<TwipsFraction> twips = universalMeasure(value);
  if (!twips) return {};
  long long px = NearestQuotient(twips->num, twips->den * twipsPerPixel);
  if (px == 0 && twips->num != 0) px = 1;  // a hairline keeps one pixel, as TwipsToPx does
  return DecimalText(px);
}

std::string fontSizeToPx(std::string_view halfPoints) {
  std::string_view value = TrimBlanks(halfPoints);
  if (value.empty()) return {};
  if (ReadDecimal(value)) return HalfPointsToPx(value);
  std::optional<TwipsFraction> twips = universalMeasure(value);
  if (!twips) return {};
  // A point is 20 twips and 4/3 pixel, so pixels = twips / 15 here as for lengths.
  return DecimalText(NearestQuotient(twips->num, twips->den * twipsPerPixel)) + "px";
}

std::string borderSideToCss(std::string_view block, std::string_view side) {
  std::string element = EmptyElement(block, side);
  if (element.empty()) return {};
  std::string val = AttrValue(element, "val");
  if (val == "nil") return "none;";
  std::string width = pixelsOf(AttrValue(element, "sz"));
  if (width.empty()) return {};
  const std::string_view style = borderStyle(val);
  if (style == "double") {
    std::int32_t w = 0;
    std::from_chars(width.data(), width.data() + width.size(), w);
    if (w < 3) width = "3";  // thinner than 3px a double line shows as a single one
  }
  std::string css = width + "px " + std::string(style);
  // An automatic colour is the text colour, which is what a border without a colour takes.
  const std::string color = AttrValue(element, "color");
  if (!color.empty() && color != "auto") css += " #" + color;
  return css + ";";
}

std::string bordersToCss(std::string_view block) {
  if (block.empty()) return {};
  std::array<std::string, 4> sides;
  for (std::size_t i = 0; i < kSides.size(); ++i) sides[i] = borderSideToCss(block, kSides[i]);
  if (sides[0] == sides[1] && sides[0] == sides[2] && sides[0] == sides[3]) {
    return sides[0].empty() ? std::string("border:none;") : "border:" + sides[0];
  }
  std::string css;
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    if (!sides[i].empty()) css += "border-" + std::string(kSides[i]) + ":" + sides[i];
  }
  return css;
}

std::string cellMarginsToCss(std::string_view block) {
  std::array<std::string, 4> sides;  // top, left, right, bottom
  int present = 0;
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    std::string px = pixelsOf(AttrValue(EmptyElement(block, kSides[i]), "w"));
    if (px.empty()) continue;
    sides[i] = px + "px";
    ++present;
  }
  if (present == 4) {
    return "padding:" + sides[0] + " " + sides[2] + " " + sides[3] + " " + sides[1] + ";";
  }
  // Some sides only: padding of those sides, never a border declaration.
  std::string css;
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    if (!sides[i].empty()) css += "padding-" + std::string(kSides[i]) + ":" + sides[i] + ";";
  }
  return css;
}

std::string indentToCss(std::string_view text) {
  std::string left = pixelsOf(AttrValue(text, "left"));
  std::string right = pixelsOf(AttrValue(text, "right"));
  std::string firstLine = pixelsOf(AttrValue(text, "firstLine"));
  std::string hanging = pixelsOf(AttrValue(text, "hanging"));
  std::string css;
  if (!left.empty()) css += "margin-left:" + left + "px;";
  if (!right.empty()) css += "margin-right:" + right + "px;";
  // A hanging indent replaces a first-line indent.
  if (!hanging.empty()) {
    css += "text-indent:-" + hanging + "px;";
  } else if (!firstLine.empty()) {
    css += "text-indent:" + firstLine + "px;";
  }
  return css;
}

std::string spacingToCss(std::string_view text) {
  std::string before = pixelsOf(AttrValue(text, "before"));
  std::string after = pixelsOf(AttrValue(text, "after"));
  std::string line = pixelsOf(AttrValue(text, "line"));
  std::string css;
  if (!before.empty()) css += "margin-top:" + before + "px;";
  if (!after.empty()) css += "margin-bottom:" + after + "px;";
  // The line value is read as twips whatever the line rule says.
  if (!line.empty()) css += "line-height:" + line + "px;";
  return css;
}

}  // namespace vellumine
