// DrawingML colours as charts write them.  Luminance changes: a:lumMod and a:lumOff exactly (how
// charts write "lighter 40 %" and "darker 25 %"), a:tint and a:shade as the theme's tint and shade.
#include "docx/chart_colors.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "docx/theme_values.h"
#include "docx/xml_names.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

constexpr EnumName<ThemeColor> kSchemeNames[] = {
    {"tx1", ThemeColor::text1},         {"bg1", ThemeColor::background1}, {"tx2", ThemeColor::text2},
    {"bg2", ThemeColor::background2},   {"dk1", ThemeColor::dark1},       {"lt1", ThemeColor::light1},
    {"dk2", ThemeColor::dark2},         {"lt2", ThemeColor::light2},      {"accent1", ThemeColor::accent1},
    {"accent2", ThemeColor::accent2},   {"accent3", ThemeColor::accent3}, {"accent4", ThemeColor::accent4},
    {"accent5", ThemeColor::accent5},   {"accent6", ThemeColor::accent6}, {"hlink", ThemeColor::hyperlink},
    {"folHlink", ThemeColor::followedHyperlink},
};

constexpr EnumName<std::uint32_t> kPresetColors[] = {
    {"black", 0x000000}, {"white", 0xFFFFFF}, {"red", 0xFF0000},    {"green", 0x008000}, {"blue", 0x0000FF},
    {"yellow", 0xFFFF00}, {"gray", 0x808080}, {"orange", 0xFFA500}, {"purple", 0x800080},
};

constexpr EnumName<std::uint32_t> kSystemColors[] = {
    {"windowText", 0x000000}, {"window", 0xFFFFFF}, {"btnFace", 0xF0F0F0}, {"btnText", 0x000000},
};

constexpr std::array<std::uint32_t, 6> kBuiltInPalette = {0x4472C4, 0xED7D31, 0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47};

std::optional<std::uint32_t> within(const std::optional<std::uint32_t>& value) {
  if (value && *value <= 0xFFFFFF) return value;
  return std::nullopt;
}

// A DrawingML percentage ("60000" = 60 %) as a fraction within 0..1.
std::optional<double> fractionOf(const pugi::xml_node& element, Warnings& warnings) {
  if (!element) return std::nullopt;
  const std::optional<long long> value = readInteger(element.attribute("val"), warnings);
  if (!value) return std::nullopt;
  return std::clamp(static_cast<double>(*value) / 100000.0, 0.0, 1.0);
}

std::uint8_t byteOf(double fraction) { return static_cast<std::uint8_t>(std::lround(fraction * 255.0)); }

// The colour element's luminance children applied to base.
std::uint32_t withLuminance(std::uint32_t base, const pugi::xml_node& colorElement, Warnings& warnings) {
  const std::optional<double> mod = fractionOf(colorElement.child("a:lumMod"), warnings);
  const std::optional<double> off = fractionOf(colorElement.child("a:lumOff"), warnings);
  if (mod || off) return applyLuminance(base, mod.value_or(1.0), off.value_or(0.0));
  if (const std::optional<double> tint = fractionOf(colorElement.child("a:tint"), warnings)) {
    return applyThemeTint(base, byteOf(*tint));
  }
  if (const std::optional<double> shade = fractionOf(colorElement.child("a:shade"), warnings)) {
    return applyThemeShade(base, byteOf(*shade));
  }
  return base;
}

std::optional<std::uint32_t> baseColor(const pugi::xml_node& colorElement, const Theme& theme,
                                       const Settings& settings, Warnings& warnings) {
  if (is(colorElement, "a:srgbClr")) return within(readHex(colorElement.attribute("val"), warnings));
  if (is(colorElement, "a:schemeClr")) {
    const std::optional<ThemeColor> slot = readEnum<ThemeColor>(colorElement.attribute("val"), kSchemeNames);
    if (!slot) return std::nullopt;
    return themeColorValue(theme, settings, *slot);
  }
  if (is(colorElement, "a:sysClr")) {
    if (const pugi::xml_attribute last = colorElement.attribute("lastClr")) return within(readHex(last, warnings));
    return readEnum<std::uint32_t>(colorElement.attribute("val"), kSystemColors);
  }
  if (is(colorElement, "a:prstClr")) return readEnum<std::uint32_t>(colorElement.attribute("val"), kPresetColors);
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> readSolidFillColor(const pugi::xml_node& solidFill, const Theme& theme,
                                                const Settings& settings, Warnings& warnings) {
  const pugi::xml_node colorElement = solidFill.first_child();
  const std::optional<std::uint32_t> base = baseColor(colorElement, theme, settings, warnings);
  if (!base) return std::nullopt;
  return withLuminance(*base, colorElement, warnings);
}

std::optional<std::uint32_t> readShapeColor(const pugi::xml_node& spPr, bool line, const Theme& theme,
                                            const Settings& settings, Warnings& warnings) {
  const pugi::xml_node fill = spPr.child("a:solidFill");
  const pugi::xml_node lineFill = spPr.child("a:ln").child("a:solidFill");
  if (line && lineFill) return readSolidFillColor(lineFill, theme, settings, warnings);
  if (fill) return readSolidFillColor(fill, theme, settings, warnings);
  if (lineFill) return readSolidFillColor(lineFill, theme, settings, warnings);
  return std::nullopt;
}

std::uint32_t defaultChartColor(std::size_t index, const Theme& theme) {
  const std::size_t slot = index % 6;
  const std::size_t round = (index / 6) % 3;
  const std::optional<std::uint32_t>& themed =
      theme.colors[static_cast<std::size_t>(ThemeColor::accent1) - static_cast<std::size_t>(ThemeColor::dark1) + slot];
  const std::uint32_t base = themed ? (*themed & 0xFFFFFF) : kBuiltInPalette[slot];
  if (round == 1) return applyThemeShade(base, byteOf(0.6));
  if (round == 2) return applyThemeTint(base, byteOf(0.6));
  return base;
}

}  // namespace vellumine::docx
