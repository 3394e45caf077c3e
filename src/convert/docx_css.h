// Box properties to CSS declaration text: borders, cell margins, indentation and spacing.
// Pure functions of the property text they are given.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

std::string bordersToCss(std::string_view block);
std::string borderSideToCss(std::string_view block, std::string_view side);
std::string cellMarginsToCss(std::string_view block);
std::string indentToCss(std::string_view text);
std::string spacingToCss(std::string_view text);

// A length attribute value in twips, with or without a decimal part, to whole pixels (TwipsToPx).
// Strict documents write lengths with a unit ("72pt", "5.40pt", "1.27cm"); those are converted by
// their unit.  Anything else that is not a length gives the empty string, as an absent value does,
// so odd values never stop a conversion.
std::string pixelsOf(std::string_view length);
// A font size in half-points (or with a unit) to "16px" (HalfPointsToPx); empty when the value is
// not a size.
std::string fontSizeToPx(std::string_view halfPoints);

}  // namespace vellumine
