// The style part as read: document defaults and every style definition, table styles with their
// conditional regions.  Chains (basedOn), links and defaults are followed by the resolver, not here.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "docx/properties.h"

namespace vellumine::docx {

enum class StyleType : std::uint8_t { paragraph, character, table, numbering };

// The conditional regions of a table style (w:tblStylePr w:type), in the order Word applies them:
// a later region wins over an earlier one where both apply to a cell.
enum class TableRegion : std::uint8_t {
  wholeTable,
  band1Vert, band2Vert, band1Horz, band2Horz,
  firstColumn, lastColumn, firstRow, lastRow,
  topRightCell, topLeftCell, bottomRightCell, bottomLeftCell,
};
inline constexpr int kTableRegionCount = 13;

// The formatting one region of a table style gives.
struct TableStyleRegion {
  bool present = false;
  ParagraphProps paragraph;
  RunProps run;
  TableProps table;
  RowProps row;
  CellProps cell;
};

struct Style {
  StyleType type = StyleType::paragraph;
  std::string styleId;
  std::string name;                  // w:name, as written ("heading 1")
  std::optional<std::string> basedOn;
  std::optional<std::string> link;   // the linked character (or paragraph) style
  std::optional<std::string> next;
  bool isDefault = false;            // w:default="1": the default of its type
  ParagraphProps paragraph;          // w:pPr (paragraph and table styles; numbering styles' numPr)
  RunProps run;                      // w:rPr
  TableProps table;                  // w:tblPr (table styles)
  RowProps row;                      // w:trPr
  CellProps cell;                    // w:tcPr
  // The conditional regions, by TableRegion.  Only table styles hold them (a region is some 2 KB
  // and a styles part may define hundreds of paragraph styles), so they are reached through
  // region(), which gives an empty region where a style has none.
  std::vector<TableStyleRegion> regions;

  const TableStyleRegion& region(TableRegion which) const {
    static const TableStyleRegion kNone;
    const auto index = static_cast<std::size_t>(which);
    return index < regions.size() ? regions[index] : kNone;
  }
  // The region to fill in, made on first use.
  TableStyleRegion& regionToWrite(TableRegion which) {
    if (regions.empty()) regions.resize(kTableRegionCount);
    return regions[static_cast<std::size_t>(which)];
  }
};

struct Styles {
  RunProps defaultRun;               // w:docDefaults/w:rPrDefault
  ParagraphProps defaultParagraph;   // w:docDefaults/w:pPrDefault
  std::vector<Style> styles;         // in the part's order
  std::unordered_map<std::string, int> byId;  // styleId -> index in styles; the first one wins

  // The style with this id, or null.
  const Style* find(const std::string& styleId) const {
    auto it = byId.find(styleId);
    return it == byId.end() ? nullptr : &styles[static_cast<std::size_t>(it->second)];
  }
};

}  // namespace vellumine::docx
