// The theme part read into Theme: the twelve colours of a:clrScheme (a:srgbClr, or a:sysClr by its
// last computed colour) and the major and minor font sets (a:latin, a:ea, a:cs and the per-script
// a:font faces).  DrawingML's attributes carry no prefix ("val", "typeface").
#include <iterator>
#include <tuple>

#include "docx/part_readers.h"
#include "docx/xml_names.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

// a:clrScheme's children in the order of Theme::colors (ThemeColor::dark1 onwards).
constexpr const char* kSchemeSlots[] = {
    "a:dk1",     "a:lt1",     "a:dk2",     "a:lt2",     "a:accent1", "a:accent2",
    "a:accent3", "a:accent4", "a:accent5", "a:accent6", "a:hlink",   "a:folHlink",
};
static_assert(std::size(kSchemeSlots) == std::tuple_size_v<decltype(Theme::colors)>);

// A theme lists a face per script; no script system has more than this many.
constexpr std::size_t kMaxScriptFaces = 256;

// The two system colours a scheme names, for a:sysClr written without lastClr.
constexpr EnumName<std::uint32_t> kSystemColors[] = {
    {"windowText", 0x000000},
    {"window", 0xFFFFFF},
};

std::optional<std::uint32_t> rgbWithin(const std::optional<std::uint32_t>& value) {
  if (value && *value <= 0xFFFFFF) return value;
  return std::nullopt;
}

std::optional<std::uint32_t> readSchemeColor(const pugi::xml_node& slot, Warnings& warnings) {
  if (const pugi::xml_node srgb = slot.child("a:srgbClr")) return rgbWithin(readHex(srgb.attribute("val"), warnings));
  if (const pugi::xml_node sys = slot.child("a:sysClr")) {
    if (const pugi::xml_attribute last = sys.attribute("lastClr")) return rgbWithin(readHex(last, warnings));
    return readEnum<std::uint32_t>(sys.attribute("val"), kSystemColors);
  }
  return std::nullopt;
}

ThemeFontSet readFontSet(const pugi::xml_node& element) {
  ThemeFontSet set;
  set.latin = element.child("a:latin").attribute("typeface").value();
  set.eastAsia = element.child("a:ea").attribute("typeface").value();
  set.complexScript = element.child("a:cs").attribute("typeface").value();
  for (pugi::xml_node font = element.child("a:font"); font && set.byScript.size() < kMaxScriptFaces;
       font = font.next_sibling("a:font")) {
    set.byScript.emplace(font.attribute("script").value(), font.attribute("typeface").value());
  }
  return set;
}

}  // namespace

Theme readTheme(const pugi::xml_node& themeRoot, Warnings& warnings) {
  Theme theme;
  const pugi::xml_node elements = themeRoot.child("a:themeElements");
  const pugi::xml_node scheme = elements.child("a:clrScheme");
  for (std::size_t i = 0; i < std::size(kSchemeSlots); ++i) {
    theme.colors[i] = readSchemeColor(scheme.child(kSchemeSlots[i]), warnings);
  }
  const pugi::xml_node fonts = elements.child("a:fontScheme");
  theme.major = readFontSet(fonts.child("a:majorFont"));
  theme.minor = readFontSet(fonts.child("a:minorFont"));
  return theme;
}

}  // namespace vellumine::docx
