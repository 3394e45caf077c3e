// The numbering part as read: abstract list definitions with their nine levels, and the numbering
// instances (w:num) that paragraphs refer to, with their overrides.  Counters and label text are
// the resolver's (list_labels.h).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "docx/properties.h"

namespace vellumine::docx {

inline constexpr int kListLevelCount = 9;  // w:ilvl 0..8; other levels are ignored

// w:numFmt.  Formats not listed read as decimal, except "none".
enum class NumberFormat : std::uint8_t {
  decimal, decimalZero, upperRoman, lowerRoman, upperLetter, lowerLetter, ordinal,
  cardinalText, ordinalText, bullet, none, decimalEnclosedCircle, decimalEnclosedParen,
  decimalEnclosedFullstop, chicago, hex,
};

enum class LevelSuffix : std::uint8_t { tab, space, nothing };

struct ListLevel {
  bool present = false;
  int start = 1;                     // w:start (may be 0)
  NumberFormat format = NumberFormat::decimal;
  std::string text;                  // w:lvlText, "%1." and the like, or the bullet character
  std::optional<int> restartAfter;   // w:lvlRestart: restart after this level (1-based; 0: never)
  bool legal = false;                // w:isLgl: lower levels' numbers shown as decimal
  LevelSuffix suffix = LevelSuffix::tab;
  Justification justification = Justification::start;  // w:lvlJc
  std::optional<std::string> paragraphStyle;            // w:pStyle
  ParagraphProps paragraph;          // w:pPr (indentation, tabs)
  RunProps run;                      // w:rPr: the label's formatting
  bool pictureBullet = false;        // w:lvlPicBulletId: drawn as a bullet character
};

struct AbstractNumbering {
  int id = 0;                        // w:abstractNumId
  std::array<ListLevel, kListLevelCount> levels;
  std::optional<std::string> numStyleLink;  // the levels live in the numbering style's list
  std::optional<std::string> styleLink;
};

struct LevelOverride {
  std::optional<int> startOverride;
  // w:lvlOverride/w:lvl: replaces the abstract level.  Held apart: a level is some 1.6 KB and a
  // part may have thousands of instances, nearly all without one.
  std::shared_ptr<const ListLevel> level;
};

struct NumberingInstance {
  int id = 0;                        // w:numId
  int abstractId = -1;               // w:abstractNumId; -1 when missing
  std::array<LevelOverride, kListLevelCount> overrides;
};

struct Numbering {
  std::vector<AbstractNumbering> abstracts;
  std::vector<NumberingInstance> instances;
  std::unordered_map<int, int> abstractById;   // abstractNumId -> index in abstracts
  std::unordered_map<int, int> instanceById;   // numId -> index in instances
};

}  // namespace vellumine::docx
