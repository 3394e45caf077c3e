// The toggle rule, one property at a time: direct formatting is absolute; without it, a document
// default of true wins; otherwise the values of the table, paragraph and character style levels are
// combined by exclusive or, each level's value being the first one found walking its basedOn chain
// from the style itself (a false value toggles nothing, so only true values count).
#include "docx/toggle_properties.h"

#include <array>

namespace vellumine::docx {
namespace {

using ToggleField = std::optional<bool> RunProps::*;

// By Toggle.
constexpr std::array<ToggleField, kToggleCount> kFields = {
    &RunProps::bold,   &RunProps::boldCs, &RunProps::italic,    &RunProps::italicCs, &RunProps::caps,
    &RunProps::smallCaps, &RunProps::strike, &RunProps::outline,
    &RunProps::shadow, &RunProps::emboss, &RunProps::imprint,   &RunProps::vanish,
};

using FormatField = bool RunFormat::*;

constexpr std::array<FormatField, kToggleCount> kFormatFields = {
    &RunFormat::bold,   &RunFormat::boldCs, &RunFormat::italic,    &RunFormat::italicCs, &RunFormat::caps,
    &RunFormat::smallCaps, &RunFormat::strike, &RunFormat::outline,
    &RunFormat::shadow, &RunFormat::emboss, &RunFormat::imprint,   &RunFormat::hidden,
};

bool isOn(const RunProps* level, Toggle toggle) {
  return level != nullptr && toggleValue(*level, toggle).value_or(false);
}

bool resolveOne(const ToggleLevels& levels, Toggle toggle) {
  if (levels.direct != nullptr) {
    if (const std::optional<bool> direct = toggleValue(*levels.direct, toggle)) return *direct;
  }
  if (isOn(levels.defaults, toggle)) return true;
  const bool paragraph = isOn(levels.paragraph, toggle), character = isOn(levels.character, toggle);
  if (levels.characterLinked) return isOn(levels.table, toggle) != (paragraph || character);
  return (isOn(levels.table, toggle) != paragraph) != character;
}

}  // namespace

std::optional<bool> toggleValue(const RunProps& props, Toggle toggle) {
  return props.*kFields[static_cast<std::size_t>(toggle)];
}

ToggleSet resolveToggles(const ToggleLevels& levels) {
  ToggleSet on = 0;
  for (int i = 0; i < kToggleCount; ++i) {
    const auto toggle = static_cast<Toggle>(i);
    if (resolveOne(levels, toggle)) on |= toggleBit(toggle);
  }
  return on;
}

void applyToggles(ToggleSet toggles, RunFormat& format) {
  for (int i = 0; i < kToggleCount; ++i) {
    format.*kFormatFields[static_cast<std::size_t>(i)] = (toggles & toggleBit(static_cast<Toggle>(i))) != 0;
  }
}

}  // namespace vellumine::docx
