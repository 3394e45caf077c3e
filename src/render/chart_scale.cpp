#include "render/chart_scale.h"

#include <algorithm>
#include <cmath>

namespace vellumine::render {

namespace {

double finite(double value, double ifNaN) {
  if (std::isnan(value)) return ifNaN;
  return std::clamp(value, -kMaxChartValue, kMaxChartValue);
}

// The smallest of 1, 2, 5, 10 times a power of ten that is at least rough.
double niceStep(double rough) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  const double residual = rough / magnitude;
  if (residual <= 1) return magnitude;
  if (residual <= 2) return 2 * magnitude;
  if (residual <= 5) return 5 * magnitude;
  return 10 * magnitude;
}

}  // namespace

int ValueScale::ticks() const {
  if (!(step > 0)) return 2;
  const double count = std::round((max - min) / step) + 1;
  return static_cast<int>(std::clamp(count, 2.0, 200.0));
}

double ValueScale::fraction(double value) const {
  const double span = max - min;
  if (!(span > 0)) return 0;
  return (drawnValue(value) - min) / span;
}

bool startsAtZero(double low, double high) {
  if (low >= 0) return high <= 0 || low < high * 5 / 6;
  if (high <= 0) return high > low * 5 / 6;
  return true;
}

double drawnValue(double value) {
  if (std::isnan(value)) return value;
  return std::clamp(value, -kMaxChartValue, kMaxChartValue);
}

ValueScale niceScale(double low, double high, int maxTicks, bool includeZero) {
  low = finite(low, 0);
  high = finite(high, 0);
  if (low > high) std::swap(low, high);
  if (includeZero) {
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
  }
  if (high - low < 1e-12 * std::max(1.0, std::fabs(high))) {
    // One value: from 0 to it, or a unit around it.
    if (high > 0) {
      low = includeZero ? 0 : high - 1;
    } else if (high < 0) {
      high = includeZero ? 0 : low + 1;
    } else {
      high = 1;
    }
  }
  const int intervals = std::clamp(maxTicks, 2, 50) - 1;
  double step = niceStep((high - low) / intervals);
  ValueScale scale;
  // A nice step may need one more interval at either end than the rough one; widen until it fits.
  for (int attempt = 0; attempt < 4; ++attempt) {
    // A little slack, so that 0.07 / 0.01 (7.000000000000001) stays 7 steps.
    scale.min = std::floor(low / step + 1e-9) * step;
    scale.max = std::ceil(high / step - 1e-9) * step;
    if (scale.max <= scale.min) scale.max = scale.min + step;
    if ((scale.max - scale.min) / step <= intervals + 1e-9) break;
    step = niceStep(step * 1.01);
  }
  scale.step = step;
  return scale;
}

}  // namespace vellumine::render
