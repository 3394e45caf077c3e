// The chart part (c:chartSpace) read into Chart from the values it caches: c:numCache and
// c:strCache behind references, c:numLit and c:strLit written in place, each c:pt at its c:idx
// (points the cache leaves out are gaps), as many points as c:ptCount says.
//
// Bounds: kMaxChartSeries series per chart and kMaxChartPoints points per series; what lies past
// them is left out with one notShown warning.  A malformed number is a gap with one
// malformedNumber warning.  A series without a cache has no points.  Nothing in the part throws.
#pragma once
#include <optional>
#include <string_view>

#include <pugixml.hpp>

#include "docx/chart.h"
#include "docx/reader.h"
#include "docx/theme.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// Reads the chart under root (c:chartSpace, names canonical as xml_names.h makes them); nullopt
// when root is no c:chartSpace or holds no c:chart.  Scheme colours are looked up in theme
// through settings' colour mapping.
std::optional<Chart> readChart(const pugi::xml_node& root, const Theme& theme, const Settings& settings,
                               Warnings& warnings);

// The same for the package part partName ("word/charts/chart1.xml"): nullopt (with a missingPart
// warning) when the package lacks it; a damaged part gives what was read before the damage.
std::optional<Chart> readChartPart(const PartSource& parts, std::string_view partName, const Theme& theme,
                                   const Settings& settings, Warnings& warnings);

}  // namespace vellumine::docx
