// Final values from property blocks already laid over each other: theme fonts and colours looked
// up, generic families found, absent properties given Word's defaults, spacing in twips.
#pragma once
#include <optional>

#include "docx/format.h"
#include "docx/model.h"
#include "docx/toggle_properties.h"

namespace vellumine::docx {

// Word's automatic spacing (w:beforeAutospacing, w:afterAutospacing): 14 pt.
inline constexpr int kAutoSpacingTwips = 280;
// One line of w:beforeLines / w:afterLines (given in hundredths): 12 pt.
inline constexpr int kLineTwips = 240;

// A border as drawn, colour resolved; absent for BorderStyle::none.
std::optional<ResolvedBorder> drawnBorder(const std::optional<Border>& border, const Document& document);
// The same, with BorderStyle::none kept as a border of that style (for table edges).
ResolvedBorder resolvedBorder(const std::optional<Border>& border, const Document& document);

// A run's formatting from its merged properties and its toggles.  A font slot left empty takes
// the face of its sibling (ascii from hAnsi and back).
RunFormat runFormatOf(const RunProps& merged, ToggleSet toggles, const Document& document);

// A paragraph's formatting from its merged properties; styleId, numbering and mark are the
// caller's.  Spacing: autospacing gives 14 pt, else a non-zero "lines" value (hundredths of a
// 12 pt line), else the twips; negative spacing counts as none.
ParagraphFormat paragraphFormatOf(const ParagraphProps& merged, const Document& document);

}  // namespace vellumine::docx
