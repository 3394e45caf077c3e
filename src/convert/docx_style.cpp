// The style part (styles.xml without "w:") to the style table: one entry per style definition
// with ten CSS declaration slots, font family and size passed down basedOn chains.  Built once
// when the parts are loaded; the paragraph and table passes read it afterwards.
#include "convert/docx_style.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "convert/docx_css.h"
#include "text/strutil.h"
#include "text/wsregex.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

// Slot numbers of the style record.
enum StyleSlot : std::size_t {
  kFontFamily = 0,
  kFontSize = 1,
  kColour = 2,
  kIndentation = 3,
  kSpacing = 4,
  kAlignment = 5,
  kBold = 6,
  kBorders = 7,
  kBackground = 9,
};

std::string backgroundCss(const Conversion& c, std::string_view shading) {
  if (shading.empty()) return {};
  std::string_view colour = ViewBetween(shading, "color=\"", "\"");
  if (colour == "auto") colour = c.autoShadeColour;
  if (colour.empty()) return {};
  std::string css = "background-color:";
  return css.append(colour).append(";");
}

std::string fontSizeCss(std::string_view halfPoints) {
  std::string px = fontSizeToPx(halfPoints);
  return px.empty() ? std::string() : "font-size:" + px + ";";
}

std::string alignmentCss(std::string_view alignment) {
  if (alignment == "both") alignment = "justify";
  std::string css;
  if (!alignment.empty()) css.append("text-align:").append(alignment).append(";");
  return css;
}

}  // namespace

void readStyleProperties(const Conversion& c, std::string_view text, bool withBold, StyleSlots& slots) {
  for (std::string& slot : slots) slot.clear();
  std::string_view font = ViewBetween(text, "<rFonts ascii=\"", "\"");
  std::string_view colour = ViewBetween(text, "<color val=\"", "\"");
  std::string_view size = ViewBetween(text, "<sz val=\"", "\"");
  std::string_view indentation = ViewBetween(text, "<ind", "/>");
  std::string_view spacing = ViewBetween(text, "<spacing", "/>");
  std::string_view alignment = ViewBetween(text, "<jc val=\"", "\"");
  std::string_view shading = ViewBetween(text, "<shd", "/>");

  slots[kBackground] = backgroundCss(c, shading);
  if (!spacing.empty()) slots[kSpacing] = spacingToCss(spacing);
  if (!indentation.empty()) slots[kIndentation] = indentToCss(indentation);
  slots[kFontSize] = fontSizeCss(size);
  if (!font.empty()) slots[kFontFamily].append("font-family:'").append(font).append("';");
  if (!colour.empty()) slots[kColour].append("color:#").append(colour).append(";");
  slots[kAlignment] = alignmentCss(alignment);
  if (withBold && text.find("<b/>") != std::string_view::npos) slots[kBold] = "font-weight:bold;";
  // Table and cell border blocks (tblBorders, tcBorders); paragraph borders are the paragraph's.
  slots[kBorders] = bordersToCss(ViewBetween(text, "Borders>", "Borders>"));
}

int findStyle(const Conversion& c, std::string_view id, int upTo) {
  if (upTo < 0) return -1;
  int last = std::min<int>(upTo, static_cast<int>(c.styleTable.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    if (c.styleTable[static_cast<std::size_t>(i)].styleId == id) return i;
  }
  return -1;
}

void inheritStyleProperties(const Conversion& c, StyleSlots& slots, int index, bool all) {
  if (index < 0 || static_cast<std::size_t>(index) >= c.styleTable.size()) return;
  const StyleSlots& base = c.styleTable[static_cast<std::size_t>(index)].slots;
  std::size_t count = all ? slots.size() : 2;  // all slots, or font family and size only
  for (std::size_t k = 0; k < count; ++k) {
    if (slots[k].empty() && !base[k].empty()) slots[k] = base[k];
  }
}

void buildStyleSheet(Conversion& c) {
  c.styleTable.clear();
  c.regex.SetPattern("<style .+?</style>");
  std::vector<std::string> definitions = c.regex.MatchAll(c.styles);
  c.styleTable.reserve(definitions.size());
  // First index of each style id, so that the basedOn lookup (the first entry with that id up to
  // the current one) stays constant-time in a part with thousands of styles.
  std::unordered_map<std::string, int> firstIndex;
  for (const std::string& definition : definitions) {
    int i = static_cast<int>(c.styleTable.size());
    styleEntry& entry = c.styleTable.emplace_back();
    entry.styleId = AttrValue(definition, "styleId");
    readStyleProperties(c, definition, true, entry.slots);
    firstIndex.try_emplace(entry.styleId, i);
    if (definition.find("<basedOn") == std::string::npos) continue;
    // Only a base written earlier in the part (or the style itself) has its entry already.
    auto base = firstIndex.find(AttrValue(definition, "basedOn val"));
    if (base != firstIndex.end()) inheritStyleProperties(c, entry.slots, base->second, false);
  }
}

std::string styleBody(const Conversion& c, std::string_view id) {
  std::string open = "styleId=\"";
  open += id;
  open += "\">";
  return TextBetween(c.styles, open, "</style>");
}

std::string tableStyleAttributes(std::string_view text) {
  std::string attributes;
  std::string insideSize = AttrValue(TextBetween(text, "<insideH", ">"), "sz");
  std::string border = pixelsOf(insideSize);
  if (!border.empty()) attributes += " border=" + border;
  std::string css = bordersToCss(text);
  if (!css.empty()) attributes += " style=\"" + css + "\"";
  return attributes;
}

}  // namespace vellumine
