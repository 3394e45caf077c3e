// The font table read into FontTable: each w:font's family, pitch, alternative name and PANOSE
// number, by the name runs use.  A name listed twice keeps its first entry.
#include "docx/part_readers.h"
#include "docx/xml_values.h"

#include "text/chartype.h"

namespace vellumine::docx {

namespace {

constexpr EnumName<FontFamily> kFamilies[] = {
    {"auto", FontFamily::auto_},     {"roman", FontFamily::roman},   {"swiss", FontFamily::swiss},
    {"modern", FontFamily::modern},  {"script", FontFamily::script}, {"decorative", FontFamily::decorative},
};

constexpr EnumName<FontPitch> kPitches[] = {
    {"default", FontPitch::default_},
    {"fixed", FontPitch::fixed},
    {"variable", FontPitch::variable},
};

// PANOSE: ten bytes as twenty hex digits; anything else is malformed and left empty.
std::string readPanose(const pugi::xml_attribute& value, Warnings& warnings) {
  if (!value) return std::string();
  const std::string_view written = value.value();
  bool hex = written.size() == 20;
  for (char c : written) hex = hex && IsAsciiHexDigit(static_cast<unsigned char>(c));
  if (!hex) {
    warnings.add(WarningKind::malformedNumber, written);
    return std::string();
  }
  return std::string(written);
}

FontInfo readFont(const pugi::xml_node& font, Warnings& warnings) {
  FontInfo info;
  info.family = readEnum<FontFamily>(valAttr(font.child("w:family")), kFamilies).value_or(FontFamily::auto_);
  info.pitch = readEnum<FontPitch>(valAttr(font.child("w:pitch")), kPitches).value_or(FontPitch::default_);
  info.altName = valAttr(font.child("w:altName")).value();
  info.panose = readPanose(valAttr(font.child("w:panose1")), warnings);
  return info;
}

}  // namespace

FontTable readFontTable(const pugi::xml_node& fontsRoot, Warnings& warnings) {
  FontTable table;
  for (pugi::xml_node font = fontsRoot.child("w:font"); font; font = font.next_sibling("w:font")) {
    const std::string name = font.attribute("w:name").value();
    if (name.empty() || table.byName.count(name) != 0) continue;
    table.byName.emplace(name, readFont(font, warnings));
  }
  return table;
}

}  // namespace vellumine::docx
