// The companion parts, each from its root element (after canonicaliseNames): w:styles,
// w:numbering, a:theme, w:settings, w:fonts.  A null root gives the empty result; what cannot be
// read is left out with a warning, never thrown.
#pragma once
#include <pugixml.hpp>

#include "docx/numbering.h"
#include "docx/styles.h"
#include "docx/theme.h"
#include "docx/warnings.h"

namespace vellumine::docx {

Styles readStyles(const pugi::xml_node& stylesRoot, Warnings& warnings);
Numbering readNumbering(const pugi::xml_node& numberingRoot, Warnings& warnings);
Theme readTheme(const pugi::xml_node& themeRoot, Warnings& warnings);
Settings readSettings(const pugi::xml_node& settingsRoot, Warnings& warnings);
FontTable readFontTable(const pugi::xml_node& fontsRoot, Warnings& warnings);

}  // namespace vellumine::docx
