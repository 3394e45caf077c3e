// Turning merged property blocks into the values the page writer reads: fonts (theme slots to
// faces, generic families), sizes clamped to Word's range, colours and shading resolved, spacing
// and indentation in twips, tab stops with the cleared ones removed.
#include "docx/format_values.h"

#include <algorithm>

#include "docx/font_families.h"
#include "docx/property_layers.h"
#include "docx/theme_values.h"

namespace vellumine::docx {
namespace {

// Word's font sizes run from 1 to 1638 pt.
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kDefaultHalfPoints = 20;

std::optional<Rgb> colorOf(const std::optional<Color>& color, const Document& document) {
  if (!color) return std::nullopt;
  return resolveColor(*color, document.theme, document.settings);
}

std::optional<Rgb> shadingOf(const std::optional<Shading>& shading, const Document& document) {
  if (!shading) return std::nullopt;
  return resolveShading(*shading, document.theme, document.settings);
}

ResolvedFont fontOf(const FontSlot& slot, const Document& document) {
  ResolvedFont font;
  if (slot.theme != ThemeFont::none) font.name = themeFontFace(document.theme, document.settings, slot.theme);
  if (font.name.empty() && slot.name) font.name = *slot.name;
  if (!font.name.empty()) font.generic = genericFamily(document.fonts, font.name);
  return font;
}

int halfPoints(const std::optional<int>& size) {
  return std::clamp(size.value_or(kDefaultHalfPoints), kMinHalfPoints, kMaxHalfPoints);
}

// Spacing before or after: automatic, lines, or twips, in that order.
int spacingOf(const std::optional<bool>& autospacing, const std::optional<int>& lines,
              const std::optional<int>& twips, bool& automatic) {
  automatic = autospacing.value_or(false);
  if (automatic) return kAutoSpacingTwips;
  if (lines && *lines > 0) return static_cast<int>(std::min<long long>(static_cast<long long>(*lines) * kLineTwips / 100, 1 << 24));
  return std::max(twips.value_or(0), 0);
}

void resolveSpacing(const Spacing& spacing, ParagraphFormat& format) {
  format.spaceBefore = spacingOf(spacing.beforeAutospacing, spacing.beforeLines, spacing.before, format.spaceBeforeAuto);
  format.spaceAfter = spacingOf(spacing.afterAutospacing, spacing.afterLines, spacing.after, format.spaceAfterAuto);
  format.lineRule = spacing.lineRule.value_or(LineRule::auto_);
  format.line = spacing.line.value_or(240);
  if (format.lineRule == LineRule::auto_ && format.line <= 0) format.line = 240;
  if (format.lineRule != LineRule::auto_) format.line = std::max(format.line, 0);
}

ResolvedParagraphBorders bordersOf(const ParagraphBorders& borders, const Document& document) {
  ResolvedParagraphBorders resolved;
  resolved.top = drawnBorder(borders.top, document);
  resolved.start = drawnBorder(borders.start, document);
  resolved.bottom = drawnBorder(borders.bottom, document);
  resolved.end = drawnBorder(borders.end, document);
  resolved.between = drawnBorder(borders.between, document);
  resolved.bar = drawnBorder(borders.bar, document);
  return resolved;
}

}  // namespace

ResolvedBorder resolvedBorder(const std::optional<Border>& border, const Document& document) {
  ResolvedBorder resolved;
  if (!border) return resolved;
  resolved.style = border->style;
  resolved.widthEighths = std::max(border->widthEighths, 0);
  resolved.spacePoints = std::max(border->spacePoints, 0);
  resolved.color = resolveColor(border->color, document.theme, document.settings);
  return resolved;
}

std::optional<ResolvedBorder> drawnBorder(const std::optional<Border>& border, const Document& document) {
  if (!border || border->style == BorderStyle::none) return std::nullopt;
  return resolvedBorder(border, document);
}

RunFormat runFormatOf(const RunProps& merged, ToggleSet toggles, const Document& document) {
  RunFormat format;
  format.ascii = fontOf(merged.fonts.ascii, document);
  format.hAnsi = fontOf(merged.fonts.hAnsi, document);
  format.eastAsia = fontOf(merged.fonts.eastAsia, document);
  format.complexScript = fontOf(merged.fonts.cs, document);
  if (format.ascii.name.empty()) format.ascii = format.hAnsi;
  if (format.hAnsi.name.empty()) format.hAnsi = format.ascii;
  format.size = halfPoints(merged.size);
  format.sizeCs = halfPoints(merged.sizeCs);
  applyToggles(toggles, format);
  format.doubleStrike = merged.doubleStrike.value_or(false);
  format.rtl = merged.rtl.value_or(false);
  format.complexScriptText = merged.complexScript.value_or(false);
  format.underline = merged.underline.value_or(UnderlineStyle::none);
  format.underlineColor = colorOf(merged.underlineColor, document);
  format.color = colorOf(merged.color, document);
  if (!merged.highlightNone) format.highlight = merged.highlight;
  format.shading = shadingOf(merged.shading, document);
  format.border = drawnBorder(merged.border, document);
  format.spacing = merged.spacing.value_or(0);
  format.position = merged.position.value_or(0);
  format.scale = std::clamp(merged.scale.value_or(100), 1, 600);
  format.vertAlign = merged.vertAlign.value_or(VerticalAlign::baseline);
  format.lang = merged.lang.value_or(std::string());
  return format;
}

ParagraphFormat paragraphFormatOf(const ParagraphProps& merged, const Document& document) {
  ParagraphFormat format;
  format.justification = merged.justification.value_or(Justification::start);
  format.bidi = merged.bidi.value_or(false);
  format.indentStart = merged.indentation.start.value_or(0);
  format.indentEnd = merged.indentation.end.value_or(0);
  format.firstLine = merged.indentation.firstLine.value_or(0);
  resolveSpacing(merged.spacing, format);
  format.contextualSpacing = merged.contextualSpacing.value_or(false);
  format.keepNext = merged.keepNext.value_or(false);
  format.keepLines = merged.keepLines.value_or(false);
  format.pageBreakBefore = merged.pageBreakBefore.value_or(false);
  format.widowControl = merged.widowControl.value_or(true);
  format.borders = bordersOf(merged.borders, document);
  format.shading = shadingOf(merged.shading, document);
  format.tabs = finalTabStops(merged.tabs);
  format.outlineLevel = std::clamp(merged.outlineLevel.value_or(9), 0, 9);
  if (merged.frame) {
    format.dropCap = merged.frame->dropCap;
    format.dropCapLines = std::clamp(merged.frame->lines, 1, 10);
  }
  return format;
}

}  // namespace vellumine::docx
