// A style with its basedOn chain laid over each other, root first, so that every property holds
// the value of the nearest style in the chain that sets it; table styles' conditional regions are
// flattened region by region.  The resolver flattens each style once.
#pragma once
#include <array>

#include "docx/styles.h"

namespace vellumine::docx {

struct FlatStyle {
  ParagraphProps paragraph;
  RunProps run;
  TableProps table;
  RowProps row;
  CellProps cell;
  std::array<TableStyleRegion, kTableRegionCount> regions;  // present when any style in the chain has it
};

// The flattened chain of style (styleChain); the empty FlatStyle for null.
FlatStyle flattenStyle(const Styles& styles, const Style* style);

}  // namespace vellumine::docx
