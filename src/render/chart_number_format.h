// Numbers on a chart's axis and in its data table, by the chart's number format code as far as a
// chart's labels use it: decimals ("0.00"), thousands separators ("#,##0"), percent ("0%"), a
// literal before or after ("$#,##0", "0 \"kg\"", "[$€-407]#,##0"); "General" or no code: as
// few digits as the value needs (at most ten significant ones).
#pragma once
#include <string>
#include <string_view>

namespace vellumine::render {

std::string formatChartNumber(double value, std::string_view formatCode);

// The same with at least decimals digits after the point for "General", so that the ticks of an
// axis of step 0.25 read 0.00, 0.25, 0.50.
std::string formatChartTick(double value, std::string_view formatCode, int decimals);

// The decimals a step of the axis needs (0.25 -> 2, 5 -> 0), at most 10.
int decimalsOfStep(double step);

}  // namespace vellumine::render
