// Axes of a chart: light gridlines at the value ticks, a darker line along the category side,
// grey labels.  Category labels that would overlap are thinned to every n-th one.
#include <algorithm>
#include <cmath>

#include "render/chart_number_format.h"
#include "render/chart_plots.h"

namespace vellumine::render {

namespace {

constexpr double kLabelSize = 10.5;
constexpr std::uint32_t kGridColor = 0xD9D9D9;
constexpr std::uint32_t kAxisColor = 0xBFBFBF;
constexpr std::uint32_t kLabelColor = 0x595959;

TextStyle labelStyle(TextAnchor anchor) {
  TextStyle style;
  style.size = kLabelSize;
  style.anchor = anchor;
  style.color = kLabelColor;
  return style;
}

std::string tickLabel(const ValueScale& scale, const std::string& format, int tick) {
  const double value = scale.min + scale.step * tick;
  // -0.0000001 from the sum of steps reads as 0.
  const double shown = std::fabs(value) < scale.step * 1e-9 ? 0.0 : value;
  return formatChartTick(shown, format, decimalsOfStep(scale.step));
}

}  // namespace

std::size_t markStride(std::size_t count, std::size_t series) {
  const std::size_t marks = count * std::max<std::size_t>(series, 1);
  if (marks <= kMaxChartMarks) return 1;
  return (marks + kMaxChartMarks - 1) / kMaxChartMarks;
}

double CategoryAxes::bandStart(std::size_t k) const {
  const double offset = band() * static_cast<double>(k);
  return horizontal ? plot.bottom() - offset - band() : plot.x + offset;
}

double CategoryAxes::valueAt(double value) const {
  const double f = scale.fraction(value);
  return horizontal ? plot.x + f * plot.width : plot.bottom() - f * plot.height;
}

double valueLabelWidth(const ValueScale& scale, const std::string& format) {
  double widest = 0;
  const int ticks = scale.ticks();
  for (int tick = 0; tick < ticks; ++tick) {
    widest = std::max(widest, estimatedTextWidth(tickLabel(scale, format, tick), kLabelSize));
  }
  return widest;
}

void drawValueAxis(SvgCanvas& canvas, const ChartBox& plot, const ValueScale& scale, bool vertical,
                   const std::string& format, bool labels) {
  const int ticks = scale.ticks();
  for (int tick = 0; tick < ticks; ++tick) {
    const double f = static_cast<double>(tick) / (ticks - 1);
    if (vertical) {
      const double y = plot.bottom() - f * plot.height;
      canvas.line(plot.x, y, plot.right(), y, kGridColor, 0.75);
      if (labels) canvas.text(plot.x - 5, y + kLabelSize * 0.35, tickLabel(scale, format, tick), labelStyle(TextAnchor::end));
    } else {
      const double x = plot.x + f * plot.width;
      canvas.line(x, plot.y, x, plot.bottom(), kGridColor, 0.75);
      if (labels) canvas.text(x, plot.bottom() + kLabelSize + 4, tickLabel(scale, format, tick), labelStyle(TextAnchor::middle));
    }
  }
}

void drawRightValueLabels(SvgCanvas& canvas, const ChartBox& plot, const ValueScale& scale, const std::string& format) {
  const int ticks = scale.ticks();
  for (int tick = 0; tick < ticks; ++tick) {
    const double y = plot.bottom() - static_cast<double>(tick) / (ticks - 1) * plot.height;
    canvas.text(plot.right() + 5, y + kLabelSize * 0.35, tickLabel(scale, format, tick), labelStyle(TextAnchor::start));
  }
}

void drawCategoryAxis(SvgCanvas& canvas, const CategoryAxes& axes, const std::vector<std::string>& categories,
                      bool labels) {
  const ChartBox& plot = axes.plot;
  // The axis stands at zero when zero is within the scale, else at the scale's low end.
  const double zero = axes.valueAt(std::clamp(0.0, axes.scale.min, axes.scale.max));
  if (axes.horizontal) {
    canvas.line(zero, plot.y, zero, plot.bottom(), kAxisColor, 1);
  } else {
    canvas.line(plot.x, zero, plot.right(), zero, kAxisColor, 1);
  }
  if (!labels) return;
  // Every n-th label, so that labels keep a gap between them (one line each).
  double widest = kLabelSize;
  const std::size_t sampled = std::min<std::size_t>(axes.count, 200);
  for (std::size_t k = 0; k < sampled; ++k) {
    const std::string_view label = k < categories.size() ? std::string_view(categories[k]) : std::string_view();
    widest = std::max(widest, std::min(estimatedTextWidth(label, kLabelSize), 120.0));
  }
  const double need = axes.horizontal ? kLabelSize * 1.4 : widest + 6;
  const auto every = std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(need / std::max(axes.band(), 1e-3))));
  for (std::size_t k = 0; k < axes.count; k += every) {
    const std::string label = k < categories.size() && !categories[k].empty() ? categories[k] : std::to_string(k + 1);
    const double middle = axes.bandStart(k) + axes.band() / 2;
    if (axes.horizontal) {
      canvas.text(plot.x - 5, middle + kLabelSize * 0.35, fittedText(label, kLabelSize, 110), labelStyle(TextAnchor::end));
    } else {
      const double room = std::max(axes.band() * static_cast<double>(every) - 4, kLabelSize);
      canvas.text(middle, plot.bottom() + kLabelSize + 4, fittedText(label, kLabelSize, room),
                  labelStyle(TextAnchor::middle));
    }
  }
}

void drawAxisTitle(SvgCanvas& canvas, const ChartBox& plot, const std::string& title, bool vertical, double offset) {
  if (title.empty()) return;
  TextStyle style = labelStyle(TextAnchor::middle);
  style.size = 12;
  style.bold = true;
  if (vertical) {
    style.rotate = -90;
    canvas.text(plot.x - offset, plot.y + plot.height / 2, fittedText(title, style.size, plot.height), style);
  } else {
    canvas.text(plot.x + plot.width / 2, plot.bottom() + offset, fittedText(title, style.size, plot.width), style);
  }
}

}  // namespace vellumine::render
