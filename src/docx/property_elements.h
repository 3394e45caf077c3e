// The elements several property blocks share: colours (with theme slot, tint and shade), borders,
// shading, table widths, cell margins, justification, and the one loop that hands each child of a
// property block to the reader for its name.  Used by the block readers (property_reader.h) and
// the companion parts' readers; nothing outside src/docx includes it.
#pragma once
#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include <pugixml.hpp>

#include "docx/properties.h"
#include "docx/warnings.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

// An on/off attribute (w:shadow="1", w:firstRow="0"): absent: nullopt; otherwise as readOnOff
// reads a w:val.
std::optional<bool> readOnOffAttribute(const pugi::xml_attribute& value);

// The attribute names of one colour: the value ("auto" or hex) and its theme slot, tint and shade.
struct ColorAttributes {
  const char* value;
  const char* theme;
  const char* tint;
  const char* shade;
};
inline constexpr ColorAttributes kColorAttributes{"w:val", "w:themeColor", "w:themeTint", "w:themeShade"};

// A colour from element's attributes: absent when neither a value nor a theme slot can be read.
std::optional<Color> readColor(const pugi::xml_node& element, const ColorAttributes& names,
                               Warnings& warnings);

// A theme slot name ("accent1", "text1", "hyperlink"); ThemeColor::none for anything else.
ThemeColor themeColorByName(std::string_view written);

Border readBorder(const pugi::xml_node& element, Warnings& warnings);
Shading readShading(const pugi::xml_node& element, Warnings& warnings);

// A width (w:w with w:type); absent when w:w is malformed for a type that needs it.
std::optional<TableWidth> readTableWidth(const pugi::xml_node& element, Warnings& warnings);

// w:tblCellMar / w:tcMar (w:top, w:left|w:start, w:bottom, w:right|w:end).
CellMargins readCellMargins(const pugi::xml_node& element, Warnings& warnings);

// w:jc of paragraphs, tables and rows, w:lvlJc of list levels.
std::optional<Justification> readJustification(const pugi::xml_node& element);

// A border element's place in a box: its name without the prefix decides.
enum class Edge : std::uint8_t { top, start, bottom, end, insideH, insideV, between, bar, tl2br, tr2bl, other };
Edge edgeOf(const pugi::xml_node& element);

// One row of a block's dispatch table: the child's canonical name and what reads it into Props.
template <typename Props>
struct ChildReader {
  std::string_view name;
  void (*read)(const pugi::xml_node& child, Props& props, Warnings& warnings);
};

// Whether a dispatch table is sorted by name (checked at compile time by each block).
template <typename Props, std::size_t N>
constexpr bool sortedByName(const ChildReader<Props> (&table)[N]) {
  for (std::size_t i = 1; i < N; ++i) {
    if (!(table[i - 1].name < table[i].name)) return false;
  }
  return true;
}

// Hands each element child of parent to the reader its name selects (binary search over a sorted
// table); children without a reader (revision marks, layout hints the page has no use for) are
// skipped.  One level only: the readers themselves never recurse.
template <typename Props>
void readChildren(const pugi::xml_node& parent, std::span<const ChildReader<Props>> table, Props& props,
                  Warnings& warnings) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = child.name();
    auto it = std::lower_bound(table.begin(), table.end(), name,
                               [](const ChildReader<Props>& row, std::string_view key) { return row.name < key; });
    if (it != table.end() && it->name == name) it->read(child, props, warnings);
  }
}

}  // namespace vellumine::docx
