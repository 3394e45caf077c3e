// Where each tab of a paragraph goes, without measuring text: the text between tabs is estimated
// (about half an em a letter) only to tell which stop a tab reaches; the page then lays each stretch
// out in a box whose least width ends exactly at its stop, so text that fits lines up as in Word.
//
// A paragraph with n tabs has n + 1 stretches of text.  Tab k's box starts where the previous box
// ended (the first at the start of the first line) and holds stretch k; for a start stop it ends at
// the stop, the leader filling what the text leaves; for an end, centre or decimal stop it also
// holds stretch k + 1, which is pushed to the stop's far side, centred on it or lined up on its
// decimal point.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "docx/properties.h"

namespace vellumine::render {

// A stretch of text between two tabs, estimated (twips).
struct TabStretch {
  long long width = 0;
  long long widthAfterDecimal = 0;  // from the last '.' or ',' to the end (the whole when none)
};

// A tab as written: a w:tab goes to the next stop; a w:ptab names its place (start of the line,
// its centre or its end).
struct TabMark {
  bool positional = false;
  int positionalAlignment = 0;  // 0 start, 1 centre, 2 end
};

struct TabContext {
  std::span<const docx::TabStop> stops;  // the paragraph's resolved stops
  int defaultStop = 720;                 // twips between default stops
  int indentStart = 0, firstLine = 0;    // twips; a negative firstLine is a hanging indent
  long long lineWidth = 9360;            // twips from the start indent to the end indent
};

enum class TabBoxKind : std::uint8_t {
  toStop,       // the box ends at the stop; the text before the tab is in it
  beforeStop,   // end stop: the text after the tab ends at the stop
  centredOnStop,
  decimalOnStop,
};

struct TabBox {
  TabBoxKind kind = TabBoxKind::toStop;
  long long width = 0;  // twips, the box's least width
  docx::TabLeader leader = docx::TabLeader::none;
  friend bool operator==(const TabBox&, const TabBox&) = default;
};

// One box per tab.  stretches.size() must be tabs.size() + 1.  Linear in tabs and stops.
std::vector<TabBox> layOutTabs(const TabContext& context, std::span<const TabStretch> stretches,
                               std::span<const TabMark> tabs);

// The estimated width of text at a size in half-points, twips.
long long estimateTextWidth(std::string_view utf8, int halfPoints);

}  // namespace vellumine::render
