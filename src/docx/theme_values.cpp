// Theme values: colour slots through the settings' mapping, Word's tint and shade (on the HSL
// luminance), pattern shading blended into one colour, and the faces of the theme's font slots
// with the per-script face that w:themeFontLang selects.
#include "docx/theme_values.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "text/chartype.h"

namespace vellumine::docx {
namespace {

struct Hsl {
  double h = 0, s = 0, l = 0;  // h in [0, 6) sextants, s and l in [0, 1]
};

double channel(Rgb color, int shift) { return ((color >> shift) & 0xFF) / 255.0; }

Hsl toHsl(Rgb color) {
  const double r = channel(color, 16), g = channel(color, 8), b = channel(color, 0);
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  Hsl hsl;
  hsl.l = (high + low) / 2;
  const double delta = high - low;
  if (delta <= 0) return hsl;
  hsl.s = delta / (1 - std::abs(2 * hsl.l - 1));
  if (high == r) {
    hsl.h = std::fmod((g - b) / delta + 6, 6);
  } else if (high == g) {
    hsl.h = (b - r) / delta + 2;
  } else {
    hsl.h = (r - g) / delta + 4;
  }
  return hsl;
}

std::uint32_t toByte(double value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

Rgb fromHsl(const Hsl& hsl) {
  const double chroma = (1 - std::abs(2 * hsl.l - 1)) * hsl.s;
  const double x = chroma * (1 - std::abs(std::fmod(hsl.h, 2) - 1));
  const double m = hsl.l - chroma / 2;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hsl.h)) {
    case 0: r = chroma, g = x; break;
    case 1: r = x, g = chroma; break;
    case 2: g = chroma, b = x; break;
    case 3: g = x, b = chroma; break;
    case 4: r = x, b = chroma; break;
    default: r = chroma, b = x; break;
  }
  return (toByte(r + m) << 16) | (toByte(g + m) << 8) | toByte(b + m);
}

// Word's defaults for the four names the settings map.
ThemeColor defaultMapping(ThemeColor color) {
  switch (color) {
    case ThemeColor::text1: return ThemeColor::dark1;
    case ThemeColor::background1: return ThemeColor::light1;
    case ThemeColor::text2: return ThemeColor::dark2;
    case ThemeColor::background2: return ThemeColor::light2;
    default: return color;
  }
}

// A mapping that leads to another mapped name (text1 -> background1) is not followed further.
bool isThemeSlot(ThemeColor color) {
  return color >= ThemeColor::dark1 && color <= ThemeColor::followedHyperlink;
}

std::uint32_t blendChannel(Rgb under, Rgb over, int shift, int percent) {
  const int a = static_cast<int>((under >> shift) & 0xFF), b = static_cast<int>((over >> shift) & 0xFF);
  return static_cast<std::uint32_t>((a * (100 - percent) + b * percent + 50) / 100);
}

Rgb blend(Rgb under, Rgb over, int percent) {
  percent = std::clamp(percent, 0, 100);
  return (blendChannel(under, over, 16, percent) << 16) | (blendChannel(under, over, 8, percent) << 8) |
         blendChannel(under, over, 0, percent);
}

struct LanguageScript {
  std::string_view language;  // the primary subtag, lower case
  std::string_view script;
};

// The scripts a theme names faces for (a:font script="..."), by the languages Word writes in
// w:themeFontLang.  Chinese is by region below.
constexpr LanguageScript kLanguageScripts[] = {
    {"ja", "Jpan"}, {"ko", "Hang"}, {"ar", "Arab"}, {"fa", "Arab"}, {"ur", "Arab"}, {"ps", "Arab"},
    {"sd", "Arab"}, {"ug", "Uigh"}, {"he", "Hebr"}, {"yi", "Hebr"}, {"th", "Thai"}, {"hi", "Deva"},
    {"mr", "Deva"}, {"ne", "Deva"}, {"sa", "Deva"}, {"kok", "Deva"}, {"bn", "Beng"}, {"as", "Beng"},
    {"gu", "Gujr"}, {"pa", "Guru"}, {"ta", "Taml"}, {"te", "Telu"}, {"kn", "Knda"}, {"ml", "Mlym"},
    {"or", "Orya"}, {"si", "Sinh"}, {"km", "Khmr"}, {"lo", "Laoo"}, {"my", "Mymr"}, {"bo", "Tibt"},
    {"dv", "Thaa"}, {"syr", "Syrc"}, {"am", "Ethi"}, {"hy", "Armn"},
};

std::string_view primarySubtag(std::string_view language) {
  return language.substr(0, language.find_first_of("-_"));
}

// Traditional characters for Taiwan, Hong Kong and Macao (or a tag that says Hant), else
// simplified.
std::string_view chineseScript(std::string_view language) {
  while (!language.empty()) {
    const std::size_t cut = language.find_first_of("-_");
    const std::string_view subtag = language.substr(0, cut);
    if (EqualsCaseless(subtag, "TW") || EqualsCaseless(subtag, "HK") || EqualsCaseless(subtag, "MO") ||
        EqualsCaseless(subtag, "Hant")) {
      return "Hant";
    }
    language = cut == std::string_view::npos ? std::string_view{} : language.substr(cut + 1);
  }
  return "Hans";
}

std::string faceForScript(const ThemeFontSet& set, const std::string& ownFace, std::string_view language) {
  if (!ownFace.empty()) return ownFace;
  const std::string_view script = scriptOfLanguage(language);
  if (script.empty()) return {};
  const auto it = set.byScript.find(std::string(script));
  return it == set.byScript.end() ? std::string() : it->second;
}

}  // namespace

ThemeColor mappedThemeColor(const Settings& settings, ThemeColor color) {
  const auto index = static_cast<std::size_t>(color);
  const ThemeColor mapped = index < settings.colorMapping.size() ? settings.colorMapping[index] : ThemeColor::none;
  if (mapped != ThemeColor::none && isThemeSlot(mapped)) return mapped;
  return defaultMapping(color);
}

std::optional<Rgb> themeColorValue(const Theme& theme, const Settings& settings, ThemeColor color) {
  const ThemeColor slot = mappedThemeColor(settings, color);
  if (!isThemeSlot(slot)) return std::nullopt;
  const auto& value = theme.colors[static_cast<std::size_t>(slot) - static_cast<std::size_t>(ThemeColor::dark1)];
  if (!value) return std::nullopt;
  return *value & 0xFFFFFF;
}

Rgb applyLuminance(Rgb color, double modulation, double offset) {
  if (modulation == 1.0 && offset == 0.0) return color;
  Hsl hsl = toHsl(color);
  hsl.l = std::clamp(hsl.l * modulation + offset, 0.0, 1.0);
  return fromHsl(hsl);
}

Rgb applyThemeTint(Rgb color, std::uint8_t tint) {
  if (tint == 255) return color;
  Hsl hsl = toHsl(color);
  const double t = tint / 255.0;
  hsl.l = hsl.l * t + (1 - t);
  return fromHsl(hsl);
}

Rgb applyThemeShade(Rgb color, std::uint8_t shade) {
  if (shade == 255) return color;
  Hsl hsl = toHsl(color);
  hsl.l = hsl.l * (shade / 255.0);
  return fromHsl(hsl);
}

std::optional<Rgb> resolveColor(const Color& color, const Theme& theme, const Settings& settings) {
  if (color.theme != ThemeColor::none) {
    if (const std::optional<Rgb> value = themeColorValue(theme, settings, color.theme)) {
      if (color.themeTint != 255) return applyThemeTint(*value, color.themeTint);
      return applyThemeShade(*value, color.themeShade);
    }
  }
  if (color.isAuto) return std::nullopt;
  return color.rgb & 0xFFFFFF;
}

std::optional<Rgb> resolveShading(const Shading& shading, const Theme& theme, const Settings& settings) {
  const std::optional<Rgb> fill = resolveColor(shading.fill, theme, settings);
  switch (shading.pattern) {
    case ShadingPattern::nil: return std::nullopt;
    case ShadingPattern::solid: return resolveColor(shading.color, theme, settings).value_or(0x000000);
    case ShadingPattern::percent:
      return blend(fill.value_or(0xFFFFFF), resolveColor(shading.color, theme, settings).value_or(0x000000),
                   shading.percent);
    case ShadingPattern::clear:
    case ShadingPattern::other: return fill;
  }
  return fill;
}

std::string themeFontFace(const Theme& theme, const Settings& settings, ThemeFont slot) {
  switch (slot) {
    case ThemeFont::none: return {};
    case ThemeFont::majorAscii:
    case ThemeFont::majorHAnsi: return theme.major.latin;
    case ThemeFont::minorAscii:
    case ThemeFont::minorHAnsi: return theme.minor.latin;
    case ThemeFont::majorEastAsia:
      return faceForScript(theme.major, theme.major.eastAsia, settings.themeFontLangEastAsia);
    case ThemeFont::minorEastAsia:
      return faceForScript(theme.minor, theme.minor.eastAsia, settings.themeFontLangEastAsia);
    case ThemeFont::majorBidi:
      return faceForScript(theme.major, theme.major.complexScript, settings.themeFontLangBidi);
    case ThemeFont::minorBidi:
      return faceForScript(theme.minor, theme.minor.complexScript, settings.themeFontLangBidi);
  }
  return {};
}

std::string_view scriptOfLanguage(std::string_view language) {
  const std::string_view primary = primarySubtag(language);
  if (EqualsCaseless(primary, "zh")) return chineseScript(language);
  for (const LanguageScript& row : kLanguageScripts) {
    if (EqualsCaseless(primary, row.language)) return row.script;
  }
  return {};
}

}  // namespace vellumine::docx
