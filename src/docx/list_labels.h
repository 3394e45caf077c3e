// Numbering as Word draws it: walks every paragraph of the document in reading order (the body,
// then each story on its own counters), finds the numbering that applies to it (directly or through
// its paragraph style), advances the list's counters (continuing across interruptions, restarting
// by w:lvlRestart, w:startOverride and w:lvlOverride, levels below reset when a level above
// advances) and writes the level's w:lvlText with its placeholders filled in each number's format
// (w:isLgl: decimal).  Bullets in Symbol or Wingdings become their Unicode look-alikes.
#pragma once
#include <string>

#include "docx/model.h"

namespace vellumine::docx {

// Fills Document::listLabels and each numbered Paragraph::listLabel.  Linear in the document
// (nine counters per list; lvlText bounded).
void assignListLabels(Document& document);

// One number in a level's format: 3 as "3", "03", "iii", "C", "3rd", ...  Numbers outside a
// format's range fall back to decimal.
std::string formatListNumber(int number, NumberFormat format);

}  // namespace vellumine::docx
