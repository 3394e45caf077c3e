// Region bits of a cell: its row's region (first, last or a band), its column's (first, last or
// a band) and the corner where both meet.  A header row is never in a band and the band count
// starts after the header rows, so a banded table keeps its first white band under the header.
#include "docx/table_regions.h"

#include <algorithm>

namespace vellumine::docx {
namespace {

// The band of item index counted from first, in bands of size items.
TableRegion band(int index, int first, int size, TableRegion odd, TableRegion even) {
  return ((index - first) / std::max(size, 1)) % 2 == 0 ? odd : even;
}

}  // namespace

RegionMask cellRegions(const TableLook& look, int rowBandSize, int columnBandSize, const CellPlace& place) {
  RegionMask mask = regionBit(TableRegion::wholeTable);
  const int headerRows = look.firstRow ? std::max(place.headerRows, 1) : 0;
  const bool firstRow = place.row < headerRows;
  const bool lastRow = !firstRow && look.lastRow && place.row == place.rowCount - 1;
  if (firstRow) {
    mask |= regionBit(TableRegion::firstRow);
  } else if (lastRow) {
    mask |= regionBit(TableRegion::lastRow);
  } else if (!look.noHBand) {
    mask |= regionBit(band(place.row, headerRows, rowBandSize, TableRegion::band1Horz, TableRegion::band2Horz));
  }

  const bool firstColumn = look.firstColumn && place.cell == 0;
  const bool lastColumn = !firstColumn && look.lastColumn && place.cell == place.cellCount - 1;
  if (firstColumn) {
    mask |= regionBit(TableRegion::firstColumn);
  } else if (lastColumn) {
    mask |= regionBit(TableRegion::lastColumn);
  } else if (!look.noVBand) {
    const int first = look.firstColumn ? 1 : 0;
    mask |= regionBit(band(place.cell, first, columnBandSize, TableRegion::band1Vert, TableRegion::band2Vert));
  }

  if (firstRow && firstColumn) mask |= regionBit(TableRegion::topLeftCell);
  if (firstRow && lastColumn) mask |= regionBit(TableRegion::topRightCell);
  if (lastRow && firstColumn) mask |= regionBit(TableRegion::bottomLeftCell);
  if (lastRow && lastColumn) mask |= regionBit(TableRegion::bottomRightCell);
  return mask;
}

}  // namespace vellumine::docx
