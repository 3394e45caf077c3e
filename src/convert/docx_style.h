// The style table: one styleEntry per style definition of the style part, with lookup and the
// inheritance of font family and size along basedOn chains.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

using StyleSlots = std::array<std::string, 10>;

void buildStyleSheet(Conversion& c);
void readStyleProperties(const Conversion& c, std::string_view text, bool withBold, StyleSlots& slots);
int findStyle(const Conversion& c, std::string_view id, int upTo);
void inheritStyleProperties(const Conversion& c, StyleSlots& slots, int index, bool all);
std::string styleBody(const Conversion& c, std::string_view id);
std::string tableStyleAttributes(std::string_view text);

}  // namespace vellumine
