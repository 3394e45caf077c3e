// w:rPr read into RunProps: one reader per child element, chosen by name from a sorted table.
// Revision marks (w:rPrChange) and layout hints the page cannot show (w:noProof, w:snapToGrid,
// w:eastAsianLayout, ...) have no reader and are skipped.
#include <algorithm>

#include "docx/property_elements.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

constexpr EnumName<ThemeFont> kThemeFonts[] = {
    {"majorAscii", ThemeFont::majorAscii},       {"majorHAnsi", ThemeFont::majorHAnsi},
    {"majorEastAsia", ThemeFont::majorEastAsia}, {"majorBidi", ThemeFont::majorBidi},
    {"minorAscii", ThemeFont::minorAscii},       {"minorHAnsi", ThemeFont::minorHAnsi},
    {"minorEastAsia", ThemeFont::minorEastAsia}, {"minorBidi", ThemeFont::minorBidi},
};

constexpr EnumName<UnderlineStyle> kUnderlineStyles[] = {
    {"none", UnderlineStyle::none},
    {"single", UnderlineStyle::single},
    {"words", UnderlineStyle::words},
    {"double", UnderlineStyle::double_},
    {"thick", UnderlineStyle::thick},
    {"dotted", UnderlineStyle::dotted},
    {"dottedHeavy", UnderlineStyle::dottedHeavy},
    {"dash", UnderlineStyle::dash},
    {"dashedHeavy", UnderlineStyle::dashedHeavy},
    {"dashLong", UnderlineStyle::dashLong},
    {"dashLongHeavy", UnderlineStyle::dashLongHeavy},
    {"dotDash", UnderlineStyle::dotDash},
    {"dashDotHeavy", UnderlineStyle::dashDotHeavy},
    {"dotDotDash", UnderlineStyle::dotDotDash},
    {"dashDotDotHeavy", UnderlineStyle::dashDotDotHeavy},
    {"wave", UnderlineStyle::wave},
    {"wavyHeavy", UnderlineStyle::wavyHeavy},
    {"wavyDouble", UnderlineStyle::wavyDouble},
};

// The sixteen highlight names and the colours Word paints them in.
constexpr EnumName<std::uint32_t> kHighlights[] = {
    {"black", 0x000000},     {"blue", 0x0000FF},       {"cyan", 0x00FFFF},        {"green", 0x00FF00},
    {"magenta", 0xFF00FF},   {"red", 0xFF0000},        {"yellow", 0xFFFF00},      {"white", 0xFFFFFF},
    {"darkBlue", 0x000080},  {"darkCyan", 0x008080},   {"darkGreen", 0x008000},   {"darkMagenta", 0x800080},
    {"darkRed", 0x800000},   {"darkYellow", 0x808000}, {"darkGray", 0x808080},    {"lightGray", 0xC0C0C0},
};

constexpr EnumName<VerticalAlign> kVerticalAligns[] = {
    {"baseline", VerticalAlign::baseline},
    {"superscript", VerticalAlign::superscript},
    {"subscript", VerticalAlign::subscript},
};

// Font sizes past Word's largest (1638 pt) or below its smallest are clamped into its range.
constexpr int kMinHalfPoints = 1;
constexpr int kMaxHalfPoints = 3276;
// w:w: Word scales characters from 1 % to 600 %.
constexpr int kMinScale = 1;
constexpr int kMaxScale = 600;

template <std::optional<bool> RunProps::*field>
void readToggle(const pugi::xml_node& child, RunProps& props, Warnings&) {
  props.*field = readOnOff(child);
}

template <std::optional<int> RunProps::*field>
void readFontSize(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  if (auto size = readHalfPoints(valAttr(child), warnings)) {
    props.*field = std::clamp(*size, kMinHalfPoints, kMaxHalfPoints);
  }
}

void readFontSlot(const pugi::xml_node& fonts, const char* nameAttribute, const char* themeAttribute,
                  FontSlot& slot) {
  const pugi::xml_attribute name = fonts.attribute(nameAttribute);
  if (name && *name.value() != '\0') slot.name = name.value();
  if (auto theme = readEnum<ThemeFont>(fonts.attribute(themeAttribute), kThemeFonts)) slot.theme = *theme;
}

void readFonts(const pugi::xml_node& child, RunProps& props, Warnings&) {
  readFontSlot(child, "w:ascii", "w:asciiTheme", props.fonts.ascii);
  readFontSlot(child, "w:hAnsi", "w:hAnsiTheme", props.fonts.hAnsi);
  readFontSlot(child, "w:eastAsia", "w:eastAsiaTheme", props.fonts.eastAsia);
  readFontSlot(child, "w:cs", "w:cstheme", props.fonts.cs);
}

void readStyle(const pugi::xml_node& child, RunProps& props, Warnings&) {
  props.styleId = valAttr(child).value();
}

void readColorElement(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  if (auto color = readColor(child, kColorAttributes, warnings)) props.color = *color;
}

// w:u without a value underlines with a single line; an unknown word still underlines.
void readUnderline(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  const pugi::xml_attribute val = valAttr(child);
  props.underline = val ? readEnum<UnderlineStyle>(val, kUnderlineStyles).value_or(UnderlineStyle::single)
                        : UnderlineStyle::single;
  if (auto color = readColor(child, {"w:color", "w:themeColor", "w:themeTint", "w:themeShade"}, warnings)) {
    props.underlineColor = *color;
  }
}

void readHighlight(const pugi::xml_node& child, RunProps& props, Warnings&) {
  const pugi::xml_attribute val = valAttr(child);
  if (std::string_view(val.value()) == "none") {
    props.highlightNone = true;
    props.highlight.reset();
  } else if (auto rgb = readEnum<std::uint32_t>(val, kHighlights)) {
    props.highlight = *rgb;
    props.highlightNone = false;
  }
}

void readShadingElement(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  props.shading = readShading(child, warnings);
}

void readBorderElement(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  props.border = readBorder(child, warnings);
}

void readCharacterSpacing(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  if (auto twips = readTwips(valAttr(child), warnings)) props.spacing = *twips;
}

void readPosition(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  if (auto halfPoints = readHalfPoints(valAttr(child), warnings)) props.position = *halfPoints;
}

void readKern(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  if (auto halfPoints = readHalfPoints(valAttr(child), warnings)) props.kern = std::max(*halfPoints, 0);
}

// "150" and, in Strict documents, "150%".
void readScale(const pugi::xml_node& child, RunProps& props, Warnings& warnings) {
  const pugi::xml_attribute val = valAttr(child);
  const bool percentSign = std::string_view(val.value()).find('%') != std::string_view::npos;
  auto scale = percentSign ? readFiftiethsPercent(val, warnings) : readInt(val, warnings);
  if (!scale) return;
  if (percentSign) *scale /= 50;
  props.scale = std::clamp(*scale, kMinScale, kMaxScale);
}

void readVerticalAlign(const pugi::xml_node& child, RunProps& props, Warnings&) {
  if (auto align = readEnum<VerticalAlign>(valAttr(child), kVerticalAligns)) props.vertAlign = *align;
}

void readLanguage(const pugi::xml_node& child, RunProps& props, Warnings&) {
  if (auto val = valAttr(child)) props.lang = val.value();
  if (auto eastAsia = child.attribute("w:eastAsia")) props.langEastAsia = eastAsia.value();
  if (auto bidi = child.attribute("w:bidi")) props.langBidi = bidi.value();
}

// Sorted by name (checked below).
constexpr ChildReader<RunProps> kRunReaders[] = {
    {"w:b", readToggle<&RunProps::bold>},
    {"w:bCs", readToggle<&RunProps::boldCs>},
    {"w:bdr", readBorderElement},
    {"w:caps", readToggle<&RunProps::caps>},
    {"w:color", readColorElement},
    {"w:cs", readToggle<&RunProps::complexScript>},
    {"w:dstrike", readToggle<&RunProps::doubleStrike>},
    {"w:emboss", readToggle<&RunProps::emboss>},
    {"w:highlight", readHighlight},
    {"w:i", readToggle<&RunProps::italic>},
    {"w:iCs", readToggle<&RunProps::italicCs>},
    {"w:imprint", readToggle<&RunProps::imprint>},
    {"w:kern", readKern},
    {"w:lang", readLanguage},
    {"w:outline", readToggle<&RunProps::outline>},
    {"w:position", readPosition},
    {"w:rFonts", readFonts},
    {"w:rStyle", readStyle},
    {"w:rtl", readToggle<&RunProps::rtl>},
    {"w:shadow", readToggle<&RunProps::shadow>},
    {"w:shd", readShadingElement},
    {"w:smallCaps", readToggle<&RunProps::smallCaps>},
    {"w:spacing", readCharacterSpacing},
    {"w:specVanish", readToggle<&RunProps::specVanish>},
    {"w:strike", readToggle<&RunProps::strike>},
    {"w:sz", readFontSize<&RunProps::size>},
    {"w:szCs", readFontSize<&RunProps::sizeCs>},
    {"w:u", readUnderline},
    {"w:vanish", readToggle<&RunProps::vanish>},
    {"w:vertAlign", readVerticalAlign},
    {"w:w", readScale},
    {"w:webHidden", readToggle<&RunProps::webHidden>},
};
static_assert(sortedByName(kRunReaders));

}  // namespace

RunProps readRunProps(const pugi::xml_node& rPr, Warnings& warnings) {
  RunProps props;
  readChildren<RunProps>(rPr, kRunReaders, props, warnings);
  return props;
}

}  // namespace vellumine::docx
