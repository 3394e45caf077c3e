// Conditional regions of a cell: w:tblLook's flags, the cell's place, header rows, band sizes and
// the corners.
#include "docx/table_regions.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

constexpr const char* kRegionNames[kTableRegionCount] = {
    "whole", "band1Vert", "band2Vert", "band1Horz", "band2Horz", "firstColumn", "lastColumn",
    "firstRow", "lastRow", "topRight", "topLeft", "bottomRight", "bottomLeft",
};

std::string names(RegionMask mask) {
  std::string out;
  for (int r = 0; r < kTableRegionCount; ++r) {
    if ((mask & regionBit(static_cast<TableRegion>(r))) == 0) continue;
    if (!out.empty()) out += ',';
    out += kRegionNames[r];
  }
  return out;
}

TableLook look(bool firstRow, bool lastRow, bool firstColumn, bool lastColumn, bool noHBand, bool noVBand) {
  return TableLook{firstRow, lastRow, firstColumn, lastColumn, noHBand, noVBand};
}

const TableLook kNoFlags = look(false, false, false, false, false, false);
const TableLook kAllEdges = look(true, true, true, true, false, false);

struct RegionCase {
  std::string name;
  TableLook look;
  int rowBand, columnBand;
  CellPlace place;  // row, rowCount, cell, cellCount, headerRows
  std::string expected;
};

const RegionCase kRegionCases[] = {
    {"DefaultLookTopLeft", kDefaultTableLook, 1, 1, {0, 4, 0, 3, 0}, "whole,firstColumn,firstRow,topLeft"},
    {"DefaultLookBodyCell", kDefaultTableLook, 1, 1, {1, 4, 1, 3, 0}, "whole,band1Horz"},
    {"DefaultLookSecondBand", kDefaultTableLook, 1, 1, {2, 4, 1, 3, 0}, "whole,band2Horz"},
    {"WithoutFirstRowBandsStartAtTheTop", kNoFlags, 1, 1, {0, 4, 0, 3, 0}, "whole,band1Vert,band1Horz"},
    {"SecondRowWithoutFirstRow", kNoFlags, 1, 1, {1, 4, 1, 3, 0}, "whole,band2Vert,band2Horz"},
    {"HeaderRowsAreFirstRows", kDefaultTableLook, 1, 1, {1, 5, 1, 3, 2}, "whole,firstRow"},
    {"BandsCountAfterTheHeaderRows", kDefaultTableLook, 1, 1, {2, 5, 1, 3, 2}, "whole,band1Horz"},
    {"HeaderRowsWithoutFirstRowLookAreBanded", kNoFlags, 1, 1, {1, 5, 1, 3, 2}, "whole,band2Vert,band2Horz"},
    {"RowBandsOfTwo", kDefaultTableLook, 2, 1, {2, 6, 1, 3, 0}, "whole,band1Horz"},
    {"ThirdRowBandOfTwo", kDefaultTableLook, 2, 1, {3, 6, 1, 3, 0}, "whole,band2Horz"},
    {"ColumnBandsCountAfterFirstColumn", look(false, false, true, false, true, false), 1, 1, {1, 3, 1, 4, 0},
     "whole,band1Vert"},
    {"ColumnBandsOfTwo", look(false, false, false, false, true, false), 1, 2, {1, 3, 2, 4, 0}, "whole,band2Vert"},
    {"BottomRightCorner", kAllEdges, 1, 1, {3, 4, 2, 3, 0}, "whole,lastColumn,lastRow,bottomRight"},
    {"BottomLeftCorner", kAllEdges, 1, 1, {3, 4, 0, 3, 0}, "whole,firstColumn,lastRow,bottomLeft"},
    {"TopRightCorner", kAllEdges, 1, 1, {0, 4, 2, 3, 0}, "whole,lastColumn,firstRow,topRight"},
    {"LastRowWithoutItsFlagIsBanded", kDefaultTableLook, 1, 1, {3, 4, 1, 3, 0}, "whole,band1Horz"},
    {"OneRowIsTheFirstNotTheLast", kAllEdges, 1, 1, {0, 1, 1, 3, 0}, "whole,band1Vert,firstRow"},
    {"OneCellRowIsTheFirstColumn", kAllEdges, 1, 1, {1, 3, 0, 1, 0}, "whole,band1Horz,firstColumn"},
    {"NoBandsNoEdges", look(false, false, false, false, true, true), 1, 1, {1, 3, 1, 3, 0}, "whole"},
    {"ZeroBandSizeCountsAsOne", kNoFlags, 0, 0, {1, 3, 1, 3, 0}, "whole,band2Vert,band2Horz"},
};

class TableRegions : public testing::TestWithParam<RegionCase> {};

TEST_P(TableRegions, ApplyByLookAndPlace) {
  const RegionCase& c = GetParam();
  EXPECT_EQ(names(cellRegions(c.look, c.rowBand, c.columnBand, c.place)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Regions, TableRegions, testing::ValuesIn(kRegionCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
