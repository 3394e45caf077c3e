// DrawingML's and VML's ways of writing a shape's look, read into one ShapeLook.  The shape's
// own properties win over its style's references; VML's defaults (white fill, thin black
// outline) hold unless switched off.  Colours keep their theme slot until the page is made.
#include "docx/shape_look_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <span>
#include <string_view>

#include "docx/property_elements.h"
#include "docx/theme_values.h"
#include "docx/xml_names.h"
#include "docx/xml_values.h"
#include "text/chartype.h"

namespace vellumine::docx {

namespace {

// Outlines wider than this (about 1.4 inch) are broken or hostile; they are drawn this wide.
constexpr std::int64_t kMaxLineWidthEmu = 127000 * 10;
// Insets past this (about 11 inches) are treated as this.
constexpr std::int64_t kMaxInsetEmu = 914400 * 11;

constexpr EnumName<ShapeGeometry> kPresetGeometries[] = {
    {"rect", ShapeGeometry::rect},
    {"roundRect", ShapeGeometry::roundRect},
    {"ellipse", ShapeGeometry::ellipse},
    {"line", ShapeGeometry::line},
    {"straightConnector1", ShapeGeometry::line},
    {"bentConnector2", ShapeGeometry::elbow},
    {"bentConnector3", ShapeGeometry::elbow},
    {"bentConnector4", ShapeGeometry::elbow},
    {"bentConnector5", ShapeGeometry::elbow},
    {"curvedConnector2", ShapeGeometry::elbow},
    {"curvedConnector3", ShapeGeometry::elbow},
    {"curvedConnector4", ShapeGeometry::elbow},
    {"curvedConnector5", ShapeGeometry::elbow},
    {"rightArrow", ShapeGeometry::rightArrow},
    {"leftArrow", ShapeGeometry::leftArrow},
    {"upArrow", ShapeGeometry::upArrow},
    {"downArrow", ShapeGeometry::downArrow},
    {"triangle", ShapeGeometry::triangle},
    {"diamond", ShapeGeometry::diamond},
    {"flowChartProcess", ShapeGeometry::rect},
    {"flowChartAlternateProcess", ShapeGeometry::roundRect},
    {"flowChartDecision", ShapeGeometry::diamond},
    {"flowChartConnector", ShapeGeometry::ellipse},
    {"wedgeRectCallout", ShapeGeometry::rect},
    {"wedgeRoundRectCallout", ShapeGeometry::roundRect},
    {"wedgeEllipseCallout", ShapeGeometry::ellipse},
    {"cloudCallout", ShapeGeometry::ellipse},
};

// Callouts with a line to what they point at (callout1, borderCallout2, accentCallout3, ...) are
// drawn as their rectangle.
bool isLineCallout(std::string_view preset) { return preset.find("Callout") != std::string_view::npos; }

ShapeGeometry presetGeometry(std::string_view preset) {
  for (const EnumName<ShapeGeometry>& row : kPresetGeometries) {
    if (row.written == preset) return row.value;
  }
  return isLineCallout(preset) ? ShapeGeometry::rect : ShapeGeometry::other;
}

// DrawingML's scheme colour names (a:schemeClr val).
constexpr EnumName<ThemeColor> kSchemeColors[] = {
    {"dk1", ThemeColor::dark1},       {"lt1", ThemeColor::light1},        {"dk2", ThemeColor::dark2},
    {"lt2", ThemeColor::light2},      {"accent1", ThemeColor::accent1},   {"accent2", ThemeColor::accent2},
    {"accent3", ThemeColor::accent3}, {"accent4", ThemeColor::accent4},   {"accent5", ThemeColor::accent5},
    {"accent6", ThemeColor::accent6}, {"hlink", ThemeColor::hyperlink},   {"folHlink", ThemeColor::followedHyperlink},
    {"tx1", ThemeColor::text1},       {"bg1", ThemeColor::background1},   {"tx2", ThemeColor::text2},
    {"bg2", ThemeColor::background2},
};

// The preset colours documents use (a:prstClr val, VML colour names); others read as black.
struct NamedColor {
  std::string_view name;
  std::uint32_t rgb;
};
constexpr NamedColor kNamedColors[] = {
    {"black", 0x000000}, {"white", 0xFFFFFF},  {"red", 0xFF0000},    {"green", 0x008000}, {"lime", 0x00FF00},
    {"blue", 0x0000FF},  {"yellow", 0xFFFF00}, {"gray", 0x808080},   {"grey", 0x808080},  {"silver", 0xC0C0C0},
    {"navy", 0x000080},  {"maroon", 0x800000}, {"purple", 0x800080}, {"teal", 0x008080},  {"olive", 0x808000},
    {"aqua", 0x00FFFF},  {"fuchsia", 0xFF00FF}, {"orange", 0xFFA500},
};

std::optional<std::uint32_t> namedColor(std::string_view name) {
  for (const NamedColor& row : kNamedColors) {
    if (EqualsCaseless(row.name, name)) return row.rgb;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> parseHexRgb(std::string_view hex) {
  std::uint32_t value = 0;
  const char* last = hex.data() + hex.size();
  auto [end, error] = std::from_chars(hex.data(), last, value, 16);
  if (error != std::errc() || end != last) return std::nullopt;
  if (hex.size() == 6) return value;
  if (hex.size() == 3) {
    // "#F80": each digit doubled.
    const std::uint32_t r = (value >> 8) & 0xF, g = (value >> 4) & 0xF, b = value & 0xF;
    return (r * 17) << 16 | (g * 17) << 8 | (b * 17);
  }
  return std::nullopt;
}

// A 1/1000-percent value (a:lumMod val="75000"), clamped to 0 .. 10 times.
std::int32_t readPercentValue(const pugi::xml_node& element, std::int32_t fallback, Warnings& warnings) {
  const std::optional<int> value = readInt(element.attribute("val"), warnings);
  return value ? std::clamp(*value, -1000000, 1000000) : fallback;
}

void readColorChanges(const pugi::xml_node& colorElement, ShapeColor& color, Warnings& warnings) {
  for (const pugi::xml_node& change : colorElement.children()) {
    if (is(change, "a:lumMod")) color.lumMod = readPercentValue(change, 100000, warnings);
    if (is(change, "a:lumOff")) color.lumOff = readPercentValue(change, 0, warnings);
    if (is(change, "a:shade")) color.shade = readPercentValue(change, 100000, warnings);
    if (is(change, "a:tint")) color.tint = readPercentValue(change, 100000, warnings);
  }
}

std::optional<std::uint32_t> rgbOfAttribute(const pugi::xml_attribute& value, Warnings& warnings) {
  const std::optional<std::uint32_t> rgb = readHex(value, warnings);
  if (!rgb || *rgb > 0xFFFFFF) return std::nullopt;
  return rgb;
}

// a:scrgbClr: linear percentages, turned into the sRGB bytes they stand for.
std::uint32_t scrgbChannel(const pugi::xml_attribute& value, Warnings& warnings) {
  const double linear = std::clamp(readInt(value, warnings).value_or(0) / 100000.0, 0.0, 1.0);
  const double gamma = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return static_cast<std::uint32_t>(std::lround(std::clamp(gamma, 0.0, 1.0) * 255));
}

// The stops of a:gradFill: the first one's colour stands for the fill.
pugi::xml_node firstGradientStop(const pugi::xml_node& gradient) {
  return gradient.child("a:gsLst").child("a:gs");
}

// a:noFill, a:solidFill, a:gradFill, a:pattFill (its foreground) among node's children.
void readFillChoice(const pugi::xml_node& node, Paint& paint, ShapeColor& color, Warnings& warnings) {
  for (const pugi::xml_node& child : node.children()) {
    if (is(child, "a:noFill")) {
      paint = Paint::none;
      return;
    }
    pugi::xml_node holder;
    if (is(child, "a:solidFill")) holder = child;
    if (is(child, "a:gradFill")) holder = firstGradientStop(child);
    if (is(child, "a:pattFill")) holder = child.child("a:fgClr");
    if (!is(child, "a:solidFill") && !is(child, "a:gradFill") && !is(child, "a:pattFill")) continue;
    paint = Paint::solid;
    color = readColorChoice(holder, warnings);
    return;
  }
}

constexpr EnumName<LineDash> kDashes[] = {
    {"solid", LineDash::solid},       {"dash", LineDash::dash},         {"sysDash", LineDash::dash},
    {"dot", LineDash::dot},           {"sysDot", LineDash::dot},        {"dashDot", LineDash::dashDot},
    {"sysDashDot", LineDash::dashDot}, {"sysDashDotDot", LineDash::dashDot}, {"lgDash", LineDash::longDash},
    {"lgDashDot", LineDash::dashDot}, {"lgDashDotDot", LineDash::dashDot},
};

// DrawingML's line end types (a:headEnd type) and VML's (startarrow, endarrow).
constexpr EnumName<LineEnd> kLineEnds[] = {
    {"none", LineEnd::none},         {"arrow", LineEnd::open},     {"open", LineEnd::open},
    {"triangle", LineEnd::filled},   {"block", LineEnd::filled},   {"stealth", LineEnd::filled},
    {"classic", LineEnd::filled},    {"diamond", LineEnd::filled}, {"oval", LineEnd::filled},
};

LineEnd readLineEnd(const pugi::xml_attribute& type) {
  return readEnum(type, std::span<const EnumName<LineEnd>>(kLineEnds)).value_or(LineEnd::none);
}

std::int64_t clampedLineWidth(std::int64_t emu) { return std::clamp<std::int64_t>(emu, 0, kMaxLineWidthEmu); }

void readOutline(const pugi::xml_node& ln, ShapeLook& look, Warnings& warnings) {
  if (!ln) return;
  if (const std::optional<std::int64_t> width = readEmu(ln.attribute("w"), warnings)) {
    look.lineWidthEmu = clampedLineWidth(*width);
  }
  readFillChoice(ln, look.line, look.lineColor, warnings);
  // An a:ln that writes no fill of its own still draws, in the style's colour.
  look.dash = readEnum(ln.child("a:prstDash").attribute("val"), std::span<const EnumName<LineDash>>(kDashes))
                  .value_or(LineDash::solid);
  look.head = readLineEnd(ln.child("a:headEnd").attribute("type"));
  look.tail = readLineEnd(ln.child("a:tailEnd").attribute("type"));
}

void readTransform(const pugi::xml_node& xfrm, ShapeLook& look, Warnings& warnings) {
  if (!xfrm) return;
  if (const std::optional<long long> rotation = readInteger(xfrm.attribute("rot"), warnings)) {
    const long long turn = 21600000;
    look.rotation = static_cast<std::int32_t>(((*rotation % turn) + turn) % turn);
  }
  look.flipH = readOnOffAttribute(xfrm.attribute("flipH")).value_or(false);
  look.flipV = readOnOffAttribute(xfrm.attribute("flipV")).value_or(false);
}

// a:fillRef, a:lnRef, a:fontRef of a shape style: their idx 0 means none, any other draws in the
// colour the reference carries.  The theme's line widths are thin, middle, thick (Office's 6350,
// 12700, 19050 EMU).
void readStyleReferences(const pugi::xml_node& style, ShapeLook& look, Warnings& warnings) {
  if (!style) return;
  if (const pugi::xml_node fillRef = style.child("a:fillRef"); fillRef && look.fill == Paint::unset) {
    const int index = readInt(fillRef.attribute("idx"), warnings).value_or(0);
    look.fill = index == 0 ? Paint::none : Paint::solid;
    look.fillColor = readColorChoice(fillRef, warnings);
  }
  if (const pugi::xml_node lnRef = style.child("a:lnRef")) {
    const int index = readInt(lnRef.attribute("idx"), warnings).value_or(0);
    if (look.line == Paint::unset) look.line = index == 0 ? Paint::none : Paint::solid;
    if (!look.lineColor.present) look.lineColor = readColorChoice(lnRef, warnings);
    if (look.lineWidthEmu < 0 && index > 0) look.lineWidthEmu = 6350LL * std::min(index, 3);
  }
  look.textColor = readColorChoice(style.child("a:fontRef"), warnings);
}

constexpr EnumName<TextAnchor> kAnchors[] = {
    {"t", TextAnchor::top}, {"ctr", TextAnchor::middle}, {"b", TextAnchor::bottom},
    {"just", TextAnchor::top}, {"dist", TextAnchor::middle},
};

std::int64_t readInset(const pugi::xml_attribute& value, std::int64_t fallback, Warnings& warnings) {
  const std::optional<std::int64_t> emu = readEmu(value, warnings);
  return emu ? std::clamp<std::int64_t>(*emu, 0, kMaxInsetEmu) : fallback;
}

void readBodyProperties(const pugi::xml_node& bodyPr, ShapeLook& look, Warnings& warnings) {
  if (!bodyPr) return;
  look.insetLeft = readInset(bodyPr.attribute("lIns"), look.insetLeft, warnings);
  look.insetTop = readInset(bodyPr.attribute("tIns"), look.insetTop, warnings);
  look.insetRight = readInset(bodyPr.attribute("rIns"), look.insetRight, warnings);
  look.insetBottom = readInset(bodyPr.attribute("bIns"), look.insetBottom, warnings);
  look.anchor = readEnum(bodyPr.attribute("anchor"), std::span<const EnumName<TextAnchor>>(kAnchors))
                    .value_or(TextAnchor::top);
}

// ---- VML -------------------------------------------------------------------------------------

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// A VML length in EMU; bare numbers are taken in the unit given (points for strokeweight, EMU for
// inset and dimension attributes written without one are rare: also points).
std::optional<std::int64_t> readVmlEmu(std::string_view text, Warnings& warnings) {
  text = trimmed(text);
  if (text.empty()) return std::nullopt;
  double number = 0;
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(text.data(), last, number, std::chars_format::fixed);
  const std::string_view unit = trimmed(std::string_view(end, static_cast<std::size_t>(last - end)));
  double factor = 0;
  if (unit == "pt" || unit.empty()) factor = 12700;
  if (unit == "in") factor = 914400;
  if (unit == "cm") factor = 360000;
  if (unit == "mm") factor = 36000;
  if (unit == "px") factor = 9525;
  if (unit == "emu") factor = 1;
  const double emu = number * factor;
  if (error != std::errc() || factor == 0 || !std::isfinite(emu) || std::fabs(emu) > 9.0e15) {
    warnings.add(WarningKind::malformedNumber, text);
    return std::nullopt;
  }
  return static_cast<std::int64_t>(std::llround(emu));
}

// "#RRGGBB", "#RGB", "red", "#4472C4 [3204]" (an index after the value); nothing for what VML
// computes from elsewhere ("fill darken(118)", "[3204]" alone, "window").
ShapeColor readVmlColor(std::string_view written) {
  written = trimmed(written);
  written = written.substr(0, std::min(written.find(' '), written.size()));
  ShapeColor color;
  std::optional<std::uint32_t> rgb;
  if (!written.empty() && written.front() == '#') {
    rgb = parseHexRgb(written.substr(1));
  } else {
    rgb = namedColor(written);
  }
  if (rgb) {
    color.present = true;
    color.rgb = *rgb;
  }
  return color;
}

bool vmlFalse(const pugi::xml_attribute& value) {
  const std::string_view written = trimmed(value.value());
  return written == "f" || written == "false" || written == "0" || written == "off";
}

// VML's shape types by number (o:spt, or the "#_x0000_tNNN" of type).
ShapeGeometry vmlTypeGeometry(int type) {
  switch (type) {
    case 1: case 202: case 109: return ShapeGeometry::rect;
    case 2: case 176: return ShapeGeometry::roundRect;
    case 3: case 120: return ShapeGeometry::ellipse;
    case 4: case 110: return ShapeGeometry::diamond;
    case 5: return ShapeGeometry::triangle;
    case 13: return ShapeGeometry::rightArrow;
    case 66: return ShapeGeometry::leftArrow;
    case 67: return ShapeGeometry::downArrow;
    case 68: return ShapeGeometry::upArrow;
    case 20: case 32: return ShapeGeometry::line;
    case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40: return ShapeGeometry::elbow;
    case 61: case 62: case 41: case 42: case 43: case 44: case 45: case 46: case 47: case 48: case 49:
      return ShapeGeometry::rect;  // callouts: their body
    case 63: return ShapeGeometry::ellipse;
    default: return ShapeGeometry::other;
  }
}

std::optional<int> vmlTypeNumber(const pugi::xml_node& shape) {
  std::string_view written = shape.attribute("o:spt").value();
  if (written.empty()) {
    written = shape.attribute("type").value();
    const std::size_t at = written.rfind("_t");
    if (at == std::string_view::npos) return std::nullopt;
    written.remove_prefix(at + 2);
  }
  int number = 0;
  const char* last = written.data() + written.size();
  auto [end, error] = std::from_chars(written.data(), last, number);
  if (error != std::errc() || end == written.data()) return std::nullopt;
  return number;
}

ShapeGeometry vmlGeometry(const pugi::xml_node& shape) {
  const std::string_view name = shape.name();
  if (name == "v:rect") return ShapeGeometry::rect;
  if (name == "v:roundrect") return ShapeGeometry::roundRect;
  if (name == "v:oval") return ShapeGeometry::ellipse;
  if (name == "v:line") return ShapeGeometry::line;
  if (name == "v:shape") {
    const std::optional<int> type = vmlTypeNumber(shape);
    return type ? vmlTypeGeometry(*type) : ShapeGeometry::other;
  }
  return ShapeGeometry::other;
}

constexpr EnumName<LineDash> kVmlDashes[] = {
    {"solid", LineDash::solid},   {"dash", LineDash::dash},         {"shortdash", LineDash::dash},
    {"dot", LineDash::dot},       {"shortdot", LineDash::dot},      {"1 1", LineDash::dot},
    {"dashdot", LineDash::dashDot}, {"shortdashdot", LineDash::dashDot}, {"longdash", LineDash::longDash},
    {"longdashdot", LineDash::dashDot},
};

void readVmlInset(std::string_view inset, ShapeLook& look, Warnings& warnings) {
  std::int64_t* sides[] = {&look.insetLeft, &look.insetTop, &look.insetRight, &look.insetBottom};
  for (std::int64_t* side : sides) {
    if (inset.empty()) return;
    const std::size_t comma = std::min(inset.find(','), inset.size());
    if (const std::optional<std::int64_t> emu = readVmlEmu(inset.substr(0, comma), warnings)) {
      *side = std::clamp<std::int64_t>(*emu, 0, kMaxInsetEmu);
    }
    inset.remove_prefix(std::min(comma + 1, inset.size()));
  }
}

// The colours of the default Office theme, by slot (dark1 .. followedHyperlink), for documents
// without a theme part: a scheme colour names a slot and carries no value of its own.
Rgb defaultThemeColor(ThemeColor slot) {
  static constexpr Rgb kDefaults[] = {0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6, 0x4472C4, 0xED7D31,
                                      0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};
  const auto index = static_cast<std::size_t>(slot);
  return index >= 1 && index <= std::size(kDefaults) ? kDefaults[index - 1] : 0x000000;
}

}  // namespace

ShapeColor readColorChoice(const pugi::xml_node& node, Warnings& warnings) {
  ShapeColor color;
  for (const pugi::xml_node& child : node.children()) {
    if (is(child, "a:srgbClr")) {
      if (const auto rgb = rgbOfAttribute(child.attribute("val"), warnings)) color.rgb = *rgb;
    } else if (is(child, "a:schemeClr")) {
      color.theme = readEnum(child.attribute("val"), std::span<const EnumName<ThemeColor>>(kSchemeColors))
                        .value_or(ThemeColor::none);
    } else if (is(child, "a:sysClr")) {
      if (const auto rgb = rgbOfAttribute(child.attribute("lastClr"), warnings)) color.rgb = *rgb;
    } else if (is(child, "a:prstClr")) {
      color.rgb = namedColor(child.attribute("val").value()).value_or(0);
    } else if (is(child, "a:scrgbClr")) {
      color.rgb = scrgbChannel(child.attribute("r"), warnings) << 16 |
                  scrgbChannel(child.attribute("g"), warnings) << 8 | scrgbChannel(child.attribute("b"), warnings);
    } else {
      continue;
    }
    color.present = true;
    readColorChanges(child, color, warnings);
    return color;
  }
  return color;
}

ShapeLook readShapeLook(const pugi::xml_node& shapeProperties, const pugi::xml_node& style,
                        const pugi::xml_node& bodyProperties, Warnings& warnings) {
  ShapeLook look;
  if (shapeProperties) {
    if (const pugi::xml_node preset = shapeProperties.child("a:prstGeom")) {
      look.geometry = presetGeometry(preset.attribute("prst").value());
    } else if (shapeProperties.child("a:custGeom")) {
      look.geometry = ShapeGeometry::other;
    }
    readFillChoice(shapeProperties, look.fill, look.fillColor, warnings);
    const pugi::xml_node ln = shapeProperties.child("a:ln");
    readOutline(ln, look, warnings);
    // An a:ln with a width but no fill of its own draws in the style's colour.
    if (ln && look.line == Paint::unset && !style) look.line = Paint::solid;
    readTransform(shapeProperties.child("a:xfrm"), look, warnings);
  }
  readStyleReferences(style, look, warnings);
  readBodyProperties(bodyProperties, look, warnings);
  return look;
}

ShapeLook readVmlLook(const pugi::xml_node& shape, Warnings& warnings) {
  ShapeLook look;
  look.geometry = vmlGeometry(shape);
  const pugi::xml_node fill = shape.child("v:fill");
  const bool filled = !vmlFalse(shape.attribute("filled")) && !vmlFalse(fill.attribute("on"));
  const bool open = look.geometry == ShapeGeometry::line || look.geometry == ShapeGeometry::elbow;
  look.fill = filled && !open ? Paint::solid : Paint::none;
  look.fillColor = ShapeColor{true, 0xFFFFFF};
  if (const ShapeColor color = readVmlColor(shape.attribute("fillcolor").value()); color.present) {
    look.fillColor = color;
  }
  const pugi::xml_node stroke = shape.child("v:stroke");
  const bool stroked = !vmlFalse(shape.attribute("stroked")) && !vmlFalse(stroke.attribute("on"));
  look.line = stroked ? Paint::solid : Paint::none;
  look.lineColor = ShapeColor{true, 0x000000};
  if (const ShapeColor color = readVmlColor(shape.attribute("strokecolor").value()); color.present) {
    look.lineColor = color;
  }
  look.lineWidthEmu = 9525;
  if (const pugi::xml_attribute weight = shape.attribute("strokeweight")) {
    if (const std::optional<std::int64_t> emu = readVmlEmu(weight.value(), warnings)) {
      look.lineWidthEmu = clampedLineWidth(*emu);
    }
  }
  look.dash = readEnum(stroke.attribute("dashstyle"), std::span<const EnumName<LineDash>>(kVmlDashes))
                  .value_or(LineDash::solid);
  look.head = readLineEnd(stroke.attribute("startarrow"));
  look.tail = readLineEnd(stroke.attribute("endarrow"));
  readVmlInset(shape.child("v:textbox").attribute("inset").value(), look, warnings);
  return look;
}

std::optional<Rgb> resolveShapeColor(const ShapeColor& color, const Theme& theme, const Settings& settings) {
  if (!color.present) return std::nullopt;
  Rgb rgb = color.rgb;
  if (color.theme != ThemeColor::none) {
    const std::optional<Rgb> slot = themeColorValue(theme, settings, color.theme);
    rgb = slot ? *slot : defaultThemeColor(mappedThemeColor(settings, color.theme));
  }
  rgb = applyLuminance(rgb, std::clamp(color.lumMod / 100000.0, 0.0, 10.0),
                       std::clamp(color.lumOff / 100000.0, -1.0, 1.0));
  const auto byte = [](double fraction) { return static_cast<std::uint8_t>(std::lround(fraction * 255)); };
  if (color.shade < 100000) rgb = applyThemeShade(rgb, byte(std::clamp(color.shade / 100000.0, 0.0, 1.0)));
  if (color.tint < 100000) rgb = applyThemeTint(rgb, byte(std::clamp(color.tint / 100000.0, 0.0, 1.0)));
  return rgb;
}

}  // namespace vellumine::docx
