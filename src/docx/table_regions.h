// The conditional regions of a table style that apply to a cell: chosen by w:tblLook and the
// cell's place (first or last row, first or last cell of its row, the row and column bands, the
// four corners).
#pragma once
#include "docx/format.h"
#include "docx/properties.h"
#include "docx/styles.h"

namespace vellumine::docx {

constexpr RegionMask regionBit(TableRegion region) {
  return static_cast<RegionMask>(1u << static_cast<unsigned>(region));
}

// Where a cell stands.  headerRows: how many rows at the top repeat as headers (w:tblHeader on
// each), at least the first row counts when the look asks for first-row formatting.
struct CellPlace {
  int row = 0, rowCount = 1;
  int cell = 0, cellCount = 1;   // the cell's index in its row and the row's cell count
  int headerRows = 0;
};

// The Word's tblLook when a table writes none: first row, first column, no column bands.
inline constexpr TableLook kDefaultTableLook{true, false, true, false, false, true};

// The regions that apply, wholeTable always among them.  The first row (and the header rows below
// it) takes firstRow when the look asks for it, else the last row takes lastRow; other rows are in
// horizontal bands of rowBandSize rows counted from the first row after the header rows, band1Horz
// first.  Likewise the first and last cell of a row and the vertical bands (cells, not grid
// columns, are counted, as Word does).  The corners apply where both their row and column regions
// do.
RegionMask cellRegions(const TableLook& look, int rowBandSize, int columnBandSize, const CellPlace& place);

}  // namespace vellumine::docx
