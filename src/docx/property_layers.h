// Property blocks laid over each other: each property the upper block sets replaces the one below,
// what it leaves absent stays.  Tab stops are the exception: a level adds its stops to those below,
// replacing a stop at the same position, and its clear rows remove them (kept as clear rows until
// the end, so a clear in a style still removes a stop of a lower level laid under it later).
#pragma once
#include <vector>

#include "docx/properties.h"

namespace vellumine::docx {

// The most tab stops a level contributes and a paragraph keeps (Word keeps 64 per paragraph);
// rows past them are ignored, so a hostile list of a million stops costs no more than a short one.
inline constexpr int kMaxTabStops = 64;

void overlayRun(RunProps& base, const RunProps& over);
void overlayParagraph(ParagraphProps& base, const ParagraphProps& over);
void overlayTable(TableProps& base, const TableProps& over);
void overlayRow(RowProps& base, const RowProps& over);
void overlayCell(CellProps& base, const CellProps& over);

// Adds a level's stops (clear rows included) to stops, sorted by position.
void mergeTabStops(std::vector<TabStop>& stops, const std::vector<TabStop>& level);

// The stops that remain: clear rows dropped, sorted by position.
std::vector<TabStop> finalTabStops(const std::vector<TabStop>& stops);

}  // namespace vellumine::docx
