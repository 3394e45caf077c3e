// Word's toggle properties (bold, italic, caps, small caps, strike, outline, shadow, emboss,
// imprint, hidden and the complex-script bold and italic): how their values at the levels of the
// style hierarchy combine into the one a run shows.  Double strike is not among them: its last
// value wins like any other property's.
#pragma once
#include <cstdint>
#include <optional>

#include "docx/format.h"
#include "docx/properties.h"

namespace vellumine::docx {

enum class Toggle : std::uint8_t {
  bold, boldCs, italic, italicCs, caps, smallCaps, strike,
  outline, shadow, emboss, imprint, vanish,
};
inline constexpr int kToggleCount = 12;

// One bit per Toggle: the properties that are on.
using ToggleSet = std::uint16_t;

constexpr ToggleSet toggleBit(Toggle toggle) { return static_cast<ToggleSet>(1u << static_cast<unsigned>(toggle)); }

// The value a property block writes for a toggle, absent when it writes none.
std::optional<bool> toggleValue(const RunProps& props, Toggle toggle);

// The formatting each level gives a run, each style level already flattened along its basedOn
// chain (the nearest value in the chain stands for the level).  Null: the level gives nothing.
struct ToggleLevels {
  const RunProps* defaults = nullptr;   // w:docDefaults
  const RunProps* table = nullptr;      // the table style with the regions that apply to the cell
  const RunProps* paragraph = nullptr;  // the paragraph style
  const RunProps* character = nullptr;  // the character style
  const RunProps* direct = nullptr;     // direct formatting (absolute)
  // The character style is the paragraph style's linked style: the two are one level (a toggle on
  // in either is on for that level) instead of two that cancel.
  bool characterLinked = false;
};

// The toggles that are on.  Direct formatting sets the value outright; otherwise the document
// defaults turn it on when they say true, and else the table, paragraph and character levels are
// combined by exclusive or (two style levels that both say bold give text that is not bold).
ToggleSet resolveToggles(const ToggleLevels& levels);

// Sets the RunFormat fields of the toggles (vanish: hidden).
void applyToggles(ToggleSet toggles, RunFormat& format);

}  // namespace vellumine::docx
