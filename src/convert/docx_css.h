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

}  // namespace vellumine
