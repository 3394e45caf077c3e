// Tab stops chosen and boxes sized.  The stop a tab reaches is the nearest one past the
// estimated end of the text before it: the paragraph's own stops (bar stops and cleared ones do
// not stop text), the hanging indent, then Word's default stops, which only continue after the
// last stop the paragraph sets.
#include "render/tab_layout.h"

#include <algorithm>
#include <limits>

namespace vellumine::render {

namespace {

struct Stop {
  long long position = 0;
  docx::TabAlignment alignment = docx::TabAlignment::start;
  docx::TabLeader leader = docx::TabLeader::none;
};

bool stopsText(docx::TabAlignment alignment) {
  return alignment != docx::TabAlignment::bar && alignment != docx::TabAlignment::clear;
}

Stop nextStop(const TabContext& context, long long x) {
  constexpr long long kNone = std::numeric_limits<long long>::max();
  Stop best{kNone};
  long long lastSet = 0;
  for (const docx::TabStop& stop : context.stops) {
    if (!stopsText(stop.alignment)) continue;
    lastSet = std::max<long long>(lastSet, stop.position);
    if (stop.position > x && stop.position < best.position) best = {stop.position, stop.alignment, stop.leader};
  }
  if (context.firstLine < 0 && context.indentStart > x && context.indentStart < best.position) {
    best = {context.indentStart};
  }
  if (best.position != kNone) return best;
  const long long step = context.defaultStop > 0 ? context.defaultStop : 720;
  const long long from = std::max(x, lastSet);
  const long long next = from < 0 ? 0 : (from / step + 1) * step;
  return {next};
}

Stop positionalStop(const TabContext& context, int alignment) {
  if (alignment == 1) return {context.lineWidth / 2, docx::TabAlignment::center};
  if (alignment == 2) return {context.lineWidth, docx::TabAlignment::end};
  return {0, docx::TabAlignment::start};
}

}  // namespace

std::vector<TabBox> layOutTabs(const TabContext& context, std::span<const TabStretch> stretches,
                               std::span<const TabMark> tabs) {
  std::vector<TabBox> boxes;
  boxes.reserve(tabs.size());
  long long boxStart = static_cast<long long>(context.indentStart) + context.firstLine;
  long long x = boxStart + (stretches.empty() ? 0 : stretches[0].width);
  for (std::size_t k = 0; k < tabs.size(); ++k) {
    const Stop stop = tabs[k].positional ? positionalStop(context, tabs[k].positionalAlignment) : nextStop(context, x);
    const TabStretch after = k + 1 < stretches.size() ? stretches[k + 1] : TabStretch{};
    TabBox box{TabBoxKind::toStop, stop.position - boxStart, stop.leader};
    switch (stop.alignment) {
      case docx::TabAlignment::end:
        box.kind = TabBoxKind::beforeStop;
        break;
      case docx::TabAlignment::center:
        box.kind = TabBoxKind::centredOnStop;
        box.width += after.width / 2;
        break;
      case docx::TabAlignment::decimal:
        box.kind = TabBoxKind::decimalOnStop;
        box.width += after.widthAfterDecimal;
        break;
      default:
        break;
    }
    box.width = std::max<long long>(box.width, 0);
    boxStart += box.width;
    // The text after a start stop follows the box; the others hold it already.
    x = box.kind == TabBoxKind::toStop ? boxStart + after.width : boxStart;
    boxes.push_back(box);
  }
  return boxes;
}

long long estimateTextWidth(std::string_view utf8, int halfPoints) {
  // Widths in hundredths of an em; an em is halfPoints * 10 twips.
  long long hundredthsOfEm = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80) {
      const bool upper = lead >= 'A' && lead <= 'Z';
      hundredthsOfEm += lead == ' ' ? 25 : upper ? 65 : 50;
      ++at;
      continue;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    // Ideographs and kana (from U+2E80, three-byte sequences from E2 BA) are a full em wide.
    const bool wide = lead >= 0xE3 || (lead == 0xE2 && at + 1 < utf8.size() &&
                                       static_cast<unsigned char>(utf8[at + 1]) >= 0xBA);
    hundredthsOfEm += wide ? 100 : 55;
    at += length;
  }
  const long long size = std::clamp(halfPoints, 1, 3276);  // Word's sizes run from 0.5 to 1638 pt
  return hundredthsOfEm * size * 10 / 100;
}

}  // namespace vellumine::render
