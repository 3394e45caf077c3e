// Entries are measured with the estimated text width (chart_canvas.h); a column is centred on the
// side of the plot, rows are centred above or below it, at most three rows.
#include "render/chart_legend.h"

#include <algorithm>

namespace vellumine::render {

namespace {

constexpr double kFontSize = 11;
constexpr double kRowHeight = 18;
constexpr double kSwatch = 9;
constexpr double kSwatchGap = 5;   // between swatch and name
constexpr double kEntryGap = 12;   // between entries of a row
constexpr int kMaxRows = 3;
constexpr double kPlotGap = 8;     // between a legend beside the plot and the plot

bool inColumn(docx::LegendPosition position) {
  return position == docx::LegendPosition::right || position == docx::LegendPosition::left ||
         position == docx::LegendPosition::topRight;
}

double entryWidth(const LegendEntry& entry, double maxName) {
  return kSwatch + kSwatchGap + std::min(estimatedTextWidth(entry.name, kFontSize), maxName);
}

// The rows entries make within width, as index ranges [first, end).
std::vector<std::pair<std::size_t, std::size_t>> rowsWithin(const std::vector<LegendEntry>& entries, double width) {
  std::vector<std::pair<std::size_t, std::size_t>> rows;
  std::size_t first = 0;
  double used = 0;
  for (std::size_t k = 0; k < entries.size() && rows.size() < static_cast<std::size_t>(kMaxRows); ++k) {
    const double w = entryWidth(entries[k], width / 2) + (k > first ? kEntryGap : 0);
    if (k > first && used + w > width) {
      rows.emplace_back(first, k);
      first = k;
      used = entryWidth(entries[k], width / 2);
    } else {
      used += w;
    }
  }
  if (rows.size() < static_cast<std::size_t>(kMaxRows) && first < entries.size()) rows.emplace_back(first, entries.size());
  return rows;
}

void drawEntry(SvgCanvas& canvas, double x, double y, const LegendEntry& entry, double nameWidth) {
  const double middle = y + kRowHeight / 2;
  if (entry.line) {
    canvas.line(x, middle, x + kSwatch, middle, entry.color, 2);
  } else {
    canvas.rect(ChartBox{x, middle - kSwatch / 2, kSwatch, kSwatch}, entry.color);
  }
  TextStyle style;
  style.size = kFontSize;
  canvas.text(x + kSwatch + kSwatchGap, middle + kFontSize * 0.35, fittedText(entry.name, kFontSize, nameWidth), style);
}

}  // namespace

ChartBox placeLegend(ChartBox& area, docx::LegendPosition position, const std::vector<LegendEntry>& entries) {
  if (position == docx::LegendPosition::none || entries.empty() || area.width < 60 || area.height < 40) return {};
  if (inColumn(position)) {
    double widest = 0;
    for (const LegendEntry& entry : entries) widest = std::max(widest, entryWidth(entry, area.width * 0.3));
    const double width = std::min(widest, area.width * 0.35);
    const double height = std::min(static_cast<double>(entries.size()) * kRowHeight, area.height);
    ChartBox box{area.right() - width, area.y + (area.height - height) / 2, width, height};
    if (position == docx::LegendPosition::topRight) box.y = area.y;
    if (position == docx::LegendPosition::left) {
      box.x = area.x;
      area.x += width + kPlotGap;
    }
    area.width -= width + kPlotGap;
    return box;
  }
  const double height = static_cast<double>(rowsWithin(entries, area.width).size()) * kRowHeight;
  ChartBox box{area.x, position == docx::LegendPosition::top ? area.y : area.bottom() - height, area.width, height};
  if (position == docx::LegendPosition::top) area.y += height + 4;
  area.height -= height + 4;
  return box;
}

void drawLegend(SvgCanvas& canvas, const ChartBox& box, docx::LegendPosition position,
                const std::vector<LegendEntry>& entries) {
  if (box.width <= 0 || box.height <= 0) return;
  if (inColumn(position)) {
    const auto fit = static_cast<std::size_t>(box.height / kRowHeight);
    for (std::size_t k = 0; k < std::min(fit, entries.size()); ++k) {
      // A little slack: the width was measured with the same estimate.
      drawEntry(canvas, box.x, box.y + static_cast<double>(k) * kRowHeight, entries[k],
                box.width - kSwatch - kSwatchGap + 0.5);
    }
    return;
  }
  double y = box.y;
  for (const auto& [first, end] : rowsWithin(entries, box.width)) {
    double width = 0;
    for (std::size_t k = first; k < end; ++k) width += entryWidth(entries[k], box.width / 2) + (k > first ? kEntryGap : 0);
    double x = box.x + std::max(0.0, (box.width - width) / 2);
    for (std::size_t k = first; k < end; ++k) {
      const double nameWidth = std::min(estimatedTextWidth(entries[k].name, kFontSize), box.width / 2);
      drawEntry(canvas, x, y, entries[k], nameWidth + 1);
      x += entryWidth(entries[k], box.width / 2) + kEntryGap;
    }
    y += kRowHeight;
  }
}

}  // namespace vellumine::render
