// Theme colours and fonts as Word draws them: a colour slot through the settings' colour mapping
// (text1 -> dark1, ...), w:themeTint and w:themeShade applied to the luminance in HSL, "auto" as
// absent; pattern shading blended into one fill colour; a theme font slot as the face the theme
// names for it, east-Asian and complex-script slots by the language of w:themeFontLang.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "docx/format.h"
#include "docx/properties.h"
#include "docx/theme.h"

namespace vellumine::docx {

// The theme part's slot a document's colour name stands for: text1, background1, text2 and
// background2 through the settings' mapping (Word's default: dark1, light1, dark2, light2); the
// twelve slots of the theme as they are unless the mapping names another.
ThemeColor mappedThemeColor(const Settings& settings, ThemeColor color);

// The theme's value for a colour name after the mapping; absent when the theme lacks the slot.
std::optional<Rgb> themeColorValue(const Theme& theme, const Settings& settings, ThemeColor color);

// w:themeTint (0-255, 255: none): the luminance moved towards white, L' = L * t + (1 - t).
Rgb applyThemeTint(Rgb color, std::uint8_t tint);
// w:themeShade (0-255, 255: none): the luminance moved towards black, L' = L * s.
Rgb applyThemeShade(Rgb color, std::uint8_t shade);

// DrawingML's a:lumMod and a:lumOff (as fractions): L' = L * modulation + offset, kept in [0, 1].
Rgb applyLuminance(Rgb color, double modulation, double offset);

// A colour as written: absent for "auto"; a theme slot the theme has, with its tint (which wins
// when both are written, as in Word) or shade; else the RGB value written beside it.
std::optional<Rgb> resolveColor(const Color& color, const Theme& theme, const Settings& settings);

// The colour a shading draws: clear: the fill; solid: the pattern colour (black when automatic);
// a percentage: the pattern colour over the fill in that proportion (automatic pattern black,
// automatic fill white); nil: nothing.  Absent when nothing is drawn.
std::optional<Rgb> resolveShading(const Shading& shading, const Theme& theme, const Settings& settings);

// The face a theme font slot names: the latin face for the ascii and hAnsi slots; for east-Asian
// and complex-script slots the theme's face for that script when it names one, else its face for
// the script of the language in w:themeFontLang (ja-JP: Jpan, ar-SA: Arab, ...).  Empty when the
// theme has none.
std::string themeFontFace(const Theme& theme, const Settings& settings, ThemeFont slot);

// The script tag (as in a:font script="...") of a language tag ("ja-JP" -> "Jpan"); empty when
// the language is written in Latin or unknown.
std::string_view scriptOfLanguage(std::string_view language);

}  // namespace vellumine::docx
