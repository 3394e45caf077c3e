// The value axis of a chart: a range widened to round numbers with steps of 1, 2 or 5 times a
// power of ten, and no more ticks than asked for.
#pragma once

namespace vellumine::render {

// Values past this are drawn as if they were this (a chart of 1e300 still gets an axis).
inline constexpr double kMaxChartValue = 1e15;

struct ValueScale {
  double min = 0, max = 1, step = 1;
  // How many ticks from min to max, both included (at least 2).
  int ticks() const;
  // Where value lies between min (0) and max (1); values outside give numbers outside 0..1.
  double fraction(double value) const;
};

// The scale over low..high (NaN or infinities are read as 0 and kMaxChartValue) with at most
// maxTicks ticks (2..50).  When includeZero, 0 lies within it.  An empty range is widened.
ValueScale niceScale(double low, double high, int maxTicks, bool includeZero);

// Whether an axis over low..high starts at zero, as charts choose for lines and points: when the
// values keep one sign and do not crowd into the far sixth of the range from zero.
bool startsAtZero(double low, double high);

// A value as drawn: clamped to +-kMaxChartValue; NaN stays NaN.
double drawnValue(double value);

}  // namespace vellumine::render
