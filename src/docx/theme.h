// The theme part (fonts and colours), the settings that touch what is drawn, and the font table.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "docx/properties.h"

namespace vellumine::docx {

// a:majorFont or a:minorFont: the latin, east-Asian and complex-script faces and the per-script
// faces (a:font script="Jpan" typeface="...").
struct ThemeFontSet {
  std::string latin, eastAsia, complexScript;
  std::unordered_map<std::string, std::string> byScript;
};

struct Theme {
  // The twelve slots of a:clrScheme by ThemeColor (dark1 .. followedHyperlink); absent when the
  // theme part lacks it or there is no theme part.
  std::array<std::optional<std::uint32_t>, 12> colors;
  ThemeFontSet major, minor;
};

struct Settings {
  // w:clrSchemeMapping: text1, background1, text2, background2 (and the other names) to the slot
  // they stand for.  Word's default maps text1 to dark1, background1 to light1, text2 to dark2,
  // background2 to light2.
  std::array<ThemeColor, 17> colorMapping{};   // by ThemeColor; none: identity
  bool evenAndOddHeaders = false;
  int defaultTabStop = 720;                    // twips
  std::string themeFontLang, themeFontLangEastAsia, themeFontLangBidi;
  std::optional<Color> background;             // w:background of the document part
  // w:compatSetting overrideTableStyleFontSizeAndJustification (Word 2013 and later documents):
  // when false, a table style's font size and justification win over the Normal style's 11 or
  // 12 pt and left justification in the table's paragraphs.
  bool overrideTableStyleFontSizeAndJustification = false;
};

// w:font of the font table: what a missing face falls back to.
enum class FontFamily : std::uint8_t { auto_, roman, swiss, modern, script, decorative };
enum class FontPitch : std::uint8_t { default_, fixed, variable };

struct FontInfo {
  FontFamily family = FontFamily::auto_;
  FontPitch pitch = FontPitch::default_;
  std::string altName;
  std::string panose;                          // ten bytes as 20 hex digits, or empty
};

struct FontTable {
  std::unordered_map<std::string, FontInfo> byName;
};

}  // namespace vellumine::docx
