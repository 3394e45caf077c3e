// The settings part read into Settings: the colour scheme mapping (which theme slot text1,
// background1 and the others stand for), even and odd headers, the default tab stop and the
// languages that choose the theme's per-script faces, and the compatibility setting that keeps the
// Normal style's size and justification in tables.
#include "docx/part_readers.h"

#include <string_view>

#include "docx/property_elements.h"

namespace vellumine::docx {

namespace {

// w:clrSchemeMapping's attributes and the name each maps.
struct MappedName {
  const char* attribute;
  ThemeColor name;
};
constexpr MappedName kMappedNames[] = {
    {"w:bg1", ThemeColor::background1},    {"w:t1", ThemeColor::text1},
    {"w:bg2", ThemeColor::background2},    {"w:t2", ThemeColor::text2},
    {"w:accent1", ThemeColor::accent1},    {"w:accent2", ThemeColor::accent2},
    {"w:accent3", ThemeColor::accent3},    {"w:accent4", ThemeColor::accent4},
    {"w:accent5", ThemeColor::accent5},    {"w:accent6", ThemeColor::accent6},
    {"w:hyperlink", ThemeColor::hyperlink}, {"w:followedHyperlink", ThemeColor::followedHyperlink},
};

// The mapping's values name one of the theme part's twelve slots; anything else is left unmapped.
void readColorMapping(const pugi::xml_node& element, Settings& settings) {
  for (const MappedName& row : kMappedNames) {
    const ThemeColor slot = themeColorByName(element.attribute(row.attribute).value());
    if (slot != ThemeColor::none && slot < ThemeColor::text1) {
      settings.colorMapping[static_cast<std::size_t>(row.name)] = slot;
    }
  }
}

// w:compat/w:compatSetting w:name="overrideTableStyleFontSizeAndJustification" (Word 2013 and
// later write it with "1"): whether the Normal style's size and justification stand in tables.
bool overridesTableStyle(const pugi::xml_node& compat) {
  for (pugi::xml_node setting = compat.child("w:compatSetting"); setting; setting = setting.next_sibling("w:compatSetting")) {
    if (std::string_view(setting.attribute("w:name").value()) == "overrideTableStyleFontSizeAndJustification") {
      const std::string_view value = valAttr(setting).value();
      return value == "1" || value == "true" || value == "on";
    }
  }
  return false;
}

}  // namespace

Settings readSettings(const pugi::xml_node& settingsRoot, Warnings& warnings) {
  Settings settings;
  if (const pugi::xml_node mapping = settingsRoot.child("w:clrSchemeMapping")) readColorMapping(mapping, settings);
  settings.evenAndOddHeaders = readOnOff(settingsRoot.child("w:evenAndOddHeaders")).value_or(false);
  // A stop of 0 or less would put every tab at the start: Word's default stands instead.
  if (auto tab = readTwips(valAttr(settingsRoot.child("w:defaultTabStop")), warnings); tab && *tab > 0) {
    settings.defaultTabStop = *tab;
  }
  const pugi::xml_node lang = settingsRoot.child("w:themeFontLang");
  settings.themeFontLang = valAttr(lang).value();
  settings.themeFontLangEastAsia = lang.attribute("w:eastAsia").value();
  settings.themeFontLangBidi = lang.attribute("w:bidi").value();
  settings.overrideTableStyleFontSizeAndJustification = overridesTableStyle(settingsRoot.child("w:compat"));
  return settings;
}

}  // namespace vellumine::docx
