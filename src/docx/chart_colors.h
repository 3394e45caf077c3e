// The colours of a chart part's shape properties (c:spPr): a solid fill given as an RGB value
// (a:srgbClr), a theme slot (a:schemeClr, through the document's theme and its colour mapping,
// lightened or darkened by a:lumMod / a:lumOff), a system colour (a:sysClr) or a preset name
// (a:prstClr, the common ones); and the palette a chart falls back on for series without one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include <pugixml.hpp>

#include "docx/theme.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// The colour of the colour element inside fillParent (an a:solidFill); absent for none, for a
// theme slot the theme lacks, or for a malformed value (one malformedNumber warning).
std::optional<std::uint32_t> readSolidFillColor(const pugi::xml_node& solidFill, const Theme& theme,
                                                const Settings& settings, Warnings& warnings);

// The fill of a series or point: spPr/a:solidFill, or, when line is true (lines, scatter) or the
// shape has no fill, spPr/a:ln/a:solidFill.
std::optional<std::uint32_t> readShapeColor(const pugi::xml_node& spPr, bool line, const Theme& theme,
                                            const Settings& settings, Warnings& warnings);

// The colour of series (or point) number index when the part names none: the theme's six accents
// in turn, darker on the second round and lighter on the third, as charts of the default style
// draw them; a built-in six when the document has no theme.
std::uint32_t defaultChartColor(std::size_t index, const Theme& theme);

}  // namespace vellumine::docx
