// The elements shared by the property blocks: colours as written (auto, hex, theme slot with tint
// and shade), borders, shading patterns, widths with their type, cell margins and justification.
// Each reads one element's attributes; a malformed number leaves that value out with a warning.
#include "docx/property_elements.h"

#include <charconv>

#include "text/chartype.h"

namespace vellumine::docx {

namespace {

constexpr EnumName<ThemeColor> kThemeColors[] = {
    {"dark1", ThemeColor::dark1},       {"light1", ThemeColor::light1},
    {"dark2", ThemeColor::dark2},       {"light2", ThemeColor::light2},
    {"accent1", ThemeColor::accent1},   {"accent2", ThemeColor::accent2},
    {"accent3", ThemeColor::accent3},   {"accent4", ThemeColor::accent4},
    {"accent5", ThemeColor::accent5},   {"accent6", ThemeColor::accent6},
    {"hyperlink", ThemeColor::hyperlink}, {"followedHyperlink", ThemeColor::followedHyperlink},
    {"text1", ThemeColor::text1},       {"background1", ThemeColor::background1},
    {"text2", ThemeColor::text2},       {"background2", ThemeColor::background2},
};

// Every border word Word draws as a line of its own; any other word is one of the picture ("art")
// borders, which the page draws as a single line.
constexpr EnumName<BorderStyle> kBorderStyles[] = {
    {"none", BorderStyle::none},
    {"nil", BorderStyle::none},
    {"single", BorderStyle::single},
    {"thick", BorderStyle::thick},
    {"double", BorderStyle::double_},
    {"dotted", BorderStyle::dotted},
    {"dashed", BorderStyle::dashed},
    {"dotDash", BorderStyle::dotDash},
    {"dotDotDash", BorderStyle::dotDotDash},
    {"triple", BorderStyle::triple},
    {"thinThickSmallGap", BorderStyle::thinThickSmallGap},
    {"thickThinSmallGap", BorderStyle::thickThinSmallGap},
    {"thinThickThinSmallGap", BorderStyle::thinThickThinSmallGap},
    {"thinThickMediumGap", BorderStyle::thinThickMediumGap},
    {"thickThinMediumGap", BorderStyle::thickThinMediumGap},
    {"thinThickThinMediumGap", BorderStyle::thinThickThinMediumGap},
    {"thinThickLargeGap", BorderStyle::thinThickLargeGap},
    {"thickThinLargeGap", BorderStyle::thickThinLargeGap},
    {"thinThickThinLargeGap", BorderStyle::thinThickThinLargeGap},
    {"wave", BorderStyle::wave},
    {"doubleWave", BorderStyle::doubleWave},
    {"dashSmallGap", BorderStyle::dashSmallGap},
    {"dashDotStroked", BorderStyle::dashDotStroked},
    {"threeDEmboss", BorderStyle::threeDEmboss},
    {"threeDEngrave", BorderStyle::threeDEngrave},
    {"outset", BorderStyle::outset},
    {"inset", BorderStyle::inset},
};

constexpr EnumName<ShadingPattern> kShadingPatterns[] = {
    {"clear", ShadingPattern::clear},
    {"solid", ShadingPattern::solid},
    {"nil", ShadingPattern::nil},
};

constexpr EnumName<WidthType> kWidthTypes[] = {
    {"auto", WidthType::auto_},
    {"dxa", WidthType::dxa},
    {"pct", WidthType::pct},
    {"nil", WidthType::nil},
};

// "thaiDistribute" and the kashida words justify lines as "both" does (the last line stays at the
// start); only "distribute" spreads the last line too.
constexpr EnumName<Justification> kJustifications[] = {
    {"left", Justification::start},          {"start", Justification::start},
    {"center", Justification::center},       {"right", Justification::end},
    {"end", Justification::end},             {"both", Justification::both},
    {"distribute", Justification::distribute}, {"mediumKashida", Justification::both},
    {"highKashida", Justification::both},    {"lowKashida", Justification::both},
    {"thaiDistribute", Justification::both},
};

constexpr EnumName<Edge> kEdges[] = {
    {"w:top", Edge::top},         {"w:left", Edge::start},       {"w:start", Edge::start},
    {"w:bottom", Edge::bottom},   {"w:right", Edge::end},        {"w:end", Edge::end},
    {"w:insideH", Edge::insideH}, {"w:insideV", Edge::insideV},  {"w:between", Edge::between},
    {"w:bar", Edge::bar},         {"w:tl2br", Edge::tl2br},      {"w:tr2bl", Edge::tr2bl},
};

// A tint or shade: one hex byte.  A value past a byte is malformed.
std::optional<std::uint8_t> readColorByte(const pugi::xml_attribute& value, Warnings& warnings) {
  const auto number = readHex(value, warnings);
  if (!number) return std::nullopt;
  if (*number > 0xFF) {
    warnings.add(WarningKind::malformedNumber, value.value());
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(*number);
}

// "pct25" -> 25; anything else that is no known word -> nullopt.
std::optional<int> shadingPercent(std::string_view written) {
  constexpr std::string_view prefix = "pct";
  if (written.substr(0, prefix.size()) != prefix || written.size() == prefix.size()) return std::nullopt;
  int percent = 0;
  const char* first = written.data() + prefix.size();
  const char* last = written.data() + written.size();
  auto [end, error] = std::from_chars(first, last, percent);
  if (error != std::errc() || end != last || percent < 0 || percent > 100) return std::nullopt;
  return percent;
}

}  // namespace

std::optional<bool> readOnOffAttribute(const pugi::xml_attribute& value) {
  if (!value) return std::nullopt;
  // The words readOnOff knows for a w:val; anything else is on, as Word reads it.
  std::string_view written = value.value();
  while (!written.empty() && IsAsciiSpace(static_cast<unsigned char>(written.front()))) written.remove_prefix(1);
  while (!written.empty() && IsAsciiSpace(static_cast<unsigned char>(written.back()))) written.remove_suffix(1);
  return !(written == "0" || written == "off" || written == "false" || written == "none");
}

ThemeColor themeColorByName(std::string_view written) {
  for (const auto& row : kThemeColors) {
    if (row.written == written) return row.value;
  }
  return ThemeColor::none;
}

std::optional<Color> readColor(const pugi::xml_node& element, const ColorAttributes& names,
                               Warnings& warnings) {
  Color color;
  bool readable = false;
  if (const pugi::xml_attribute value = element.attribute(names.value)) {
    if (std::string_view(value.value()) == "auto") {
      color.isAuto = true;
      readable = true;
    } else if (const auto rgb = readHex(value, warnings)) {
      if (*rgb <= 0xFFFFFF) {
        color.rgb = *rgb;
        readable = true;
      } else {
        warnings.add(WarningKind::malformedNumber, value.value());
      }
    }
  }
  color.theme = themeColorByName(element.attribute(names.theme).value());
  if (color.theme != ThemeColor::none) {
    readable = true;
    if (auto tint = readColorByte(element.attribute(names.tint), warnings)) color.themeTint = *tint;
    if (auto shade = readColorByte(element.attribute(names.shade), warnings)) color.themeShade = *shade;
  }
  if (!readable) return std::nullopt;
  return color;
}

Border readBorder(const pugi::xml_node& element, Warnings& warnings) {
  Border border;
  const pugi::xml_attribute val = valAttr(element);
  if (val) border.style = readEnum<BorderStyle>(val, kBorderStyles).value_or(BorderStyle::single);
  if (auto size = readInt(element.attribute("w:sz"), warnings)) border.widthEighths = std::max(*size, 0);
  if (auto space = readInt(element.attribute("w:space"), warnings)) border.spacePoints = std::max(*space, 0);
  if (auto color = readColor(element, {"w:color", "w:themeColor", "w:themeTint", "w:themeShade"}, warnings)) {
    border.color = *color;
  }
  border.shadow = readOnOffAttribute(element.attribute("w:shadow")).value_or(false);
  border.frame = readOnOffAttribute(element.attribute("w:frame")).value_or(false);
  return border;
}

Shading readShading(const pugi::xml_node& element, Warnings& warnings) {
  Shading shading;
  if (const pugi::xml_attribute val = valAttr(element)) {
    if (auto pattern = readEnum<ShadingPattern>(val, kShadingPatterns)) {
      shading.pattern = *pattern;
    } else if (auto percent = shadingPercent(val.value())) {
      shading.pattern = ShadingPattern::percent;
      shading.percent = *percent;
    } else {
      shading.pattern = ShadingPattern::other;  // stripes and crosses: drawn as their fill
    }
  }
  if (auto color = readColor(element, {"w:color", "w:themeColor", "w:themeTint", "w:themeShade"}, warnings)) {
    shading.color = *color;
  }
  if (auto fill = readColor(element, {"w:fill", "w:themeFill", "w:themeFillTint", "w:themeFillShade"}, warnings)) {
    shading.fill = *fill;
  }
  return shading;
}

std::optional<TableWidth> readTableWidth(const pugi::xml_node& element, Warnings& warnings) {
  const pugi::xml_attribute value = element.attribute("w:w");
  const auto type = readEnum<WidthType>(element.attribute("w:type"), kWidthTypes);
  TableWidth width;
  if (type) {
    width.type = *type;
  } else if (!value) {
    width.type = WidthType::auto_;
  } else {
    // No type: a Strict percentage says so with its sign; a plain number is twips.
    const bool percentSign = std::string_view(value.value()).find('%') != std::string_view::npos;
    width.type = percentSign ? WidthType::pct : WidthType::dxa;
  }
  if (width.type == WidthType::auto_ || width.type == WidthType::nil || !value) return width;
  const auto number = width.type == WidthType::pct ? readFiftiethsPercent(value, warnings) : readTwips(value, warnings);
  if (!number) return std::nullopt;
  width.value = *number;
  return width;
}

CellMargins readCellMargins(const pugi::xml_node& element, Warnings& warnings) {
  CellMargins margins;
  for (pugi::xml_node side = element.first_child(); side; side = side.next_sibling()) {
    std::optional<TableWidth>* slot = nullptr;
    switch (edgeOf(side)) {
      case Edge::top: slot = &margins.top; break;
      case Edge::start: slot = &margins.start; break;
      case Edge::bottom: slot = &margins.bottom; break;
      case Edge::end: slot = &margins.end; break;
      default: break;
    }
    if (slot) *slot = readTableWidth(side, warnings);
  }
  return margins;
}

std::optional<Justification> readJustification(const pugi::xml_node& element) {
  return readEnum<Justification>(valAttr(element), kJustifications);
}

Edge edgeOf(const pugi::xml_node& element) {
  if (element.type() != pugi::node_element) return Edge::other;
  const std::string_view name = element.name();
  for (const auto& row : kEdges) {
    if (row.written == name) return row.value;
  }
  return Edge::other;
}

}  // namespace vellumine::docx
